// The stream over an open file, one implementation per operating system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/Streams.h"

// A stream over an open file, opened without sharing where the system has
// share modes (one implementation per operating system).
class TFileStream : public TStream {
public:
  enum class TMode { OpenRead, Create };

  // OpenRead raises EFOpenError, Create raises EFCreateError. Create makes
  // a new file with the usual permissions (0666 less the umask), or opens an
  // existing one as it is, for the checks that may refuse to replace it:
  // Truncate then makes it empty. On POSIX the output is opened for writing
  // only (a FIFO waits for its reader); on Windows for reading and writing,
  // since a second open would meet the first's refusal to share.
  TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize = DefaultBufferSize);
  ~TFileStream() override;

  // Whether both streams are one and the same file, by any name or link.
  bool SameFile(const TFileStream& other) const;
  // Whether it is a regular file, not a device, FIFO or the like.
  bool IsRegularFile() const;
  // Up to `limit` bytes from a regular file's start, before anything is read
  // or written; an input is then read from its start all the same. Raises
  // EReadError for an input that cannot be read; EFCreateError for an output
  // that cannot be read, for any reason (it cannot be checked then, and
  // stays as it is), or whose name no longer leads to the open file.
  std::string ReadStart(std::size_t limit);
  // Makes a regular file empty, ready for writing from its start; other
  // files are written as they are. Raises EFCreateError. From then on, until
  // the file is closed, an interrupt (SIGINT, SIGTERM, SIGHUP; Ctrl-C,
  // Ctrl-Break, the console's closing) empties it again, prints one line on
  // the standard error stream and ends the process as the interrupt would;
  // a file of another kind gets nothing more.
  void Truncate();

  // Flushes and closes the file; raises EWriteError if any write, the flush
  // or the close failed, after emptying a file that Truncate emptied.
  void Close();
  // After a failure: drops what is buffered, empties a file that Truncate
  // emptied, and closes it, ignoring failures; nothing more reaches it.
  void Abandon();

  const std::string& FileName() const { return FFileName; }

protected:
  std::size_t ReadRaw(char* buffer, std::size_t count) override;
  std::size_t WriteRaw(const char* buffer, std::size_t count) override;

private:
  std::string FFileName;
  // The system's handle of the open file: a descriptor on POSIX, a HANDLE on
  // Windows; -1 (also Windows' INVALID_HANDLE_VALUE) when closed.
  std::intptr_t Handle = -1;
  bool Output;           // opened by Create
  bool Emptied = false;  // Truncate emptied it: it is this run's to empty again
  [[noreturn]] void StartUnread(int error) const;
  void EmptyOnInterrupt();
  void EndInterrupts();
  void EmptyAgain();
};
