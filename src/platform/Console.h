// The console: lines to the standard output, each checked at once, and the
// error report's text to the standard error stream.
#pragma once

#include <string>
#include <string_view>

// Writes the text and CR LF to the standard output and flushes it; raises
// EInOutError if the line could not be written.
void ConsoleWriteLine(std::string_view text);

// The EInOutError message for the system's error code of a failed write.
std::string InOutErrorMessage(int error);

// Flushes the standard output, ignoring failures (the error report must
// still get out).
void ConsoleFlush();

// Writes raw bytes to the standard error stream, ignoring failures.
void ConsoleWriteError(std::string_view text);
