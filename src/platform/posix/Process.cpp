// The process on POSIX: its file name, its standard streams, its exit.
#include "platform/Process.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

std::string ModuleName(const std::string& invokedAs) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && !self.empty()) return self.filename().string();
  return std::filesystem::path(invokedAs).filename().string();
}

void GuardStandardStreams() {
  for (const int fd : {STDIN_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor, which is this one while the ones below are open.
    const int null = ::open("/dev/null", O_RDWR);
    if (null != fd && null != -1) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
}

void IgnoreWriteSignals() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

void Halt(int exitCode) {
  std::fflush(stdout);
  std::exit(exitCode);
}

bool SlashQuestionIsHelp() { return false; }  // there "/?" is a file name, such as a shell's glob may give
