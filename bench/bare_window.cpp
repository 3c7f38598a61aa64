// The yardstick of the start-up benchmark: a bare Qt window with one label, started and ended
// exactly as quorvan is with QUORVAN_EXIT_AFTER_SHOW (quit after the first painted frame).
#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {

class ExitAfterFirstFrame : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("Bare window"));
  ExitAfterFirstFrame exit_after_first_frame;
  window.installEventFilter(&exit_after_first_frame);
  window.show();
  return QApplication::exec();
}
