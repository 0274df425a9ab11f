// The process on Windows.
#include "platform/Process.h"

#include <windows.h>

#include <cstdlib>

std::string ModuleName(const std::string& invokedAs) {
  std::string path(MAX_PATH, '\0');
  const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  if (length == 0) path = invokedAs;
  return path.substr(path.find_last_of("\\/:") + 1);
}

// Windows gives a closed standard handle no number that a file could take.
void GuardStandardStreams() {}

// Windows has no broken-pipe signal: the failing write reports it.
void IgnoreBrokenPipe() {}

void Halt(int exitCode) { std::exit(exitCode); }
