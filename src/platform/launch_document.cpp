#include "platform/launch_document.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"

namespace qv {
namespace {

constexpr int kXdgMimeTimeoutMs = 3000;
constexpr std::string_view kBreak = "\r\n\r\n";

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A target with a scheme ("https:", "file:", "mailto:") is an address; anything else is a path.
// A single letter before the colon is a drive, not a scheme.
bool HasScheme(const QString& target) {
  const qsizetype colon = target.indexOf(QLatin1Char(':'));
  if (colon < 2) return false;
  for (qsizetype i = 0; i < colon; ++i) {
    const QChar c = target[i];
    const bool allowed = c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
    if (!allowed || c.unicode() > 127) return false;
  }
  return target[0].isLetter();
}

// `xdg-mime query default TYPE` prints the desktop file of the default program, or nothing when
// there is none. No xdg-mime, or no answer in time: the desktop cannot tell.
std::optional<bool> XdgHasDefaultProgram(const std::string& type) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return std::nullopt;
  QProcess query;
  query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), ToQString(type)});
  if (!query.waitForFinished(kXdgMimeTimeoutMs)) {
    query.kill();
    query.waitForFinished(kXdgMimeTimeoutMs);
    return std::nullopt;
  }
  if (query.exitStatus() != QProcess::NormalExit) return std::nullopt;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

// A probe that leaves a question unanswered is taken to know nothing against opening.
bool FileExists(const DesktopProbe& desktop, const std::string& path) {
  return !desktop.fileExists || desktop.fileExists(path);
}
bool LacksDefaultProgram(const DesktopProbe& desktop, const std::string& type) {
  if (type.empty() || !desktop.hasDefaultProgram) return false;
  const std::optional<bool> answer = desktop.hasDefaultProgram(type);
  return answer.has_value() && !*answer;
}

DocumentOpener& CurrentOpener() {
  static DocumentOpener opener;
  return opener;
}

LaunchOutcome OpenOnThisDesktop(const std::string& target) { return OpenDocument(target, SystemDesktop()); }

}  // namespace

DesktopProbe SystemDesktop() {
  return DesktopProbe{
      .fileExists = [](const std::string& path) { return QFileInfo::exists(ToQString(path)); },
      .mimeTypeOfFile =
          [](const std::string& path) { return QMimeDatabase().mimeTypeForFile(ToQString(path)).name().toStdString(); },
      .hasDefaultProgram = XdgHasDefaultProgram,
      .isInstalled =
          [](const std::string& program) { return !QStandardPaths::findExecutable(ToQString(program)).isEmpty(); },
      .openUrl = [](const std::string& url) { return QDesktopServices::openUrl(QUrl(ToQString(url))); },
  };
}

std::string FileExtension(std::string_view path, LetterCase letters) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t point = name.rfind('.');
  if (point == std::string_view::npos) return {};
  std::string extension(name.substr(point + 1));
  if (letters == LetterCase::Lower) {
    for (char& c : extension) c = AsciiLower(c);
  }
  return extension;
}

LaunchOutcome OpenDocument(const std::string& target, const DesktopProbe& desktop) {
  const QString text = ToQString(target).trimmed();
  if (text.isEmpty()) return {.code = kLaunchFileNotFound, .reason = LaunchReason::InvalidAddress, .detail = {}};

  const QUrl url = HasScheme(text) ? QUrl(text) : QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
  if (!url.isValid()) return {.code = kLaunchFailed, .reason = LaunchReason::InvalidAddress, .detail = target};

  if (url.isLocalFile()) {
    const std::string path = url.toLocalFile().toStdString();
    if (!FileExists(desktop, path)) return {.code = kLaunchFileNotFound, .reason = LaunchReason::FileMissing, .detail = path};
    const std::string type = desktop.mimeTypeOfFile ? desktop.mimeTypeOfFile(path) : std::string();
    if (LacksDefaultProgram(desktop, type)) {
      return {.code = kLaunchNoAssociation, .reason = LaunchReason::NoProgramForType, .detail = type};
    }
  } else {
    const std::string scheme = url.scheme().toLower().toStdString();
    if (LacksDefaultProgram(desktop, "x-scheme-handler/" + scheme)) {
      const bool web = scheme == "http" || scheme == "https";
      return {.code = kLaunchNoAssociation,
              .reason = web ? LaunchReason::NoBrowser : LaunchReason::NoProgramForScheme,
              .detail = scheme};
    }
  }

  if (desktop.openUrl && desktop.openUrl(url.toString(QUrl::FullyEncoded).toStdString())) {
    return {.code = kLaunchSucceeded, .reason = LaunchReason::Opened, .detail = {}};
  }
  // Qt hands documents and, failing a browser of its own finding, web addresses to xdg-open.
  if (desktop.isInstalled && !desktop.isInstalled("xdg-open")) {
    return {.code = kLaunchNoAssociation, .reason = LaunchReason::NoOpener, .detail = {}};
  }
  return {.code = kLaunchFailed, .reason = LaunchReason::OpenFailed, .detail = {}};
}

int OpenDocumentCode(const std::string& target) { return OpenOnThisDesktop(target).code; }

std::string LaunchFailureMessage(int code, std::string_view extension) {
  std::string message = "Error launching web browser, error code = " + std::to_string(code) + ".";
  switch (code) {
    case kLaunchNoAssociation:
      message += kBreak;
      message += "File extension '";
      message += extension;
      message += "' is not associated with any application program.";
      break;
    case kLaunchOutOfMemory:
      message += kBreak;
      message += "Out of memory.";
      break;
    case kLaunchFileNotFound:
      message += kBreak;
      message += "Please try once more.";
      break;
    default:
      break;
  }
  return message;
}

std::string LaunchFailureReason(const LaunchOutcome& outcome) {
  const std::string& detail = outcome.detail;
  switch (outcome.reason) {
    case LaunchReason::Opened:
      return {};
    case LaunchReason::FileMissing:
      return "The file does not exist: " + detail;
    case LaunchReason::NoBrowser:
      return "No web browser is installed, or none is set as the default for " + detail + " addresses.";
    case LaunchReason::NoProgramForType:
      return "No program for files of type " + detail + " is installed, or none is set as the default.";
    case LaunchReason::NoProgramForScheme:
      return "No program for " + detail + ": addresses is installed, or none is set as the default.";
    case LaunchReason::NoOpener:
      return "No program to open documents and web addresses was found: xdg-open (package xdg-utils) "
             "is not installed.";
    case LaunchReason::InvalidAddress:
      return detail.empty() ? "There is no address to open." : "The address is not valid.";
    case LaunchReason::OpenFailed:
      return "The desktop did not start a program for it.";
  }
  return {};
}

std::string LaunchFailureText(std::string_view target, const LaunchOutcome& outcome) {
  std::string text = LaunchFailureMessage(outcome.code, FileExtension(target, LetterCase::Lower));
  const std::string reason = LaunchFailureReason(outcome);
  if (!reason.empty()) {
    text += kBreak;
    text += reason;
  }
  if (target.find_first_not_of(" \t\r\n") != std::string_view::npos) {
    text += kBreak;
    text += "To open it by hand, copy this address into a web browser:\r\n";
    text += target;
  }
  return text;
}

DocumentOpener SetDocumentOpener(DocumentOpener opener) { return std::exchange(CurrentOpener(), std::move(opener)); }

void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent) {
  const DocumentOpener& opener = CurrentOpener();
  LaunchDocument(target, messages, parent, opener ? opener : DocumentOpener(OpenOnThisDesktop));
}

void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent,
                    const DocumentOpener& opener) {
  const LaunchOutcome outcome = opener ? opener(target) : OpenOnThisDesktop(target);
  if (outcome.code > 32) return;
  MessageRequest request{.title = ToQString(kLaunchFailureTitle),
                         .text = ToQString(LaunchFailureText(target, outcome)),
                         .icon = MessageIcon::Warning,
                         .buttons = MessageButtons::Ok};
  // A modal box must not open inside the link's own mouse or key event: it runs once that event
  // has returned. Without an event loop to post to, it is shown at once.
  QObject* context = parent != nullptr ? static_cast<QObject*>(parent) : QCoreApplication::instance();
  if (context == nullptr) {
    messages.Show(parent, request);
    return;
  }
  QMetaObject::invokeMethod(
      context, [&messages, parent = QPointer<QWidget>(parent), request] { messages.Show(parent, request); },
      Qt::QueuedConnection);
}

}  // namespace qv
