// The main window on small screens and under a user's hands: it fits a small screen with every
// control reachable, holds still while options, language and selection change, and answers the
// keys a Linux user reaches for (Quit, Help, Close, paste, the today panel).
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "calendar/clock.h"
#include "message_recorder.h"
#include "platform/screen_fit.h"
#include "support/program_texts.h"
#include "ui/main/frm_main.h"

using namespace qv;

namespace {

// Where every visible control of `window` sits, in the window's coordinates.
QHash<QString, QRect> Geometries(QWidget* window) {
  QHash<QString, QRect> where;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || !widget->isVisibleTo(window) || widget->isWindow()) continue;
    where.insert(widget->objectName(), QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
  }
  return where;
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> config_;
  std::unique_ptr<test::MessageRecorder> messages_;
  std::unique_ptr<frmMain> window_;

  template <typename T>
  T* Get(const char* name) {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }
  QLineEdit* First() { return Get<QLineEdit>("txbFirstDate"); }
  void StartWindow() {
    window_.reset();
    messages_ = std::make_unique<test::MessageRecorder>();
    window_ = std::make_unique<frmMain>(test::ShippedTexts(), *messages_);
    window_->Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QApplication::setActiveWindow(window_.get());
    QTRY_VERIFY(window_->isActiveWindow());
  }
  // A secondary window of the main window, by its object name, once it exists.
  QWidget* Secondary(const char* name) { return window_->findChild<QWidget*>(QString::fromLatin1(name)); }

  // Every control that takes the focus, in the order Tab visits them.
  QList<QWidget*> TabStops() {
    QList<QWidget*> stops;
    First()->setFocus(Qt::TabFocusReason);
    QWidget* start = QApplication::focusWidget();
    QWidget* at = start;
    do {
      stops.append(at);
      QTest::keyClick(at, Qt::Key_Tab);
      at = QApplication::focusWidget();
    } while (at != nullptr && at != start && stops.size() < 200);
    return stops;
  }

 private slots:
  void initTestCase() {
    config_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
  }

  void init() {
    SetTodaySource([] { return LocalDate{2012, 12, 31}; });
    QDir(config_->path()).removeRecursively();
    QDir().mkpath(config_->path());
    StartWindow();
  }

  void cleanup() {
    window_.reset();
    SetTodaySource({});
  }

  // ---- The window fits the screen --------------------------------------------------------------

  void fitInside_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("fits already") << QRect(10, 10, 100, 50) << QRect(0, 0, 800, 600) << QRect(10, 10, 100, 50);
    QTest::newRow("too wide, moved in") << QRect(500, 10, 1300, 50) << QRect(0, 0, 1024, 600) << QRect(0, 10, 1024, 50);
    QTest::newRow("past the right edge") << QRect(900, 0, 300, 50) << QRect(0, 0, 1024, 600) << QRect(724, 0, 300, 50);
    QTest::newRow("above the top panel") << QRect(10, -40, 100, 50) << QRect(0, 30, 1024, 570) << QRect(10, 30, 100, 50);
    QTest::newRow("too tall and too wide") << QRect(0, 0, 1400, 700) << QRect(0, 28, 960, 512) << QRect(0, 28, 960, 512);
    QTest::newRow("second screen") << QRect(1800, 100, 400, 300) << QRect(1920, 0, 1024, 768) << QRect(1920, 100, 400, 300);
    QTest::newRow("no screen known") << QRect(5, 5, 3000, 2000) << QRect() << QRect(5, 5, 3000, 2000);
  }
  void fitInside() {
    QFETCH(QRect, wanted);
    QFETCH(QRect, available);
    QFETCH(QRect, fitted);
    QCOMPARE(FitInside(wanted, available), fitted);
  }

  // On a small screen, in either language, the window lies inside the room it is given, and Tab
  // reaches every control, each scrolled wholly into view with its caption uncut.
  void smallScreensReachEveryControl_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("language");
    QTest::newRow("1024 x 600, English") << QRect(0, 0, 1024, 600) << 0;
    QTest::newRow("1024 x 600, German") << QRect(0, 0, 1024, 600) << 1;
    QTest::newRow("1920 x 1080 at scale 2, German") << QRect(0, 0, 960, 540) << 1;
    QTest::newRow("1366 x 768 at 125 %, a panel above") << QRect(0, 27, 1093, 587) << 0;
    QTest::newRow("800 x 480") << QRect(0, 0, 800, 480) << 1;
    QTest::newRow("large screen, full size") << QRect(0, 0, 1920, 1080) << 1;
  }
  void smallScreensReachEveryControl() {
    QFETCH(QRect, available);
    QFETCH(int, language);
    Get<QComboBox>("cboLanguage")->setCurrentIndex(language);
    window_->FitIntoScreen(available);
    QVERIFY(available.contains(window_->frameGeometry()));
    QVERIFY(window_->width() <= available.width() && window_->height() <= available.height());
    if (available.width() >= window_->FullSize().width() + 40) {
      // Room enough: the window opens at its full size.
      QCOMPARE(window_->size(), window_->FullSize());
    }
    QApplication::processEvents();
    // Tab goes round every control (one option of each group; the arrow keys choose within it).
    const QList<QWidget*> stops = TabStops();
    QVERIFY2(stops.size() >= 34, qPrintable(QString::number(stops.size())));
    QVERIFY(stops.contains(Get<QWidget>("cmdQuit")) && stops.contains(Get<QWidget>("lblMaker")));
    QWidget* content = Get<QWidget>("MainContent");
    for (QWidget* stop : stops) QVERIFY2(content->isAncestorOf(stop), qPrintable(stop->objectName()));
    // Nothing sticks out of the control around it (a frame or a column too narrow for it).
    for (QWidget* widget : content->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window_.get()) || widget->isWindow() || widget->objectName().isEmpty()) continue;
      QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
    }
    // Whatever takes the focus is scrolled wholly into view.
    const QRect inside = window_->rect();
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window_.get()) || !(widget->focusPolicy() & Qt::TabFocus) || widget->isWindow()) continue;
      if (!widget->isEnabled() || widget->focusProxy() != nullptr) continue;
      widget->setFocus(Qt::OtherFocusReason);
      QApplication::processEvents();
      const QRect shown(widget->mapTo(window_.get(), QPoint(0, 0)), widget->size());
      QVERIFY2(inside.contains(shown), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                                                      .arg(widget->objectName())
                                                      .arg(shown.x())
                                                      .arg(shown.y())
                                                      .arg(shown.width())
                                                      .arg(shown.height())
                                                      .arg(inside.width())
                                                      .arg(inside.height())));
    }
    // No caption is cut: every control is at least as wide as its caption needs.
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window_.get())) continue;
      if (qobject_cast<QAbstractButton*>(widget) == nullptr && qobject_cast<QLabel*>(widget) == nullptr) continue;
      QVERIFY2(widget->width() >= widget->minimumSizeHint().width(), qPrintable(widget->objectName()));
    }
  }

  // ---- The layout holds still ------------------------------------------------------------------

  void layoutHoldsStill_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("full size") << QSize();
    QTest::newRow("narrow") << QSize(900, 560);
  }
  void layoutHoldsStill() {
    QFETCH(QSize, size);
    if (size.isValid()) window_->resize(size);
    QApplication::processEvents();
    First()->setText(QStringLiteral("2000-01-01"));
    QTest::keyClick(First(), Qt::Key_Return);
    QApplication::processEvents();
    const QHash<QString, QRect> before = Geometries(window_.get());
    const auto same = [&](const char* step, QStringList changing = {}) {
      QApplication::processEvents();
      const QHash<QString, QRect> now = Geometries(window_.get());
      for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (changing.contains(it.key())) continue;
        QVERIFY2(now.value(it.key()) == it.value(), qPrintable(QStringLiteral("%1: %2").arg(step, it.key())));
      }
    };
    // The today panel's dates change their text; nothing else moves.
    const QStringList today{"lblTodaysDate1", "lblWeekFromToday1"};
    Get<QRadioButton>("optMonths")->click();
    same("months", {"chkIncludeFirstDate", "chkIncludeWeekends"});
    Get<QRadioButton>("optDays")->click();
    same("days");
    Get<QComboBox>("cboLanguage")->setCurrentIndex(1);
    same("German", today);
    Get<QComboBox>("cboLanguage")->setCurrentIndex(0);
    same("English again");
    QPlainTextEdit* output = Get<QPlainTextEdit>("txbOutput");
    QTextCursor cursor = output->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    output->setTextCursor(cursor);
    QCOMPARE(Get<QPushButton>("cmdCopyOutput")->text(), QStringLiteral("Copy selected text to clipboard"));
    same("selection");
    Get<QComboBox>("cboLanguage")->setCurrentIndex(1);
    same("selection in German", today);
    Get<QCheckBox>("chkHyphen")->click();
    same("no hyphen", today);
  }

  // Under a dark desktop palette the round and square marks stay light on the cyan, so a
  // selected option (a dark dot) and a ticked box (a dark tick) stand out from the others.
  void optionMarksReadableUnderADarkPalette() {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
    QApplication::setPalette(dark);
    StartWindow();
    const auto mark = [](QAbstractButton* option) {
      QStyleOptionButton style_option;
      style_option.initFrom(option);
      const bool radio = qobject_cast<QRadioButton*>(option) != nullptr;
      const QRect area = option->style()->subElementRect(
          radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &style_option, option);
      return option->grab(area).toImage();
    };
    // Mean brightness of the mark, and its darkest point.
    const auto light = [](const QImage& image) {
      double sum = 0;
      int darkest = 255;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const int grey = qGray(image.pixel(x, y));
          sum += grey;
          darkest = std::min(darkest, grey);
        }
      }
      return std::pair{sum / (image.width() * image.height()), darkest};
    };
    const std::pair<const char*, const char*> pairs[] = {{"optDays", "optMonths"},
                                                         {"optFirstDateIsCE", "optFirstDateIsJC"},
                                                         {"chkVerbose", "chkIncludeFirstDate"}};
    for (const auto& [checked_name, clear_name] : pairs) {
      QAbstractButton* checked = Get<QAbstractButton>(checked_name);
      QAbstractButton* clear = Get<QAbstractButton>(clear_name);
      QVERIFY(checked->isChecked() && !clear->isChecked());
      const auto [clear_mean, clear_darkest] = light(mark(clear));
      const auto [checked_mean, checked_darkest] = light(mark(checked));
      QVERIFY2(clear_mean > 170, clear_name);                // a light, empty mark
      QVERIFY2(checked_darkest < 90, checked_name);          // with a dark dot or tick inside
      QVERIFY2(clear_mean - checked_mean > 15, checked_name);
      (void)clear_darkest;
    }
    QApplication::setPalette(before);
  }

  // ---- Keys ------------------------------------------------------------------------------------

  void quitKeySavesSettingsAndEnds() {
    Get<QRadioButton>("optMonths")->click();
    const QString path = QString::fromStdString(window_->SettingsFilePath());
    QFile::remove(path);
    QTest::keySequence(First(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(QFile::exists(path));
    StartWindow();
    QVERIFY(Get<QRadioButton>("optMonths")->isChecked());
  }

  // F1 opens Help; Escape and the desktop's Close key close Help, the month window and the
  // enlarged display as their Close buttons do, and the focus comes back to the main window.
  void closeKeysCloseSecondaryWindows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QKeySequence>("key");
    for (const char* name : {"frmHelp", "frmDisplayMonth", "frmLargeDisplay"}) {
      QTest::newRow(qPrintable(QStringLiteral("%1, Escape").arg(name))) << QString::fromLatin1(name)
                                                                         << QKeySequence(Qt::Key_Escape);
      QTest::newRow(qPrintable(QStringLiteral("%1, Close").arg(name))) << QString::fromLatin1(name)
                                                                        << QKeySequence(QKeySequence::Close);
    }
  }
  void closeKeysCloseSecondaryWindows() {
    QFETCH(QString, window);
    QFETCH(QKeySequence, key);
    QVERIFY(!key.isEmpty());
    if (window == QLatin1String("frmHelp")) {
      QTest::keyClick(First(), Qt::Key_F1);
    } else if (window == QLatin1String("frmDisplayMonth")) {
      Get<QPushButton>("cmdDisplayMonth")->click();
    } else {
      First()->setText(QStringLiteral("2000-01-01"));
      QTest::keyClick(First(), Qt::Key_Return);
      Get<QPushButton>("cmdEnlarge")->click();
    }
    QWidget* secondary = window_->findChild<QWidget*>(window);
    QVERIFY(secondary != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(secondary));
    QApplication::setActiveWindow(secondary);
    QTRY_VERIFY(secondary->isActiveWindow());
    QVERIFY(available_contains(secondary));
    QTest::keySequence(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : secondary, key);
    QTRY_VERIFY(!secondary->isVisible());
    QVERIFY(window_->isVisible());
  }

  // A date pasted with a line break or blanks around it lands trimmed; a paste that would make
  // the box too long, or several lines, changes nothing.
  void pasteTrimsBlanksAndLineBreaks_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::newRow("trailing line feed") << QString() << QStringLiteral("2008-01-01\n") << QStringLiteral("2008-01-01");
    QTest::newRow("CR LF and blanks") << QString() << QStringLiteral("  2008-01-01 \r\n") << QStringLiteral("2008-01-01");
    QTest::newRow("tab and no-break space") << QString() << QStringLiteral("\t2008-01-01\u00a0")
                                            << QStringLiteral("2008-01-01");
    QTest::newRow("plain") << QString() << QStringLiteral("2008-01-01") << QStringLiteral("2008-01-01");
    QTest::newRow("after typed text") << QStringLiteral("2008-") << QStringLiteral("01-01\n")
                                      << QStringLiteral("2008-01-01");
    QTest::newRow("too long") << QStringLiteral("2008-01-01") << QStringLiteral("123456789\n")
                              << QStringLiteral("2008-01-01");
    QTest::newRow("two lines") << QString() << QStringLiteral("2008-01-01\n2008-01-02\n") << QString();
    QTest::newRow("only blanks") << QStringLiteral("20") << QStringLiteral(" \n ") << QStringLiteral("20");
  }
  void pasteTrimsBlanksAndLineBreaks() {
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    First()->setText(before);
    First()->setFocus();
    QApplication::clipboard()->setText(clipboard);
    QTest::keySequence(First(), QKeySequence::Paste);
    QCOMPARE(First()->text(), after);
    // What was pasted computes as typed text does.
    if (after == QLatin1String("2008-01-01")) {
      QTest::keyClick(First(), Qt::Key_Return);
      QVERIFY(Get<QPlainTextEdit>("txbOutput")->toPlainText().startsWith(QLatin1String("2008-01-01 CE")));
      QVERIFY(messages_->shown.empty());
    }
  }

  // The context menu's Paste and the middle mouse button bypass the keys: a line break around
  // the date goes all the same, and text of several lines is refused.
  void otherPastesLoseLineBreaks_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::newRow("trailing line feed") << QString() << QStringLiteral("2008-01-01\n") << QStringLiteral("2008-01-01");
    QTest::newRow("blanks and CR LF") << QString() << QStringLiteral(" 2008-01-01 \r\n") << QStringLiteral("2008-01-01");
    QTest::newRow("two lines") << QStringLiteral("20") << QStringLiteral("1\n2") << QStringLiteral("20");
    QTest::newRow("no line break") << QStringLiteral("20") << QStringLiteral("08-01") << QStringLiteral("2008-01");
  }
  void otherPastesLoseLineBreaks() {
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    for (const char* name : {"txbFirstDate", "txbDateDiff", "txbSecondDate"}) {
      QLineEdit* box = Get<QLineEdit>(name);
      box->setText(before);
      QApplication::clipboard()->setText(clipboard);
      box->paste();  // what the context menu's Paste does
      QCOMPARE(box->text(), after);
    }
  }

  // The today panel's dates answer Space and Enter (next calendar) and Shift with either
  // (previous), say so to assistive technology, and show a focus mark, as the links do.
  void todayPanelAndLinksFromTheKeyboard() {
    QLabel* date = Get<QLabel>("lblTodaysDate1");
    QVERIFY(date->accessibleDescription().contains(QLatin1String("Shift+Space")));
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(date->text(), QStringLiteral("2013-W01-1 ISO"));
    QTest::keyClick(date, Qt::Key_Space);
    QCOMPARE(date->text(), QStringLiteral("2012-12-18 JC"));
    QTest::keyClick(date, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(date, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(date->text(), QStringLiteral("2012-12-31 CE"));
    window_->setAttribute(Qt::WA_KeyboardFocusChange);  // as once the user has pressed Tab
    for (const char* name : {"lblTodaysDate1", "lblWeekFromToday1", "lblOnlineDocumentation", "lblMaker"}) {
      QLabel* label = Get<QLabel>(name);
      First()->setFocus(Qt::TabFocusReason);
      const QImage without = label->grab().toImage();
      label->setFocus(Qt::TabFocusReason);
      QVERIFY2(label->hasFocus(), name);
      QVERIFY2(label->grab().toImage() != without, name);
    }
  }

 private:
  bool available_contains(QWidget* secondary) { return AvailableGeometry(secondary).contains(secondary->frameGeometry()); }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_qtest.moc"
