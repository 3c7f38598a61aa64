// Working days in the window, driven as a person would: the dialog's check boxes, region list,
// holiday files and preview; the note beside "Count weekend days"; qrv-workdays.ini across a
// restart, Reset and damage; the month window's marks and holiday list.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <sys/stat.h>
#include <set>
#include <string>
#include <algorithm>
#include <functional>
#include <memory>

#include "calendar/civil.h"
#include "calendar/clock.h"
#include "compute/work_calendar.h"
#include "find_control.h"
#include "holidays/regions.h"
#include "message_recorder.h"
#include "settings/work_days.h"
#include "support/program_texts.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"
#include "ui/main/frm_working_days.h"
#include "ui/month/frm_display_month.h"

using namespace qv;

namespace {

// Runs `action` on the modal dialog once it is shown and active. A dialog the action leaves open
// is closed, so that a failed step fails the test instead of waiting for ever.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    QVERIFY(modal != nullptr);
    modal->activateWindow();
    QTRY_VERIFY(modal->isActiveWindow());
    action(modal);
    if (modal->isVisible()) {
      qWarning("the dialog was left open");
      static_cast<QDialog*>(modal)->reject();
    }
  });
}

void ShowActive(QDialog& dialog) {
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  dialog.activateWindow();
  QTRY_VERIFY(dialog.isActiveWindow());
}

QStringList PreviewColumn(QWidget* dialog, int column) {
  QStringList texts;
  auto* preview = test::FindControl<QTreeWidget>(dialog, "trePreview");
  for (int i = 0; i < preview->topLevelItemCount(); ++i) texts << preview->topLevelItem(i)->text(column);
  return texts;
}

// The weekday check boxes in the order the dialog shows them.
QStringList WeekdayCaptions(QWidget* dialog) {
  QStringList captions;
  for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
    if (box->objectName().startsWith(QStringLiteral("chkWeekday"))) captions << box->text();
  }
  return captions;
}

// Types a text as keys; letters beyond ASCII (umlauts) as key events carrying their text, as a
// German keyboard sends them.
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(widget, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

std::shared_ptr<const WorkCalendar> Calendar(const char* region, const char* week = "Mon-Fri") {
  WorkDaysChoice choice;
  choice.week = *WorkWeek::Parse(week);
  choice.region = region;
  return BuildWorkCalendar(choice);
}

}  // namespace

class WorkingDaysTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QTemporaryDir files_;
  std::unique_ptr<test::MessageRecorder> messages_;
  std::unique_ptr<frmMain> window_;

  QString WriteFile(const QString& name, const QByteArray& content) {
    const QString path = files_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path;
  }
  void StartWindow() {
    window_.reset();
    messages_ = std::make_unique<test::MessageRecorder>();
    window_ = std::make_unique<frmMain>(test::ShippedTexts(), *messages_);
    window_->Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCoreApplication::processEvents();  // the posted start-up message, if any
  }
  QString WorkDaysPath() const { return QString::fromStdString(window_->WorkDaysFilePath()); }
  QLabel* Note() { return test::FindControl<QLabel>(window_.get(), "lblWorkDaysNote"); }
  // Opens the dialog from the main window, runs `action` on it while it is modal.
  void WithDialog(std::function<void(QWidget*)> action) {
    WhenModal(std::move(action));
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdWorkingDays"), Qt::LeftButton);
  }
  // The region's code typed into the search box and Return: keys, as a person finds it in the tree.
  static void ChooseRegion(QWidget* dialog, const QString& code) {
    auto* search = test::FindControl<QLineEdit>(dialog, "txtRegionSearch");
    search->setFocus();
    search->selectAll();
    QTest::keyClick(search, Qt::Key_Backspace);
    QTest::keyClicks(search, code);
    QTest::keyClick(search, Qt::Key_Return);
  }
  static QString CurrentRegionText(QWidget* dialog) {
    const QTreeWidgetItem* item = test::FindControl<QTreeWidget>(dialog, "treRegions")->currentItem();
    return item != nullptr ? item->text(0) : QString();
  }
  // Back to "(none)": the search emptied, Home in the tree.
  static void ChooseNoRegion(QWidget* dialog) {
    auto* search = test::FindControl<QLineEdit>(dialog, "txtRegionSearch");
    search->setFocus();
    search->selectAll();
    QTest::keyClick(search, Qt::Key_Backspace);
    auto* tree = test::FindControl<QTreeWidget>(dialog, "treRegions");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Home);
  }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid() && files_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  }

  void init() {
    SetTodaySource([] { return LocalDate{2026, 3, 2}; });
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
    messages_ = std::make_unique<test::MessageRecorder>();
  }

  void cleanup() {
    window_.reset();
    SetTodaySource({});
  }

  // ---- The dialog ------------------------------------------------------------------------------

  void weekdaysStartOnTheFirstDayOfTheWeek_data() {
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Monday, English") << int{Qt::Monday} << 0
                                     << QStringList{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                                    "Saturday", "Sunday"};
    QTest::newRow("Sunday, English") << int{Qt::Sunday} << 0
                                     << QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
                                                    "Friday", "Saturday"};
    QTest::newRow("Saturday, German") << int{Qt::Saturday} << 1
                                      << QStringList{"Samstag", "Sonntag", "Montag", "Dienstag", "Mittwoch",
                                                     "Donnerstag", "Freitag"};
  }
  void weekdaysStartOnTheFirstDayOfTheWeek() {
    QFETCH(int, firstDay);
    QFETCH(int, language);
    QFETCH(QStringList, captions);
    frmWorkingDays dialog(*messages_, nullptr, static_cast<Qt::DayOfWeek>(firstDay));
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), static_cast<qv::Language>(language), 2026);
    QCOMPARE(WeekdayCaptions(&dialog), captions);
    // Monday to Friday ticked, wherever they stand.
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
      if (!box->objectName().startsWith(QStringLiteral("chkWeekday"))) continue;
      const bool weekend = box->objectName() == "chkWeekday5" || box->objectName() == "chkWeekday6";
      QCOMPARE(box->isChecked(), !weekend);
    }
  }

  void keysAndClicksChangeTheWeek() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    QCOMPARE(QApplication::focusWidget(), test::FindControl<QWidget>(&dialog, "chkWeekday0"));
    // Tab to Friday, Space clears it; Sunday by the mouse.
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::FindControl<QWidget>(&dialog, "chkWeekday4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::mouseClick(test::FindControl<QCheckBox>(&dialog, "chkWeekday6"), Qt::LeftButton);
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdOK"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
    QCOMPARE(dialog.Choice().week.Mask(), uint8_t{0b1001111});  // Sunday to Thursday
    QVERIFY(messages_->shown.empty());
  }

  void noWorkingDayRefusesOk() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::German, 2026);
    ShowActive(dialog);
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
      if (box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
    }
    QTest::keyClick(&dialog, Qt::Key_Return);  // the default button: OK
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages_->shown[0].text, QStringLiteral("Bitte kreuzen Sie mindestens einen Arbeitstag der Woche an."));
    QCOMPARE(messages_->shown[0].title, QStringLiteral("Arbeitstage"));
    QCOMPARE(QApplication::focusWidget(), test::FindControl<QWidget>(&dialog, "chkWeekday0"));
  }

  void regionAndYearUpdateThePreview() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    QVERIFY(PreviewColumn(&dialog, 0).isEmpty());
    QVERIFY(test::FindControl<QLabel>(&dialog, "lblNoHolidays")->isVisible());
    ChooseRegion(&dialog, QStringLiteral("DE-BY"));
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Bavaria (DE-BY)"));
    QVERIFY(!test::FindControl<QLabel>(&dialog, "lblNoHolidays")->isVisible());
    const QStringList dates = PreviewColumn(&dialog, 0);
    QCOMPARE(dates.size(), 13);  // Munich's days, Assumption Day among them
    QCOMPARE(dates.first(), QStringLiteral("2026-01-01"));
    QCOMPARE(PreviewColumn(&dialog, 1).first(), QStringLiteral("Thursday"));
    QCOMPARE(PreviewColumn(&dialog, 2).at(2), QStringLiteral("Good Friday"));
    QCOMPARE(dates.at(2), QStringLiteral("2026-04-03"));
    // The year's arrow key: Easter moves.
    auto* year = test::FindControl<QSpinBox>(&dialog, "spnYear");
    year->setFocus();
    QTest::keyClick(year, Qt::Key_Up);
    QCOMPARE(year->value(), 2027);
    QCOMPARE(PreviewColumn(&dialog, 0).at(2), QStringLiteral("2027-03-26"));
    // The years the region knows stand under the regions; a year it does not know lists nothing
    // and says why, naming the region, the year and the years it knows.
    QCOMPARE(test::FindControl<QLabel>(&dialog, "lblKnownYears")->text(),
             QStringLiteral("DE-BY knows its holidays for 1991 onward."));
    year->setValue(1990);
    QVERIFY(PreviewColumn(&dialog, 0).isEmpty());
    QCOMPARE(test::FindControl<QLabel>(&dialog, "lblNoHolidays")->text(),
             QStringLiteral("The holidays of DE-BY are not known for 1990 (known: 1991 onward)."));
    year->setValue(1991);
    QVERIFY(!test::FindControl<QLabel>(&dialog, "lblNoHolidays")->isVisible());
    // Back to none: the preview empties.
    ChooseNoRegion(&dialog);
    QVERIFY(PreviewColumn(&dialog, 0).isEmpty());
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdOK"), Qt::LeftButton);
    QCOMPARE(dialog.Choice().region, std::string());
  }

  // The kinds of day: the preview names a half day and a customary one as such; "law only" is
  // kept in the choice; a projected year is said to be provisional.
  void kindsAndProvisionalYearsInThePreview() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    WorkDaysChoice choice;
    choice.region = "SE";
    dialog.Prepare(choice, RequestOptions().TextOptions(), qv::Language::English, 2025);
    ShowActive(dialog);
    const QStringList names = PreviewColumn(&dialog, 2);
    QVERIFY2(names.contains(QStringLiteral("Christmas Eve (customary)")), qPrintable(names.join(QLatin1Char('|'))));
    QVERIFY2(std::any_of(names.begin(), names.end(), [](const QString& n) { return n.endsWith(QStringLiteral("(half day)")); }),
             qPrintable(names.join(QLatin1Char('|'))));
    auto* law_only = test::FindControl<QCheckBox>(&dialog, "chkLawOnly");
    QVERIFY(!law_only->isChecked());
    QVERIFY(!law_only->accessibleName().isEmpty());
    QTest::mouseClick(law_only, Qt::LeftButton);
    ChooseRegion(&dialog, QStringLiteral("ES-MD"));
    auto* year = test::FindControl<QSpinBox>(&dialog, "spnYear");
    year->setValue(2031);
    QVERIFY(PreviewColumn(&dialog, 0).size() >= 12);
    QVERIFY2(test::FindControl<QLabel>(&dialog, "lblNoHolidays")->text().contains(QStringLiteral("provisional")),
             qPrintable(test::FindControl<QLabel>(&dialog, "lblNoHolidays")->text()));
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdOK"), Qt::LeftButton);
    QVERIFY(dialog.Choice().law_only);
    QCOMPARE(dialog.Choice().Settings().law_only, true);
  }

  void previewWritesDatesInTheWindowsOptionsAndLanguage() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    RequestOptions options;
    options.format = kFormatDMY;
    options.date_separator = ".";
    WorkDaysChoice choice;
    choice.region = "DE-BY";
    dialog.Prepare(choice, options.TextOptions(), qv::Language::German, 2026);
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Bayern (DE-BY)"));
    QCOMPARE(PreviewColumn(&dialog, 0).first(), QStringLiteral("01.01.2026"));
    QCOMPARE(PreviewColumn(&dialog, 1).first(), QStringLiteral("Donnerstag"));
    QCOMPARE(PreviewColumn(&dialog, 2).first(), QStringLiteral("Neujahr"));
    QCOMPARE(test::FindControl<QPushButton>(&dialog, "cmdCancel")->text(), QStringLiteral("Abbrechen"));
  }

  void holidayFilesAreAddedOrRefusedWhole() {
    const QString good = WriteFile("office.txt", "24.12.2026\tChristmas Eve\n31.12.2026\n");
    const QString bad = WriteFile("bad.txt", "24.12.2026\n2026-13-45\n");
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    RequestOptions options;
    options.format = kFormatDMY;
    options.date_separator = ".";
    dialog.Prepare(WorkDaysChoice{}, options.TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    QStringList chosen{good};
    dialog.SetFileChooser([&chosen](QWidget*, const QString&, const QString&, const QString& filters) {
      [&] { QVERIFY(filters.contains(QStringLiteral("*.ics")) && filters.contains(QStringLiteral("*.txt"))); }();
      return chosen;
    });
    auto* list = test::FindControl<QListWidget>(&dialog, "lstHolidayFiles");
    // A mnemonic presses its button as a click does, after the press is shown.
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);  // Add…
    QTRY_COMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), good);
    QCOMPARE(PreviewColumn(&dialog, 2), (QStringList{"Christmas Eve", "office.txt"}));
    test::FindControl<QSpinBox>(&dialog, "spnYear")->setValue(2027);
    QCOMPARE(test::FindControl<QLabel>(&dialog, "lblNoHolidays")->text(),
             QStringLiteral("None of the chosen holidays falls in this year."));
    test::FindControl<QSpinBox>(&dialog, "spnYear")->setValue(2026);
    // A file that cannot be read: its message, and nothing of the batch is taken.
    chosen = QStringList{bad, good};
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdAdd"), Qt::LeftButton);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text, bad + QStringLiteral(", line 2: not a date: 2026-13-45"));
    QCOMPARE(messages_->shown[0].icon, MessageIcon::Warning);
    QCOMPARE(list->count(), 1);
    QCOMPARE(PreviewColumn(&dialog, 2).size(), 2);
    // The same file twice is kept once.
    chosen = QStringList{good};
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdAdd"), Qt::LeftButton);
    QCOMPARE(list->count(), 1);
    // Remove, by its key.
    list->setCurrentRow(0);
    QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(list->count(), 0);
    QVERIFY(!test::FindControl<QPushButton>(&dialog, "cmdRemove")->isEnabled());
    QVERIFY(PreviewColumn(&dialog, 0).isEmpty());
    QCOMPARE(messages_->shown.size(), std::size_t{1});
  }

  void escapeClosesAndKeepsNothing() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    ChooseRegion(&dialog, QStringLiteral("AT"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int{QDialog::Rejected});
  }

  // ---- Regions by country, rule files, export -------------------------------------------------

  void regionsAreATreeByCountryWithASearch() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::German, 2026);
    ShowActive(dialog);
    auto* tree = test::FindControl<QTreeWidget>(&dialog, "treRegions");
    auto* search = test::FindControl<QLineEdit>(&dialog, "txtRegionSearch");
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("(keine)"));
    QTreeWidgetItem* germany = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
      if (tree->topLevelItem(i)->text(0) == QStringLiteral("Deutschland (bundesweit) (DE)")) germany = tree->topLevelItem(i);
    }
    QVERIFY(germany != nullptr);
    QCOMPARE(germany->childCount(), 16);
    // "(none)", 35 countries for 125 regions, and the line that says when a search finds none.
    QCOMPARE(tree->topLevelItemCount(), 1 + 35 + 1);
    const auto visible = [tree] {
      QStringList shown;
      for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if (!(*it)->isHidden() && ((*it)->parent() == nullptr || !(*it)->parent()->isHidden())) shown << (*it)->text(0);
      }
      return shown;
    };
    // Alt+U reaches the search; a German name finds its region under its country, in any case.
    QTest::keyClick(&dialog, Qt::Key_U, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(search));
    TypeText(search, QStringLiteral("ZÜRICH"));
    QCOMPARE(visible(), (QStringList{"Schweiz (CH)", "Kanton Zürich (CH-ZH)"}));
    QVERIFY(tree->topLevelItem(0)->isHidden());
    // Return chooses it and moves to the tree; the preview follows.
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(tree));
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Kanton Zürich (CH-ZH)"));
    // Berchtoldstag is a day off by the canton's staff rules: named with its kind.
    QVERIFY(PreviewColumn(&dialog, 2).contains(QStringLiteral("Berchtoldstag (üblich arbeitsfrei)")));
    // A code finds that region first even where names hold the same letters (Rheinland-PfAlz: "at").
    ChooseRegion(&dialog, QStringLiteral("at"));
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Österreich (AT)"));
    // A country found by its name keeps all its subdivisions; one without a region of its own
    // cannot be chosen itself.
    search->selectAll();
    TypeText(search, QStringLiteral("königreich"));
    QCOMPARE(visible(), (QStringList{"Vereinigtes Königreich (GB)", "England und Wales (GB-EAW)", "Nordirland (GB-NIR)",
                                     "Schottland (GB-SCT)"}));
    tree->setFocus();
    QTreeWidgetItem* gb = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
      if (tree->topLevelItem(i)->text(0).endsWith(QStringLiteral("(GB)"))) gb = tree->topLevelItem(i);
    }
    QVERIFY(gb != nullptr);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(gb).center());
    QCOMPARE(dialog.Choice().region, std::string("AT"));  // unchanged
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(gb->child(2)).center());
    QCOMPARE(dialog.Choice().region, std::string("GB-SCT"));
    // Emptied, the whole tree is back, closed but for the chosen region's country.
    search->selectAll();
    QTest::keyClick(search, Qt::Key_Backspace);
    // "(none)", a line for each country and one for each subdivision.
    std::set<std::string> countries;
    int subdivisions = 0;
    for (const holidays::Region& region : holidays::Regions()) {
      const std::string_view code = region.code;
      countries.insert(std::string(code.substr(0, 2)));
      subdivisions += code.size() > 2 ? 1 : 0;
    }
    QCOMPARE(visible().size(), 1 + static_cast<int>(countries.size()) + subdivisions);
    int open = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) open += tree->topLevelItem(i)->isExpanded() ? 1 : 0;
    QCOMPARE(open, 1);
    QVERIFY(gb->isExpanded());
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Schottland (GB-SCT)"));
    // Every control says what it is.
    QCOMPARE(search->accessibleName(), QStringLiteral("Regionen nach Code oder Name suchen"));
    QCOMPARE(tree->accessibleName(), QStringLiteral("Regionen nach Land"));
    QCOMPARE(QAccessible::queryAccessibleInterface(tree)->role(), QAccessible::Tree);
    QCOMPARE(QAccessible::queryAccessibleInterface(search)->role(), QAccessible::EditableText);
  }

  void aRuleFileOfOneselfIsAddedOrItsLineNamed() {
    const QString rules = WriteFile("acme.rules",
                                    "region ACME 2024\nen Acme\nde Acme\nwith DE-BY\n"
                                    "easter+40 | Bridge day | Brückentag\n"
                                    "workday 2026-05-16 | Saturday for Friday | Samstag für Freitag\n");
    const QString bad = WriteFile("bad.rules", "region ACME 2024\nen Acme\nde Acme\nevery friday | a | b\n");
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    QStringList chosen{bad};
    dialog.SetFileChooser([&chosen](QWidget*, const QString&, const QString&, const QString& filters) {
      [&] { QVERIFY(filters.contains(QStringLiteral("(*.rules)"))); }();
      return chosen;
    });
    auto* list = test::FindControl<QListWidget>(&dialog, "lstHolidayFiles");
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text, bad + QStringLiteral(", line 4: not a rule: every friday | a | b"));
    QCOMPARE(list->count(), 0);
    chosen = QStringList{rules};
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(list->count(), 1);
    // Bavaria's days and the company's own: Ascension 2026 is 14 May, the bridge day Friday 15 May.
    QVERIFY(PreviewColumn(&dialog, 2).contains(QStringLiteral("Bridge day")));
    QVERIFY(PreviewColumn(&dialog, 0).contains(QStringLiteral("2026-05-15")));
    QVERIFY(PreviewColumn(&dialog, 2).contains(QStringLiteral("Corpus Christi")));
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdOK"), Qt::LeftButton);
    // Counting honours the worked Saturday: Friday 15 May off, Saturday 16 May worked.
    const std::shared_ptr<const WorkCalendar> calendar = BuildWorkCalendar(dialog.Choice());
    QVERIFY(calendar != nullptr);
    const auto day = [](int y, int m, int d) { return static_cast<int32_t>(civil::GregorianToDayNumber(y, m, d)); };
    QVERIFY(!calendar->IsWorkingDay(day(2026, 5, 15)));
    QVERIFY(calendar->IsWorkingDay(day(2026, 5, 16)));
    QCOMPARE(messages_->shown.size(), std::size_t{1});
  }

  void exportWritesTheYearsAsICalendar() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::German, 2026);
    ShowActive(dialog);
    QString target = files_.filePath(QStringLiteral("bayern"));  // the suffix is added
    int asked = 0;
    dialog.SetSaveChooser([&](QWidget*, const QString& title, const QString&, const QString& filters) {
      ++asked;
      [&] {
        QCOMPARE(title, QStringLiteral("Feiertage als iCalendar exportieren"));
        QVERIFY(filters.contains(QStringLiteral("*.ics")));
      }();
      return target;
    });
    auto* export_button = test::FindControl<QPushButton>(&dialog, "cmdExport");
    // Nothing chosen: a posted message, no file asked for.
    QTest::mouseClick(export_button, Qt::LeftButton);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    QCOMPARE(messages_->shown[0].text, QStringLiteral("Bitte wählen Sie eine Region oder eine Feiertagsdatei zum Exportieren."));
    QCOMPARE(asked, 0);
    ChooseRegion(&dialog, QStringLiteral("DE-BY"));
    // The years by keys: Alt+K reaches the first year (2026), the last follows it.
    auto* first = test::FindControl<QSpinBox>(&dialog, "spnExportFirst");
    auto* last = test::FindControl<QSpinBox>(&dialog, "spnExportLast");
    QTest::keyClick(&dialog, Qt::Key_K, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first));
    QCOMPARE(first->value(), 2026);
    QCOMPARE(last->value(), 2028);
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(first->value(), 2025);
    first->selectAll();
    QTest::keyClicks(first, QStringLiteral("2030"));
    QCOMPARE(last->value(), 2030);  // never before the first
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Down);
    QCOMPARE(last->value(), 2030);
    first->selectAll();
    QTest::keyClicks(first, QStringLiteral("2025"));
    QTest::keyClick(&dialog, Qt::Key_X, Qt::AltModifier);  // Export…
    QTRY_COMPARE(asked, 1);
    const QString written = target + QStringLiteral(".ics");
    QTRY_VERIFY(QFile::exists(written));
    // Where it went is said, once it is there.
    QTRY_COMPARE(messages_->shown.size(), std::size_t{2});
    QCOMPARE(messages_->shown[1].text, QStringLiteral("Die Feiertage wurden exportiert nach:\n") + written);
    QCOMPARE(messages_->shown[1].icon, MessageIcon::Information);
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ics = file.readAll();
    QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(ics.contains("SUMMARY:Neujahr\r\n"));
    QVERIFY(ics.contains("DTSTART;VALUE=DATE:20250101\r\n"));
    QVERIFY(ics.contains("DTSTART;VALUE=DATE:20301226\r\n"));
    QVERIFY(!ics.contains("DTSTART;VALUE=DATE:2024"));
    QVERIFY(!ics.contains("DTSTART;VALUE=DATE:2031"));
    // It reads back as a holiday file: the same year in the preview.
    dialog.SetFileChooser([&](QWidget*, const QString&, const QString&, const QString&) { return QStringList{written}; });
    ChooseNoRegion(&dialog);
    QTest::mouseClick(test::FindControl<QPushButton>(&dialog, "cmdAdd"), Qt::LeftButton);
    QTRY_COMPARE(test::FindControl<QListWidget>(&dialog, "lstHolidayFiles")->count(), 1);
    QCOMPARE(PreviewColumn(&dialog, 0).size(), 13);
    QCOMPARE(PreviewColumn(&dialog, 2).first(), QStringLiteral("Neujahr"));
    // A file that cannot be written is named.
    target = files_.filePath(QStringLiteral("no-such-folder/x.ics"));
    QTest::mouseClick(export_button, Qt::LeftButton);
    QTRY_COMPARE(messages_->shown.size(), std::size_t{3});
    QCOMPARE(messages_->shown[2].text, target + QStringLiteral(": Die Datei konnte nicht geschrieben werden."));
    QCOMPARE(messages_->shown[2].title, QStringLiteral("Arbeitstage"));
    QCOMPARE(export_button->accessibleName(), QStringLiteral("Exportieren…"));
    QCOMPARE(first->accessibleName(), QStringLiteral("Erstes Jahr des Exports"));
  }

  // Countries by their names in the dialog's language, each country's regions likewise: in
  // English Spain comes after Slovenia, not between Estonia and Finland as its code would put it;
  // in German Österreich comes under O.
  void regionsAreSortedByNameInTheDialogsLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("countries");
    QTest::addColumn<QStringList>("german_states");
    QTest::newRow("English") << 0
                             << QStringList{"Australia", "Austria", "Belgium", "Bulgaria", "Canada", "Croatia",
                                            "Cyprus", "Czechia", "Denmark", "Estonia", "Finland", "France",
                                            "Germany", "Greece", "Hungary", "Ireland", "Italy", "Japan", "Latvia",
                                            "Lithuania", "Luxembourg", "Malta", "Netherlands", "New Zealand",
                                            "Norway", "Poland", "Portugal", "Romania", "Slovakia", "Slovenia",
                                            "Spain", "Sweden", "Switzerland", "United Kingdom", "United States"}
                             << QStringList{"Baden-Württemberg", "Bavaria", "Berlin", "Brandenburg", "Bremen", "Hamburg",
                                            "Hesse", "Lower Saxony", "Mecklenburg-Western Pomerania",
                                            "North Rhine-Westphalia", "Rhineland-Palatinate", "Saarland", "Saxony",
                                            "Saxony-Anhalt", "Schleswig-Holstein", "Thuringia"};
    QTest::newRow("German") << 1
                            << QStringList{"Australien", "Belgien", "Bulgarien", "Dänemark", "Deutschland", "Estland",
                                           "Finnland", "Frankreich", "Griechenland", "Irland", "Italien", "Japan",
                                           "Kanada", "Kroatien", "Lettland", "Litauen", "Luxemburg", "Malta",
                                           "Neuseeland", "Niederlande", "Norwegen", "Österreich", "Polen", "Portugal",
                                           "Rumänien", "Schweden", "Schweiz", "Slowakei", "Slowenien", "Spanien",
                                           "Tschechien", "Ungarn", "Vereinigte Staaten", "Vereinigtes Königreich",
                                           "Zypern"}
                            << QStringList{"Baden-Württemberg", "Bayern", "Berlin", "Brandenburg", "Bremen", "Hamburg",
                                           "Hessen", "Mecklenburg-Vorpommern", "Niedersachsen", "Nordrhein-Westfalen",
                                           "Rheinland-Pfalz", "Saarland", "Sachsen", "Sachsen-Anhalt",
                                           "Schleswig-Holstein", "Thüringen"};
  }
  void regionsAreSortedByNameInTheDialogsLanguage() {
    QFETCH(int, language);
    QFETCH(QStringList, countries);
    QFETCH(QStringList, german_states);
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), static_cast<qv::Language>(language), 2026);
    auto* tree = test::FindControl<QTreeWidget>(&dialog, "treRegions");
    // The names as the tree shows them, without the code (and a national region's addition).
    const auto name = [](const QTreeWidgetItem* item) {
      return item->text(0).section(QStringLiteral(" ("), 0, 0);
    };
    QStringList shown;
    QTreeWidgetItem* germany = nullptr;
    for (int i = 1; i < tree->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = tree->topLevelItem(i);
      if (countries.contains(name(item))) shown << name(item);
      if (item->text(0).endsWith(QStringLiteral("(DE)"))) germany = item;
    }
    QCOMPARE(shown, countries);
    QVERIFY(germany != nullptr);
    QStringList states;
    for (int k = 0; k < germany->childCount(); ++k) states << name(germany->child(k));
    QCOMPARE(states, german_states);
    // "(none)" stays first.
    QCOMPARE(tree->topLevelItem(0)->text(0), language == 1 ? QStringLiteral("(keine)") : QStringLiteral("(none)"));
  }

  // A search that finds nothing says so in the list, in a line that cannot be chosen.
  void aSearchThatFindsNothingSaysSo() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    WorkDaysChoice choice;
    choice.region = "AT";
    dialog.Prepare(choice, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    auto* tree = test::FindControl<QTreeWidget>(&dialog, "treRegions");
    auto* search = test::FindControl<QLineEdit>(&dialog, "txtRegionSearch");
    const auto shown = [tree] {
      QList<QTreeWidgetItem*> items;
      for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if (!(*it)->isHidden() && ((*it)->parent() == nullptr || !(*it)->parent()->isHidden())) items << *it;
      }
      return items;
    };
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("Atlantis"));
    QCOMPARE(shown().size(), 1);
    QTreeWidgetItem* none_found = shown().front();
    QCOMPARE(none_found->text(0), QStringLiteral("No region matches the search."));
    QVERIFY(!(none_found->flags() & Qt::ItemIsSelectable));
    // Return and Down find nothing to choose: the region chosen stays.
    QTest::keyClick(search, Qt::Key_Return);
    QTest::keyClick(search, Qt::Key_Down);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(none_found).center());
    QCOMPARE(dialog.Choice().region, std::string("AT"));
    // A letter less finds a region again, and the line goes.
    search->setFocus();
    search->clear();
    QTest::keyClicks(search, QStringLiteral("Austr"));
    QVERIFY(none_found->isHidden());
    QVERIFY(!shown().isEmpty());
  }

  // Down in the search box goes into the list at its first match, which the preview shows at
  // once; Return there chooses it with OK. On a country that is no region itself Return opens or
  // closes it instead.
  void downEntersTheFirstMatchAndReturnChoosesIt() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::German, 2026);
    ShowActive(dialog);
    auto* tree = test::FindControl<QTreeWidget>(&dialog, "treRegions");
    auto* search = test::FindControl<QLineEdit>(&dialog, "txtRegionSearch");
    search->setFocus();
    TypeText(search, QStringLiteral("königreich"));
    QTest::keyClick(search, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(tree));
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("England und Wales (GB-EAW)"));
    QCOMPARE(dialog.Choice().region, std::string("GB-EAW"));
    QVERIFY(PreviewColumn(&dialog, 2).contains(QStringLiteral("Ostermontag")));
    // Up to the country, which is no region: Return closes it and the dialog stays open.
    QTest::keyClick(tree, Qt::Key_Up);
    QTreeWidgetItem* country = tree->currentItem();
    QCOMPARE(country->text(0), QStringLiteral("Vereinigtes Königreich (GB)"));
    QVERIFY(country->isExpanded());
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!country->isExpanded());
    QVERIFY(dialog.isVisible());
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(country->isExpanded());
    QCOMPARE(dialog.Choice().region, std::string("GB-EAW"));
    // Down to a region and Return: chosen, and the dialog is done.
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(CurrentRegionText(&dialog), QStringLiteral("Schottland (GB-SCT)"));
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int{QDialog::Accepted});
    QCOMPARE(dialog.Choice().region, std::string("GB-SCT"));
  }

  // Twelve rows of regions where the screen has room for the dialog with them.
  void twelveRegionRowsWhereThereIsRoom() {
    frmWorkingDays dialog(*messages_, nullptr, Qt::Monday);
    dialog.Prepare(WorkDaysChoice{}, RequestOptions().TextOptions(), qv::Language::English, 2026);
    ShowActive(dialog);
    auto* tree = test::FindControl<QTreeWidget>(&dialog, "treRegions");
    const int row = tree->visualItemRect(tree->topLevelItem(0)).height();
    QVERIFY(row > 0);
    const QRect room = dialog.screen()->availableGeometry();
    if (dialog.frameGeometry().height() + row * 6 <= room.height()) {
      QVERIFY2(tree->viewport()->height() >= row * frmWorkingDays::kRegionRows,
               qPrintable(QStringLiteral("%1 rows of %2").arg(tree->viewport()->height()).arg(row)));
      // The preview keeps a year's dozen holidays in view as well.
      auto* preview = test::FindControl<QTreeWidget>(&dialog, "trePreview");
      QVERIFY(preview->viewport()->height() >= preview->fontMetrics().lineSpacing() * 12);
    }
    QVERIFY(tree->viewport()->height() >= row * frmWorkingDays::kFewestRegionRows);
    QVERIFY(room.contains(QRect(QPoint(0, 0), dialog.frameGeometry().size()).translated(room.topLeft())));
  }

  // ---- The main window: note, file, restart, Reset ---------------------------------------------

  void aChoiceIsShownKeptAndReset() {
    StartWindow();
    QCOMPARE(Note()->text(), QString());
    QCOMPARE(test::FindControl<QPushButton>(window_.get(), "cmdWorkingDays")->text(), QStringLiteral("&Working days…"));
    QVERIFY(window_->WorkDays().region.empty());
    WithDialog([](QWidget* dialog) {
      ChooseRegion(dialog, QStringLiteral("DE-BY"));
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY"));
    QVERIFY(QFile::exists(WorkDaysPath()));
    QCOMPARE(QFileInfo(WorkDaysPath()).fileName(), QStringLiteral("qrv-workdays.ini"));
    QCOMPARE(QFileInfo(WorkDaysPath()).dir(), QFileInfo(QString::fromStdString(window_->SettingsFilePath())).dir());
    window_->cmdQuit_Click();
    // qrv.usr keeps exactly its 15 records: nothing of the working days is in it.
    QFile usr(QString::fromStdString(window_->SettingsFilePath()));
    QVERIFY(usr.open(QIODevice::ReadOnly));
    const QByteArray records = usr.readAll();
    QCOMPARE(records.count("\r\n"), 15);
    QVERIFY(!records.contains("DE-BY"));

    StartWindow();
    QCOMPARE(window_->WorkDays().region, std::string("DE-BY"));
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY"));
    QVERIFY(messages_->shown.empty());
    // The kept choice counts: Munich's 2024 has 250 working days after 1 January.
    test::FindControl<QCheckBox>(window_.get(), "chkIncludeWeekends")->setChecked(false);
    test::FindControl<QLineEdit>(window_.get(), "txbFirstDate")->setText(QStringLiteral("2024-01-01"));
    test::FindControl<QLineEdit>(window_.get(), "txbSecondDate")->setText(QStringLiteral("2024-12-31"));
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdCompute"), Qt::LeftButton);
    QCoreApplication::processEvents();
    const QString output = test::FindControl<qv::OutputTextBox>(window_.get(), "txbOutput")->Text();
    QVERIFY2(output.contains(QStringLiteral("= 250 days")) && output.contains(QStringLiteral("(DE-BY 11)")),
             qPrintable(output));
    // A count across a year the region does not know says so in the output line, in place of a
    // number, and opens no message box.
    test::FindControl<QLineEdit>(window_.get(), "txbDateDiff")->clear();  // the last count's result
    test::FindControl<QLineEdit>(window_.get(), "txbFirstDate")->setText(QStringLiteral("1990-06-01"));
    test::FindControl<QLineEdit>(window_.get(), "txbSecondDate")->setText(QStringLiteral("1991-06-01"));
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdCompute"), Qt::LeftButton);
    QCoreApplication::processEvents();
    const QString refused = test::FindControl<qv::OutputTextBox>(window_.get(), "txbOutput")->Text();
    QVERIFY2(refused.contains(QStringLiteral(
                 "1990-06-01 CE to 1991-06-01 CE = not counted: the holidays of DE-BY are not known for 1990 "
                 "(known: 1991 onward)")),
             qPrintable(refused));
    QVERIFY(messages_->shown.empty());
    test::FindControl<QComboBox>(window_.get(), "cboLanguage")->setCurrentIndex(1);
    QCOMPARE(Note()->text(), QStringLiteral("Mo–Fr, DE-BY"));
    QCOMPARE(test::FindControl<QPushButton>(window_.get(), "cmdWorkingDays")->text(), QStringLiteral("&Arbeitstage…"));
    QCOMPARE(Note()->accessibleName(), QStringLiteral("Geltende Arbeitstage: Mo–Fr, DE-BY"));

    messages_->answers.push_back(MessageAnswer::Yes);
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdReset"), Qt::LeftButton);
    QCOMPARE(Note()->text(), QString());
    QVERIFY(!QFile::exists(WorkDaysPath()));
    QVERIFY(!window_->WorkDays().InForce());
  }

  // OK with working days while "Count weekend days" is ticked unticks it, as a click would, so
  // that the choice counts at once and qrv.usr keeps the box as usual; ticked again, the note says
  // the choice is not in use.
  void okWithWorkingDaysUnticksCountingWeekendDays() {
    StartWindow();
    auto* weekends = test::FindControl<QCheckBox>(window_.get(), "chkIncludeWeekends");
    QVERIFY(weekends->isChecked());  // the described default
    // All seven days and no holidays leave nothing out: the box stays as it is.
    WithDialog([](QWidget* dialog) {
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday5"), Qt::LeftButton);
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday6"), Qt::LeftButton);
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(weekends->isChecked());
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Sun (not counted while weekend days are counted)"));
    // Cancel asks for nothing.
    WithDialog([](QWidget* dialog) {
      ChooseRegion(dialog, QStringLiteral("DE-BY"));
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    QVERIFY(weekends->isChecked());
    // Bavaria, Monday to Friday: the box is unticked and a year counts Bavaria's working days.
    WithDialog([](QWidget* dialog) {
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday5"), Qt::LeftButton);
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday6"), Qt::LeftButton);
      ChooseRegion(dialog, QStringLiteral("DE-BY"));
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QVERIFY(!weekends->isChecked());
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY"));
    test::FindControl<QLineEdit>(window_.get(), "txbFirstDate")->setText(QStringLiteral("2024-01-01"));
    test::FindControl<QLineEdit>(window_.get(), "txbSecondDate")->setText(QStringLiteral("2024-12-31"));
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdCompute"), Qt::LeftButton);
    QCoreApplication::processEvents();
    const QString output = test::FindControl<qv::OutputTextBox>(window_.get(), "txbOutput")->Text();
    QVERIFY2(output.contains(QStringLiteral("= 250 days")), qPrintable(output));
    // Ticked again by the user: the note says the choice is set aside, for a screen reader too.
    QTest::mouseClick(weekends, Qt::LeftButton);
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY (not counted while weekend days are counted)"));
    QCOMPARE(Note()->accessibleName(),
             QStringLiteral("Working days in force: Mon–Fri, DE-BY (not counted while weekend days are counted)"));
    test::FindControl<QComboBox>(window_.get(), "cboLanguage")->setCurrentIndex(1);
    QCOMPARE(Note()->text(), QStringLiteral("Mo–Fr, DE-BY (nicht berücksichtigt, solange Wochenendtage gezählt werden)"));
    test::FindControl<QComboBox>(window_.get(), "cboLanguage")->setCurrentIndex(0);
    QTest::mouseClick(weekends, Qt::LeftButton);
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY"));
    // Unticked by OK, the box is kept unticked in qrv.usr as a click would keep it.
    WithDialog([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QTest::mouseClick(weekends, Qt::LeftButton);
    WithDialog([](QWidget* dialog) { QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton); });
    QVERIFY(!weekends->isChecked());
    window_->cmdQuit_Click();
    StartWindow();
    QVERIFY(!test::FindControl<QCheckBox>(window_.get(), "chkIncludeWeekends")->isChecked());
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY"));
  }

  // The file dialogs open in the documents folder (XDG), then where holiday files were last
  // added from or exported to, also after a restart. An exported calendar is readable as the
  // umask says (0644 with 022); the program's own files stay private (0600).
  void filesGoWhereTheUserWorks() {
    const mode_t umask_before = ::umask(022);
    const QString documents = files_.filePath(QStringLiteral("Dokumente"));
    const QString lists = files_.filePath(QStringLiteral("Listen"));
    const QString exports = files_.filePath(QStringLiteral("Export"));
    const QString later = files_.filePath(QStringLiteral("Neu"));
    for (const QString& folder : {documents, lists, exports, later}) QVERIFY(QDir().mkpath(folder));
    const QString office = WriteFile(QStringLiteral("Listen/office.txt"), "2026-12-24\tChristmas Eve\n");
    {
      QFile dirs(config_.filePath(QStringLiteral("user-dirs.dirs")));
      QVERIFY(dirs.open(QIODevice::WriteOnly));
      dirs.write("XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
    }
    StartWindow();
    QStringList opened_at;
    QString written;
    WithDialog([&](QWidget* modal) {
      auto* dialog = static_cast<frmWorkingDays*>(modal);
      dialog->SetFileChooser([&](QWidget*, const QString&, const QString& folder, const QString&) {
        opened_at << folder;
        return QStringList{office};
      });
      dialog->SetSaveChooser([&](QWidget*, const QString&, const QString& path, const QString&) {
        opened_at << path;
        return exports + QStringLiteral("/bayern");
      });
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
      QTRY_COMPARE(test::FindControl<QListWidget>(dialog, "lstHolidayFiles")->count(), 1);
      ChooseRegion(dialog, QStringLiteral("DE-BY"));
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdExport"), Qt::LeftButton);
      written = exports + QStringLiteral("/bayern.ics");
      QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
      QCOMPARE(messages_->shown[0].text, QStringLiteral("The holidays were exported to:\n") + written);
      QCOMPARE(messages_->shown[0].icon, MessageIcon::Information);
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QCOMPARE(opened_at, (QStringList{documents, lists + QStringLiteral("/holidays.ics")}));
    const auto mode = [](const QString& path) {
      struct stat info {};
      return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777U : 0U;
    };
    QCOMPARE(mode(written), 0644U);
    QCOMPARE(mode(WorkDaysPath()), 0600U);
    window_->cmdQuit_Click();
    QCOMPARE(mode(QString::fromStdString(window_->SettingsFilePath())), 0600U);
    // After a restart: where the last file went. A dialog left by Cancel keeps its folder too.
    StartWindow();
    opened_at.clear();
    WithDialog([&](QWidget* modal) {
      auto* dialog = static_cast<frmWorkingDays*>(modal);
      dialog->SetFileChooser([&](QWidget*, const QString&, const QString& folder, const QString&) {
        opened_at << folder;
        return QStringList{WriteFile(QStringLiteral("Neu/more.txt"), "2026-12-31\n")};
      });
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
      QTRY_COMPARE(test::FindControl<QListWidget>(dialog, "lstHolidayFiles")->count(), 2);
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    QCOMPARE(opened_at, QStringList{exports});
    QCOMPARE(window_->WorkDays().files.size(), std::size_t{1});
    window_->cmdQuit_Click();
    StartWindow();
    opened_at.clear();
    WithDialog([&](QWidget* modal) {
      auto* dialog = static_cast<frmWorkingDays*>(modal);
      dialog->SetFileChooser([&](QWidget*, const QString&, const QString& folder, const QString&) {
        opened_at << folder;
        return QStringList{};
      });
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdAdd"), Qt::LeftButton);
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(opened_at, QStringList{later});
    // Reset forgets the folder with the rest.
    messages_->answers.push_back(MessageAnswer::Yes);
    QTest::mouseClick(test::FindControl<QPushButton>(window_.get(), "cmdReset"), Qt::LeftButton);
    QVERIFY(!QFile::exists(WorkDaysPath()));
    QFile::remove(config_.filePath(QStringLiteral("user-dirs.dirs")));
    ::umask(umask_before);
  }

  void backToTheDefaultsRemovesTheFile() {
    StartWindow();
    WithDialog([](QWidget* dialog) {
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday5"), Qt::LeftButton);  // Saturday
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Sat"));
    QVERIFY(QFile::exists(WorkDaysPath()));
    WithDialog([](QWidget* dialog) {
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday5"), Qt::LeftButton);
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    QCOMPARE(Note()->text(), QString());
    QVERIFY(!QFile::exists(WorkDaysPath()));
  }

  // A choice that cannot be kept still applies, and the box says which file and why; it opens
  // after the click's event, once.
  void aChoiceThatCannotBeKeptSaysWhy() {
    StartWindow();
    QVERIFY(QDir().mkpath(WorkDaysPath() + QStringLiteral("/in-the-way")));  // a folder where the file goes
    WithDialog([](QWidget* dialog) {
      ChooseRegion(dialog, QStringLiteral("AT"));
      QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QCOMPARE(window_->WorkDays().region, std::string("AT"));
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    const QStringList lines = messages_->shown.front().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(QStringLiteral("The working days apply now, but could not be saved")));
    QCOMPARE(lines[1], WorkDaysPath());
    QVERIFY2(!lines[2].isEmpty(), "the reason");
    QVERIFY(QFileInfo(WorkDaysPath()).isDir());
    QCOMPARE(QDir(QFileInfo(WorkDaysPath()).path()).entryList({QStringLiteral("qrv-workdays.ini.tmp-*")}, QDir::Files),
             QStringList());
  }

  // Temporary files of killed saves are removed at start-up once they are a minute old; a newer
  // one may be a save of another running instance and stays.
  void staleTemporaryFilesOfTheWorkingDaysGo() {
    const QString folder = config_.path() + QStringLiteral("/Quorvan");
    QVERIFY(QDir().mkpath(folder));
    const QString stale = folder + QStringLiteral("/qrv-workdays.ini.tmp-Ab12Cd");
    const QString fresh = folder + QStringLiteral("/qrv-workdays.ini.tmp-Ef34Gh");
    for (const QString& path : {stale, fresh}) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("[WorkDays]\n");
    }
    QFile old(stale);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    old.close();
    StartWindow();
    QVERIFY(!QFile::exists(stale));
    QVERIFY(QFile::exists(fresh));
  }

  void cancelAndEscapeChangeNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
  }
  void cancelAndEscapeChangeNothing() {
    QFETCH(bool, escape);
    StartWindow();
    WithDialog([escape](QWidget* dialog) {
      ChooseRegion(dialog, QStringLiteral("AT"));
      QTest::mouseClick(test::FindControl<QCheckBox>(dialog, "chkWeekday0"), Qt::LeftButton);
      if (escape) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      } else {
        QTest::mouseClick(test::FindControl<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
      }
    });
    QCOMPARE(Note()->text(), QString());
    QVERIFY(!window_->WorkDays().InForce());
    QVERIFY(!QFile::exists(WorkDaysPath()));
    // The next opening shows the choice in force, not the one dropped.
    WithDialog([](QWidget* dialog) {
      QCOMPARE(test::FindControl<QTreeWidget>(dialog, "treRegions")->currentItem(),
               test::FindControl<QTreeWidget>(dialog, "treRegions")->topLevelItem(0));  // (none)
      QVERIFY(test::FindControl<QCheckBox>(dialog, "chkWeekday0")->isChecked());
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
  }

  void theRowGoesWithTheDayCountBoxes() {
    StartWindow();
    QWidget* row = test::FindControl<QWidget>(window_.get(), "WorkDaysRow");
    QVERIFY(row->isVisible());
    test::FindControl<QRadioButton>(window_.get(), "optMonths")->click();
    QVERIFY(!row->isVisible());
    test::FindControl<QRadioButton>(window_.get(), "optDays")->click();
    QVERIFY(row->isVisible());
  }

  // ---- Start-up with damage ----------------------------------------------------------------------

  void damagedOrUnreadableFilesStartOnTheDefaults_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("folder");
    QTest::newRow("garbage") << QByteArray("\x7f" "ELF\x02\x01\x01") << false;
    QTest::newRow("no work day") << QByteArray("[WorkDays]\nWorkWeek=0000000\nRegion=DE-BY\n") << false;
    QTest::newRow("unknown region") << QByteArray("[WorkDays]\nRegion=DE-XX\n") << false;
    QTest::newRow("a folder in its place") << QByteArray() << true;
  }
  void damagedOrUnreadableFilesStartOnTheDefaults() {
    QFETCH(QByteArray, content);
    QFETCH(bool, folder);
    StartWindow();
    const QString path = WorkDaysPath();
    window_.reset();
    if (folder) {
      QVERIFY(QDir().mkpath(path));
    } else {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    StartWindow();
    QVERIFY(!window_->WorkDays().InForce());
    QCOMPARE(Note()->text(), QString());
    QVERIFY(messages_->shown.empty());
    if (folder) QDir(path).removeRecursively();
  }

  void unreadableHolidayFilesAreNamedOnce() {
    const QString good = WriteFile("good.ics",
                                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
                                   "UID:1\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:Heiligabend\r\nEND:VEVENT\r\n"
                                   "END:VCALENDAR\r\n");
    const QString gone = files_.filePath("gone.txt");
    const QString broken = WriteFile("broken.ics", "not a calendar");
    StartWindow();
    const QString path = WorkDaysPath();
    window_.reset();
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[WorkDays]\nWorkWeek=1111100\nRegion=DE-BY\nHolidayFile=2,45,44," + gone.toUtf8() +
               "\nHolidayFile=2,45,44," + good.toUtf8() + "\nHolidayFile=2,45,44," + broken.toUtf8() + "\n");
    file.close();
    StartWindow();
    QTRY_COMPARE(messages_->shown.size(), std::size_t{1});
    const QString text = messages_->shown[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("These holiday files could not be read and are left out:\n")), qPrintable(text));
    QVERIFY(text.contains(gone + QStringLiteral(": cannot read the file")));
    QVERIFY(text.contains(broken + QStringLiteral(": ")));
    QVERIFY(!text.contains(good));
    QCOMPARE(window_->WorkDays().region, std::string("DE-BY"));
    QCOMPARE(window_->WorkDays().files.size(), std::size_t{1});
    // Weekend days are counted (the default of qrv.usr, which this start has none of).
    QCOMPARE(Note()->text(), QStringLiteral("Mon–Fri, DE-BY, 1 file (not counted while weekend days are counted)"));
    // Named once: opening the dialog, or anything else, says nothing more.
    WithDialog([good](QWidget* dialog) {
      auto* list = test::FindControl<QListWidget>(dialog, "lstHolidayFiles");
      QCOMPARE(list->count(), 1);
      QCOMPARE(list->item(0)->text(), good);
      QVERIFY(PreviewColumn(dialog, 2).contains(QStringLiteral("Heiligabend")));
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCoreApplication::processEvents();
    QCOMPARE(messages_->shown.size(), std::size_t{1});
  }

  // ---- The month window ----------------------------------------------------------------------

  void monthMarksAndHolidayList() {
    QWidget main;
    main.show();
    auto* month = new frmDisplayMonth(test::ShippedTexts(), *messages_, &main);
    month->ApplyLanguageTexts(qv::Language::English);
    month->SetWeekStart(qv::WeekStart::Monday);
    month->SetWorkCalendar(Calendar("DE-BY"));
    month->OpenAtMonth({2025, 5});
    QVERIFY(QTest::qWaitForWindowExposed(month));
    auto* grid = test::FindControl<QPlainTextEdit>(month, "txbMonth");
    // The format of the day in row `row`, column `column` (Monday first).
    const auto format = [grid](int row, int column) {
      const QTextBlock block = grid->document()->findBlockByNumber(row + 1);
      QTextCursor cursor(grid->document());
      cursor.setPosition(block.position() + 1 + 5 * column + 2 + 1);  // after the day's last digit
      return cursor.charFormat();
    };
    struct Mark {
      int row, column;
      bool bold, underlined;
    };
    // May 2025 starts on a Thursday: Labour Day on the 1st, Ascension Day on the 29th.
    const Mark marks[] = {{0, 3, true, true},     // Thu 1 May, Labour Day
                          {0, 4, false, false},   // Fri 2 May
                          {0, 5, true, false},    // Sat 3 May
                          {0, 6, true, false},    // Sun 4 May
                          {4, 3, true, true},     // Thu 29 May, Ascension Day
                          {0, 0, false, false},   // Mon 28 April: not this month
                          {4, 6, false, false}};  // Sun 1 June: not this month
    for (const Mark& mark : marks) {
      const QTextCharFormat f = format(mark.row, mark.column);
      QCOMPARE(f.fontWeight() == QFont::Bold, mark.bold);
      QCOMPARE(f.fontUnderline(), mark.underlined);
    }
    QVERIFY(format(0, 3).foreground().color() != grid->palette().color(QPalette::Text));
    auto* list = test::FindControl<QLabel>(month, "lblHolidays");
    QVERIFY(list->isVisible());
    QCOMPARE(list->text(), QStringLiteral("Holidays:\n 1 Thursday  Labour Day\n29 Thursday  Ascension Day"));
    QCOMPARE(test::FindControl<QLabel>(month, "lblHolidayLegend")->text(),
             QStringLiteral("Bold: no working day. Bold and underlined: holiday."));
    // A screen reader reads the lines and the legend, not only the list's name.
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(list);
    QCOMPARE(spoken->text(QAccessible::Description),
             QStringLiteral("Holidays:\n1 Thursday Labour Day\n29 Thursday Ascension Day\n"
                            "Bold: no working day. Bold and underlined: holiday."));
    QCOMPARE(QAccessible::queryAccessibleInterface(test::FindControl<QLabel>(month, "lblHolidayLegend"))
                 ->text(QAccessible::Name),
             QStringLiteral("Bold: no working day. Bold and underlined: holiday."));

    // The copied text is the described one, with the calendar or without.
    QTest::mouseClick(test::FindControl<QPushButton>(month, "cmdCopyToClipboard"), Qt::LeftButton);
    const QString with_calendar = QApplication::clipboard()->text();
    month->SetWorkCalendar(nullptr);
    QVERIFY(!list->isVisible());
    QVERIFY(format(0, 3).fontWeight() != QFont::Bold);
    QVERIFY(!format(0, 3).fontUnderline());
    QTest::mouseClick(test::FindControl<QPushButton>(month, "cmdCopyToClipboard"), Qt::LeftButton);
    QCOMPARE(with_calendar, QApplication::clipboard()->text());
    QVERIFY(with_calendar.startsWith(QStringLiteral("May 2025 (Common Era Calendar)\n\n Mon  Tue")));

    // Another work week: Sunday to Thursday leaves Friday and Saturday off.
    month->SetWorkCalendar(Calendar("", "Sun-Thu"));
    QVERIFY(format(0, 4).fontWeight() == QFont::Bold);   // Fri 2 May
    QVERIFY(format(0, 6).fontWeight() != QFont::Bold);   // Sun 4 May
    QCOMPARE(list->text(), QStringLiteral("No holidays in this month."));
  }

  void monthMarksAtTheEndsOfTheRange_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("julian");
    QTest::newRow("last CE month") << 5'800'000 << 12 << false;
    QTest::newRow("first CE month") << -5'800'000 << 1 << false;
    QTest::newRow("last JC month") << 5'800'000 << 12 << true;
    QTest::newRow("first JC month") << -5'800'000 << 1 << true;
  }
  void monthMarksAtTheEndsOfTheRange() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(bool, julian);
    QWidget main;
    main.show();
    auto* month_window = new frmDisplayMonth(test::ShippedTexts(), *messages_, &main);
    month_window->SetCalendar(julian ? qv::MonthCalendar::Julian : qv::MonthCalendar::CommonEra);
    month_window->SetWorkCalendar(Calendar("GB-EAW", "Sun-Thu"));
    month_window->OpenAtMonth({year, static_cast<int16_t>(month)});
    QVERIFY(QTest::qWaitForWindowExposed(month_window));
    QVERIFY(test::FindControl<QLabel>(month_window, "lblHolidays")->isVisible());
    QVERIFY(messages_->shown.empty());
  }

  void monthListInGermanAndAcrossTheYear() {
    QWidget main;
    main.show();
    auto* month = new frmDisplayMonth(test::ShippedTexts(), *messages_, &main);
    month->ApplyLanguageTexts(qv::Language::German);
    month->SetWorkCalendar(Calendar("DE-BY"));
    month->OpenAtMonth({2026, 12});
    QVERIFY(QTest::qWaitForWindowExposed(month));
    QCOMPARE(test::FindControl<QLabel>(month, "lblHolidays")->text(),
             QStringLiteral("Feiertage:\n25 Freitag  1. Weihnachtstag\n26 Samstag  2. Weihnachtstag"));
    // A Julian December reaches into the Gregorian January: New Year's Day is its 19th, Epiphany
    // its 24th.
    month->SetCalendar(qv::MonthCalendar::Julian);
    month->DisplayMonth();
    QCOMPARE(test::FindControl<QLabel>(month, "lblHolidays")->text(),
             QStringLiteral("Feiertage:\n12 Freitag   1. Weihnachtstag\n13 Samstag   2. Weihnachtstag"
                            "\n19 Freitag   Neujahr\n24 Mittwoch  Heilige Drei Könige"));
  }
};

QTEST_MAIN(WorkingDaysTest)
#include "working_days_qtest.moc"
