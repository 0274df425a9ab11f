// The exceptions of the run. Each carries the class name that the error
// report prints, its message, and the place in the program that raised it.
#pragma once

#include <algorithm>
#include <exception>
#include <string>

// The address of the code that called it; used as the default argument of
// the exception constructors, so it names the place that raises the error.
[[gnu::noinline]] const void* CurrentPlace();

class Exception : public std::exception {
public:
  Exception(std::string className, std::string message, const void* place);

  const std::string& ClassName() const noexcept { return FClassName; }
  const std::string& Message() const noexcept { return FMessage; }
  const void* Place() const noexcept { return FPlace; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FClassName;
  std::string FMessage;
  const void* FPlace;
};

// A class name fixed at compile time, so that each error class is one line.
template <std::size_t N>
struct TClassName {
  constexpr TClassName(const char (&text)[N]) { std::copy_n(text, N, Text); }
  char Text[N];
};

template <TClassName Name>
class ENamedError : public Exception {
public:
  explicit ENamedError(std::string message, const void* place = CurrentPlace())
      : Exception(Name.Text, std::move(message), place) {}
};

using EFOpenError = ENamedError<"EFOpenError">;
using EFCreateError = ENamedError<"EFCreateError">;
using EReadError = ENamedError<"EReadError">;
using EWriteError = ENamedError<"EWriteError">;
using EInOutError = ENamedError<"EInOutError">;
using EConvertError = ENamedError<"EConvertError">;
using EOverflow = ENamedError<"EOverflow">;
using EStringListError = ENamedError<"EStringListError">;
using EOutOfMemory = ENamedError<"EOutOfMemory">;
