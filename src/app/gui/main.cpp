// Quorvan, the window program: loads its program texts, then starts the main window.
#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "lang/program_text.h"
#include "platform/message_service.h"
#include "ui/main/frm_main.h"
#include "ui/main/program_start.h"

namespace {

// With QUORVAN_EXIT_AFTER_SHOW set the program ends right after the main window's first frame
// has been drawn: install checks and the start-up benchmark use it.
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
  QApplication::setApplicationName(QStringLiteral("Quorvan"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.quorvan.Quorvan"));
  qv::QtMessageService messages;

  qv::ProgramTextStore texts;
  const std::string folder = qv::FindProgramTextFolder(QCoreApplication::applicationDirPath().toStdString());
  if (!qv::LoadProgramTextOrExplain(texts, folder, messages)) return 1;

  qv::frmMain window(texts, messages);
  ExitAfterFirstFrame exit_after_first_frame;
  if (std::getenv("QUORVAN_EXIT_AFTER_SHOW") != nullptr) window.installEventFilter(&exit_after_first_frame);
  window.Start();
  return QApplication::exec();
}
