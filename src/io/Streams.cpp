// The stream's buffers and their slow paths, and the memory stream.
#include "io/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "io/Poison.h"

TStream::TStream(std::size_t bufferSize) : BufferSize(std::max<std::size_t>(bufferSize, 1)) {}

TStream::~TStream() { UnpoisonSpare(ReadBuffer.data(), ReadBuffer.size()); }

void TStream::Fail(int error) {
  if (FError == 0) FError = error != 0 ? error : EIO;
}

bool TStream::Refill() {
  if (AtEnd) return false;
  ReadBuffer.resize(BufferSize + 1);
  UnpoisonSpare(ReadBuffer.data(), ReadBuffer.size());
  const std::size_t got = ReadRaw(reinterpret_cast<char*>(ReadBuffer.data()), BufferSize);
  ReadBuffer[got] = EndMark;
  PoisonSpare(ReadBuffer.data() + got + 1, BufferSize - got);  // no reader may pass the end mark
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
