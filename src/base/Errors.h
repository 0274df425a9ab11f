// The exceptions of the run. Each carries the class name that the error
// report prints, its message, and its place: the input line on which a
// failure of reading or parsing arose, 0 for every other failure.
#pragma once

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
  Exception(std::string className, std::string message, std::uint32_t place = 0)
      : FClassName(std::move(className)), FMessage(std::move(message)), FPlace(place) {}

  const std::string& ClassName() const noexcept { return FClassName; }
  const std::string& Message() const noexcept { return FMessage; }
  std::uint32_t Place() const noexcept { return FPlace; }
  void SetPlace(std::uint32_t place) noexcept { FPlace = place; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FClassName;
  std::string FMessage;
  std::uint32_t FPlace;
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
  explicit ENamedError(std::string message, std::uint32_t place = 0)
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

// A failure of a record in plain words, for a reader of the file rather than
// of the program: ‹AC has no value›, ‹'1-2' is not a number›.
inline std::string FailureWords(const Exception& error) {
  constexpr std::string_view NotANumber = " is not a valid floating point value";
  const std::string& message = error.Message();
  if (error.ClassName() == "EStringListError") return "AC has no value";  // the one list index a record asks for
  if (error.ClassName() == "EConvertError" && message.ends_with(NotANumber))
    return message.substr(0, message.size() - NotANumber.size()) + " is not a number";
  return message.ends_with('.') ? message.substr(0, message.size() - 1) : message;
}
