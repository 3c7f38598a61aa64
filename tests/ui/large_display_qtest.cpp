// The enlarged display: placement over the main window, its lower size limit, the read-only copy
// of the output, copying all or a selection with the button or Enter, and Close that only hides.
#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "lang/general_texts.h"
#include "lang/program_text.h"
#include "message_recorder.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "ui/main/frm_large_display.h"
#include "ui/main/window_widgets.h"

using qv::frmLargeDisplay;
using qv::TwipsToPixels;

namespace {

const QString kOutput = QStringLiteral(
    "12-25-2024 CE = 2460670 JDN, Wednesday\r\n"
    "01-01-2000 CE plus 30 days = 01-31-2000 CE, Monday\r\n"
    "Out of Range\r\n");

int T(int twips) { return TwipsToPixels(twips); }

// Selects characters [from, to) of the display's text box.
void Select(qv::OutputTextBox* box, int from, int to) { box->SetSelection(from, to); }

}  // namespace

class LargeDisplayTest : public QObject {
  Q_OBJECT

 private:
  qv::ProgramTextStore texts_;
  qv::test::MessageRecorder messages_;
  std::unique_ptr<QWidget> main_;
  QPointer<frmLargeDisplay> display_;
  QRect mainFrame_;

  qv::OutputTextBox* Box() const { return display_->findChild<qv::OutputTextBox*>(QStringLiteral("txbOutput")); }
  QPushButton* Copy() const { return display_->findChild<QPushButton*>(QStringLiteral("cmdCopyToClipboard")); }
  QPushButton* Close() const { return display_->findChild<QPushButton*>(QStringLiteral("cmdClose")); }
  void Open(const QString& text = kOutput, qv::Language language = qv::Language::English) {
    display_->ShowOutput(text, mainFrame_, QStringLiteral("Enlarge"), QIcon(), language);
  }

 private slots:
  void initTestCase() {
    const QByteArray folder = qgetenv("QUORVAN_DATA_DIR").isEmpty() ? QByteArray(QUORVAN_TEST_DATA_DIR)
                                                                    : qgetenv("QUORVAN_DATA_DIR");
    QVERIFY(qv::LoadProgramText(texts_, folder.toStdString(), qv::kProgramTextFileName).ok);
  }

  void init() {
    messages_.shown.clear();
    main_ = std::make_unique<QWidget>();
    mainFrame_ = QRect(QPoint(40, 90), QSize(T(11000), T(8000)));  // inside the 800 x 800 test screen
    main_->setGeometry(mainFrame_);
    display_ = new frmLargeDisplay(texts_, messages_, main_.get());
  }

  void cleanup() { main_.reset(); }

  void placedOverTheMainWindow() {
    QVERIFY(display_->isWindow());
    QCOMPARE(display_->parentWidget(), main_.get());
    QVERIFY(!display_->isVisible());
    Open();
    QVERIFY(display_->isVisible());
    const QRect shown = display_->frameGeometry();
    QCOMPARE(shown.topLeft(), mainFrame_.topLeft() + QPoint(T(100), T(380)));
    QCOMPARE(shown.right(), mainFrame_.right() - T(100));
    QCOMPARE(shown.bottom(), mainFrame_.bottom() - T(100));
    QCOMPARE(display_->windowTitle(), QStringLiteral("Enlarge"));
    QCOMPARE(messages_.shown.size(), std::size_t{0});

    // Wherever the main window has gone, the display follows it on the next Enlarge.
    mainFrame_.moveTo(60, 200);
    Open();
    QCOMPARE(display_->frameGeometry().topLeft(), QPoint(60 + T(100), 200 + T(380)));
  }

  // Over a main window partly off the screen the display still lies wholly on it.
  void keptOnTheScreen() {
    mainFrame_ = QRect(QPoint(500, 450), QSize(T(11000), T(8000)));
    Open();
    QVERIFY(qv::AvailableGeometry(display_).contains(display_->frameGeometry()));
  }

  void neverSmallerThanItsMinimum() {
    const QSize minimum(T(frmLargeDisplay::kMinimumWidthTwips), T(frmLargeDisplay::kMinimumHeightTwips));
    QCOMPARE(display_->width(), T(frmLargeDisplay::kInitialWidthTwips));
    // A main window smaller than the display's minimum still gives the minimum.
    mainFrame_ = QRect(10, 10, T(3000), T(2000));
    Open();
    QCOMPARE(display_->size(), minimum);
    display_->resize(T(9000), T(5000));
    QCOMPARE(display_->size(), QSize(T(9000), T(5000)));
    display_->resize(40, 30);
    QCOMPARE(display_->size(), minimum);
  }

  void showsAFreshReadOnlyCopy() {
    Open();
    qv::OutputTextBox* box = Box();
    QCOMPARE(box->Text(), QString(kOutput).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(static_cast<int>(box->LineCount()), 4);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->Text(), QString(kOutput).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    Open(QStringLiteral("second\r\n"));
    QCOMPARE(box->Text(), QStringLiteral("second\n"));

  }

  // A long copy opens at its first line, with the caret there and the scroll bar at the top,
  // the first time and again after the window was shown.
  void aLongCopyOpensAtItsStart() {
    QString lines;
    for (int i = 0; i < 200; ++i) lines += QStringLiteral("line %1 of a copy long enough to need a wrap now and then\r\n").arg(i);
    for (int time = 0; time < 2; ++time) {
      Open(lines);
      QTest::qWait(20);
      QCOMPARE(Box()->verticalScrollBar()->value(), 0);
      QCOMPARE(Box()->FirstVisibleLine(), std::size_t{0});
      QCOMPARE(Box()->CursorPosition(), 0);
    }
  }

  void copiesAllOrTheSelection_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("enter");  // Enter in the text box instead of the button
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("allCaption");
    QTest::addColumn<QString>("selectionCaption");
    const QString all = QString(kOutput).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString en185 = QStringLiteral("Copy to clipboard");
    const QString en424 = QStringLiteral("Copy selected text to clipboard");
    const QString de185 = QStringLiteral("Kopieren in Zwischenablage");
    const QString de424 = QStringLiteral("Kopieren ausgewaehlter Text in Zwischenablage");
    QTest::newRow("whole text") << 0 << 0 << 0 << false << all << en185 << en185;
    QTest::newRow("one word") << 0 << 0 << 10 << false << "12-25-2024" << en185 << en424;
    QTest::newRow("across lines, LF only") << 0 << 24 << 49 << false << "JDN, Wednesday\n01-01-2000" << en185 << en424;
    QTest::newRow("Enter copies a selection") << 0 << 50 << 74 << true << "CE plus 30 days = 01-31-" << en185 << en424;
    QTest::newRow("German whole text") << 1 << 0 << 0 << false << all << de185 << de185;
    QTest::newRow("German selection by Enter") << 1 << 0 << 10 << true << "12-25-2024" << de185 << de424;
  }

  void copiesAllOrTheSelection() {
    QFETCH(int, language);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, enter);
    QFETCH(QString, copied);
    QFETCH(QString, allCaption);
    QFETCH(QString, selectionCaption);
    const bool german = language == static_cast<int>(qv::Language::German);
    Open(kOutput, static_cast<qv::Language>(language));
    QCOMPARE(Copy()->text(), allCaption);
    QCOMPARE(Copy()->minimumWidth(), T(german ? 4000 : 2000));  // as each activation sets it
    QApplication::clipboard()->setText(QStringLiteral("before"));

    Select(Box(), from, to);
    QCOMPARE(Copy()->text(), selectionCaption);
    QCOMPARE(Copy()->accessibleName(), selectionCaption);
    if (from != to) QCOMPARE(Copy()->minimumWidth(), T(3500));
    if (enter) {
      QTest::keyClick(Box(), Qt::Key_Return);
    } else {
      QTest::mouseClick(Copy(), Qt::LeftButton);
    }
    QCOMPARE(QApplication::clipboard()->text(), copied);
    QVERIFY(!Box()->HasSelection());
    QCOMPARE(Copy()->text(), allCaption);
    QCOMPARE(Copy()->minimumWidth(), T(german ? 3500 : 2500));
    // The copy leaves the text as it was.
    QCOMPARE(Box()->Text(), QString(kOutput).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }

  void enterWithoutSelectionCopiesNothing() {
    Open();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(Box(), Qt::Key_Return);
    QTest::keyClick(Box(), Qt::Key_Enter);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
  }

  void mouseSelectionRenamesTheButton() {
    Open();
    qv::OutputTextBox* box = Box();
    // A double click selects the word under the mouse; releasing the button updates the caption.
    const QPoint word = box->CharacterRect(3).center();
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, Qt::NoModifier, word);
    QVERIFY(box->HasSelection());
    QCOMPARE(Copy()->text(), QStringLiteral("Copy selected text to clipboard"));
    QTest::mouseClick(Copy(), Qt::LeftButton);
    QVERIFY(!QApplication::clipboard()->text().isEmpty());
    QVERIFY(!QApplication::clipboard()->text().contains(QLatin1Char('\n')));
    QCOMPARE(Copy()->text(), QStringLiteral("Copy to clipboard"));
  }

  void closeHidesAndTheWindowStays() {
    Open();
    QCOMPARE(Close()->text(), QStringLiteral("Close"));
    QTest::mouseClick(Close(), Qt::LeftButton);
    QVERIFY(!display_->isVisible());
    QVERIFY(!display_.isNull());

    Open(QStringLiteral("again\r\n"), qv::Language::German);
    QVERIFY(display_->isVisible());
    QCOMPARE(Close()->text(), QStringLiteral("Schliessen"));
    QVERIFY(display_->close());  // the window's own close box
    QVERIFY(!display_->isVisible());
    QVERIFY(!display_.isNull());
    QVERIFY(main_->findChildren<frmLargeDisplay*>().size() == 1);

    Open(QStringLiteral("third\r\n"));
    QVERIFY(display_->isVisible());
    QCOMPARE(Box()->Text(), QStringLiteral("third\n"));
  }

  void minimisedDisplayIsRestored() {
    Open();
    display_->showMinimized();
    QVERIFY(display_->isMinimized());
    Open();
    QVERIFY(!display_->isMinimized());
    QVERIFY(display_->isVisible());
  }

  void blankOutputOpensNothing() {
    Open(QStringLiteral("  \r\n "));
    QVERIFY(!display_->isVisible());
    QCOMPARE(messages_.shown.size(), std::size_t{1});
    QCOMPARE(messages_.shown[0].title, QStringLiteral("Output window"));
    QCOMPARE(messages_.shown[0].text, QStringLiteral("The output window is empty."));
    QVERIFY(messages_.shown[0].icon == qv::MessageIcon::Warning);
  }
};

QTEST_MAIN(LargeDisplayTest)
#include "large_display_qtest.moc"
