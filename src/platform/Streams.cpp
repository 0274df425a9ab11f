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
  const std::size_t got = ReadRaw(reinterpret_cast<char*>(ReadBuffer.data()), ReadBuffer.size());
  ReadCur = ReadBuffer.data();
  ReadLimit = ReadCur + got;
  AtEnd = got == 0;
  return !AtEnd;
}

std::size_t TStream::ReadBuffered(char* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (ReadCur == ReadLimit && !Refill()) break;
    const std::size_t part = std::min<std::size_t>(count - done, ReadLimit - ReadCur);
    std::memcpy(buffer + done, ReadCur, part);
    ReadCur += part;
    done += part;
  }
  return done;
}

bool TStream::MakeRoom() {
  if (FError != 0) return false;
  if (WriteBuffer.empty()) {
    WriteBuffer.resize(BufferSize);
    WriteCur = WriteBuffer.data();
    WriteLimit = WriteCur + WriteBuffer.size();
    return true;
  }
  return Flush();
}

std::size_t TStream::WriteBuffered(const char* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (WriteCur == WriteLimit && !MakeRoom()) break;
    const std::size_t part = std::min<std::size_t>(count - done, WriteLimit - WriteCur);
    std::memcpy(WriteCur, buffer + done, part);
    WriteCur += part;
    done += part;
  }
  return done;
}

bool TStream::Flush() {
  const char8_t* next = WriteBuffer.data();
  while (FError == 0 && next < WriteCur) {
    const std::size_t written = WriteRaw(reinterpret_cast<const char*>(next), WriteCur - next);
    if (written == 0) Fail(EIO);
    next += written;
  }
  WriteCur = WriteBuffer.data();
  if (FError != 0) WriteCur = WriteLimit = nullptr;  // later writes take the slow path and are refused
  return FError == 0;
}

// --- TFileStream ---

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName) {
  errno = 0;
  File = std::fopen(fileName.c_str(), mode == TMode::OpenRead ? "rb" : "w+b");
  if (File == nullptr) {
    if (mode == TMode::OpenRead) throw EFOpenError(FileErrorMessage("Cannot open file", fileName, errno));
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
