#pragma once
// The main window: three input boxes with their calendars, the options, the today panel and the
// output window. It binds widgets to the engine and the text tables; every rule it applies is
// asked of compute/, text/ or lang/.
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar_codes.h"
#include "compute/box_operations.h"
#include "compute/compute_engine.h"
#include "lang/general_texts.h"
#include "lang/program_text.h"
#include "platform/message_service.h"
#include "settings/work_days.h"
#include "platform/posted_messages.h"
#include "settings/settings_file.h"

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;
class QLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QTimer;

namespace qv {

class ClickableLabel;
class DayStepper;
class OutputTextBox;
class frmClearOneTextBox;
class frmLargeDisplay;
class frmDisplayMonth;
class frmHelp;
class frmMoreCalendars;
class frmWorkingDays;

class frmMain : public QWidget {
  Q_OBJECT

 public:
  frmMain(const ProgramTextStore& texts, MessageService& messages, QWidget* parent = nullptr);
  ~frmMain() override;

  // Start-up after the program texts are loaded: defaults, show, stored settings, language,
  // clock, and the first drawing of the today panel.
  void Start();

  // Public operations other windows and tests use.
  void cmdCompute_Click();
  void cmdToday_Click(int index);
  void SetTheFocus();
  void UpdateTodayPanel();
  DateFormat UsersDateFormat() const;
  CalendarCode GetCal(int firstOrSecond) const;
  Language CurrentLanguage() const { return options_.language; }
  CalendarCode TodayCalendar() const { return options_.today_calendar; }
  // The added calendars the today panel goes on into after JDN, in their order.
  const std::vector<CalendarCode>& MoreTodayCalendars() const { return more_today_calendars_; }
  const std::string& SettingsFilePath() const { return settings_file_path_; }
  // The working days (work week, region, holiday files) and the file they are kept in.
  const WorkDaysChoice& WorkDays() const { return work_days_; }
  std::string WorkDaysFilePath() const;
  // Quit: writes the settings file and closes every window.
  void cmdQuit_Click();
  // Adds text (lines ending in CR LF) at the end of the output window and shows its last line.
  void AppendOutput(std::string_view text);
  // Replaces the whole output text (lines ending in CR LF or LF), the caret at its end and the
  // last line in view (the stored output at start-up).
  void SetOutputText(std::string text);
  // Places the window in `available` (the room for windows on its screen): centred, as large as
  // its full size but never larger than `available`; the controls scroll when the window is
  // smaller than their full size. Start() places it on its screen this way.
  void FitIntoScreen(const QRect& available);
  // The size the window's controls take at their full size (without the window's frame),
  // measured once.
  QSize FullSize();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Building the window: one function per group of controls, then the wiring in one place.
  void CreateControls();
  QWidget* CreateTodayPanel();
  QWidget* CreateInputFrame();
  QGroupBox* CreateCalendarGroup(DateBox box, QButtonGroup*& group, std::array<QRadioButton*, 7>& options);
  QWidget* CreateOptionsColumn();
  QWidget* CreateOutputArea();
  void WireSignals();
  // The "Other calendar:" option and its drop-down of the added calendars, in the free cell of a
  // "This is a" group (frm_main_other_calendar.cpp).
  QLayout* CreateOtherCalendarChoice(DateBox box, QButtonGroup* group);
  void WireOtherCalendars();
  void OtherCalendarLanguage();
  void OtherCalendarListChanged(DateBox box);
  // Our own file's part beside qrv.usr: a box in an added calendar, as it was left.
  void AddedBoxesAsCe(SettingsChoices& choices) const;
  void RestoreAddedBoxes(const WorkDaysSettings& settings);
  WorkDaysSettings OwnSettings() const;
  void WriteOwnSettings();
  // The today panel's added calendars and the month window's "Also show", kept in our own file.
  void RestoreOwnCalendarChoices(const WorkDaysSettings& settings);
  void cmdMoreCalendars_Click();
  void ApplyMoreTodayCalendars(std::vector<CalendarCode> chosen);
  void CreateShortcuts();
  enum class Arrangement { Full, Narrow };
  void Arrange(Arrangement arrangement);
  void PlaceCalendarGroups();
  // Shorter than its full height, the window keeps Compute and the row of Clear, Copy to clipboard,
  // Enlarge and Quit in a bar of their own below the scrolling controls, so that they stay in view.
  void DockActionRow(bool docked);
  void SetOutputLines(int lines);
  void ShowInsideScreen();
  void ScrollIntoView(QWidget* control);
  void HoldLayoutStill();
  void SetTabOrder();
  void SetColors();

  // Start-up and settings.
  void InitializeProgram();
  void PrepareInputs();
  void SetDefaultSettings();
  void ReadSettings();
  void KeepRefusedFile(SettingsReadStatus status);
  void ApplyStoredSettings(SettingsChoices choices);
  SettingsChoices ReadChoices() const;
  StoredSettings GatherSettings() const;
  void SetMainCaption();
  void WriteSettingsOnce();

  // Compute flow and box operations.
  void PostCompute();
  RequestOptions ReadComputeOptions() const;
  DateTextOptions TextOptions() const;
  void ApplyOutcome(const Outcome& outcome);
  bool AskWhichBoxToClear();
  void ShowMessage(const Message& message);
  void FirstCalendarChanged(CalendarCode code);
  void SecondCalendarChanged(CalendarCode code);
  void CalendarChanged(DateBox box, CalendarCode code);
  void SelectCalendar(DateBox box, CalendarCode code);
  void cmdMoveSecondDateToFirst_Click();
  void VScroll_Change(int index, int days);
  bool StepBoxDate(DateBox box, int64_t days);
  void FocusDateBox(DateBox box);
  void ClearInputBoxes();
  bool FilterBoxKey(QLineEdit* box, QKeyEvent* event);
  void PasteIntoBox(QLineEdit* box);

  // Options.
  void DateFormatChanged(DateFormat format);
  void DateSeparatorChanged();
  void ThousandsSeparatorChanged();
  void UnitChanged(DifferenceUnit unit);
  void chkHyphen_Click();
  void cmdReset_Click();

  // Language.
  void FillLanguageList();
  int LanguageListIndex(Language language) const;
  void cboLanguage_Click();
  void ApplyLanguageTexts();
  void SetOrdinalDateCaption();
  QString Text(GeneralText entry) const;

  // Output window.
  std::string OutputText() const;  // the output with CR LF line ends
  void SetCopyButton();
  void cmdCopyOutput_Click();
  void cmdClearOutputWindow_Click();
  void UndoClearOutput();
  void cmdEnlarge_Click();

  // Today panel.
  void TodayLabelReleased(Qt::MouseButton button);

  // Other windows.
  void cmdDisplayMonth_Click();
  void cmdHelp_Click();
  void lblOnlineDocumentation_Click();
  void lblMaker_Click();
  frmClearOneTextBox& ClearDialog();
  frmDisplayMonth& MonthWindow();
  // The month window and the help window, kept apart from the rest of the window's code.
  void ApplyMonthChoices();
  void MonthWindowLanguage();
  void HelpWindowLanguage();
  void HideOtherWindows();
  void ReadMonthChoices(SettingsChoices& choices) const;

  // Working days: the button and note beside "Count weekend days", the dialog, the file they are
  // kept in (frm_main_work_days.cpp).
  QWidget* CreateWorkDaysRow();
  void WireWorkDays();
  void cmdWorkingDays_Click();
  void ReadWorkDaysSettings();
  void ApplyWorkDays(WorkDaysChoice choice);
  void ResetWorkDays();
  void WorkDaysLanguage();
  void UpdateWorkDaysNote();

  const ProgramTextStore& texts_;
  // Questions and the box at Quit go straight to the service; every other box is posted, so
  // that none opens from inside a control's own event (platform/posted_messages.h).
  MessageService& messages_;
  PostedMessages posted_messages_;
  ComputeEngine engine_;

  // The window's options, as last applied (start-up, Reset). A choice that a control of this
  // window shows is read from that control (ReadChoices), never from here; this value answers
  // the others: the language, the today panel's calendar, the month window's two choices until
  // that window exists, and how the stored box texts were encoded. Its box texts stay empty.
  SettingsChoices options_;
  std::string settings_file_path_;
  bool blnStartUpCompleted = false;
  bool blnRestoringCal = false;
  bool settings_written_ = false;
  // A refused settings file that could not be set aside: Quit leaves it as it is.
  bool keep_settings_file_ = false;
  bool compute_posted_ = false;
  bool selecting_calendar_ = false;
  bool filling_language_list_ = false;
  CalendarCode intFirstBoxCal = cal::CE;
  CalendarCode intSecondBoxCal = cal::CE;
  // The working days in force, and their work calendar (null while none is in force).
  WorkDaysChoice work_days_;
  // Our own file as it was read or last written: Quit rewrites it only when this changed, so a
  // file this run could not read is left as it is unless the user changed something kept there.
  WorkDaysSettings own_settings_kept_;
  std::shared_ptr<const WorkCalendar> work_calendar_;
  // Where the working days' file dialogs open: the folder last used for holiday files.
  std::string holiday_folder_;
  // The text the last Clear of the output window removed, until a result is added: Ctrl+Z in the
  // output window brings it back.
  std::optional<std::string> cleared_output_;
  // The added calendars chosen in "More calendars" (none by default), and the month window's
  // "Also show" until that window exists (CE: none).
  std::vector<CalendarCode> more_today_calendars_;
  CalendarCode month_also_show_ = cal::CE;
  QString product_name_;
  QString version_text_;

  // Controls, named as the program's documentation names them.
  std::array<ClickableLabel*, 2> lblTodaysDate{};
  std::array<ClickableLabel*, 2> lblWeekFromToday{};
  QWidget* Frame3 = nullptr;
  QLabel* lblFirstDate = nullptr;
  QLabel* lblDateDifference = nullptr;
  QLabel* lblSecondDate = nullptr;
  QLineEdit* txbFirstDate = nullptr;
  QLineEdit* txbDateDiff = nullptr;
  QLineEdit* txbSecondDate = nullptr;
  std::array<DayStepper*, 2> VScroll{};
  QPushButton* cmdClearFirstDate = nullptr;
  QPushButton* cmdClearDateDiff = nullptr;
  QPushButton* cmdClearSecondDate = nullptr;
  std::array<QPushButton*, 2> cmdToday{};
  std::array<QGroupBox*, 2> lblThisIsA{};
  QButtonGroup* first_calendar_group_ = nullptr;
  QButtonGroup* second_calendar_group_ = nullptr;
  QButtonGroup* date_format_group_ = nullptr;
  QButtonGroup* date_separator_group_ = nullptr;
  QButtonGroup* thousands_separator_group_ = nullptr;
  std::array<QRadioButton*, 7> first_calendar_options_{};   // optFirstDateIsCE …
  std::array<QRadioButton*, 7> second_calendar_options_{};  // optSecondDateIsCE …
  // "Other calendar:" and its drop-down, one of each per date; the option's id in its group.
  static constexpr int kOtherCalendarId = 100;
  std::array<QRadioButton*, 2> optOtherCalendar{};
  std::array<QComboBox*, 2> cboOtherCalendar{};
  QRadioButton* optDays = nullptr;
  QRadioButton* optMonths = nullptr;
  QPushButton* cmdCompute = nullptr;
  QPushButton* cmdMoveSecondDateToFirst = nullptr;

  QGroupBox* lblDateFormat = nullptr;
  QRadioButton* optDateFormatIsYMD = nullptr;
  QRadioButton* optDateFormatIsDMY = nullptr;
  QRadioButton* optDateFormatIsMDY = nullptr;
  QGroupBox* lblDateSeparator = nullptr;
  QRadioButton* optSeparatorIsDash = nullptr;
  QRadioButton* optSeparatorIsSlash = nullptr;
  QRadioButton* optSeparatorIsDot = nullptr;
  QGroupBox* lblThousandsSeparator = nullptr;
  QRadioButton* optThousSepIsComma = nullptr;
  QRadioButton* optThousSepIsDot = nullptr;
  QRadioButton* optThousSepNone = nullptr;
  QCheckBox* chkIncludeFirstDate = nullptr;
  QCheckBox* chkIncludeWeekends = nullptr;
  QWidget* work_days_row_ = nullptr;
  QPushButton* cmdWorkingDays = nullptr;
  QLabel* lblWorkDaysNote = nullptr;
  QCheckBox* chkVerbose = nullptr;
  QCheckBox* chkHyphen = nullptr;
  QLabel* lblHyphen = nullptr;
  QCheckBox* chkSaveOutput = nullptr;
  QComboBox* cboLanguage = nullptr;
  QPushButton* cmdReset = nullptr;
  QPushButton* cmdHelp = nullptr;
  QPushButton* cmdDisplayMonth = nullptr;
  QPushButton* cmdQuit = nullptr;
  ClickableLabel* lblOnlineDocumentation = nullptr;
  ClickableLabel* lblMaker = nullptr;

  OutputTextBox* txbOutput = nullptr;
  QPushButton* cmdClearOutputWindow = nullptr;
  QPushButton* cmdCopyOutput = nullptr;
  QPushButton* cmdEnlarge = nullptr;

  QTimer* Clock = nullptr;
  void ShowOutputEnd();
  QScrollArea* scroll_area_ = nullptr;  // holds every control; scrolls on a small screen
  QGridLayout* input_grid_ = nullptr;        // the rows of the three boxes
  QHBoxLayout* input_actions_ = nullptr;     // Compute and "Second -> First"
  QHBoxLayout* output_actions_ = nullptr;    // Clear, Copy to clipboard, Enlarge under the output window
  QVBoxLayout* options_column_ = nullptr;    // the options, Quit last
  QWidget* action_bar_ = nullptr;            // below the scroll area: the docked Compute … Quit
  QHBoxLayout* action_bar_layout_ = nullptr;
  QFrame* action_bar_separator_ = nullptr;    // between Compute and the output's buttons
  bool action_row_docked_ = false;
  Arrangement arrangement_ = Arrangement::Full;
  QSize full_size_;

  // Secondary windows, created on first use and kept.
  // (children of this window, so Qt deletes them with it)
  frmClearOneTextBox* clear_dialog_ = nullptr;
  frmLargeDisplay* large_display_ = nullptr;
  frmDisplayMonth* month_window_ = nullptr;
  frmHelp* help_window_ = nullptr;
  frmWorkingDays* working_days_dialog_ = nullptr;
  frmMoreCalendars* more_calendars_dialog_ = nullptr;
};

}  // namespace qv
