#include "platform/documentation_links.h"

#include <QCoreApplication>
#include <QUrl>
#include <filesystem>
#include <system_error>
#include <vector>

#include "lang/general_texts.h"

#ifndef QUORVAN_MANUAL_URL_EN
#define QUORVAN_MANUAL_URL_EN ""
#endif
#ifndef QUORVAN_MANUAL_URL_DE
#define QUORVAN_MANUAL_URL_DE ""
#endif
#ifndef QUORVAN_HOME_URL
#define QUORVAN_HOME_URL ""
#endif
#ifndef QUORVAN_SOURCE_DIR
#define QUORVAN_SOURCE_DIR ""
#endif

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kConfiguredManualEnglish = QUORVAN_MANUAL_URL_EN;
constexpr std::string_view kConfiguredManualGerman = QUORVAN_MANUAL_URL_DE;
constexpr std::string_view kConfiguredHome = QUORVAN_HOME_URL;
constexpr std::string_view kSourceDir = QUORVAN_SOURCE_DIR;
constexpr std::string_view kAboutFragment = "about";

std::vector<fs::path> Candidates(std::string_view executableDir, std::string_view sourceDir, std::string_view lang) {
  const fs::path tail = fs::path("manual") / fs::path(lang) / "index.html";
  std::vector<fs::path> paths;
  if (!executableDir.empty()) {
    const fs::path exe(executableDir);
    paths.push_back((exe / ".." / "share" / "doc" / "quorvan" / tail).lexically_normal());
    paths.push_back((exe / "docs" / tail).lexically_normal());
  }
  if (!sourceDir.empty()) paths.push_back((fs::path(sourceDir) / "docs" / tail).lexically_normal());
  return paths;
}

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

std::string FileAddress(const fs::path& path, std::string_view fragment) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(fs::absolute(path).string()));
  if (!fragment.empty()) url.setFragment(QString::fromUtf8(fragment.data(), static_cast<qsizetype>(fragment.size())));
  return url.toString(QUrl::FullyEncoded).toStdString();
}

std::string ExecutableDir() {
  if (QCoreApplication::instance() == nullptr) return {};
  return QCoreApplication::applicationDirPath().toStdString();
}

}  // namespace

std::string LocalManualAddress(std::string_view executableDir, std::string_view sourceDir, Language language,
                               std::string_view fragment) {
  if (language == Language::German) {
    for (const fs::path& path : Candidates(executableDir, sourceDir, "de")) {
      if (IsFile(path)) return FileAddress(path, fragment);
    }
  }
  const std::vector<fs::path> english = Candidates(executableDir, sourceDir, "en");
  for (const fs::path& path : english) {
    if (IsFile(path)) return FileAddress(path, fragment);
  }
  if (english.empty()) return {};
  return FileAddress(english.front(), fragment);
}

std::string ManualAddress(Language language) {
  const std::string_view configured = language == Language::German ? kConfiguredManualGerman : kConfiguredManualEnglish;
  if (!configured.empty()) return std::string(configured);
  return LocalManualAddress(ExecutableDir(), kSourceDir, language);
}

std::string MakerAddress() {
  if (!kConfiguredHome.empty()) return std::string(kConfiguredHome);
  return LocalManualAddress(ExecutableDir(), kSourceDir, Language::English, kAboutFragment);
}

}  // namespace qv
