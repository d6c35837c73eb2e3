#ifndef TOLVANE_LOGRECORDS_H
#define TOLVANE_LOGRECORDS_H

#include <cstddef>
#include <cstdint>

// The soccer server's display records, as monitors receive them and as game
// logs hold them. On the wire every integer is big-endian and every record
// has a fixed layout, padding included; in memory the records below hold the
// decoded values in host order, and the encode/decode functions translate
// field by field at the wire offsets. Real values stay in their fixed-point
// form (x16 in version-1 show records, x65536 in version-2 ones).

// Wire sizes of the records, in bytes.
const std::size_t TEAM_T_SIZE = 18;
const std::size_t POS_T_SIZE = 12;
const std::size_t SHOWINFO_T_SIZE = 316;
const std::size_t MSG_TEXT_SIZE = 2048;
const std::size_t MSGINFO_T_SIZE = 2050;
const std::size_t DISPINFO_T_SIZE = 2052;
const std::size_t BALL_T_SIZE = 16;
const std::size_t PLAYER_T_SIZE = 64;
const std::size_t SHOWINFO_T2_SIZE = 1468;
const std::size_t SHORT_SHOWINFO_T2_SIZE = 1428;
const std::size_t DISPINFO_T2_SIZE = 2056;
const std::size_t PLAYER_TYPE_T_SIZE = 88;
const std::size_t SERVER_PARAMS_T_SIZE = 396;
const std::size_t PLAYER_PARAMS_T_SIZE = 132;
const std::size_t TEAMS_RECORD_SIZE = 2 * TEAM_T_SIZE;
// Where the show time stands in a version-2 monitor record.
const std::size_t DISPINFO_T2_TIME_OFFSET = 4 + SHOWINFO_T2_SIZE - 4;

const int MAX_PLAYER_SLOTS = 22;
const int TEAM_NAME_SIZE = 16;

// Record kinds: the mode word of a monitor record and the kind word in
// front of each record of a version-2 or version-3 log.
enum RecordKind : std::int16_t {
  NO_INFO = 0,
  SHOW_MODE = 1,
  MSG_MODE = 2,
  DRAW_MODE = 3,
  PM_MODE = 5,
  TEAM_MODE = 6,
  PT_MODE = 7,
  PARAM_MODE = 8,
  PPARAM_MODE = 9
};

// The play-mode byte of a show record; carried, never interpreted.
enum _LogPlayMode {
  PM_Null, PM_BeforeKickOff, PM_TimeOver, PM_PlayOn, PM_KickOff_Left, PM_KickOff_Right,
  PM_KickIn_Left, PM_KickIn_Right, PM_FreeKick_Left, PM_FreeKick_Right, PM_CornerKick_Left,
  PM_CornerKick_Right, PM_GoalKick_Left, PM_GoalKick_Right, PM_AfterGoal_Left,
  PM_AfterGoal_Right, PM_Drop_Ball, PM_OffSide_Left, PM_OffSide_Right, PM_PK_Left, PM_PK_Right,
  PM_FirstHalfOver, PM_Pause, PM_Human, PM_Foul_Charge_Left, PM_Foul_Charge_Right,
  PM_Foul_Push_Left, PM_Foul_Push_Right, PM_Foul_MultipleAttacker_Left,
  PM_Foul_MultipleAttacker_Right, PM_Foul_BallOut_Left, PM_Foul_BallOut_Right,
  PM_Back_Pass_Left, PM_Back_Pass_Right, PM_Free_Kick_Fault_Left, PM_Free_Kick_Fault_Right,
  PM_MAX
};

// The play-mode bytes the soccer server (rcssserver 19) writes into its
// logs: the modes above, then two each for catch faults, indirect free
// kicks, the penalty shoot-out's setup, ready, taken, miss and score, and
// illegal defence. A byte beyond them is no recorded play mode.
const int LOGGED_PLAY_MODES = PM_MAX + 16;

struct team_t {
  // Raw bytes: the name ends at its first NUL or at the end of the array.
  char name[TEAM_NAME_SIZE];
  std::int16_t score;
};

// One object of a version-1 show record; positions x16.
struct pos_t {
  std::int16_t enable;
  std::int16_t side;
  std::int16_t unum;
  std::int16_t angle;
  std::int16_t x;
  std::int16_t y;
};

// Version-1 show record: pos[0] the ball, pos[1..22] the player slots 0 to 21.
struct showinfo_t {
  unsigned char pmode;
  team_t team[2];
  pos_t pos[MAX_PLAYER_SLOTS + 1];
  std::int16_t time;
};

struct msginfo_t {
  std::int16_t board;
  char message[MSG_TEXT_SIZE];
};

// Version-1 monitor and log record. Only the body that mode names is
// meaningful; drawing records are carried in no form.
struct dispinfo_t {
  std::int16_t mode;
  showinfo_t show;
  msginfo_t msg;
};

// Values x65536.
struct ball_t {
  std::int32_t x;
  std::int32_t y;
  std::int32_t deltax;
  std::int32_t deltay;
};

struct player_t {
  std::int16_t mode;
  std::int16_t type;
  std::int32_t x;
  std::int32_t y;
  std::int32_t deltax;
  std::int32_t deltay;
  std::int32_t body_angle;
  std::int32_t head_angle;
  // Its high-order 16 bits hold the width: 0 narrow, 1 normal, 3 wide.
  std::int32_t view_width;
  std::int16_t view_quality;
  std::int32_t stamina;
  std::int32_t effort;
  std::int32_t recovery;
  std::int16_t kick_count;
  std::int16_t dash_count;
  std::int16_t turn_count;
  std::int16_t say_count;
  std::int16_t tneck_count;
  std::int16_t catch_count;
  std::int16_t move_count;
  std::int16_t chg_view_count;
};

struct showinfo_t2 {
  unsigned char pmode;
  team_t team[2];
  ball_t ball;
  player_t pos[MAX_PLAYER_SLOTS];
  std::int16_t time;
};

// The show record of version-3 logs: no play mode, no teams.
struct short_showinfo_t2 {
  ball_t ball;
  player_t pos[MAX_PLAYER_SLOTS];
  std::int16_t time;
};

// Version-2 monitor record; the replay keeps the current record of any log
// version in it. Player-type and parameter records are stepped over, never
// kept.
struct dispinfo_t2 {
  std::int16_t mode;
  showinfo_t2 show;
  msginfo_t msg;
};

// Reads big-endian fields from a byte range; a read past the end yields
// zeros, so no read leaves the range.
class ByteReader {
public:
  ByteReader(const unsigned char* data, std::size_t size) : p(data), left(size) {}
  unsigned char u8();
  std::int16_t int16();
  std::int32_t int32();
  void field(unsigned char& v) { v = u8(); }
  void field(std::int16_t& v) { v = int16(); }
  void field(std::int32_t& v) { v = int32(); }
  void bytes(void* dest, std::size_t n);
  // Steps over padding.
  void pad(std::size_t n);

private:
  const unsigned char* p;
  std::size_t left;
};

// Writes big-endian fields into a byte range known to be large enough.
class ByteWriter {
public:
  explicit ByteWriter(unsigned char* data) : p(data) {}
  void field(unsigned char v) { *p++ = v; }
  void field(std::int16_t v);
  void field(std::int32_t v);
  void bytes(const void* src, std::size_t n);
  // Padding is written as zeros.
  void pad(std::size_t n);

private:
  unsigned char* p;
};

// Each decode reads exactly the record's wire size from in; each encode
// writes exactly that many bytes to out.
void decode(const unsigned char* in, team_t& out);
void decode(const unsigned char* in, showinfo_t& out);
void decode(const unsigned char* in, short_showinfo_t2& out);
// The body by the mode word: show and message bodies are decoded, others
// leave the record's bodies as they were.
void decode(const unsigned char* in, dispinfo_t& out);
void decode(const unsigned char* in, dispinfo_t2& out);
void encode(const dispinfo_t& in, unsigned char* out);
void encode(const dispinfo_t2& in, unsigned char* out);

// Version-1 show record into the version-2 one: play mode, teams, time,
// ball and player positions, player state words and body directions. The
// fields a version-1 record does not carry are left as they are.
void convertShowinfo(const showinfo_t& from, showinfo_t2& to);

// The current records from a version-3 show record and the latest play mode
// and teams of the log: the version-2 record for the composer and most
// monitors, the version-1 record for version-1 monitors.
void buildShowRecords(unsigned char pmode, const team_t (&teams)[2],
                      const short_showinfo_t2& show, dispinfo_t2& v2, dispinfo_t& v1);

#endif
