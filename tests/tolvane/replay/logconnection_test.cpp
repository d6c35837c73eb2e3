#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "testutil/tempdir.h"
#include "tests/tolvane/replay/replay_util.h"

using namespace replaytest;
using testutil::LogCapture;

namespace {

// One show record as read, in metres and degrees: the ball (x, y), slot 0
// and slot 11 (x, y, body direction).
struct Show {
  int time;
  int pmode;
  std::vector<double> values;
};

struct Contents {
  std::vector<Show> shows;
  int messages = 0;
  std::string teams;
  std::vector<long> ends;  // the file position after each record
  std::vector<int> modes;  // the kind of each record
};

Contents readAll(LogReader& r) {
  Contents c;
  while (r.readLog()) {
    c.ends.push_back(r.mLogFile.tell());
    c.modes.push_back(r.mtBuf2.mode);
    c.messages += r.mtBuf2.mode == MSG_MODE;
    if (r.mtBuf2.mode != SHOW_MODE) continue;
    const showinfo_t2& s = r.mtBuf2.show;
    std::vector<double> v = {s.ball.x / 65536.0, s.ball.y / 65536.0};
    for (const player_t& p : {s.pos[0], s.pos[11]})
      v.insert(v.end(), {p.x / 65536.0, p.y / 65536.0, p.body_angle / 65536.0 * 180.0 / M_PI});
    c.shows.push_back({s.time, s.pmode, v});
    c.teams = std::string(s.team[0].name) + " " + s.team[1].name;
  }
  return c;
}

// The values of the data's README (cycle 1: ball and slot 0; cycle 50: ball,
// slots 0 and 11); x16 positions are exact, the rest to its printed digits.
struct Expected {
  const char* file;
  int version;
  int shows;
  int messages;
  std::vector<double> cycle1;
  std::vector<double> cycle50;
  double tolerance;
};

const double R2D = 180.0 / M_PI;
const Expected samples[] = {
    {"game-v1.rcg", 1, 98, 4, {29.9375, 1.0, -27.3125, -5.8125, -123},
     {-25.0, 11.1875, -34.6875, -11.75, 20, 34.6875, 11.75, -20}, 1e-3},
    {"game-v2.rcg", 2, 98, 1, {30.0, 1.0, -27.3125, -5.8125, -123},
     {-24.9375, 11.1875, -34.6875, -11.75, 20, 34.6875, 11.75, -20}, 1e-3},
    {"game-v3.rcg", 3, 99, 1, {30.0279, 0.9747, -27.3, -5.79, -2.1415 * R2D},
     {-24.912, 11.1912, -34.68, -11.75, 0.3578 * R2D, 34.68, 11.75, -0.3578 * R2D}, 0.01},
};

} // namespace

// Every recorded log, plain and compressed, from the file and from a pipe:
// cycles, play modes, teams and positions.
TEST(LogConnectionTest, ReadsTheSimulatorsLogs) {
  for (const Expected& e : samples) {
    for (const std::string suffix : {"", ".gz"}) {
      for (const bool piped : {false, true}) {
        SCOPED_TRACE(e.file + suffix + (piped ? " piped" : ""));
        PipedFile pipe(piped ? dataFile(e.file + suffix) : "");
        LogReader r;
        LogCapture log({1053, 1054});
        ASSERT_TRUE(r.openLog(piped ? pipe.path : dataFile(e.file + suffix)));
        EXPECT_EQ(e.version, r.mVersion);
        const Contents c = readAll(r);
        ASSERT_EQ(std::size_t(e.shows), c.shows.size());
        EXPECT_EQ(e.messages, c.messages);
        EXPECT_EQ("Tolvane Opponent", c.teams);
        for (int i = 0; i < e.shows; ++i) {
          EXPECT_EQ(i + 1, c.shows[i].time);
          EXPECT_EQ(i + 1 >= 50 && i + 1 < 55 ? 8 : 3, c.shows[i].pmode) << "cycle " << i + 1;
        }
        for (std::size_t k = 0; k < e.cycle50.size(); ++k) {
          if (k < e.cycle1.size()) {
            EXPECT_NEAR(e.cycle1[k], c.shows[0].values[k], e.tolerance);
          }
          EXPECT_NEAR(e.cycle50[k], c.shows[49].values[k], e.tolerance);
        }
        // The players of every version are seen with their team names.
        std::string seen;
        char text[Connection::BUFFER_SIZE];
        r.mtBuf2.mode = SHOW_MODE;
        for (int slot = 0; slot < MAX_PLAYER_SLOTS; ++slot) {
          r.mComposer.setPlayer(slot);
          r.mComposer.composeSenseMessage(r.mtBuf2, nullptr);
          r.mComposer.composeSeeMessage(r.mtBuf2, text);
          seen += text;
        }
        EXPECT_NE(std::string::npos, seen.find("(p \"Opponent\""));
        EXPECT_NE(std::string::npos, seen.find("(p \"Tolvane\""));
      }
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
    for (int cycle : {10, 60, 1, 58, 50}) {
      ASSERT_GE(r.mLogFile.seek(r.mFilePos[cycle], SEEK_SET), 0);
      // A jump starts the time afresh: read on, it would be going back.
      r.mCurrent = 0;
      do ASSERT_TRUE(r.readLog());
      while (r.mtBuf2.mode != SHOW_MODE);
      EXPECT_EQ(cycle, r.mtBuf2.show.time);
      EXPECT_EQ(60, r.mMaxPos);
    }
    // Cycle 50's play mode comes from the record read with it.
    EXPECT_EQ(8, r.mtBuf2.show.pmode);
  }

  // Cycles 5 then 8 enter the cycle-8 record at 6 to 8; 7 (going back) and
  // 109 (leaping ahead) are refused; 10000 changes no entry.
  LogReader r;
  for (int t : {5, 8, 7, 109, 108, 10000}) {
    if (t == 10000) r.mCurrent = 9900;
    r.mtBuf2.show.time = static_cast<std::int16_t>(t);
    const bool refused = t == 7 || t == 109;
    EXPECT_EQ(!refused, r.newShowinfo(t * 10)) << t;
    EXPECT_EQ(refused ? 8 : t, r.mCurrent);
  }
  EXPECT_EQ(108, r.mMaxPos);
  EXPECT_EQ((std::vector<long>{0, 50, 50, 50, 50, 50, 80, 80, 80, 1080}),
            std::vector<long>(r.mFilePos, r.mFilePos + 10));
}

// A cut, a bad length or an endless run of nested records ends the replay
// with a log line; nothing is read beyond it. A log that breaks off inside a
// record, unlike one that ends between two, says so with its last cycle.
TEST(LogConnectionTest, DamagedLogsEndCleanly) {
  testutil::TempDir dir;
  // shows < 0: fewer than the whole log's; with pipeToo, through a pipe too.
  auto endsAfter = [&dir](const std::string& bytes, int shows, const char* line,
                          bool broken = true, bool pipeToo = true) {
    const std::string plain = bytes == "/dev/zero" ? bytes : dir.file("damaged.rcg", bytes);
    for (int piped = 0; piped <= (pipeToo && bytes != "/dev/zero"); ++piped) {
      PipedFile pipe(piped ? plain : "");
      LogReader r;
      LogCapture log({1053, 1054});
      const std::string file = piped ? pipe.path : plain;
      // Damage before the first show record is found by the open.
      const bool opened = r.openLog(file);
      const Contents c = opened ? readAll(r) : Contents();
      const int read = int(c.shows.size());
      const bool again = opened && r.readLog();
      const std::string why =
          broken ? "the game log " + file + " is damaged or cut off after cycle " +
                       std::to_string(c.shows.empty() ? 0 : c.shows.back().time)
                 : "";
      if ((shows < 0 ? read >= 99 : read != shows) || again || !log.has(line) ||
          log.count("Replay of logfile ") != 1 || r.whyFailed() != why)
        return ::testing::AssertionFailure() << file << ": " << read << " shows, "
                                             << r.whyFailed() << ", log:\n" << log.text();
    }
    return ::testing::AssertionSuccess();
  };

  // Cut at every record boundary and one byte into every record; piped in
  // the first records, which the look-ahead reads twice.
  for (const char* file : {"game-v1.rcg", "game-v2.rcg", "game-v3.rcg"}) {
    LogReader r;
    r.openLog(dataFile(file));
    const Contents whole = readAll(r);
    const std::string bytes = readFile(dataFile(file));
    int shows = 0;
    for (std::size_t i = 0; i < whole.ends.size(); ++i) {
      shows += whole.modes[i] == SHOW_MODE;
      for (long end : {whole.ends[i], whole.ends[i] + 1})
        EXPECT_TRUE(endsAfter(bytes.substr(0, std::size_t(end)), shows, "can't read next",
                              (std::size_t(end) < bytes.size() && end != whole.ends[i]) ||
                                  shows == 0,
                              i < 6))
            << file << " " << end;
    }
  }
  const std::string gz = readFile(dataFile("game-v3.rcg.gz"));
  EXPECT_TRUE(endsAfter(gz.substr(0, gz.size() / 2), -1, "can't read next"));

  auto kind = [](int k) { return std::string{char((k >> 8) & 0xff), char(k & 0xff)}; };
  const std::string header = "ULG\3";
  const std::string show = kind(SHOW_MODE) + std::string(SHORT_SHOWINFO_T2_SIZE, '\0');
  auto message = [&kind](int length, std::size_t text) {
    return kind(MSG_MODE) + kind(1) + kind(length) + std::string(text, 'x');
  };
  EXPECT_TRUE(endsAfter(header + show + message(-5, 10) + show, 1, "negative message length -5"));
  EXPECT_TRUE(endsAfter(header + message(0, 0) + show, 1, "can't read next dispinfo.", false));
  EXPECT_TRUE(
      endsAfter(header + message(3000, 3000) + show, 1, "message of 3000 bytes cut", false));
  EXPECT_TRUE(endsAfter(header + message(32767, 100) + show, 0, "can't read next message."));
  EXPECT_TRUE(endsAfter(header + show + kind(4) + show, 1, "unknown mode 4 in logfile."));

  // What no server records: a play mode beyond its last, a time going back,
  // an object more than 50 m beyond the field's lines. The cycle named is
  // the last one replayed.
  auto showAt = [&kind](int time, std::size_t at = 0, std::int32_t value = 0) {
    std::string r(SHORT_SHOWINFO_T2_SIZE, '\0');
    for (std::size_t i = 0; i < 4; ++i) r[at + i] = char(value >> (24 - 8 * i));
    r[1424] = char(time >> 8);
    r[1425] = char(time);
    return kind(SHOW_MODE) + r;
  };
  const std::int32_t farX = (52.5 + 50) * 65536, farY = (34 + 50) * 65536;
  EXPECT_TRUE(endsAfter(header + showAt(7) + showAt(7, 0, farX) + showAt(8, 24, -farY) +
                            kind(PM_MODE) + "\x33" + showAt(9) + kind(PM_MODE) + "\x34" + showAt(10),
                        4, "unknown play mode 52 in logfile."));
  EXPECT_TRUE(endsAfter(header + showAt(7) + showAt(6), 1, "show time going back"));
  EXPECT_TRUE(endsAfter(header + showAt(7) + showAt(8, 4, INT32_MIN), 1, "ball far off"));
  EXPECT_TRUE(endsAfter(header + showAt(7) + showAt(8, 20, farX + 1), 1, "player far off"));
  for (const auto& field : {std::pair<std::size_t, std::int32_t>{52, -1}, {36, 8 << 16}, {64, -1}})
    EXPECT_TRUE(endsAfter(header + showAt(7) + showAt(8, field.first, field.second), 1,
                          "in an impossible state"));
  EXPECT_TRUE(endsAfter(header + showAt(-1), 0, "show time going back"));
  // Version 1 from the endless device of zeros; a record beside its place.
  EXPECT_TRUE(endsAfter("/dev/zero", 0, "unknown mode 0 in logfile."));
  const std::string v3 = readFile(dataFile("game-v3.rcg"));
  // Across the end of cycle 48's record: its time is read from the next.
  LogReader whole;
  whole.openLog(dataFile("game-v3.rcg"));
  while (whole.mCurrent < 48) whole.readLog();
  const std::size_t end = std::size_t(whole.mLogFile.tell());
  EXPECT_TRUE(endsAfter(v3.substr(0, end - 7) + v3.substr(end + 5), 47, "leaping ahead"));
  // A version-2 show record's own play mode, one beyond the last.
  std::string v2 = readFile(dataFile("game-v2.rcg"));
  LogReader second;
  second.openLog(dataFile("game-v2.rcg"));
  while (second.mCurrent < 39) second.readLog();
  v2[std::size_t(second.mLogFile.tell()) + 2] = char(LOGGED_PLAY_MODES);
  EXPECT_TRUE(endsAfter(v2, 39, "unknown play mode in show record"));

  // Play-mode and teams records by the hundred thousand after a show, a
  // show, the same run cut off; before any show, they are no log.
  std::string run;
  for (int i = 0; i < 100000; ++i)
    run += i % 2 ? kind(TEAM_MODE) + std::string(TEAMS_RECORD_SIZE, 'a') : kind(PM_MODE) + "\3";
  EXPECT_TRUE(endsAfter(header + show + run + show + run, 2, "can't read next dispinfo.", false));
  EXPECT_TRUE(endsAfter(header + run + show, 0, "no show record in the first 64 KiB"));

  // Unreadable versions (a text log's named by its digit), a short, empty or
  // missing file and a directory fail the open, with the reason (@: the name).
  struct Bad { std::string bytes, line, why; };
  auto version = [](const char* bytes, const std::string& v) {
    return Bad{bytes, "Unsupported version " + v + " of logfile @.",
               "the game log @ has the unsupported version " + v +
                   "; the replay reads versions 1 to 3"};
  };
  const std::string cannot = "Can't read from logfile @.";
  const Bad bads[] = {
      version("ULG\4", "4"), version("ULG\xff", "-1"), version("ULG4", "4"), version("ULG5", "5"),
      version("ULG6\n(server_param ", "6"), {"UL", cannot, "cannot read from the game log @"},
      {"", cannot, "the game log @ is empty"},
      {"missing", "Can't open logfile @.", "cannot open the game log @: No such file or directory"},
      {"/", cannot, "cannot read from the game log @: Is a directory"}};
  for (const Bad& bad : bads) {
    LogReader r;
    LogCapture log({1053});
    const std::string name = bad.bytes == "missing" ? dir.dir + "/missing"
                             : bad.bytes == "/"     ? dir.dir
                                                    : dir.file("bad.rcg", bad.bytes);
    auto named = [&name](std::string text) { return text.replace(text.find('@'), 1, name); };
    EXPECT_FALSE(r.openLog(name));
    EXPECT_TRUE(log.has(named(bad.line))) << log.text();
    EXPECT_EQ(named(bad.why), r.whyFailed());
  }
}
