// File streams on POSIX: descriptors, read and write, errno.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/Files.h"
#include "platform/FileStream.h"

namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName) {
  const int fd = mode == TMode::OpenRead ? ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC)
                                         : ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (mode == TMode::OpenRead) throw EFOpenError(FileErrorMessage("Cannot open file", fileName, errno));
    throw EFCreateError(FileErrorMessage("Cannot create file", fileName, errno));
  }
  Handle = fd;
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
