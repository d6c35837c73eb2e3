#include "tolvane/logfile.h"

#include <gtest/gtest.h>

#include <string>

#include "testutil/tempdir.h"
#include "tests/tolvane/replay/replay_util.h"

TEST(LogFileTest, ModesChooseKindAndText) {
  testutil::TempDir dir;
  const std::string path = dir.file("log.bin", "abcdef");
  char text[] = "0123456789";
  char back[11] = {};

  // Reading and writing one file is "r+": what is there stays.
  LogFile f;
  f.open(path.c_str(), 0x300);
  ASSERT_TRUE(f.open());
  EXPECT_EQ(0, f.seek(2, SEEK_SET));
  EXPECT_EQ(1, f.write(text, 2));
  EXPECT_EQ(0, f.close());
  EXPECT_EQ(-1, f.close());
  EXPECT_EQ("ab01ef", replaytest::readFile(path));

  // A level compresses; the replay's mode reads it back by bytes.
  f.open(path.c_str(), 0x205 | LogFile::BINARY);
  EXPECT_EQ(10, f.write(text, 10));
  f.close();
  EXPECT_NE("0123456789", replaytest::readFile(path));
  f.open(path.c_str(), LogFile::READ | LogFile::BINARY);
  EXPECT_TRUE(f.readAll(back, 10));
  EXPECT_STREQ("0123456789", back);
  EXPECT_FALSE(f.readAll(back, 1));

  // Kept bytes are read again after a seek back, and let go once read past.
  f.open(path.c_str(), LogFile::READ | LogFile::BINARY);
  f.keep(true);
  ASSERT_TRUE(f.readAll(back, 4));
  f.keep(false);
  EXPECT_EQ(1, f.seek(-3, SEEK_CUR));
  ASSERT_TRUE(f.readAll(back, 5));
  EXPECT_EQ(2, f.seek(2, SEEK_SET));
  ASSERT_TRUE(f.readAll(back + 5, 3));
  EXPECT_EQ("12345234", std::string(back, 8));

  // Failures are told to the caller, not printed.
  testing::internal::CaptureStderr();
  for (int invalid : {0x231, 0}) {
    f.open(path.c_str(), invalid);
    EXPECT_EQ("invalid mode", f.why());
    EXPECT_FALSE(f.open());
    EXPECT_EQ(-1, f.read(back, 1));
  }
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
}
