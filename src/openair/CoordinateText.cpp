// Coordinate texts of AT and DP records: ‹50:30:15 N 014:20:30 E› and its
// other forms read as latitude and longitude.
#include "openair/CoordinateText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/Errors.h"
#include "base/Text.h"
#include "numtext/Extended.h"
#include "numtext/NumText.h"
#include "openair/CoordinateRoles.h"

namespace {

constexpr int SlotCount = 6;
constexpr int FirstLongitudeSlot = 4;

// Out of line: the throw stays off the path of every point.
[[noreturn]] void SumOverflows() { throw EOverflow("Floating point overflow"); }

// (minutes / 60 + degrees) + seconds / 3600, in extended precision, rounded
// once; the last hemisphere letter decides the sign of the whole coordinate.
// Numbers near the top of the double range can sum beyond it; such a
// coordinate fails rather than reach the output as an infinity.
[[gnu::always_inline]] inline double Coordinate(const double* dms, TRole letter, TRole negative) {
  const double sum = SexagesimalToDouble(dms[0], dms[1], dms[2]);
  if (!std::isfinite(sum)) [[unlikely]]
    SumOverflows();
  if (letter == TRole::Other) return sum;
  // The sign by a load, not a branch: the hemispheres of successive points
  // can follow no pattern the processor could learn.
  constexpr double Signs[] = {1, -1};
  return std::copysign(sum, Signs[letter == negative]);
}

// The number text being collected, inline up to a usual length. While it is
// digits only, their value is summed on the way, which is what TextToNumber
// gives for such a text: a whole number below 10^15 is exact in a double.
class TPendingNumber {
public:
  void AppendDigit(char c) {
    Whole = Whole * 10 + static_cast<unsigned>(c - '0');
    Append(c);
  }
  void AppendSignOrPoint(char c) {
    DigitsOnly = false;
    Append(c);
  }
  bool Empty() const { return Length == 0; }
  std::string_view Text() const { return Length <= InlineSize ? std::string_view(Inline.data(), Length) : Overflow; }
  double Value() const {
    if (DigitsOnly && Length > 0 && Length <= MaxWholeDigits) return static_cast<double>(Whole);
    return TextToNumber(Text());
  }
  void Clear() {
    Length = 0;
    Whole = 0;
    DigitsOnly = true;
  }

private:
  void Append(char c) {
    if (Length < InlineSize) {
      Inline[Length++] = c;
      return;
    }
    if (Length++ == InlineSize) Overflow.assign(Inline.data(), InlineSize);
    Overflow += c;
  }

  // Only speed hangs on this size: a longer text goes on in Overflow and
  // reads the same (the point tests hold texts of both kinds). Published
  // files write at most about ten bytes a number.
  static constexpr std::size_t InlineSize = 24;
  static constexpr std::size_t MaxWholeDigits = 15;  // below 10^15, exact in a double
  std::uint64_t Whole = 0;
  bool DigitsOnly = true;
  std::array<char, InlineSize> Inline;
  std::size_t Length = 0;
  std::string Overflow;
};

// Pass 2, scanning: numbers fill six slots in order, latitude's D M S then
// longitude's. Accepted forms, all with or without blanks before the letters:
//   D:M:S N D:M:S E      ‹50:30:15 N 014:20:30 E›
//   D:M.mmm N D:M.mmm E  ‹45:15.531 N 006:18.333 E›
//   D.ddd N D.ddd E      ‹50.5 N 14.25 E›
// A latitude letter after some latitude number moves on to the longitude, so
// the shorter forms land in the right slots.
class TCoordinateScanner {
public:
  void Take(char c) {
    const TRole role = CoordinateRoles[static_cast<unsigned char>(c)];
    if (role == TRole::Digit) [[likely]] {
      Pending.AppendDigit(c);
      return;
    }
    switch (role) {
      case TRole::SignOrPoint: Pending.AppendSignOrPoint(c); break;
      case TRole::Colon: StorePending(); break;
      case TRole::Blank:
        if (!Pending.Empty()) StorePending();
        break;
      case TRole::North:
      case TRole::South:
        MoveToLongitude();
        LatitudeHemisphere = role;
        break;
      case TRole::East:
      case TRole::West: LongitudeHemisphere = role; break;
      default: break;
    }
  }

  void Finish() {
    if (!Pending.Empty()) StorePending();
  }

  double Latitude() const { return Coordinate(&Slots[0], LatitudeHemisphere, TRole::South); }
  double Longitude() const { return Coordinate(&Slots[3], LongitudeHemisphere, TRole::West); }

private:
  // Converts even an empty text, which fails: ‹50::00› is invalid.
  [[gnu::always_inline]] void StorePending() {
    const double number = Pending.Value();
    if (Slot <= SlotCount) Slots[Slot - 1] = number;  // a seventh number has no place
    ++Slot;
    Pending.Clear();
  }

  void MoveToLongitude() {
    const bool latitudeSeen = Slot > 1 || !Pending.Empty();
    if (Slot >= FirstLongitudeSlot || !latitudeSeen) return;
    if (!Pending.Empty()) StorePending();
    Slot = FirstLongitudeSlot;
  }

  std::array<double, SlotCount> Slots{};
  int Slot = 1;
  TPendingNumber Pending;
  TRole LatitudeHemisphere = TRole::Other;
  TRole LongitudeHemisphere = TRole::Other;
};

// The usual forms in one pass, with no number text collected: ‹D[:M[:S]]›,
// a latitude letter, ‹D[:M[:S]]›, a longitude letter, each number digits with
// at most one fraction, blanks only around the letters (‹50:30:15 N
// 014:20:30 E›, ‹45:15.531N 006:18.333E›, ‹50.5 n 14.25 e›). Each number and
// each slot is what the scanner gives such a text; any other text is left
// to the scanner.
class TUsualForm {
public:
  explicit TUsualForm(std::string_view text) : C(text.data()), End(text.data() + text.size()) {}

  // Inlined whole, so that the position stays in a register.
  [[gnu::always_inline]] bool Read(double& latitude, double& longitude) {
    std::array<double, SlotCount> slots{};
    SkipBlanks();
    if (!ReadDegrees(&slots[0])) return false;
    const TRole latitudeLetter = ReadLetter(TRole::North, TRole::South);
    if (latitudeLetter == TRole::Other || !ReadDegrees(&slots[FirstLongitudeSlot - 1])) return false;
    const TRole longitudeLetter = ReadLetter(TRole::East, TRole::West);
    if (longitudeLetter == TRole::Other || C != End) return false;
    latitude = Coordinate(&slots[0], latitudeLetter, TRole::South);
    longitude = Coordinate(&slots[FirstLongitudeSlot - 1], longitudeLetter, TRole::West);
    return true;
  }

private:
  static constexpr std::size_t MaxWholeDigits = 15;  // exact in a double

  [[gnu::always_inline]] void SkipBlanks() {
    while (C != End && *C == ' ') ++C;
  }
  // 0 to 9 for a digit, above 9 for any other byte.
  static unsigned DigitValue(char c) { return static_cast<unsigned char>(c) - unsigned{'0'}; }

  // Up to three numbers joined by colons into `dms`.
  [[gnu::always_inline]] bool ReadDegrees(double* dms) {
    if (ReadFixedDegrees(dms)) return true;
    for (int i = 0; i < 3; ++i) {
      if (!ReadNumber(dms[i])) return false;
      if (C == End || *C != ':') return true;
      ++C;
    }
    return false;  // a fourth number
  }

  // Digits, and a point with more digits; a whole number below 10^15 is its
  // digits' sum, which is what the number conversion gives.
  [[gnu::always_inline]] bool ReadNumber(double& number) {
    const char* const first = C;
    std::uint64_t whole = 0;
    for (unsigned digit; C != End && (digit = DigitValue(*C)) <= 9; ++C) whole = whole * 10 + digit;
    if (C == first) return false;
    const auto length = static_cast<std::size_t>(C - first);
    if (C != End && *C == '.') {
      const char* const fraction = ++C;
      while (C != End && IsDigit(*C)) ++C;
      if (C == fraction) return false;
    } else if (length <= MaxWholeDigits) {
      number = static_cast<double>(static_cast<std::int64_t>(whole));  // signed: no top bit to mind
      return true;
    }
    number = TextToNumber({first, static_cast<std::size_t>(C - first)});
    return true;
  }

  // The form of nearly every published file, ‹DD:MM:SS› or ‹DDD:MM:SS›
  // followed by a byte that ends the last number and the degrees, read at
  // fixed places where ten bytes are left.
  [[gnu::always_inline]] bool ReadFixedDegrees(double* dms) {
    // Its bytes are read up to C[9]: ‹DDD:MM:SS› and the byte after it.
    constexpr std::ptrdiff_t ReadAhead = 10;
    if (End - C < ReadAhead) return false;
    // ‹DDD:MM:SS› is its first digit, then the rest as ‹DD:MM:SS›; taken
    // without a branch on the form, as longitudes mix both at random.
    const bool threeDigits = C[2] != ':';
    const unsigned first = DigitValue(C[0]);
    if (threeDigits & (first > 9)) return false;
    const unsigned hundreds = threeDigits ? first : 0;
    const char* const p = C + threeDigits;
    unsigned pairs[3];
    if (!ReadTwoDigitFields(p, pairs)) return false;
    // A longer number, a fraction or a fourth number is no such form.
    if (DigitValue(p[8]) <= 9 || p[8] == '.' || p[8] == ':') return false;
    dms[0] = hundreds * 100 + pairs[0];
    dms[1] = pairs[1];
    dms[2] = pairs[2];
    C = p + 8;
    return true;
  }

  // ‹NN:NN:NN› at p, the three numbers into `pairs`; the eight bytes are
  // checked and summed as one word, low byte first on every machine.
  static bool ReadTwoDigitFields(const char* p, unsigned* pairs) {
    // One load where the compiler can make it so.
    const auto byte = [p](int i) { return std::uint64_t{static_cast<unsigned char>(p[i])} << 8 * i; };
    const std::uint64_t word = byte(0) | byte(1) | byte(2) | byte(3) | byte(4) | byte(5) | byte(6) | byte(7);
    constexpr std::uint64_t ColonBytes = 0x0000FF0000FF0000;  // bytes 2 and 5
    constexpr std::uint64_t Colons = 0x00003A00003A0000;
    constexpr std::uint64_t Zeros = 0x3030003030003030;  // "0" at the digits' bytes
    if ((word & ColonBytes) != Colons) return false;
    // A byte is a digit where it differs from "0" in the low four bits only,
    // by at most 9: then adding 6 leaves its high four bits empty.
    const std::uint64_t values = (word ^ Zeros) & ~ColonBytes;
    if (((values + 0x0606060606060606) | values) & 0xF0F0F0F0F0F0F0F0) return false;
    // Ten times each byte, plus the next: bytes 0, 3 and 6 are the pairs'
    // values, at most 99, so that no byte carries into the next.
    const std::uint64_t sums = values * 10 + (values >> 8);
    pairs[0] = static_cast<unsigned>(sums & 0xFF);
    pairs[1] = static_cast<unsigned>(sums >> 24 & 0xFF);
    pairs[2] = static_cast<unsigned>(sums >> 48 & 0xFF);
    return true;
  }

  // One of the two letters, in either case, with the blanks around it.
  [[gnu::always_inline]] TRole ReadLetter(TRole positive, TRole negative) {
    SkipBlanks();
    if (C == End) return TRole::Other;
    const TRole letter = CoordinateRoles[static_cast<unsigned char>(*C)];
    if (letter != positive && letter != negative) return TRole::Other;
    ++C;
    SkipBlanks();
    return letter;
  }

  const char* C;
  const char* const End;
};

}  // namespace

bool ReadUsualCoordinateText(std::string_view text, TCoordinates& coordinates) {
  TCoordinates read;
  try {
    if (!TUsualForm(text).Read(read.Latitude, read.Longitude)) return false;
  } catch (const EConvertError&) {
    return false;  // a number that fails before the form is known: the scanner tells how
  }
  coordinates = read;
  return true;
}

TCoordinates ScanCoordinateText(std::string_view text) {
  TCoordinateScanner scanner;
  for (const char c : text) scanner.Take(c);
  scanner.Finish();
  return {scanner.Latitude(), scanner.Longitude()};
}

// Flattened, so that the reading of every point keeps the usual form within
// it, whatever else calls that.
[[gnu::flatten]] TCoordinates ReadCoordinateText(std::string_view text) {
  TCoordinates coordinates;
  if (!ReadUsualCoordinateText(text, coordinates)) coordinates = ScanCoordinateText(text);
  return coordinates;
}
