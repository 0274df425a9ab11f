// File streams on Windows: CreateFileW with no sharing, ReadFile, WriteFile.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "platform/windows/WideNames.h"

namespace {

HANDLE FileHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

int LastError() { return static_cast<int>(::GetLastError()); }

// One call moves at most this much, well within a DWORD.
constexpr std::size_t MaxTransfer = std::size_t{1} << 30;

// What the console's handler reaches, set before it is installed. It runs
// on a thread of its own: it stops the main thread, the writer, before it
// empties the file.
std::atomic<HANDLE> InterruptedOutput = INVALID_HANDLE_VALUE;
HANDLE MainThread = nullptr;
std::string InterruptLine;

void EmptyFile(HANDLE file) {
  LARGE_INTEGER start{};
  if (::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) ::SetEndOfFile(file);
}

BOOL WINAPI OnInterrupt(DWORD) {
  if (MainThread != nullptr) ::SuspendThread(MainThread);
  if (const HANDLE file = InterruptedOutput; file != INVALID_HANDLE_VALUE) EmptyFile(file);
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), InterruptLine.data(), static_cast<DWORD>(InterruptLine.size()),
              &written, nullptr);
  return FALSE;  // the system's handler then ends the process, as the caller expects of Ctrl-C
}

}  // namespace

void TFileStream::EmptyOnInterrupt() {
  InterruptLine = "Interrupted: \"" + ExpandFileName(FFileName) + "\" " +
                  (Emptied ? "is left empty." : "gets nothing more.") + "\r\n";
  InterruptedOutput = Emptied ? FileHandle(Handle) : INVALID_HANDLE_VALUE;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &MainThread,
                    THREAD_SUSPEND_RESUME, FALSE, 0);
  ::SetConsoleCtrlHandler(OnInterrupt, TRUE);
}

void TFileStream::EndInterrupts() {
  ::SetConsoleCtrlHandler(OnInterrupt, FALSE);
  InterruptedOutput = INVALID_HANDLE_VALUE;
  if (MainThread != nullptr) ::CloseHandle(std::exchange(MainThread, nullptr));
}

void TFileStream::EmptyAgain() {
  if (Emptied) EmptyFile(FileHandle(Handle));
}

TFileStream::TFileStream(const std::string& fileName, TMode mode, std::size_t bufferSize)
    : TStream(bufferSize), FFileName(fileName), Output(mode == TMode::Create) {
  const bool read = mode == TMode::OpenRead;
  const HANDLE file = ::CreateFileW(Wide(fileName).c_str(), read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                                    0,  // no sharing while the file is open
                                    nullptr, read ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (read) throw EFOpenError(FileErrorMessage("Cannot open file", fileName, LastError()));
    throw EFCreateError(FileErrorMessage("Cannot create file", fileName, LastError()));
  }
  Handle = reinterpret_cast<std::intptr_t>(file);
}

bool TFileStream::SameFile(const TFileStream& other) const {
  BY_HANDLE_FILE_INFORMATION mine{}, theirs{};
  return ::GetFileInformationByHandle(FileHandle(Handle), &mine) &&
         ::GetFileInformationByHandle(FileHandle(other.Handle), &theirs) &&
         mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber && mine.nFileIndexHigh == theirs.nFileIndexHigh &&
         mine.nFileIndexLow == theirs.nFileIndexLow;
}

bool TFileStream::IsRegularFile() const { return ::GetFileType(FileHandle(Handle)) == FILE_TYPE_DISK; }

// An input's start that cannot be read is a read error; an output's, a
// refusal to replace what could not be checked.
void TFileStream::StartUnread(int error) const {
  if (!Output) throw EReadError(FileErrorMessage("Cannot read file", FFileName, error));
  throw EFCreateError(UncheckedMessage(FFileName, error));
}

std::string TFileStream::ReadStart(std::size_t limit) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(FileHandle(Handle), &size)) StartUnread(LastError());
  limit = std::min(limit, static_cast<std::size_t>(std::max<LONGLONG>(size.QuadPart, 0)));
  std::string bytes(limit, '\0');
  std::size_t got = 0;
  for (DWORD part = 0; got < limit; got += part) {
    if (!::ReadFile(FileHandle(Handle), bytes.data() + got, static_cast<DWORD>(std::min(limit - got, MaxTransfer)),
                    &part, nullptr))
      StartUnread(LastError());
    if (part == 0) break;
  }
  bytes.resize(got);
  LARGE_INTEGER start{};
  ::SetFilePointerEx(FileHandle(Handle), start, nullptr, FILE_BEGIN);  // the reads or writes begin at the start
  return bytes;
}

void TFileStream::Truncate() {
  if (IsRegularFile()) {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(FileHandle(Handle), start, nullptr, FILE_BEGIN) || !::SetEndOfFile(FileHandle(Handle)))
      throw EFCreateError(FileErrorMessage("Cannot create file", FFileName, LastError()));
    Emptied = true;
  }
  EmptyOnInterrupt();
}

TFileStream::~TFileStream() {
  if (Handle == -1) return;
  Flush();
  EndInterrupts();
  ::CloseHandle(FileHandle(Handle));
}

void TFileStream::Close() {
  if (Handle == -1) return;
  if (!Flush()) EmptyAgain();
  EndInterrupts();
  if (!::CloseHandle(FileHandle(Handle))) Fail(LastError());
  Handle = -1;
  if (Error() != 0) throw EWriteError(FileErrorMessage("Cannot write file", FFileName, Error()));
}

void TFileStream::Abandon() {
  if (Handle == -1) return;
  Discard();
  EmptyAgain();
  EndInterrupts();
  ::CloseHandle(FileHandle(Handle));
  Handle = -1;
}

std::size_t TFileStream::ReadRaw(char* buffer, std::size_t count) {
  DWORD got = 0;
  if (::ReadFile(FileHandle(Handle), buffer, static_cast<DWORD>(std::min(count, MaxTransfer)), &got, nullptr))
    return got;
  if (::GetLastError() == ERROR_BROKEN_PIPE) return 0;  // a pipe's writer has finished
  // A failing read must not pass for the end of the input.
  throw EReadError(FileErrorMessage("Cannot read file", FFileName, LastError()));
}

std::size_t TFileStream::WriteRaw(const char* buffer, std::size_t count) {
  DWORD written = 0;
  if (!::WriteFile(FileHandle(Handle), buffer, static_cast<DWORD>(std::min(count, MaxTransfer)), &written, nullptr))
    Fail(LastError());
  return written;
}
