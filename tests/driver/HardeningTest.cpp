// Bad input on purpose: every run ends with exit code 0, or with the error
// report and exit code 1; never with a signal, and never at the cost of the
// input file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "ProcessRunner.h"

namespace fs = std::filesystem;

namespace {

// Runs TARNEL on the input and checks how it ended and that the input is kept.
TRunResult ConvertChecked(const TScratchDir& dir, const std::string& input) {
  WriteFile(dir / "in.oa", input);
  const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, dir.Path());
  EXPECT_EQ(run.Signal, 0);
  EXPECT_TRUE(run.ExitCode == 0 || run.ExitCode == 1) << run.ExitCode;
  if (run.ExitCode == 1) {
    const bool refused = run.Stdout == Banner + "Error: The input file is not an OpenAir file...\r\n";
    EXPECT_TRUE(refused || run.Stderr.rfind("Exception ", 0) == 0) << run.Stdout << run.Stderr;
    EXPECT_EQ(ReadFile(dir / "out.zrn"), "") << "a failed run wrote output";
    EXPECT_TRUE(!refused || !fs::exists(dir / "out.zrn")) << "a refused input's output was created";
  }
  EXPECT_TRUE(ReadFile(dir / "in.oa") == input) << "the input changed";
  return run;
}

TEST(HardeningTest, FiftyMegabyteLineWithoutBreak) {
  TScratchDir dir;
  const std::size_t length = 50'000'000;
  const TRunResult run = ConvertChecked(dir, "AN " + std::string(length, 'x'));
  ASSERT_EQ(run.ExitCode, 0);
  const std::string output = ReadFile(dir / "out.zrn");
  EXPECT_EQ(output.size(), length + std::string("  <airspace class=\"\" name=\"\" pin=\"0.00000000000 0.00000000000\">"
                                                "\r\n  </airspace>\r\n")
                                        .size());
  const std::string opening = "  <airspace class=\"\" name=\"";
  EXPECT_EQ(output.substr(0, opening.size() + 20), opening + std::string(20, 'X'));
}

TEST(HardeningTest, PointWithAHundredThousandNumbers) {
  TScratchDir dir;
  std::string line = "AC R\r\nDP";
  for (int i = 0; i < 100000; ++i) line += " 1";
  ASSERT_EQ(ConvertChecked(dir, line + "\r\n").ExitCode, 0);
  EXPECT_NE(ReadFile(dir / "out.zrn").find("<point lat=\"1.02\" lon=\"1.02\"/>"), std::string::npos);
}

TEST(HardeningTest, NumbersOfFiveThousandDigits) {
  const std::string huge(5000, '9');
  TScratchDir dir;
  const TRunResult overflow = ConvertChecked(dir, "DP " + huge + " N\r\n");
  EXPECT_EQ(overflow.ExitCode, 1);
  EXPECT_NE(overflow.Stderr.find("\r\n'" + huge + "' is not a valid floating point value.\r\n"), std::string::npos);

  const TRunResult tiny =
      ConvertChecked(dir, "DP 0." + std::string(4998, '0') + "1 N 1." + std::string(4999, '0') + " E\r\n");
  ASSERT_EQ(tiny.ExitCode, 0);
  EXPECT_NE(ReadFile(dir / "out.zrn").find("<point lat=\"0.00\" lon=\"1.00\"/>"), std::string::npos);
}

TEST(HardeningTest, EveryByteInEveryField) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  for (const char* record : {"AC ", "AN ", "AT ", "DP ", "V ", "", "* "}) {
    TScratchDir dir;
    ConvertChecked(dir, std::string(record) + allBytes + "\r\nAN after\r\n");
  }
  // Every byte alone after each keyword, all in one file.
  std::string input;
  for (const char* record : {"AC ", "AN ", "AT ", "DP "})
    for (int b = 0; b < 256; ++b) input += std::string(record) + static_cast<char>(b) + "1\r\n";
  TScratchDir dir;
  ConvertChecked(dir, input);
}

TEST(HardeningTest, RandomBytes) {
  std::mt19937 random(1234);
  const std::string alphabet = "ACNTDPLHV :.-0123456789NSEW\r\n\t*\"',\xb0\xff";
  for (int round = 0; round < 40; ++round) {
    std::string input;
    for (int i = 0; i < 2000; ++i)
      input += round % 2 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
    TScratchDir dir;
    ConvertChecked(dir, input);
  }
}

TEST(HardeningTest, InputFromAFifo) {
  TScratchDir dir;
  const fs::path fifo = dir / "in.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const pid_t writer = ::fork();
  if (writer == 0) {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    const std::string text = "AC R\nAN From a pipe\nDP 50:30:00 N 014:20:00 E\n";
    const bool ok = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(ok ? 0 : 1);
  }
  const TRunResult run = RunTarnel({"in.fifo", "out.zrn"}, dir.Path());
  int status = 0;
  ::waitpid(writer, &status, 0);
  EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
  EXPECT_EQ(ReadFile(dir / "out.zrn"),
            "  <airspace class=\"R\" name=\"FROM A PIPE\" pin=\"0.00000000000 0.00000000000\">\r\n"
            "    <border>\r\n      <point lat=\"50.50\" lon=\"14.33\"/>\r\n    </border>\r\n  </airspace>\r\n");
}

}  // namespace
