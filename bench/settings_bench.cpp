// Writing and reading a settings file whose saved output window holds 10 MB of results.
//
//   Format / Parse   - the text alone, in memory
//   Write / Read     - the whole file operation: temporary file, fsync, rename; open, read, parse
//
// The output text is 10,000,000 bytes of result lines ending in CR LF; a second variant puts a
// double quote in every line, so that every quote is doubled on the way out and undone on the
// way in. One iteration is one file; bytes/s counts the file's size.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "settings/settings_file.h"

namespace {

constexpr std::size_t kOutputBytes = 10'000'000;

qv::StoredSettings BigSettings(bool quotes) {
  const std::string line = quotes ? "2012-12-31 CE = \"Monday\" 2456293 JDN\r\n" : "2012-12-31 CE = 2456293 JDN, Monday\r\n";
  qv::StoredSettings settings;
  settings.first_date = "2012-12-31";
  settings.output.reserve(kOutputBytes + line.size());
  while (settings.output.size() + line.size() <= kOutputBytes) settings.output += line;
  settings.output.append(kOutputBytes - settings.output.size(), 'x');
  return settings;
}

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-settings-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Folder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string File() const { return (path_ / "qrv.usr").string(); }

 private:
  std::filesystem::path path_;
};

void BM_Format(benchmark::State& state) {
  const qv::StoredSettings settings = BigSettings(state.range(0) != 0);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = qv::FormatSettingsFile(settings);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_Parse(benchmark::State& state) {
  const std::string text = qv::FormatSettingsFile(BigSettings(state.range(0) != 0));
  for (auto _ : state) {
    const qv::SettingsReadResult result = qv::ParseSettingsText(text);
    if (result.status != qv::SettingsReadStatus::Complete) state.SkipWithError("not read");
    benchmark::DoNotOptimize(result.settings.output.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Write(benchmark::State& state) {
  const qv::StoredSettings settings = BigSettings(state.range(0) != 0);
  const Folder folder;
  for (auto _ : state) {
    if (!qv::WriteSettingsFile(folder.File(), settings)) state.SkipWithError("not written");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(folder.File())));
}

void BM_Read(benchmark::State& state) {
  const Folder folder;
  if (!qv::WriteSettingsFile(folder.File(), BigSettings(state.range(0) != 0))) state.SkipWithError("not written");
  for (auto _ : state) {
    const qv::SettingsReadResult result = qv::ReadSettingsFile(folder.File());
    if (result.status != qv::SettingsReadStatus::Complete) state.SkipWithError("not read");
    benchmark::DoNotOptimize(result.settings.output.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(folder.File())));
}

// Argument: 0 plain output, 1 a double quote in every line.
BENCHMARK(BM_Format)->ArgName("quotes")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse)->ArgName("quotes")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->ArgName("quotes")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Read)->ArgName("quotes")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
