// The command-line driver: start-up, the conversion run and shut-down.
#pragma once

#include <memory>
#include <string>

#include "platform/FileStream.h"

// The driver's values for the whole run.
extern std::string InputFileName;
extern std::string OutputFileName;
extern std::unique_ptr<TFileStream> InputStream;
extern std::unique_ptr<TFileStream> OutputStream;
extern char SavedSeparator;

constexpr const char* BannerLines[] = {
    "Skavlen",
    "Auxiliary Module - OpenAir Importer 1.0",
    "Copyright (c) 2026 the Skavlen project",
    "",
};

// Sets the decimal separator, prints the banner, checks the arguments, opens
// the input and creates the output. Ends the process with exit code 1 after
// its message when the arguments are missing or the input does not exist.
void StartUp(int argc, const char* const* argv);

// Parses the whole input, then writes every airspace in input order:
// ConvertAirspaces on the driver's streams.
void Convert();
void ConvertAirspaces(TStream& input, TStream& output);

// Closes the input, then the output (raising EWriteError if any output write
// failed), and restores the decimal separator.
void ShutDown();
