// quorvan-cli: the request engine for the terminal and for scripts.
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/cli/answer.h"
#include "app/cli/batch_io.h"
#include "app/cli/cli_options.h"
#include "app/cli/holiday_listing.h"
#include "compute/holiday_export.h"
#include "lang/program_text.h"
#include "text/utf8.h"
#include "text/string_utils.h"

namespace {

// Exit statuses.
constexpr int kAnswered = 0;
constexpr int kRefused = 1;
constexpr int kFailed = 2;  // a usage error, no program-text file, a failed read or write

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

// The status after standard output took everything or failed. A closed pipe (the reader has
// all it wanted, as with `| head -1`) ends the program quietly; any other failure is said.
int OutputStatus(const qv::cli::OutputBuffer& out, int status) {
  if (!out.Failed()) return status;
  if (out.Error() != EPIPE) Diagnose(std::string("write error: ") + std::strerror(out.Error()));
  return kFailed;
}

// A standard stream the program was started without. Its number is taken by /dev/null, opened
// so that a write to it still fails (standard output) and no file the program opens later
// takes its place; standard input then counts as a terminal: nothing to read.
struct StandardStreams {
  bool input_closed = false;
};
StandardStreams HoldClosedStandardStreams() {
  StandardStreams streams;
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDIN_FILENO) streams.input_closed = true;
    // Read-only for standard output (writes fail with EBADF), write-only for standard error.
    const int held = ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
  return streams;
}

std::string ExecutableFolder(const char* argv0) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) path = std::filesystem::absolute(argv0, error);
  return path.parent_path().string();
}

// Splits a batch line into its three box texts; missing trailing fields are empty. A line
// with more fields than boxes is refused (empty fields after the third are none).
bool SplitFields(std::string_view line, qv::BoxViews& boxes) {
  boxes = qv::BoxViews{};
  std::size_t tab = line.find('\t');
  boxes.first = line.substr(0, tab);
  if (tab == std::string_view::npos) return true;  // the usual line: one date
  line.remove_prefix(tab + 1);
  tab = line.find('\t');
  boxes.difference = line.substr(0, tab);
  if (tab == std::string_view::npos) return true;
  line.remove_prefix(tab + 1);
  tab = line.find('\t');
  boxes.second = line.substr(0, tab);
  return tab == std::string_view::npos || line.find_first_not_of('\t', tab) == std::string_view::npos;
}

bool IsBlank(const qv::BoxViews& boxes) {
  // The usual line starts with its first date: one test.
  if (!boxes.first.empty() && boxes.first.front() != ' ') return false;
  return qv::TrimBlanks(boxes.first).empty() && qv::TrimBlanks(boxes.difference).empty() &&
         qv::TrimBlanks(boxes.second).empty();
}

// What one worker made of its share of a chunk of lines.
struct ChunkAnswers {
  std::string out;
  std::string err;
  bool any_refused = false;
};

struct BatchStyle {
  qv::RequestOptions options;
  qv::cli::OutputMode mode = qv::cli::OutputMode::Sentence;
};

void AnswerLines(qv::ComputeEngine& engine, const BatchStyle& style, std::string_view lines, ChunkAnswers& answers) {
  answers.out.clear();
  answers.err.clear();
  answers.any_refused = false;
  qv::cli::Answer answer;
  // A share that is text as a whole is text in every field of every line (a line feed or a tab
  // never stands inside a character): one check instead of one a line.
  const bool share_is_text = qv::IsValidUtf8(lines);
  // Likewise a share without a tab holds one field a line (the usual batch: one date a line),
  // and its lines need no search for one.
  const bool share_has_tabs = lines.find('\t') != std::string_view::npos;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    qv::BoxViews boxes{.first = line, .difference = {}, .second = {}};
    if (share_has_tabs && !SplitFields(line, boxes)) {
      qv::cli::AnswerRefusal(boxes, "a request has at most three fields: FIRST, DIFFERENCE and SECOND", style.mode,
                             answers.out, answer);
      answers.out.push_back('\n');
      answers.any_refused = true;
      continue;
    }
    if (IsBlank(boxes)) {
      // A blank line asks nothing (not today's date): an empty answer keeps the lines in step.
      qv::cli::AnswerBlankLine(boxes, style.mode, answers.out);
      answers.out.push_back('\n');
      continue;
    }
    qv::cli::AnswerRequest(engine, boxes, style.options, style.mode, answers.out, answer,
                           share_is_text || qv::IsValidUtf8(line));
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
// and the shares are answered side by side; the answers are written in input order. Reading
// stops as soon as output has failed: nothing more would reach anyone.
int RunBatch(const qv::ProgramTextStore& texts, const BatchStyle& style) {
  const std::size_t workers = UsableCores();
  std::vector<qv::ComputeEngine> engines(workers, qv::ComputeEngine(texts));
  std::vector<ChunkAnswers> answers(workers);
  qv::cli::BlockReader reader(STDIN_FILENO);
  qv::cli::OutputBuffer out(STDOUT_FILENO);
  bool any_refused = false;
  std::string_view block;
  std::vector<std::string_view> shares;
  std::vector<std::thread> threads;
  while (!out.Failed() && reader.Next(block)) {
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
      threads.emplace_back(AnswerLines, std::ref(engines[k]), std::cref(style), shares[k], std::ref(answers[k]));
    }
    if (!shares.empty()) AnswerLines(engines[0], style, shares[0], answers[0]);
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
  out.Flush();
  if (out.Failed()) return OutputStatus(out, kFailed);
  if (reader.Failed()) {
    Diagnose("read error on standard input");
    return kFailed;
  }
  return any_refused ? kRefused : kAnswered;
}

int UsageError(const std::string& message) {
  Diagnose(message + "\ntry 'quorvan-cli --help' for the options");
  return kFailed;
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
  const StandardStreams streams = HoldClosedStandardStreams();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const qv::cli::ParseResult parsed = qv::cli::ParseCommandLine(arguments);
  if (!parsed.command_line) return UsageError(parsed.error);
  const qv::cli::CommandLine& command = *parsed.command_line;
  qv::cli::OutputBuffer out(STDOUT_FILENO);
  if (command.help) {
    out.Write(qv::cli::UsageText());
    out.Flush();
    return OutputStatus(out, kAnswered);
  }
  if (command.version) {
    out.Write(std::string("quorvan-cli ") + QUORVAN_VERSION + "\n");
    out.Flush();
    return OutputStatus(out, kAnswered);
  }
  const bool boxes_given = command.first || command.difference || command.second;
  if (const std::string error = qv::cli::MonthOptionsError(command.month, boxes_given || command.batch);
      !error.empty()) {
    return UsageError(error);
  }
  if (command.month.month && command.output != qv::cli::OutputMode::Sentence) {
    return UsageError("--output shapes the answers to requests; --month prints its calendar as text");
  }
  // No date and no month: lines from standard input when it is not a terminal, as dconv and
  // its kin read them; at a terminal, today's date.
  const bool batch = command.batch || (!boxes_given && !command.month.month && !streams.input_closed &&
                                       ::isatty(STDIN_FILENO) == 0);
  if (command.difference && !command.first && !command.second) {
    return UsageError("a date is missing: a date difference alone asks nothing; give a first or a second date");
  }
  // The working-day options: the lists print and end; the calendar is built once for every request.
  const qv::cli::WorkCalendarOptions& work = command.work_calendar;
  if (const std::string error = qv::cli::ListingOptionsError(work, boxes_given || command.batch || command.month.month.has_value());
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
  if (work.export_ics || work.list_holidays) {  // a source is given, so the calendar is in force
    const int32_t first_year = work.export_ics ? work.export_ics->first : *work.list_holidays;
    const int32_t last_year = work.export_ics ? work.export_ics->last : *work.list_holidays;
    if (!options.work_calendar) return PrintAll(std::string());
    const qv::WorkCalendar& calendar = *options.work_calendar;
    // A year a source does not know is refused, never listed as a year without holidays.
    if (const std::string refusal = qv::cli::UnknownYearsMessage(calendar, first_year, last_year, options.language);
        !refusal.empty()) {
      Diagnose(refusal);
      return kRefused;
    }
    if (const std::string note = qv::cli::ProvisionalYearsNote(calendar, first_year, last_year); !note.empty()) {
      Diagnose(note);
    }
    return PrintAll(work.export_ics ? qv::CalendarAsICalendar(calendar, first_year, last_year, options.language)
                                    : qv::cli::HolidayListText(calendar, first_year, options));
  }

  qv::ProgramTextStore texts;
  const std::string folder = qv::FindProgramTextFolder(ExecutableFolder(argc > 0 ? argv[0] : ""));
  const qv::LoadResult loaded = qv::LoadProgramText(texts, folder, qv::kProgramTextFileName);
  if (!loaded.ok) {
    Diagnose(loaded.message);
    return kFailed;
  }
  if (batch) return RunBatch(texts, BatchStyle{.options = options, .mode = command.output});
  if (command.month.month) {
    out.Write(qv::cli::MonthCommandText(command.month, command.options.language, texts));
    out.Flush();
    return OutputStatus(out, kAnswered);
  }
  qv::ComputeEngine engine(texts);
  qv::cli::Answer answer;
  std::string line;
  const std::string first = command.first.value_or(""), difference = command.difference.value_or(""),
                    second = command.second.value_or("");
  qv::cli::AnswerRequest(engine, qv::BoxViews{first, difference, second}, options, command.output, line,
                         answer);
  if (!answer.line_is_error) {
    line.push_back('\n');
    out.Write(line);
  }
  out.Flush();
  if (!answer.diagnostic.empty()) Diagnose(answer.diagnostic);
  return OutputStatus(out, answer.refused ? kRefused : kAnswered);
}
