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

// Where the file of that name is the standard output or the standard error
// stream (the same file, pipe or device), messages keep out of it: those of
// the one go to the other, and where both are it, none is written at all.
void KeepMessagesOutOf(const std::string& outputName);
