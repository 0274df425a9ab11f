// Micro-benchmarks of the hot operations of a conversion.
#include <benchmark/benchmark.h>

#include <string>

#include "geodesy/Draw.h"
#include "io/Streams.h"
#include "model/AirspaceDraft.h"
#include "numtext/NumText.h"
#include "openair/AirspaceReader.h"
#include "openair/CoordinateText.h"
#include "openair/LineReader.h"
#include "openair/Tokens.h"
#include "zrn/AirspaceWriter.h"

namespace {

std::string PolygonText(int points) {
  std::string text = "AC R\r\nAN Bench area\r\n";
  for (int i = 0; i < points; ++i)
    text += "DP 5" + std::to_string(i % 10) + ":30:15 N 014:2" + std::to_string(i % 10) + ":30 E\r\n";
  return text;
}

void BM_ReadLineAndJoin(benchmark::State& state) {
  const std::string text = PolygonText(10000);
  std::string_view line;
  std::size_t joined = 0;
  for (auto _ : state) {
    TMemoryStream stream(text);
    TLineReader reader(stream);
    while (reader.ReadLine(line))
      if (!line.empty()) joined += JoinTokens(line.substr(2)).size();
    benchmark::DoNotOptimize(joined);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadLineAndJoin);

void BM_ReadPoint(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadPoint("50:30:15 N 014:20:30 E"));
}
BENCHMARK(BM_ReadPoint);

void BM_TextToNumber(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TextToNumber("014.25"));
}
BENCHMARK(BM_TextToNumber);

void BM_FormatFloat(benchmark::State& state) {
  double value = 14.341666666666667;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFloat(value));
    value += 1e-9;
  }
}
BENCHMARK(BM_FormatFloat);

void BM_FormatFixedPin(benchmark::State& state) {
  double value = 50.504166666666666;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFixed(value, PinPrecision, PinDigits));
    value += 1e-9;
  }
}
BENCHMARK(BM_FormatFixedPin);

void BM_WriteAirspaceOf100Points(benchmark::State& state) {
  TAirspaceDraft airspace;
  airspace.Name.Append("Bench area");
  for (int i = 0; i < 100; ++i) airspace.Border.AddPoint(ReadPoint("50:30:15 N 014:20:30 E"), 1);
  TDrawer drawer;
  const TDrawnAirspace drawn = drawer.Draw(airspace.View());
  for (auto _ : state) {
    TMemoryStream stream;
    WriteAirspace(drawn, stream);
    benchmark::DoNotOptimize(stream.Flush());
  }
}
BENCHMARK(BM_WriteAirspaceOf100Points);

void BM_ParseAirspaces(benchmark::State& state) {
  const std::string text = PolygonText(10000);
  for (auto _ : state) {
    TMemoryStream stream(text);
    benchmark::DoNotOptimize(ParseAirspaces(stream));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseAirspaces);

}  // namespace

BENCHMARK_MAIN();
