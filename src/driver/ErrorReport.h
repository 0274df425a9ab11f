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
// standard error stream, and ends the process with exit code 1.
[[noreturn]] void ShowErrorReport(const Exception& error, const std::string& invokedAs);
