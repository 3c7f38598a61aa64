// quorvan-cli: the request engine for the terminal and for scripts.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/answer.h"
#include "app/cli/batch_io.h"
#include "app/cli/cli_options.h"
#include "lang/program_text.h"

namespace {

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

int RunBatch(qv::ComputeEngine& engine, const qv::RequestOptions& options) {
  qv::cli::LineReader reader(STDIN_FILENO);
  qv::cli::OutputBuffer out(STDOUT_FILENO);
  bool any_refused = false;
  std::string_view line;
  while (reader.Next(line)) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view fields[3];
    if (!SplitFields(line, fields)) {
      out.Write("error: a request has at most three fields: FIRST, DIFFERENCE and SECOND\n");
      any_refused = true;
      continue;
    }
    const qv::cli::Answer answer = qv::cli::AnswerRequest(engine, fields[0], fields[1], fields[2], options);
    out.Write(answer.line);
    out.Write("\n");
    if (!answer.line_is_error && !answer.error.empty()) {
      out.Flush();
      std::fprintf(stderr, "%s\n", answer.error.c_str());
    }
    any_refused = any_refused || answer.refused;
  }
  if (!out.Flush() || reader.Failed()) {
    std::fprintf(stderr, "quorvan-cli: input or output failed\n");
    return 2;
  }
  return any_refused ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const qv::cli::ParseResult parsed = qv::cli::ParseCommandLine(arguments);
  if (!parsed.command_line) {
    std::fprintf(stderr, "quorvan-cli: %s\n\n%s", parsed.error.c_str(), qv::cli::UsageText());
    return 2;
  }
  const qv::cli::CommandLine& command = *parsed.command_line;
  if (command.help) {
    std::fputs(qv::cli::UsageText(), stdout);
    return 0;
  }
  if (command.version) {
    std::printf("quorvan-cli %s\n", QUORVAN_VERSION);
    return 0;
  }
  qv::ProgramTextStore texts;
  const std::string folder = qv::FindProgramTextFolder(ExecutableFolder(argc > 0 ? argv[0] : ""));
  const qv::LoadResult loaded = qv::LoadProgramText(texts, folder, qv::kProgramTextFileName);
  if (!loaded.ok) {
    std::fprintf(stderr, "quorvan-cli: %s\n", loaded.message.c_str());
    return 2;
  }
  qv::ComputeEngine engine(texts);
  if (command.batch) return RunBatch(engine, command.options);

  const qv::cli::Answer answer = qv::cli::AnswerRequest(engine, command.first.value_or(""), command.difference.value_or(""),
                                                        command.second.value_or(""), command.options);
  if (!answer.line_is_error) std::printf("%s\n", answer.line.c_str());
  if (!answer.error.empty()) std::fprintf(stderr, "%s\n", answer.error.c_str());
  return answer.refused ? 1 : 0;
}
