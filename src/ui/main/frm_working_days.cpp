#include "ui/main/frm_working_days.h"

#include <QCheckBox>
#include <QCollator>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "calendar/civil.h"
#include "compute/holiday_export.h"
#include "holidays/regions.h"
#include "settings/atomic_file.h"
#include "lang/captions.h"
#include "lang/general_texts.h"
#include "lang/holiday_texts.h"
#include "lang/work_days_texts.h"
#include "platform/named_widget.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/user_data_path.h"

namespace qv {
namespace {

QStringList ChooseWithFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filters) {
  return QFileDialog::getOpenFileNames(parent, title, folder, filters);
}

QString ChooseExportWithFileDialog(QWidget* parent, const QString& title, const QString& path, const QString& filters) {
  return QFileDialog::getSaveFileName(parent, title, path, filters);
}

// The export's file name, offered in the folder the dialog opens at.
constexpr const char* kExportFileName = "holidays.ics";

// The tree's item data: the region's code ("" for none); a country without a region of its own
// has no code and cannot be chosen.
constexpr int kRegionCodeRole = Qt::UserRole;

// Qt's day (1 = Monday … 7 = Sunday) as the work week's bit (0 = Monday … 6 = Sunday).
int BitOfQtDay(int qt_day) { return (qt_day - 1 + 7) % 7; }
// The general table's day (0 = Sunday … 6 = Saturday) of a bit.
int DayOfWeekOfBit(int bit) { return (bit + 1) % 7; }

enum PreviewColumn { kDateColumn, kWeekdayColumn, kNameColumn };

}  // namespace

frmWorkingDays::frmWorkingDays(MessageService& messages, QWidget* parent, Qt::DayOfWeek first_day)
    : QDialog(parent),
      posted_messages_(messages, this),
      first_day_(first_day), choose_files_(ChooseWithFileDialog), choose_export_file_(ChooseExportWithFileDialog),
      countries_(holidays::RegionsByCountry()) {
  setObjectName(QStringLiteral("frmWorkingDays"));
  CreateControls();
  WireControls();
  ApplyLanguageTexts();
}

frmWorkingDays::~frmWorkingDays() = default;

// ---- Building ---------------------------------------------------------------------------------

void frmWorkingDays::CreateControls() {
  treRegions = Named(new QTreeWidget(this), "treRegions");
  treRegions->setColumnCount(1);
  treRegions->setHeaderHidden(true);
  treRegions->setUniformRowHeights(true);
  treRegions->setSelectionMode(QAbstractItemView::SingleSelection);
  treRegions->setEditTriggers(QAbstractItemView::NoEditTriggers);
  treRegions->setMinimumWidth(treRegions->fontMetrics().averageCharWidth() * 32);
  lblRegion = NamedLabelFor("lblRegion", treRegions, this);
  lblKnownYears = Named(new QLabel(this), "lblKnownYears");
  lblKnownYears->setWordWrap(true);
  chkLawOnly = Named(new QCheckBox(this), "chkLawOnly");
  txtRegionSearch = Named(new QLineEdit(this), "txtRegionSearch");
  txtRegionSearch->setClearButtonEnabled(true);
  lblRegionSearch = NamedLabelFor("lblRegionSearch", txtRegionSearch, this);

  lstHolidayFiles = Named(new QListWidget(this), "lstHolidayFiles");
  lstHolidayFiles->setSelectionMode(QAbstractItemView::SingleSelection);
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
  trePreview->setMinimumWidth(trePreview->fontMetrics().averageCharWidth() * 64);  // its height: SizeLists
  lblNoHolidays = Named(new QLabel(this), "lblNoHolidays");
  lblAppliesWhen = Named(new QLabel(this), "lblAppliesWhen");
  lblAppliesWhen->setWordWrap(true);

  spnExportFirst = Named(new QSpinBox(this), "spnExportFirst");
  spnExportFirst->setRange(holidays::kFirstExportYear, holidays::kLastExportYear);
  lblExportYears = NamedLabelFor("lblExportYears", spnExportFirst, this);
  spnExportLast = Named(new QSpinBox(this), "spnExportLast");
  spnExportLast->setRange(holidays::kFirstExportYear, holidays::kLastExportYear);
  lblExportTo = NamedLabelFor("lblExportTo", spnExportLast, this);
  cmdExport = Named(new QPushButton(this), "cmdExport");
  cmdExport->setAutoDefault(false);

  buttons_ = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "buttons");
  buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

  // The regions on the left, the files on the right: the dialog stays as low as before.
  auto* search_row = new QHBoxLayout;
  search_row->addWidget(lblRegionSearch);
  search_row->addWidget(txtRegionSearch, 1);
  auto* region_column = new QVBoxLayout;
  region_column->addWidget(lblRegion);
  region_column->addLayout(search_row);
  region_column->addWidget(treRegions, 1);
  region_column->addWidget(lblKnownYears);

  auto* file_buttons = new QVBoxLayout;
  file_buttons->addWidget(cmdAdd);
  file_buttons->addWidget(cmdRemove);
  file_buttons->addStretch(1);
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(lstHolidayFiles, 1);
  file_row->addLayout(file_buttons);
  auto* file_column = new QVBoxLayout;
  file_column->addWidget(lblHolidayFiles);
  file_column->addLayout(file_row, 1);

  auto* sources_row = new QHBoxLayout;
  sources_row->addLayout(region_column, 1);
  sources_row->addLayout(file_column, 1);

  auto* export_row = new QHBoxLayout;
  export_row->addWidget(lblExportYears);
  export_row->addWidget(spnExportFirst);
  export_row->addWidget(lblExportTo);
  export_row->addWidget(spnExportLast);
  export_row->addWidget(cmdExport);
  export_row->addStretch(1);

  auto* year_row = new QHBoxLayout;
  year_row->addWidget(lblYear);
  year_row->addWidget(spnYear);
  year_row->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateWeekGroup());
  layout->addLayout(sources_row);
  layout->addWidget(chkLawOnly);
  layout->addLayout(year_row);
  layout->addWidget(trePreview, 1);
  layout->addWidget(lblNoHolidays);
  layout->addLayout(export_row);
  layout->addWidget(lblAppliesWhen);
  layout->addWidget(buttons_);

  // The Tab key walks the dialog as it reads.
  QWidget* order[] = {chkWeekday[0], chkWeekday[1], chkWeekday[2], chkWeekday[3], chkWeekday[4], chkWeekday[5],
                      chkWeekday[6], txtRegionSearch, treRegions, lstHolidayFiles, cmdAdd, cmdRemove, chkLawOnly, spnYear,
                      trePreview, spnExportFirst, spnExportLast, cmdExport,
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
  connect(treRegions, &QTreeWidget::currentItemChanged, this, [this] { treRegions_Click(); });
  connect(txtRegionSearch, &QLineEdit::textChanged, this, [this] { FilterRegions(); });
  // Return in the search box chooses a region instead of pressing OK; Down moves to the tree's
  // first match. Return on a country without a region of its own opens or closes it.
  txtRegionSearch->installEventFilter(this);
  treRegions->installEventFilter(this);
  connect(spnExportFirst, &QSpinBox::valueChanged, this, [this] { ExportYearsChanged(); });
  connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExport_Click(); });
  connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
  connect(lstHolidayFiles, &QListWidget::currentRowChanged, this, [this] { UpdateRemoveButton(); });
  connect(spnYear, &QSpinBox::valueChanged, this, [this] { UpdatePreview(); });
  connect(chkLawOnly, &QCheckBox::toggled, this, [this] { chkLawOnly_Click(); });
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
  treRegions->setAccessibleName(text(WorkDaysText::RegionTree));
  lblRegionSearch->setText(text(WorkDaysText::RegionSearch));
  txtRegionSearch->setPlaceholderText(text(WorkDaysText::RegionSearchHint));
  txtRegionSearch->setAccessibleName(text(WorkDaysText::RegionSearchName));
  lblExportYears->setText(text(WorkDaysText::ExportYears));
  spnExportFirst->setAccessibleName(text(WorkDaysText::ExportFirstName));
  lblExportTo->setText(text(WorkDaysText::ExportTo));
  spnExportLast->setAccessibleName(text(WorkDaysText::ExportLastName));
  cmdExport->setText(text(WorkDaysText::Export));
  cmdExport->setAccessibleName(plain(WorkDaysText::Export));
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
  chkLawOnly->setText(text(WorkDaysText::LawOnly));
  chkLawOnly->setAccessibleName(plain(WorkDaysText::LawOnly));
  buttons_->button(QDialogButtonBox::Ok)->setText(text(WorkDaysText::Ok));
  buttons_->button(QDialogButtonBox::Cancel)->setText(text(WorkDaysText::Cancel));
  FillRegionList();
}

// "(none)" first, then each country by its name in the interface language and its code, with its
// subdivisions under it, both in the alphabetical order of that language's names. The search
// box's text, if any, filters the tree again.
void frmWorkingDays::FillRegionList() {
  const bool filling = filling_;
  filling_ = true;
  treRegions->clear();
  const auto name_of = [this](const holidays::HolidayName& name) {
    return ToQString(language_ == Language::German ? name.de : name.en);
  };
  QCollator collator(language_ == Language::German ? QLocale(QLocale::German, QLocale::Germany)
                                                   : QLocale(QLocale::English, QLocale::UnitedKingdom));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const auto by_name = [&](const holidays::HolidayName& a, const holidays::HolidayName& b) {
    return collator.compare(name_of(a), name_of(b)) < 0;
  };
  std::stable_sort(countries_.begin(), countries_.end(),
                   [&](const holidays::RegionCountry& a, const holidays::RegionCountry& b) { return by_name(a.name, b.name); });
  for (holidays::RegionCountry& country : countries_) {
    std::stable_sort(country.subdivisions.begin(), country.subdivisions.end(),
                     [&](const holidays::Region* a, const holidays::Region* b) { return by_name(a->name, b->name); });
  }
  const auto label = [this](const holidays::HolidayName& name, std::string_view code) {
    return ToQString(language_ == Language::German ? name.de : name.en) + QStringLiteral(" (") + ToQString(code) +
           QLatin1Char(')');
  };
  auto* none = new QTreeWidgetItem(QStringList{ToQString(WorkDaysTextOf(WorkDaysText::NoRegion, language_))});
  none->setData(0, kRegionCodeRole, QString(""));
  QList<QTreeWidgetItem*> items{none};
  for (const holidays::RegionCountry& country : countries_) {
    auto* item = new QTreeWidgetItem(QStringList{label(country.name, country.code)});
    if (country.national != nullptr) {
      item->setData(0, kRegionCodeRole, ToQString(country.national->code));
    } else {
      item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
    }
    for (const holidays::Region* region : country.subdivisions) {
      auto* child = new QTreeWidgetItem(item, QStringList{label(region->name, region->code)});
      child->setData(0, kRegionCodeRole, ToQString(region->code));
    }
    items.append(item);
  }
  // Shown only when a search finds nothing, so that an empty list says why; it cannot be chosen.
  no_region_found_ = new QTreeWidgetItem(QStringList{ToQString(WorkDaysTextOf(WorkDaysText::NoRegionFound, language_))});
  no_region_found_->setFlags(Qt::ItemIsEnabled);
  items.append(no_region_found_);
  treRegions->addTopLevelItems(items);
  FilterRegions();
  SelectRegionItem();
  filling_ = filling;
}

// The preview shows a year's dozen holidays and the region list kRegionRows rows where the screen
// is high enough for the dialog with them (the preview first); on a small screen each keeps
// kFewestRegionRows, so that the dialog's buttons stay on the screen.
void frmWorkingDays::SizeLists() {
  const int region_row = std::max(treRegions->sizeHintForRow(0), treRegions->fontMetrics().lineSpacing());
  const int preview_row = trePreview->fontMetrics().lineSpacing();
  const int region_frame = 2 * treRegions->frameWidth();
  const int preview_frame = 2 * trePreview->frameWidth() + trePreview->header()->sizeHint().height();
  treRegions->setMinimumHeight(region_row * kFewestRegionRows + region_frame);
  trePreview->setMinimumHeight(preview_row * kFewestRegionRows + preview_frame);
  RefreshSizeHints(this);
  // The window's title bar and frame take their part of the room too.
  const QMargins frame_margins = FrameMargins(this);
  int spare = AvailableGeometry(this).height() - frame_margins.top() - frame_margins.bottom() -
              layout()->totalMinimumSize().height();
  const int more = kRegionRows - kFewestRegionRows;
  if (preview_row * more <= spare) {
    trePreview->setMinimumHeight(preview_row * kRegionRows + preview_frame);
    spare -= preview_row * more;
  }
  if (region_row * more <= spare) treRegions->setMinimumHeight(region_row * kRegionRows + region_frame);
}

QTreeWidgetItem* frmWorkingDays::RegionItem(const QString& code) const {
  for (int i = 0; i < treRegions->topLevelItemCount(); ++i) {
    QTreeWidgetItem* country = treRegions->topLevelItem(i);
    if (country->data(0, kRegionCodeRole).toString() == code && country->data(0, kRegionCodeRole).isValid()) return country;
    for (int k = 0; k < country->childCount(); ++k) {
      if (country->child(k)->data(0, kRegionCodeRole).toString() == code) return country->child(k);
    }
  }
  return nullptr;
}

// The choice's region becomes the tree's current item, its country opened.
void frmWorkingDays::SelectRegionItem() {
  const bool filling = filling_;
  filling_ = true;
  QTreeWidgetItem* item = RegionItem(ToQString(choice_.region));
  if (item == nullptr) item = treRegions->topLevelItem(0);
  if (item->parent() != nullptr) item->parent()->setExpanded(true);
  treRegions->setCurrentItem(item);
  treRegions->scrollToItem(item);
  filling_ = filling;
}

// Hides what the search does not find: a country stays with all its subdivisions when it is found
// itself, with the found ones alone otherwise. While searching every country shown is open.
void frmWorkingDays::FilterRegions() {
  const std::string search = txtRegionSearch->text().trimmed().toStdString();
  const bool searching = !search.empty();
  treRegions->topLevelItem(0)->setHidden(searching);  // "(none)"
  bool any_found = !searching;
  for (int i = 1; i < treRegions->topLevelItemCount() && static_cast<std::size_t>(i) <= countries_.size(); ++i) {
    const holidays::RegionCountry& country = countries_[static_cast<std::size_t>(i - 1)];
    QTreeWidgetItem* item = treRegions->topLevelItem(i);
    const bool country_found = holidays::CountryMatches(country, search) ||
                               (country.national != nullptr && holidays::RegionMatches(*country.national, search));
    bool any_child = false;
    for (int k = 0; k < item->childCount(); ++k) {
      const bool found = country_found || holidays::RegionMatches(*country.subdivisions[static_cast<std::size_t>(k)], search);
      item->child(k)->setHidden(!found);
      any_child = any_child || found;
    }
    item->setHidden(!country_found && !any_child);
    any_found = any_found || !item->isHidden();
    if (searching) item->setExpanded(!item->isHidden() && any_child);
  }
  if (no_region_found_ != nullptr) no_region_found_->setHidden(any_found);
  if (!searching) {
    treRegions->collapseAll();
    if (QTreeWidgetItem* current = treRegions->currentItem(); current != nullptr && current->parent() != nullptr) {
      current->parent()->setExpanded(true);
    }
  }
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
  chkLawOnly->setChecked(choice_.law_only);
  spnYear->setValue(std::clamp(year, kFirstPreviewYear, kLastPreviewYear));
  txtRegionSearch->clear();
  FilterRegions();
  SelectRegionItem();
  SizeLists();
  spnExportLast->setMinimum(holidays::kFirstExportYear);
  spnExportFirst->setValue(spnYear->value());
  spnExportLast->setValue(std::min(spnYear->value() + 2, holidays::kLastExportYear));
  spnExportLast->setMinimum(spnExportFirst->value());
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

void frmWorkingDays::chkLawOnly_Click() {
  if (filling_) return;
  choice_.law_only = chkLawOnly->isChecked();
  UpdatePreview();
}

void frmWorkingDays::treRegions_Click() {
  if (filling_) return;
  const QTreeWidgetItem* item = treRegions->currentItem();
  if (item == nullptr || !item->data(0, kRegionCodeRole).isValid()) return;  // a country without a region of its own
  choice_.region = item->data(0, kRegionCodeRole).toString().toStdString();
  UpdatePreview();
}

bool frmWorkingDays::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtRegionSearch && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !txtRegionSearch->text().trimmed().isEmpty()) {
      txtRegionSearch_Return();
      return true;
    }
    if (key == Qt::Key_Down) {
      // Into the list at its first match, which the preview then shows; without a search at the
      // region chosen.
      if (QTreeWidgetItem* found = FirstFoundRegion(); found != nullptr && !txtRegionSearch->text().trimmed().isEmpty()) {
        treRegions->setCurrentItem(found);
        treRegions->scrollToItem(found);
      }
      treRegions->setFocus();
      return true;
    }
  }
  if (watched == treRegions && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    QTreeWidgetItem* current = treRegions->currentItem();
    // Return on a region is OK with it chosen (the dialog's default button); on a country that
    // is no region itself it opens or closes the country instead of closing the dialog.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current != nullptr &&
        !current->data(0, kRegionCodeRole).isValid()) {
      if (current->childCount() > 0) current->setExpanded(!current->isExpanded());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// The first region shown that can be chosen, in the tree's order.
QTreeWidgetItem* frmWorkingDays::FirstFoundRegion() const {
  for (QTreeWidgetItemIterator it(treRegions); *it != nullptr; ++it) {
    QTreeWidgetItem* item = *it;
    if (item->isHidden() || (item->parent() != nullptr && item->parent()->isHidden())) continue;
    if (item->data(0, kRegionCodeRole).isValid()) return item;
  }
  return nullptr;
}

// Return in the search box chooses the region whose code it is, else the first region it finds,
// and moves to the tree.
void frmWorkingDays::txtRegionSearch_Return() {
  const std::string search = txtRegionSearch->text().trimmed().toStdString();
  if (search.empty()) return;
  QTreeWidgetItem* chosen = nullptr;
  if (const holidays::Region* exact = holidays::FindRegion(search)) chosen = RegionItem(ToQString(exact->code));
  for (QTreeWidgetItemIterator it(treRegions); chosen == nullptr && *it != nullptr; ++it) {
    QTreeWidgetItem* item = *it;
    if (item->isHidden() || (item->parent() != nullptr && item->parent()->isHidden())) continue;
    const holidays::Region* region = holidays::FindRegion(item->data(0, kRegionCodeRole).toString().toStdString());
    if (region != nullptr && holidays::RegionMatches(*region, search)) chosen = item;
  }
  if (chosen == nullptr) return;
  if (chosen->parent() != nullptr) chosen->parent()->setExpanded(true);
  treRegions->setCurrentItem(chosen);
  treRegions->scrollToItem(chosen);
  treRegions->setFocus();
}

// The last year is never before the first.
void frmWorkingDays::ExportYearsChanged() { spnExportLast->setMinimum(spnExportFirst->value()); }

// Writes the chosen holidays of the export's years as an .ics file chosen by the user. Refusals
// and failures are posted, naming the file.
void frmWorkingDays::cmdExport_Click() {
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  const std::shared_ptr<const WorkCalendar> calendar = BuildWorkCalendar(choice_);
  if (choice_.region.empty() && choice_.files.empty()) {
    PostMessage(text(WorkDaysText::ExportNothing));
    return;
  }
  const QString filters = QStringList{text(WorkDaysText::FilterICalendar), text(WorkDaysText::FilterAllFiles)}
                              .join(QStringLiteral(";;"));
  // A year a source does not know is refused before a file is asked for, naming the year.
  if (calendar) {
    if (const std::optional<UnknownHolidayYear> unknown =
            calendar->FirstUnknownYear(spnExportFirst->value(), spnExportLast->value())) {
      PostMessage(UnknownYearText(*calendar, *unknown));
      return;
    }
  }
  const QString folder = QFile::decodeName(UserFilesFolder(holiday_folder_).c_str());
  QString path = choose_export_file_(this, text(WorkDaysText::ExportTitle),
                                     QDir(folder).filePath(QLatin1String(kExportFileName)), filters);
  if (path.isEmpty() || !calendar) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".ics");
  const std::string contents =
      CalendarAsICalendar(*calendar, spnExportFirst->value(), spnExportLast->value(), language_);
  // A calendar exported to be shared or imported elsewhere is readable as the user's other files
  // are (the umask decides), not private as our own settings are.
  if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), contents, NewFileAccess::ByUmask)) {
    PostMessage(text(WorkDaysText::ExportFailed).arg(path));
    return;
  }
  holiday_folder_ = QFile::encodeName(QFileInfo(path).absolutePath()).toStdString();
  PostMessage(text(WorkDaysText::ExportWritten).arg(path), MessageIcon::Information);
}

void frmWorkingDays::cmdAdd_Click() {
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  const QString filters = QStringList{text(WorkDaysText::FilterHolidayFiles), text(WorkDaysText::FilterICalendar),
                                      text(WorkDaysText::FilterTextLists), text(WorkDaysText::FilterRuleFiles),
                                      text(WorkDaysText::FilterAllFiles)}
                              .join(QStringLiteral(";;"));
  const QString folder = QFile::decodeName(UserFilesFolder(holiday_folder_).c_str());
  const QStringList chosen = choose_files_(this, text(WorkDaysText::ChooseFilesTitle), folder, filters);
  if (chosen.isEmpty()) return;
  // The next dialog opens where these came from, whether they can be read or not.
  holiday_folder_ = QFile::encodeName(QFileInfo(chosen.front()).absolutePath()).toStdString();
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
void frmWorkingDays::PostMessage(const QString& text, MessageIcon icon) {
  const MessageRequest request{.title = ToQString(WorkDaysTextOf(WorkDaysText::DialogTitle, language_)),
                               .text = text,
                               .icon = icon,
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

// "The holidays of ES-AN are not known for 1994 (known: 1995 onward)."
QString frmWorkingDays::UnknownYearText(const WorkCalendar& calendar, const UnknownHolidayYear& unknown) const {
  return ToQString(UnknownHolidayYearText(calendar, unknown, UnknownYearForm::Message, language_));
}

// The chosen region's and files' holidays of the year: date as the main window writes it,
// weekday, name (with its source's label where it has none).
void frmWorkingDays::UpdatePreview() {
  if (filling_) return;
  trePreview->clear();
  const auto text = [this](WorkDaysText entry) { return ToQString(WorkDaysTextOf(entry, language_)); };
  // Under the regions: the years the chosen one knows, and those it only projects.
  const holidays::Region* region = holidays::FindRegion(choice_.region);
  QString known;
  if (region != nullptr) {
    std::string years = holidays::KnownYearsText(holidays::KnownYears(*region), language_);
    if (!region->provisional.empty()) {
      years += language_ == Language::German ? "; vorläufig: " : "; provisional: ";
      years += holidays::KnownYearsText(region->provisional, language_);
    }
    known = text(WorkDaysText::KnownYears).arg(ToQString(region->code), ToQString(years));
  }
  lblKnownYears->setText(known);
  lblKnownYears->setVisible(!known.isEmpty());
  // Below the table: why it is empty, that a source does not know the year, or that the year's
  // days are projected.
  QString note;
  if (choice_.region.empty() && choice_.files.empty()) note = text(WorkDaysText::NoHolidaysChosen);
  lblNoHolidays->setText(note);
  lblNoHolidays->setVisible(!note.isEmpty());
  if (choice_.region.empty() && choice_.files.empty()) return;
  const std::shared_ptr<const WorkCalendar> calendar = BuildWorkCalendar(choice_);
  if (!calendar) return;
  const int32_t year = spnYear->value();
  if (const std::optional<UnknownHolidayYear> unknown = calendar->FirstUnknownYear(year, year)) {
    lblNoHolidays->setText(UnknownYearText(*calendar, *unknown));
    lblNoHolidays->setVisible(true);
    return;  // a year not known lists nothing, and says why
  }
  for (const ProvisionalHolidayYears& years : calendar->ProvisionalYears(year, year)) {
    note += (note.isEmpty() ? QString() : QStringLiteral("\n")) +
            text(WorkDaysText::ProvisionalYear).arg(year).arg(ToQString(calendar->Sources()[years.source].label));
  }
  lblNoHolidays->setText(note);
  lblNoHolidays->setVisible(!note.isEmpty());
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
