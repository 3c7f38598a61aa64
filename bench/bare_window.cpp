// The yardstick of the start-up benchmark: a bare Qt window with one label, started and ended
// exactly as quorvan is with QUORVAN_EXIT_AFTER_SHOW (quit after the first painted frame).
#include <QApplication>
#include <QLabel>

#include "platform/exit_after_first_frame.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("Bare window"));
  qv::ExitAfterFirstFrame exit_after_first_frame;
  exit_after_first_frame.Watch();
  window.show();
  return QApplication::exec();
}
