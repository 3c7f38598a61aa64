#include "ui/main/frm_help.h"

#include <QEvent>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "lang/added_calendar_texts.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/help_texts.h"
#include "platform/named_widget.h"
#include "platform/documentation_links.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"

namespace qv {
namespace {

// The text box's margins inside the window: 200 on the left, 250 on the right, 100 above, and
// the Close button 100 below it; the text box leaves 1100 of the window's height to the rest.
constexpr int kLeftTwips = 200;
constexpr int kRightTwips = 250;
constexpr int kTopTwips = 100;
constexpr int kGapTwips = 100;
constexpr int kBelowTextTwips = 1100;
// Placement over the main window.
constexpr int kAboveAnchorTwips = 425;
constexpr int kAboveMainBottomTwips = 125;

}  // namespace

frmHelp::frmHelp(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window), main_window_(mainWindow) {
  setObjectName(QStringLiteral("frmHelp"));
  // BuildHelpTexts: both languages once, with the manual of each language.
  const std::string english_manual = ManualAddress(Language::English);
  const std::string german_manual = ManualAddress(Language::German);
  const ManualAddresses manual{.english = english_manual, .german = german_manual};
  texts_[0] = ToQString(BuildHelpText(Language::English, manual));
  texts_[1] = ToQString(BuildHelpText(Language::German, manual));

  txbMsg = Named(new QPlainTextEdit(this), "txbMsg");
  txbMsg->setReadOnly(true);
  txbMsg->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  txbMsg->setTabChangesFocus(true);
  cmdClose = Named(new QPushButton(this), "cmdClose");
  cmdClose->setAutoDefault(true);
  cmdMoreCalendars = Named(new QPushButton(this), "cmdMoreCalendars");
  cmdMoreCalendars->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  const int bottom = std::max(0, TwipsToPixels(kBelowTextTwips - kTopTwips - kGapTwips, this) -
                                     cmdClose->sizeHint().height());
  layout->setContentsMargins(TwipsToPixels(kLeftTwips, this), TwipsToPixels(kTopTwips, this),
                             TwipsToPixels(kRightTwips, this), bottom);
  layout->setSpacing(TwipsToPixels(kGapTwips, this));
  layout->addWidget(txbMsg, 1);
  // Close centred under the text box, between two columns of equal stretch; "More calendars…" at
  // the left edge of the first. Only a window too narrow for both beside a centred Close moves
  // Close to the right of it, never over it.
  auto* buttons = new QGridLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setHorizontalSpacing(0);  // an empty third column would get none, the first one would
  buttons->addWidget(cmdMoreCalendars, 0, 0, Qt::AlignLeft);
  buttons->addWidget(cmdClose, 0, 1);
  buttons->setColumnStretch(0, 1);
  buttons->setColumnStretch(2, 1);
  layout->addLayout(buttons);

  setMinimumSize(TwipsToPixels(kMinimumSizeTwips, this), TwipsToPixels(kMinimumSizeTwips, this));
  if (main_window_ != nullptr) setWindowIcon(main_window_->windowIcon());
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  connect(cmdMoreCalendars, &QPushButton::clicked, this, [this] { emit moreCalendarsRequested(); });
  AddCloseKeys(this, cmdClose);
  Form_Activate();
}

void frmHelp::ShowHelp(Language language, int anchorTop) {
  language_ = language;
  if (isMinimized()) {
    showNormal();
  } else {
    show();
    // Placed once, when the frame is known: its edges, not the client area's, meet the main
    // window's.
    if (!placed_) PlaceOverMainWindow(anchorTop);
  }
  KeepInside(this, AvailableGeometry(main_window_ != nullptr ? main_window_ : this));
  raise();
  activateWindow();
  Form_Activate();
}

void frmHelp::PlaceOverMainWindow(int anchorTop) {
  placed_ = true;
  if (main_window_ == nullptr) return;
  const QRect main = main_window_->frameGeometry();
  const int top = main.top() + anchorTop - TwipsToPixels(kAboveAnchorTwips, this);
  const int bottom = main.bottom() + 1 - TwipsToPixels(kAboveMainBottomTwips, this);
  // The frame adds to the client area; keep the outer edges where they belong.
  const int frame_width = frameGeometry().width() - geometry().width();
  const int frame_height = frameGeometry().height() - geometry().height();
  resize(main.width() - frame_width, bottom - top - frame_height);  // raised to the minimum if smaller
  // Never above the top of the screen, where its title bar could not be reached.
  const QScreen* shown_on = main_window_->screen();
  const int screen_top = shown_on != nullptr ? shown_on->availableGeometry().top() : top;
  move(main.left(), std::max(top, screen_top));
}

void frmHelp::Form_Activate() {
  setWindowTitle(QStringLiteral("Quorvan ") + ToQString(TextOf(GeneralText::Help, language_)));
  cmdClose->setText(ToQString(TextOf(GeneralText::Close, language_)));
  cmdClose->setAccessibleName(cmdClose->text());
  const std::string_view more = AddedCalendarTextOf(AddedCalendarText::MoreCalendarsButton, language_);
  cmdMoreCalendars->setText(ToQString(more));
  cmdMoreCalendars->setAccessibleName(ToQString(WithoutMnemonic(more)));
  txbMsg->setAccessibleName(windowTitle());
  txbMsg->setPlainText(texts_[language_ == Language::German ? 1 : 0]);
  txbMsg->moveCursor(QTextCursor::Start);
  if (!isMaximized() && isMinimized()) showNormal();
}

void frmHelp::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void frmHelp::cmdClose_Click() {
  hide();
  emit closed();
}

}  // namespace qv
