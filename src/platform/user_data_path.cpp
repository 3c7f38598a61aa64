#include "platform/user_data_path.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

#include <filesystem>
#include <system_error>

namespace qv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

// Creates `folder` (a single level) unless it exists; true when it is a folder afterwards.
bool EnsureFolder(const std::string& folder) {
  if (FolderExists(folder)) return true;
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  return FolderExists(folder);
}

}  // namespace

bool FolderExists(std::string_view path) {
  const std::string_view trimmed = TrimBlanks(path);
  if (trimmed.empty()) return false;
  std::error_code error;
  return std::filesystem::is_directory(std::filesystem::path(trimmed), error);
}

std::string FirstFixedDrive() { return "/"; }

std::string UserFilesFolder(std::string_view lastUsed) {
  if (!lastUsed.empty() && lastUsed.front() == '/' && FolderExists(lastUsed)) return std::string(lastUsed);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && FolderExists(QFile::encodeName(documents).toStdString())) {
    return QFile::encodeName(documents).toStdString();
  }
  return QFile::encodeName(QDir::homePath()).toStdString();
}

std::string ConfigurationFolder() {
  // The base-directory rules: the variable counts only when it holds an absolute path; an
  // empty or relative one is ignored for ~/.config.
  const QByteArray configured = qgetenv("XDG_CONFIG_HOME");
  if (configured.startsWith('/')) return configured.toStdString();
  const QString home = QDir::homePath();  // $HOME; the root when there is none
  if (home.isEmpty()) return {};
  // Made absolute now, against the folder the program was started in, so that the path stays
  // the same after start-up makes the root the current folder.
  return QFile::encodeName(QDir::cleanPath(QDir(home).absoluteFilePath(QStringLiteral(".config")))).toStdString();
}

bool EnsureFolderOf(std::string_view filePath) {
  const std::size_t slash = filePath.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return true;
  return EnsureFolder(std::string(filePath.substr(0, slash)));
}

std::string UserDataFilePath(std::string_view fileName, std::string_view folderName) {
  std::string base = ConfigurationFolder();
  if (base.empty()) base = FirstFixedDrive();
  // A fresh account may have no configuration folder yet: create it too, then the data folder.
  if (!EnsureFolder(base)) return {};
  std::string folder = folderName.empty() ? base : JoinPath(base, folderName);
  if (!EnsureFolder(folder)) return {};
  return JoinPath(folder, fileName);
}

}  // namespace qv
