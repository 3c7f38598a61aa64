// The added calendars of the today panel and the month window's "Also show", driven through the
// real controls: the help window's "More calendars…" by mouse and keys, the panel's cycle by
// clicks and keys, the month window's copied text, and both choices kept between runs in our own
// file while qrv.usr keeps the described codes.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "calendar/clock.h"
#include "find_control.h"
#include "message_recorder.h"
#include "settings/settings_file.h"
#include "settings/work_days_file.h"
#include "support/program_texts.h"
#include "ui/main/frm_main.h"
#include "ui/month/frm_display_month.h"

using namespace qv;

class MoreCalendarsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> config_;
  std::unique_ptr<test::MessageRecorder> messages_;
  std::unique_ptr<frmMain> window_;

  template <typename T>
  T* Get(const char* name) {
    return test::FindControl<T>(window_.get(), name);
  }
  QLabel* TodayDate() { return Get<QLabel>("lblTodaysDate1"); }
  QLabel* TodayPhrase() { return Get<QLabel>("lblTodaysDate0"); }
  void StartWindow() {
    window_.reset();
    messages_ = std::make_unique<test::MessageRecorder>();
    window_ = std::make_unique<frmMain>(test::ShippedTexts(), *messages_);
    window_->Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void ClickTimes(QLabel* label, int times, Qt::MouseButton button = Qt::LeftButton) {
    for (int i = 0; i < times; ++i) QTest::mouseClick(label, button);
  }
  QWidget* HelpWindow() { return Get<QWidget>("frmHelp"); }
  QDialog* Dialog() { return Get<QDialog>("frmMoreCalendars"); }
  // Help, then "More calendars…" in the help window by the keyboard: Tab to it, Space.
  void OpenDialogByKeys() {
    QTest::mouseClick(Get<QPushButton>("cmdHelp"), Qt::LeftButton);
    QTRY_VERIFY(HelpWindow()->isVisible());
    QPushButton* more = test::FindControl<QPushButton>(HelpWindow(), "cmdMoreCalendars");
    HelpWindow()->activateWindow();
    QTRY_VERIFY(HelpWindow()->isActiveWindow());
    test::FindControl<QWidget>(HelpWindow(), "txbMsg")->setFocus();
    for (int i = 0; i < 3 && !more->hasFocus(); ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(more->hasFocus());
    QTest::keyClick(more, Qt::Key_Space);
    QTRY_VERIFY(Dialog()->isVisible());
  }
  QCheckBox* Box(const char* name) { return test::FindControl<QCheckBox>(Dialog(), name); }
  void Ok() { QTest::mouseClick(test::FindControl<QPushButton>(Dialog(), "cmdOK"), Qt::LeftButton); }
  QString OwnFilePath() const { return QString::fromStdString(window_->WorkDaysFilePath()); }

 private slots:
  void initTestCase() {
    config_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
  }

  void init() {
    SetTodaySource([] { return LocalDate{2024, 4, 23}; });
    QDir(config_->path()).removeRecursively();
    QDir().mkpath(config_->path());
    StartWindow();
  }

  void cleanup() {
    window_.reset();
    SetTodaySource({});
  }

  // With nothing chosen the panel goes round the described seven and no file is kept.
  void withNoneChosenTheCycleIsAsDescribed() {
    ClickTimes(TodayDate(), 6);
    QCOMPARE(TodayDate()->text(), QStringLiteral("2,460,424 JDN"));
    QTest::mouseClick(TodayPhrase(), Qt::LeftButton);  // the phrase answers too
    QCOMPARE(TodayDate()->text(), QStringLiteral("2024-04-23 CE"));
    window_->cmdQuit_Click();
    QVERIFY(!QFile::exists(OwnFilePath()));
  }

  // Ticked by mouse and by key, in that order: the cycle goes on into them after JDN, a right
  // click goes back, and the phrase and date read as the described calendars' do.
  void chosenCalendarsFollowJdnInTheOrderTicked() {
    OpenDialogByKeys();
    QCheckBox* islamic = Box("chkMoreCalendarISL");
    QCheckBox* hebrew = Box("chkMoreCalendarHEB");
    QCOMPARE(hebrew->accessibleName(), QStringLiteral("Hebrew (HEB)"));
    QTest::mouseClick(islamic, Qt::LeftButton);
    hebrew->setFocus();
    QTest::keyClick(hebrew, Qt::Key_Space);
    QCOMPARE(test::FindControl<QLabel>(Dialog(), "lblMoreCalendarsOrder")->text(),
             QStringLiteral("Order after JDN: Islamic, Hebrew"));
    Ok();
    QTRY_VERIFY(!Dialog()->isVisible());
    QCOMPARE(window_->MoreTodayCalendars(), (std::vector<CalendarCode>{cal::ISL, cal::HEB}));

    ClickTimes(TodayDate(), 7);
    QCOMPARE(window_->TodayCalendar(), cal::ISL);
    QTest::mouseClick(TodayDate(), Qt::LeftButton);
    QCOMPARE(TodayPhrase()->text(), QStringLiteral("Today is Tuesday,"));
    QCOMPARE(TodayDate()->text(), QStringLiteral("5784-08-15 HEB"));
    QCOMPARE(Get<QLabel>("lblWeekFromToday1")->text(), QStringLiteral("5784-08-22 HEB"));
    QCOMPARE(QAccessible::queryAccessibleInterface(TodayDate())->text(QAccessible::Name),
             QStringLiteral("5784-08-15 HEB"));
    // Round again to CE, and back by a right click and by Shift+Space.
    QTest::mouseClick(TodayDate(), Qt::LeftButton);
    QCOMPARE(TodayDate()->text(), QStringLiteral("2024-04-23 CE"));
    QTest::mouseClick(TodayDate(), Qt::RightButton);
    QCOMPARE(window_->TodayCalendar(), cal::HEB);
    QTest::keyClick(TodayDate(), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(window_->TodayCalendar(), cal::ISL);
    // In German, with the article the CE and JC dates have.
    QTest::mouseClick(TodayDate(), Qt::LeftButton);
    Get<QComboBox>("cboLanguage")->setCurrentIndex(1);
    QCOMPARE(TodayDate()->text(), QStringLiteral("der 5784-08-15 HEB"));
  }

  // Unticking the calendar the panel shows puts it back on CE; Cancel changes nothing.
  void uncheckingTheShownCalendarGoesBackToCe() {
    OpenDialogByKeys();
    QTest::mouseClick(Box("chkMoreCalendarPER"), Qt::LeftButton);
    Ok();
    QTRY_VERIFY(!Dialog()->isVisible());
    ClickTimes(TodayDate(), 7);
    QCOMPARE(window_->TodayCalendar(), cal::PER);
    OpenDialogByKeys();
    QVERIFY(Box("chkMoreCalendarPER")->isChecked());
    QTest::mouseClick(Box("chkMoreCalendarPER"), Qt::LeftButton);
    QTest::keyClick(Dialog(), Qt::Key_Escape);
    QTRY_VERIFY(!Dialog()->isVisible());
    QCOMPARE(window_->TodayCalendar(), cal::PER);
    OpenDialogByKeys();
    QTest::mouseClick(Box("chkMoreCalendarPER"), Qt::LeftButton);
    Ok();
    QTRY_VERIFY(!Dialog()->isVisible());
    QCOMPARE(window_->TodayCalendar(), cal::CE);
    QCOMPARE(TodayDate()->text(), QStringLiteral("2024-04-23 CE"));
    QVERIFY(messages_->shown.empty());
  }

  // Quit and start again: the cycle, the panel and "Also show" come back from our own file;
  // qrv.usr says CE for the panel, as its reader expects. Reset forgets them all.
  void theChoicesAreKeptBetweenRuns() {
    OpenDialogByKeys();
    QTest::mouseClick(Box("chkMoreCalendarHEB"), Qt::LeftButton);
    Ok();
    QTRY_VERIFY(!Dialog()->isVisible());
    ClickTimes(TodayDate(), 7);
    QCOMPARE(window_->TodayCalendar(), cal::HEB);
    QTest::mouseClick(Get<QPushButton>("cmdDisplayMonth"), Qt::LeftButton);
    auto* month = Get<frmDisplayMonth>("frmDisplayMonth");
    QTRY_VERIFY(month->isVisible());
    auto* also = test::FindControl<QComboBox>(month, "cboAlsoShow");
    also->setFocus();
    QTest::keyClick(also, Qt::Key_Down);
    QCOMPARE(month->ChosenAlsoShow(), cal::HEB);
    window_->cmdQuit_Click();

    const SettingsReadResult stored = ReadSettingsFile(window_->SettingsFilePath());
    QCOMPARE(InterpretSettings(stored.settings).today_calendar, cal::CE);
    const WorkDaysReadResult own = ReadWorkDaysFile(OwnFilePath().toStdString());
    QCOMPARE(own.status, WorkDaysReadStatus::Complete);
    QCOMPARE(own.settings.more_today_calendars, std::vector<CalendarCode>{cal::HEB});
    QCOMPARE(own.settings.today_calendar, cal::HEB);
    QCOMPARE(own.settings.month_also_show, cal::HEB);

    StartWindow();
    QCOMPARE(TodayDate()->text(), QStringLiteral("5784-08-15 HEB"));
    QTest::mouseClick(Get<QPushButton>("cmdDisplayMonth"), Qt::LeftButton);
    month = Get<frmDisplayMonth>("frmDisplayMonth");
    QTRY_VERIFY(month->isVisible());
    QCOMPARE(month->ChosenAlsoShow(), cal::HEB);
    QVERIFY2(month->windowTitle().contains(QStringLiteral("Adar II \u2013 Nisan 5784")), qPrintable(month->windowTitle()));

    messages_->answers.push_back(MessageAnswer::Yes);
    QTest::mouseClick(Get<QPushButton>("cmdReset"), Qt::LeftButton);
    QCOMPARE(window_->TodayCalendar(), cal::CE);
    QVERIFY(window_->MoreTodayCalendars().empty());
    QCOMPARE(month->ChosenAlsoShow(), kNoOtherCalendar);
    window_->cmdQuit_Click();
    QVERIFY(!QFile::exists(OwnFilePath()));
  }
};

QTEST_MAIN(MoreCalendarsTest)
#include "more_calendars_qtest.moc"
