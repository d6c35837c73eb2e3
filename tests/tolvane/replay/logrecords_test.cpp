#include "tolvane/logrecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/tolvane/replay/replay_util.h"

using namespace replaytest;

// What the simulator sent to its monitors decodes field by field and
// encodes back to the same bytes; the modes of the records as decoded.
template <class Record>
std::vector<int> roundTrip(const char* capture, std::size_t size) {
  std::vector<int> modes;
  for (const std::string& frame : monitorFrames(capture)) {
    EXPECT_EQ(size, frame.size());
    Record rec{};
    decode(bytesOf(frame), rec);
    modes.push_back(rec.mode);
    std::string again(size, '\0');
    encode(rec, reinterpret_cast<unsigned char*>(&again[0]));
    if (rec.mode == SHOW_MODE) {
      EXPECT_EQ(frame, again);
    }
  }
  return modes;
}

TEST(LogRecordsTest, MonitorCapturesRoundTrip) {
  EXPECT_EQ(std::vector<int>(60, SHOW_MODE),
            roundTrip<dispinfo_t>("monitor-v1.bin", DISPINFO_T_SIZE));
  std::vector<int> expected = {PARAM_MODE, PPARAM_MODE};
  expected.insert(expected.end(), 18, PT_MODE);
  expected.insert(expected.end(), 60, SHOW_MODE);
  EXPECT_EQ(expected, roundTrip<dispinfo_t2>("monitor-v2.bin", DISPINFO_T2_SIZE));
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
  EXPECT_EQ((std::vector<int>{65536, -1048576, 102943, 777, 12}),
            (std::vector<int>{show.ball.x, show.pos[0].x, show.pos[0].body_angle,
                              show.pos[0].stamina, show.time}));

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
  // Slot 11 is the right team's number 1.
  EXPECT_EQ((std::vector<int>{-1789133, -436, 89, -89, -1, 1, 1, 11}),
            (std::vector<int>{v2rec.show.ball.x, v1rec.show.pos[0].x, v1rec.show.pos[1].angle,
                              v1rec.show.pos[12].angle, v1rec.show.pos[12].side,
                              v1rec.show.pos[12].unum, v1rec.show.pos[11].side,
                              v1rec.show.pos[11].unum}));
}
