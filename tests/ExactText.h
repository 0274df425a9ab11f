// A text in a heap block of exactly its size: a read one byte past its end
// is reported by AddressSanitizer, where a std::string's terminating NUL
// would hide it.
#pragma once

#include <algorithm>
#include <memory>
#include <string_view>

class TExactText {
public:
  explicit TExactText(std::string_view text)
      : Bytes(std::make_unique<char[]>(text.size())), View(Bytes.get(), text.size()) {
    std::copy(text.begin(), text.end(), Bytes.get());
  }
  operator std::string_view() const { return View; }  // NOLINT(google-explicit-constructor): it is the text

private:
  std::unique_ptr<char[]> Bytes;
  std::string_view View;
};
