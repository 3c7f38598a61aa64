// The "Other calendar:" choice of each date driven as a person and a screen reader would: clicks,
// keys and accessible actions convert once or refuse; Compute and the box tools work in an added
// calendar; a box left in one comes back at the next start while qrv.usr keeps a CE date.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "calendar/clock.h"
#include "find_control.h"
#include "lang/program_text.h"
#include "message_recorder.h"
#include "settings/settings_file.h"
#include "settings/work_days_file.h"
#include "support/program_texts.h"
#include "text/date_readers.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"

using namespace qv;

class OtherCalendarTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> config_;
  std::unique_ptr<test::MessageRecorder> messages_;
  std::unique_ptr<frmMain> window_;

  template <typename T>
  T* Get(const char* name) {
    return test::FindControl<T>(window_.get(), name);
  }
  QLineEdit* First() { return Get<QLineEdit>("txbFirstDate"); }
  QLineEdit* Second() { return Get<QLineEdit>("txbSecondDate"); }
  QRadioButton* Other() { return Get<QRadioButton>("optFirstDateIsOther"); }
  QComboBox* List() { return Get<QComboBox>("cboFirstDateOther"); }
  QString Output() { return Get<qv::OutputTextBox>("txbOutput")->Text(); }
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
  }
  static void Settle() {
    for (int round = 0; round < 4; ++round) QCoreApplication::sendPostedEvents();
  }
  void StartWindow() {
    window_.reset();
    messages_ = std::make_unique<test::MessageRecorder>();
    window_ = std::make_unique<frmMain>(test::ShippedTexts(), *messages_);
    window_->Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  // Chooses an added calendar in the first date's drop-down by the keyboard, as a person does.
  void PickByKeys(QComboBox* list, int index) {
    list->setFocus();
    while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
  }
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

  void theChoiceSitsBesideJdnAndIsNamed() {
    // The sixteen added calendars that are available; Umm al-Qura, still without its table, is not listed.
    QCOMPARE(List()->count(), 16);
    QCOMPARE(List()->itemText(0), QStringLiteral("Hebrew"));
    QCOMPARE(List()->itemText(8), QStringLiteral("Chinese"));
    QCOMPARE(List()->itemText(11), QStringLiteral("Bahá’í"));
    QCOMPARE(List()->itemText(12), QStringLiteral("Japanese"));
    QCOMPARE(List()->findText(QStringLiteral("Umm al-Qura")), -1);
    QCOMPARE(Other()->text(), QStringLiteral("Other calendar:"));
    QCOMPARE(QAccessible::queryAccessibleInterface(Other())->text(QAccessible::Name),
             QStringLiteral("Other calendar (First date)"));
    QCOMPARE(Get<QComboBox>("cboSecondDateOther")->accessibleName(), QStringLiteral("Other calendar (Second date)"));
    QCOMPARE(Get<QComboBox>("cboSecondDateOther")->accessibleDescription(), QStringLiteral("Other calendar (Second date)"));
    // A screen reader hears the label as the name and the calendar as the value: "Other calendar
    // (First date), Hebrew", not only "Hebrew"; the list it opens is its child.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(List());
    QCOMPARE(list->role(), QAccessible::ComboBox);
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Other calendar (First date)"));
    QCOMPARE(list->text(QAccessible::Value), QStringLiteral("Hebrew"));
    QCOMPARE(list->text(QAccessible::Description), QStringLiteral("Other calendar (First date)"));
    QCOMPARE(list->childCount(), 1);
    QCOMPARE(list->child(0)->object(), static_cast<QObject*>(List()->view()));
    QCOMPARE(list->indexOfChild(list->child(0)), 0);
    QVERIFY(list->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    List()->setCurrentIndex(2);
    QCOMPARE(list->text(QAccessible::Value), List()->itemText(2));
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Other calendar (First date)"));
    List()->setCurrentIndex(0);
    // The free cell beside JDN: the group keeps its height.
    const QRadioButton* jdn = Get<QRadioButton>("optFirstDateIsJDN");
    QCOMPARE(Other()->mapTo(window_.get(), QPoint(0, 0)).y() / 4, jdn->mapTo(window_.get(), QPoint(0, 0)).y() / 4);
    // In German.
    QComboBox* language = Get<QComboBox>("cboLanguage");
    language->setCurrentIndex(1);
    QCOMPARE(Other()->text(), QStringLiteral("Anderer Kalender:"));
    QCOMPARE(List()->itemText(0), QStringLiteral("Hebräisch"));
  }

  // Each way of choosing converts once; going back to CE gives the date typed.
  void choosingConvertsByMouseKeysAndAccessibleActions() {
    Type(First(), QStringLiteral("2024-04-23"));
    QTest::mouseClick(Other(), Qt::LeftButton);
    QVERIFY(Other()->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("5784-08-15"));
    // The drop-down while the option is selected: Islamic, by the keys.
    PickByKeys(List(), 1);
    QCOMPARE(window_->GetCal(1), cal::ISL);
    const QString islamic = First()->text();
    QVERIFY(islamic != QStringLiteral("5784-08-15"));
    // Back to CE by a screen reader's action on the CE option, then Other again the same way.
    QAccessibleInterface* ce = QAccessible::queryAccessibleInterface(Get<QRadioButton>("optFirstDateIsCE"));
    ce->actionInterface()->doAction(QAccessibleActionInterface::pressAction());  // an animated click
    QTRY_COMPARE(First()->text(), QStringLiteral("2024-04-23"));
    QAccessibleInterface* other = QAccessible::queryAccessibleInterface(Other());
    other->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(First()->text(), islamic);
    QTest::qWait(300);
    QCOMPARE(First()->text(), islamic);  // once
    // The drop-down while another option is selected only prepares the choice.
    Get<QRadioButton>("optFirstDateIsCE")->click();
    PickByKeys(List(), 2);
    QCOMPARE(First()->text(), QStringLiteral("2024-04-23"));
    QVERIFY(messages_->shown.empty());
  }

  void unreadableTextsPutOptionAndListBack() {
    // From a described calendar to Other: the CE option comes back, message 156 once, posted.
    Type(First(), QStringLiteral("12-"));
    QTest::mouseClick(Other(), Qt::LeftButton);
    QVERIFY(Get<QRadioButton>("optFirstDateIsCE")->isChecked());
    QVERIFY(messages_->shown.empty());
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text.toStdString(), GetProgramText(test::ShippedTexts(), 156, Language::English));
    // Within the added calendars: the drop-down returns to Hebrew.
    First()->clear();
    QTest::mouseClick(Other(), Qt::LeftButton);
    First()->setText(QStringLiteral("Nisan"));
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    QCOMPARE(List()->currentIndex(), 0);
    QVERIFY(Other()->isChecked());
    QCOMPARE(window_->GetCal(1), cal::HEB);
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{2});
  }

  // The named form typed letter by letter, Enter, and the sentence quorvan-cli writes.
  void aNamedDateIsTypedAndComputed() {
    QTest::mouseClick(Other(), Qt::LeftButton);
    Type(First(), QStringLiteral("15 Nisan 5784"));
    QCOMPARE(First()->text(), QStringLiteral("15 Nisan 5784"));
    QTest::keyClick(First(), Qt::Key_Enter);
    Settle();
    QVERIFY2(Output().contains(QStringLiteral("= 2024-04-23 CE, Tuesday")), qPrintable(Output()));
    // Named forms are longer than the described boxes take; a CE box still stops at 18.
    First()->clear();
    Type(First(), QString(70, QLatin1Char('a')));
    QCOMPARE(First()->text().size(), static_cast<qsizetype>(MaxNamedInputLength));
    Second()->clear();
    Type(Second(), QStringLiteral("Nisan"));
    QVERIFY(Second()->text().isEmpty());
  }

  void boxToolsWorkInAnAddedCalendar() {
    QTest::mouseClick(Other(), Qt::LeftButton);
    QTest::mouseClick(Get<QPushButton>("cmdToday0"), Qt::LeftButton);
    QCOMPARE(First()->text(), QStringLiteral("5784-08-15"));
    First()->setFocus();
    QTest::keyClick(First(), Qt::Key_Up);
    QCOMPARE(First()->text(), QStringLiteral("5784-08-16"));
    // Second -> First from CE into Hebrew.
    Type(Second(), QStringLiteral("2024-04-22"));
    QTest::mouseClick(Get<QPushButton>("cmdMoveSecondDateToFirst"), Qt::LeftButton);
    QCOMPARE(First()->text(), QStringLiteral("5784-08-14"));
    // Adding days in Hebrew.
    Get<QLineEdit>("txbDateDiff")->setText(QStringLiteral("1"));
    QTest::mouseClick(Get<QPushButton>("cmdCompute"), Qt::LeftButton);
    QVERIFY2(Output().contains(QStringLiteral("2024-04-23")), qPrintable(Output()));
    QTest::mouseClick(Get<QPushButton>("cmdClearFirstDate"), Qt::LeftButton);
    QVERIFY(First()->text().isEmpty());
    QVERIFY(Other()->isChecked());
  }

  // qrv.usr holds a CE date its reader takes; our file brings the box back as it was left.
  void aBoxInAnAddedCalendarIsKeptBetweenRuns() {
    QTest::mouseClick(Other(), Qt::LeftButton);
    Type(First(), QStringLiteral("15 Nisan 5784"));
    window_->cmdQuit_Click();
    const SettingsReadResult read = ReadSettingsFile(window_->SettingsFilePath());
    QVERIFY(!UsesDefaults(read.status));
    const SettingsChoices choices = InterpretSettings(read.settings);
    QCOMPARE(choices.first_calendar, cal::CE);
    QCOMPARE(QString::fromStdString(choices.first_date), QStringLiteral("2024-04-23"));
    StartWindow();
    QVERIFY(Other()->isChecked());
    QCOMPARE(window_->GetCal(1), cal::HEB);
    QCOMPARE(First()->text(), QStringLiteral("15 Nisan 5784"));
    // A damaged own file: the described start, the CE date from qrv.usr.
    window_->cmdQuit_Click();
    QFile file(OwnFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not ours\n");
    file.close();
    StartWindow();
    QVERIFY(Get<QRadioButton>("optFirstDateIsCE")->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("2024-04-23"));
  }
};

QTEST_MAIN(OtherCalendarTest)
#include "other_calendar_qtest.moc"
