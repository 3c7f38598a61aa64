#include "platform/launch_document.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>
#include <utility>

#include "platform/message_service.h"
#include "platform/qt_text.h"

namespace qv {
namespace {

constexpr int kXdgMimeTimeoutMs = 3000;

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

// Whether the desktop has a default program for a MIME type or "x-scheme-handler/<scheme>".
// Unknown (no xdg-mime, or it did not answer in time) counts as yes: the opener then decides.
bool HasDefaultProgram(const QString& mimeType) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return true;
  QProcess query;
  query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
  if (!query.waitForFinished(kXdgMimeTimeoutMs)) {
    query.kill();
    query.waitForFinished(kXdgMimeTimeoutMs);
    return true;
  }
  if (query.exitStatus() != QProcess::NormalExit) return true;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

DocumentOpener& CurrentOpener() {
  static DocumentOpener opener;
  return opener;
}

}  // namespace

std::string FileExtension(std::string_view path, bool lowerCase) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t point = name.rfind('.');
  if (point == std::string_view::npos) return {};
  std::string extension(name.substr(point + 1));
  if (lowerCase) {
    for (char& c : extension) c = AsciiLower(c);
  }
  return extension;
}

int OpenDocumentCode(const std::string& target) {
  const QString text = ToQString(target).trimmed();
  if (text.isEmpty()) return kLaunchFileNotFound;

  const QUrl url = HasScheme(text) ? QUrl(text) : QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
  if (!url.isValid()) return kLaunchFailed;

  QString handlerType;
  if (url.isLocalFile()) {
    const QFileInfo file(url.toLocalFile());
    if (!file.exists()) return kLaunchFileNotFound;
    handlerType = QMimeDatabase().mimeTypeForFile(file).name();
  } else {
    handlerType = QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
  }
  if (!handlerType.isEmpty() && !HasDefaultProgram(handlerType)) return kLaunchNoAssociation;

  return QDesktopServices::openUrl(url) ? kLaunchSucceeded : kLaunchFailed;
}

std::string LaunchFailureMessage(int code, std::string_view extension) {
  std::string message = "Error launching web browser, error code = " + std::to_string(code) + ".";
  switch (code) {
    case kLaunchNoAssociation:
      message += "\r\n\r\nFile extension '";
      message += extension;
      message += "' is not associated with any application program.";
      break;
    case kLaunchOutOfMemory:
      message += "\r\n\r\nOut of memory.";
      break;
    case kLaunchFileNotFound:
      message += "\r\n\r\nPlease try once more.";
      break;
    default:
      break;
  }
  return message;
}

DocumentOpener SetDocumentOpener(DocumentOpener opener) { return std::exchange(CurrentOpener(), std::move(opener)); }

void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent) {
  const DocumentOpener& opener = CurrentOpener();
  LaunchDocument(target, messages, parent, opener ? opener : DocumentOpener(OpenDocumentCode));
}

void LaunchDocument(const std::string& target, MessageService& messages, QWidget* parent,
                    const DocumentOpener& opener) {
  const std::string extension = FileExtension(target, true);
  const int code = opener ? opener(target) : OpenDocumentCode(target);
  if (code > 32) return;
  messages.Show(parent, MessageRequest{.title = ToQString(kLaunchFailureTitle),
                                       .text = ToQString(LaunchFailureMessage(code, extension)),
                                       .icon = MessageIcon::Warning,
                                       .buttons = MessageButtons::Ok});
}

}  // namespace qv
