// Writes mutants of an OpenAir file for the sanitized program to convert:
// byte flips, truncations, repeated and very long lines, NUL bytes, line-end
// mixes, cut ranges; one to three of them a mutant.
//   openair_mutants INPUT COUNT SEED OUTPUT_PREFIX
// writes OUTPUT_PREFIX0.oa to OUTPUT_PREFIX<COUNT-1>.oa.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>

namespace {

using TRandom = std::mt19937_64;

std::size_t Below(TRandom& random, std::size_t n) { return n == 0 ? 0 : random() % n; }

// The start and end of the line around a place.
std::pair<std::size_t, std::size_t> LineAround(const std::string& text, std::size_t at) {
  const std::size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t end = text.find('\n', at);
  return {start == std::string::npos ? 0 : start + 1, end == std::string::npos ? text.size() : end + 1};
}

void Mutate(std::string& text, TRandom& random) {
  const std::size_t at = Below(random, text.size() + 1);
  switch (random() % 7) {
    case 0:  // byte flips
      for (int n = 1 + static_cast<int>(random() % 8); n > 0 && !text.empty(); --n)
        text[Below(random, text.size())] = static_cast<char>(random());
      break;
    case 1: text.resize(at); break;  // truncated anywhere, a line or a number cut short
    case 2: {                        // one line many times over
      const auto [start, end] = LineAround(text, at);
      const std::string line = text.substr(start, end - start);
      std::string lines;
      for (std::size_t n = 1 + Below(random, 2000); n > 0; --n) lines += line;
      text.insert(end, lines);
      break;
    }
    case 3: {  // a very long line of tokens
      std::string line = random() % 2 ? "AN" : "DP";
      for (std::size_t n = Below(random, 200000); n > 0; --n) line += " x0:1.N"[random() % 7];
      text.insert(LineAround(text, at).first, line + "\r\n");
      break;
    }
    case 4: text.insert(at, std::string(1 + Below(random, 4), '\0')); break;  // NUL bytes
    case 5:                                                                   // line ends mixed
      for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && random() % 3 == 0) {
          const char* ends[] = {"\r", "\r\n", "\r\r\n", "\n\n"};
          const std::string end = ends[random() % 4];
          text.replace(i, 1, end);
          i += end.size() - 1;
        }
      break;
    default: text.erase(at, Below(random, 4096)); break;  // a range cut out
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: openair_mutants INPUT COUNT SEED OUTPUT_PREFIX\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.eof() && !in.good()) return 1;
  TRandom random(std::strtoull(argv[3], nullptr, 10));
  const long count = std::strtol(argv[2], nullptr, 10);
  for (long i = 0; i < count; ++i) {
    std::string text = original;
    for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) Mutate(text, random);
    std::ofstream out(std::string(argv[4]) + std::to_string(i) + ".oa", std::ios::binary);
    out << text;
    if (!out) return 1;
  }
  return 0;
}
