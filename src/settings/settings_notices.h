#pragma once
// What the program tells the user about its settings file when something goes wrong with it:
// our own short texts in English (language 0) and German (1), since the program's own table
// has none for these cases.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/language.h"
#include "settings/settings_file.h"
#include "settings/settings_storage.h"

namespace qv {

// The last line of a saved output that had to be cut to fit the file (FitSavedOutput). Plain
// ASCII, so that it is the same bytes in an output kept in UTF-8 or in Windows-1252.
inline constexpr std::array<std::string_view, 2> kOutputCutNotes{
    "Only the newest lines of the output were saved: the settings file holds at most 64 MiB.",
    "Nur die neuesten Zeilen der Ausgabe wurden gespeichert, da die Einstellungsdatei auf 64 MiB begrenzt ist.",
};
std::string_view OutputCutNote(Language language);

// Start-up found a file at `path` that it refused (`status`) and kept aside as `kept` says;
// `reason` is the system's text for kept.error when that failed.
std::string RefusedFileText(Language language, SettingsReadStatus status, std::string_view path, const KeptAside& kept,
                            std::string_view reason);

// Quit could not write the settings to `path`; `reason` is the system's text for the error.
std::string SaveFailedText(Language language, std::string_view path, std::string_view reason);

}  // namespace qv
