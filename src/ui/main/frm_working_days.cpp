#include "ui/main/frm_working_days.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "calendar/civil.h"
#include "holidays/regions.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/work_days_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"

namespace qv {
namespace {

QStringList ChooseWithFileDialog(QWidget* parent, const QString& title, const QString& filters) {
  return QFileDialog::getOpenFileNames(parent, title, QString(), filters);
}

// Qt's day (1 = Monday … 7 = Sunday) as the work week's bit (0 = Monday … 6 = Sunday).
int BitOfQtDay(int qt_day) { return (qt_day - 1 + 7) % 7; }
// The general table's day (0 = Sunday … 6 = Saturday) of a bit.
int DayOfWeekOfBit(int bit) { return (bit + 1) % 7; }

enum PreviewColumn { kDateColumn, kWeekdayColumn, kNameColumn };

}  // namespace

frmWorkingDays::frmWorkingDays(MessageService& messages, QWidget* parent, Qt::DayOfWeek first_day)
    : QDialog(parent),
      posted_messages_(messages, this),
      first_day_(first_day), choose_files_(ChooseWithFileDialog) {
  setObjectName(QStringLiteral("frmWorkingDays"));
  CreateControls();
  WireControls();
  ApplyLanguageTexts();
}

frmWorkingDays::~frmWorkingDays() = default;

// ---- Building ---------------------------------------------------------------------------------

void frmWorkingDays::CreateControls() {
  cboRegion = Named(new QComboBox(this), "cboRegion");
  lblRegion = NamedLabelFor("lblRegion", cboRegion, this);

  lstHolidayFiles = Named(new QListWidget(this), "lstHolidayFiles");
  lstHolidayFiles->setSelectionMode(QAbstractItemView::SingleSelection);
  lstHolidayFiles->setMaximumHeight(lstHolidayFiles->fontMetrics().lineSpacing() * 5);
  lblHolidayFiles = NamedLabelFor("lblHolidayFiles", lstHolidayFiles, this);
  cmdAdd = Named(new QPushButton(this), "cmdAdd");
  cmdAdd->setAutoDefault(false);
  cmdRemove = Named(new QPushButton(this), "cmdRemove");
  cmdRemove->setAutoDefault(false);

  spnYear = Named(new QSpinBox(this), "spnYear");
  spnYear->setRange(kFirstPreviewYear, kLastPreviewYear);
  lblYear = NamedLabelFor("lblYear", spnYear, this);

  trePreview = Named(new QTreeWidget(this), "trePreview");
  trePreview->setColumnCount(3);
  trePreview->setRootIsDecorated(false);
  trePreview->setUniformRowHeights(true);
  trePreview->setAlternatingRowColors(true);
  trePreview->setSelectionMode(QAbstractItemView::SingleSelection);
  trePreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  trePreview->header()->setStretchLastSection(true);
  trePreview->setMinimumSize(trePreview->fontMetrics().averageCharWidth() * 64,
                             trePreview->fontMetrics().lineSpacing() * 12);
  lblNoHolidays = Named(new QLabel(this), "lblNoHolidays");
  lblAppliesWhen = Named(new QLabel(this), "lblAppliesWhen");
  lblAppliesWhen->setWordWrap(true);

  buttons_ = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttons");
  buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

  auto* region_row = new QHBoxLayout;
  region_row->addWidget(lblRegion);
  region_row->addWidget(cboRegion, 1);

  auto* file_buttons = new QVBoxLayout;
  file_buttons->addWidget(cmdAdd);
  file_buttons->addWidget(cmdRemove);
  file_buttons->addStretch(1);
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(lstHolidayFiles, 1);
  file_row->addLayout(file_buttons);

  auto* year_row = new QHBoxLayout;
  year_row->addWidget(lblYear);
  year_row->addWidget(spnYear);
  year_row->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateWeekGroup());
  layout->addLayout(region_row);
  layout->addWidget(lblHolidayFiles);
  layout->addLayout(file_row);
  layout->addLayout(year_row);
  layout->addWidget(trePreview, 1);
  layout->addWidget(lblNoHolidays);
  layout->addWidget(lblAppliesWhen);
  layout->addWidget(buttons_);

  // The Tab key walks the dialog as it reads.
  QWidget* order[] = {chkWeekday[0], chkWeekday[1], chkWeekday[2], chkWeekday[3], chkWeekday[4], chkWeekday[5],
                      chkWeekday[6], cboRegion, lstHolidayFiles, cmdAdd, cmdRemove, spnYear, trePreview,
                      buttons_->button(QDialogButtonBox::Ok), buttons_->button(QDialogButtonBox::Cancel)};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

QGroupBox* frmWorkingDays::CreateWeekGroup() {
  fraWorkWeek = Named(new QGroupBox(this), "fraWorkWeek");
  auto* row = new QHBoxLayout(fraWorkWeek);
  const int first_bit = BitOfQtDay(static_cast<int>(first_day_));
  for (std::size_t i = 0; i < chkWeekday.size(); ++i) {
    const int bit = (first_bit + static_cast<int>(i)) % 7;
    weekday_bit_[i] = bit;
    chkWeekday[i] = new QCheckBox(fraWorkWeek);
    chkWeekday[i]->setObjectName(QStringLiteral("chkWeekday%1").arg(bit));  // chkWeekday0 = Monday
    row->addWidget(chkWeekday[i]);
  }
  row->addStretch(1);
  return fraWorkWeek;
}

// Every signal of the dialog is connected here and nowhere else.
void frmWorkingDays::WireControls() {
  for (QCheckBox* box : chkWeekday) {
    connect(box, &QCheckBox::toggled, this, [this] { WeekdayToggled(); });
  }
  connect(cboRegion, &QComboBox::currentIndexChanged, this, [this] { cboRegion_Click(); });
  connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
  connect(lstHolidayFiles, &QListWidget::currentRowChanged, this, [this] { UpdateRemoveButton(); });
  connect(spnYear, &QSpinBox::valueChanged, this, [this] { UpdatePreview(); });
  connect(buttons_, &QDialogButtonBox::accepted, this, &frmWorkingDays::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &frmWorkingDays::reject);
}

void frmWorkingDays::ApplyLanguageTexts() {
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  const auto plain = [this](WorkDaysText entry) { return ToQString(WithoutMnemonic(WorkDaysTextOf(entry, language_))); };
  setWindowTitle(text(WorkDaysText::DialogTitle));
  fraWorkWeek->setTitle(text(WorkDaysText::WorkWeek));
  for (std::size_t i = 0; i < chkWeekday.size(); ++i) {
    chkWeekday[i]->setText(ToQString(WeekdayName(language_, DayOfWeekOfBit(weekday_bit_[i]))));
    chkWeekday[i]->setAccessibleName(chkWeekday[i]->text());
  }
  lblRegion->setText(text(WorkDaysText::Region));
  cboRegion->setAccessibleName(plain(WorkDaysText::Region).chopped(1));  // without the colon
  lblHolidayFiles->setText(text(WorkDaysText::HolidayFiles));
  lstHolidayFiles->setAccessibleName(plain(WorkDaysText::HolidayFiles).chopped(1));
  cmdAdd->setText(text(WorkDaysText::Add));
  cmdAdd->setAccessibleName(plain(WorkDaysText::Add));
  cmdRemove->setText(text(WorkDaysText::Remove));
  cmdRemove->setAccessibleName(plain(WorkDaysText::Remove));
  lblYear->setText(text(WorkDaysText::PreviewYear));
  spnYear->setAccessibleName(plain(WorkDaysText::PreviewYear).chopped(1));
  trePreview->setHeaderLabels({text(WorkDaysText::DateColumn), text(WorkDaysText::WeekdayColumn),
                               text(WorkDaysText::NameColumn)});
  trePreview->setAccessibleName(text(WorkDaysText::Preview));
  lblAppliesWhen->setText(text(WorkDaysText::AppliesWhen));
  buttons_->button(QDialogButtonBox::Ok)->setText(text(WorkDaysText::Ok));
  buttons_->button(QDialogButtonBox::Cancel)->setText(text(WorkDaysText::Cancel));
  FillRegionList();
}

// "(none)" first, then every built-in region by its name in the interface language and its code.
void frmWorkingDays::FillRegionList() {
  const bool filling = filling_;
  filling_ = true;
  cboRegion->clear();
  cboRegion->addItem(ToQString(WorkDaysTextOf(WorkDaysText::NoRegion, language_)), QString());
  for (const holidays::Region& region : holidays::Regions()) {
    const std::string_view name = language_ == Language::German ? region.name.de : region.name.en;
    cboRegion->addItem(ToQString(name) + QStringLiteral(" (") + ToQString(region.code) + QLatin1Char(')'),
                       ToQString(region.code));
  }
  const int index = cboRegion->findData(ToQString(choice_.region));
  cboRegion->setCurrentIndex(index < 0 ? 0 : index);
  filling_ = filling;
}

void frmWorkingDays::FillFileList() {
  lstHolidayFiles->clear();
  for (const HolidayFileChoice& file : choice_.files) {
    auto* item = new QListWidgetItem(QString::fromStdString(file.entry.path), lstHolidayFiles);
    item->setToolTip(item->text());
  }
  UpdateRemoveButton();
}

// ---- Showing ----------------------------------------------------------------------------------

void frmWorkingDays::Prepare(const WorkDaysChoice& current, const DateTextOptions& options, Language language,
                             int32_t year) {
  filling_ = true;
  choice_ = current;
  language_ = language;
  date_format_ = options.format;
  date_separator_ = std::string(options.date_separator);
  thousands_separator_ = std::string(options.thousands_separator);
  hyphen_ = options.hyphen;
  ApplyLanguageTexts();
  for (std::size_t i = 0; i < chkWeekday.size(); ++i) {
    chkWeekday[i]->setChecked(choice_.week.Works(weekday_bit_[i] + 1));
  }
  FillFileList();
  spnYear->setValue(std::clamp(year, kFirstPreviewYear, kLastPreviewYear));
  filling_ = false;
  UpdatePreview();
  chkWeekday[0]->setFocus();
}

bool frmWorkingDays::Ask(const WorkDaysChoice& current, const DateTextOptions& options, Language language,
                         int32_t year) {
  Prepare(current, options, language, year);
  return exec() == QDialog::Accepted;
}

// ---- Handlers ---------------------------------------------------------------------------------

void frmWorkingDays::WeekdayToggled() {
  if (filling_) return;
  uint8_t mask = 0;
  for (std::size_t i = 0; i < chkWeekday.size(); ++i) {
    if (chkWeekday[i]->isChecked()) mask = static_cast<uint8_t>(mask | (1U << weekday_bit_[i]));
  }
  // No day ticked is no work week; the last one stays in the choice until OK refuses.
  if (const std::optional<WorkWeek> week = WorkWeek::FromMask(mask)) choice_.week = *week;
  UpdatePreview();
}

void frmWorkingDays::cboRegion_Click() {
  if (filling_) return;
  choice_.region = cboRegion->currentData().toString().toStdString();
  UpdatePreview();
}

void frmWorkingDays::cmdAdd_Click() {
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  const QString filters = QStringList{text(WorkDaysText::FilterHolidayFiles), text(WorkDaysText::FilterICalendar),
                                      text(WorkDaysText::FilterTextLists), text(WorkDaysText::FilterAllFiles)}
                              .join(QStringLiteral(";;"));
  const QStringList chosen = choose_files_(this, text(WorkDaysText::ChooseFilesTitle), filters);
  if (chosen.isEmpty()) return;
  // Every chosen file is read before any is taken: one that cannot be read refuses them all,
  // and the list stays as it was.
  std::vector<HolidayFileChoice> added;
  for (const QString& name : chosen) {
    HolidayFileEntry entry{.path = QFileInfo(name).absoluteFilePath().toStdString(),
                           .date_format = date_format_,
                           .date_separator = date_separator_,
                           .thousands_separator = thousands_separator_};
    const auto known = [&](const HolidayFileChoice& file) { return file.entry.path == entry.path; };
    if (std::any_of(choice_.files.begin(), choice_.files.end(), known) ||
        std::any_of(added.begin(), added.end(), known)) {
      continue;  // already in the list
    }
    holidays::HolidayFileResult read = ReadHolidayFile(entry);
    if (const auto* error = std::get_if<holidays::HolidayFileError>(&read)) {
      PostMessage(ToQString(holidays::HolidayFileErrorText(*error, language_)));
      return;
    }
    added.push_back(HolidayFileChoice{std::move(entry), std::get<holidays::HolidaySource>(std::move(read))});
  }
  if (added.empty()) return;
  for (HolidayFileChoice& file : added) choice_.files.push_back(std::move(file));
  FillFileList();
  lstHolidayFiles->setCurrentRow(lstHolidayFiles->count() - 1);
  UpdatePreview();
}

void frmWorkingDays::cmdRemove_Click() {
  const int row = lstHolidayFiles->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= choice_.files.size()) return;
  choice_.files.erase(choice_.files.begin() + row);
  FillFileList();
  if (lstHolidayFiles->count() > 0) {
    lstHolidayFiles->setCurrentRow(std::min(row, lstHolidayFiles->count() - 1));
    lstHolidayFiles->setFocus();
  } else {
    cmdAdd->setFocus();
  }
  UpdatePreview();
}

void frmWorkingDays::UpdateRemoveButton() { cmdRemove->setEnabled(lstHolidayFiles->currentRow() >= 0); }

void frmWorkingDays::accept() {
  const bool any_day = std::any_of(chkWeekday.begin(), chkWeekday.end(), [](QCheckBox* box) { return box->isChecked(); });
  if (!any_day) {
    PostMessage(ToQString(WorkDaysTextOf(WorkDaysText::NoWorkingDay, language_)));
    chkWeekday[0]->setFocus();
    return;
  }
  QDialog::accept();
}

// Posted, so that the box never opens inside the event of the control that asked for it.
void frmWorkingDays::PostMessage(const QString& text) {
  const MessageRequest request{.title = ToQString(WorkDaysTextOf(WorkDaysText::DialogTitle, language_)),
                               .text = text,
                               .icon = MessageIcon::Warning,
                               .buttons = MessageButtons::Ok,
                               .default_answer = MessageAnswer::Ok};
  posted_messages_.Show(this, request);
}

DateTextOptions frmWorkingDays::ReadingOptions() const {
  return DateTextOptions{.format = date_format_,
                         .date_separator = date_separator_,
                         .thousands_separator = thousands_separator_,
                         .hyphen = hyphen_};
}

// The chosen region's and files' holidays of the year: date as the main window writes it,
// weekday, name (with its source's label where it has none).
void frmWorkingDays::UpdatePreview() {
  if (filling_) return;
  trePreview->clear();
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  // Below the table: why it is empty, or that a region's rules begin after the year shown.
  const holidays::Region* region = holidays::FindRegion(choice_.region);
  QString note;
  if (choice_.region.empty() && choice_.files.empty()) {
    note = text(WorkDaysText::NoHolidaysChosen);
  } else if (region != nullptr && spnYear->value() < region->first_year) {
    note = text(WorkDaysText::RegionKnownFrom).arg(ToQString(region->code)).arg(region->first_year);
  }
  lblNoHolidays->setText(note);
  lblNoHolidays->setVisible(!note.isEmpty());
  if (choice_.region.empty() && choice_.files.empty()) return;
  const std::shared_ptr<const WorkCalendar> calendar = BuildWorkCalendar(choice_);
  if (!calendar) return;
  const DateTextOptions options = ReadingOptions();
  QList<QTreeWidgetItem*> rows;
  for (const ListedHoliday& holiday : calendar->HolidaysOfYear(spnYear->value())) {
    TextBuilder date;
    WriteDayNumberInCalendar(date, holiday.day_number, cal::CE, options);
    auto* row = new QTreeWidgetItem;
    row->setText(kDateColumn, ToQString(date.View()));
    row->setText(kWeekdayColumn, ToQString(WeekdayName(language_, civil::DayOfWeek(holiday.day_number))));
    row->setText(kNameColumn, ToQString(ListedHolidayName(holiday, calendar->Sources(), language_)));
    if (holiday.source < calendar->Sources().size()) {
      row->setToolTip(kNameColumn, ToQString(calendar->Sources()[holiday.source].label));
    }
    rows.append(row);
  }
  if (rows.isEmpty() && note.isEmpty()) {
    lblNoHolidays->setText(text(WorkDaysText::NoneThisYear));
    lblNoHolidays->setVisible(true);
  }
  trePreview->addTopLevelItems(rows);
  trePreview->resizeColumnToContents(kDateColumn);
  trePreview->resizeColumnToContents(kWeekdayColumn);
}

}  // namespace qv
