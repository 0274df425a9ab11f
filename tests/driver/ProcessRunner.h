// Runs the built program as a child process with a chosen standard output,
// and collects what it printed and how it ended.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

enum class TStdout { Captured, DevFull, Closed, BrokenPipe, CapturedWithStderr };
// Standard error is captured unless it is closed too.
enum class TStdin { Inherited, ClosedWithStderr };

struct TRunResult {
  int ExitCode = -1;   // -1 if the process did not exit normally
  int Signal = 0;      // the signal that ended it, if any
  std::string Stdout;  // empty unless captured
  std::string Stderr;
};

// Standard input is read from `stdinFile` where one is named. A run that
// hangs ends by SIGALRM after a minute. Where `unprivileged` and the runner
// is root, the program runs as the user nobody (65534), which reads only
// what others may read.
TRunResult RunTarnel(const std::vector<std::string>& args, const std::filesystem::path& workDir,
                     TStdout out = TStdout::Captured, TStdin in = TStdin::Inherited,
                     const std::filesystem::path& stdinFile = {}, bool unprivileged = false);

// The same with resource limits (setrlimit's resource and value, such as
// RLIMIT_FSIZE), `WhileRunning` called with the child's process id before
// its output is read, another copy of the program, and the user nobody.
struct TRunLimits {
  std::vector<std::pair<int, rlim_t>> Limits;
  std::function<void(pid_t)> WhileRunning = {};
  std::filesystem::path Program = {};
  bool Unprivileged = false;
};
TRunResult RunTarnelLimited(const std::vector<std::string>& args, const std::filesystem::path& workDir,
                            const TRunLimits& limits);
constexpr unsigned NobodyId = 65534;

// A fresh, empty directory for one test, removed by the destructor.
class TScratchDir {
public:
  TScratchDir();
  ~TScratchDir();
  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
  std::filesystem::path FPath;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& data);

// The banner every run prints first.
// The program's golden texts, held here alone: the banner, the usage line of
// the options, the help, and the message for missing arguments.
extern const std::string Banner;
extern const std::string Usage;
extern const std::string Help;
extern const std::string ArgumentsMissing;
