#include "tolvane/logfile.h"

#include <gtest/gtest.h>

#include <string>

#include "testutil/tempdir.h"
#include "tests/tolvane/replay/replay_util.h"

using namespace replaytest;

// The recorded logs through the mode the replay uses: plain and compressed
// alike, counted in bytes.
TEST(LogFileTest, ReadsPlainAndCompressedLogs) {
  for (const char* name : {"game-v2.rcg", "game-v2.rcg.gz"}) {
    LogFile f;
    f.open(dataFile(name).c_str(), LogFile::READ | LogFile::BINARY);
    ASSERT_TRUE(f.open()) << name;
    char head[4];
    EXPECT_EQ(4, f.read(head, 4));
    EXPECT_EQ(std::string("ULG\2"), std::string(head, 4));
    EXPECT_EQ(4, f.tell());
    EXPECT_EQ(0, f.rewind());
    char all[40000];
    EXPECT_EQ(31219, f.read(all, sizeof(all)));
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(0, f.close());
    EXPECT_EQ(-1, f.close());
  }
}

TEST(LogFileTest, ModesChooseKindAndText) {
  testutil::TempDir dir;
  const std::string path = dir.file("log.bin", "");
  char text[] = "0123456789";
  char back[11] = {};

  // Level 0 writes plainly, a level compresses; reading takes both.
  LogFile w;
  w.open(path.c_str(), 0x200);
  ASSERT_TRUE(w.open());
  EXPECT_EQ(1, w.write(text, 10));
  w.close();
  w.open(path.c_str(), 0x205 | LogFile::BINARY);
  ASSERT_TRUE(w.open());
  EXPECT_EQ(10, w.write(text, 10));
  w.close();
  EXPECT_NE(std::string("0123456789"), readFile(path));
  LogFile r;
  r.open(path.c_str(), 0x900);
  EXPECT_TRUE(r.readAll(back, 10));
  EXPECT_STREQ("0123456789", back);
  EXPECT_FALSE(r.readAll(back, 1));

  // Reading and writing one file: "r+", which keeps what is there.
  dir.file("rw.bin", "abcdef");
  LogFile rw;
  rw.open((dir.dir + "/rw.bin").c_str(), 0x300);
  ASSERT_TRUE(rw.open());
  EXPECT_EQ(0, rw.seek(2, SEEK_SET));
  EXPECT_EQ(1, rw.write(text, 2));
  rw.close();
  EXPECT_EQ("ab01ef", readFile(dir.dir + "/rw.bin"));

  for (int invalid : {0x231, 0}) {
    LogFile f;
    testing::internal::CaptureStderr();
    f.open(path.c_str(), invalid);
    EXPECT_EQ("logfile: 89: Invalid mode\n", testing::internal::GetCapturedStderr());
    EXPECT_FALSE(f.open());
    EXPECT_EQ(-1, f.read(back, 1));
    EXPECT_EQ(-1, f.close());
  }
  LogFile plain;
  plain.open(path.c_str(), 0x230);  // level 0 makes filtered Huffman-only plain
  EXPECT_TRUE(plain.open());
}
