// File streams on POSIX: descriptors, read and write, errno.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

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

}  // namespace

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName) {
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
// away is a failed write, and a file that may be written but not read is
// replaced as any writer replaces it. The second must reach the same file.
std::string TFileStream::ReadStart(std::size_t limit) {
  const int fd = ::open(FFileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // no wait, were it a FIFO now
  if (fd < 0) return {};
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
    } else if (part == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(fd);
  bytes.resize(got);
  return bytes;
}

void TFileStream::Truncate() {
  if (IsRegularFile() && ::ftruncate(Descriptor(Handle), 0) != 0)
    throw EFCreateError(FileErrorMessage("Cannot create file", FFileName, errno));
}

TFileStream::~TFileStream() {
  if (Handle == -1) return;
  Flush();
  ::close(Descriptor(Handle));
}

void TFileStream::Close() {
  if (Handle == -1) return;
  Flush();
  if (::close(Descriptor(Handle)) != 0) Fail(errno);
  Handle = -1;
  if (Error() != 0) throw EWriteError(FileErrorMessage("Cannot write file", FFileName, Error()));
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
