// The one report through which every failure of the run ends.
#pragma once

#include <cstdint>
#include <string>

class Exception;

// ‹Exception CLASS in module MODULE at PLACE.› CR LF ‹MESSAGE.› CR LF, with
// the place as eight upper-case hexadecimal digits and a "." added to a
// message that is not empty and does not end in one.
std::string ErrorReportText(const std::string& className, const std::string& moduleName, std::uint32_t place,
                            const std::string& message);

// Flushes the standard output, writes the report and one more CR LF to the
// standard error stream, then `after` (lines of their own, or nothing), and
// ends the process with exit code 1.
[[noreturn]] void ShowErrorReport(const Exception& error, const std::string& invokedAs, const std::string& after = {});

// A failure at an input line in plain words, for runs given options:
// ‹Line N: WORDS.›, the words "AC has no value" for the class's missing
// value, "'TEXT' is not a number" for a number text that cannot be read, the
// report's message otherwise; then, where --skip-bad can leave the airspace
// out and was not given, a line that says so. Each line ends with CR LF;
// nothing for a failure at no input line.
std::string FailureInWords(const Exception& error, bool skipBad);
