// Files on Windows: the wide file functions, with the names held as UTF-8
// (WideNames.h), and the system's own message texts.
#include "platform/Files.h"

#include <windows.h>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/windows/WideNames.h"

bool IsRegularFileName(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesW(Wide(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool FileExists(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesW(Wide(name).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return false;
    default: return !name.empty();  // could not be examined
  }
}

// Only messages show it: in their code page.
std::string ExpandFileName(const std::string& name) {
  const std::wstring wide = Wide(name);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (length == 0) return ForMessages(wide);
    if (length < path.size()) {
      path.resize(length);
      return ForMessages(path);
    }
    path.resize(length);  // the size it needs, terminator included
  }
}

std::string SystemErrorText(int error) {
  char* buffer = nullptr;
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length != 0 ? std::string(buffer, length) : "System error " + std::to_string(error);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
    text.pop_back();
  return text;
}

// The input is held open without sharing: creating the output over it fails
// with the sharing violation, and the input stays as it was; the check of
// the open files is a second guard with the same text.
void RefuseOutputThatIsTheInput(const std::string&, const std::string&) {}

void RefuseOutputThatIsTheInput(const TFileStream& input, const TFileStream& output) {
  if (output.SameFile(input))
    throw EFCreateError(FileErrorMessage("Cannot create file", output.FileName(), ERROR_SHARING_VIOLATION));
}
