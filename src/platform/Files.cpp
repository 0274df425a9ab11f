#include "platform/Files.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool FileExists(const std::string& name) {
  std::error_code error;
  const fs::file_status status = fs::status(name, error);
  if (status.type() == fs::file_type::none) return !name.empty();  // could not be examined
  return status.type() != fs::file_type::not_found && status.type() != fs::file_type::directory;
}

std::string ExpandFileName(const std::string& name) {
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) path = fs::path(name);
  std::string result = path.lexically_normal().string();
  if (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return fs::equivalent(first, second, error) && !error;
}

std::string SystemErrorText(int error) {
  std::string text = std::strerror(error);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::string FileErrorMessage(const char* prefix, const std::string& name, int error) {
  return std::string(prefix) + " \"" + ExpandFileName(name) + "\". " + SystemErrorText(error);
}
