#pragma once
// "More calendars": a small dialog with a check box for each added calendar. The ones ticked
// follow JDN in the today panel's cycle, in the order they were ticked. It edits a copy; OK hands
// it back (the finished() signal with Accepted), Cancel and Escape drop it.
#include <QDialog>
#include <vector>

#include "calendar/calendar_codes.h"
#include "text/language.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;

namespace qv {

class frmMoreCalendars : public QDialog {
  Q_OBJECT

 public:
  explicit frmMoreCalendars(QWidget* parent);

  // Ticks the calendars of `chosen` (in that order) and captions everything in `language`.
  void Prepare(const std::vector<CalendarCode>& chosen, Language language);
  // The ticked calendars in the order they were ticked.
  const std::vector<CalendarCode>& Chosen() const { return chosen_; }

 private:
  void CalendarToggled(std::size_t index, bool on);
  void ShowOrder();

  Language language_ = Language::English;
  std::vector<CalendarCode> chosen_;
  bool filling_ = false;

  QLabel* lblNote = nullptr;
  // One check box for each available added calendar, in the order of `codes_`.
  std::vector<CalendarCode> codes_;
  std::vector<QCheckBox*> chkCalendar;
  QLabel* lblOrder = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace qv
