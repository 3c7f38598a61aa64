// The help window: its texts and title in the current language on every activation, its place
// over the main window, the minimum size, the centred Close button and the restore from
// minimised.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "ui/main/frm_help.h"

namespace qv {

class HelpTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QWidget> main_;
  frmHelp* help_ = nullptr;

  QPlainTextEdit* Text() { return help_->findChild<QPlainTextEdit*>(QStringLiteral("txbMsg")); }
  QPushButton* Close() { return help_->findChild<QPushButton*>(QStringLiteral("cmdClose")); }

  void Open(qv::Language language) {
    help_->ShowHelp(language, 200);
    QVERIFY(QTest::qWaitForWindowExposed(help_));
    QTRY_VERIFY(help_->isActiveWindow());
  }

 private slots:
  void init() {
    main_ = std::make_unique<QWidget>();
    main_->resize(760, 700);  // inside the test screen of 800 x 800
    main_->move(20, 10);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    help_ = new frmHelp(main_.get());
  }
  void cleanup() {
    main_.reset();
    help_ = nullptr;
  }

  void showsTheTextOfTheLanguage() {
    Open(qv::Language::English);
    QCOMPARE(help_->windowTitle(), QStringLiteral("Quorvan Help"));
    QCOMPARE(Close()->text(), QStringLiteral("Close"));
    QVERIFY(Text()->toPlainText().contains(QStringLiteral("1 AD = 1 CE")));
    QCOMPARE(Text()->textCursor().position(), 0);

    // A language switch shows at the next activation.
    help_->SetLanguage(qv::Language::German);
    main_->activateWindow();
    QTRY_VERIFY(main_->isActiveWindow());
    help_->activateWindow();
    QTRY_VERIFY(help_->isActiveWindow());
    QCOMPARE(help_->windowTitle(), QStringLiteral("Quorvan Hilfe"));
    QCOMPARE(Close()->text(), QStringLiteral("Schliessen"));
    QVERIFY(Text()->toPlainText().contains(QStringLiteral("0 CE = 1 v.Chr.")));
    QVERIFY(!Text()->toPlainText().contains(QStringLiteral("0001-001")));
  }

  // After the described text, a section of the window's own additions, each named by its caption,
  // and where the manual is; in both languages.
  void saysWhatTheAdditionsDoAndWhereTheManualIs() {
    Open(qv::Language::English);
    const QString english = Text()->toPlainText();
    const qsizetype described_end = english.indexOf(QStringLiteral("by a day or two."));
    QVERIFY(described_end > 0);
    for (const char* said : {"'Working days...'", "'Other calendar:'", "'More calendars...' below this text",
                             "The manual describes all of these"}) {
      QVERIFY2(english.indexOf(QString::fromUtf8(said)) > described_end, said);
    }
    QVERIFY(english.contains(QStringLiteral("#workdays")));
    help_->SetLanguage(qv::Language::German);
    main_->activateWindow();
    QTRY_VERIFY(main_->isActiveWindow());
    help_->activateWindow();
    QTRY_VERIFY(help_->isActiveWindow());
    const QString german = Text()->toPlainText();
    for (const char* said : {"'Arbeitstage...'", "'Anderer Kalender:'", "'Weitere Kalender...' unter diesem Text",
                             "Das Handbuch beschreibt all das"}) {
      QVERIFY2(german.contains(QString::fromUtf8(said)), said);
    }
    QVERIFY(german.contains(QStringLiteral("#arbeitstage")));
  }

  void liesOverTheMainWindow() {
    Open(qv::Language::English);
    const QRect main = main_->frameGeometry();
    const QRect help = help_->frameGeometry();
    QCOMPARE(help.left(), main.left());
    QCOMPARE(help.width(), main.width());
    QCOMPARE(help.top(), main.top() + 200 - TwipsToPixels(425));
    QCOMPARE(help.bottom(), main.bottom() - TwipsToPixels(125));
  }

  // Over a main window larger than the screen the help window still lies wholly on it.
  void keptOnTheScreen() {
    main_->setGeometry(-100, 40, 1300, 1000);
    Open(qv::Language::English);
    QVERIFY(AvailableGeometry(help_).contains(help_->frameGeometry()));
  }

  void neverSmallerThanTheMinimumAndCloseStaysCentred() {
    Open(qv::Language::English);
    const int minimum = TwipsToPixels(frmHelp::kMinimumSizeTwips);
    help_->resize(100, 50);
    QTRY_COMPARE(help_->size(), QSize(minimum, minimum));
    help_->resize(minimum + 301, minimum + 77);
    QTRY_COMPARE(help_->width(), minimum + 301);
    const QRect text = Text()->geometry();
    const QRect button = Close()->geometry();
    QVERIFY(qAbs(text.center().x() - button.center().x()) <= 1);
    QVERIFY(button.top() > text.bottom());
    QCOMPARE(text.left(), TwipsToPixels(200));
    QCOMPARE(help_->width() - text.right() - 1, TwipsToPixels(250));
  }

  void helpRestoresAMinimisedWindow() {
    Open(qv::Language::English);
    help_->showMinimized();
    QTRY_VERIFY(help_->isMinimized());
    help_->ShowHelp(qv::Language::English, 200);
    QTRY_VERIFY(!help_->isMinimized());
    QVERIFY(help_->isVisible());
    QCOMPARE(main_->findChildren<frmHelp*>().size(), 1);
  }

  void closeHidesTheWindow() {
    Open(qv::Language::English);
    QSignalSpy closed(help_, &frmHelp::closed);
    QTest::mouseClick(Close(), Qt::LeftButton);
    QVERIFY(!help_->isVisible());
    QCOMPARE(closed.count(), 1);
    main_->activateWindow();  // as the main window does when it takes the focus back
    QTRY_VERIFY(main_->isActiveWindow());
    Open(qv::Language::German);  // shown again, same window, the other language
    QCOMPARE(help_->windowTitle(), QStringLiteral("Quorvan Hilfe"));
  }
};

}  // namespace qv

QTEST_MAIN(qv::HelpTest)
#include "help_qtest.moc"
