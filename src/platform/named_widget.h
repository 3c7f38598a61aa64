#pragma once
// Every control of the windows carries its name as its object name: the window tests, the
// screenshot script and accessibility tools find it by that name.
#include <QLabel>
#include <QString>

namespace qv {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A label that names the control beside it, for the keyboard (its mnemonic moves the focus to
// `buddy`) and for screen readers.
inline QLabel* NamedLabelFor(const char* name, QWidget* buddy, QWidget* parent = nullptr) {
  QLabel* label = Named(new QLabel(parent), name);
  label->setBuddy(buddy);
  return label;
}

}  // namespace qv
