#pragma once
// The modal question asked when Compute finds all three input boxes filled: which box to empty
// (first date, date difference or second date), or whether to drop the request. The dialog is
// created once and kept hidden between uses, so the last choice is offered again, except that a
// remembered "cancel" becomes "date difference" each time the dialog is shown.
#include <QDialog>
#include <QPoint>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;

#include "text/language.h"

namespace qv {

enum class ClearChoice { FirstDate, DateDifference, SecondDate, Cancel };

class frmClearOneTextBox : public QDialog {
  Q_OBJECT

 public:
  using ClearChoice = qv::ClearChoice;

  explicit frmClearOneTextBox(QWidget* parent = nullptr);

  // Shows the dialog modally with its outer top-left corner at the global point `topLeft` and
  // returns the choice. Continue (or Enter) gives the selected option; the window's close box and
  // Escape give Cancel and leave the selection as it was.
  ClearChoice Ask(QPoint topLeft);

  // The choice the option buttons hold now.
  ClearChoice SelectedChoice() const;

  // Captions, accessible names and title in `language`.
  void ApplyLanguageTexts(Language language);

 private:
  void Form_Load();
  void Form_Activate();
  void cmdContinue_Click();

  QLabel* lblNeedToClear;
  QLabel* lblClear;
  QRadioButton* optClearFirstDate;
  QRadioButton* optClearDateDiff;
  QRadioButton* optClearSecondDate;
  QLabel* lblOr;
  QRadioButton* optCancel;
  QPushButton* cmdContinue;
};

}  // namespace qv
