// The error report: its text, and its way to the standard error stream.
#include "driver/ErrorReport.h"

#include <string_view>

#include "base/Errors.h"
#include "platform/Console.h"
#include "platform/Process.h"

namespace {

std::string HexPlace(std::uint32_t place) {
  static constexpr char HexDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i, place >>= 4) text[i] = HexDigits[place & 0xF];
  return text;
}

}  // namespace

std::string ErrorReportText(const std::string& className, const std::string& moduleName, std::uint32_t place,
                            const std::string& message) {
  const bool addStop = !message.empty() && message.back() != '.';
  return "Exception " + className + " in module " + moduleName + " at " + HexPlace(place) + ".\r\n" + message +
         (addStop ? "." : "") + "\r\n";
}

void ShowErrorReport(const Exception& error, const std::string& invokedAs, const std::string& after) {
  ConsoleFlush();
  ConsoleWriteError(ErrorReportText(error.ClassName(), ModuleName(invokedAs), error.Place(), error.Message()) + "\r\n" +
                    after);
  Halt(1);
}

namespace {

// The failures of a record's own values, which --skip-bad takes.
bool RecordFailure(const Exception& error) {
  const std::string& name = error.ClassName();
  return name == "EConvertError" || name == "EStringListError" || name == "EOverflow";
}

}  // namespace

std::string FailureInWords(const Exception& error, bool skipBad) {
  if (error.Place() == 0) return {};
  std::string text = "Line " + std::to_string(error.Place()) + ": " + FailureWords(error) + ".\r\n";
  if (!skipBad && RecordFailure(error)) text += "--skip-bad leaves that airspace out and converts the rest.\r\n";
  return text;
}
