// The program as a user meets it: banner, argument checks, file failures,
// the error report and exit codes, and console write failures.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "ProcessRunner.h"

namespace fs = std::filesystem;

namespace {

const std::string Sample = "AC R\r\nAN Test Area\r\nDP 50:30:00 N 014:20:00 E\r\n\r\n";

// Failures outside the reading of the input have no input line: place 0.
void ExpectReport(const std::string& stderrText, const std::string& className, const std::string& message,
                  const std::string& place = "00000000") {
  EXPECT_EQ(stderrText, "Exception " + className + " in module TARNEL at " + place + ".\r\n" + message + "\r\n\r\n");
}

class CliTest : public testing::Test {
protected:
  TScratchDir Dir;
};

TEST_F(CliTest, TooFewArgumentsPrintUsage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"in.oa"}}) {
    const TRunResult run = RunTarnel(args, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Stdout, Banner + ArgumentsMissing);
    EXPECT_EQ(run.Stderr, "");
    EXPECT_TRUE(fs::is_empty(Dir.Path()));
  }
}

TEST_F(CliTest, ExtraArgumentsAreIgnored) {
  WriteFile(Dir / "in.oa", Sample);
  const TRunResult run = RunTarnel({"in.oa", "out.zrn", "third", "fourth"}, Dir.Path());
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Stdout, Banner);
  EXPECT_EQ(run.Stderr, "");
  EXPECT_FALSE(ReadFile(Dir / "out.zrn").empty());
  EXPECT_FALSE(fs::exists(Dir / "third"));
}

// What only a process shows of the command line (ReadCommandLine's own
// test has the forms): --help and --version end the run before anything
// else, an unknown option or an unusable value ends it with the usage line
// and creates nothing, and the options reach the conversion wherever they
// stand.
TEST_F(CliTest, OptionsReachTheRun) {
  WriteFile(Dir / "in.oa", Sample + "V X=50:30:00 N 014:20:00 E\r\nDC 1\r\n");
  WriteFile(Dir / "--arcs", Sample);
  const auto error = [&](const std::string& message) { return Banner + "Error: " + message + "\r\n" + Usage + "\r\n"; };
  const std::string arcs = "1 airspace, 18 points; 0 arcs and 1 circle drawn; 0 left out\r\n";  // small: texts repeat
  struct TCase {
    std::vector<std::string> Args;
    int ExitCode;
    std::string Stdout;
    int Points;                 // in out.zrn; -1 where none is made
    std::string Latitude = {};  // of its first point, where given
  };
  const TCase cases[] = {
      {{"in.oa", "out.zrn", "--help", "--bad"}, 0, Help, -1},
      {{"--version", "--bad"}, 0, Banner, -1},
      {{"in.oa", "out.zrn", "--xyz"}, 1, error("Unknown option --xyz"), -1},
      {{"--decimals=x", "in.oa", "out.zrn"}, 1, error("Invalid value for --decimals: x"), -1},
      {{"--arcs", "in.oa"}, 1, Banner + ArgumentsMissing, -1},
      {{"in.oa", "out.zrn", "third", "--arcs"}, 0, Banner + arcs, 18},
      {{"--", "--arcs", "out.zrn"}, 0, Banner, 1},  // a file named --arcs, converted without arcs
      {{"in.oa", "--decimals", "06", "out.zrn", "--arcs"},
       0,
       Banner + "1 airspace, 73 points; 0 arcs and 1 circle drawn; 0 left out\r\n",
       73,
       "50.500000"},
      {{"--arc-tolerance=0.009", "in.oa", "out.zrn"}, 1, error("Invalid value for --arc-tolerance: 0.009"), -1},
      {{"--arc-tolerance=1000.5", "in.oa", "out.zrn"}, 1, error("Invalid value for --arc-tolerance: 1000.5"), -1},
      {{"--arc-tolerance=1e3", "in.oa", "out.zrn"}, 1, error("Invalid value for --arc-tolerance: 1e3"), -1},
      {{"--arc-tolerance=.5", "in.oa", "out.zrn"}, 1, error("Invalid value for --arc-tolerance: .5"), -1},
      {{"--encoding=latin-9", "in.oa", "out.zrn"}, 1, error("Invalid value for --encoding: latin-9"), -1},
      // 1 NM at 1 cm: k = 14, the least with 1 - cos(2.5°/k) <= 0.01 / 1852.
      {{"--arcs", "--arc-tolerance=0.01", "--decimals=6", "in.oa", "out.zrn"},
       0,
       Banner + "1 airspace, 1009 points; 0 arcs and 1 circle drawn; 0 left out\r\n",
       1009},
      {{"--arcs", "--arc-tolerance=1000", "--decimals=6", "in.oa", "out.zrn"},
       0,
       Banner + "1 airspace, 73 points; 0 arcs and 1 circle drawn; 0 left out\r\n",
       73},
      {{"--exclude-classes=r", "in.oa", "out.zrn"},
       0,
       Banner + "0 airspaces, 0 points; 1 airspace left out by filters\r\n",
       0},
  };
  for (const auto& c : cases) {
    fs::remove(Dir / "out.zrn");
    const TRunResult run = RunTarnel(c.Args, Dir.Path());
    std::string args;
    for (const std::string& arg : c.Args) args += arg + " ";
    EXPECT_EQ(run.ExitCode, c.ExitCode) << args;
    EXPECT_EQ(run.Stdout, c.Stdout) << args;
    EXPECT_EQ(run.Stderr, "") << args;
    EXPECT_EQ(fs::exists(Dir / "out.zrn"), c.Points >= 0) << args;
    const std::string output = fs::exists(Dir / "out.zrn") ? ReadFile(Dir / "out.zrn") : "";
    int points = 0;
    for (std::size_t at = 0; (at = output.find("<point ", at)) != std::string::npos; ++at) ++points;
    EXPECT_EQ(points, std::max(c.Points, 0)) << args;
    if (!c.Latitude.empty()) {
      EXPECT_NE(output.find("<point lat=\"" + c.Latitude + "\" lon="), std::string::npos) << args;
    }
  }
}

// With --arcs, a record that cannot be used is named on standard error and
// the run succeeds.
TEST_F(CliTest, ArcRecordsThatCannotBeUsedWarn) {
  WriteFile(Dir / "in.oa", "AC R\r\n* no centre yet\r\nDC 0.05\r\nDP 1:0:0 N 2:0:0 E\r\n");
  const TRunResult run = RunTarnel({"--arcs", "in.oa", "out.zrn"}, Dir.Path());
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Stdout, Banner + "1 airspace, 1 point; 0 arcs and 0 circles drawn; 1 left out; 2 warnings\r\n");
  EXPECT_EQ(run.Stderr,
            "Warning: line 1: airspace with 1 border point, fewer than 3\r\n"
            "Warning: line 3: no centre (no V X= before it), left out: DC 0.05\r\n");
}

// --check lists the findings on the standard output and touches no file;
// exit code 1 where one is an error. A second file name is a mistake.
TEST_F(CliTest, CheckListsFindingsAndWritesNothing) {
  const std::string border = "DP 50 N 14 E\r\nDP 51 N 14 E\r\n";
  WriteFile(Dir / "in.oa", "AC R\r\nAN A\r\nDP 50:11:52 N 013:1O:37 E\r\n" + border);
  WriteFile(Dir / "bad.oa", "AC R\r\nAN A\r\nDP 1:0:5-5 N 2 E\r\nDP 49 N 13 E\r\n" + border);
  const TRunResult warned = RunTarnel({"--check", "in.oa"}, Dir.Path());
  EXPECT_EQ(warned.ExitCode, 0);
  EXPECT_EQ(warned.Stdout, Banner +
                               "in.oa:3: warning: the letter O is no part of a coordinate\r\n0 errors, 1 warning\r\n"
                               "extent 50.00 N to 51.00 N, 13.03 E to 14.00 E\r\n");
  const TRunResult failed = RunTarnel({"--limits", "--check", "bad.oa"}, Dir.Path());
  EXPECT_EQ(failed.ExitCode, 1);
  EXPECT_EQ(failed.Stdout, Banner +
                               "bad.oa:3: error: '5-5' is not a number\r\n1 error, 0 warnings\r\n"
                               "extent 49.00 N to 51.00 N, 13.00 E to 14.00 E\r\n");
  const TRunResult two = RunTarnel({"--check", "in.oa", "out.zrn"}, Dir.Path());
  EXPECT_EQ(two.ExitCode, 1);
  EXPECT_EQ(two.Stdout,
            Banner + "Error: --check takes one file\r\nUsage: TARNEL --check [options] <input-file[.oa]>\r\n\r\n");
  EXPECT_FALSE(fs::exists(Dir / "out.zrn"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()), 2);
}

TEST_F(CliTest, MissingOrDirectoryInputLeavesTheOutputAlone) {
  fs::create_directory(Dir / "folder.oa");
  for (const char* input : {"missing.oa", "folder.oa"}) {
    WriteFile(Dir / "out.zrn", "keep me");
    const TRunResult run = RunTarnel({input, "out.zrn"}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1) << input;
    EXPECT_EQ(run.Stdout, Banner + "Error: The specified input file doesn't exist...\r\n") << input;
    EXPECT_EQ(run.Stderr, "");
    EXPECT_EQ(ReadFile(Dir / "out.zrn"), "keep me");
  }
  const TRunResult run = RunTarnel({"missing.oa", "new.zrn"}, Dir.Path());
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_FALSE(fs::exists(Dir / "new.zrn"));
}

// Linux has no share modes, so the program itself refuses an output that is
// the open input, whatever the spelling.
TEST_F(CliTest, OutputThatIsTheInputIsRefusedAndTheInputKept) {
  fs::create_directory(Dir / "sub");
  WriteFile(Dir / "in.oa", Sample);
  fs::create_hard_link(Dir / "in.oa", Dir / "hard.oa");
  fs::create_symlink("in.oa", Dir / "soft.oa");
  const std::string full = (Dir / "in.oa").string();
  const std::pair<std::string, std::string> spellings[] = {
      {"in.oa", full},
      {"./in.oa", full},
      {full, full},
      {"sub/../in.oa", full},
      {"hard.oa", (Dir / "hard.oa").string()},
      {"soft.oa", (Dir / "soft.oa").string()},
  };
  for (const auto& [output, shown] : spellings) {
    const TRunResult run = RunTarnel({"in.oa", output}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1) << output;
    EXPECT_EQ(run.Stdout, Banner);
    ExpectReport(run.Stderr, "EFCreateError", "Cannot create file \"" + shown + "\". It is the input file.");
    EXPECT_EQ(ReadFile(Dir / "in.oa"), Sample) << output;
  }
  // And the other way round: the input named through a link to the output.
  const TRunResult run = RunTarnel({"soft.oa", "in.oa"}, Dir.Path());
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(ReadFile(Dir / "in.oa"), Sample);
  // Names that lead to the input only once it is open: its descriptor, as
  // the program gets it (the lowest free one, found by trying each), and
  // standard input read from it.
  int refused = 0;
  for (int fd = 3; fd <= 8; ++fd)
    for (const std::string& name : {"/proc/self/fd/" + std::to_string(fd), "/dev/fd/" + std::to_string(fd)}) {
      const TRunResult byDescriptor = RunTarnel({"in.oa", name}, Dir.Path());
      EXPECT_EQ(ReadFile(Dir / "in.oa"), Sample) << name;
      EXPECT_EQ(byDescriptor.ExitCode, 1) << name;  // the input, or no file at all
      if (byDescriptor.Stderr.find("\". It is the input file.") != std::string::npos) ++refused;
    }
  EXPECT_EQ(refused, 2) << "the input's descriptor, by both names";
  const TRunResult fromStdin =
      RunTarnel({"in.oa", "/dev/stdin"}, Dir.Path(), TStdout::Captured, TStdin::Inherited, Dir / "in.oa");
  EXPECT_EQ(fromStdin.ExitCode, 1);
  EXPECT_NE(fromStdin.Stderr.find("It is the input file."), std::string::npos);
  EXPECT_EQ(ReadFile(Dir / "in.oa"), Sample);
}

// An existing OpenAir file is never replaced by an output, as when the two
// arguments are swapped; any other existing file is.
TEST_F(CliTest, OpenAirFileAsOutputIsRefusedAndKept) {
  WriteFile(Dir / "in.oa", Sample);
  const auto utf16 = [](const std::string& text, bool bigEndian) {
    std::string wide;
    for (const char c : text) wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return wide;
  };
  const std::string openAir[] = {
      Sample,
      "\xEF\xBB\xBF* header\n\n\t  ac R\n",
      "* only a DP line\r\ndp 1:0:0 N 2:0:0 E\r\n",
      "an Name\r\n",
      std::string(1048000, '*') + "\r\nAC R\r\n",  // within the first MiB
      "\xFF\xFE" + utf16(Sample, false),           // UTF-16 as Notepad saves it
      utf16("* no mark\r\n" + Sample, true),
  };
  for (const std::string& existing : openAir) {
    WriteFile(Dir / "old.oa", existing);
    const TRunResult run = RunTarnel({"in.oa", "old.oa"}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1) << existing.substr(0, 40);
    EXPECT_EQ(run.Stdout, Banner);
    ExpectReport(
        run.Stderr, "EFCreateError",
        "Cannot create file \"" + (Dir / "old.oa").string() + "\". It holds OpenAir airspaces and is not replaced.");
    EXPECT_EQ(ReadFile(Dir / "old.oa"), existing);
  }
  // A previous output, an empty file, a keyword without a value, other text.
  const std::string others[] = {
      "  <airspace class=\"R\" name=\"\" pin=\"0.00000000000 0.00000000000\">\r\n  </airspace>\r\n",
      "",
      "AC\r\nAN \t\r\n* AC R\r\nDPX 1\r\n",
      "notes about AC R\n",
      "\x1F\x8B\x08\x00AC R\n",                    // gzip
      std::string(1048576, '*') + "\r\nAC R\r\n",  // beyond the first MiB: not told
  };
  for (const std::string& existing : others) {
    WriteFile(Dir / "out.zrn", existing);
    const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 0) << existing.substr(0, 40);
    EXPECT_EQ(ReadFile(Dir / "out.zrn").substr(0, 11), "  <airspace") << existing.substr(0, 40);
  }
  EXPECT_EQ(RunTarnel({"in.oa", "/dev/null"}, Dir.Path()).ExitCode, 0);
}

TEST_F(CliTest, UncreatableOutputsReportTheSystemText) {
  WriteFile(Dir / "in.oa", Sample);
  fs::create_directory(Dir / "folder");
  const struct {
    std::string Output, Shown, Reason;
  } cases[] = {
      {"nodir/out.zrn", (Dir / "nodir/out.zrn").string(), "No such file or directory"},
      {"folder", (Dir / "folder").string(), "Is a directory"},
  };
  for (const auto& c : cases) {
    const TRunResult run = RunTarnel({"in.oa", c.Output}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Stdout, Banner);
    ExpectReport(run.Stderr, "EFCreateError", "Cannot create file \"" + c.Shown + "\". " + c.Reason + ".");
  }
}

// A socket file exists but cannot be opened as a file (even by root).
TEST_F(CliTest, InputThatCannotBeOpenedReportsTheOpenFailure) {
  const std::string socketPath = (Dir / "in.sock").string();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const TRunResult run = RunTarnel({"in.sock", "out.zrn"}, Dir.Path());
  ::close(fd);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Stdout, Banner);
  ExpectReport(run.Stderr, "EFOpenError", "Cannot open file \"" + socketPath + "\". No such device or address.");
  EXPECT_FALSE(fs::exists(Dir / "out.zrn"));
}

TEST_F(CliTest, ConsoleWriteFailuresEndThroughTheReport) {
  WriteFile(Dir / "in.oa", Sample);
  const struct {
    TStdout Out;
    const char* Message;
  } cases[] = {
      {TStdout::DevFull, "Disk full."},
      {TStdout::Closed, "I/O error 9."},
      {TStdout::BrokenPipe, "I/O error 32."},
  };
  for (const auto& c : cases) {
    const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, Dir.Path(), c.Out);
    EXPECT_EQ(run.Signal, 0) << c.Message;
    EXPECT_EQ(run.ExitCode, 1) << c.Message;
    ExpectReport(run.Stderr, "EInOutError", c.Message);
    EXPECT_FALSE(fs::exists(Dir / "out.zrn")) << "the banner comes before the files";
  }
}

// Names that cannot lead to a file: too long, a loop of links, a path
// through a file.
TEST_F(CliTest, InputNamesThatCannotExist) {
  WriteFile(Dir / "file", Sample);
  fs::create_symlink("loop2", Dir / "loop1");
  fs::create_symlink("loop1", Dir / "loop2");
  for (const std::string& input : {std::string(5000, 'x'), std::string("loop1"), std::string("file/in.oa")}) {
    const TRunResult run = RunTarnel({input, "out.zrn"}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Stdout, Banner + "Error: The specified input file doesn't exist...\r\n") << input.substr(0, 20);
    EXPECT_FALSE(fs::exists(Dir / "out.zrn"));
  }
}

TEST_F(CliTest, FifoAsInputAndOutputIsRefused) {
  ASSERT_EQ(::mkfifo((Dir / "pipe").c_str(), 0600), 0);
  const TRunResult run = RunTarnel({"pipe", "pipe"}, Dir.Path());
  EXPECT_EQ(run.ExitCode, 1);
  ExpectReport(run.Stderr, "EFCreateError",
               "Cannot create file \"" + (Dir / "pipe").string() + "\". It is the input file.");
}

// An output FIFO waits for its reader, then gets the whole output; a reader
// that goes away early is a write error, not a hang nor a death by signal.
TEST_F(CliTest, FifoOutputWaitsForItsReaderAndFailsWhereItGoes) {
  using namespace std::chrono_literals;
  WriteFile(Dir / "small.oa", Sample);
  std::string large;
  for (int i = 0; i < 5000; ++i) large += Sample;  // far more output than a pipe holds
  WriteFile(Dir / "large.oa", large);
  ASSERT_EQ(RunTarnel({"small.oa", "small.zrn"}, Dir.Path()).ExitCode, 0);
  ASSERT_EQ(::mkfifo((Dir / "pipe").c_str(), 0600), 0);
  for (const bool readAll : {true, false}) {
    std::future<std::string> reader = std::async(std::launch::async, [&] {
      std::this_thread::sleep_for(300ms);  // the run has reached its output by now
      const int fd = ::open((Dir / "pipe").c_str(), O_RDONLY);
      std::string got(1 << 16, '\0');
      std::size_t size = 0;
      for (ssize_t n; (readAll || size == 0) && (n = ::read(fd, got.data() + size, got.size() - size)) > 0;) {
        size += static_cast<std::size_t>(n);
        if (size == got.size()) got.resize(2 * size);
      }
      ::close(fd);
      got.resize(size);
      return got;
    });
    const TRunResult run = RunTarnel({readAll ? "small.oa" : "large.oa", "pipe"}, Dir.Path());
    // A reader that came after the run ended still waits in its open: released.
    if (reader.wait_for(5s) != std::future_status::ready)
      ::close(::open((Dir / "pipe").c_str(), O_WRONLY | O_NONBLOCK));
    const std::string got = reader.get();
    if (readAll) {
      EXPECT_EQ(run.ExitCode, 0);
      EXPECT_EQ(got, ReadFile(Dir / "small.zrn"));
    } else {
      EXPECT_EQ(run.ExitCode, 1);
      EXPECT_EQ(run.Signal, 0);
      ExpectReport(run.Stderr, "EWriteError", "Cannot write file \"" + (Dir / "pipe").string() + "\". Broken pipe.");
    }
  }
}

// An output that may be written but not read is replaced, as any writer
// replaces it; root reads every file, so the run is made as nobody.
// An input that is not OpenAir is refused before the output is touched: by
// its first bytes, or where no line of its first MiB is a record; one of
// nothing but comments converts, to an empty output.
TEST_F(CliTest, InputThatIsNotOpenAirIsRefused) {
  std::string random, wide = "\xFF\xFE";
  std::mt19937 bytes(31);
  for (int i = 0; i < 100000; ++i) random += static_cast<char>(bytes());
  for (const char c : Sample) wide += std::string{c, '\0'};
  const std::string notOpenAir = "Error: The input file is not an OpenAir file...\r\n";
  const struct {
    std::string Input;
    std::string Says;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Placemark>AC R</Placemark>\n", ""},
      {"{\"type\": \"FeatureCollection\", \"features\": []}\n", ""},
      {"  <airspace class=\"R\" name=\"X\" pin=\"0.00000000000 0.00000000000\">\r\n  </airspace>\r\n", ""},
      {"notes\r\n" + std::string(1048576, '*') + "\r\nAC R\r\n", ""},  // its first record beyond the first MiB
      {random, ""},
      {"\x1F\x8B\x08\x00" + random, "It is a gzip file: unpack it first.\r\n"},
      {std::string("PK\x03\x04", 4) + random, "It is a zip file: unpack it first.\r\n"},
      {wide, "It is UTF-16 text: save it as ANSI or UTF-8.\r\n"},
  };
  for (const auto& c : cases) {
    WriteFile(Dir / "in.txt", c.Input);
    WriteFile(Dir / "out.zrn", "kept");
    const TRunResult run = RunTarnel({"in.txt", "out.zrn"}, Dir.Path());
    EXPECT_EQ(run.ExitCode, 1) << c.Input.substr(0, 30);
    EXPECT_EQ(run.Stdout, Banner + notOpenAir + c.Says) << c.Input.substr(0, 30);
    EXPECT_EQ(ReadFile(Dir / "out.zrn"), "kept");
  }
  // Swapped: the output named is the OpenAir file.
  WriteFile(Dir / "old.oa", Sample);
  const TRunResult swapped = RunTarnel({"out.zrn", "old.oa"}, Dir.Path());
  EXPECT_EQ(
      swapped.Stdout,
      Banner + "Error: The input file is not an OpenAir file, but the output file is: are the two swapped?...\r\n");
  EXPECT_EQ(ReadFile(Dir / "old.oa"), Sample);
  // Comments alone, a record after text, a first record late in the first MiB.
  for (const std::string& input : {std::string("* comments\r\n\r\n*only\r\n"), std::string("title\r\nAC R\r\n"),
                                   std::string(1040000, '*') + "\r\nDP 1 N 2 E\r\n"}) {
    WriteFile(Dir / "in.txt", input);
    EXPECT_EQ(RunTarnel({"in.txt", "out.zrn"}, Dir.Path()).ExitCode, 0) << input.substr(0, 20);
  }
}

// An output that is the standard output holds ZRN alone: the messages go to
// the standard error stream, or nowhere where that is the output too.
TEST_F(CliTest, MessagesKeepOutOfAnOutputThatIsAStandardStream) {
  WriteFile(Dir / "in.oa", Sample + "V X=50:30:00 N 014:20:00 E\r\nDC 1\r\nDC x\r\n");
  WriteFile(Dir / "expected.oa", Sample + "V X=50:30:00 N 014:20:00 E\r\nDC 1\r\nDC x\r\n");
  ASSERT_EQ(RunTarnel({"--arcs", "expected.oa", "expected.zrn"}, Dir.Path()).ExitCode, 0);
  const std::string zrn = ReadFile(Dir / "expected.zrn");
  const std::string warning = "Warning: line 7: 'x' is not a number, left out: DC x\r\n";
  const std::string summary = "1 airspace, 18 points; 0 arcs and 1 circle drawn; 1 left out; 1 warning\r\n";
  const TRunResult piped = RunTarnel({"--arcs", "in.oa", "/dev/stdout"}, Dir.Path());
  EXPECT_EQ(piped.ExitCode, 0);
  EXPECT_EQ(piped.Stdout, zrn);
  EXPECT_EQ(piped.Stderr, Banner + warning + summary);
  const TRunResult both = RunTarnel({"--arcs", "in.oa", "/dev/stdout"}, Dir.Path(), TStdout::CapturedWithStderr);
  EXPECT_EQ(both.ExitCode, 0);
  EXPECT_EQ(both.Stdout, zrn);
}

TEST_F(CliTest, OutputThatCannotBeReadIsKept) {
  WriteFile(Dir / "in.oa", Sample);
  // Run as nobody where the tests run as root, from a copy in the scratch
  // folder: the build may lie where nobody cannot reach it.
  fs::permissions(Dir.Path(), fs::perms::all);
  fs::permissions(Dir / "in.oa", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::copy_file(TARNEL_PATH, Dir / "TARNEL");
  const struct {
    fs::perms Permissions;
    std::vector<std::pair<int, rlim_t>> Limits;
    std::string Reason;
  } cases[] = {
      {fs::perms::owner_write, {}, "Permission denied"},
      {fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read,
       {{RLIMIT_NOFILE, 5}},
       "Too many open files"},
  };
  for (const auto& c : cases) {
    if (TARNEL_SANITIZED && !c.Limits.empty()) {
      std::cout << "no limit of open files under the sanitizers, whose checks need descriptors of their own\n";
      continue;
    }
    WriteFile(Dir / "out.zrn", "AC R\r\n");
    fs::permissions(Dir / "out.zrn", c.Permissions);
    if (::getuid() == 0) {
      ASSERT_EQ(::chown((Dir / "out.zrn").c_str(), NobodyId, NobodyId), 0);
    }
    const TRunResult run = RunTarnelLimited({"in.oa", "out.zrn"}, Dir.Path(), {c.Limits, {}, Dir / "TARNEL", true});
    EXPECT_EQ(run.ExitCode, 1) << c.Reason;
    ExpectReport(run.Stderr, "EFCreateError",
                 "Cannot create file \"" + (Dir / "out.zrn").string() +
                     "\". It could not be read to check that it holds no OpenAir airspaces (" + c.Reason + ").");
    fs::permissions(Dir / "out.zrn", fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadFile(Dir / "out.zrn"), "AC R\r\n");
  }
}

// With standard input and error closed, the output file must not take the
// error stream's descriptor and receive the report.
TEST_F(CliTest, ClosedStandardStreamsDoNotCatchTheReport) {
  WriteFile(Dir / "in.oa", "DP 1:2:x:: N\r\n");
  const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, Dir.Path(), TStdout::Captured, TStdin::ClosedWithStderr);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(ReadFile(Dir / "out.zrn"), "");
}

TEST_F(CliTest, ParseFailuresShowTheirInputLine) {
  std::string input;
  for (int line = 1; line < 15000; ++line) input += line % 3 ? "DP 1:2:3 N 4:5:6 E\n" : "* comment\r";
  WriteFile(Dir / "in.oa", input + "DP 1:2:3 N 4:5:6.7.8 E\r\n");
  const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, Dir.Path());
  ExpectReport(run.Stderr, "EConvertError", "'6.7.8' is not a valid floating point value.", "00003A98");
}

TEST_F(CliTest, OutputGetsTheUsualPermissions) {
  WriteFile(Dir / "in.oa", Sample);
  const mode_t old = ::umask(022);
  const TRunResult run = RunTarnel({"in.oa", "out.zrn"}, Dir.Path());
  ::umask(old);
  ASSERT_EQ(run.ExitCode, 0);
  EXPECT_EQ(fs::status(Dir / "out.zrn").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

}  // namespace

// The GeoJSON file and the page follow the output's rules: refused where
// they are the input, the output or an OpenAir file, and left empty by a
// run that fails.
TEST_F(CliTest, MapOutputsFollowTheOutputsRules) {
  WriteFile(Dir / "in.oa", Sample);
  WriteFile(Dir / "old.oa", Sample);
  WriteFile(Dir / "bad.oa", Sample + "AC R\r\nDP 1-1 N 2 E\r\n");
  const auto path = [&](const char* name) { return (Dir / name).string(); };
  const struct {
    std::vector<std::string> Args;
    std::string Report;  // empty where the run succeeds
  } cases[] = {
      {{"--geojson=in.oa", "in.oa", "out.zrn"}, "Cannot create file \"" + path("in.oa") + "\". It is the input file."},
      {{"--preview=out.zrn", "in.oa", "out.zrn"},
       "Cannot create file \"" + path("out.zrn") + "\". It is another output of this run."},
      {{"--geojson=g.json", "--preview=g.json", "in.oa", "out.zrn"},
       "Cannot create file \"" + path("g.json") + "\". It is another output of this run."},
      {{"--geojson=old.oa", "in.oa", "out.zrn"},
       "Cannot create file \"" + path("old.oa") + "\". It holds OpenAir airspaces and is not replaced."},
      {{"--geojson=g.json", "--preview=p.html", "bad.oa", "out.zrn"}, "'1-1' is not a valid floating point value"},
      {{"--geojson", "g.json", "--preview", "p.html", "in.oa", "out.zrn"}, ""},
  };
  for (const auto& c : cases) {
    WriteFile(Dir / "g.json", "stale");
    WriteFile(Dir / "p.html", "stale");
    const TRunResult run = RunTarnel(c.Args, Dir.Path());
    EXPECT_EQ(run.ExitCode, c.Report.empty() ? 0 : 1) << c.Args[0];
    EXPECT_NE(run.Stderr.find(c.Report), std::string::npos) << run.Stderr;
    EXPECT_EQ(ReadFile(Dir / "in.oa"), Sample);
    EXPECT_EQ(ReadFile(Dir / "old.oa"), Sample);
    if (c.Args[2] != "bad.oa") continue;
    EXPECT_EQ(ReadFile(Dir / "g.json"), "") << "a failed run leaves the GeoJSON empty";
    EXPECT_EQ(ReadFile(Dir / "p.html"), "") << "and the page";
  }
  EXPECT_EQ(ReadFile(Dir / "g.json").rfind("{\"type\":\"FeatureCollection\",\"features\":[\n", 0), 0u);
  EXPECT_NE(ReadFile(Dir / "p.html").find("TEST AREA"), std::string::npos);
}
