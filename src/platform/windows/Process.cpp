// The process on Windows.
#include "platform/Process.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdlib>

#include "platform/windows/WideNames.h"

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

std::string ModuleName(const std::string& invokedAs) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const std::string name = length == 0 ? invokedAs : ForMessages(path);
  return name.substr(name.find_last_of("\\/:") + 1);
}

// Windows gives a closed standard handle no number that a file could take.
void GuardStandardStreams() {}

// Windows has no such signals: the failing write reports it.
void IgnoreWriteSignals() {}

void Halt(int exitCode) { std::exit(exitCode); }

bool SlashQuestionIsHelp() { return true; }  // the console's own way of asking
