// Byte streams and their cursors, the same on every system: the converter
// reads and writes one byte per call, so the stream keeps a buffer of its
// own, a one-byte call is a buffer access, and only a full or empty buffer
// reaches the file (a TFileStream, or memory).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TStream {
public:
  static constexpr std::size_t DefaultBufferSize = std::size_t{64} * 1024;

  explicit TStream(std::size_t bufferSize = DefaultBufferSize);
  virtual ~TStream();
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Up to count bytes into buffer; 0 only at the end of the input, and then
  // again on every later call.
  std::size_t Read(void* buffer, std::size_t count) {
    if (count != 1) return ReadBuffered(static_cast<char*>(buffer), count);
    if (ReadCur == ReadLimit && !Refill()) return 0;
    *static_cast<char*>(buffer) = static_cast<char>(*ReadCur++);
    return 1;
  }

  // Takes count bytes; returns how many were taken, 0 once the stream has
  // failed. A failure is kept (see Error) rather than raised.
  std::size_t Write(const void* buffer, std::size_t count) {
    if (count != 1) return WriteBuffered(static_cast<const char*>(buffer), count);
    if (WriteCur == WriteLimit && !MakeRoom()) return 0;
    *WriteCur++ = static_cast<char8_t>(*static_cast<const char*>(buffer));
    return 1;
  }

  // The byte just past the buffered input, always there: a loop that stops
  // at a line feed anyway needs no check of the buffer's end inside it (see
  // TReadCursor::ReadBufferedUntil).
  static constexpr char8_t EndMark = u8'\n';

  // Hands every buffered byte to the file; false if any write has failed.
  bool Flush();
  // Drops the bytes buffered for writing, which never reach the file.
  void Discard() {
    if (WriteCur != nullptr) WriteCur = WriteBuffer.data();
  }

  // The errno value of the first failed write, flush or close; 0 if none.
  int Error() const { return FError; }

protected:
  // Fill or drain the file side: ReadRaw returns 0 at the end of input;
  // WriteRaw returns the bytes written and reports a failure by Fail.
  virtual std::size_t ReadRaw(char* buffer, std::size_t count) = 0;
  virtual std::size_t WriteRaw(const char* buffer, std::size_t count) = 0;
  void Fail(int error);

private:
  friend class TReadCursor;
  friend class TWriteCursor;

  // The slow paths take no address of the caller's byte, so that a caller's
  // loop of one-byte calls keeps its byte and the buffer pointers in registers.
  std::size_t ReadBuffered(char* buffer, std::size_t count);
  std::size_t WriteBuffered(const char* buffer, std::size_t count);
  bool Refill();    // false at the end of the input
  bool MakeRoom();  // false once the stream has failed

  // The buffers hold char8_t, which unlike char cannot alias the buffer
  // pointers: a one-byte write then needs no reload of WriteCur.
  std::size_t BufferSize;
  std::vector<char8_t> ReadBuffer;                  // the input, then EndMark, then slack off-limits
  static constexpr char8_t NoInput[1] = {EndMark};  // the buffer before the first read
  const char8_t* ReadCur = NoInput;                 // the next byte to read
  const char8_t* ReadLimit = NoInput;
  bool AtEnd = false;
  std::vector<char8_t> WriteBuffer;
  char8_t* WriteCur = nullptr;  // where the next byte goes; no room once failed
  char8_t* WriteLimit = nullptr;
  int FError = 0;
};

// A run of one-byte reads from a stream, as Read(&c, 1) gives them, with the
// buffer position kept in the caller's registers: only an empty buffer calls
// into the stream. While a cursor lives, the stream is read through it only;
// the position goes back to the stream when it ends.
class TReadCursor {
public:
  explicit TReadCursor(TStream& stream) : Stream(stream), Cur(stream.ReadCur), Limit(stream.ReadLimit) {}
  ~TReadCursor() { Stream.ReadCur = Cur; }
  TReadCursor(const TReadCursor&) = delete;
  TReadCursor& operator=(const TReadCursor&) = delete;

  // The next byte; false at the end of the input.
  [[gnu::always_inline]] bool Read(char& c) {
    if (Cur == Limit && !Refill()) [[unlikely]]
      return false;
    c = static_cast<char>(*Cur++);
    return true;
  }
  // The same as long as the stream holds bytes; false, reading nothing,
  // where Read would refill.
  [[gnu::always_inline]] bool ReadBuffered(char& c) {
    if (Cur == Limit) return false;
    c = static_cast<char>(*Cur++);
    return true;
  }
  // ReadBuffered in a loop up to the first byte that `stops` holds, each
  // byte before it handed to `take`: true with that byte read into `c`, false
  // where the buffered bytes ran out first. `stops` must hold for
  // TStream::EndMark, which ends the loop at the end of the buffered bytes
  // with no check of its own.
  template <typename TStops, typename TTake>
  [[gnu::always_inline]] bool ReadBufferedUntil(TStops stops, TTake take, char& c) {
    const char8_t* cur = Cur;
    // Four bytes a pass, still one at a time: a byte that does not stop the
    // loop is not EndMark, so the byte after it is there to be looked at.
    const auto kept = [&](int i) {
      if (stops(static_cast<char>(cur[i]))) {
        cur += i;
        return false;
      }
      take(static_cast<char>(cur[i]));
      return true;
    };
    while (kept(0) && kept(1) && kept(2) && kept(3)) cur += 4;
    if (cur == Limit) {
      Cur = cur;
      return false;
    }
    c = static_cast<char>(*cur);
    Cur = cur + 1;
    return true;
  }
  // How many bytes ReadBuffered gives before it returns false.
  std::size_t Buffered() const { return static_cast<std::size_t>(Limit - Cur); }

private:
  [[gnu::always_inline]] bool Refill() {
    Stream.ReadCur = Cur;
    const bool more = Stream.Refill();
    Cur = Stream.ReadCur;
    Limit = Stream.ReadLimit;
    return more;
  }
  TStream& Stream;
  const char8_t* Cur;
  const char8_t* Limit;
};

// A run of one-byte writes to a stream, as Write(&c, 1) takes them, likewise.
class TWriteCursor {
public:
  explicit TWriteCursor(TStream& stream) : Stream(stream), Cur(stream.WriteCur), Limit(stream.WriteLimit) {}
  ~TWriteCursor() { Stream.WriteCur = Cur; }
  TWriteCursor(const TWriteCursor&) = delete;
  TWriteCursor& operator=(const TWriteCursor&) = delete;

  // Takes the byte; a stream that has failed takes nothing (see TStream::Error).
  [[gnu::always_inline]] void Write(char c) {
    if (Cur == Limit && !MakeRoom()) [[unlikely]]
      return;
    *Cur++ = static_cast<char8_t>(c);
  }
  // How many bytes WriteInRoom may take, and the one-byte write without the
  // check, for a caller that has counted its bytes against Room.
  std::size_t Room() const { return static_cast<std::size_t>(Limit - Cur); }
  [[gnu::always_inline]] void WriteInRoom(char c) { *Cur++ = static_cast<char8_t>(c); }
  // WriteInRoom where `take` holds, without a branch: the byte is stored
  // either way but counted only where taken, so it needs the room either way.
  [[gnu::always_inline]] void WriteInRoomIf(char c, bool take) {
    *Cur = static_cast<char8_t>(c);
    Cur += take;
  }

private:
  [[gnu::always_inline]] bool MakeRoom() {
    Stream.WriteCur = Cur;
    const bool room = Stream.MakeRoom();
    Cur = Stream.WriteCur;
    Limit = Stream.WriteLimit;
    return room;
  }
  TStream& Stream;
  char8_t* Cur;
  char8_t* Limit;
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
