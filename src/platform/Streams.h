// Byte streams. The converter reads and writes one byte per call, so the
// stream keeps a buffer of its own: a one-byte call is a buffer access, and
// only a full or empty buffer reaches the file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

class TStream {
public:
  static constexpr std::size_t DefaultBufferSize = 64 * 1024;

  explicit TStream(std::size_t bufferSize = DefaultBufferSize);
  virtual ~TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Up to count bytes into buffer; 0 only at the end of the input, and then
  // again on every later call.
  std::size_t Read(void* buffer, std::size_t count) {
    if (count == 1 && ReadCur < ReadLimit) {
      *static_cast<char*>(buffer) = *ReadCur++;
      return 1;
    }
    return ReadBuffered(static_cast<char*>(buffer), count);
  }

  // Takes count bytes; returns how many were taken, 0 once the stream has
  // failed. A failure is kept (see Error) rather than raised.
  std::size_t Write(const void* buffer, std::size_t count) {
    if (count == 1 && WriteCur < WriteLimit) {
      *WriteCur++ = *static_cast<const char*>(buffer);
      return 1;
    }
    return WriteBuffered(static_cast<const char*>(buffer), count);
  }

  // Hands every buffered byte to the file; false if any write has failed.
  bool Flush();

  // The errno value of the first failed write, flush or close; 0 if none.
  int Error() const { return FError; }

protected:
  // Fill or drain the file side: ReadRaw returns 0 at the end of input;
  // WriteRaw returns the bytes written and reports a failure by Fail.
  virtual std::size_t ReadRaw(char* buffer, std::size_t count) = 0;
  virtual std::size_t WriteRaw(const char* buffer, std::size_t count) = 0;
  void Fail(int error);

private:
  std::size_t ReadBuffered(char* buffer, std::size_t count);
  std::size_t WriteBuffered(const char* buffer, std::size_t count);
  bool Refill();

  std::size_t BufferSize;
  std::vector<char> ReadBuffer;
  const char* ReadCur = nullptr;  // the next byte to read
  const char* ReadLimit = nullptr;
  bool AtEnd = false;
  std::vector<char> WriteBuffer;
  char* WriteCur = nullptr;  // where the next byte goes; no room once failed
  char* WriteLimit = nullptr;
  int FError = 0;
};

// A stream over an open file.
class TFileStream : public TStream {
public:
  enum class TMode { OpenRead, Create };

  // OpenRead raises EFOpenError, Create raises EFCreateError; Create makes
  // the file empty, with the usual permissions (0666 less the umask).
  TFileStream(const std::string& fileName, TMode mode,
              std::size_t bufferSize = DefaultBufferSize);
  ~TFileStream() override;

  // Flushes and closes the file; raises EWriteError if any write, the flush
  // or the close failed.
  void Close();

  const std::string& FileName() const { return FFileName; }

protected:
  std::size_t ReadRaw(char* buffer, std::size_t count) override;
  std::size_t WriteRaw(const char* buffer, std::size_t count) override;

private:
  std::string FFileName;
  std::FILE* File = nullptr;
};

// A stream over bytes in memory: reads from the text it was given, and
// collects what is written (see Data, after Flush).
class TMemoryStream : public TStream {
public:
  explicit TMemoryStream(std::string input = {}, std::size_t bufferSize = DefaultBufferSize);

  const std::string& Data() const { return Output; }

protected:
  std::size_t ReadRaw(char* buffer, std::size_t count) override;
  std::size_t WriteRaw(const char* buffer, std::size_t count) override;

private:
  std::string Input;
  std::size_t InputPos = 0;
  std::string Output;
};
