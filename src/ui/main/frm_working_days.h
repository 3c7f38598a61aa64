#pragma once
// The working-days dialog: which weekdays are worked, the public holidays of a built-in region
// (chosen from a tree by country with a search box), holiday files (iCalendar, lists of dates or
// rule files of the user's own), a preview of one year's holidays, and the export of the chosen
// holidays of a run of years as an .ics file. It edits a copy; OK hands the copy back, Cancel and
// Escape drop it.
#include <QDialog>
#include <QLocale>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "holidays/regions.h"
#include "text/language.h"
#include "platform/message_service.h"
#include "platform/posted_messages.h"
#include "settings/work_days.h"
#include "text/date_dispatch.h"

class QCheckBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv {

class frmWorkingDays : public QDialog {
  Q_OBJECT

 public:
  // Asks for the files to add: (parent, title, folder to open at, filters) to the chosen paths.
  // The real one is a QFileDialog; tests put their own in.
  using FileChooser = std::function<QStringList(QWidget*, const QString&, const QString&, const QString&)>;
  // Asks for the file to export to: (parent, title, path suggested, filters) to the path, empty
  // when cancelled.
  using SaveChooser = std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

  // `first_day`: the weekday the check boxes start on, the user's first day of the week.
  frmWorkingDays(MessageService& messages, QWidget* parent,
                 Qt::DayOfWeek first_day = QLocale::system().firstDayOfWeek());
  ~frmWorkingDays() override;

  // Fills the dialog with `current`. New list files are read in `options` (the main window's
  // date options); the preview writes its dates in them and starts on `year`.
  void Prepare(const WorkDaysChoice& current, const DateTextOptions& options, Language language, int32_t year);
  // Prepare, then show modally: true when OK was pressed, and Choice() is the new choice.
  bool Ask(const WorkDaysChoice& current, const DateTextOptions& options, Language language, int32_t year);
  const WorkDaysChoice& Choice() const { return choice_; }

  void SetFileChooser(FileChooser chooser) { choose_files_ = std::move(chooser); }
  void SetSaveChooser(SaveChooser chooser) { choose_export_file_ = std::move(chooser); }
  // The folder holiday files were last added from or exported to (empty: none yet), where the
  // file dialogs open; kept by the main window in our own settings file.
  void SetHolidayFolder(std::string folder) { holiday_folder_ = std::move(folder); }
  const std::string& HolidayFolder() const { return holiday_folder_; }

  // The rows the region list (and the preview) show where the screen has room for them, and the
  // fewest they show.
  static constexpr int kRegionRows = 12;
  static constexpr int kFewestRegionRows = 6;

  // The preview's year range: the years whose holidays the date writer can write as CE dates.
  static constexpr int kFirstPreviewYear = 1;
  static constexpr int kLastPreviewYear = 9999;

 public slots:
  // OK: refused (with a message) while no weekday is ticked.
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QGroupBox* CreateWeekGroup();
  void WireControls();
  void ApplyLanguageTexts();
  void FillRegionList();
  void SelectRegionItem();
  void FilterRegions();
  QTreeWidgetItem* RegionItem(const QString& code) const;
  QTreeWidgetItem* FirstFoundRegion() const;
  void SizeLists();
  void FillFileList();

  void WeekdayToggled();
  void treRegions_Click();
  void txtRegionSearch_Return();
  void cmdExport_Click();
  void ExportYearsChanged();
  void cmdAdd_Click();
  void cmdRemove_Click();
  void UpdatePreview();
  void chkLawOnly_Click();
  void UpdateRemoveButton();
  void PostMessage(const QString& text, MessageIcon icon = MessageIcon::Warning);
  DateTextOptions ReadingOptions() const;
  QString UnknownYearText(const WorkCalendar& calendar, const UnknownHolidayYear& unknown) const;

  PostedMessages posted_messages_;  // every box of this dialog is posted
  Qt::DayOfWeek first_day_;
  FileChooser choose_files_;
  SaveChooser choose_export_file_;
  // The tree's countries in its order after "(none)": by name in the dialog's language, each
  // country's subdivisions likewise.
  std::vector<holidays::RegionCountry> countries_;
  QTreeWidgetItem* no_region_found_ = nullptr;  // the tree's last line, shown when a search finds nothing
  std::string holiday_folder_;
  WorkDaysChoice choice_;
  Language language_ = Language::English;
  DateFormat date_format_ = kFormatYMD;
  std::string date_separator_ = "-";
  std::string thousands_separator_ = ",";
  Hyphen hyphen_ = Hyphen::With;
  bool filling_ = false;  // the controls are being filled by program: no handler runs

  QGroupBox* fraWorkWeek = nullptr;
  std::array<QCheckBox*, 7> chkWeekday{};  // in the order shown, from the first day of the week
  std::array<int, 7> weekday_bit_{};       // each box's bit: 0 = Monday … 6 = Sunday
  QLabel* lblRegion = nullptr;
  QLabel* lblRegionSearch = nullptr;
  QLineEdit* txtRegionSearch = nullptr;
  QTreeWidget* treRegions = nullptr;
  QLabel* lblKnownYears = nullptr;  // the years the chosen region knows
  QCheckBox* chkLawOnly = nullptr;
  QLabel* lblHolidayFiles = nullptr;
  QListWidget* lstHolidayFiles = nullptr;
  QPushButton* cmdAdd = nullptr;
  QPushButton* cmdRemove = nullptr;
  QLabel* lblYear = nullptr;
  QSpinBox* spnYear = nullptr;
  QTreeWidget* trePreview = nullptr;
  QLabel* lblNoHolidays = nullptr;
  QLabel* lblAppliesWhen = nullptr;
  QLabel* lblExportYears = nullptr;
  QSpinBox* spnExportFirst = nullptr;
  QLabel* lblExportTo = nullptr;
  QSpinBox* spnExportLast = nullptr;
  QPushButton* cmdExport = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace qv
