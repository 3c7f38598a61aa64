// The main window's steady work: one tick of the today panel, and appending one result to an
// output window that already holds many lines (which must not grow with the text).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "calendar/clock.h"
#include "lang/program_text.h"
#include "platform/message_service.h"
#include "ui/main/frm_main.h"

namespace {

struct Window {
  qv::ProgramTextStore texts;
  qv::QtMessageService messages;
  std::unique_ptr<qv::frmMain> main;
};

Window& TheWindow() {
  static Window window = [] {
    Window w;
    qv::LoadProgramText(w.texts, QUORVAN_DATA_DIR, qv::kProgramTextFileName);
    w.main = std::make_unique<qv::frmMain>(w.texts, w.messages);
    w.main->Start();
    return w;
  }();
  return window;
}

// A tick on an ordinary second: the day has not changed, the labels keep their texts.
void BM_TodayPanelTick(benchmark::State& state) {
  qv::frmMain& window = *TheWindow().main;
  for (auto _ : state) window.UpdateTodayPanel();
}
BENCHMARK(BM_TodayPanelTick)->Unit(benchmark::kMicrosecond);

// The tick at midnight: every label gets a new text.
void BM_TodayPanelTickNewDay(benchmark::State& state) {
  qv::frmMain& window = *TheWindow().main;
  int day = 1;
  for (auto _ : state) {
    day = day % 28 + 1;
    qv::SetTodaySource([day] { return qv::LocalDate{2026, 2, day}; });
    window.UpdateTodayPanel();
  }
  qv::SetTodaySource({});
}
BENCHMARK(BM_TodayPanelTickNewDay)->Unit(benchmark::kMicrosecond);

// One result line appended to an output window of state.range(0) lines.
void BM_AppendResult(benchmark::State& state) {
  qv::frmMain& window = *TheWindow().main;
  const std::string line = "2008-01-01 CE to 2008-03-15 CE = 74 days, excluding 1st date (2 months, 14 days)\r\n";
  std::string text;
  text.reserve(line.size() * static_cast<std::size_t>(state.range(0)));
  for (int64_t i = 0; i < state.range(0); ++i) text += line;
  window.SetOutputText(text);
  QApplication::processEvents();
  for (auto _ : state) {
    window.AppendOutput(line);
    QApplication::processEvents();  // the repaint of the visible lines belongs to the cost
  }
  window.SetOutputText("");
}
BENCHMARK(BM_AppendResult)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  TheWindow().main.reset();
  return 0;
}
