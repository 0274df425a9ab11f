#include "platform/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Errors.h"
#include "platform/Files.h"

TStream::TStream(std::size_t bufferSize) : BufferSize(std::max<std::size_t>(bufferSize, 1)) {}

void TStream::Fail(int error) {
  if (FError == 0) FError = error != 0 ? error : EIO;
}

bool TStream::Refill() {
  if (AtEnd) return false;
  ReadBuffer.resize(BufferSize);
  ReadPos = 0;
  ReadEnd = ReadRaw(ReadBuffer.data(), ReadBuffer.size());
  AtEnd = ReadEnd == 0;
  return !AtEnd;
}

std::size_t TStream::ReadBuffered(char* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (ReadPos == ReadEnd && !Refill()) break;
    const std::size_t part = std::min(count - done, ReadEnd - ReadPos);
    std::memcpy(buffer + done, ReadBuffer.data() + ReadPos, part);
    ReadPos += part;
    done += part;
  }
  return done;
}

std::size_t TStream::WriteBuffered(const char* buffer, std::size_t count) {
  if (FError != 0) return 0;
  if (WriteBuffer.size() != BufferSize) WriteBuffer.resize(BufferSize);
  std::size_t done = 0;
  while (done < count) {
    if (WritePos == WriteBuffer.size() && !Flush()) break;
    const std::size_t part = std::min(count - done, WriteBuffer.size() - WritePos);
    std::memcpy(WriteBuffer.data() + WritePos, buffer + done, part);
    WritePos += part;
    done += part;
  }
  return done;
}

bool TStream::Flush() {
  std::size_t done = 0;
  while (FError == 0 && done < WritePos) {
    const std::size_t written = WriteRaw(WriteBuffer.data() + done, WritePos - done);
    if (written == 0) Fail(EIO);
    done += written;
  }
  WritePos = 0;
  if (FError != 0) WriteBuffer.clear();  // later writes take the slow path and are refused
  return FError == 0;
}

// --- TFileStream ---

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName) {
  errno = 0;
  File = std::fopen(fileName.c_str(), mode == TMode::OpenRead ? "rb" : "w+b");
  if (File == nullptr) {
    if (mode == TMode::OpenRead)
      throw EFOpenError(FileErrorMessage("Cannot open file", fileName, errno));
    throw EFCreateError(FileErrorMessage("Cannot create file", fileName, errno));
  }
  // The stream buffers by itself; a second buffer in the C library would only copy.
  std::setvbuf(File, nullptr, _IONBF, 0);
}

TFileStream::~TFileStream() {
  if (File == nullptr) return;
  Flush();
  std::fclose(File);
}

void TFileStream::Close() {
  if (File == nullptr) return;
  Flush();
  errno = 0;
  if (std::fclose(File) != 0) Fail(errno);
  File = nullptr;
  if (Error() != 0) throw EWriteError(FileErrorMessage("Cannot write file", FFileName, Error()));
}

std::size_t TFileStream::ReadRaw(char* buffer, std::size_t count) {
  errno = 0;
  const std::size_t got = std::fread(buffer, 1, count, File);
  // A failing read must not pass for the end of the input: the rest of the
  // file would be silently lost.
  if (got == 0 && std::ferror(File))
    throw EReadError(FileErrorMessage("Cannot read file", FFileName, errno != 0 ? errno : EIO));
  return got;
}

std::size_t TFileStream::WriteRaw(const char* buffer, std::size_t count) {
  errno = 0;
  const std::size_t written = std::fwrite(buffer, 1, count, File);
  if (written < count) Fail(errno);
  return written;
}

// --- TMemoryStream ---

TMemoryStream::TMemoryStream(std::string input, std::size_t bufferSize)
    : TStream(bufferSize), Input(std::move(input)) {}

std::size_t TMemoryStream::ReadRaw(char* buffer, std::size_t count) {
  const std::size_t part = std::min(count, Input.size() - InputPos);
  std::memcpy(buffer, Input.data() + InputPos, part);
  InputPos += part;
  return part;
}

std::size_t TMemoryStream::WriteRaw(const char* buffer, std::size_t count) {
  Output.append(buffer, count);
  return count;
}
