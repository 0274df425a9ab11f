#include "ProcessRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

const std::string Banner =
    "Skavlen\r\nAuxiliary Module - OpenAir Importer 1.0\r\nCopyright (c) 2026 the Skavlen project\r\n\r\n";
const std::string Usage = "Usage: TARNEL [options] <input-file[.oa]> <output-file[.zrn]>\r\n";
const std::string Help =
    Banner + Usage +
    "  --arcs                  draw arcs (DA, DB) and circles (DC) as border points; recommended\r\n"
    "  --decimals=N            write border points with N decimals, 2 to 11 (default 2); 6 recommended\r\n"
    "  --limits                write the floor and ceiling after the name: NAME GND-2500FT\r\n"
    "  --max-floor=LIMIT       leave out airspaces whose floor is at or above LIMIT (FL100, 3000ft, 1500m)\r\n"
    "  --classes=LIST          write only the classes in LIST, separated by commas (R,Q,P,D)\r\n"
    "  --exclude-classes=LIST  leave out the classes in LIST (FIR,E)\r\n"
    "  --types=LIST            write only the types in LIST (AY, or the class where there is none)\r\n"
    "  --exclude-types=LIST    leave out the types in LIST\r\n"
    "  --keep-types=LIST       keep the types in LIST whatever the class filters say (TMZ,RMZ,ATZ)\r\n"
    "  --skip-bad              leave out an airspace with a record that cannot be read, not the whole file\r\n"
    "  --arc-tolerance=METRES  with --arcs, no chord further than METRES from its arc, 0.01 to 1000 (default 10)\r\n"
    "  --pins                  label an airspace without AT at the point of its inside farthest from its border\r\n"
    "  --geojson=FILE          also write the airspaces as GeoJSON (RFC 7946) to FILE\r\n"
    "  --preview=FILE          also write a page to open in a browser: the airspaces on a map\r\n"
    "  --tiles=URL             the page's map tiles, a template like https://tile.example/{z}/{x}/{y}.png\r\n"
    "  --encoding=NAME         the input's texts for GeoJSON and the page: utf-8, windows-1250, windows-1252,\r\n"
    "                          iso-8859-1, iso-8859-2, iso-8859-15 (default: utf-8 where valid, else windows-1252)\r\n"
    "  --check                 write nothing: list every error and doubt of the input file at its line\r\n"
    "                          (TARNEL --check <input-file>); exit code 1 where an error was found\r\n"
    "  --help                  show this help\r\n"
    "  --version               show the version\r\n";
const std::string ArgumentsMissing =
    "Error: Arguments missing...\r\nUsage: TARNEL <input-file[.oa]> <output-file[.zrn]>\r\n\r\n";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::filesystem::path& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

TScratchDir::TScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarnel-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  FPath = pattern;
}

TScratchDir::~TScratchDir() {
  std::error_code error;
  std::filesystem::remove_all(FPath, error);
}

namespace {

std::string Drain(int fd) {
  std::string data;
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) data.append(buffer, got);
  ::close(fd);
  return data;
}

}  // namespace

namespace {

TRunResult Run(const std::vector<std::string>& args, const std::filesystem::path& workDir, TStdout out, TStdin in,
               const std::filesystem::path& stdinFile, bool unprivileged, const TRunLimits& limits) {
  int outPipe[2], errPipe[2];
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
  if (out == TStdout::BrokenPipe) ::close(outPipe[0]);  // the reader is gone before the run starts

  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(errPipe[1], 2);
    switch (out) {
      case TStdout::Captured:
      case TStdout::BrokenPipe: ::dup2(outPipe[1], 1); break;
      case TStdout::CapturedWithStderr: ::dup2(outPipe[1], 1), ::dup2(outPipe[1], 2); break;
      case TStdout::DevFull: ::dup2(::open("/dev/full", O_WRONLY), 1); break;
      case TStdout::Closed: ::close(1); break;
    }
    if (out != TStdout::BrokenPipe) ::close(outPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[0]);
    ::close(errPipe[1]);
    if (in == TStdin::ClosedWithStderr) {
      ::close(0);
      ::close(2);
    }
    if (!stdinFile.empty()) ::dup2(::open(stdinFile.c_str(), O_RDONLY), 0);
    // Nothing else of the test runner's is handed on: the program's files
    // get the descriptors from 3 on, and a name such as /proc/self/fd/5
    // cannot reach the runner's own.
    for (int fd = 3; fd < 1024; ++fd) ::close(fd);
    if (unprivileged && ::getuid() == 0 && (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)) ::_exit(125);
    if (::chdir(workDir.c_str()) != 0) ::_exit(126);
    for (const auto& [resource, value] : limits.Limits) {
      const rlimit limit{value, value};
      if (::setrlimit(resource, &limit) != 0) ::_exit(124);
    }
    ::alarm(60);  // a hang fails the test rather than the whole suite
    const std::string program = limits.Program.empty() ? TARNEL_PATH : limits.Program.string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  if (limits.WhileRunning) limits.WhileRunning(child);
  TRunResult result;
  // The child's output is small or goes elsewhere; big outputs go to files.
  if (out != TStdout::BrokenPipe) result.Stdout = Drain(outPipe[0]);
  result.Stderr = Drain(errPipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.Signal = WTERMSIG(status);
  return result;
}

}  // namespace

TRunResult RunTarnel(const std::vector<std::string>& args, const std::filesystem::path& workDir, TStdout out, TStdin in,
                     const std::filesystem::path& stdinFile, bool unprivileged) {
  return Run(args, workDir, out, in, stdinFile, unprivileged, {});
}

TRunResult RunTarnelLimited(const std::vector<std::string>& args, const std::filesystem::path& workDir,
                            const TRunLimits& limits) {
  return Run(args, workDir, TStdout::Captured, TStdin::Inherited, {}, limits.Unprivileged, limits);
}
