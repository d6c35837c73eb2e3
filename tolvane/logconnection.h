#ifndef TOLVANE_LOGCONNECTION_H
#define TOLVANE_LOGCONNECTION_H

#include <string>

#include "tolvane/connection.h"
#include "tolvane/logfile.h"
#include "tolvane/logrecords.h"
#include "tolvane/messagecomposer.h"
#include "tolvane/monitor.h"

// The offline link: replays a recorded game log (version 1 to 3, plain or
// gzip-compressed) as if it were the soccer server, producing the init,
// sense_body and see texts of one chosen player at most once per 100 ms,
// while a local monitor program watches the replayed match. The player's
// commands are dropped.
class LogConnection : public Connection {
public:
  enum ConnectionState { INVALID = 0, READ_LOG = 1, GEN_INIT_MSG = 2, GEN_SEE_MSG = 3 };
  // Cycles 1 to MAX_INDEXED_CYCLE are entered in the position index.
  static const int MAX_INDEXED_CYCLE = 9999;
  // The pace of the replay: one recorded cycle per this many microseconds.
  static const long CYCLE_USEC = 100000;
  // A log (or a device) that gives no show record within this many bytes is
  // none.
  static const long NO_SHOW_LIMIT = 65536;

  LogConnection();
  ~LogConnection() override;

  // Checks the slot offline_player, opens the game log named by
  // offline_logfile and reads its header, then waits for a monitor on the
  // client monitor_port.
  bool open() override;
  void close() override;
  bool sendMessage(const std::string& buf) override;
  bool sendMessage(const char* buf) override;
  bool sendInitializeMessage() override;
  // One text per call into the link buffer; false once the log has ended
  // (or was found damaged, which whyFailed then tells). The time-out is not
  // used.
  bool waitForMessage(vekbase::TimevalXL timeout) override;
  bool connected() const override;
  std::string whyFailed() const override { return mFailure; }
  std::string whyEnded() const override { return mFailure; }

protected:
  // Opens the log, reads its header and reads on to its first show record,
  // so that a log with nothing to replay is found before a monitor is
  // waited for; then goes back to the first record. The part of open about
  // the log.
  bool openLog(const std::string& name);
  // Forgets what was read of a log: the replay starts at its first record.
  void startReplay();
  // The next record by the log's version; false at the end of the log or at
  // damage, which ends the replay.
  bool readLog();
  bool readLogOldVersion();
  bool readLogVersion2();
  bool readLogVersion3();
  // Takes the show record just read as the current one; false, with a
  // log line, when it cannot be a recorded one (a play mode no log holds,
  // a time going back, an object far off the field).
  bool newShowinfo(long pos);

  // Reads exactly len bytes; false, logging failure, when they are not all
  // there, or when they would lie beyond the first 64 KiB of a log that has
  // given no show record yet.
  bool readBytes(void* buf, unsigned int len, const char* failure);
  bool skipBytes(unsigned int len, const char* failure);
  bool readKind(std::int16_t& kind, const char* failure);
  // Board, length and text of a message record.
  bool readMessage(const char* boardFailure, const char* lengthFailure,
                   const char* textFailure);
  // The v1 show record just read: into the version-2 record and the index.
  bool takeShowinfo(long pos);
  void logError(const std::string& text);
  // The user's line for a log that cannot be read on: its name and the
  // last cycle replayed.
  std::string damagedText() const;
  // The wall clock for pacing: monotonic, so that setting the time of day
  // cannot stall or rush the replay.
  static vekbase::TimevalXL now();

  int mVersion;
  LogFile mLogFile;
  dispinfo_t mtBuf;
  dispinfo_t2 mtBuf2;
  unsigned char mPlayMode;
  team_t mTeams[2];
  short_showinfo_t2 mShowInfo;
  int mCurrent;
  int mMaxPos;
  long mFilePos[MAX_INDEXED_CYCLE + 1];
  ConnectionState mState;
  MessageComposer mComposer;
  Monitor mMonitor;
  vekbase::TimevalXL mLastTime;
  // The log has ended or turned out damaged: nothing more is read from it.
  bool mEnded;
  // Where the record being read began: a read that fails there met the
  // log's end, anywhere else a damaged or cut record.
  long mRecordStart;
  // A show record has been taken; until then at most NO_SHOW_LIMIT bytes
  // are read.
  bool mShown;
  std::string mLogName;
  std::string mFailure;
};

#endif
