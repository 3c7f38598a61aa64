// Quorvan, the window program: loads its program texts, then starts the main window.
#include <QApplication>
#include <QIcon>
#include <cstdlib>

#include "lang/program_text.h"
#include "platform/exit_after_first_frame.h"
#include "platform/message_service.h"
#include "ui/main/frm_main.h"
#include "ui/main/program_start.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorvan"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.quorvan.Quorvan"));
  // The installed icon, found through the desktop's icon theme.
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.quorvan.Quorvan")));
  qv::QtMessageService messages;

  qv::ProgramTextStore texts;
  const std::string folder = qv::FindProgramTextFolder(QCoreApplication::applicationDirPath().toStdString());
  if (!qv::LoadProgramTextOrExplain(texts, folder, messages)) return 1;

  qv::frmMain window(texts, messages);
  // With QUORVAN_EXIT_AFTER_SHOW set the program ends right after its first painted frame.
  qv::ExitAfterFirstFrame exit_after_first_frame;
  if (std::getenv("QUORVAN_EXIT_AFTER_SHOW") != nullptr) window.installEventFilter(&exit_after_first_frame);
  window.Start();
  return QApplication::exec();
}
