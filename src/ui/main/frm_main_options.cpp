// The main window's start-up, option handlers, settings file, Reset, and language.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <tuple>
#include <utility>

#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/request_messages.h"
#include "platform/documentation_links.h"
#include "platform/launch_document.h"
#include "platform/qt_text.h"
#include "platform/user_data_path.h"
#include "ui/main/frm_clear_one_text_box.h"
#include "ui/main/frm_large_display.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_widgets.h"
#include "settings/separator_codes.h"
#include "settings/settings_file.h"
#include "settings/settings_notices.h"
#include "settings/settings_storage.h"

#ifndef QUORVAN_VERSION_MAJOR
#define QUORVAN_VERSION_MAJOR 0
#endif
#ifndef QUORVAN_VERSION_MINOR
#define QUORVAN_VERSION_MINOR 0
#endif

namespace qv {
namespace {

// Numbered program texts used here.
constexpr int16_t kProductName = 1;
constexpr int16_t kDataFolderName = 310;

// Selecting by program runs the option's handler only when the selection really changes,
// which is what QAbstractButton::setChecked does through `toggled`. Each option's id in its
// group is the value it stands for (frm_main.cpp, CreateOptionsColumn).
void Select(QButtonGroup* group, int id) {
  if (QAbstractButton* option = group->button(id)) option->setChecked(true);
}

}  // namespace

QString frmMain::Text(GeneralText entry) const { return ToQString(TextOf(entry, options_.language)); }

// ---- Start-up --------------------------------------------------------------------------------

void frmMain::Start() {
  blnStartUpCompleted = false;
  product_name_ = QString::fromStdString(GetProgramText(texts_, kProductName, Language::English));
  version_text_ = QStringLiteral("%1.%2%3").arg(QUORVAN_VERSION_MAJOR).arg(QUORVAN_VERSION_MINOR).arg(2);
  InitializeProgram();
  SetMainCaption();
  SetCopyButton();
  ShowInsideScreen();
  txbFirstDate->setFocus();
  ReadSettings();
  ReadWorkDaysSettings();
  cboLanguage->setCurrentIndex(LanguageListIndex(options_.language));
  ApplyLanguageTexts();
  FillLanguageList();
  Clock->start(1000);
  // Relative paths never depend on where the program was started from.
  QDir::setCurrent(QString::fromStdString(FirstFixedDrive()));
  txbFirstDate->setFocus();
  txbFirstDate->setCursorPosition(static_cast<int>(txbFirstDate->text().size()));
  chkSaveOutput->setVisible(true);
  blnStartUpCompleted = true;
  UpdateTodayPanel();
}

void frmMain::InitializeProgram() {
  PrepareInputs();
  SetColors();
  SetDefaultSettings();
  FillLanguageList();
  cboLanguage->setCurrentIndex(LanguageListIndex(options_.language));
  BuildRequestMessages();
  // Captions before the first frame is drawn; the stored language follows after ReadSettings.
  ApplyLanguageTexts();
}

void frmMain::PrepareInputs() {
  settings_file_path_ = UserDataFilePath(kSettingsFileName, GetProgramText(texts_, kDataFolderName, Language::English));
  txbFirstDate->clear();
  txbDateDiff->clear();
  txbSecondDate->clear();
  txbOutput->Clear();
  SelectCalendar(DateBox::First, cal::CE);
  SelectCalendar(DateBox::Second, cal::CE);
}

void frmMain::SetMainCaption() {
  setWindowTitle(product_name_ + QLatin1Char(' ') + version_text_);
  lblMaker->setText(windowTitle());
  lblMaker->setAccessibleName(windowTitle());
}

// The defaults are a default-made set of choices, applied as a stored one is: a default that
// changes is changed in SettingsChoices alone.
void frmMain::SetDefaultSettings() { ApplyStoredSettings(SettingsChoices{}); }

void frmMain::ReadSettings() {
  RemoveStaleTemporaryFiles(settings_file_path_, kStaleTemporaryAge);
  SettingsReadResult read = ReadSettingsFile(settings_file_path_);
  if (IsRefused(read.status)) KeepRefusedFile(read.status);
  if (UsesDefaults(read.status)) {
    SetDefaultSettings();
    return;
  }
  ApplyStoredSettings(InterpretSettings(std::move(read.settings)));
}

// A file that is there but was refused (too large, unreadable, not in the format) would be
// replaced by the next Quit: it is renamed aside first, and the user is told once, in a box
// that opens after the window is shown. When it cannot be renamed, Quit leaves it alone.
void frmMain::KeepRefusedFile(SettingsReadStatus status) {
  const KeptAside kept = KeepRefusedFileAside(settings_file_path_);
  if (kept.outcome == KeptAside::Outcome::NothingToKeep) return;
  keep_settings_file_ = kept.outcome == KeptAside::Outcome::Failed;
  const std::string reason = kept.error != 0 ? qt_error_string(kept.error).toStdString() : std::string();
  posted_messages_.Show(this, MessageRequest{product_name_,
                                             ToQString(RefusedFileText(options_.language, status, settings_file_path_,
                                                                       kept, reason)),
                                             MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

// The stored choices are applied first and the stored box texts last, so that a stored date
// format or separator (whose handlers empty the boxes) cannot wipe what was saved.
void frmMain::ApplyStoredSettings(SettingsChoices choices) {
  const std::string first_date = std::exchange(choices.first_date, {});
  const std::string date_difference = std::exchange(choices.date_difference, {});
  const std::string second_date = std::exchange(choices.second_date, {});
  std::string output = std::exchange(choices.output, {});
  options_ = std::move(choices);
  chkIncludeFirstDate->setChecked(options_.include_first_date);
  chkIncludeWeekends->setChecked(options_.include_weekends);
  chkVerbose->setChecked(options_.verbose);
  chkHyphen->setChecked(options_.hyphen == Hyphen::With);
  chkSaveOutput->setChecked(options_.save_output);
  ApplyMonthChoices();
  Select(date_format_group_, options_.date_format);
  Select(date_separator_group_, SeparatorCode(options_.date_separator));
  Select(thousands_separator_group_, SeparatorCode(options_.thousands_separator));
  SelectCalendar(DateBox::First, options_.first_calendar);
  SelectCalendar(DateBox::Second, options_.second_calendar);
  (options_.unit == DifferenceUnit::Months ? optMonths : optDays)->setChecked(true);
  txbFirstDate->setText(QString::fromStdString(first_date));
  txbDateDiff->setText(QString::fromStdString(date_difference));
  txbSecondDate->setText(QString::fromStdString(second_date));
  SetOutputText(std::move(output));
}

// The window's options as the controls show them: the one place that reads the option controls,
// for the settings file and for every request. The choices without a control here come from
// options_. The box texts stay empty (GatherSettings adds them when they are to be kept).
SettingsChoices frmMain::ReadChoices() const {
  SettingsChoices choices = options_;
  choices.date_format = UsersDateFormat();
  choices.date_separator = DateSeparatorOfCode(date_separator_group_->checkedId()).value_or("-");
  choices.thousands_separator = ThousandsSeparatorOfCode(thousands_separator_group_->checkedId()).value_or(",");
  choices.first_calendar = GetCal(1);
  choices.second_calendar = GetCal(2);
  choices.include_first_date = chkIncludeFirstDate->isChecked();
  choices.include_weekends = chkIncludeWeekends->isChecked();
  choices.verbose = chkVerbose->isChecked();
  choices.hyphen = chkHyphen->isChecked() ? Hyphen::With : Hyphen::Without;
  choices.save_output = chkSaveOutput->isChecked();
  ReadMonthChoices(choices);
  choices.unit = optMonths->isChecked() ? DifferenceUnit::Months : DifferenceUnit::Days;
  return choices;
}

StoredSettings frmMain::GatherSettings() const {
  SettingsChoices choices = ReadChoices();
  if (choices.save_output) {
    choices.first_date = txbFirstDate->text().toStdString();
    choices.date_difference = txbDateDiff->text().toStdString();
    choices.second_date = txbSecondDate->text().toStdString();
    choices.output = OutputText();
  }
  AddedBoxesAsCe(choices);
  return StoreSettings(std::move(choices));
}

// Quit and the close box both come here; the file is written once per run. The saved output is
// cut to what the reader takes, with a note at its end. A data folder deleted during the run
// is made again. A failure to write keeps the old file (the writer never leaves half a file),
// is told in one box naming the file and the reason, and the program ends all the same; the
// box opens here, in the closing of the window, since nothing runs after it.
void frmMain::WriteSettingsOnce() {
  if (settings_written_) return;
  settings_written_ = true;
  WriteOwnSettings();
  if (settings_file_path_.empty() || keep_settings_file_) return;
  StoredSettings stored = GatherSettings();
  FitSavedOutput(stored, OutputCutNote(options_.language), {kOutputCutNotes[0], kOutputCutNotes[1]});
  EnsureFolderOf(settings_file_path_);
  const SettingsWriteResult written = WriteSettingsFile(settings_file_path_, stored);
  if (written.ok) return;
  const std::string file = written.path.empty() ? settings_file_path_ : written.path;
  messages_.Show(this, MessageRequest{product_name_,
                                      ToQString(SaveFailedText(options_.language, file,
                                                               qt_error_string(written.error).toStdString())),
                                      MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
}

// ---- Option handlers -------------------------------------------------------------------------

void frmMain::DateFormatChanged(DateFormat format) {
  optSeparatorIsDash->setText(ToQString(SeparatorSample(format, "-")));
  optSeparatorIsSlash->setText(ToQString(SeparatorSample(format, "/")));
  optSeparatorIsDot->setText(ToQString(SeparatorSample(format, ".")));
  ClearInputBoxes();
  UpdateTodayPanel();
}

void frmMain::DateSeparatorChanged() {
  ClearInputBoxes();
  UpdateTodayPanel();
}

void frmMain::ThousandsSeparatorChanged() {
  SetTheFocus();
}

void frmMain::UnitChanged(DifferenceUnit unit) {
  // The day counts' options mean nothing in months mode.
  const bool days = unit == DifferenceUnit::Days;
  chkIncludeFirstDate->setVisible(days);
  chkIncludeWeekends->setVisible(days);
  SetTheFocus();
}

void frmMain::chkHyphen_Click() {
  SetOrdinalDateCaption();
  const Hyphen hyphen = ReadChoices().hyphen;
  for (QLineEdit* box : {txbFirstDate, txbSecondDate}) {
    box->setText(QString::fromStdString(RestyleForHyphen(box->text().toStdString(), hyphen)));
  }
  SetTheFocus();
}

void frmMain::cmdReset_Click() {
  const QString question = ToQString(ResetQuestion(texts_, options_.language));
  const MessageAnswer answer =
      messages_.Show(this, MessageRequest{cmdReset->text(), question, MessageIcon::None, MessageButtons::YesNo,
                                          MessageAnswer::No});
  if (answer == MessageAnswer::Yes) {
    // The file itself goes; a symbolic link to it stays, for the next Quit to write through.
    if (!settings_file_path_.empty()) QFile::remove(QString::fromStdString(FollowLinks(settings_file_path_)));
    keep_settings_file_ = false;  // the refused file the user was told about goes too
    const Language before = options_.language;
    SetDefaultSettings();
    ResetWorkDays();
    // The defaults include English: the whole interface follows, so that captions and every
    // text looked up afterwards agree.
    if (before != options_.language) {
      FillLanguageList();
      ApplyLanguageTexts();
    }
    UpdateTodayPanel();
    SetCopyButton();
  }
  SetTheFocus();
}

// ---- Language --------------------------------------------------------------------------------

void frmMain::FillLanguageList() {
  filling_language_list_ = true;
  cboLanguage->clear();
  cboLanguage->addItem(Text(GeneralText::English), QVariant::fromValue<int>(static_cast<int>(Language::English)));
  cboLanguage->addItem(Text(GeneralText::German), QVariant::fromValue<int>(static_cast<int>(Language::German)));
  cboLanguage->setCurrentIndex(LanguageListIndex(options_.language));
  cboLanguage->setAccessibleName(Text(GeneralText::English) + QStringLiteral(" / ") + Text(GeneralText::German));
  filling_language_list_ = false;
}

int frmMain::LanguageListIndex(Language language) const {
  for (int i = 0; i < cboLanguage->count(); ++i) {
    if (cboLanguage->itemData(i).toInt() == static_cast<int>(language)) return i;
  }
  return 0;
}

void frmMain::cboLanguage_Click() {
  const Language chosen = cboLanguage->currentData().toInt() == static_cast<int>(Language::German) ? Language::German
                                                                                             : Language::English;
  if (chosen != options_.language) {
    const int position = cboLanguage->currentIndex();
    options_.language = chosen;
    FillLanguageList();
    filling_language_list_ = true;
    cboLanguage->setCurrentIndex(position);
    filling_language_list_ = false;
    ApplyLanguageTexts();
    UpdateTodayPanel();
  }
  txbOutput->MoveToEnd();
  SetCopyButton();
  SetTheFocus();
}

void frmMain::ApplyLanguageTexts() {
  using G = GeneralText;
  // Frames and labels that name the control beside them end with a colon.
  const std::pair<QGroupBox*, G> frame_titles[] = {
      {lblDateFormat, G::CeJcDateFormat}, {lblDateSeparator, G::CeJcDateSeparator},
      {lblThousandsSeparator, G::ThousandsSeparator}};
  for (const auto& [frame, entry] : frame_titles) frame->setTitle(Text(entry) + QLatin1Char(':'));
  const std::pair<QLabel*, G> input_labels[] = {
      {lblFirstDate, G::FirstDate}, {lblSecondDate, G::SecondDate}, {lblDateDifference, G::DateDifference}};
  for (const auto& [label, entry] : input_labels) label->setText(Text(entry) + QLatin1Char(':'));
  for (QGroupBox* frame : lblThisIsA) frame->setTitle(Text(G::ThisIsA));

  // Captions that are a text of the table as it stands.
  const std::pair<QAbstractButton*, G> button_texts[] = {
      {cmdCompute, G::Compute},
      {cmdToday[0], G::Today},
      {cmdToday[1], G::Today},
      {cmdReset, G::Reset},
      {cmdHelp, G::Help},
      {cmdQuit, G::Quit},
      {cmdClearFirstDate, G::Clear},
      {cmdClearSecondDate, G::Clear},
      {cmdClearDateDiff, G::Clear},
      {cmdClearOutputWindow, G::Clear},
      {cmdMoveSecondDateToFirst, G::SecondToFirst},
      {cmdCopyOutput, G::CopyToClipboard},
      {cmdDisplayMonth, G::DisplayMonth},
      {cmdEnlarge, G::Enlarge},
      {chkIncludeFirstDate, G::IncludeFirstDate},
      {chkIncludeWeekends, G::CountWeekendDays},
      {chkVerbose, G::Verbose},
      {chkHyphen, G::HyphenInOrdinalAnd},
      {chkSaveOutput, G::SaveResultsOnQuit}};
  for (const auto& [button, entry] : button_texts) button->setText(Text(entry));
  lblHyphen->setText(Text(G::InIsoWeekDates));
  lblOnlineDocumentation->setText(Text(G::OnlineDocumentation));

  // Captions made for the language from a code.
  optDays->setText(ToQString(UnitWord(G::Days, options_.language)));
  optMonths->setText(ToQString(UnitWord(G::Months, options_.language)));
  optDateFormatIsYMD->setText(ToQString(DateFormatCaption(kFormatYMD, options_.language)));
  optDateFormatIsDMY->setText(ToQString(DateFormatCaption(kFormatDMY, options_.language)));
  optDateFormatIsMDY->setText(ToQString(DateFormatCaption(kFormatMDY, options_.language)));
  optThousSepNone->setText(ToQString(NoThousandsSeparatorCaption(options_.language)));

  // The calendar options: the first group names each calendar's code, the second does not.
  for (QRadioButton* option : second_calendar_options_) {
    const auto calendar = static_cast<CalendarCode>(second_calendar_group_->id(option));
    option->setText(ToQString(CalendarOptionCaption(calendar, CaptionCode::Without, Hyphen::Without, options_.language)));
  }
  SetOrdinalDateCaption();  // and every other option of the first group

  for (ClickableLabel* label : lblTodaysDate) label->setToolTip(Text(G::ClickToChangeCalendar));
  for (ClickableLabel* label : lblWeekFromToday) label->setToolTip(Text(G::ClickToChangeCalendar));
  for (ClickableLabel* label : {lblTodaysDate[1], lblWeekFromToday[1]}) {
    label->setAccessibleDescription(ToQString(TodayPanelKeysDescription(options_.language)));
  }

  // Screen readers name each input by the label beside it, and a button that acts on one box
  // by its caption and that box.
  lblOnlineDocumentation->setAccessibleName(lblOnlineDocumentation->text());
  chkHyphen->setAccessibleName(chkHyphen->text() + QLatin1Char(' ') + lblHyphen->text());
  const std::pair<QWidget*, G> input_names[] = {
      {txbFirstDate, G::FirstDate}, {txbDateDiff, G::DateDifference}, {txbSecondDate, G::SecondDate},
      {VScroll[0], G::FirstDate},   {VScroll[1], G::SecondDate},      {txbOutput, G::OutputWindow}};
  for (const auto& [widget, entry] : input_names) widget->setAccessibleName(Text(entry));
  const std::tuple<QWidget*, G, G> box_buttons[] = {
      {cmdToday[0], G::Today, G::FirstDate},
      {cmdToday[1], G::Today, G::SecondDate},
      {cmdClearFirstDate, G::Clear, G::FirstDate},
      {cmdClearDateDiff, G::Clear, G::DateDifference},
      {cmdClearSecondDate, G::Clear, G::SecondDate},
      {cmdClearOutputWindow, G::Clear, G::OutputWindow}};
  for (const auto& [button, action, box] : box_buttons) {
    button->setAccessibleName(Text(action) + QStringLiteral(" (") + Text(box) + QLatin1Char(')'));
  }

  OtherCalendarLanguage();
  WorkDaysLanguage();
  MonthWindowLanguage();
  if (clear_dialog_ != nullptr) clear_dialog_->ApplyLanguageTexts(options_.language);
  if (large_display_ != nullptr) large_display_->ApplyLanguage(options_.language);
  HelpWindowLanguage();
  SetCopyButton();
}

// The first group's captions; the ordinal option's shows the pattern the hyphen option asks for.
void frmMain::SetOrdinalDateCaption() {
  for (QRadioButton* option : first_calendar_options_) {
    const auto calendar = static_cast<CalendarCode>(first_calendar_group_->id(option));
    option->setText(ToQString(
        CalendarOptionCaption(calendar, CaptionCode::With, chkHyphen->isChecked() ? Hyphen::With : Hyphen::Without,
                              options_.language)));
  }
}

// ---- Other windows and links -----------------------------------------------------------------

void frmMain::lblOnlineDocumentation_Click() { LaunchDocument(ManualAddress(options_.language), posted_messages_, this); }

void frmMain::lblMaker_Click() { LaunchDocument(MakerAddress(), posted_messages_, this); }

}  // namespace qv
