// The main window driven as a person would: keys and clicks on the real widgets, message boxes
// answered through the recorder, the clock set by the test.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "calendar/clock.h"
#include "ui/main/window_widgets.h"
#include "find_control.h"
#include "lang/program_text.h"
#include "message_recorder.h"
#include "platform/qt_text.h"
#include "support/program_texts.h"
#include "text/date_readers.h"
#include "ui/main/frm_main.h"
#include "settings/settings_file.h"
#include "settings/settings_notices.h"

using namespace qv;

namespace {

const ProgramTextStore& Texts() { return test::ShippedTexts(); }

// Runs `action` on the modal dialog as soon as it is shown.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) action(modal);
  });
}

// Where the style draws an arrow of a scroll bar, as a person sees it.
QRect ArrowRect(const QScrollBar* bar, QStyle::SubControl arrow) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.subControls = QStyle::SC_All;
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
}

QByteArray Slurp(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Spit(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class MainWindowTest : public QObject {
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
  QLineEdit* Difference() { return Get<QLineEdit>("txbDateDiff"); }
  QLineEdit* Second() { return Get<QLineEdit>("txbSecondDate"); }
  qv::OutputTextBox* Output() { return Get<qv::OutputTextBox>("txbOutput"); }
  void Click(const char* name) { QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton); }
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
  }
  void StartWindow() {
    window_.reset();
    messages_ = std::make_unique<test::MessageRecorder>();
    window_ = std::make_unique<frmMain>(Texts(), *messages_);
    window_->Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  QString SettingsPath() const { return QString::fromStdString(window_->SettingsFilePath()); }
  // Lets the posted calls run: Enter's compute and the message boxes, which open only after the
  // event that asked for them has returned.
  static void Settle() {
    for (int round = 0; round < 4; ++round) QCoreApplication::sendPostedEvents();
  }
  void PressEnter(QLineEdit* box) {
    QTest::keyClick(box, Qt::Key_Enter);
    Settle();
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

  void firstRunDefaults() {
    QVERIFY(Get<QRadioButton>("optDateFormatIsYMD")->isChecked());
    QVERIFY(Get<QRadioButton>("optSeparatorIsDash")->isChecked());
    QVERIFY(Get<QRadioButton>("optThousSepIsComma")->isChecked());
    QVERIFY(Get<QRadioButton>("optDays")->isChecked());
    QVERIFY(!Get<QCheckBox>("chkIncludeFirstDate")->isChecked());
    QVERIFY(Get<QCheckBox>("chkIncludeWeekends")->isChecked());
    QVERIFY(Get<QCheckBox>("chkVerbose")->isChecked());
    QVERIFY(Get<QCheckBox>("chkHyphen")->isChecked());
    QVERIFY(Get<QCheckBox>("chkSaveOutput")->isChecked());
    QVERIFY(Get<QRadioButton>("optFirstDateIsCE")->isChecked());
    QVERIFY(Get<QRadioButton>("optSecondDateIsCE")->isChecked());
    QCOMPARE(Get<QComboBox>("cboLanguage")->currentText(), QStringLiteral("English"));
    QCOMPARE(window_->windowTitle().left(8), QStringLiteral("Quorvan "));
    QCOMPARE(Get<QLabel>("lblTodaysDate1")->text(), QStringLiteral("2012-12-31 CE"));
    QCOMPARE(Get<QLabel>("lblTodaysDate0")->text(), QStringLiteral("Today is Monday,"));
    QCOMPARE(Get<QRadioButton>("optSeparatorIsSlash")->text(), QStringLiteral("2012/12/31"));
    QCOMPARE(QApplication::focusWidget(), First());
  }

  void computeFlowBranches() {
    // All empty: today's date, converted into the second calendar.
    Get<QRadioButton>("optSecondDateIsJDN")->click();
    Click("cmdCompute");
    QCOMPARE(First()->text(), QStringLiteral("2012-12-31"));
    QCOMPARE(Second()->text(), QStringLiteral("2,456,293"));
    QCOMPARE(Output()->Text(), QStringLiteral("2012-12-31 CE = 2,456,293 JDN, Monday\n"));
    QCOMPARE(QApplication::focusWidget(), Get<QWidget>("cmdCompute"));
    // Only the difference: nothing is shown, the focus goes to the first box.
    First()->clear();
    Second()->clear();
    Difference()->setText(QStringLiteral(" 7 "));
    Click("cmdCompute");
    QCOMPARE(Output()->Text(), QStringLiteral("2012-12-31 CE = 2,456,293 JDN, Monday\n"));
    QCOMPARE(QApplication::focusWidget(), First());
    QVERIFY(messages_->shown.empty());
  }

  void enterComputesAndNeverTypes() {
    Type(First(), QStringLiteral("2008-01-01"));
    Type(Second(), QStringLiteral("2008-03-15"));
    PressEnter(Second());
    QCOMPARE(Second()->text(), QStringLiteral("2008-03-15"));
    QCOMPARE(Output()->Text(),
             QStringLiteral("2008-01-01 CE to 2008-03-15 CE = 74 days, excluding 1st date (2 months, 14 days)\n"));
    QCOMPARE(Difference()->text(), QStringLiteral("74"));
  }

  void keyFiltersAndLength() {
    Type(First(), QStringLiteral("2a0b0/8x-"));
    QCOMPARE(First()->text(), QStringLiteral("2008-"));
    Type(Difference(), QStringLiteral("1,2/3x"));
    QCOMPARE(Difference()->text(), QStringLiteral("1,23"));
    First()->clear();
    Type(First(), QStringLiteral("12345678901234567890"));
    QCOMPARE(First()->text().size(), static_cast<qsizetype>(MaxInputLength));
  }

  void calendarChangeConvertsOrRestores() {
    Type(First(), QStringLiteral("2000-01-01"));
    Get<QRadioButton>("optFirstDateIsJDN")->click();
    QCOMPARE(First()->text(), QStringLiteral("2,451,545"));
    QCOMPARE(QApplication::focusWidget(), Difference());
    // A day before year 1 cannot be an ordinal date: the option goes back without a word.
    First()->setText(QStringLiteral("1000"));
    Get<QRadioButton>("optFirstDateIsORD")->click();
    QVERIFY(Get<QRadioButton>("optFirstDateIsJDN")->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("1000"));
    QVERIFY(messages_->shown.empty());
    // An unreadable text: back to the old option with program text 156.
    First()->setText(QStringLiteral("xyz"));
    Get<QRadioButton>("optFirstDateIsCE")->click();
    QVERIFY(Get<QRadioButton>("optFirstDateIsJDN")->isChecked());
    QVERIFY(messages_->shown.empty());  // posted: it opens after the click has returned
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text.toStdString(), GetProgramText(Texts(), 156, qv::Language::English));
    QCOMPARE(messages_->shown[0].title.toStdString(), GetProgramText(Texts(), 150, qv::Language::English));
    // The arrow keys within the group choose a calendar as a click does.
    First()->setText(QStringLiteral("2451545"));
    Get<QRadioButton>("optFirstDateIsJDN")->setFocus();
    QTest::keyClick(Get<QRadioButton>("optFirstDateIsJDN"), Qt::Key_Up);
    QVERIFY(Get<QRadioButton>("optFirstDateIsISO")->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("1999-W52-6"));
    // The second box says 157.
    Second()->setText(QStringLiteral("junk"));
    Get<QRadioButton>("optSecondDateIsISO")->click();
    QVERIFY(Get<QRadioButton>("optSecondDateIsCE")->isChecked());
    Settle();
    QCOMPARE(messages_->shown.back().text.toStdString(), GetProgramText(Texts(), 157, qv::Language::English));
  }

  void secondToFirst() {
    Get<QRadioButton>("optFirstDateIsJDN")->click();
    Type(Second(), QStringLiteral("2000-01-01"));
    const QString before = Output()->Text();
    Click("cmdMoveSecondDateToFirst");
    QCOMPARE(First()->text(), QStringLiteral("2,451,545"));
    QVERIFY(Second()->text().isEmpty());
    QCOMPARE(Output()->Text(), before);
    // Unreadable: message 6, the first box unchanged, focus in the second box.
    Second()->setText(QStringLiteral("2000-02-30"));
    Click("cmdMoveSecondDateToFirst");
    QCOMPARE(First()->text(), QStringLiteral("2,451,545"));
    Settle();
    QCOMPARE(messages_->shown.back().title, QStringLiteral("Error!"));
    QCOMPARE(QApplication::focusWidget(), Second());
  }

  void stepperAndArrowKeys() {
    Type(First(), QStringLiteral("2012-12-31"));
    QTest::keyClick(First(), Qt::Key_Up);
    QCOMPARE(First()->text(), QStringLiteral("2013-01-01"));
    QTest::keyClick(First(), Qt::Key_Down);
    QTest::keyClick(First(), Qt::Key_Down);
    QCOMPARE(First()->text(), QStringLiteral("2012-12-30"));
    // The spin arrows: the upper one is a day later.
    QScrollBar* stepper = Get<QScrollBar>("VScroll0");
    stepper->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(First()->text(), QStringLiteral("2012-12-31"));
    QCOMPARE(stepper->value(), 0);
    stepper->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(First()->text(), QStringLiteral("2012-12-30"));
    // A mouse click on the upper arrow is a day later, on the lower arrow a day earlier.
    QTest::mouseClick(stepper, Qt::LeftButton, {}, QPoint(stepper->width() / 2, 2));
    QCOMPARE(First()->text(), QStringLiteral("2012-12-31"));
    QTest::mouseClick(stepper, Qt::LeftButton, {}, QPoint(stepper->width() / 2, stepper->height() - 3));
    QCOMPARE(First()->text(), QStringLiteral("2012-12-30"));
    // At the end of the day numbers: "Out of Range" and message 9; the text stays.
    Get<QRadioButton>("optSecondDateIsJDN")->click();
    Second()->setText(QStringLiteral("2,100,000,000"));
    QTest::keyClick(Second(), Qt::Key_Up);
    QCOMPARE(Second()->text(), QStringLiteral("2,100,000,000"));
    QCOMPARE(Output()->Text(), QStringLiteral("Out of Range\n"));
    Settle();
    QCOMPARE(messages_->shown.back().text, QStringLiteral("Result is out of range."));
    // An empty box only places the focus.
    Second()->clear();
    Get<QScrollBar>("VScroll1")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(Second()->text().isEmpty());
    QCOMPARE(Get<QScrollBar>("VScroll1")->value(), 0);
  }

  void clearOneBoxDialogRemembers() {
    const auto fill = [this] {
      First()->setText(QStringLiteral("2012-01-01"));
      Difference()->setText(QStringLiteral("3"));
      Second()->setText(QStringLiteral("2012-01-09"));
    };
    fill();
    // First use: "date difference" preselected; Continue clears it and counts the days.
    WhenModal([](QWidget* dialog) {
      QVERIFY(dialog->findChild<QRadioButton*>("optClearDateDiff")->isChecked());
      dialog->findChild<QPushButton*>("cmdContinue")->click();
    });
    Click("cmdCompute");
    QCOMPARE(Difference()->text(), QStringLiteral("8"));
    // Choosing the first date is remembered.
    fill();
    WhenModal([](QWidget* dialog) {
      dialog->findChild<QRadioButton*>("optClearFirstDate")->click();
      dialog->findChild<QPushButton*>("cmdContinue")->click();
    });
    Click("cmdCompute");
    QCOMPARE(First()->text(), QStringLiteral("2012-01-06"));
    fill();
    // Cancel: nothing computed; the next showing offers "date difference" again.
    const QString before = Output()->Text();
    WhenModal([](QWidget* dialog) {
      QVERIFY(dialog->findChild<QRadioButton*>("optClearFirstDate")->isChecked());
      dialog->findChild<QRadioButton*>("optCancel")->click();
      dialog->findChild<QPushButton*>("cmdContinue")->click();
    });
    Click("cmdCompute");
    QCOMPARE(Output()->Text(), before);
    QCOMPARE(First()->text(), QStringLiteral("2012-01-01"));
    WhenModal([](QWidget* dialog) {
      QVERIFY(dialog->findChild<QRadioButton*>("optClearDateDiff")->isChecked());
      dialog->close();  // the close box means cancel
    });
    Click("cmdCompute");
    QCOMPARE(Difference()->text(), QStringLiteral("3"));
    QTRY_COMPARE(QApplication::focusWidget(), Get<QWidget>("cmdCompute"));
  }

  void dialogKeepsItsPlaceOverTheMovedWindow() {
    const auto fill = [this] {
      First()->setText(QStringLiteral("2012-01-01"));
      Difference()->setText(QStringLiteral("3"));
      Second()->setText(QStringLiteral("2012-01-09"));
    };
    QPoint offsets[2];
    for (QPoint& offset : offsets) {
      fill();
      WhenModal([this, &offset](QWidget* dialog) {
        offset = dialog->frameGeometry().topLeft() - window_->frameGeometry().topLeft();
        dialog->findChild<QPushButton*>("cmdContinue")->click();
      });
      Click("cmdCompute");
      window_->move(window_->pos() + QPoint(40, 30));
    }
    QCOMPARE(offsets[0], offsets[1]);
    QVERIFY(offsets[0].y() > 0);
  }

  void anUnwritableConfigurationFolderStartsOnDefaults() {
    window_.reset();
    qputenv("XDG_CONFIG_HOME", "/proc/quorvan-cannot-be-here");
    StartWindow();
    QVERIFY(window_->SettingsFilePath().empty());
    QVERIFY(Get<QRadioButton>("optDateFormatIsYMD")->isChecked());
    Type(First(), QStringLiteral("2000-01-01"));
    window_->cmdQuit_Click();  // writes nothing and ends cleanly
    qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
  }

  void focusRule() {
    Type(First(), QStringLiteral("2012-01-01"));
    Click("cmdClearSecondDate");
    QCOMPARE(QApplication::focusWidget(), Difference());
    Second()->setText(QStringLiteral(" "));
    Click("cmdClearDateDiff");
    QCOMPARE(QApplication::focusWidget(), Get<QWidget>("cmdCompute"));
    Click("cmdClearFirstDate");
    QCOMPARE(QApplication::focusWidget(), First());
  }

  void todayPanelCycleAndMidnight() {
    QLabel* date = Get<QLabel>("lblTodaysDate1");
    const QStringList left{"2013-W01-1 ISO", "2012-12-18 JC", "2012-366", "2013-01-08 LPM", "2013-02-1 LPW",
                           "2,456,293 JDN", "2012-12-31 CE"};
    for (const QString& expected : left) {
      QTest::mouseClick(date, Qt::LeftButton);
      QCOMPARE(date->text(), expected);
    }
    QTest::mouseClick(Get<QLabel>("lblWeekFromToday0"), Qt::RightButton);
    QCOMPARE(date->text(), QStringLiteral("2,456,293 JDN"));
    QTest::mouseClick(date, Qt::LeftButton);
    // Midnight passes: the clock rewrites the panel within a second, without any click.
    SetTodaySource([] { return LocalDate{2013, 1, 1}; });
    QTRY_COMPARE_WITH_TIMEOUT(date->text(), QStringLiteral("2013-01-01 CE"), 2500);
    QCOMPARE(Get<QLabel>("lblWeekFromToday1")->text(), QStringLiteral("2013-01-08 CE"));
    // Today beside the second box writes the box's calendar without its code.
    Get<QRadioButton>("optSecondDateIsJDN")->click();
    Click("cmdToday1");
    QCOMPARE(Second()->text(), QStringLiteral("2,456,294"));
  }

  void copyAllAndSelection() {
    Type(First(), QStringLiteral("2000-01-01"));
    PressEnter(First());
    First()->clear();
    Type(First(), QStringLiteral("2000-01-02"));
    PressEnter(First());
    QPushButton* copy = Get<QPushButton>("cmdCopyOutput");
    QCOMPARE(copy->text(), QStringLiteral("Copy to clipboard"));
    copy->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2000-01-01 CE, Saturday\n2000-01-02 CE, Sunday\n"));
    // Select the first ten characters: the caption follows and Enter copies only those.
    Output()->SetSelection(0, 10);
    QCOMPARE(copy->text(), QStringLiteral("Copy selected text to clipboard"));
    QTest::keyClick(Output(), Qt::Key_Return);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2000-01-01"));
    QVERIFY(!Output()->HasSelection());
    QCOMPARE(copy->text(), QStringLiteral("Copy to clipboard"));
    // Enter without a selection is an ordinary key; Clear empties only the output.
    Click("cmdClearOutputWindow");
    QVERIFY(Output()->Text().isEmpty());
  }

  // Ctrl+Z in the output window brings back what the last Clear removed, caret and view at its
  // end, until a new result is added; a second Clear of the empty window keeps it.
  void ctrlZBringsBackWhatClearRemoved() {
    Type(First(), QStringLiteral("2000-01-01"));
    PressEnter(First());
    First()->clear();
    Type(First(), QStringLiteral("2000-01-02"));
    PressEnter(First());
    const QString results = Output()->Text();
    QCOMPARE(results, QStringLiteral("2000-01-01 CE, Saturday\n2000-01-02 CE, Sunday\n"));
    QTest::keyClick(Output(), Qt::Key_Z, Qt::ControlModifier);  // nothing cleared yet
    QCOMPARE(Output()->Text(), results);
    Click("cmdClearOutputWindow");
    QVERIFY(Output()->Text().isEmpty());
    Click("cmdClearOutputWindow");
    Output()->setFocus();
    QTest::keyClick(Output(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Output()->Text(), results);
    QCOMPARE(Output()->CursorPosition(), Output()->CharacterCount());
    QTest::keyClick(Output(), Qt::Key_Z, Qt::ControlModifier);  // once only
    QCOMPARE(Output()->Text(), results);
    // Cleared, then a new result: the old text stays gone.
    Click("cmdClearOutputWindow");
    First()->clear();
    Type(First(), QStringLiteral("2000-01-03"));
    PressEnter(First());
    Output()->setFocus();
    QTest::keyClick(Output(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Output()->Text(), QStringLiteral("2000-01-03 CE, Monday\n"));
    // Kept at Quit as the window shows it.
    Get<QCheckBox>("chkSaveOutput")->setChecked(true);
    Click("cmdClearOutputWindow");
    Output()->setFocus();
    QTest::keyClick(Output(), Qt::Key_Z, Qt::ControlModifier);
    window_->cmdQuit_Click();
    StartWindow();
    QCOMPARE(Output()->Text(), QStringLiteral("2000-01-03 CE, Monday\n"));
  }

  void enlargeNeedsOutput() {
    Click("cmdEnlarge");
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text, QStringLiteral("The output window is empty."));
    QCOMPARE(messages_->shown[0].icon, MessageIcon::Warning);
    Type(First(), QStringLiteral("2000-01-01"));
    PressEnter(First());
    Click("cmdEnlarge");
    QWidget* display = window_->findChild<QWidget*>("frmLargeDisplay");
    QVERIFY(display != nullptr && display->isVisible());
    QCOMPARE(display->windowTitle(), QStringLiteral("Enlarge"));
  }

  void languageSwitch() {
    Type(First(), QStringLiteral("2008-01-01"));
    Type(Second(), QStringLiteral("2008-01-02"));
    PressEnter(Second());
    QComboBox* language = Get<QComboBox>("cboLanguage");
    language->setCurrentIndex(1);
    QCOMPARE(language->itemText(0), QStringLiteral("Englisch"));
    QCOMPARE(language->currentText(), QStringLiteral("Deutsch"));
    QCOMPARE(Get<QPushButton>("cmdCompute")->text(), QStringLiteral("Berechnen"));
    QCOMPARE(Get<QRadioButton>("optDays")->text(), QStringLiteral("Tage"));
    QCOMPARE(Get<QRadioButton>("optDateFormatIsYMD")->text(), QStringLiteral("Jahr Monat Tag"));
    QCOMPARE(Get<QRadioButton>("optThousSepNone")->text(), QStringLiteral("keine"));
    QCOMPARE(Get<QRadioButton>("optFirstDateIsORD")->text(), QStringLiteral("Ordinaldatum (JJJJ-TTT)"));
    QCOMPARE(Get<QLabel>("lblTodaysDate1")->text(), QStringLiteral("der 2012-12-31 CE"));
    // What was written stays in its language; new results come in German.
    Difference()->clear();
    PressEnter(Second());
    QCOMPARE(Output()->Text(), QStringLiteral("2008-01-01 CE to 2008-01-02 CE = 1 day, excluding 1st date\n"
                                                     "2008-01-01 CE bis 2008-01-02 CE = 1 Tag, ausschliesslich 1. Datum\n"));
    language->setCurrentIndex(0);
    QCOMPARE(language->itemText(1), QStringLiteral("German"));
    QCOMPARE(Get<QPushButton>("cmdCompute")->text(), QStringLiteral("Compute"));
  }

  void optionHandlers() {
    Type(First(), QStringLiteral("2012366"));
    // The hyphen option rewrites ordinal and ISO week dates in both boxes.
    Get<QCheckBox>("chkHyphen")->click();  // clear
    QCOMPARE(First()->text(), QStringLiteral("2012366"));
    Get<QCheckBox>("chkHyphen")->click();  // tick again
    QCOMPARE(First()->text(), QStringLiteral("2012-366"));
    QCOMPARE(Get<QRadioButton>("optFirstDateIsORD")->text(), QStringLiteral("Ordinal date (yyyy-ddd)"));
    // Months hides the two day-count boxes; days shows them again.
    Get<QRadioButton>("optMonths")->click();
    QVERIFY(Get<QCheckBox>("chkIncludeFirstDate")->isHidden());
    Get<QRadioButton>("optDays")->click();
    QVERIFY(!Get<QCheckBox>("chkIncludeWeekends")->isHidden());
    // A date format empties the boxes but not the output; the separator samples follow.
    Type(Second(), QStringLiteral("x"));
    Get<QRadioButton>("optDateFormatIsDMY")->click();
    QVERIFY(First()->text().isEmpty() && Second()->text().isEmpty());
    QCOMPARE(Get<QRadioButton>("optSeparatorIsDot")->text(), QStringLiteral("31.12.2012"));
    // The thousands separator keeps the boxes.
    Type(First(), QStringLiteral("1"));
    Get<QRadioButton>("optThousSepNone")->click();
    QCOMPARE(First()->text(), QStringLiteral("1"));
  }

  void resetAsksAndRestoresDefaults() {
    Get<QComboBox>("cboLanguage")->setCurrentIndex(1);
    Get<QRadioButton>("optMonths")->click();
    Type(First(), QStringLiteral("2012-01-01"));
    QFile::remove(SettingsPath());
    window_->cmdQuit_Click();  // writes a file for Reset to delete
    StartWindow();
    QVERIFY(QFile::exists(SettingsPath()));
    QCOMPARE(Get<QPushButton>("cmdCompute")->text(), QStringLiteral("Berechnen"));
    // No: nothing changes.
    Click("cmdReset");
    QCOMPARE(messages_->shown.back().buttons, MessageButtons::YesNo);
    QCOMPARE(messages_->shown.back().default_answer, MessageAnswer::No);
    QVERIFY(Get<QRadioButton>("optMonths")->isChecked());
    // Yes: the file goes and every default returns, English included.
    messages_->answers.push_back(MessageAnswer::Yes);
    Click("cmdReset");
    QVERIFY(!QFile::exists(SettingsPath()));
    QVERIFY(Get<QRadioButton>("optDays")->isChecked());
    QVERIFY(First()->text().isEmpty());
    QCOMPARE(Get<QPushButton>("cmdCompute")->text(), QStringLiteral("Compute"));
    QCOMPARE(Get<QComboBox>("cboLanguage")->currentText(), QStringLiteral("English"));
  }

  void settingsSurviveARestart() {
    Get<QRadioButton>("optDateFormatIsDMY")->click();
    Get<QRadioButton>("optSeparatorIsDot")->click();
    Get<QRadioButton>("optFirstDateIsJC")->click();
    Get<QRadioButton>("optSecondDateIsLPM")->click();
    Get<QCheckBox>("chkVerbose")->click();
    QTest::mouseClick(Get<QLabel>("lblTodaysDate1"), Qt::LeftButton);  // the panel shows ISO
    Type(First(), QStringLiteral("31.12.2012"));
    PressEnter(First());
    Type(Difference(), QStringLiteral("5"));
    First()->setText(QStringLiteral("say \"hi\""));
    const QString output = Output()->Text();
    window_->close();  // the close box writes the file as Quit does
    QVERIFY(QFile::exists(SettingsPath()));
    StartWindow();
    QVERIFY(Get<QRadioButton>("optDateFormatIsDMY")->isChecked());
    QVERIFY(Get<QRadioButton>("optSeparatorIsDot")->isChecked());
    QVERIFY(Get<QRadioButton>("optFirstDateIsJC")->isChecked());
    QVERIFY(Get<QRadioButton>("optSecondDateIsLPM")->isChecked());
    QVERIFY(!Get<QCheckBox>("chkVerbose")->isChecked());
    QCOMPARE(window_->TodayCalendar(), cal::ISO);
    QCOMPARE(First()->text(), QStringLiteral("say \"hi\""));
    QCOMPARE(Difference()->text(), QStringLiteral("5"));
    QCOMPARE(Output()->Text(), output);
    QCOMPARE(Output()->CursorPosition(), output.size());
    // Without "Save output" the boxes are not kept.
    Get<QCheckBox>("chkSaveOutput")->click();
    window_->cmdQuit_Click();
    StartWindow();
    QVERIFY(First()->text().isEmpty());
    QVERIFY(Output()->Text().isEmpty());
    QVERIFY(!Get<QCheckBox>("chkSaveOutput")->isChecked());
  }

  void monthWindowOpensAtTheFirstDateAndKeepsItsChoices() {
    Type(First(), QStringLiteral("2024-02-29"));
    Click("cmdDisplayMonth");
    QWidget* month = window_->findChild<QWidget*>("frmDisplayMonth");
    QVERIFY(month != nullptr && month->isVisible());
    QCOMPARE(month->findChild<QLineEdit*>("txbYear")->text(), QStringLiteral("2024"));
    QCOMPARE(month->findChild<QComboBox*>("cboMonths")->currentIndex(), 1);
    month->findChild<QRadioButton*>("optMonday")->click();
    month->findChild<QRadioButton*>("optJulian")->click();
    // German captions reach the open month window at once.
    Get<QComboBox>("cboLanguage")->setCurrentIndex(1);
    QCOMPARE(month->findChild<QRadioButton*>("optMonday")->text(), QStringLiteral("Montag"));
    window_->cmdQuit_Click();
    StartWindow();
    Click("cmdDisplayMonth");
    month = window_->findChild<QWidget*>("frmDisplayMonth");
    QVERIFY(month->findChild<QRadioButton*>("optMonday")->isChecked());
    QVERIFY(month->findChild<QRadioButton*>("optJulian")->isChecked());
    // Reset brings Sunday and the Common Era back.
    messages_->answers.push_back(MessageAnswer::Yes);
    Click("cmdReset");
    QVERIFY(month->findChild<QRadioButton*>("optSunday")->isChecked());
    QVERIFY(month->findChild<QRadioButton*>("optCommonEra")->isChecked());
  }

  void startsFromAWrittenFile() {
    StoredSettings stored;
    stored.language = 1;
    stored.today_calendar = 77;  // no calendar: the panel starts on CE
    stored.first_calendar = cal::ORD;
    stored.hyphen = 0;
    stored.first_date = "2012366";
    stored.output = "line one\r\nline two\r\n";
    stored.months = 1;
    QVERIFY(WriteSettingsFile(window_->SettingsFilePath(), stored));
    StartWindow();
    QCOMPARE(window_->CurrentLanguage(), qv::Language::German);
    QCOMPARE(window_->TodayCalendar(), cal::CE);
    QVERIFY(Get<QRadioButton>("optFirstDateIsORD")->isChecked());
    QVERIFY(Get<QRadioButton>("optMonths")->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("2012366"));
    QCOMPARE(Output()->Text(), QStringLiteral("line one\nline two\n"));
    QCOMPARE(Get<QRadioButton>("optFirstDateIsORD")->text(), QStringLiteral("Ordinaldatum (JJJJTTT)"));
  }

  void clickableLabelsAreButtonsAndLinksToAssistiveTechnology() {
    QAccessibleInterface* date = QAccessible::queryAccessibleInterface(Get<QLabel>("lblTodaysDate1"));
    QVERIFY(date != nullptr);
    QCOMPARE(date->role(), QAccessible::Button);
    QCOMPARE(date->text(QAccessible::Name), QStringLiteral("2012-12-31 CE"));
    // "Press" moves the panel on, as a left click does.
    date->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(Get<QLabel>("lblTodaysDate1")->text(), QStringLiteral("2013-W01-1 ISO"));
    // Space on the focused label does the same; Shift+Space goes back.
    QTest::keyClick(Get<QLabel>("lblTodaysDate1"), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(Get<QLabel>("lblTodaysDate1")->text(), QStringLiteral("2012-12-31 CE"));
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(Get<QLabel>("lblOnlineDocumentation"));
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Online documentation"));
  }

  // ---- No box from inside a control's own event --------------------------------------------

  // The fault: an unreadable date and one click on the upper arrow opened a box while the
  // button was down, the release went to the box and the auto-repeat opened box after box.
  void aFailedArrowStepShowsOneBoxAfterTheRelease() {
    QScrollBar* stepper = Get<QScrollBar>("VScroll0");
    const QPoint up = ArrowRect(stepper, QStyle::SC_ScrollBarSubLine).center();
    Type(First(), QStringLiteral("2024-02-30"));
    QSignalSpy actions(stepper, &QAbstractSlider::actionTriggered);
    QTest::mousePress(stepper, Qt::LeftButton, {}, up);
    QTest::qWait(900);  // past the scroll bar's 500 ms before it repeats
    QCOMPARE(actions.count(), 1);  // the failed step stopped the repeat
    QVERIFY(messages_->shown.empty());
    QCOMPARE(First()->text(), QStringLiteral("2024-02-30"));
    QTest::mouseRelease(stepper, Qt::LeftButton, {}, up);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].title, QStringLiteral("Error!"));
    QTest::qWait(300);
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(stepper->value(), 0);
    QVERIFY(!stepper->isSliderDown());
    // The arrow is at rest: the next click steps (and fails) once more, and a readable date held
    // on the arrow still repeats, one day later each time.
    QTest::mouseClick(stepper, Qt::LeftButton, {}, up);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{2});
    First()->setText(QStringLiteral("2024-02-27"));
    QTest::mousePress(stepper, Qt::LeftButton, {}, up);
    QTest::qWait(700);
    QTest::mouseRelease(stepper, Qt::LeftButton, {}, up);
    QVERIFY2(First()->text() > QStringLiteral("2024-02-28"), qPrintable(First()->text()));
    QCOMPARE(messages_->shown.size(), std::size_t{2});
  }

  // Every way to use the stepper agrees: up, +1 and Increase are one day later.
  void stepperWaysAgreeUpIsLater() {
    QScrollBar* stepper = Get<QScrollBar>("VScroll0");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stepper);
    QVERIFY(accessible != nullptr && accessible->valueInterface() != nullptr && accessible->actionInterface() != nullptr);
    const auto wheel = [stepper](int angle) {
      QWheelEvent event(QPointF(2, 2), stepper->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, angle), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(stepper, &event);
    };
    const struct {
      const char* way;
      std::function<void()> act;
      int days;
    } ways[] = {
        {"upper arrow", [&] { QTest::mouseClick(stepper, Qt::LeftButton, {}, ArrowRect(stepper, QStyle::SC_ScrollBarSubLine).center()); }, 1},
        {"lower arrow", [&] { QTest::mouseClick(stepper, Qt::LeftButton, {}, ArrowRect(stepper, QStyle::SC_ScrollBarAddLine).center()); }, -1},
        {"value +1", [&] { stepper->setValue(1); }, 1},
        {"value -1", [&] { stepper->setValue(-1); }, -1},
        {"accessible value +1", [&] { accessible->valueInterface()->setCurrentValue(1); }, 1},
        {"accessible value -1", [&] { accessible->valueInterface()->setCurrentValue(-1); }, -1},
        {"Increase", [&] { accessible->actionInterface()->doAction(QAccessibleActionInterface::increaseAction()); }, 1},
        {"Decrease", [&] { accessible->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction()); }, -1},
        {"wheel away", [&] { wheel(120); }, 1},
        {"wheel back", [&] { wheel(-120); }, -1},
        {"Up key", [&] { QTest::keyClick(First(), Qt::Key_Up); }, 1},
        {"Down key", [&] { QTest::keyClick(First(), Qt::Key_Down); }, -1},
    };
    for (const auto& way : ways) {
      First()->setText(QStringLiteral("2012-12-31"));
      way.act();
      QCOMPARE(First()->text(), way.days > 0 ? QStringLiteral("2013-01-01") : QStringLiteral("2012-12-30"));
      QCOMPARE(stepper->value(), 0);
      QCOMPARE(accessible->valueInterface()->currentValue().toInt(), 0);
    }
    QCOMPARE(accessible->role(), QAccessible::SpinBox);
    QVERIFY(messages_->shown.empty());
  }

  // A screen reader's action on an unreadable date returns at once; the box follows.
  void stepperActionsReturnBeforeTheirBox() {
    QScrollBar* stepper = Get<QScrollBar>("VScroll1");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stepper);
    Second()->setText(QStringLiteral("2024-13-01"));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    accessible->valueInterface()->setCurrentValue(-1);
    QVERIFY(messages_->shown.empty());
    QCOMPARE(Second()->text(), QStringLiteral("2024-13-01"));
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{1});  // the same box, waiting twice, shows once
  }

  // A calendar option checked by any means converts the box once; the window's restore after
  // a refusal does not run the change again.
  void calendarOptionCheckedByAnyMeansConverts() {
    QRadioButton* jdn = Get<QRadioButton>("optFirstDateIsJDN");
    const struct {
      const char* way;
      std::function<void()> check;
    } ways[] = {
        {"click", [&] { jdn->click(); }},
        {"setChecked", [&] { jdn->setChecked(true); }},
        {"accessible toggle",
         [&] { QAccessible::queryAccessibleInterface(jdn)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction()); }},
        {"arrow key",
         [&] {
           Get<QRadioButton>("optFirstDateIsISO")->setFocus();
           QTest::keyClick(Get<QRadioButton>("optFirstDateIsISO"), Qt::Key_Down);
         }},
    };
    for (const auto& way : ways) {
      Get<QRadioButton>("optFirstDateIsCE")->click();
      First()->setText(QStringLiteral("2000-01-01"));
      Get<QRadioButton>("optFirstDateIsISO")->setChecked(true);
      QCOMPARE(First()->text(), QStringLiteral("1999-W52-6"));
      way.check();
      QVERIFY2(jdn->isChecked(), way.way);
      QCOMPARE(First()->text(), QStringLiteral("2,451,545"));
    }
    // Out of the ordinal range: put back to JDN without a word, the text untouched; the box
    // still counts as JDN, so the next change converts from JDN.
    First()->setText(QStringLiteral("1000"));
    Get<QRadioButton>("optFirstDateIsORD")->setChecked(true);
    QVERIFY(jdn->isChecked());
    QCOMPARE(First()->text(), QStringLiteral("1000"));
    Get<QRadioButton>("optFirstDateIsCE")->setChecked(true);
    QCOMPARE(First()->text(), QStringLiteral("-4710-08-20"));
    Settle();
    QVERIFY(messages_->shown.empty());
    // The window's own selections (here Reset's defaults) do not convert.
    First()->setText(QStringLiteral("2000-01-01"));
    jdn->setChecked(true);
    messages_->answers.push_back(MessageAnswer::Yes);
    Click("cmdReset");
    Settle();
    QCOMPARE(messages_->shown.size(), std::size_t{1});  // only the question
    QVERIFY(Get<QRadioButton>("optFirstDateIsCE")->isChecked());
  }

  // Enter in a box computes after the key event has returned, so the clear-one-box dialog
  // never runs inside the key filter.
  void enterOpensTheClearDialogAfterTheKey() {
    First()->setText(QStringLiteral("2012-01-01"));
    Difference()->setText(QStringLiteral("3"));
    Second()->setText(QStringLiteral("2012-01-09"));
    QTest::keyClick(Second(), Qt::Key_Enter);
    QTest::keyClick(Second(), Qt::Key_Enter);  // a repeat before it ran computes once
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(Difference()->text(), QStringLiteral("3"));
    bool asked = false;
    WhenModal([&asked](QWidget* dialog) {
      asked = true;
      dialog->findChild<QPushButton*>("cmdContinue")->click();
    });
    QTRY_VERIFY(asked);
    QCOMPARE(Difference()->text(), QStringLiteral("8"));
    QCOMPARE(Output()->Text().count(QLatin1Char('\n')), 1);
  }

  // ---- The settings file against faults on disk -------------------------------------------

  void aRefusedFileIsKeptAsideAndToldOnce() {
    const QString path = SettingsPath();
    const QByteArray garbage("\x01garbage, not settings\r\n", 24);
    for (const bool huge : {true, false}) {
      window_.reset();
      QFile::remove(path + QStringLiteral(".bak"));
      QFile::remove(path + QStringLiteral(".1.bak"));
      Spit(path + QStringLiteral(".bak"), "an older copy");
      Spit(path, garbage);
      if (huge) QVERIFY(QFile::resize(path, qint64{65} << 20));  // sparse: over the reader's limit
      StartWindow();
      Settle();
      QCOMPARE(messages_->shown.size(), std::size_t{1});
      QVERIFY(messages_->over_shown_window[0]);  // after the window is shown
      const QString told = messages_->shown[0].text;
      QVERIFY2(told.contains(path + QStringLiteral(".1.bak")), qPrintable(told));
      QCOMPARE(told.contains(QStringLiteral("64 MiB")), huge);
      QCOMPARE(Slurp(path + QStringLiteral(".bak")), QByteArray("an older copy"));
      QCOMPARE(Slurp(path + QStringLiteral(".1.bak")).left(garbage.size()), garbage);
      QVERIFY(!QFile::exists(path));
      window_->cmdQuit_Click();  // a fresh file
      QCOMPARE(ReadSettingsFile(path.toStdString()).status, SettingsReadStatus::Complete);
      StartWindow();
      Settle();
      QVERIFY(messages_->shown.empty());
    }
  }

  // A long saved output is in the window at once. Nothing is lost and nothing changes place:
  // Quit saves the whole text byte for byte, and a result computed after it comes after it.
  void aLongSavedOutputLosesNothing() {
    std::string saved;
    for (int line = 0; line < 30000; ++line) {
      // A no-break space and a quote in each line: both must come back as they were.
      saved += "2000-01-01 CE + " + std::to_string(line) + " days =\u00a0\"" + std::to_string(line % 97) + "\"\r\n";
    }
    QVERIFY(saved.size() > (std::size_t{1} << 20));
    for (const bool quit_at_once : {true, false}) {
      window_->SetOutputText(saved);
      std::string expected = saved;
      QCOMPARE(Output()->CursorPosition(), Output()->CharacterCount());
      if (!quit_at_once) {
        Type(First(), QStringLiteral("2000-01-01"));
        PressEnter(First());
        const QString shown = Output()->Text();
        QVERIFY(shown.startsWith(WithLineFeeds(ToQString(saved))));
        const QString result = shown.mid(WithLineFeeds(ToQString(saved)).size());
        QVERIFY2(result.startsWith(QStringLiteral("2000-01-01 CE")) && result.count(QLatin1Char('\n')) == 1,
                 qPrintable(result));
        expected += WithCrLf(result).toStdString();
        QCOMPARE(Output()->CursorPosition(), Output()->CharacterCount());
        // Copy with nothing selected takes the whole text, from its first byte.
        Get<QPushButton>("cmdCopyOutput")->click();
        QCOMPARE(QApplication::clipboard()->text(), shown);
      }
      window_->cmdQuit_Click();
      QCOMPARE(ReadSettingsFile(SettingsPath().toStdString()).settings.output, expected);
      StartWindow();  // starts from what was saved
      QCOMPARE(Output()->Text(), WithLineFeeds(ToQString(expected)));
      window_->SetOutputText({});
    }
  }

  // The saved output waits as UTF-8 and loses its CRs there: that must read exactly as
  // the text with its CRs taken out after reading.
  void lineFeedsOnBytesAreLineFeedsOnText() {
    const std::string cases[] = {"", "a", "\r", "\n", "\r\n", "\r\r\n", "\n\r", "x\r", "\r\n\r\n",
                                 "a\r\nb\r\nc", "\r\nlast", "lone\rcr\r\n", "\xE2\r\n\x82", "\xC3\xA4\r\n\xE2\x82\xAC"};
    for (const std::string& text : cases) {
      std::string bytes = text;
      ToLineFeeds(bytes);
      QCOMPARE(ToQString(bytes), WithLineFeeds(ToQString(text)));
    }
  }

  // A saved output of one long line of characters of several bytes comes back whole.
  void aLongLineGoesInWholeCharacters() {
    std::string saved;
    for (int i = 0; i < 60000; ++i) saved += "Gr\u00fc\u00dfe, \u20ac\U0001F4C5 ";
    saved += "\r\nend\r\n";
    window_->SetOutputText(saved);
    QVERIFY(Output()->Text() == WithLineFeeds(ToQString(saved)));
    window_->cmdQuit_Click();
    QVERIFY(ReadSettingsFile(SettingsPath().toStdString()).settings.output == saved);
  }

  void aFailedSaveIsToldOnceAndTheProgramEnds() {
    const QString path = SettingsPath();
    // The data folder deleted while the program runs is made again.
    QVERIFY(QDir(QFileInfo(path).path()).removeRecursively());
    Type(First(), QStringLiteral("2000-01-01"));
    window_->cmdQuit_Click();
    QVERIFY(messages_->shown.empty());
    QCOMPARE(ReadSettingsFile(path.toStdString()).settings.first_date, std::string("2000-01-01"));
    // A folder in the file's place: the save fails, one box names the file and the reason.
    StartWindow();
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    window_->cmdQuit_Click();
    window_->close();  // a second way out writes nothing more
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    const QString told = messages_->shown[0].text;
    QVERIFY2(told.contains(path) && told.contains(qt_error_string(EISDIR)), qPrintable(told));
    QCOMPARE(messages_->shown[0].icon, MessageIcon::Warning);
    QVERIFY(!window_->isVisible());
    QVERIFY(QDir().rmdir(path));
    // The configuration folder itself gone: nothing to make the data folder in.
    StartWindow();
    QVERIFY(QDir(config_->path()).removeRecursively());
    window_->cmdQuit_Click();
    QCOMPARE(messages_->shown.size(), std::size_t{1});
    QVERIFY(messages_->shown[0].text.contains(qt_error_string(ENOENT)));
  }

  void aLinkedSettingsFileIsWrittenThrough() {
    window_->cmdQuit_Click();
    const QString link = SettingsPath();
    QTemporaryDir dotfiles;
    const QString target = dotfiles.filePath(QStringLiteral("qrv.usr"));
    QVERIFY(QFile::rename(link, target));
    QVERIFY(QFile::link(target, link));
    StartWindow();
    Type(First(), QStringLiteral("2000-01-01"));
    window_->cmdQuit_Click();
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadSettingsFile(target.toStdString()).settings.first_date, std::string("2000-01-01"));
    QCOMPARE(QDir(QFileInfo(link).path()).entryList(QDir::Files | QDir::System | QDir::Hidden), QStringList{"qrv.usr"});
    // Reset deletes the file and keeps the link for the next Quit to write through.
    StartWindow();
    messages_->answers.push_back(MessageAnswer::Yes);
    Click("cmdReset");
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(!QFile::exists(target));
    window_->cmdQuit_Click();
    QCOMPARE(ReadSettingsFile(target.toStdString()).status, SettingsReadStatus::Complete);
  }

  void aRelativeConfigurationHomeIsIgnored() {
    window_.reset();
    QTemporaryDir home;
    const QByteArray saved_home = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", "relative/config");
    StartWindow();
    const QString expected = home.filePath(QStringLiteral(".config/Quorvan/qrv.usr"));
    QCOMPARE(SettingsPath(), expected);
    QCOMPARE(QDir::currentPath(), QStringLiteral("/"));  // the start-up changed the folder
    window_->cmdQuit_Click();
    QCOMPARE(ReadSettingsFile(expected.toStdString()).status, SettingsReadStatus::Complete);
    qputenv("HOME", saved_home);
    qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
  }

  // Bytes of a single-byte file come back at Quit byte for byte, in the boxes and the output.
  void singleByteTextsSurviveAStartAndAQuit() {
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b) high.append(static_cast<char>(b));
    StoredSettings stored;
    stored.first_date = "31" + high.left(16).toStdString();
    stored.second_date = "\xE9t\xE9";
    stored.output = "line one\r\n" + high.toStdString() + "\r\nnbsp\xA0here\r\n";
    QVERIFY(WriteSettingsFile(window_->SettingsFilePath(), stored));
    const QByteArray before = Slurp(SettingsPath());
    StartWindow();
    QCOMPARE(Output()->Text().left(10), QStringLiteral("line one\n"
                                                               "\u20AC"));
    window_->cmdQuit_Click();
    QCOMPARE(Slurp(SettingsPath()), before);
  }

  // A saved output near the reader's limit grows by one result: Quit keeps the newest whole
  // lines and a note, so the next start reads the file instead of starting on the defaults.
  void anOutputTooLargeForTheFileIsCutAtQuit() {
    const std::string line = std::string(98, 'x') + "\r\n";
    StoredSettings stored;
    const std::size_t lines = (kMaxSettingsFileBytes - FormattedSize(stored)) / line.size();
    stored.output.reserve(lines * line.size());
    for (std::size_t i = 0; i < lines; ++i) stored.output += line;
    // Ten bytes short of the limit, so the next result does not fit.
    const std::size_t rest = kMaxSettingsFileBytes - FormattedSize(stored);
    if (rest > 12) stored.output += std::string(rest - 12, 'y') + "\r\n";
    QVERIFY(WriteSettingsFile(window_->SettingsFilePath(), stored));
    StartWindow();
    Type(First(), QStringLiteral("2000-01-01"));
    PressEnter(First());
    window_->cmdQuit_Click();
    QCOMPARE(QFileInfo(SettingsPath()).size() <= qint64{kMaxSettingsFileBytes}, true);
    const SettingsReadResult read = ReadSettingsFile(window_->SettingsFilePath());
    QCOMPARE(read.status, SettingsReadStatus::Complete);
    const std::string ending = "2000-01-01 CE, Saturday\r\n" + std::string(kOutputCutNotes[0]) + "\r\n";
    QCOMPARE(read.settings.output.substr(read.settings.output.size() - ending.size()), ending);
    QCOMPARE(read.settings.output.substr(0, line.size()), line);  // whole lines only
    QCOMPARE(read.settings.first_date, std::string("2000-01-01"));
  }

  void staleTemporaryFilesGoAtStartUp() {
    window_->cmdQuit_Click();
    const QString folder = QFileInfo(SettingsPath()).path();
    const QString stale = folder + QStringLiteral("/qrv.usr.tmp-Ab12Cd");
    const QString fresh = folder + QStringLiteral("/qrv.usr.tmp-Ef34Gh");
    Spit(stale, QByteArray(4096, 'x'));
    Spit(fresh, "being written");
    QFile old_file(stale);
    QVERIFY(old_file.open(QIODevice::ReadWrite));
    QVERIFY(old_file.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
    old_file.close();
    StartWindow();
    QVERIFY(!QFile::exists(stale));
    QVERIFY(QFile::exists(fresh));
    QVERIFY(QFile::exists(SettingsPath()));
  }

  void accessibleNames() {
    // Every control a person can reach carries a name a screen reader can say.
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window_.get()) || widget->focusPolicy() == Qt::NoFocus) continue;
      if (qobject_cast<QAbstractButton*>(widget) == nullptr && qobject_cast<QLineEdit*>(widget) == nullptr &&
          qobject_cast<QComboBox*>(widget) == nullptr && qobject_cast<QLabel*>(widget) == nullptr) {
        continue;
      }
      const QAbstractButton* button = qobject_cast<QAbstractButton*>(widget);
      const QLabel* label = qobject_cast<QLabel*>(widget);
      const QString name = !widget->accessibleName().isEmpty() ? widget->accessibleName()
                           : button != nullptr                 ? button->text()
                           : label != nullptr                  ? label->text()
                                                               : QString();
      QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_qtest.moc"
