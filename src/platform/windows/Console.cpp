// The console on Windows: bytes straight to the standard handles, no text
// mode, and the error report in the console's OEM character set.
#include "platform/Console.h"

#include <windows.h>

#include <string>

#include "base/Errors.h"
#include "platform/windows/WideNames.h"

namespace {

// What a write that took fewer bytes than it was given reports.
constexpr int DiskFull = 101;

bool WriteAll(HANDLE handle, std::string_view text, int& error) {
  DWORD written = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    error = ERROR_INVALID_HANDLE;
    return false;
  }
  if (!::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    error = static_cast<int>(::GetLastError());
    return false;
  }
  error = DiskFull;
  return written == text.size();
}

// ANSI code page to OEM code page, through UTF-16.
std::string ToOem(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), size);
  std::string oem(text.size() * 2, '\0');
  const int oemLength = ::WideCharToMultiByte(CP_OEMCP, 0, wide.data(), wideLength, oem.data(),
                                              static_cast<int>(oem.size()), nullptr, nullptr);
  if (wideLength == 0 || oemLength == 0) return std::string(text);
  oem.resize(oemLength);
  return oem;
}

// Where each kind of message goes: the standard handle, or none where it is
// the output.
DWORD Lines = STD_OUTPUT_HANDLE;
DWORD Errors = STD_ERROR_HANDLE;
constexpr DWORD Nowhere = 0;

HANDLE Handle(DWORD which) { return which == Nowhere ? nullptr : ::GetStdHandle(which); }

bool IsFile(DWORD which, const BY_HANDLE_FILE_INFORMATION& file) {
  BY_HANDLE_FILE_INFORMATION info{};
  return ::GetFileInformationByHandle(::GetStdHandle(which), &info) &&
         info.dwVolumeSerialNumber == file.dwVolumeSerialNumber && info.nFileIndexHigh == file.nFileIndexHigh &&
         info.nFileIndexLow == file.nFileIndexLow;
}

}  // namespace

void KeepMessagesOutOf(const std::string& outputName) {
  const HANDLE file = ::CreateFileW(Wide(outputName).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // a file not yet made is no stream of ours
  BY_HANDLE_FILE_INFORMATION output{};
  const bool known = ::GetFileInformationByHandle(file, &output);
  ::CloseHandle(file);
  if (!known) return;
  const bool outIsIt = IsFile(STD_OUTPUT_HANDLE, output), errIsIt = IsFile(STD_ERROR_HANDLE, output);
  Lines = outIsIt ? (errIsIt ? Nowhere : STD_ERROR_HANDLE) : STD_OUTPUT_HANDLE;
  Errors = errIsIt ? (outIsIt ? Nowhere : STD_OUTPUT_HANDLE) : STD_ERROR_HANDLE;
}

std::string InOutErrorMessage(int error) {
  switch (error) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(error);
  }
}

void ConsoleWriteLine(std::string_view text) {
  if (Lines == Nowhere) return;
  int error = 0;
  if (!WriteAll(Handle(Lines), std::string(text) + "\r\n", error)) throw EInOutError(InOutErrorMessage(error));
}

void ConsoleFlush() {}  // nothing is buffered

void ConsoleWriteError(std::string_view text) {
  if (Errors == Nowhere) return;
  int error = 0;
  WriteAll(Handle(Errors), ToOem(text), error);
}
