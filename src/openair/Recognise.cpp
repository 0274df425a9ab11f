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
    const TLineKeyword keyword = LineKeyword(line);
    const std::string_view rest = line.substr(std::min(keyword.Length, line.size()));
    const bool hasValue = std::any_of(rest.begin(), rest.end(), [](char c) { return !Delimiters.Contains(c); });
    if (hasValue && std::find(std::begin(airspaceKeywords), std::end(airspaceKeywords), keyword.Number) !=
                        std::end(airspaceKeywords))
      return true;
  }
  return false;
}
