#pragma once
// The window tests reach controls by their object names (the described control names); a name
// that is not there stops the test program at once with the name, rather than crashing later on a
// null pointer.
#include <QObject>
#include <QString>
#include <QWidget>

namespace qv::test {

template <typename T = QWidget>
T* FindControl(const QObject* parent, const char* name) {
  T* control = parent->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

}  // namespace qv::test
