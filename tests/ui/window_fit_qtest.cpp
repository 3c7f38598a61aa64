// The main window on small screens and under a user's hands: it fits the room it is given with
// every control reachable, holds still while options, language and selection change, and
// answers the keys a Linux user reaches for (Quit, Help, Close, paste, the today panel).
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "calendar/clock.h"
#include "find_control.h"
#include "message_recorder.h"
#include "platform/screen_fit.h"
#include "support/program_texts.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"

using namespace qv;

namespace {
QString S(const char* text) { return QString::fromUtf8(text); }
}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  std::unique_ptr<test::MessageRecorder> messages_;
  std::unique_ptr<frmMain> window_;

  template <typename T = QWidget>
  T* Get(const char* name) {
    return test::FindControl<T>(window_.get(), name);
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
  // Where every visible named control sits, in the window's coordinates.
  QHash<QString, QRect> Geometries() {
    QHash<QString, QRect> where;
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (widget->objectName().isEmpty() || !widget->isVisibleTo(window_.get()) || widget->isWindow()) continue;
      where.insert(widget->objectName(), QRect(widget->mapTo(window_.get(), QPoint(0, 0)), widget->size()));
    }
    return where;
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }
  void init() {
    SetTodaySource([] { return LocalDate{2012, 12, 31}; });
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
    StartWindow();
  }
  void cleanup() {
    window_.reset();
    SetTodaySource({});
  }

  void fitInside_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("fits already") << QRect(10, 10, 100, 50) << QRect(0, 0, 800, 600) << QRect(10, 10, 100, 50);
    QTest::newRow("too wide") << QRect(500, 10, 1300, 50) << QRect(0, 0, 1024, 600) << QRect(0, 10, 1024, 50);
    QTest::newRow("past the right edge") << QRect(900, 0, 300, 50) << QRect(0, 0, 1024, 600) << QRect(724, 0, 300, 50);
    QTest::newRow("above a top panel") << QRect(10, -40, 100, 50) << QRect(0, 30, 1024, 570) << QRect(10, 30, 100, 50);
    QTest::newRow("too large") << QRect(0, 0, 1400, 700) << QRect(0, 28, 960, 512) << QRect(0, 28, 960, 512);
    QTest::newRow("second screen") << QRect(1800, 100, 400, 300) << QRect(1920, 0, 1024, 768) << QRect(1920, 100, 400, 300);
    QTest::newRow("no screen known") << QRect(5, 5, 3000, 2000) << QRect() << QRect(5, 5, 3000, 2000);
  }
  void fitInside() {
    QFETCH(QRect, wanted);
    QFETCH(QRect, available);
    QFETCH(QRect, fitted);
    QCOMPARE(FitInside(wanted, available), fitted);
  }

  // In the room a small screen leaves, in either language, the window lies inside that room,
  // Tab goes round the controls (and nothing else), nothing sticks out of the frame or column
  // around it, and whatever takes the focus is scrolled wholly into view.
  void smallScreensReachEveryControl_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("language");
    QTest::newRow("1024 x 600, English") << QRect(0, 0, 1024, 600) << 0;
    QTest::newRow("1920 x 1080 at scale 2, German") << QRect(0, 0, 960, 540) << 1;
    QTest::newRow("1366 x 768 at 125 %, top panel") << QRect(0, 27, 1093, 587) << 0;
    QTest::newRow("800 x 480, German") << QRect(0, 0, 800, 480) << 1;
    QTest::newRow("large screen") << QRect(0, 0, 1920, 1080) << 1;
  }
  void smallScreensReachEveryControl() {
    QFETCH(QRect, available);
    QFETCH(int, language);
    Get<QComboBox>("cboLanguage")->setCurrentIndex(language);
    window_->FitIntoScreen(available);
    QVERIFY(available.contains(window_->frameGeometry()));
    if (available.width() > window_->FullSize().width() + 40) QCOMPARE(window_->size(), window_->FullSize());
    QApplication::processEvents();
    // Compute and the row of Clear, Copy to clipboard, Enlarge and Quit stay in view however far
    // the rest is scrolled.
    for (const char* name : {"cmdCompute", "cmdClearOutputWindow", "cmdCopyOutput", "cmdEnlarge", "cmdQuit"}) {
      QWidget* button = Get(name);
      QTRY_VERIFY2(button->isVisible(), name);
      for (const int scrolled : {0, 1}) {
        QScrollBar* bar = Get<QScrollArea>("MainScrollArea")->verticalScrollBar();
        bar->setValue(scrolled == 0 ? bar->minimum() : bar->maximum());
        const QRect shown(button->mapTo(window_.get(), QPoint(0, 0)), button->size());
        QVERIFY2(window_->rect().contains(shown), name);
        QVERIFY2(!Get<QScrollArea>("MainScrollArea")->isAncestorOf(button) ||
                     Get<QScrollArea>("MainScrollArea")->verticalScrollBar()->maximum() == 0,
                 name);
      }
    }
    // In the bar, the output's Clear keeps apart from Compute, behind a line, as it does under
    // the output window at full size.
    if (Get("ActionBar")->isVisible()) {
      const QRect compute = Geometries().value(QStringLiteral("cmdCompute"));
      const QRect clear = Geometries().value(QStringLiteral("cmdClearOutputWindow"));
      const QRect line = Geometries().value(QStringLiteral("ActionBarSeparator"));
      QVERIFY(line.isValid());
      QVERIFY(compute.right() < line.left() && line.right() < clear.left());
      QVERIFY2(clear.left() - compute.right() >= 3 * window_->fontMetrics().averageCharWidth(),
               qPrintable(QString::number(clear.left() - compute.right())));
    }
    QList<QWidget*> stops{First()};
    First()->setFocus(Qt::TabFocusReason);
    for (QTest::keyClick(First(), Qt::Key_Tab); QApplication::focusWidget() != First() && stops.size() < 200;
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)) {
      stops.append(QApplication::focusWidget());
      QVERIFY2(window_->isAncestorOf(stops.back()), qPrintable(stops.back()->objectName()));
    }
    QVERIFY(stops.size() >= 34 && stops.contains(Get("cmdQuit")) && stops.contains(Get("lblMaker")));
    // The Tab order reads the window as before: Compute after the second date's calendars, Quit last.
    QVERIFY(stops.indexOf(Get("cmdCompute")) < stops.indexOf(Get("txbOutput")));
    QCOMPARE(stops.indexOf(Get("cmdQuit")), stops.indexOf(Get("lblMaker")) + 1);
    QWidget* content = Get("MainContent");  // larger than the scroll area's view: it scrolls
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window_.get()) || widget->objectName().isEmpty() || widget == content) continue;
      QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
      if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
      widget->setFocus();
      QApplication::processEvents();
      const QRect shown(widget->mapTo(window_.get(), QPoint(0, 0)), widget->size());
      QVERIFY2(window_->rect().contains(shown), qPrintable(widget->objectName()));
    }
  }

  // A 1024 x 600 netbook screen shows the whole window in both languages: every control without
  // scrolling up or down (the calendar options move under their dates to fit the width).
  void netbookScreenNeedsNoVerticalScroll_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("German") << 1;
  }
  void netbookScreenNeedsNoVerticalScroll() {
    QFETCH(int, language);
    Get<QComboBox>("cboLanguage")->setCurrentIndex(language);
    window_->FitIntoScreen(QRect(0, 0, 1024, 600));
    QApplication::processEvents();
    auto* area = Get<QScrollArea>("MainScrollArea");
    QVERIFY2(area->verticalScrollBar()->maximum() == 0,
             qPrintable(QStringLiteral("%1 px to scroll").arg(area->verticalScrollBar()->maximum())));
  }

  // Months or days, a language switch, a selection in the output and the hyphen option move no
  // other control, at full size and in the narrow arrangement alike.
  void layoutHoldsStill_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("full size") << QSize();
    QTest::newRow("narrow") << QSize(900, 560);
  }
  void layoutHoldsStill() {
    QFETCH(QSize, size);
    if (size.isValid()) window_->resize(size);
    First()->setText(QStringLiteral("2000-01-01"));
    QTest::keyClick(First(), Qt::Key_Return);
    QApplication::processEvents();
    const QHash<QString, QRect> before = Geometries();
    const QStringList today_dates{"lblTodaysDate1", "lblWeekFromToday1"};  // their texts change
    const auto step = [&](const char* name, const std::function<void()>& change) {
      change();
      QApplication::processEvents();
      const QHash<QString, QRect> now = Geometries();
      for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (today_dates.contains(it.key()) || !now.contains(it.key())) continue;
        QVERIFY2(now.value(it.key()) == it.value(), qPrintable(QStringLiteral("%1: %2").arg(name, it.key())));
      }
    };
    QComboBox* language = Get<QComboBox>("cboLanguage");
    step("months", [&] { Get<QRadioButton>("optMonths")->click(); });
    step("days", [&] { Get<QRadioButton>("optDays")->click(); });
    step("German", [&] { language->setCurrentIndex(1); });
    step("English", [&] { language->setCurrentIndex(0); });
    step("selection", [&] {
      Get<qv::OutputTextBox>("txbOutput")->SetSelection(0, 4);
    });
    QCOMPARE(Get<QPushButton>("cmdCopyOutput")->text(), QStringLiteral("Copy selected text to clipboard"));
    step("no hyphen", [&] { Get<QAbstractButton>("chkHyphen")->click(); });
  }

  // Under a dark desktop palette an option's or check box's mark stays light on the cyan, with
  // a dark dot or tick when selected, so selected and clear ones differ at a glance.
  void optionMarksReadableUnderADarkPalette() {
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) dark.setColor(role, QColor(45, 45, 45));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) dark.setColor(role, Qt::white);
    QApplication::setPalette(dark);
    StartWindow();
    // The mark's mean brightness and its darkest point.
    const auto mark = [](QAbstractButton* option) {
      QStyleOptionButton style_option;
      style_option.initFrom(option);
      const QImage image =
          option->grab(option->style()->subElementRect(qobject_cast<QRadioButton*>(option) != nullptr
                                                           ? QStyle::SE_RadioButtonIndicator
                                                           : QStyle::SE_CheckBoxIndicator,
                                                       &style_option, option))
              .toImage();
      double sum = 0;
      int darkest = 255;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          sum += qGray(image.pixel(x, y));
          darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
      }
      return std::pair{sum / (image.width() * image.height()), darkest};
    };
    for (const auto& [on, off] : {std::pair{"optDays", "optMonths"}, std::pair{"optFirstDateIsCE", "optFirstDateIsJC"},
                                  std::pair{"chkVerbose", "chkIncludeFirstDate"}}) {
      QVERIFY(Get<QAbstractButton>(on)->isChecked() && !Get<QAbstractButton>(off)->isChecked());
      const auto [off_mean, off_darkest] = mark(Get<QAbstractButton>(off));
      const auto [on_mean, on_darkest] = mark(Get<QAbstractButton>(on));
      QVERIFY2(off_mean > 170 && on_darkest < 90 && off_mean - on_mean > 15, on);
      (void)off_darkest;
    }
    QApplication::setPalette(light);
  }

  void quitKeySavesSettingsAndEnds() {
    Get<QRadioButton>("optMonths")->click();
    QFile::remove(QString::fromStdString(window_->SettingsFilePath()));
    QTest::keySequence(First(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QTRY_VERIFY(!window_->isVisible());
    StartWindow();
    QVERIFY(Get<QRadioButton>("optMonths")->isChecked());
  }

  // F1 opens Help; Escape and the desktop's Close key close Help, the month window and the
  // enlarged display as their Close buttons do; each lies inside the screen.
  void closeKeysCloseSecondaryWindows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QKeySequence>("key");
    for (const char* name : {"frmHelp", "frmDisplayMonth", "frmLargeDisplay"}) {
      QTest::addRow("%s, Escape", name) << QString::fromLatin1(name) << QKeySequence(Qt::Key_Escape);
      QTest::addRow("%s, Close", name) << QString::fromLatin1(name) << QKeySequence(QKeySequence::Close);
    }
  }
  void closeKeysCloseSecondaryWindows() {
    QFETCH(QString, window);
    QFETCH(QKeySequence, key);
    First()->setText(QStringLiteral("2000-01-01"));
    QTest::keyClick(First(), Qt::Key_Return);
    QCoreApplication::processEvents();  // Enter computes just after its key event
    if (window == QLatin1String("frmHelp")) QTest::keyClick(First(), Qt::Key_F1);
    if (window == QLatin1String("frmDisplayMonth")) Get<QPushButton>("cmdDisplayMonth")->click();
    if (window == QLatin1String("frmLargeDisplay")) Get<QPushButton>("cmdEnlarge")->click();
    QWidget* secondary = window_->findChild<QWidget*>(window);
    QVERIFY(secondary != nullptr && QTest::qWaitForWindowExposed(secondary));
    QVERIFY(AvailableGeometry(secondary).contains(secondary->frameGeometry()));
    QApplication::setActiveWindow(secondary);
    QTRY_VERIFY(secondary->isActiveWindow());
    QTest::keySequence(QApplication::focusWidget(), key);
    QTRY_VERIFY(!secondary->isVisible());
    QVERIFY(window_->isVisible());
  }

  // A pasted date loses a line break and blanks around it, with Ctrl+V or from the context
  // menu; a Ctrl+V that would make the box too long, or text of several lines, changes nothing.
  void pasteTrimsBlanksAndLineBreaks_data() {
    QTest::addColumn<bool>("keys");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    for (const bool keys : {true, false}) {
      const char* how = keys ? "Ctrl+V" : "menu";
      QTest::addRow("%s, line feed", how) << keys << QString() << S("2008-01-01\n") << S("2008-01-01");
      QTest::addRow("%s, blanks, CR LF", how) << keys << QString() << S("  2008-01-01 \r\n") << S("2008-01-01");
      QTest::addRow("%s, after typed text", how) << keys << S("2008-") << S("01-01\n") << S("2008-01-01");
      QTest::addRow("%s, two lines", how) << keys << S("20") << S("08\n09") << S("20");
    }
    QTest::newRow("Ctrl+V, tab and no-break space") << true << QString() << S("\t2008-01-01\u00a0") << S("2008-01-01");
    QTest::newRow("Ctrl+V, too long") << true << S("2008-01-01") << S("123456789\n") << S("2008-01-01");
  }
  void pasteTrimsBlanksAndLineBreaks() {
    QFETCH(bool, keys);
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    First()->setText(before);
    First()->setFocus();
    QApplication::clipboard()->setText(clipboard);
    if (keys) {
      QTest::keySequence(First(), QKeySequence::Paste);
    } else {
      First()->paste();  // what the context menu's Paste does
    }
    QCOMPARE(First()->text(), after);
    QTest::keyClick(First(), Qt::Key_Return);  // and it computes as typed text does
    if (after.size() == 10) QVERIFY(messages_->shown.empty());
  }

  // The today panel's dates answer Space and Enter (next calendar) and Shift with either
  // (previous), say so to assistive technology, and show a focus mark once the keyboard moves
  // the focus, as the links do.
  void todayPanelAndLinksFromTheKeyboard() {
    QLabel* date = Get<QLabel>("lblTodaysDate1");
    QVERIFY(date->accessibleDescription().contains(QLatin1String("Shift+Space")));
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Return);
    QTest::keyClick(date, Qt::Key_Space);
    QCOMPARE(date->text(), QStringLiteral("2012-12-18 JC"));
    QTest::keyClick(date, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(date, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(date->text(), QStringLiteral("2012-12-31 CE"));
    window_->setAttribute(Qt::WA_KeyboardFocusChange);  // as once the user has pressed Tab
    for (const char* name : {"lblTodaysDate1", "lblWeekFromToday1", "lblOnlineDocumentation", "lblMaker"}) {
      First()->setFocus();
      const QImage without = Get(name)->grab().toImage();
      Get(name)->setFocus();
      QVERIFY2(Get(name)->grab().toImage() != without, name);
    }
  }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_qtest.moc"
