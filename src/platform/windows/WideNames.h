// Names between the program and the wide API on Windows: held as UTF-8
// inside the program, so that no name is lost to the code page; wide for
// the system's calls; in the ANSI code page where a message shows them, as
// every message is (the report then goes to the console's OEM code page).
#pragma once

#include <windows.h>

#include <string>

inline std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
  return wide;
}

inline std::string FromWide(const wchar_t* wide, int length, UINT codePage) {
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, wide, length, text.data(), size, nullptr, nullptr);
  return text;
}

inline std::string Utf8(const std::wstring& wide) {
  return FromWide(wide.data(), static_cast<int>(wide.size()), CP_UTF8);
}

// A name as messages show it: in the ANSI code page, "?" for what it lacks.
inline std::string ForMessages(const std::wstring& wide) {
  return FromWide(wide.data(), static_cast<int>(wide.size()), CP_ACP);
}
