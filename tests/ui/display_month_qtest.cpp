// The month window driven through its controls: opening at the first date's month and at today,
// month steps, the ISO panel's rules, copying, activation and the language switch.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>
#include <memory>

#include "calendar/calendar_codes.h"
#include "calendar/clock.h"
#include "compute/request.h"
#include "find_control.h"
#include "lang/program_text.h"
#include "message_recorder.h"
#include "platform/twips.h"
#include "ui/month/frm_display_month.h"

namespace qv {

class DisplayMonthTest : public QObject {
  Q_OBJECT

 private:
  ProgramTextStore texts_;
  test::MessageRecorder messages_;
  std::unique_ptr<QWidget> main_;
  frmDisplayMonth* month_ = nullptr;

  template <typename T>
  T* Control(const char* name) {
    return test::FindControl<T>(month_, name);
  }
  QLineEdit* Year() { return Control<QLineEdit>("txbYear"); }
  QComboBox* Months() { return Control<QComboBox>("cboMonths"); }
  QPlainTextEdit* Grid() { return Control<QPlainTextEdit>("txbMonth"); }
  QPlainTextEdit* IsoPanel() { return Control<QPlainTextEdit>("txbISODates"); }
  QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
  QRadioButton* Option(const char* name) { return Control<QRadioButton>(name); }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  void ActivateMonthWindow() {
    // Another window of the program first (a QWindow counts as active while a window it is
    // the transient parent of has the focus, so wait on the widgets).
    main_->activateWindow();
    QTRY_VERIFY(main_->isActiveWindow());
    month_->activateWindow();
    QTRY_VERIFY(month_->isActiveWindow());
  }
  void OpenAt(int32_t year, int16_t month) {
    month_->OpenAtMonth({year, month});
    QVERIFY(QTest::qWaitForWindowExposed(month_));
    QTRY_VERIFY(month_->isActiveWindow());
  }

 private slots:
  void initTestCase() {
    const QByteArray folder = qgetenv("QUORVAN_DATA_DIR");
    QVERIFY(LoadProgramText(texts_, folder.isEmpty() ? QUORVAN_TEST_DATA_DIR : folder.toStdString(),
                            kProgramTextFileName)
                .ok);
  }

  void init() {
    messages_.shown.clear();
    main_ = std::make_unique<QWidget>();
    main_->setWindowTitle(QStringLiteral("main"));
    main_->resize(600, 400);
    main_->move(40, 30);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    month_ = new frmDisplayMonth(texts_, messages_, main_.get());
    month_->ApplyLanguageTexts(qv::Language::English);
  }

  void cleanup() {
    main_.reset();  // owns the month window
    month_ = nullptr;
    SetTodaySource({});
  }

  void opensAtTheFirstDatesMonth_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("calendar");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("month");
    QTest::newRow("CE") << "2024-06-15" << int{cal::CE} << "2024" << 6;
    QTest::newRow("JC keeps its Julian month") << "-44-03-15" << int{cal::JC} << "-44" << 3;
    QTest::newRow("JDN in the Common Era") << "2451545" << int{cal::JDN} << "2000" << 1;
    QTest::newRow("surrounding blanks") << "  2024-06-15  " << int{cal::CE} << "2024" << 6;
    QTest::newRow("empty box: today") << "" << int{cal::CE} << "2026" << 12;
    QTest::newRow("not a date: today") << "2024-13-01" << int{cal::CE} << "2026" << 12;
    QTest::newRow("ISO box: today") << "2024-W22-1" << int{cal::ISO} << "2026" << 12;
    // An added calendar's date at its Common Era month: 15 Nisan 5784 was 23 April 2024.
    QTest::newRow("Hebrew, by its month's name") << "15 Nisan 5784" << int{cal::HEB} << "2024" << 4;
    QTest::newRow("Hebrew, not a date: today") << "15 Nisan" << int{cal::HEB} << "2026" << 12;
  }
  void opensAtTheFirstDatesMonth() {
    QFETCH(QString, text);
    QFETCH(int, calendar);
    QFETCH(QString, year);
    QFETCH(int, month);
    SetTodaySource([] { return LocalDate{2026, 12, 7}; });
    RequestOptions options;
    month_->OpenAtFirstDate(text.toStdString(), static_cast<CalendarCode>(calendar), options.TextOptions());
    QVERIFY(QTest::qWaitForWindowExposed(month_));
    QCOMPARE(Year()->text(), year);
    QCOMPARE(Months()->currentIndex(), month - 1);
    QVERIFY(month_->isVisible());
    QVERIFY(!Grid()->toPlainText().isEmpty());
    QVERIFY(messages_.shown.empty());
  }

  void placedBesideTheMainWindowOnlyWhenOpened() {
    OpenAt(2024, 6);
    const QPoint expected = main_->frameGeometry().topLeft() + QPoint(TwipsToPixels(4000), TwipsToPixels(1710));
    QCOMPARE(month_->frameGeometry().topLeft(), expected);
    month_->move(expected + QPoint(50, 20));
    const QPoint moved = month_->frameGeometry().topLeft();
    OpenAt(2025, 1);  // already visible: stays where the user put it
    QCOMPARE(month_->frameGeometry().topLeft(), moved);
  }

  void drawsJune2024() {
    month_->SetWeekStart(qv::WeekStart::Monday);
    OpenAt(2024, 6);
    QCOMPARE(Grid()->toPlainText(),
             QStringLiteral(" Mon  Tue  Wed  Thu  Fri  Sat  Sun \n"
                            "  27   28   29   30   31    1    2  \n"
                            "   3    4    5    6    7    8    9  \n"
                            "  10   11   12   13   14   15   16  \n"
                            "  17   18   19   20   21   22   23  \n"
                            "  24   25   26   27   28   29   30  "));
    QCOMPARE(month_->RowCount(), int16_t{5});
    QVERIFY(Button("cmdClose")->hasFocus());
  }

  void monthStepsAcrossYears() {
    OpenAt(1999, 12);
    Click(Button("cmdDisplayNextMonth_0"));
    QCOMPARE(Year()->text(), QStringLiteral("2000"));
    QCOMPARE(Months()->currentIndex(), 0);
    QVERIFY(Grid()->toPlainText().contains(QStringLiteral("  26   27   28   29   30   31    1")));
    Click(Button("cmdDisplayNextMonth_1"));
    QCOMPARE(Year()->text(), QStringLiteral("1999"));
    QCOMPARE(Months()->currentIndex(), 11);

    // Inside a year the box keeps what was typed; blanks are trimmed.
    Year()->setText(QStringLiteral(" 20x24 "));
    Click(Button("cmdDisplayNextMonth_1"));
    QCOMPARE(Year()->text(), QStringLiteral("20x24"));
    QCOMPARE(Months()->currentIndex(), 10);
    QVERIFY(messages_.shown.empty());

    // An empty box: nothing happens, no message.
    Year()->setText(QStringLiteral("   "));
    const QString before = Grid()->toPlainText();
    Click(Button("cmdDisplayNextMonth_0"));
    QCOMPARE(Months()->currentIndex(), 10);
    QCOMPARE(Grid()->toPlainText(), before);
    QVERIFY(messages_.shown.empty());
  }

  void stepsNeverLeaveTheRange() {
    OpenAt(5'800'000, 12);
    Click(Button("cmdDisplayNextMonth_0"));
    QCOMPARE(Year()->text(), QStringLiteral("5800000"));
    QCOMPARE(Months()->currentIndex(), 11);
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    OpenAt(-5'800'000, 1);
    Click(Button("cmdDisplayNextMonth_1"));
    QCOMPARE(Year()->text(), QStringLiteral("-5800000"));
    QCOMPARE(messages_.shown.size(), std::size_t{2});
  }

  void unusableYearsShowTheMessage_data() {
    QTest::addColumn<QString>("year");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("sign only") << "-";
    QTest::newRow("letters") << "abc";
    QTest::newRow("beyond the range") << "5800001";
    QTest::newRow("huge") << "99999999999999999999999";
  }
  void unusableYearsShowTheMessage() {
    QFETCH(QString, year);
    OpenAt(2024, 6);
    const QString before = Grid()->toPlainText();
    Year()->setText(year);
    Click(Button("cmdDisplay"));
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text, QStringLiteral("Please specify year"));
    QCOMPARE(messages_.shown[0].title, QStringLiteral("Invalid input"));
    QCOMPARE(Grid()->toPlainText(), before);
    QCOMPARE(Year()->text(), year);  // the box keeps what the user typed
  }

  void enterInTheYearBoxDraws() {
    OpenAt(2024, 6);
    Year()->clear();
    QTest::keyClicks(Year(), QStringLiteral("2000"));
    QTest::keyClick(Year(), Qt::Key_Return);
    // 1 June 2000 is a Thursday: Sunday-first grid starts on 28 May.
    QVERIFY(Grid()->toPlainText().split(QLatin1Char('\n')).at(1).startsWith(QStringLiteral("  28   29   30   31    1")));
  }

  void isoPanelRules() {
    OpenAt(2020, 12);
    QPushButton* show_hide = Button("cmdShowHideISO");
    QCheckBox* with_year = Control<QCheckBox>("chkWithYear");
    // Sunday first (the default): no ISO dates.
    QVERIFY(!show_hide->isEnabled());
    QVERIFY(!with_year->isEnabled());
    Click(Option("optMonday"));
    QVERIFY(show_hide->isEnabled());
    QVERIFY(with_year->isEnabled());
    QCOMPARE(show_hide->text(), QStringLiteral("Show ISO Week dates"));

    const int hidden_height = month_->height();
    Click(show_hide);
    QVERIFY(month_->IsoDatesShown());
    QVERIFY(IsoPanel()->isVisible());
    QCOMPARE(show_hide->text(), QStringLiteral("Hide ISO Week dates"));
    QTRY_VERIFY(month_->height() > hidden_height);
    QCOMPARE(IsoPanel()->toPlainText().split(QLatin1Char('\n')).last(),
             QStringLiteral("0-W53-1  0-W53-2  0-W53-3  0-W53-4  0-W53-5  0-W53-6  0-W53-7"));
    Click(with_year);
    QCOMPARE(IsoPanel()->toPlainText().split(QLatin1Char('\n')).last(),
             QStringLiteral("W53-1  W53-2  W53-3  W53-4  W53-5  W53-6  W53-7"));

    // The panel follows the grid to another month.
    Click(Button("cmdDisplayNextMonth_0"));
    QCOMPARE(IsoPanel()->toPlainText().split(QLatin1Char('\n')).at(1), QStringLiteral("W53-1  W53-2  W53-3  W53-4  W53-5  W53-6  W53-7"));

    // Sunday first hides the panel and disables both controls.
    Click(Option("optSunday"));
    QVERIFY(!month_->IsoDatesShown());
    QVERIFY(!IsoPanel()->isVisible());
    QVERIFY(!show_hide->isEnabled());
    QVERIFY(!with_year->isEnabled());
    QTRY_COMPARE(month_->height(), hidden_height);

    // Monday with the Julian calendar: no ISO dates either.
    Click(Option("optMonday"));
    Click(show_hide);
    QVERIFY(month_->IsoDatesShown());
    Click(Option("optJulian"));
    QVERIFY(!month_->IsoDatesShown());
    QVERIFY(!show_hide->isEnabled());
    Click(Option("optCommonEra"));
    QVERIFY(show_hide->isEnabled());
    QVERIFY(!month_->IsoDatesShown());
  }

  void copiesHeadingGridAndIsoDates() {
    month_->SetWeekStart(qv::WeekStart::Monday);
    OpenAt(2024, 6);
    Click(Button("cmdCopyToClipboard"));
    const QString grid = Grid()->toPlainText();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("June 2024 (Common Era Calendar)\n\n") + grid);
    QVERIFY(Button("cmdClose")->hasFocus());

    Click(Button("cmdShowHideISO"));
    Click(Button("cmdCopyToClipboard"));
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, QStringLiteral("June 2024 (Common Era Calendar)\n\n") + grid +
                         QStringLiteral("\n\nISO 8601 week dates\n\n") + IsoPanel()->toPlainText());
    QVERIFY(!copied.contains(QLatin1Char('\r')));

    // The heading names the month on show, not a year typed but not yet drawn.
    Year()->setText(QStringLiteral("1999"));
    Click(Button("cmdCopyToClipboard"));
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("June 2024 (")));

    Click(Option("optJulian"));
    Click(Button("cmdCopyToClipboard"));
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("June 1999 (Julian Calendar)\n\n")));
  }

  void activationStartsAfresh() {
    month_->SetWeekStart(qv::WeekStart::Monday);
    OpenAt(2024, 6);
    Click(Button("cmdShowHideISO"));
    QVERIFY(month_->IsoDatesShown());
    ActivateMonthWindow();
    QVERIFY(!month_->IsoDatesShown());
    QVERIFY(!IsoPanel()->isVisible());
    QCOMPARE(Button("cmdShowHideISO")->text(), QStringLiteral("Show ISO Week dates"));
    QCOMPARE(month_->windowTitle(), QStringLiteral("Display month"));
    QCOMPARE(Months()->currentIndex(), 5);
    QCOMPARE(month_->ChosenWeekStart(), qv::WeekStart::Monday);
  }

  void languageSwitchWhileOpen() {
    OpenAt(2024, 6);
    month_->ApplyLanguageTexts(qv::Language::German);
    // Captions at once, weekday names of the options included.
    QCOMPARE(Option("optSunday")->text(), QStringLiteral("Sonntag"));
    QCOMPARE(Option("optMonday")->text(), QStringLiteral("Montag"));
    QCOMPARE(Option("optJulian")->text(), QStringLiteral("Julianisch"));
    QCOMPARE(Button("cmdClose")->text(), QStringLiteral("Schliessen"));
    QCOMPARE(Button("cmdDisplayNextMonth_0")->text(), QStringLiteral("Folgender Monat zeigen"));
    QCOMPARE(Control<QLabel>("lblFirstDayOfWeek")->text(), QStringLiteral("Erster Tag der Woche:"));
    QCOMPARE(Control<QCheckBox>("chkWithYear")->text(), QStringLiteral("mit letzter Ziffer des Jahres"));
    // The month list and the grid follow at the next activation.
    QCOMPARE(Months()->itemText(5), QStringLiteral("June"));
    ActivateMonthWindow();
    QCOMPARE(Months()->itemText(5), QStringLiteral("Juni"));
    QCOMPARE(Months()->currentIndex(), 5);
    QVERIFY(Grid()->toPlainText().startsWith(QStringLiteral(" Son  Mon  Die  Mit  Don  Fre  Sam ")));
    QCOMPARE(month_->windowTitle(), QStringLiteral("Monat zeigen"));
    Click(Button("cmdCopyToClipboard"));
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Juni 2024 (Common Era Kalender)\n\n")));
  }

  void closeHidesAndKeepsTheChoices() {
    month_->SetCalendar(qv::MonthCalendar::Julian);
    OpenAt(1999, 3);
    QSignalSpy closed(month_, &frmDisplayMonth::closed);
    Click(Button("cmdClose"));
    QVERIFY(!month_->isVisible());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(month_->ChosenCalendar(), qv::MonthCalendar::Julian);
    QCOMPARE(Year()->text(), QStringLiteral("1999"));
    // Closing by the title bar does the same.
    OpenAt(1999, 3);
    month_->close();
    QVERIFY(!month_->isVisible());
    QCOMPARE(closed.count(), 2);
  }

  void defaultsAndStoredChoices() {
    QCOMPARE(month_->ChosenWeekStart(), qv::WeekStart::Sunday);
    QCOMPARE(month_->ChosenCalendar(), qv::MonthCalendar::CommonEra);
    month_->SetWeekStart(qv::WeekStart::Monday);
    month_->SetCalendar(qv::MonthCalendar::Julian);
    QVERIFY(Option("optMonday")->isChecked());
    QVERIFY(Option("optJulian")->isChecked());
    month_->SetDefaultChoices();
    QVERIFY(Option("optSunday")->isChecked());
    QVERIFY(Option("optCommonEra")->isChecked());
  }

  void everyControlIsNamedAndReachable() {
    OpenAt(2024, 6);
    const QList<QWidget*> controls = month_->findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* control : controls) {
      const QString name = control->objectName();
      if (!(name.startsWith(QLatin1String("txb")) || name.startsWith(QLatin1String("cbo")) ||
            name.startsWith(QLatin1String("opt")) || name.startsWith(QLatin1String("chk")) ||
            name.startsWith(QLatin1String("cmd")))) {
        continue;
      }
      ++checked;
      QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
      QVERIFY2(control->focusPolicy() & Qt::TabFocus, qPrintable(name));
    }
    QCOMPARE(checked, 16);
  }

  // "Also show: Hebrew" writes the Hebrew days under April 2024 and names their months in the
  // title and the copied text; "(none)" brings back the described grid, copy and title.
  void alsoShowWritesAnotherCalendarsDays() {
    OpenAt(2024, 4);
    const QString described = Grid()->toPlainText();
    const int described_height = Grid()->height();
    Click(Button("cmdCopyToClipboard"));
    const QString described_copy = QGuiApplication::clipboard()->text();
    QCOMPARE(described_copy, QStringLiteral("April 2024 (Common Era Calendar)\n\n") + described);

    auto* also = Control<QComboBox>("cboAlsoShow");
    QCOMPARE(also->currentText(), QStringLiteral("(none)"));
    QCOMPARE(also->accessibleName(), QStringLiteral("Also show"));
    also->setFocus();
    QTest::keyClick(also, Qt::Key_Down);
    QCOMPARE(month_->ChosenAlsoShow(), cal::HEB);
    const QString expected_grid = QStringLiteral(
        " Sun  Mon  Tue  Wed  Thu  Fri  Sat \n"
        "  31    1    2    3    4    5    6  \n"
        "> 21   22   23   24   25   26   27  \n"
        "   7    8    9   10   11   12   13  \n"
        "> 28   29    1    2    3    4    5  \n"
        "  14   15   16   17   18   19   20  \n"
        ">  6    7    8    9   10   11   12  \n"
        "  21   22   23   24   25   26   27  \n"
        "> 13   14   15   16   17   18   19  \n"
        "  28   29   30    1    2    3    4  \n"
        "> 20   21   22   23   24   25   26  ");
    QCOMPARE(Grid()->toPlainText(), expected_grid);
    QVERIFY(Grid()->height() > described_height);
    QCOMPARE(month_->windowTitle(), QStringLiteral("Display month (Adar II \u2013 Nisan 5784)"));
    QCOMPARE(Control<QLabel>("lblAlsoShowMonths")->text(), QStringLiteral("Adar II \u2013 Nisan 5784"));
    Click(Button("cmdCopyToClipboard"));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("April 2024 (Common Era Calendar)\n> Hebrew (HEB): Adar II \u2013 Nisan 5784\n\n") +
                 expected_grid);
    // The other calendar's rows and its line are marked, so that none reads as a Common Era day.
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    int marked = 0;
    for (const QString& line : copied) marked += line.startsWith(QLatin1Char('>')) ? 1 : 0;
    QCOMPARE(marked, 1 + 5);
    // Every line of the copy is as long as the grid's rows: a fixed-pitch font lines them up.
    const QStringList lines = expected_grid.split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < lines.size(); ++i) QCOMPARE(lines[i].size(), qsizetype{kMonthRowLength});

    // In German, the month names too.
    month_->ApplyLanguageTexts(qv::Language::German);
    ActivateMonthWindow();
    QCOMPARE(month_->windowTitle(), QStringLiteral("Monat zeigen (Adar II \u2013 Nisan 5784)"));
    QCOMPARE(also->currentText(), QStringLiteral("Hebr\u00e4isch"));
    month_->ApplyLanguageTexts(qv::Language::English);
    ActivateMonthWindow();

    // Back to none by the keys: the described grid, copy and title, byte for byte.
    also->setFocus();
    QTest::keyClick(also, Qt::Key_Up);
    QCOMPARE(month_->ChosenAlsoShow(), kNoOtherCalendar);
    QCOMPARE(Grid()->toPlainText(), described);
    QCOMPARE(Grid()->height(), described_height);
    QCOMPARE(month_->windowTitle(), QStringLiteral("Display month"));
    Click(Button("cmdCopyToClipboard"));
    QCOMPARE(QGuiApplication::clipboard()->text(), described_copy);
  }

  // Page Down and Page Up step the month as the buttons do, from whichever control has the focus;
  // with Ctrl they step the year.
  void pageKeysStepTheMonth_data() {
    QTest::addColumn<QString>("focus");
    QTest::newRow("grid") << "txbMonth";
    QTest::newRow("year box") << "txbYear";
    QTest::newRow("Close") << "cmdClose";
    QTest::newRow("calendar option") << "optCommonEra";
  }
  void pageKeysStepTheMonth() {
    QFETCH(QString, focus);
    OpenAt(1999, 12);
    QWidget* control = Control<QWidget>(focus.toLatin1().constData());
    const auto press = [&](QKeyCombination keys) {
      QWidget* focused = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : control;
      QTest::keyClick(focused, keys.key(), keys.keyboardModifiers());
    };
    control->setFocus();
    press(Qt::Key_PageDown);
    QCOMPARE(Year()->text(), QStringLiteral("2000"));
    QCOMPARE(Months()->currentIndex(), 0);
    QVERIFY(Grid()->toPlainText().contains(QStringLiteral("  26   27   28   29   30   31    1")));
    control->setFocus();
    press(Qt::Key_PageUp);
    press(Qt::Key_PageUp);
    QCOMPARE(Year()->text(), QStringLiteral("1999"));
    QCOMPARE(Months()->currentIndex(), 10);
    control->setFocus();
    press(Qt::CTRL | Qt::Key_PageDown);
    QCOMPARE(Year()->text(), QStringLiteral("2000"));
    QCOMPARE(Months()->currentIndex(), 10);
    // 1 November 2000 is a Wednesday: the Sunday-first grid starts on 29 October.
    QVERIFY(Grid()->toPlainText().split(QLatin1Char('\n')).at(1).startsWith(QStringLiteral("  29   30   31    1")));
    press(Qt::CTRL | Qt::Key_PageUp);
    press(Qt::CTRL | Qt::Key_PageUp);
    QCOMPARE(Year()->text(), QStringLiteral("1998"));
    QVERIFY(messages_.shown.empty());
    // At the end of the range: the message, and the month stays.
    OpenAt(5'800'000, 3);
    press(Qt::CTRL | Qt::Key_PageDown);
    QCOMPARE(Year()->text(), QStringLiteral("5800000"));
    QCOMPARE(Months()->currentIndex(), 2);
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].text, QStringLiteral("Please specify year"));
  }

  // The days of the months before and after are greyed in the grid and named for a screen
  // reader; the month's own days keep the text's colour. December 2024, Monday first, runs from
  // Monday 25 November to Sunday 5 January 2025.
  void neighbouringMonthsAreToldApart() {
    month_->SetWeekStart(qv::WeekStart::Monday);
    OpenAt(2024, 12);
    const QStringList lines = Grid()->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines[1], QStringLiteral("  25   26   27   28   29   30    1  "));
    QCOMPARE(lines[6], QStringLiteral("  30   31    1    2    3    4    5  "));
    const QColor text = Grid()->palette().color(QPalette::Text);
    const auto colour_of = [&](int line, int column) {
      const QTextBlock block = Grid()->document()->findBlockByNumber(line);
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + kMonthRowIndent + column * kMonthCellWidth + kMonthDayWidth - 1);
      cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
      const QTextCharFormat format = cursor.charFormat();
      return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : text;
    };
    for (int column = 0; column < 6; ++column) QVERIFY2(colour_of(1, column) != text, qPrintable(QString::number(column)));
    QCOMPARE(colour_of(1, 6), text);  // 1 December
    QCOMPARE(colour_of(6, 1), text);  // 31 December
    for (int column = 2; column < 7; ++column) QVERIFY(colour_of(6, column) != text);
    QCOMPARE(colour_of(3, 3), text);
    // In italics too, apart from the grey rows of another calendar.
    const auto italic_at = [&](int line, int column) {
      const QTextBlock block = Grid()->document()->findBlockByNumber(line);
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + kMonthRowIndent + column * kMonthCellWidth + kMonthDayWidth);
      return cursor.charFormat().fontItalic();
    };
    QVERIFY(italic_at(1, 0) && italic_at(6, 6));
    QVERIFY(!italic_at(1, 6) && !italic_at(3, 3));
    QCOMPARE(Grid()->accessibleDescription(),
             QStringLiteral("In the first row, 25 to 30 are days of November. In the last row, 1 to 5 are days of January."));
    // A month that fills whole weeks has nothing to tell apart: February 2021 runs Monday to Sunday.
    OpenAt(2021, 2);
    QCOMPARE(Grid()->accessibleDescription(), QString());
    for (int column = 0; column < 7; ++column) QCOMPARE(colour_of(1, column), text);
    // The text, and so the copy, stays the described one.
    QCOMPARE(Grid()->toPlainText().split(QLatin1Char('\n')).at(1), QStringLiteral("   1    2    3    4    5    6    7  "));
  }

  // The Mayan long count shows the kin, and the title its first and last day.
  void mayanLongCountShowsTheKin() {
    month_->SetAlsoShow(cal::MAY);
    OpenAt(2012, 12);
    const QStringList lines = Grid()->toPlainText().split(QLatin1Char('\n'));
    // 21 December 2012 (a Friday), 13.0.0.0.0: kin 0 beneath the 21.
    QCOMPARE(lines[7], QStringLiteral("  16   17   18   19   20   21   22  "));
    QCOMPARE(lines[8], QStringLiteral("> 15   16   17   18   19    0    1  "));
    QVERIFY(month_->windowTitle().contains(QStringLiteral("12.19.19.16.14 \u2013 13.0.0.0.15")));
  }

  // The Japanese calendar names its era in the title and leaves blank the days before 1 January
  // 1873, when it began; a calendar whose arithmetic is not there yet is not offered.
  void japaneseErasAndTheDaysBeforeTheCalendar() {
    auto* also = Control<QComboBox>("cboAlsoShow");
    QCOMPARE(also->findText(QStringLiteral("Umm al-Qura")), -1);
    QVERIFY(also->findText(QStringLiteral("Chinese")) > 0);
    QVERIFY(also->findText(QStringLiteral("Japanese")) > 0);
    month_->SetAlsoShow(cal::JPN);
    OpenAt(1873, 1);
    const QStringList lines = Grid()->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines[1], QStringLiteral("  29   30   31    1    2    3    4  "));
    QCOMPARE(lines[2], QStringLiteral(">                 1    2    3    4  "));
    QCOMPARE(month_->windowTitle(), QStringLiteral("Display month (January \u2013 February Meiji 6)"));
  }
};

}  // namespace qv

QTEST_MAIN(qv::DisplayMonthTest)
#include "display_month_qtest.moc"
