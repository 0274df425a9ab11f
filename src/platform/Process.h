// The running process: its own file name, the broken-pipe signal and the exit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The command line's arguments, the program's own name first: on Windows
// read through the wide API and held as UTF-8, so that a file name outside
// the code page reaches the file as it is; elsewhere the bytes as given.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The file name of the running executable without its directory;
// invokedAs (argv[0]) serves where the system cannot tell.
std::string ModuleName(const std::string& invokedAs);

// Standard input and standard error, where closed, are opened on the null
// device: a file opened later must not take their place and receive the
// error report. A closed standard output stays closed, to fail as it should.
void GuardStandardStreams();

// A reader that has gone away, or a limit of the file size reached, must end
// the run through the error report as a failed write ("Broken pipe", "File
// too large"), not kill the process by a signal.
void IgnoreWriteSignals();

// Whether "/?" asks for help, as every console program of Windows takes it.
bool SlashQuestionIsHelp();

// Ends the process with the exit code.
[[noreturn]] void Halt(int exitCode);
