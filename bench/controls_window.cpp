// A second yardstick of the start-up benchmark: what the toolkit alone needs for the main
// window's controls. The same kinds and numbers of standard controls with the same captions, in
// the same arrangement (a scroll area around two columns, five framed option groups, an output
// window with its scroll bar), and none of the program: no texts file, no settings, no engine,
// no caption measuring in two languages. Started and ended as quorvan is (quit after the first
// painted frame).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <initializer_list>

#include "platform/exit_after_first_frame.h"

namespace {

QGroupBox* OptionGroup(const char* title, std::initializer_list<const char*> options, int columns) {
  auto* group = new QGroupBox(QString::fromUtf8(title));
  auto* grid = new QGridLayout(group);
  int at = 0;
  for (const char* option : options) {
    grid->addWidget(new QRadioButton(QString::fromUtf8(option)), at % (static_cast<int>(options.size()) / columns),
                    at / (static_cast<int>(options.size()) / columns));
    ++at;
  }
  return group;
}

QGroupBox* CalendarGroup() {
  QGroupBox* group = OptionGroup("This is a",
                                 {"Common Era date (CE)", "Julian Calendar date (JC)", "ISO Week date (ISO)",
                                  "Julian day number (JDN)", "Ordinal date (yyyy-ddd)",
                                  "Tarvell Leap Week month date (LPM)", "Tarvell Leap Week week date (LPW)",
                                  "Other calendar:"},
                                 2);
  auto* other = new QComboBox;
  other->addItems({QStringLiteral("Hebrew"), QStringLiteral("Islamic"), QStringLiteral("Persian")});
  static_cast<QGridLayout*>(group->layout())->addWidget(other, 3, 2);
  return group;
}

// A date box's row: caption, box, the two day arrows, Clear and Today.
void DateRow(QGridLayout* grid, int row, const char* caption) {
  grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
  grid->addWidget(new QLineEdit(QStringLiteral("2008-01-01")), row, 1);
  auto* arrows = new QScrollBar(Qt::Vertical);
  arrows->setFixedHeight(24);
  grid->addWidget(arrows, row, 2);
  grid->addWidget(new QPushButton(QStringLiteral("Clear")), row, 3);
  grid->addWidget(new QPushButton(QStringLiteral("Today")), row, 4);
}

QWidget* Content() {
  auto* content = new QWidget;
  auto* columns = new QHBoxLayout(content);
  auto* left = new QVBoxLayout;
  auto* today = new QGridLayout;
  today->addWidget(new QLabel(QStringLiteral("Today is Tuesday,")), 0, 0);
  today->addWidget(new QLabel(QStringLiteral("<b>2026-12-08 CE</b>")), 0, 1);
  today->addWidget(new QLabel(QStringLiteral("A week from today is")), 1, 0);
  today->addWidget(new QLabel(QStringLiteral("<b>2026-12-15 CE</b>")), 1, 1);
  left->addLayout(today);
  auto* inputs = new QGridLayout;
  DateRow(inputs, 0, "First date:");
  inputs->addWidget(CalendarGroup(), 0, 5, 2, 1);
  inputs->addWidget(new QLabel(QStringLiteral("Date difference:")), 2, 0);
  inputs->addWidget(new QLineEdit, 2, 1);
  inputs->addWidget(new QPushButton(QStringLiteral("Clear")), 2, 3);
  inputs->addWidget(new QRadioButton(QStringLiteral("days")), 2, 4);
  inputs->addWidget(new QRadioButton(QStringLiteral("months")), 2, 5);
  DateRow(inputs, 3, "Second date:");
  inputs->addWidget(CalendarGroup(), 3, 5, 2, 1);
  inputs->addWidget(new QPushButton(QStringLiteral("Compute")), 4, 1);
  inputs->addWidget(new QPushButton(QStringLiteral("Second -> First")), 4, 2, 1, 2);
  left->addLayout(inputs);
  auto* output = new QPlainTextEdit;
  output->setReadOnly(true);
  output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  output->setMinimumHeight(output->fontMetrics().lineSpacing() * 8);
  left->addWidget(output, 1);
  auto* output_buttons = new QHBoxLayout;
  for (const char* caption : {"Clear", "Copy to clipboard", "Enlarge"}) {
    output_buttons->addWidget(new QPushButton(QString::fromUtf8(caption)));
  }
  left->addLayout(output_buttons);
  columns->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(QStringLiteral("CE/JC date format:")));
  right->addWidget(OptionGroup("", {"year month day", "day month year", "month day year"}, 1));
  right->addWidget(new QLabel(QStringLiteral("CE/JC date separator:")));
  right->addWidget(OptionGroup("", {"2012-12-31", "2012/12/31", "2012.12.31"}, 1));
  right->addWidget(new QLabel(QStringLiteral("Thousands separator:")));
  right->addWidget(OptionGroup("", {"2,000,000", "2.000.000", "none"}, 1));
  for (const char* caption : {"Include first date in days-beween-dates", "Count weekend days in days-beween-dates"}) {
    right->addWidget(new QCheckBox(QString::fromUtf8(caption)));
  }
  right->addWidget(new QPushButton(QStringLiteral("Working days...")));
  for (const char* caption : {"Verbose", "Hyphen in ordinal and\nin ISO Week dates", "Save results on quit"}) {
    right->addWidget(new QCheckBox(QString::fromUtf8(caption)));
  }
  auto* language = new QComboBox;
  language->addItems({QStringLiteral("English"), QStringLiteral("Deutsch")});
  right->addWidget(language);
  right->addWidget(new QPushButton(QStringLiteral("Display month")));
  auto* help_row = new QHBoxLayout;
  help_row->addWidget(new QPushButton(QStringLiteral("Help")));
  help_row->addWidget(new QPushButton(QStringLiteral("Reset")));
  right->addLayout(help_row);
  auto* links = new QHBoxLayout;
  links->addWidget(new QLabel(QStringLiteral("<a href=\"https://example.org\">Online documentation</a>")));
  links->addWidget(new QLabel(QStringLiteral("<a href=\"https://example.org\">Quorvan 0.12</a>")));
  right->addLayout(links);
  right->addStretch(1);
  right->addWidget(new QPushButton(QStringLiteral("Quit")));
  columns->addLayout(right);
  return content;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(Content());
  auto* outer = new QVBoxLayout(&window);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  window.resize(scroll->widget()->sizeHint());
  qv::ExitAfterFirstFrame exit_after_first_frame;
  exit_after_first_frame.Watch();
  window.show();
  return QApplication::exec();
}
