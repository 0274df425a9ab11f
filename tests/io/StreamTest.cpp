// The buffered streams: what goes in comes out whatever the buffer size, a
// write failure is kept, and a read failure is never taken for the end; the
// growing text they build lines in.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <new>
#include <string>

#include "base/Errors.h"
#include "io/GrowingText.h"
#include "io/Streams.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "zrn/LineWriter.h"

namespace {

// Accepts `room` bytes, then fails with ENOSPC like a full disk.
class TFullStream : public TStream {
public:
  TFullStream(std::size_t room, std::size_t bufferSize) : TStream(bufferSize), Room(room) {}
  std::string Written;

protected:
  std::size_t ReadRaw(char*, std::size_t) override { return 0; }
  std::size_t WriteRaw(const char* buffer, std::size_t count) override {
    const std::size_t part = std::min(count, Room - Written.size());
    Written.append(buffer, part);
    if (part < count) Fail(ENOSPC);
    return part;
  }

private:
  std::size_t Room;
};

TEST(StreamTest, OneByteCallsRoundTripForEveryBufferSize) {
  std::string data;
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 7);
  for (const std::size_t size : {1, 2, 3, 64, 4096}) {
    TMemoryStream in(data, size);
    TMemoryStream out("", size);
    char c;
    while (in.Read(&c, 1) == 1) ASSERT_EQ(out.Write(&c, 1), 1u);
    EXPECT_EQ(in.Read(&c, 1), 0u);
    EXPECT_EQ(in.Read(&c, 1), 0u);
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(out.Data(), data) << size;
    // The same bytes through a cursor's runs up to each line feed, which
    // stop at the ends of the buffer as well.
    TMemoryStream again(data, size);
    TReadCursor cursor(again);
    std::string read;
    for (bool more = true; more;) {
      const auto take = [&read](char b) { read += b; };
      if (cursor.ReadBufferedUntil([](char b) { return b == '\n'; }, take, c) || (more = cursor.Read(c))) read += c;
    }
    EXPECT_EQ(read, data) << size;
  }
}

TEST(StreamTest, LargeCallsCrossBufferBoundaries) {
  const std::string data(10000, 'x');
  TMemoryStream in(data + "yz", 7);
  std::string got(10001, '\0');
  EXPECT_EQ(in.Read(got.data(), got.size()), 10001u);
  EXPECT_EQ(got, data + "y");
  TMemoryStream out("", 7);
  EXPECT_EQ(out.Write(data.data(), data.size()), data.size());
  out.Flush();
  EXPECT_EQ(out.Data(), data);
}

// Lines reach the stream whole whatever its buffer: inside one buffer, the
// usual case, or across its ends.
TEST(StreamTest, LinesCrossBufferBoundaries) {
  for (std::size_t size = 1; size <= 9; ++size) {
    TMemoryStream out("", size);
    WriteLine(out, "abcdefghijkl");
    WriteLine(out, {{"ab"}, {"cd", true}, {""}, {"ef"}});
    WriteLine(out, "x");
    out.Flush();
    EXPECT_EQ(out.Data(), "abcdefghijkl\r\nabCDef\r\nx\r\n") << "buffer size " << size;
  }
}

TEST(StreamTest, FirstWriteFailureIsKeptAndLaterWritesRefused) {
  TFullStream stream(5, 4);
  for (const char c : std::string("abcdefghij")) stream.Write(&c, 1);
  EXPECT_EQ(stream.Error(), ENOSPC);
  const char c = 'z';
  EXPECT_EQ(stream.Write(&c, 1), 0u);
  EXPECT_FALSE(stream.Flush());
  EXPECT_EQ(stream.Written, "abcde");
}

class FileStreamTest : public testing::Test {
protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("tarnel-stream-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::filesystem::path Dir;
};

#ifndef _WIN32
// The POSIX layer: the C library's texts, devices and /proc.
TEST_F(FileStreamTest, ReadingADirectoryFailsInsteadOfEndingEarly) {
  TFileStream stream(Dir.string(), TFileStream::TMode::OpenRead);
  char c;
  try {
    stream.Read(&c, 1);
    ADD_FAILURE() << "a failing read passed for the end of input";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message(), "Cannot read file \"" + Dir.string() + "\". Is a directory");
  }
}

TEST_F(FileStreamTest, OpenAndCreateFailuresNameTheFullPath) {
  const std::string missing = (Dir / "no" / "such.oa").string();
  try {
    TFileStream stream(missing, TFileStream::TMode::OpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  try {
    TFileStream stream(missing, TFileStream::TMode::Create);
    ADD_FAILURE();
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot create file \"" + missing + "\". No such file or directory");
  }
}

TEST_F(FileStreamTest, CloseReportsAFullDevice) {
  TFileStream stream("/dev/full", TFileStream::TMode::Create);
  stream.Write("x", 1);
  try {
    stream.Close();
    ADD_FAILURE() << "a failed write passed for success";
  } catch (const EWriteError& error) {
    EXPECT_EQ(error.Message(), "Cannot write file \"/dev/full\". No space left on device");
  }
}

TEST(FilesTest, NamesAndIdentity) {
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(ExpandFileName("a/./b/../c.oa"), cwd + "/a/c.oa");
  EXPECT_EQ(ExpandFileName("/x/../y//z"), "/y/z");
  EXPECT_EQ(ExpandFileName("/tmp/"), "/tmp");
  EXPECT_TRUE(FileExists("/dev/null"));
  EXPECT_FALSE(FileExists("/"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists("/no/such/file"));
  EXPECT_THROW(RefuseOutputThatIsTheInput("/proc/self/../self/status", "/proc/self/status"), EFCreateError);
  EXPECT_NO_THROW(RefuseOutputThatIsTheInput("/dev/null", "/no/such/file"));
  EXPECT_EQ(SystemErrorText(EBUSY), "Device or resource busy");
}

#else
// The Windows layer: the system's own texts, and files held without sharing.
TEST_F(FileStreamTest, OpenFilesAreNotShared) {
  const std::string name = (Dir / "in.oa").string();
  {
    TFileStream output(name, TFileStream::TMode::Create);
    output.Write("AC R", 4);
    output.Close();
  }
  TFileStream input(name, TFileStream::TMode::OpenRead);
  try {
    TFileStream again(name, TFileStream::TMode::Create);
    ADD_FAILURE() << "the open input was replaced";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot create file \"" + name + "\". " + SystemErrorText(ERROR_SHARING_VIOLATION));
  }
  char text[8] = {};
  EXPECT_EQ(input.Read(text, sizeof text), 4u);
  EXPECT_EQ(std::string(text), "AC R");
}

TEST(FilesTest, NamesAndTexts) {
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(ExpandFileName("a\\.\\b\\..\\c.oa"), cwd + "\\a\\c.oa");
  EXPECT_FALSE(FileExists(cwd));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists("no\\such\\file"));
  const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '.');
  EXPECT_NE(text.back(), '\n');
}
#endif

// Grows keeping its bytes; a size beyond what can be asked for is refused
// before any allocation, and leaves the text as it was.
TEST(GrowingTextTest, GrowsKeepingItsBytesAndRefusesImpossibleSizes) {
  TGrowingText text;
  std::string expected;
  for (int i = 0; i < 10000; ++i) {
    text.Append(static_cast<char>('a' + i % 26));
    expected += static_cast<char>('a' + i % 26);
  }
  text.Append(std::string_view("xyz"));
  expected += "xyz";
  TGrowingText moved(std::move(text));
  EXPECT_TRUE(text.Empty());  // NOLINT(bugprone-use-after-move): moved from, left empty
  for (const std::size_t count : {SIZE_MAX, SIZE_MAX / 2 - moved.Size() + 1})
    EXPECT_THROW(moved.Reserve(count), std::bad_alloc) << count;
  EXPECT_EQ(moved.View(), expected);
}

}  // namespace
