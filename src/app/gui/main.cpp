// Quorvan, the window program: answers --help and --version, loads its program texts, then
// starts the main window.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIcon>
#include <cstdlib>
#include <cstring>

#include "lang/program_text.h"
#include "platform/exit_after_first_frame.h"
#include "platform/message_service.h"
#include "ui/main/frm_main.h"
#include "ui/main/program_start.h"

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral(
      "Date calculator: converts dates between calendars, counts the days between two dates and adds days or "
      "months to a date. Takes no arguments; its settings are kept in ~/.config/Quorvan/qrv.usr."));
  parser.addHelpOption();
  parser.addVersionOption();
}

// True when the command line asks a question the program answers without a window. Those are
// read before any window system is touched, so `quorvan --help` works on a text console too.
bool AsksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("quorvan"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUORVAN_VERSION));
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication console(argc, argv);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(console);  // prints the answer and ends the program
    return 0;
  }

  QApplication app(argc, argv);
  {
    // Qt's own options (-platform, -style …) are gone by now; anything else unknown is an error.
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app);
  }
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
  if (std::getenv("QUORVAN_EXIT_AFTER_SHOW") != nullptr) exit_after_first_frame.Watch();
  window.Start();
  return QApplication::exec();
}
