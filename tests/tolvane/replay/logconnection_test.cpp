#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "testutil/tempdir.h"
#include "tests/tolvane/replay/replay_util.h"

using namespace replaytest;
using testutil::LogCapture;

namespace {

// What a reader made of one show record, in metres and degrees.
struct Show {
  int time;
  int pmode;
  double ball[2];
  double slot0[3];
  double slot11[3];
};

struct Contents {
  std::vector<Show> shows;
  int messages = 0;
  std::string left;
  std::string right;
  std::vector<long> ends;  // the file position after each record read
  std::vector<int> modes;  // the kind of each record read
};

double metres(std::int32_t v) { return v / 65536.0; }
double degrees(std::int32_t v) { return v / 65536.0 * 180.0 / M_PI; }

Contents readAll(LogReader& r) {
  Contents c;
  while (r.readLog()) {
    c.ends.push_back(r.mLogFile.tell());
    c.modes.push_back(r.mtBuf2.mode);
    if (r.mtBuf2.mode == MSG_MODE) ++c.messages;
    if (r.mtBuf2.mode != SHOW_MODE) continue;
    const showinfo_t2& s = r.mtBuf2.show;
    const player_t& p0 = s.pos[0];
    const player_t& p11 = s.pos[11];
    c.shows.push_back({s.time, s.pmode, {metres(s.ball.x), metres(s.ball.y)},
                       {metres(p0.x), metres(p0.y), degrees(p0.body_angle)},
                       {metres(p11.x), metres(p11.y), degrees(p11.body_angle)}});
    c.left = s.team[0].name;
    c.right = s.team[1].name;
  }
  return c;
}

Contents readFile(const std::string& path, int& version) {
  LogReader r;
  version = r.openLog(path) ? r.mVersion : 0;
  return version ? readAll(r) : Contents();
}

// The values the data's README gives; x16 positions are exact, angles and
// version-3 values to their printed digits.
struct Expected {
  const char* file;
  int version;
  int shows;
  int messages;
  double ball1[2];
  double ball50[2];
  double slot0at1[3];
  double slot0at50[3];
  double slot11at50[3];
  double tolerance;
};

const double R2D = 180.0 / M_PI;
const Expected samples[] = {
    {"game-v1.rcg", 1, 98, 4, {29.9375, 1.0}, {-25.0, 11.1875}, {-27.3125, -5.8125, -123},
     {-34.6875, -11.75, 20}, {34.6875, 11.75, -20}, 1e-3},
    {"game-v2.rcg", 2, 98, 1, {30.0, 1.0}, {-24.9375, 11.1875}, {-27.3125, -5.8125, -123},
     {-34.6875, -11.75, 20}, {34.6875, 11.75, -20}, 1e-3},
    {"game-v3.rcg", 3, 99, 1, {30.0279, 0.9747}, {-24.912, 11.1912},
     {-27.3, -5.79, -2.1415 * R2D}, {-34.68, -11.75, 0.3578 * R2D}, {34.68, 11.75, -0.3578 * R2D},
     0.01},
};

} // namespace

// Every recorded log, plain and compressed, against the values of the data's
// README: cycles, play modes, teams and positions.
TEST(LogConnectionTest, ReadsTheSimulatorsLogs) {
  for (const Expected& e : samples) {
    for (const std::string suffix : {"", ".gz"}) {
      SCOPED_TRACE(e.file + suffix);
      int version = 0;
      LogCapture log({1053, 1054});
      const Contents c = readFile(dataFile(e.file + suffix), version);
      EXPECT_TRUE(log.has("Reading Logfile "));
      EXPECT_EQ(e.version, version);
      ASSERT_EQ(std::size_t(e.shows), c.shows.size());
      EXPECT_EQ(e.messages, c.messages);
      EXPECT_EQ("Tolvane", c.left);
      EXPECT_EQ("Opponent", c.right);
      for (int i = 0; i < e.shows; ++i) {
        const Show& s = c.shows[std::size_t(i)];
        EXPECT_EQ(i + 1, s.time);
        EXPECT_EQ(i + 1 >= 50 && i + 1 < 55 ? 8 : 3, s.pmode) << "cycle " << s.time;
      }
      const Show& c1 = c.shows[0];
      const Show& c50 = c.shows[49];
      for (int k = 0; k < 2; ++k) {
        EXPECT_NEAR(e.ball1[k], c1.ball[k], e.tolerance);
        EXPECT_NEAR(e.ball50[k], c50.ball[k], e.tolerance);
      }
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(e.slot0at1[k], c1.slot0[k], e.tolerance);
        EXPECT_NEAR(e.slot0at50[k], c50.slot0[k], e.tolerance);
        EXPECT_NEAR(e.slot11at50[k], c50.slot11[k], e.tolerance);
      }
      // The right team mirrors the left through the centre spot.
      EXPECT_NEAR(-c1.slot0[0], c1.slot11[0], e.tolerance);
      // The end of the log ends the replay once.
      EXPECT_TRUE(log.has("Replay of logfile "));
    }
  }
}

// The index holds, for each cycle, where reading reaches it: jumping there,
// backwards or forwards, reads that cycle again.
TEST(LogConnectionTest, PositionIndexJumpsBackAndForth) {
  for (const char* file : {"game-v1.rcg", "game-v3.rcg", "game-v3.rcg.gz"}) {
    SCOPED_TRACE(file);
    LogReader r;
    ASSERT_TRUE(r.openLog(dataFile(file)));
    while (r.mCurrent < 60) ASSERT_TRUE(r.readLog());
    const int reached = r.mCurrent;
    for (int cycle : {10, reached, 1, reached - 2, 5}) {
      ASSERT_GE(r.mLogFile.seek(r.mFilePos[cycle], SEEK_SET), 0);
      do ASSERT_TRUE(r.readLog());
      while (r.mtBuf2.mode != SHOW_MODE);
      EXPECT_EQ(cycle, r.mtBuf2.show.time);
      // A jump back enters nothing new.
      EXPECT_EQ(reached, r.mMaxPos);
    }
    // The play mode of a version-3 show comes from the record before it.
    ASSERT_GE(r.mLogFile.seek(r.mFilePos[50], SEEK_SET), 0);
    ASSERT_TRUE(r.readLog());
    EXPECT_EQ(8, r.mtBuf2.show.pmode);
  }

  // Cycles 5 then 8 enter the cycle-8 record at 6 to 8; 3 and 10000 change
  // no entry.
  LogReader r;
  for (const std::pair<int, long>& shown : {std::pair<int, long>{5, 100}, {8, 200}, {3, 300},
                                           {10000, 400}}) {
    r.mtBuf.show.time = static_cast<std::int16_t>(shown.first);
    r.newShowinfo(shown.second);
    EXPECT_EQ(shown.first, r.mCurrent);
  }
  EXPECT_EQ(8, r.mMaxPos);
  EXPECT_EQ((std::vector<long>{0, 100, 100, 100, 100, 100, 200, 200, 200, 0}),
            std::vector<long>(r.mFilePos, r.mFilePos + 10));
}

// A cut, a bad length or an endless run of nested records ends the replay
// with a log line; nothing is read beyond it.
TEST(LogConnectionTest, DamagedLogsEndCleanly) {
  testutil::TempDir dir;
  auto endsAfter = [&dir](const std::string& bytes, std::size_t shows, const char* line) {
    LogReader r;
    LogCapture log({1053, 1054});
    if (!r.openLog(dir.file("damaged.rcg", bytes))) return ::testing::AssertionFailure();
    const Contents c = readAll(r);
    const bool again = r.readLog();
    const std::string text = log.text();
    if (c.shows.size() != shows || again || text.find(line) == std::string::npos ||
        log.count("Replay of logfile ") != 1)
      return ::testing::AssertionFailure()
             << c.shows.size() << " shows, log:\n" << text;
    return ::testing::AssertionSuccess();
  };

  // Cut at every record boundary and one byte into every record.
  for (const char* file : {"game-v1.rcg", "game-v2.rcg", "game-v3.rcg"}) {
    int version = 0;
    const Contents whole = readFile(dataFile(file), version);
    const std::string bytes = readFile(dataFile(file));
    std::size_t shows = 0;
    for (std::size_t i = 0; i < whole.ends.size(); ++i) {
      if (whole.modes[i] == SHOW_MODE) ++shows;
      const std::size_t end = std::size_t(whole.ends[i]);
      EXPECT_TRUE(endsAfter(bytes.substr(0, end), shows, "can't read next")) << file << " " << end;
      EXPECT_TRUE(endsAfter(bytes.substr(0, end + 1), shows, "can't read next"))
          << file << " " << end + 1;
    }
  }

  // A compressed log cut in half: what inflates is read, then it ends.
  {
    const std::string gz = readFile(dataFile("game-v3.rcg.gz"));
    LogReader r;
    LogCapture log({1053, 1054});
    ASSERT_TRUE(r.openLog(dir.file("cut.rcg.gz", gz.substr(0, gz.size() / 2))));
    const Contents c = readAll(r);
    EXPECT_GT(c.shows.size(), 0u);
    EXPECT_LT(c.shows.size(), 99u);
    EXPECT_FALSE(r.readLog());
    EXPECT_EQ(1, log.count("Replay of logfile "));
  }

  auto kind = [](int k) { return std::string{char((k >> 8) & 0xff), char(k & 0xff)}; };
  const std::string header = "ULG\3";
  const std::string show = kind(SHOW_MODE) + std::string(SHORT_SHOWINFO_T2_SIZE, '\0');
  auto message = [&kind](int length, std::size_t text) {
    return kind(MSG_MODE) + kind(1) + kind(length) + std::string(text, 'x');
  };
  EXPECT_TRUE(endsAfter(header + show + message(-5, 10) + show, 1, "negative message length -5"));
  EXPECT_TRUE(endsAfter(header + message(0, 0) + show, 1, "Replay of logfile"));
  EXPECT_TRUE(endsAfter(header + message(3000, 3000) + show, 1, "message of 3000 bytes cut"));
  EXPECT_TRUE(endsAfter(header + message(32767, 100) + show, 0, "can't read next message."));
  EXPECT_TRUE(endsAfter(header + show + kind(4) + show, 1, "unknown mode 4 in logfile."));
  EXPECT_TRUE(endsAfter(kind(0) + kind(0) + "\3", 0, "can't read next dispinfo_t."));

  // Play-mode and teams records by the hundred thousand, then a show, then
  // the same run cut off.
  std::string run;
  for (int i = 0; i < 100000; ++i)
    run += i % 2 ? kind(TEAM_MODE) + std::string(TEAMS_RECORD_SIZE, 'a')
                 : kind(PM_MODE) + std::string(1, '\3');
  EXPECT_TRUE(endsAfter(header + run + show + run, 1, "can't read next dispinfo."));

  // Versions that cannot be read, and nothing to read, fail the open.
  for (const std::string& bad : {std::string("ULG\4"), std::string("ULG\0", 4),
                                 std::string("ULG\xff"), std::string("UL")}) {
    LogReader r;
    LogCapture log({1053});
    EXPECT_FALSE(r.openLog(dir.file("bad.rcg", bad)));
    EXPECT_TRUE(log.has(bad.size() < 4 ? "Can't read from logfile " : "Unsupported version "));
  }
  LogReader r;
  LogCapture log({1053});
  EXPECT_FALSE(r.openLog(dir.dir + "/missing.rcg"));
  EXPECT_TRUE(log.has("Can't open logfile " + dir.dir + "/missing.rcg."));
}
