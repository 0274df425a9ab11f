// The running process: its own file name, code addresses as offsets, the
// broken-pipe signal and the exit.
#pragma once

#include <cstdint>
#include <string>

// The file name of the running executable without its directory;
// invokedAs (argv[0]) serves where the system cannot tell.
std::string ModuleName(const std::string& invokedAs);

// An address inside the program as an offset from the start of the
// executable's image, the form the error report shows.
std::uint32_t CodeOffset(const void* address);

// A reader that has gone away must end the run through the error report,
// not kill the process by a signal.
void IgnoreBrokenPipe();

// Ends the process with the exit code.
[[noreturn]] void Halt(int exitCode);
