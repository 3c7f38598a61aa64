// The clear-one-box dialog: its remembered choice, how each way of closing it answers, where it
// appears and its captions in both languages.
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "lang/general_texts.h"
#include "ui/main/frm_clear_one_text_box.h"

using qv::ClearChoice;
using qv::frmClearOneTextBox;

namespace {

enum class Ending { Continue, Enter, Escape, CloseBox };

const char* OptionName(ClearChoice choice) {
  switch (choice) {
    case ClearChoice::FirstDate: return "optClearFirstDate";
    case ClearChoice::DateDifference: return "optClearDateDiff";
    case ClearChoice::SecondDate: return "optClearSecondDate";
    case ClearChoice::Cancel: return "optCancel";
  }
  return "";
}

// The option that is selected in the dialog now.
ClearChoice Preselected(QDialog* dialog) {
  for (ClearChoice choice : {ClearChoice::FirstDate, ClearChoice::DateDifference, ClearChoice::SecondDate,
                             ClearChoice::Cancel}) {
    auto* option = dialog->findChild<QRadioButton*>(QString::fromLatin1(OptionName(choice)));
    if (option != nullptr && option->isChecked()) return choice;
  }
  return static_cast<ClearChoice>(-1);
}

// Runs `act` on the modal dialog once it is up, then asks. A dialog that `act` leaves open is
// rejected after a few seconds so that a fault fails the test instead of hanging it.
ClearChoice AskWhile(frmClearOneTextBox& dialog, QPoint at, const std::function<void(QDialog*)>& act) {
  bool acted = false;
  QTimer::singleShot(0, &dialog, [&] {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal != nullptr) {
      acted = true;
      act(modal);
    }
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &dialog, &QDialog::reject);
  guard.start(5000);
  const ClearChoice answer = dialog.Ask(at);
  if (!acted) qWarning("the dialog was not the active modal widget");
  return answer;
}

void End(QDialog* dialog, Ending ending) {
  switch (ending) {
    case Ending::Continue:
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdContinue")), Qt::LeftButton);
      break;
    case Ending::Enter: {
      QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
      QTest::keyClick(focus, Qt::Key_Return);
      break;
    }
    case Ending::Escape: {
      QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
      QTest::keyClick(focus, Qt::Key_Escape);
      break;
    }
    case Ending::CloseBox:
      dialog->close();
      break;
  }
}

struct Showing {
  ClearChoice expectedPreselection;
  const char* click;  // option to click, or nullptr to keep the preselection
  bool arrowDown;     // then press the Down key on the focused option
  Ending ending;
  ClearChoice expectedAnswer;
};

}  // namespace

class ClearOneTextBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void rememberedChoice_data() {
    QTest::addColumn<int>("script");
    QTest::newRow("first use preselects date difference") << 0;
    QTest::newRow("a chosen first date is offered again") << 1;
    QTest::newRow("a chosen cancel becomes date difference") << 2;
    QTest::newRow("close box and Escape cancel, keeping the choice") << 3;
    QTest::newRow("arrow keys move the choice, Enter continues") << 4;
  }

  void rememberedChoice() {
    QFETCH(int, script);
    using C = ClearChoice;
    static const std::vector<std::vector<Showing>> scripts = {
        {{C::DateDifference, nullptr, false, Ending::Continue, C::DateDifference},
         {C::DateDifference, nullptr, false, Ending::Enter, C::DateDifference}},
        {{C::DateDifference, "optClearFirstDate", false, Ending::Continue, C::FirstDate},
         {C::FirstDate, nullptr, false, Ending::Continue, C::FirstDate},
         {C::FirstDate, "optClearSecondDate", false, Ending::Enter, C::SecondDate},
         {C::SecondDate, nullptr, false, Ending::Continue, C::SecondDate}},
        {{C::DateDifference, "optCancel", false, Ending::Continue, C::Cancel},
         {C::DateDifference, "optClearSecondDate", false, Ending::Continue, C::SecondDate},
         {C::SecondDate, "optCancel", false, Ending::Enter, C::Cancel},
         {C::DateDifference, nullptr, false, Ending::Continue, C::DateDifference}},
        {{C::DateDifference, "optClearSecondDate", false, Ending::CloseBox, C::Cancel},
         {C::SecondDate, "optClearFirstDate", false, Ending::Escape, C::Cancel},
         {C::FirstDate, nullptr, false, Ending::Continue, C::FirstDate}},
        {{C::DateDifference, nullptr, true, Ending::Enter, C::SecondDate},
         {C::SecondDate, nullptr, false, Ending::Continue, C::SecondDate}},
    };
    frmClearOneTextBox dialog;
    const auto& showings = scripts[static_cast<std::size_t>(script)];
    for (std::size_t i = 0; i < showings.size(); ++i) {
      const Showing& showing = showings[i];
      ClearChoice seen = static_cast<ClearChoice>(-1);
      const ClearChoice answer = AskWhile(dialog, QPoint(40, 60), [&](QDialog* modal) {
        seen = Preselected(modal);
        if (showing.click != nullptr) {
          QTest::mouseClick(modal->findChild<QRadioButton*>(QString::fromLatin1(showing.click)), Qt::LeftButton);
        }
        if (showing.arrowDown) {
          // Arrow keys move between the options of the active window.
          modal->activateWindow();
          QVERIFY(QTest::qWaitForWindowActive(modal));
          QTest::keyClick(modal->focusWidget(), Qt::Key_Down);
        }
        End(modal, showing.ending);
      });
      QVERIFY2(seen == showing.expectedPreselection, qPrintable(QStringLiteral("preselection at showing %1").arg(i)));
      QVERIFY2(answer == showing.expectedAnswer, qPrintable(QStringLiteral("answer at showing %1").arg(i)));
      QVERIFY2(!dialog.isVisible(), "the dialog hides when it is answered");
    }
  }

  void appearsWhereAsked() {
    frmClearOneTextBox dialog;
    for (const QPoint at : {QPoint(120, 80), QPoint(420, 275), QPoint(0, 0)}) {
      QPoint shownAt;
      bool modal = false;
      AskWhile(dialog, at, [&](QDialog* shown) {
        shownAt = shown->frameGeometry().topLeft();
        modal = shown->isModal() && shown == &dialog;
        End(shown, Ending::Continue);
      });
      QVERIFY(modal);
      QCOMPARE(shownAt, at);
    }
  }

  void captions_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");  // lblClear, lblOr, the four options, Continue
    QTest::addColumn<QString>("need");
    QTest::newRow("English") << static_cast<int>(qv::Language::English) << "Clear"
                             << QStringList{"Clear:", "or", "First date", "Date difference", "Second date",
                                            "Cancel this operation", "Continue"}
                             << "If both the first date and the second date are specified\n"
                                "then the date difference window must be empty.";
    QTest::newRow("German") << static_cast<int>(qv::Language::German) << "Loeschen"
                            << QStringList{"Loeschen:", "oder", "Erstes Datum", "Datumsdifferenz", "Zweites Datum",
                                           "Annullieren Sie diese Operation", "Fortfahren"}
                            << " Wenn sowohl Erstes als auch Zweites Datum angegeben sind,\n"
                               "muss das Feld fuer die Datumsdifferenz leer sein.";
  }

  void captions() {
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(QString, need);
    frmClearOneTextBox dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Clear one textbox"));
    dialog.ApplyLanguageTexts(static_cast<qv::Language>(language));
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblNeedToClear"))->text(), need);
    const QStringList names{"lblClear", "lblOr", "optClearFirstDate", "optClearDateDiff", "optClearSecondDate",
                            "optCancel", "cmdContinue"};
    for (qsizetype i = 0; i < names.size(); ++i) {
      QWidget* control = dialog.findChild<QWidget*>(names[i]);
      QVERIFY2(control != nullptr, qPrintable(names[i]));
      const QString shown = control->property("text").toString();
      QCOMPARE(shown, captions[i]);
      QCOMPARE(control->accessibleName(), captions[i]);
    }
    // Re-captioning does not change the choice.
    QCOMPARE(dialog.SelectedChoice(), ClearChoice::DateDifference);
  }
};

QTEST_MAIN(ClearOneTextBoxTest)
#include "clear_one_text_box_qtest.moc"
