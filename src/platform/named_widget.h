#pragma once
// Every control of the windows carries its name as its object name: the window tests, the
// screenshot script and accessibility tools find it by that name.
#include <QString>

namespace qv {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace qv
