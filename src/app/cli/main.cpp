// quorvan-cli: the request engine for the terminal and for scripts.
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/answer.h"
#include "app/cli/batch_io.h"
#include "app/cli/cli_options.h"
#include "app/cli/holiday_listing.h"
#include "lang/program_text.h"
#include "text/utf8.h"

namespace {

// Writes `message` to standard error, each of its lines after the program's name.
void Diagnose(std::string_view message) {
  while (!message.empty()) {
    const std::size_t end = message.find_first_of("\r\n");
    const std::string line = std::string(qv::cli::kDiagnosticPrefix) + std::string(message.substr(0, end)) + "\n";
    std::fputs(line.c_str(), stderr);
    if (end == std::string_view::npos) break;
    message.remove_prefix(end);
    while (!message.empty() && (message.front() == '\n' || message.front() == '\r')) message.remove_prefix(1);
  }
}

std::string ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) path = std::filesystem::absolute(argv0, error);
  return path.parent_path().string();
}

// Splits a batch line into its three box texts; missing trailing fields are empty. A line
// with more fields than boxes is refused.
bool SplitFields(std::string_view line, std::string_view (&fields)[3]) {
  for (std::string_view& field : fields) field = {};
  for (int index = 0;; ++index) {
    const std::size_t tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    if (index < 3) {
      fields[index] = field;
    } else if (!field.empty()) {
      return false;
    }
    if (tab == std::string_view::npos) return true;
    line.remove_prefix(tab + 1);
  }
}

// What one worker made of its share of a chunk of lines.
struct ChunkAnswers {
  std::string out;
  std::string err;
  bool any_refused = false;
};

void AnswerLines(qv::ComputeEngine& engine, const qv::RequestOptions& options, std::string_view lines,
                 ChunkAnswers& answers) {
  answers.out.clear();
  answers.err.clear();
  answers.any_refused = false;
  qv::cli::Answer answer;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view fields[3];
    if (!SplitFields(line, fields)) {
      answers.out.append("error: a request has at most three fields: FIRST, DIFFERENCE and SECOND\n");
      answers.any_refused = true;
      continue;
    }
    // One check of the whole line spares one per field in the usual case of a line of text.
    qv::cli::AnswerRequest(engine, fields[0], fields[1], fields[2], options, answers.out, answer,
                           qv::IsValidUtf8(line));
    answers.out.push_back('\n');
    // A refusal is the answer line itself; a result that overflowed is also said on stderr.
    if (!answer.line_is_error && !answer.diagnostic.empty()) {
      answers.err.append(qv::cli::kDiagnosticPrefix).append(answer.diagnostic).push_back('\n');
    }
    answers.any_refused = answers.any_refused || answer.refused;
  }
}

// The cores this process may run on (taskset narrows them), at most 8: more threads than
// cores only add switching.
std::size_t UsableCores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  const int count = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
  const std::size_t cores = count > 0 ? static_cast<std::size_t>(count) : std::thread::hardware_concurrency();
  return std::clamp<std::size_t>(cores, 1, 8);
}

// Requests are independent of each other, so a block of lines is cut into one share per core
// and the shares are answered side by side; the answers are written in input order.
int RunBatch(const qv::ProgramTextStore& texts, const qv::RequestOptions& options) {
  const std::size_t workers = UsableCores();
  std::vector<qv::ComputeEngine> engines(workers, qv::ComputeEngine(texts));
  std::vector<ChunkAnswers> answers(workers);
  qv::cli::BlockReader reader(STDIN_FILENO);
  qv::cli::OutputBuffer out(STDOUT_FILENO);
  bool any_refused = false;
  std::string_view block;
  std::vector<std::string_view> shares;
  std::vector<std::thread> threads;
  while (reader.Next(block)) {
    // Shares of whole lines, cut at the line feed after each share's nominal end.
    shares.clear();
    while (!block.empty()) {
      const std::size_t remaining = workers - shares.size();
      const std::size_t feed = remaining <= 1 ? std::string_view::npos : block.find('\n', block.size() / remaining);
      const std::size_t cut = feed == std::string_view::npos ? block.size() : feed + 1;
      shares.push_back(block.substr(0, cut));
      block.remove_prefix(cut);
    }
    threads.clear();
    for (std::size_t k = 1; k < shares.size(); ++k) {
      threads.emplace_back(AnswerLines, std::ref(engines[k]), std::cref(options), shares[k], std::ref(answers[k]));
    }
    if (!shares.empty()) AnswerLines(engines[0], options, shares[0], answers[0]);
    for (std::thread& thread : threads) thread.join();
    for (std::size_t k = 0; k < shares.size(); ++k) {
      out.Write(answers[k].out);
      if (!answers[k].err.empty()) {
        out.Flush();
        std::fputs(answers[k].err.c_str(), stderr);
      }
      any_refused = any_refused || answers[k].any_refused;
    }
    out.Flush();
  }
  if (!out.Flush() || reader.Failed()) {
    Diagnose("input or output failed");
    return 2;
  }
  return any_refused ? 1 : 0;
}

// Writes a whole list to standard output; 0, or 2 when it could not be written.
int PrintAll(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  Diagnose("output failed");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const qv::cli::ParseResult parsed = qv::cli::ParseCommandLine(arguments);
  if (!parsed.command_line) {
    Diagnose(parsed.error + "\ntry 'quorvan-cli --help' for the options");
    return 2;
  }
  const qv::cli::CommandLine& command = *parsed.command_line;
  if (command.help) {
    std::fputs(qv::cli::UsageText().c_str(), stdout);
    return 0;
  }
  if (command.version) {
    std::printf("quorvan-cli %s\n", QUORVAN_VERSION);
    return 0;
  }
  const bool request_given = command.first || command.difference || command.second || command.batch;
  if (const std::string error = qv::cli::MonthOptionsError(command.month, request_given); !error.empty()) {
    Diagnose(error + "\ntry 'quorvan-cli --help' for the options");
    return 2;
  }
  // The working-day options: the lists print and end; the calendar is built once for every request.
  const qv::cli::WorkCalendarOptions& work = command.work_calendar;
  if (const std::string error = qv::cli::ListingOptionsError(work, request_given || command.month.month.has_value());
      !error.empty()) {
    Diagnose(error + "\ntry 'quorvan-cli --help' for the options");
    return 2;
  }
  if (work.list_regions) return PrintAll(qv::cli::RegionListText(command.options.language));
  qv::RequestOptions options = command.options;
  qv::cli::BuiltCalendar built = qv::cli::BuildWorkCalendar(work, options);
  if (!built.error.empty()) {
    Diagnose(built.error);
    return 2;
  }
  options.work_calendar = std::move(built.calendar);
  if (work.list_holidays) {  // a source is given, so the calendar is in force
    return PrintAll(options.work_calendar
                        ? qv::cli::HolidayListText(*options.work_calendar, *work.list_holidays, options)
                        : std::string());
  }

  qv::ProgramTextStore texts;
  const std::string folder = qv::FindProgramTextFolder(ExecutableFolder(argc > 0 ? argv[0] : ""));
  const qv::LoadResult loaded = qv::LoadProgramText(texts, folder, qv::kProgramTextFileName);
  if (!loaded.ok) {
    Diagnose(loaded.message);
    return 2;
  }
  if (command.batch) return RunBatch(texts, options);
  if (command.month.month) {
    const std::string month = qv::cli::MonthCommandText(command.month, command.options.language, texts);
    std::fwrite(month.data(), 1, month.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
  }
  qv::ComputeEngine engine(texts);

  qv::cli::Answer answer;
  std::string line;
  qv::cli::AnswerRequest(engine, command.first.value_or(""), command.difference.value_or(""),
                         command.second.value_or(""), options, line, answer);
  if (!answer.line_is_error) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  if (!answer.diagnostic.empty()) Diagnose(answer.diagnostic);
  return answer.refused ? 1 : 0;
}
