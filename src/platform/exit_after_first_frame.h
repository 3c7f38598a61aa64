#pragma once
// Ends the application right after its first frame has been painted. The window program uses it
// with QUORVAN_EXIT_AFTER_SHOW (install checks, the start-up benchmark), and the benchmark's bare
// window uses the same, so both are measured alike. It watches every widget, not only the
// window: a window whose children cover it wholly (as some styles draw) gets no paint event of
// its own.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace qv {

class ExitAfterFirstFrame : public QObject {
 public:
  // Watches the application's widgets from now on.
  void Watch() { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
      qApp->removeEventFilter(this);
      // The rest of the frame is drawn within the same pass; then the loop ends.
      QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return false;
  }
};

}  // namespace qv
