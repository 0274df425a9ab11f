// File-system services: existence test, full paths, file identity and the
// system's error texts.
#pragma once

#include <string>

// True if a file of that name exists; a directory does not count, nor a name
// that cannot lead to a file (too long, a link loop, a path through a file).
// A name that cannot be examined for lack of permission counts as existing,
// so that opening it reports the real reason.
bool FileExists(const std::string& name);

// The absolute path from the current directory and the name, with "." and
// ".." removed lexically; links are not resolved.
std::string ExpandFileName(const std::string& name);

// True if both names lead to one and the same file (device and inode), by
// whatever spelling, hard link or symbolic link; FIFOs and devices included.
bool SameFile(const std::string& first, const std::string& second);

// The C library's text for an errno value, without trailing blanks, line
// breaks and full stops.
std::string SystemErrorText(int error);

// ‹PREFIX "FULL PATH". SYSTEM ERROR TEXT›, the form of every file message.
std::string FileErrorMessage(const char* prefix, const std::string& name, int error);
