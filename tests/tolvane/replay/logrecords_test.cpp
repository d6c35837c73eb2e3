#include "tolvane/logrecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/tolvane/replay/replay_util.h"

using namespace replaytest;

// What the simulator sent to its monitors decodes field by field and
// encodes back to the same bytes.
TEST(LogRecordsTest, MonitorCapturesRoundTrip) {
  const std::vector<std::string> v1 = monitorFrames("monitor-v1.bin");
  ASSERT_EQ(60u, v1.size());
  for (const std::string& frame : v1) {
    ASSERT_EQ(DISPINFO_T_SIZE, frame.size());
    dispinfo_t rec{};
    decode(bytesOf(frame), rec);
    ASSERT_EQ(SHOW_MODE, rec.mode);
    std::string again(DISPINFO_T_SIZE, '\0');
    encode(rec, reinterpret_cast<unsigned char*>(&again[0]));
    EXPECT_EQ(frame, again);
  }

  const std::vector<std::string> v2 = monitorFrames("monitor-v2.bin");
  ASSERT_EQ(80u, v2.size());
  std::vector<int> modes;
  int lastTime = -1;
  for (const std::string& frame : v2) {
    ASSERT_EQ(DISPINFO_T2_SIZE, frame.size());
    dispinfo_t2 rec{};
    decode(bytesOf(frame), rec);
    modes.push_back(rec.mode);
    if (rec.mode != SHOW_MODE) continue;
    std::string again(DISPINFO_T2_SIZE, '\0');
    encode(rec, reinterpret_cast<unsigned char*>(&again[0]));
    EXPECT_EQ(frame, again);
    EXPECT_GE(rec.show.time, lastTime);
    lastTime = rec.show.time;
    // The show time stands where the relay looks for it.
    ByteReader r(bytesOf(frame) + DISPINFO_T2_TIME_OFFSET, 2);
    EXPECT_EQ(rec.show.time, r.int16());
  }
  std::vector<int> expected = {PARAM_MODE, PPARAM_MODE};
  expected.insert(expected.end(), 18, PT_MODE);
  expected.insert(expected.end(), 60, SHOW_MODE);
  EXPECT_EQ(expected, modes);
  EXPECT_EQ(47, lastTime);
}

// Version 1 to 2 and back, with the values worked out by hand.
TEST(LogRecordsTest, ConversionsBetweenVersions) {
  showinfo_t old{};
  old.time = 12;
  old.pos[0].x = 16;    // the ball at 1 m
  old.pos[1].x = -256;  // slot 0 at -16 m, facing 90 degrees
  old.pos[1].angle = 90;
  showinfo_t2 show{};
  show.pos[0].stamina = 777;  // not carried by version 1: left as it is
  convertShowinfo(old, show);
  EXPECT_EQ(65536, show.ball.x);
  EXPECT_EQ(-1048576, show.pos[0].x);
  EXPECT_EQ(102943, show.pos[0].body_angle);
  EXPECT_EQ(777, show.pos[0].stamina);
  EXPECT_EQ(12, show.time);

  short_showinfo_t2 v3{};
  v3.ball.x = -1789133;           // -27.3 m: -436.8 at x16, cut to -436
  v3.pos[0].body_angle = 102943;  // 89.9994 degrees, cut to 89
  v3.pos[11].body_angle = -102943;
  team_t teams[2] = {};
  std::strcpy(teams[1].name, "Right");
  dispinfo_t2 v2rec{};
  dispinfo_t v1rec{};
  buildShowRecords(PM_FreeKick_Left, teams, v3, v2rec, v1rec);
  EXPECT_EQ(PM_FreeKick_Left, v2rec.show.pmode);
  EXPECT_STREQ("Right", v2rec.show.team[1].name);
  EXPECT_EQ(-1789133, v2rec.show.ball.x);
  EXPECT_EQ(-436, v1rec.show.pos[0].x);
  EXPECT_EQ(89, v1rec.show.pos[1].angle);
  EXPECT_EQ(-89, v1rec.show.pos[12].angle);
  // Slot 11 is the right team's number 1.
  EXPECT_EQ((std::vector<int>{-1, 1, 1, 11}),
            (std::vector<int>{v1rec.show.pos[12].side, v1rec.show.pos[12].unum,
                              v1rec.show.pos[11].side, v1rec.show.pos[11].unum}));
}
