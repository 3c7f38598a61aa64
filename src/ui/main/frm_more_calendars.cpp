#include "ui/main/frm_more_calendars.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "calendar/added_calendars.h"
#include "lang/added_calendar_texts.h"
#include "lang/captions.h"
#include "lang/work_days_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"

namespace qv {

frmMoreCalendars::frmMoreCalendars(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMoreCalendars"));
  lblNote = Named(new QLabel(this), "lblMoreCalendarsNote");
  lblNote->setWordWrap(true);
  // A word-wrapped label in a dialog of fixed size takes the narrowest width it can: give the note
  // the room of a short paragraph.
  lblNote->setMinimumWidth(lblNote->fontMetrics().averageCharWidth() * 56);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblNote);
  codes_ = AvailableAddedCalendars();
  for (const CalendarCode code : codes_) {
    const QByteArray name = "chkMoreCalendar" + QByteArray(CalendarTextCode(code).data(),
                                                            static_cast<qsizetype>(CalendarTextCode(code).size()));
    chkCalendar.push_back(Named(new QCheckBox(this), name.constData()));
    layout->addWidget(chkCalendar.back(), 0, Qt::AlignLeft);
  }
  lblOrder = Named(new QLabel(this), "lblMoreCalendarsOrder");
  lblOrder->setWordWrap(true);
  layout->addWidget(lblOrder);
  buttons_ = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttons");
  buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Every signal of the dialog is connected here.
  for (std::size_t i = 0; i < chkCalendar.size(); ++i) {
    connect(chkCalendar[i], &QCheckBox::toggled, this, [this, i](bool on) { CalendarToggled(i, on); });
  }
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmMoreCalendars::Prepare(const std::vector<CalendarCode>& chosen, Language language) {
  language_ = language;
  chosen_.clear();
  for (const CalendarCode code : chosen) {
    const bool offered = std::find(codes_.begin(), codes_.end(), code) != codes_.end();
    if (offered && std::find(chosen_.begin(), chosen_.end(), code) == chosen_.end()) chosen_.push_back(code);
  }
  setWindowTitle(ToQString(AddedCalendarTextOf(AddedCalendarText::MoreCalendarsTitle, language)));
  lblNote->setText(ToQString(AddedCalendarTextOf(AddedCalendarText::MoreCalendarsNote, language)));
  lblNote->setAccessibleName(lblNote->text());
  filling_ = true;
  for (std::size_t i = 0; i < codes_.size(); ++i) {
    const QString name = ToQString(AddedCalendarName(codes_[i], language));
    chkCalendar[i]->setText(name + QStringLiteral(" (") + ToQString(CalendarTextCode(codes_[i])) + QLatin1Char(')'));
    chkCalendar[i]->setAccessibleName(chkCalendar[i]->text());
    chkCalendar[i]->setChecked(std::find(chosen_.begin(), chosen_.end(), codes_[i]) != chosen_.end());
  }
  filling_ = false;
  // The working-days dialog's words for its two buttons.
  buttons_->button(QDialogButtonBox::Ok)->setText(ToQString(WorkDaysTextOf(WorkDaysText::Ok, language)));
  buttons_->button(QDialogButtonBox::Cancel)->setText(ToQString(WorkDaysTextOf(WorkDaysText::Cancel, language)));
  for (QAbstractButton* button : buttons_->buttons()) {
    button->setAccessibleName(ToQString(WithoutMnemonic(button->text().toStdString())));
  }
  ShowOrder();
  if (!chkCalendar.empty()) chkCalendar.front()->setFocus();
}

void frmMoreCalendars::CalendarToggled(std::size_t index, bool on) {
  if (filling_) return;
  const CalendarCode code = codes_[index];
  const auto at = std::find(chosen_.begin(), chosen_.end(), code);
  if (on && at == chosen_.end()) chosen_.push_back(code);
  if (!on && at != chosen_.end()) chosen_.erase(at);
  ShowOrder();
}

// "Order after JDN: Hebrew, Islamic": the cycle's end as the panel will go round it.
void frmMoreCalendars::ShowOrder() {
  QString text = ToQString(AddedCalendarTextOf(AddedCalendarText::MoreCalendarsOrder, language_)) + QLatin1Char(' ');
  if (chosen_.empty()) text += ToQString(AddedCalendarTextOf(AddedCalendarText::MoreCalendarsNone, language_));
  for (std::size_t i = 0; i < chosen_.size(); ++i) {
    if (i > 0) text += QStringLiteral(", ");
    text += ToQString(AddedCalendarName(chosen_[i], language_));
  }
  lblOrder->setText(text);
  lblOrder->setAccessibleName(text);
}

}  // namespace qv
