// The error report's text and the console's I/O error messages.
#include <gtest/gtest.h>

#include <cerrno>

#include "driver/ErrorReport.h"
#include "platform/Console.h"

namespace {

TEST(ErrorReportTest, FullStopAddedOnlyWhereMissing) {
  const std::pair<const char*, const char*> cases[] = {
      {"List index out of bounds (1)", "List index out of bounds (1).\r\n"},
      {"Ends in a stop.", "Ends in a stop.\r\n"},
      {"", "\r\n"},
  };
  for (const auto& [message, second] : cases)
    EXPECT_EQ(ErrorReportText("EStringListError", "TARNEL", 0x1A2B, message),
              std::string("Exception EStringListError in module TARNEL at 00001A2B.\r\n") + second);
  EXPECT_EQ(ErrorReportText("E", "m", 0xFFFFFFFF, "x"), "Exception E in module m at FFFFFFFF.\r\nx.\r\n");
}

TEST(ConsoleTest, InOutErrorMessagesByErrorCode) {
#ifdef _WIN32  // the system's error codes are the table's own
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {6, "I/O error 6"},
      {232, "I/O error 232"},
  };
#else  // errno values, by meaning
  const std::pair<int, const char*> cases[] = {
      {ENOENT, "File not found"},      {ENAMETOOLONG, "Invalid filename"},
      {EMFILE, "Too many open files"}, {EACCES, "File access denied"},
      {EPERM, "File access denied"},   {ENOSPC, "Disk full"},
      {EPIPE, "I/O error 32"},         {EBADF, "I/O error 9"},
  };
#endif
  for (const auto& [error, message] : cases) EXPECT_EQ(InOutErrorMessage(error), message) << error;
}

}  // namespace
