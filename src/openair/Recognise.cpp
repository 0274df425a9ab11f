// Recognising OpenAir airspaces: the reader's own lines and keywords.
#include "openair/Recognise.h"

#include <algorithm>
#include <string>
#include <utility>

#include "io/Streams.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"

namespace {

int NumberOf(std::string_view keyword) {
  return static_cast<int>(std::find(Keywords.begin(), Keywords.end(), keyword) - Keywords.begin()) + 1;
}

}  // namespace

bool HoldsOpenAirAirspaces(std::string bytes) {
  const int airspaceKeywords[] = {NumberOf("AC"), NumberOf("AN"), NumberOf("DP")};
  TMemoryStream stream(std::move(bytes));
  TLineReader reader(stream);
  for (std::string_view line; reader.ReadLine(line);) {
    if (line.empty()) continue;
    const auto isDelimiter = [](char c) { return Delimiters.Contains(c); };
    const auto tokenEnd = std::find_if(line.begin(), line.end(), isDelimiter);
    const int keyword = KeywordNumber(line.substr(0, static_cast<std::size_t>(tokenEnd - line.begin())));
    const bool hasValue = std::find_if_not(tokenEnd, line.end(), isDelimiter) != line.end();
    if (hasValue &&
        std::find(std::begin(airspaceKeywords), std::end(airspaceKeywords), keyword) != std::end(airspaceKeywords))
      return true;
  }
  return false;
}
