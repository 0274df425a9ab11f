// File-system services: existence test, full paths, the system's error
// texts, and the guard against an output that is the input.
#pragma once

#include <string>

// True if a file of that name exists; a directory does not count, nor a name
// that cannot lead to a file (too long, a link loop, a path through a file).
// A name that cannot be examined for lack of permission counts as existing,
// so that opening it reports the real reason.
bool FileExists(const std::string& name);

// True if the name leads to a regular file (through links), which may be
// opened for reading with no wait, as a FIFO or device may not.
bool IsRegularFileName(const std::string& name);

// The absolute path from the current directory and the name, with "." and
// ".." removed; links are not resolved. As messages show it: on Windows in
// the ANSI code page.
std::string ExpandFileName(const std::string& name);

// The system's text for an error code (errno, or Windows' last error),
// without trailing blanks, line breaks and full stops.
std::string SystemErrorText(int error);

// ‹PREFIX "FULL PATH". SYSTEM ERROR TEXT›, the form of every file message.
inline std::string FileErrorMessage(const char* prefix, const std::string& name, int error) {
  return std::string(prefix) + " \"" + ExpandFileName(name) + "\". " + SystemErrorText(error);
}

// The message of an existing output that could not be read for the OpenAir
// check, and so is kept.
inline std::string UncheckedMessage(const std::string& name, int error) {
  return "Cannot create file \"" + ExpandFileName(name) +
         "\". It could not be read to check that it holds no OpenAir airspaces (" + SystemErrorText(error) + ")";
}

class TFileStream;

// Raises EFCreateError where writing the output would destroy the input: the
// same file by any spelling or link. By name before anything is opened, so
// that a FIFO named twice does not block the opening; then by the open files
// themselves, whatever the names (/proc/self/fd/N names the input only once
// it is open). Where files have share modes (Windows), the input held open
// without sharing refuses the output by itself, with the system's own text.
void RefuseOutputThatIsTheInput(const std::string& input, const std::string& output);
void RefuseOutputThatIsTheInput(const TFileStream& input, const TFileStream& output);
