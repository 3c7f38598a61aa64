#pragma once
// The enlarged display: a separate, resizable window that shows a copy of the main window's
// output text in a larger box, read-only, with a button that copies the whole text or the
// selected part of it to the clipboard. Created once; Close and the window's close box only hide
// it, and each Enlarge fills it with a fresh copy and shows it again.
#include <QIcon>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

class QPushButton;

#include "text/language.h"

namespace qv {

class MessageService;
class OutputTextBox;
class ProgramTextStore;

class frmLargeDisplay : public QWidget {
  Q_OBJECT

 public:
  // Lengths in twips.
  static constexpr int kMinimumWidthTwips = 6000;
  static constexpr int kMinimumHeightTwips = 3000;
  static constexpr int kInitialWidthTwips = 6000;
  static constexpr int kTopOffsetTwips = 380;   // below the main window's top edge
  static constexpr int kLeftOffsetTwips = 100;  // right of the main window's left edge
  static constexpr int kInsetTwips = 100;       // lower right corner inside the main window's
  static constexpr int kMarginTwips = 150;      // around the text box and the buttons

  // The copy button's least width in each language: when the window is activated, and for each
  // of its two captions.
  struct CopyButtonTwips {
    int on_activation;
    int copy_all;
    int copy_selection;
  };
  static constexpr CopyButtonTwips kEnglishCopyButton{.on_activation = 2000, .copy_all = 2500, .copy_selection = 3500};
  static constexpr CopyButtonTwips kGermanCopyButton{.on_activation = 4000, .copy_all = 3500, .copy_selection = 3500};

  // Numbered program texts of the copy button.
  static constexpr int16_t kCopyAllText = 185;
  static constexpr int16_t kCopySelectionText = 424;

  // `parent` may be the main window: the display is still a top-level window of its own.
  frmLargeDisplay(const ProgramTextStore& texts, MessageService& messages, QWidget* parent = nullptr);

  // Opens the display over the main window whose outer geometry (frameGeometry(), pixels) is
  // `mainFrameGeometry`: restored if minimised, placed 380 twips below and 100 twips right of the
  // main window's top-left corner with its lower right corner 100 twips inside the main window's,
  // titled `title` with `icon`, holding a read-only copy of `text` (lines ending in CR LF). The
  // display does not follow later changes of the main output. A blank text opens nothing and
  // shows the "output window is empty" warning instead.
  void ShowOutput(std::string text, const QRect& mainFrameGeometry, const QString& title, const QIcon& icon,
                  Language language);
  void ShowOutput(const QString& text, const QRect& mainFrameGeometry, const QString& title, const QIcon& icon,
                  Language language) {
    ShowOutput(text.toStdString(), mainFrameGeometry, title, icon, language);
  }

  // Re-captions the buttons in `language` (the displayed text keeps its language).
  void ApplyLanguage(Language language);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void Form_Activate();
  void SetCopyToClipboardButton();
  void ShowCopyCaption();
  void cmdCopyToClipboard_Click();
  void txbOutput_MouseUp(Qt::MouseButton button);
  void cmdClose_Click();
  const CopyButtonTwips& CopyButtonWidths() const;
  void SetCopyButtonWidth(int twips);

  const ProgramTextStore& texts_;
  MessageService& messages_;
  Language language_ = Language::English;

  OutputTextBox* txbOutput;
  QPushButton* cmdCopyToClipboard;
  QPushButton* cmdClose;
};

}  // namespace qv
