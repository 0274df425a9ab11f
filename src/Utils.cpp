#include "Utils.h"

#include "platform/Streams.h"

void WriteLine(TStream& stream, std::string_view text) {
  TWriteCursor out(stream);
  for (const char c : text) out.Write(c);
  static constexpr char CR = 13, LF = 10;
  out.Write(CR);
  out.Write(LF);
}
