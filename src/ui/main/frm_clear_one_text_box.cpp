#include "ui/main/frm_clear_one_text_box.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>
#include <string_view>
#include <utility>

#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"

namespace qv {
namespace {

// Caption and accessible name together, so a screen reader always reads what is shown.
template <typename Control>
void SetCaption(Control* control, const QString& caption) {
  control->setText(caption);
  control->setAccessibleName(caption);
}

}  // namespace

frmClearOneTextBox::frmClearOneTextBox(QWidget* parent)
    : QDialog(parent),
      lblNeedToClear(Named(new QLabel(this), "lblNeedToClear")),
      lblClear(Named(new QLabel(this), "lblClear")),
      optClearFirstDate(Named(new QRadioButton(this), "optClearFirstDate")),
      optClearDateDiff(Named(new QRadioButton(this), "optClearDateDiff")),
      optClearSecondDate(Named(new QRadioButton(this), "optClearSecondDate")),
      lblOr(Named(new QLabel(this), "lblOr")),
      optCancel(Named(new QRadioButton(this), "optCancel")),
      cmdContinue(Named(new QPushButton(this), "cmdContinue")) {
  setObjectName(QStringLiteral("frmClearOneTextBox"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // One group, so exactly one of the four choices is selected and arrow keys move between them.
  auto* choices = new QButtonGroup(this);
  for (QRadioButton* option : {optClearFirstDate, optClearDateDiff, optClearSecondDate, optCancel}) {
    choices->addButton(option);
  }
  lblNeedToClear->setTextFormat(Qt::PlainText);  // the message carries its own line break
  lblClear->setBuddy(optClearFirstDate);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdContinue);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblNeedToClear);
  layout->addSpacing(6);
  layout->addWidget(lblClear);
  layout->addWidget(optClearFirstDate);
  layout->addWidget(optClearDateDiff);
  layout->addWidget(optClearSecondDate);
  layout->addWidget(lblOr);
  layout->addWidget(optCancel);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(optClearFirstDate, optClearDateDiff);
  setTabOrder(optClearDateDiff, optClearSecondDate);
  setTabOrder(optClearSecondDate, optCancel);
  setTabOrder(optCancel, cmdContinue);

  // Enter anywhere in the dialog presses Continue.
  cmdContinue->setDefault(true);
  cmdContinue->setAutoDefault(true);
  connect(cmdContinue, &QPushButton::clicked, this, &frmClearOneTextBox::cmdContinue_Click);

  // The captions the dialog has before the language texts are applied.
  setWindowTitle(QStringLiteral("Clear one textbox"));
  SetCaption(lblNeedToClear, QStringLiteral("Need to clear"));
  SetCaption(lblClear, QStringLiteral("Clear:"));
  SetCaption(optClearFirstDate, QStringLiteral("first date"));
  SetCaption(optClearDateDiff, QStringLiteral("date difference"));
  SetCaption(optClearSecondDate, QStringLiteral("second date"));
  SetCaption(optCancel, QStringLiteral("Cancel this operation"));
  SetCaption(cmdContinue, QStringLiteral("Continue"));

  Form_Load();
}

void frmClearOneTextBox::Form_Load() { optClearDateDiff->setChecked(true); }

void frmClearOneTextBox::Form_Activate() {
  if (optCancel->isChecked()) optClearDateDiff->setChecked(true);
}

void frmClearOneTextBox::cmdContinue_Click() { accept(); }

ClearChoice frmClearOneTextBox::SelectedChoice() const {
  if (optClearFirstDate->isChecked()) return ClearChoice::FirstDate;
  if (optClearDateDiff->isChecked()) return ClearChoice::DateDifference;
  if (optClearSecondDate->isChecked()) return ClearChoice::SecondDate;
  return ClearChoice::Cancel;
}

ClearChoice frmClearOneTextBox::Ask(QPoint topLeft) {
  move(topLeft);
  adjustSize();
  KeepInside(this, AvailableGeometry(parentWidget() != nullptr ? parentWidget() : this));
  Form_Activate();
  // The focus starts on the selected choice, so the arrow keys change it at once.
  for (QRadioButton* option : {optClearFirstDate, optClearDateDiff, optClearSecondDate, optCancel}) {
    if (option->isChecked()) option->setFocus(Qt::OtherFocusReason);
  }
  if (exec() != QDialog::Accepted) return ClearChoice::Cancel;
  return SelectedChoice();
}

void frmClearOneTextBox::ApplyLanguageTexts(Language language) {
  const QString need = WithLineFeeds(ToQString(RequestMessage(language, reqmsg::BothDatesNeedEmptyDifference)));
  lblNeedToClear->setText(need);
  lblNeedToClear->setAccessibleName(QString(need).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed());
  SetCaption(lblClear, ToQString(TextOf(GeneralText::Clear, language)) + QLatin1Char(':'));
  SetCaption(lblOr, ToQString(TextOf(GeneralText::Or, language)));
  const std::pair<QAbstractButton*, GeneralText> buttons[] = {{optClearFirstDate, GeneralText::FirstDate},
                                                              {optClearDateDiff, GeneralText::DateDifference},
                                                              {optClearSecondDate, GeneralText::SecondDate},
                                                              {optCancel, GeneralText::CancelThisOperation},
                                                              {cmdContinue, GeneralText::Continue}};
  for (const auto& [button, entry] : buttons) SetCaption(button, ToQString(TextOf(entry, language)));
  setWindowTitle(ToQString(TextOf(GeneralText::Clear, language)));
}

}  // namespace qv
