// Files on POSIX: stat, the C library's error texts, lexical full paths.
#include "platform/Files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/Errors.h"
#include "platform/FileStream.h"

namespace fs = std::filesystem;

bool IsRegularFileName(const std::string& name) {
  struct stat status {};
  return ::stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool FileExists(const std::string& name) {
  struct stat status {};
  if (::stat(name.c_str(), &status) == 0) return !S_ISDIR(status.st_mode);
  switch (errno) {
    case ENOENT:                    // nothing of that name
    case ENOTDIR:                   // a path through something that is not a directory
    case ENAMETOOLONG:              // a name no file can have
    case ELOOP: return false;       // symbolic links that lead round in a circle
    default: return !name.empty();  // could not be examined
  }
}

std::string ExpandFileName(const std::string& name) {
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) path = fs::path(name);
  std::string result = path.lexically_normal().string();
  if (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

namespace {

// Both names lead to one and the same file (device and inode): by any
// spelling, hard link or symbolic link, FIFOs and devices included.
bool SameFile(const std::string& first, const std::string& second) {
  struct stat a {
  }, b{};
  return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

}  // namespace

// POSIX files have no share modes. FIFOs count too: opening one blocks
// until a writer comes, so the check comes before any opening.
// Said in words: no system error fits (a busy device would mislead).
[[noreturn]] void OutputIsTheInput(const std::string& output) {
  throw EFCreateError("Cannot create file \"" + ExpandFileName(output) + "\". It is the input file");
}

void RefuseOutputThatIsTheInput(const std::string& input, const std::string& output) {
  if (SameFile(input, output)) OutputIsTheInput(output);
}

void RefuseOutputThatIsTheInput(const TFileStream& input, const TFileStream& output) {
  if (output.SameFile(input)) OutputIsTheInput(output.FileName());
}

std::string SystemErrorText(int error) {
  std::string text = std::strerror(error);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
    text.pop_back();
  return text;
}
