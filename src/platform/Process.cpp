#include "platform/Process.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

// Set by the linker at the start of the executable's image.
extern "C" const char __executable_start[] __attribute__((weak));  // NOLINT(bugprone-reserved-identifier)

std::string ModuleName(const std::string& invokedAs) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && !self.empty()) return self.filename().string();
  return std::filesystem::path(invokedAs).filename().string();
}

std::uint32_t CodeOffset(const void* address) {
  const auto place = reinterpret_cast<std::uintptr_t>(address);
  const auto base = reinterpret_cast<std::uintptr_t>(__executable_start);
  return static_cast<std::uint32_t>(base != 0 && place >= base ? place - base : place);
}

void IgnoreBrokenPipe() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

void Halt(int exitCode) {
  std::fflush(stdout);
  std::exit(exitCode);
}
