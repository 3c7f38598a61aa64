#include "settings/settings_notices.h"

#include <initializer_list>

namespace qv {
namespace {

bool German(Language language) { return language == Language::German; }

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

std::string_view OutputCutNote(Language language) { return kOutputCutNotes[German(language) ? 1 : 0]; }

std::string RefusedFileText(Language language, SettingsReadStatus status, std::string_view path, const KeptAside& kept,
                            std::string_view reason) {
  const bool too_large = status == SettingsReadStatus::TooLarge;
  if (German(language)) {
    std::string text = Concat({"Die Einstellungsdatei ", path,
                               too_large ? " ist größer als 64 MiB und wurde nicht gelesen"
                                         : " konnte nicht gelesen werden",
                               "; das Programm startete daher mit den Standardeinstellungen."});
    if (kept.outcome == KeptAside::Outcome::Kept) return Concat({text, " Die Datei wurde als ", kept.path, " aufbewahrt."});
    return Concat({text, " Sie konnte nicht beiseitegelegt werden (", reason,
                   ") und bleibt unverändert; die Einstellungen dieser Sitzung werden nicht gespeichert."});
  }
  std::string text = Concat({"The settings file ", path,
                             too_large ? " is larger than 64 MiB and was not read" : " could not be read",
                             ", so the program started with its default settings."});
  if (kept.outcome == KeptAside::Outcome::Kept) return Concat({text, " The file has been kept as ", kept.path, "."});
  return Concat({text, " It could not be set aside (", reason,
                 ") and is left unchanged: the settings of this session will not be saved."});
}

std::string SaveFailedText(Language language, std::string_view path, std::string_view reason) {
  if (German(language)) return Concat({"Die Einstellungen konnten nicht in ", path, " gespeichert werden: ", reason, "."});
  return Concat({"The settings could not be saved to ", path, ": ", reason, "."});
}

}  // namespace qv
