// The console on POSIX: stdio to the standard streams, errno for failures.
#include "platform/Console.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/Errors.h"

namespace {

// Where each kind of message goes: the stream, or none where it is the output.
FILE* Lines = stdout;
FILE* Errors = stderr;

bool IsFile(int fd, const struct stat& file) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && status.st_dev == file.st_dev && status.st_ino == file.st_ino;
}

}  // namespace

void KeepMessagesOutOf(const std::string& outputName) {
  struct stat output {};
  if (::stat(outputName.c_str(), &output) != 0) return;  // a file not yet made is no stream of ours
  const bool outIsIt = IsFile(STDOUT_FILENO, output), errIsIt = IsFile(STDERR_FILENO, output);
  Lines = outIsIt ? (errIsIt ? nullptr : stderr) : stdout;
  Errors = errIsIt ? (outIsIt ? nullptr : stdout) : stderr;
}

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
  if (Lines == nullptr) return;
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), Lines) == text.size() &&
                       std::fwrite("\r\n", 1, 2, Lines) == 2 && std::fflush(Lines) == 0;
  if (!written) {
    const int error = errno != 0 ? errno : EIO;
    std::clearerr(Lines);
    throw EInOutError(InOutErrorMessage(error));
  }
}

void ConsoleFlush() {
  std::fflush(stdout);
  std::clearerr(stdout);
}

void ConsoleWriteError(std::string_view text) {
  if (Errors == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), Errors);
  std::fflush(Errors);
}
