// The running process: its own file name, the broken-pipe signal and the exit.
#pragma once

#include <cstdint>
#include <string>

// The file name of the running executable without its directory;
// invokedAs (argv[0]) serves where the system cannot tell.
std::string ModuleName(const std::string& invokedAs);

// Standard input and standard error, where closed, are opened on the null
// device: a file opened later must not take their place and receive the
// error report. A closed standard output stays closed, to fail as it should.
void GuardStandardStreams();

// A reader that has gone away must end the run through the error report,
// not kill the process by a signal.
void IgnoreBrokenPipe();

// Ends the process with the exit code.
[[noreturn]] void Halt(int exitCode);
