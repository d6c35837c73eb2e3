#include "tolvane/logconnection.h"

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_ERROR = 1053;
const unsigned int ZONE_INFO = 1054;

// A team name as text: it ends at its first NUL or with its array.
std::string teamName(const team_t& t) {
  return std::string(t.name, strnlen(t.name, sizeof(t.name)));
}

// The version byte of a header as the log writes it: the simulator's text
// logs an ASCII digit ("ULG6"), its binary logs a small number.
int writtenVersion(unsigned char b) {
  if (b >= '0' && b <= '9') return b - '0';
  return static_cast<signed char>(b);
}

} // namespace

LogConnection::LogConnection()
    : mVersion(1), mtBuf(), mtBuf2(), mPlayMode(PM_Null), mTeams(), mShowInfo(), mCurrent(0),
      mMaxPos(0), mFilePos(), mState(INVALID), mEnded(false), mRecordStart(0), mShown(false) {
  // A version-1 show record carries no view mode, stamina or motion; the
  // replayed player then looks as the server starts a player: at rest,
  // normal high view, full stamina.
  for (player_t& p : mtBuf2.show.pos) {
    p.view_width = std::int32_t(MessageComposer::NORMAL) << 16;
    p.view_quality = MessageComposer::HIGH;
    p.stamina = static_cast<std::int32_t>(SP->stamina_max * 65536.0);
    p.effort = 65536;
    p.recovery = 65536;
  }
}

LogConnection::~LogConnection() { close(); }

vekbase::TimevalXL LogConnection::now() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return vekbase::TimevalXL(long(ts.tv_sec), long(ts.tv_nsec / 1000));
}

void LogConnection::logError(const std::string& text) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_ERROR) << text << "\n";
}

bool LogConnection::open() {
  mFailure.clear();
  // What can be found wrong without a monitor is said before waiting for
  // one, which may never come.
  if (!mComposer.setPlayer(CP->offlinePlayer())) {
    mFailure = "offline_player " + std::to_string(CP->offlinePlayer()) +
               " names no player slot (0 to 21)";
    return false;
  }
  if (!openLog(CP->offlineLogfile())) return false;
  mMonitor.setPortNum(CP->monitorPort());
  if (!mMonitor.init()) {
    mLogFile.close();
    mFailure = "cannot serve monitors: " + mMonitor.whyFailed();
    return false;
  }
  mMonitor.waitForConnection();
  return true;
}

bool LogConnection::openLog(const std::string& name) {
  mLogName = name;
  mFailure.clear();
  startReplay();
  mLogFile.open(name.c_str(), LogFile::READ | LogFile::BINARY);
  if (!mLogFile.open()) {
    logError("Can't open logfile " + name + ".");
    mFailure = "cannot open the game log " + name + ": " + mLogFile.why();
    return false;
  }

  // What the checks below read is kept and read again by the replay: a
  // pipe, a FIFO or standard input cannot go back.
  mLogFile.keep(true);
  unsigned char head[4];
  if (!mLogFile.readAll(head, sizeof(head))) {
    const bool empty = mLogFile.tell() == 0 && mLogFile.why().empty();
    mLogFile.close();
    logError("Can't read from logfile " + name + ".");
    mFailure = empty ? "the game log " + name + " is empty"
                     : "cannot read from the game log " + name;
    if (!mLogFile.why().empty()) mFailure += ": " + mLogFile.why();
    return false;
  }
  mVersion = 1;
  long first = 0;
  if (head[0] == 'U' && head[1] == 'L' && head[2] == 'G') {
    mVersion = static_cast<signed char>(head[3]);
    first = sizeof(head);
  }
  // Nothing of another version can be read: better said now than after a
  // replay of nothing.
  if (mVersion < 1 || mVersion > 3) {
    mLogFile.close();
    const std::string version = std::to_string(writtenVersion(head[3]));
    logError("Unsupported version " + version + " of logfile " + name + ".");
    mFailure = "the game log " + name + " has the unsupported version " + version +
               "; the replay reads versions 1 to 3";
    return false;
  }

  // A log that is damaged before its first show record, or has none, ends
  // here rather than after a monitor has come.
  mLogFile.seek(first, SEEK_SET);
  while (readLog() && mtBuf2.mode != SHOW_MODE) {
  }
  if (!mShown && mFailure.empty())
    mFailure = damagedText();
  if (!mFailure.empty()) {
    mLogFile.close();
    return false;
  }
  // Back to the first record, among the bytes kept since the header: this
  // works on a pipe too.
  startReplay();
  mLogFile.keep(false);
  mLogFile.seek(first, SEEK_SET);

  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_INFO)
      << "Reading Logfile " << name << " (version " << mVersion << "), using player index "
      << mComposer.getPlayer() << "\n";
  return true;
}

void LogConnection::startReplay() {
  mEnded = false;
  mShown = false;
  mCurrent = 0;
  mMaxPos = 0;
  mPlayMode = PM_Null;
  std::memset(mTeams, 0, sizeof(mTeams));
}

void LogConnection::close() { mLogFile.close(); }

bool LogConnection::sendMessage(const std::string&) { return true; }

bool LogConnection::sendMessage(const char*) { return true; }

bool LogConnection::sendInitializeMessage() {
  mState = GEN_INIT_MSG;
  return true;
}

bool LogConnection::connected() const { return false; }

bool LogConnection::readBytes(void* buf, unsigned int len, const char* failure) {
  // A run of records without a show record (a file of zeros, an endless
  // device) must not be read for ever.
  if (!mShown && mLogFile.tell() + long(len) > NO_SHOW_LIMIT) {
    logError("no show record in the first 64 KiB of the logfile.");
    return false;
  }
  if (mLogFile.readAll(buf, len)) return true;
  logError(failure);
  return false;
}

bool LogConnection::skipBytes(unsigned int len, const char* failure) {
  unsigned char scratch[512];
  while (len > 0) {
    const unsigned int n = std::min<unsigned int>(len, sizeof(scratch));
    if (!readBytes(scratch, n, failure)) return false;
    len -= n;
  }
  return true;
}

bool LogConnection::readKind(std::int16_t& kind, const char* failure) {
  unsigned char b[2];
  if (!readBytes(b, sizeof(b), failure)) return false;
  kind = ByteReader(b, sizeof(b)).int16();
  return true;
}

bool LogConnection::readLog() {
  if (mEnded) return false;
  bool read = false;
  switch (mVersion) {
  case 1: read = readLogOldVersion(); break;
  case 2: read = readLogVersion2(); break;
  case 3: read = readLogVersion3(); break;
  default: break;
  }
  if (!read) {
    // An unreadable record leaves no trustworthy place to go on from. A
    // log that ends between two records has simply been read to its end.
    mEnded = true;
    if (mLogFile.tell() != mRecordStart)
      mFailure = damagedText();
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_INFO)
        << "Replay of logfile " << mLogName << " ended after cycle " << mCurrent << "\n";
  }
  return read;
}

std::string LogConnection::damagedText() const {
  return "the game log " + mLogName + " is damaged or cut off after cycle " +
         std::to_string(mCurrent);
}

bool LogConnection::takeShowinfo(long pos) {
  convertShowinfo(mtBuf.show, mtBuf2.show);
  // The teams of an older log come with every show record.
  mComposer.setTeamNames(teamName(mtBuf.show.team[0]).c_str(),
                         teamName(mtBuf.show.team[1]).c_str());
  return newShowinfo(pos);
}

bool LogConnection::readLogOldVersion() {
  const long pos = mLogFile.tell();
  mRecordStart = pos;
  unsigned char record[DISPINFO_T_SIZE];
  if (!readBytes(record, sizeof(record), "can't read next dispinfo_t.")) return false;
  decode(record, mtBuf);
  mtBuf2.mode = mtBuf.mode;
  if (mtBuf.mode == SHOW_MODE) return takeShowinfo(pos);
  if (mtBuf.mode == MSG_MODE) mtBuf2.msg = mtBuf.msg;
  // A drawing is known and passed over; any other kind is damage.
  if (mtBuf.mode == MSG_MODE || mtBuf.mode == DRAW_MODE) return true;
  logError("unknown mode " + std::to_string(std::uint16_t(mtBuf.mode)) + " in logfile.");
  return false;
}

bool LogConnection::readMessage(const char* boardFailure, const char* lengthFailure,
                                const char* textFailure) {
  std::int16_t length = 0;
  if (!readKind(mtBuf.msg.board, boardFailure)) return false;
  if (!readKind(length, lengthFailure)) return false;
  if (length < 0) {
    logError("negative message length " + std::to_string(length) + " in logfile.");
    return false;
  }
  const unsigned int kept = std::min<unsigned int>(length, MSG_TEXT_SIZE);
  std::memset(mtBuf.msg.message, 0, sizeof(mtBuf.msg.message));
  if (!readBytes(mtBuf.msg.message, kept, textFailure)) return false;
  if (unsigned(length) > kept) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_ERROR)
        << "message of " << length << " bytes cut to " << kept << "." << "\n";
    if (!skipBytes(length - kept, textFailure)) return false;
  }
  mtBuf2.msg = mtBuf.msg;
  return true;
}

bool LogConnection::readLogVersion2() {
  const long pos = mLogFile.tell();
  mRecordStart = pos;
  std::int16_t kind = 0;
  if (!readKind(kind, "can't read next dispinfo_t2.")) return false;
  mtBuf.mode = kind;
  mtBuf2.mode = kind;
  if (kind == SHOW_MODE) {
    unsigned char record[SHOWINFO_T_SIZE];
    if (!readBytes(record, sizeof(record), "can't read next showinfo_t2.")) return false;
    decode(record, mtBuf.show);
    return takeShowinfo(pos);
  }
  if (kind == MSG_MODE)
    return readMessage("can't read next message board.", "can't read next message length.",
                       "can't read next message text.");
  logError("unknown mode " + std::to_string(std::uint16_t(kind)) + " in logfile.");
  return false;
}

bool LogConnection::readLogVersion3() {
  const long pos = mLogFile.tell();
  // Play-mode and teams records only set what the next record carries: a
  // long run of them is read here, one after the other.
  for (;;) {
    mRecordStart = mLogFile.tell();
    std::int16_t kind = 0;
    if (!readKind(kind, "can't read next dispinfo.")) return false;
    mtBuf2.mode = kind;
    switch (kind) {
    case SHOW_MODE: {
      mtBuf.mode = kind;
      unsigned char record[SHORT_SHOWINFO_T2_SIZE];
      if (!readBytes(record, sizeof(record), "can't read next show struct.")) return false;
      decode(record, mShowInfo);
      buildShowRecords(mPlayMode, mTeams, mShowInfo, mtBuf2, mtBuf);
      return newShowinfo(pos);
    }
    case MSG_MODE:
      mtBuf.mode = kind;
      return readMessage("can't read next board info.", "can't read next message length.",
                         "can't read next message.");
    case PM_MODE:
      if (!readBytes(&mPlayMode, 1, "can't read next play mode info.")) return false;
      if (mPlayMode >= LOGGED_PLAY_MODES) {
        logError("unknown play mode " + std::to_string(int(mPlayMode)) + " in logfile.");
        return false;
      }
      break;
    case TEAM_MODE: {
      unsigned char record[TEAMS_RECORD_SIZE];
      if (!readBytes(record, sizeof(record), "can't read next team info.")) return false;
      decode(record, mTeams[0]);
      decode(record + TEAM_T_SIZE, mTeams[1]);
      mComposer.setTeamNames(teamName(mTeams[0]).c_str(), teamName(mTeams[1]).c_str());
      break;
    }
    case PT_MODE: return skipBytes(PLAYER_TYPE_T_SIZE, "can't read next mode info.");
    case PARAM_MODE: return skipBytes(SERVER_PARAMS_T_SIZE, "can't read next param info.");
    case PPARAM_MODE: return skipBytes(PLAYER_PARAMS_T_SIZE, "can't read next pparam info.");
    default:
      logError("unknown mode " + std::to_string(std::uint16_t(kind)) + " in logfile.");
      return false;
    }
  }
}

namespace {

// An object this far beyond the field's lines (52.5 m and 34 m from the
// centre) is none a server recorded; in the show record's fixed point.
const std::int64_t FAR_X = std::int64_t((52.5 + 50.0) * 65536);
const std::int64_t FAR_Y = std::int64_t((34.0 + 50.0) * 65536);

// Limits of the other fixed-point values, with room to spare: no object
// moves 50 m in a cycle, no direction exceeds a turn, no view is wider than
// a half turn, no count or stamina is negative, and effort and recovery lie
// between 0 and 1.
const std::int64_t ONE = 65536;
const std::int64_t FASTEST = 50 * ONE;
const std::int64_t TURN = 7 * ONE;
// A server records every cycle: a show time this far beyond the last one is
// the time of a record read out of its place.
const int MAX_TIME_STEP = 100;

bool farOff(std::int32_t x, std::int32_t y) {
  return std::abs(std::int64_t(x)) > FAR_X || std::abs(std::int64_t(y)) > FAR_Y;
}

bool within(std::int64_t v, std::int64_t lowest, std::int64_t highest) {
  return v >= lowest && v <= highest;
}

bool impossible(const player_t& p) {
  bool counts = true;
  for (std::int16_t c : {p.kick_count, p.dash_count, p.turn_count, p.say_count, p.tneck_count,
                         p.catch_count, p.move_count, p.chg_view_count})
    counts = counts && c >= 0;
  return !counts || !within(p.deltax, -FASTEST, FASTEST) || !within(p.deltay, -FASTEST, FASTEST) ||
         !within(p.body_angle, -TURN, TURN) || !within(p.head_angle, -TURN, TURN) ||
         !within(p.view_width, 0, 4 * ONE) || !within(p.view_quality, 0, 1) ||
         p.stamina < 0 || !within(p.effort, 0, 2 * ONE) || !within(p.recovery, 0, 2 * ONE);
}

} // namespace

bool LogConnection::newShowinfo(long pos) {
  const showinfo_t2& show = mtBuf2.show;
  const char* damage = nullptr;
  if (show.pmode >= LOGGED_PLAY_MODES)
    damage = "unknown play mode";
  else if (show.time < mCurrent)
    damage = "show time going back";
  else if (mShown && show.time > mCurrent + MAX_TIME_STEP)
    damage = "show time leaping ahead";
  else if (farOff(show.ball.x, show.ball.y) || !within(show.ball.deltax, -FASTEST, FASTEST) ||
           !within(show.ball.deltay, -FASTEST, FASTEST))
    damage = "ball far off the field or too fast";
  for (const player_t& p : show.pos)
    if (!damage && (farOff(p.x, p.y) || impossible(p)))
      damage = "player far off the field or in an impossible state";
  if (damage) {
    logError(std::string(damage) + " in show record of time " + std::to_string(show.time) +
             " in logfile.");
    return false;
  }
  const int t = show.time;
  mShown = true;
  mCurrent = t;
  if (t > mMaxPos && t <= MAX_INDEXED_CYCLE) {
    for (int i = mMaxPos + 1; i <= t; ++i) mFilePos[i] = pos;
    mMaxPos = t;
  }
  return true;
}

bool LogConnection::waitForMessage(vekbase::TimevalXL) {
  switch (mState) {
  case GEN_INIT_MSG: {
    int team = 0;
    int number = 0;
    MessageComposer::processPlayerIndex(mComposer.getPlayer(), team, number);
    std::snprintf(buffer, BUFFER_SIZE, "(init %s %d play_on)", team == 0 ? "l" : "r", number);
    mState = READ_LOG;
    mLastTime = now();
    return true;
  }
  case READ_LOG: {
    if (mEnded) return false;
    mMonitor.clear2D();
    mMonitor.drawCached();
    const long elapsed = long(now() - mLastTime);
    if (elapsed >= 0 && elapsed < CYCLE_USEC) {
      const long rest = CYCLE_USEC - elapsed;
      struct timespec pause = {rest / 1000000, (rest % 1000000) * 1000};
      while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
      }
    }
    do {
      if (!readLog()) return false;
      mMonitor.sendInfo(mVersion, mtBuf2, mtBuf);
      mMonitor.receiveInfo();
    } while (mtBuf2.mode != SHOW_MODE);
    mComposer.composeSenseMessage(mtBuf2, buffer, BUFFER_SIZE);
    mState = GEN_SEE_MSG;
    return true;
  }
  case GEN_SEE_MSG:
    mComposer.composeSeeMessage(mtBuf2, buffer, BUFFER_SIZE);
    mState = READ_LOG;
    mLastTime = now();
    return true;
  default:
    logError("invalid state " + std::to_string(int(mState)) + ".");
    return false;
  }
}
