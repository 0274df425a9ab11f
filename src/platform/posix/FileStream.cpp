// File streams on POSIX: descriptors, read and write, errno.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <iterator>
#include <string>
#include <utility>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"

namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

// The file's status; an empty one (no device, no inode, no type) where it
// cannot be had.
struct stat Status(std::intptr_t handle) {
  struct stat status {};
  if (::fstat(Descriptor(handle), &status) != 0) status = {};
  return status;
}

// What the interrupt handler reaches, set before it is installed: a handler
// can be given nothing else. The descriptor to empty (-1 for none) and the
// line to print; the dispositions the handler replaced, put back after.
volatile std::sig_atomic_t InterruptedOutput = -1;
std::string InterruptLine;
constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction Replaced[std::size(InterruptSignals)];
bool Installed[std::size(InterruptSignals)];

extern "C" void OnInterrupt(int signal) {
  const int fd = InterruptedOutput;
  if (fd != -1 && ::ftruncate(fd, 0) != 0) {
    // nothing more can be done here
  }
  if (::write(STDERR_FILENO, InterruptLine.data(), InterruptLine.size()) < 0) {
    // likewise
  }
  ::signal(signal, SIG_DFL);  // the caller sees the interrupt, as a shell's loop must
  ::raise(signal);
}

}  // namespace

// An interrupt ignored by whoever started the run (as a shell does for a
// job in the background) stays ignored.
void TFileStream::EmptyOnInterrupt() {
  InterruptLine = "Interrupted: \"" + ExpandFileName(FFileName) + "\" " +
                  (Emptied ? "is left empty." : "gets nothing more.") + "\r\n";
  InterruptedOutput = Emptied ? Descriptor(Handle) : -1;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  ::sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < std::size(InterruptSignals); ++i) {
    if (::sigaction(InterruptSignals[i], nullptr, &Replaced[i]) != 0 || Replaced[i].sa_handler == SIG_IGN) continue;
    Installed[i] = ::sigaction(InterruptSignals[i], &action, nullptr) == 0;
  }
}

void TFileStream::EndInterrupts() {
  InterruptedOutput = -1;  // before the descriptor is closed and its number free again
  for (std::size_t i = 0; i < std::size(InterruptSignals); ++i)
    if (std::exchange(Installed[i], false)) ::sigaction(InterruptSignals[i], &Replaced[i], nullptr);
}

void TFileStream::EmptyAgain() {
  if (Emptied && ::ftruncate(Descriptor(Handle), 0) != 0) {
    // a failure after a failure: the report that follows names the first
  }
}

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName), Output(mode == TMode::Create) {
  const int fd = mode == TMode::OpenRead ? ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC)
                                         : ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (mode == TMode::OpenRead) throw EFOpenError(FileErrorMessage("Cannot open file", fileName, errno));
    throw EFCreateError(FileErrorMessage("Cannot create file", fileName, errno));
  }
  Handle = fd;
}

bool TFileStream::SameFile(const TFileStream& other) const {
  const struct stat mine = Status(Handle), theirs = Status(other.Handle);
  return mine.st_ino != 0 && mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool TFileStream::IsRegularFile() const { return S_ISREG(Status(Handle).st_mode); }

// Read through a second, read-only descriptor: the output's own is
// write-only, so that a FIFO waits for its reader and a reader that goes
// away is a failed write. The second must reach the same file; a file that
// may be written but not read cannot be checked, and is kept.
// An input's start that cannot be read is a read error; an output's, a
// refusal to replace what could not be checked.
void TFileStream::StartUnread(int error) const {
  if (!Output) throw EReadError(FileErrorMessage("Cannot read file", FFileName, error));
  throw EFCreateError(UncheckedMessage(FFileName, error));
}

std::string TFileStream::ReadStart(std::size_t limit) {
  // An input's own descriptor reads, at its place, which stays where it is.
  const int fd = Output ? ::open(FFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)  // no wait, were it a FIFO now
                        : ::dup(Descriptor(Handle));
  if (fd < 0) StartUnread(errno);
  const struct stat status = Status(fd), written = Status(Handle);
  if (status.st_dev != written.st_dev || status.st_ino != written.st_ino) {
    ::close(fd);
    throw EFCreateError("Cannot create file \"" + ExpandFileName(FFileName) + "\". It was replaced while being opened");
  }
  limit = std::min(limit, static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)));
  std::string bytes(limit, '\0');
  std::size_t got = 0;
  while (got < limit) {
    const ssize_t part = ::pread(fd, bytes.data() + got, limit - got, static_cast<off_t>(got));
    if (part > 0) {
      got += static_cast<std::size_t>(part);
    } else if (part == 0) {
      break;
    } else if (errno != EINTR) {
      const int error = errno;
      ::close(fd);
      StartUnread(error);
    }
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

void TFileStream::Truncate() {
  if (IsRegularFile()) {
    if (::ftruncate(Descriptor(Handle), 0) != 0)
      throw EFCreateError(FileErrorMessage("Cannot create file", FFileName, errno));
    Emptied = true;
  }
  EmptyOnInterrupt();
}

TFileStream::~TFileStream() {
  if (Handle == -1) return;
  Flush();
  EndInterrupts();
  ::close(Descriptor(Handle));
}

void TFileStream::Close() {
  if (Handle == -1) return;
  if (!Flush()) EmptyAgain();
  EndInterrupts();
  if (::close(Descriptor(Handle)) != 0) Fail(errno);
  Handle = -1;
  if (Error() != 0) throw EWriteError(FileErrorMessage("Cannot write file", FFileName, Error()));
}

void TFileStream::Abandon() {
  if (Handle == -1) return;
  Discard();
  EmptyAgain();
  EndInterrupts();
  ::close(Descriptor(Handle));
  Handle = -1;
}

std::size_t TFileStream::ReadRaw(char* buffer, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(Descriptor(Handle), buffer, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    // A failing read must not pass for the end of the input: the rest of the
    // file would be silently lost.
    if (errno != EINTR) throw EReadError(FileErrorMessage("Cannot read file", FFileName, errno));
  }
}

std::size_t TFileStream::WriteRaw(const char* buffer, std::size_t count) {
  for (;;) {
    const ssize_t written = ::write(Descriptor(Handle), buffer, count);
    if (written >= 0) return static_cast<std::size_t>(written);
    if (errno != EINTR) {
      Fail(errno);
      return 0;
    }
  }
}
