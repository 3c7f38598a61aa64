#pragma once
// Ends the application right after the watched window's first frame has been painted. The
// window program uses it with QUORVAN_EXIT_AFTER_SHOW (install checks, the start-up benchmark),
// and the benchmark's bare window uses the same, so both are measured alike.
#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace qv {

class ExitAfterFirstFrame : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // After this paint event the rest of the frame is drawn; then the loop ends.
      QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return false;
  }
};

}  // namespace qv
