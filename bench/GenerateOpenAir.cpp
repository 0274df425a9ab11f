// Writes large OpenAir files for the benchmarks:
//   oagen SHAPE MEGABYTES LINE-END OUTPUT
// SHAPE is one of
//   polygons   blocks of AC, AN, AL, AH and D:M:S DP lines, like a real file
//   dp-block   one block of DP lines only
//   an-block   one block of AN lines only
//   one-line   a single line with no line break
//   an-words   a single AN line of short words between blanks, with no break
//   arcs       circles and arcs around random centres, some on two-decimal ties
//   blanks     blank lines only
//   comments   comment lines only
// LINE-END is crlf, lf or cr. The output is the same for the same arguments.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>

namespace {

std::string Coordinate(std::mt19937& random, int degreesLimit, const char* hemispheres) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*d:%02d:%02d %c", degreesLimit > 90 ? 3 : 2,
                static_cast<int>(random() % degreesLimit), static_cast<int>(random() % 60),
                static_cast<int>(random() % 60), hemispheres[random() % 2]);
  return text;
}

std::string PointLine(std::mt19937& random) {
  return "DP " + Coordinate(random, 90, "NS") + " " + Coordinate(random, 180, "EW");
}

class TWriter {
public:
  TWriter(const std::string& path, std::string lineEnd, std::size_t size)
      : Out(path, std::ios::binary), LineEnd(std::move(lineEnd)), Size(size) {}
  bool Full() const { return Written >= Size; }
  void Line(std::string_view text) {
    Out << text << LineEnd;
    Written += text.size() + LineEnd.size();
  }
  void Raw(std::string_view text) {
    Out << text;
    Written += text.size();
  }
  bool Good() const { return Out.good(); }

private:
  std::ofstream Out;
  std::string LineEnd;
  std::size_t Size;
  std::size_t Written = 0;
};

void Polygons(TWriter& out, std::mt19937& random) {
  for (int block = 0; !out.Full(); ++block) {
    out.Line("AC " + std::string(1, "RQPDC"[block % 5]));
    out.Line("AN Generated area " + std::to_string(block));
    out.Line("AL SFC");
    out.Line("AH 2500F AMSL");
    if (block % 7 == 0) out.Line("* a comment inside the block");
    const int points = 5 + static_cast<int>(random() % 40);
    for (int p = 0; p < points; ++p) out.Line(PointLine(random));
    out.Line("");
  }
}

// Airspaces of circles and arcs around random centres, a quarter of them
// with a longitude on a two-decimal tie (eighths of a degree: x.125, x.375,
// ...), where points due north or south of the centre keep it; each DB from
// 10' north of the centre to 10' east or west of it.
void Arcs(TWriter& out, std::mt19937& random) {
  const auto dms = [](int degrees, int minutes, int seconds, int width, char hemisphere) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*d:%02d:%02d %c", width, degrees, minutes, seconds, hemisphere);
    return std::string(text);
  };
  for (int block = 0; !out.Full(); ++block) {
    const int latitude = static_cast<int>(random() % 85), latitudeMinutes = static_cast<int>(random() % 40);
    const int longitude = static_cast<int>(random() % 179), longitudeMinutes = static_cast<int>(10 + random() % 40);
    const bool tie = block % 4 == 0;
    const int latitudeSeconds = static_cast<int>(random() % 60);
    const int longitudeSeconds = tie ? 30 : static_cast<int>(random() % 60);
    const int tieMinutes = static_cast<int>(random() % 4) * 15 + 7;  // 7'30" and so on: eighths
    const char north = "NS"[random() % 2], east = "EW"[random() % 2];
    const int centreMinutes = tie ? tieMinutes : longitudeMinutes;
    const std::string centreLatitude = dms(latitude, latitudeMinutes, latitudeSeconds, 2, north);
    out.Line("AC " + std::string(1, "RQPDC"[block % 5]));
    out.Line("AN Generated arcs " + std::to_string(block));
    out.Line("V X=" + centreLatitude + " " + dms(longitude, centreMinutes, longitudeSeconds, 3, east));
    const double radius = 0.5 + static_cast<double>(random() % 2000) / 20;
    out.Line("DC " + std::to_string(radius));
    out.Line(block % 2 ? "V D=-" : "V D=+");
    out.Line("DA " + std::to_string(radius) + ", " + std::to_string(random() % 360) + ", " +
             std::to_string(random() % 360));
    out.Line("DB " + dms(latitude, latitudeMinutes + 10, latitudeSeconds, 2, north) + " " +
             dms(longitude, centreMinutes, longitudeSeconds, 3, east) + ", " + centreLatitude + " " +
             dms(longitude, centreMinutes + (random() % 2 ? 10 : -7), longitudeSeconds, 3, east));
    out.Line("");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: oagen SHAPE MEGABYTES crlf|lf|cr OUTPUT\n";
    return 2;
  }
  const std::string shape = argv[1];
  const auto size = static_cast<std::size_t>(std::atof(argv[2]) * 1e6);
  const std::string ending = argv[3];
  const std::string lineEnd = ending == "crlf" ? "\r\n" : ending == "cr" ? "\r" : "\n";
  TWriter out(argv[4], lineEnd, size);
  std::mt19937 random(20110407);
  if (shape == "polygons") {
    Polygons(out, random);
  } else if (shape == "dp-block") {
    out.Line("AC R");
    while (!out.Full()) out.Line(PointLine(random));
  } else if (shape == "an-block") {
    out.Line("AC R");
    while (!out.Full()) out.Line("AN a name part of some length to fill the line up");
  } else if (shape == "one-line") {
    out.Raw("AN ");
    const std::string chunk(1 << 16, 'x');
    while (!out.Full()) out.Raw(chunk);
  } else if (shape == "arcs") {
    Arcs(out, random);
  } else if (shape == "an-words") {
    out.Raw("AN");
    while (!out.Full()) out.Raw(" Long name");
  } else if (shape == "blanks") {
    while (!out.Full()) out.Line("                      ");
  } else if (shape == "comments") {
    while (!out.Full()) out.Line("* a comment line of the usual kind, nothing in it");
  } else {
    std::cerr << "oagen: unknown shape " << shape << "\n";
    return 2;
  }
  return out.Good() ? 0 : 1;
}
