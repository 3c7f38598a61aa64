// settings_check FILE: says whether the window program will read FILE as its settings file, with
// the program's own reader (no Qt). For the soak test, which must notice a file that no longer
// loads.
//   exit 0  read whole (also a file without line 15, which the program accepts)
//   exit 1  refused: unreadable, too large, or not in the format
//   exit 3  no file
//   exit 2  wrong use
#include <cstdio>
#include <string>

#include "settings/settings_file.h"

namespace {

const char* StatusName(qv::SettingsReadStatus status) {
  switch (status) {
    case qv::SettingsReadStatus::Complete: return "complete";
    case qv::SettingsReadStatus::MonthsLineMissing: return "complete but line 15";
    case qv::SettingsReadStatus::Missing: return "missing";
    case qv::SettingsReadStatus::Unreadable: return "unreadable";
    case qv::SettingsReadStatus::TooLarge: return "too large";
    case qv::SettingsReadStatus::Incomplete: return "incomplete";
  }
  return "?";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_check FILE\n");
    return 2;
  }
  const qv::SettingsReadResult read = qv::ReadSettingsFile(argv[1]);
  std::printf("%s: %s\n", argv[1], StatusName(read.status));
  if (read.status == qv::SettingsReadStatus::Missing) return 3;
  return qv::UsesDefaults(read.status) ? 1 : 0;
}
