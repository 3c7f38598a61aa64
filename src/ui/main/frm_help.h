#pragma once
// The help window: a fixed explanatory text about the calendars and the three kinds of
// computation, in the interface language, with a Close button. It lies over the lower part of
// the main window, can be resized (never below 4000 by 4000 twips) and minimised, and is hidden,
// not destroyed, by Close.
#include <QWidget>
#include <cstdint>

#include "text/language.h"

class QPlainTextEdit;
class QPushButton;

namespace qv {

class frmHelp : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMinimumSizeTwips = 4000;

  // Loads the window (and builds both help texts) without showing it. `mainWindow` owns it and
  // is the window it is placed over.
  explicit frmHelp(QWidget* mainWindow);

  // The main window's Help button: restores the window when it is minimised, else places it
  // over the main window the first time and shows it. `anchorTop` is the line the window is
  // placed from (the main window passes the top of its input frame), in pixels from the top of
  // the main window's frame; the help window's top edge lies 425 twips above it.
  void ShowHelp(Language language, int anchorTop);

  // The language the next activation shows; the main window calls it on a language switch.
  void SetLanguage(Language language) { language_ = language; }

 signals:
  // Close was clicked and the window hidden; the main window puts the focus into its first-date
  // box.
  void closed();
  // "More calendars…" was clicked: the main window opens the dialog of the today panel's added
  // calendars over this window.
  void moreCalendarsRequested();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void PlaceOverMainWindow(int anchorTop);
  void Form_Activate();
  void cmdClose_Click();

  QWidget* main_window_;
  Language language_ = Language::English;
  bool placed_ = false;
  QString texts_[2];  // English, German

  QPlainTextEdit* txbMsg = nullptr;
  QPushButton* cmdClose = nullptr;
  QPushButton* cmdMoreCalendars = nullptr;
};

}  // namespace qv
