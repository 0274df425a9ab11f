#include "Utils.h"

#include "platform/Streams.h"

void WriteLine(TStream& stream, std::string_view text) {
  for (const char c : text) stream.Write(&c, 1);
  static constexpr char CR = 13, LF = 10;
  stream.Write(&CR, 1);
  stream.Write(&LF, 1);
}
