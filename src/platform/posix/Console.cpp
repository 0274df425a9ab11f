// The console on POSIX: stdio to the standard streams, errno for failures.
#include "platform/Console.h"

#include <cerrno>
#include <cstdio>

#include "base/Errors.h"

std::string InOutErrorMessage(int error) {
  switch (error) {
    case ENOENT: return "File not found";
    case ENAMETOOLONG: return "Invalid filename";
    case EMFILE: return "Too many open files";
    case EACCES:
    case EPERM: return "File access denied";
    case ENOSPC: return "Disk full";
    default: return "I/O error " + std::to_string(error);
  }
}

void ConsoleWriteLine(std::string_view text) {
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                       std::fwrite("\r\n", 1, 2, stdout) == 2 && std::fflush(stdout) == 0;
  if (!written) {
    const int error = errno != 0 ? errno : EIO;
    std::clearerr(stdout);
    throw EInOutError(InOutErrorMessage(error));
  }
}

void ConsoleFlush() {
  std::fflush(stdout);
  std::clearerr(stdout);
}

void ConsoleWriteError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}
