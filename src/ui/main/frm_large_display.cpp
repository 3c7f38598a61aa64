#include "ui/main/frm_large_display.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <utility>

#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/program_text.h"
#include "platform/named_widget.h"
#include "platform/message_service.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "ui/main/window_widgets.h"

namespace qv {
namespace {

// Nothing but blanks and line breaks (QString::trimmed's white space, in ASCII).
bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

}  // namespace

frmLargeDisplay::frmLargeDisplay(const ProgramTextStore& texts, MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), texts_(texts), messages_(messages) {
  setObjectName(QStringLiteral("frmLargeDisplay"));
  // Closing the display never ends the program; only the main window does.
  setAttribute(Qt::WA_QuitOnClose, false);

  // The main window's kind of output box, read-only and selectable, except that the text wraps
  // to the width of this resizable window.
  txbOutput = Named(new OutputTextBox(this), "txbOutput");
  txbOutput->SetWrap(ReadOnlyTextView::Wrap::WidgetWidth);

  cmdCopyToClipboard = Named(new QPushButton(this), "cmdCopyToClipboard");
  cmdClose = Named(new QPushButton(this), "cmdClose");
  // Enter on a focused button presses it, as Space does.
  cmdCopyToClipboard->setAutoDefault(true);
  cmdClose->setAutoDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdCopyToClipboard);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  const int margin = TwipsToPixels(kMarginTwips, this);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->addWidget(txbOutput, 1);
  layout->addLayout(buttons);

  setTabOrder(txbOutput, cmdCopyToClipboard);
  setTabOrder(cmdCopyToClipboard, cmdClose);

  connect(cmdCopyToClipboard, &QPushButton::clicked, this, &frmLargeDisplay::cmdCopyToClipboard_Click);
  connect(cmdClose, &QPushButton::clicked, this, &frmLargeDisplay::cmdClose_Click);
  AddCloseKeys(this, cmdClose);
  // A selection made with the keyboard renames the copy button too (the mouse path also moves
  // the focus, see SetCopyToClipboardButton).
  connect(txbOutput, &OutputTextBox::selectionChanged, this, &frmLargeDisplay::ShowCopyCaption);
  // Enter over a selection copies it, as the button does.
  connect(txbOutput, &OutputTextBox::copyRequested, this, &frmLargeDisplay::cmdCopyToClipboard_Click);
  connect(txbOutput, &OutputTextBox::mouseReleased, this, &frmLargeDisplay::txbOutput_MouseUp);

  Form_Load();
}

void frmLargeDisplay::Form_Load() {
  const QString copy = ToQString(TextOf(GeneralText::CopyToClipboard, Language::English));
  cmdCopyToClipboard->setText(copy);
  cmdCopyToClipboard->setAccessibleName(copy);
  const QString close = ToQString(TextOf(GeneralText::Close, Language::English));
  cmdClose->setText(close);
  cmdClose->setAccessibleName(close);
  txbOutput->setAccessibleName(ToQString(TextOf(GeneralText::OutputWindow, Language::English)));
  // Form_Resize's lower limits; Qt keeps every resize at or above them.
  setMinimumSize(TwipsToPixels(kMinimumWidthTwips, this), TwipsToPixels(kMinimumHeightTwips, this));
  resize(TwipsToPixels(kInitialWidthTwips, this), TwipsToPixels(kMinimumHeightTwips, this));
}

void frmLargeDisplay::ApplyLanguage(Language language) {
  language_ = language;
  const QString close = ToQString(TextOf(GeneralText::Close, language_));
  cmdClose->setText(close);
  cmdClose->setAccessibleName(close);
  txbOutput->setAccessibleName(ToQString(TextOf(GeneralText::OutputWindow, language_)));
  ShowCopyCaption();
}

void frmLargeDisplay::ShowOutput(std::string text, const QRect& mainFrameGeometry, const QString& title,
                                 const QIcon& icon, Language language) {
  ApplyLanguage(language);
  // The caller trims the output and warns about an empty one; a blank text reaching this point
  // still opens nothing.
  if (IsBlankText(text)) {
    messages_.Show(parentWidget(), MessageRequest{.title = ToQString(TextOf(GeneralText::OutputWindow, language)),
                                                  .text = ToQString(TextOf(GeneralText::OutputWindowIsEmpty, language)),
                                                  .icon = MessageIcon::Warning});
    return;
  }

  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);

  // Outer edges: 380 twips below and 100 right of the main window's top-left corner, the lower
  // right corner 100 twips inside the main window's.
  const int left = mainFrameGeometry.x() + TwipsToPixels(kLeftOffsetTwips, this);
  const int top = mainFrameGeometry.y() + TwipsToPixels(kTopOffsetTwips, this);
  const int right = mainFrameGeometry.x() + mainFrameGeometry.width() - TwipsToPixels(kInsetTwips, this);
  const int bottom = mainFrameGeometry.y() + mainFrameGeometry.height() - TwipsToPixels(kInsetTwips, this);
  // The window manager's frame is part of the outer size; the platform window must exist to know it.
  if (!testAttribute(Qt::WA_WState_Created)) create();
  const QSize frame = frameGeometry().size() - geometry().size();
  move(left, top);
  resize(right - left - frame.width(), bottom - top - frame.height());  // never below the minimum

  setWindowIcon(icon);
  // A button caption may mark its access key with '&'; a window title shows the plain text.
  setWindowTitle(ToQString(WithoutMnemonic(title.toStdString())));
  ToLineFeeds(text);
  txbOutput->SetUtf8(std::move(text));

  show();
  KeepInside(this, AvailableGeometry(parentWidget() != nullptr ? parentWidget() : this));
  raise();
  activateWindow();
  Form_Activate();
}

bool frmLargeDisplay::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return handled;
}

void frmLargeDisplay::Form_Activate() {
  if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
  }
  SetCopyToClipboardButton();
  SetCopyButtonWidth(CopyButtonWidths().on_activation);
}

void frmLargeDisplay::ShowCopyCaption() {
  const bool selected = txbOutput->HasSelection();
  QString caption = ToQString(GetProgramText(texts_, selected ? kCopySelectionText : kCopyAllText, language_));
  if (caption.isEmpty()) {
    // A program-text file without these texts still leaves a readable button.
    caption = ToQString(TextOf(selected ? GeneralText::CopySelectedTextToClipboard : GeneralText::CopyToClipboard, language_));
  }
  cmdCopyToClipboard->setText(caption);
  cmdCopyToClipboard->setAccessibleName(caption);
  SetCopyButtonWidth(selected ? CopyButtonWidths().copy_selection : CopyButtonWidths().copy_all);
}

void frmLargeDisplay::SetCopyToClipboardButton() {
  ShowCopyCaption();
  if (!txbOutput->HasSelection() && isVisible()) cmdClose->setFocus(Qt::OtherFocusReason);
}

const frmLargeDisplay::CopyButtonTwips& frmLargeDisplay::CopyButtonWidths() const {
  return language_ == Language::German ? kGermanCopyButton : kEnglishCopyButton;
}

// The described width is a lower limit: the layout widens the button when its caption needs more
// room in the current font, so the caption is never cut.
void frmLargeDisplay::SetCopyButtonWidth(int twips) { cmdCopyToClipboard->setMinimumWidth(TwipsToPixels(twips, this)); }

void frmLargeDisplay::cmdCopyToClipboard_Click() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(txbOutput->HasSelection() ? txbOutput->SelectedText() : txbOutput->Text());
  txbOutput->ClearSelection();
  SetCopyToClipboardButton();
}

void frmLargeDisplay::txbOutput_MouseUp(Qt::MouseButton button) {
  if (button == Qt::LeftButton) SetCopyToClipboardButton();
}

void frmLargeDisplay::cmdClose_Click() {
  setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
  hide();
}

void frmLargeDisplay::closeEvent(QCloseEvent* event) {
  cmdClose_Click();
  event->accept();  // the window is hidden, never destroyed
}

}  // namespace qv
