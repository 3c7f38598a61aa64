#pragma once
// Runs the built quorvan-cli as a user or a script runs it, in a folder of its own that a test can
// put files in first.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qv::test {

struct CliRun {
  std::string out, err;
  int status = -1;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

inline std::string ShellQuoted(const std::string& argument) {
  std::string quoted = "'";
  for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A folder for one test's files, removed with it.
class CliFolder {
 public:
  // A folder of its own for each, also when one is made while another exists.
  CliFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("qv-cli-run-" + std::to_string(::getpid()) + "-" + std::to_string(count_++))) {
    std::filesystem::create_directories(path_);
  }
  ~CliFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  CliFolder(const CliFolder&) = delete;
  CliFolder& operator=(const CliFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const char* name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::string& contents) const {
    std::ofstream(path_ / name, std::ios::binary) << contents;
  }

  // `arguments` as a shell reads them, run inside the folder; `input` is standard input.
  CliRun Run(const std::string& arguments, const std::string& input = "") const {
    Write(".in", input);
    const std::string command = "cd " + ShellQuoted(path_.string()) + " && " + ShellQuoted(QUORVAN_CLI_PATH) + " " +
                                arguments + " < .in > .out 2> .err";
    CliRun result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWhole(path_ / ".out");
    result.err = ReadWhole(path_ / ".err");
    return result;
  }

 private:
  static inline int count_ = 0;
  std::filesystem::path path_;
};

// Runs `script` in bash with $CLI set to the program and $IN to a file holding `input`; the
// script's standard output and error are kept, and its exit status (which the script may set to
// that of any part of a pipe).
inline CliRun RunCliScript(const std::string& script, const std::string& input = "") {
  const CliFolder folder;
  folder.Write("in", input);
  const std::string command = "CLI=" + ShellQuoted(QUORVAN_CLI_PATH) + " IN=" + ShellQuoted(folder / "in") +
                              " bash -c " + ShellQuoted(script) + " > " + ShellQuoted(folder / "out") + " 2> " +
                              ShellQuoted(folder / "err");
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadWhole(folder.Path() / "out");
  run.err = ReadWhole(folder.Path() / "err");
  return run;
}

// The program with these arguments, standard input from a file of `input` (so never a terminal).
inline CliRun RunCli(const std::string& arguments, const std::string& input = "") {
  return RunCliScript("\"$CLI\" " + arguments + " < \"$IN\"", input);
}

}  // namespace qv::test
