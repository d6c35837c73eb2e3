#include "tolvane/logrecords.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "tolvanebase/angle.h"

// The layouts are fixed by the server and by recorded files: the sizes below
// must add up exactly as the wire offsets say.
static_assert(TEAM_T_SIZE == TEAM_NAME_SIZE + 2, "team_t: name and score");
static_assert(POS_T_SIZE == 6 * 2, "pos_t: six int16");
static_assert(SHOWINFO_T_SIZE == 2 + 2 * TEAM_T_SIZE + (MAX_PLAYER_SLOTS + 1) * POS_T_SIZE + 2,
              "showinfo_t: play mode, pad, teams at 2, objects at 38, time at 314");
static_assert(MSGINFO_T_SIZE == 2 + MSG_TEXT_SIZE, "msginfo_t: board and text");
static_assert(DISPINFO_T_SIZE == 2 + MSGINFO_T_SIZE && SHOWINFO_T_SIZE <= MSGINFO_T_SIZE,
              "dispinfo_t: mode and the largest body");
static_assert(BALL_T_SIZE == 4 * 4, "ball_t: four int32");
static_assert(PLAYER_T_SIZE == 2 + 2 + 7 * 4 + 2 + 2 + 3 * 4 + 8 * 2,
              "player_t: mode, type, seven int32, quality, pad, three int32, eight counts");
static_assert(SHOWINFO_T2_SIZE == 2 + 2 * TEAM_T_SIZE + 2 + BALL_T_SIZE +
                                      MAX_PLAYER_SLOTS * PLAYER_T_SIZE + 2 + 2,
              "showinfo_t2: ball at 40, players at 56, time at 1464");
static_assert(SHORT_SHOWINFO_T2_SIZE == BALL_T_SIZE + MAX_PLAYER_SLOTS * PLAYER_T_SIZE + 2 + 2,
              "short_showinfo_t2: players at 16, time at 1424");
static_assert(DISPINFO_T2_SIZE == 4 + (MSGINFO_T_SIZE + 3) / 4 * 4 &&
                  SHOWINFO_T2_SIZE <= MSGINFO_T_SIZE && SERVER_PARAMS_T_SIZE <= MSGINFO_T_SIZE,
              "dispinfo_t2: mode, pad and a body of 2052 bytes");
static_assert(DISPINFO_T2_TIME_OFFSET == 1468, "show time of a version-2 monitor record");
static_assert(PLAYER_TYPE_T_SIZE == 4 + 21 * 4, "player_type_t: id, pad, 21 int32");
static_assert(SERVER_PARAMS_T_SIZE == 21 * 4 + 4 + 33 * 4 + 4 + 2 * 4 + 26 * 2 + 11 * 4 + 4 * 2 +
                                          10 * 4 + 10 * 2,
              "server_params_t");
static_assert(PLAYER_PARAMS_T_SIZE == 3 * 2 + 2 + 16 * 4 + 10 * 4 + 10 * 2, "player_params_t");

// ---- ByteReader / ByteWriter

unsigned char ByteReader::u8() {
  unsigned char b = 0;
  bytes(&b, 1);
  return b;
}

std::int16_t ByteReader::int16() {
  unsigned char b[2] = {0, 0};
  bytes(b, 2);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((b[0] << 8) | b[1]));
}

std::int32_t ByteReader::int32() {
  unsigned char b[4] = {0, 0, 0, 0};
  bytes(b, 4);
  const std::uint32_t u = (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) |
                          (std::uint32_t(b[2]) << 8) | std::uint32_t(b[3]);
  return static_cast<std::int32_t>(u);
}

void ByteReader::bytes(void* dest, std::size_t n) {
  if (n > left) {
    std::memset(dest, 0, n);
    left = 0;
    return;
  }
  std::memcpy(dest, p, n);
  p += n;
  left -= n;
}

void ByteReader::pad(std::size_t n) {
  n = std::min(n, left);
  p += n;
  left -= n;
}

void ByteWriter::field(std::int16_t v) {
  const std::uint16_t u = static_cast<std::uint16_t>(v);
  *p++ = static_cast<unsigned char>(u >> 8);
  *p++ = static_cast<unsigned char>(u);
}

void ByteWriter::field(std::int32_t v) {
  const std::uint32_t u = static_cast<std::uint32_t>(v);
  for (int shift = 24; shift >= 0; shift -= 8) *p++ = static_cast<unsigned char>(u >> shift);
}

void ByteWriter::bytes(const void* src, std::size_t n) {
  std::memcpy(p, src, n);
  p += n;
}

void ByteWriter::pad(std::size_t n) {
  std::memset(p, 0, n);
  p += n;
}

// ---- field by field

namespace {

// Each record's fields in wire order, written once for both directions: IO
// is a ByteReader (the record is filled) or a ByteWriter (it is written).
// pad steps over the padding bytes, or writes them as zeros.

template <class IO, class T>
void fields(IO& io, T& record);

template <class IO, class T>
void fields(IO& io, T& t, team_t*) {
  io.bytes(t.name, sizeof(t.name));
  io.field(t.score);
}

template <class IO, class T>
void fields(IO& io, T& p, pos_t*) {
  for (auto f : {&pos_t::enable, &pos_t::side, &pos_t::unum, &pos_t::angle, &pos_t::x, &pos_t::y})
    io.field(p.*f);
}

template <class IO, class T>
void fields(IO& io, T& b, ball_t*) {
  for (auto f : {&ball_t::x, &ball_t::y, &ball_t::deltax, &ball_t::deltay}) io.field(b.*f);
}

template <class IO, class T>
void fields(IO& io, T& p, player_t*) {
  io.field(p.mode);
  io.field(p.type);
  for (auto f : {&player_t::x, &player_t::y, &player_t::deltax, &player_t::deltay,
                 &player_t::body_angle, &player_t::head_angle, &player_t::view_width})
    io.field(p.*f);
  io.field(p.view_quality);
  io.pad(2);
  for (auto f : {&player_t::stamina, &player_t::effort, &player_t::recovery}) io.field(p.*f);
  // The command counts.
  for (auto f : {&player_t::kick_count, &player_t::dash_count, &player_t::turn_count,
                 &player_t::say_count, &player_t::tneck_count, &player_t::catch_count,
                 &player_t::move_count, &player_t::chg_view_count})
    io.field(p.*f);
}

template <class IO, class T>
void fields(IO& io, T& s, showinfo_t*) {
  io.field(s.pmode);
  io.pad(1);
  for (auto& t : s.team) fields(io, t);
  for (auto& p : s.pos) fields(io, p);
  io.field(s.time);
}

// What a version-2 show record holds besides play mode and teams: the whole
// show record of a version-3 log.
template <class IO, class T>
void fields(IO& io, T& s, short_showinfo_t2*) {
  fields(io, s.ball);
  for (auto& p : s.pos) fields(io, p);
  io.field(s.time);
  io.pad(2);
}

template <class IO, class T>
void fields(IO& io, T& s, showinfo_t2*) {
  io.field(s.pmode);
  io.pad(1);
  for (auto& t : s.team) fields(io, t);
  io.pad(2);
  fields(io, s, static_cast<short_showinfo_t2*>(nullptr));
}

template <class IO, class T>
void fields(IO& io, T& m, msginfo_t*) {
  io.field(m.board);
  io.bytes(m.message, sizeof(m.message));
}

// A monitor record: its mode, then the body the mode names, padded to the
// record's size; other bodies are neither read nor written.
template <class IO, class T>
void record(IO& io, T& d, std::size_t head, std::size_t size, std::size_t showSize) {
  io.field(d.mode);
  io.pad(head - 2);
  std::size_t body = 0;
  if (d.mode == SHOW_MODE) {
    fields(io, d.show);
    body = showSize;
  } else if (d.mode == MSG_MODE) {
    fields(io, d.msg);
    body = MSGINFO_T_SIZE;
  }
  io.pad(size - head - body);
}

template <class IO, class T>
void fields(IO& io, T& d, dispinfo_t*) {
  record(io, d, 2, DISPINFO_T_SIZE, SHOWINFO_T_SIZE);
}

template <class IO, class T>
void fields(IO& io, T& d, dispinfo_t2*) {
  record(io, d, 4, DISPINFO_T2_SIZE, SHOWINFO_T2_SIZE);
}

// The record's fields, whether it is read or written: the overload of its
// type.
template <class IO, class T>
void fields(IO& io, T& record) {
  fields(io, record, static_cast<std::remove_const_t<T>*>(nullptr));
}

template <class T>
void decodeAs(const unsigned char* in, std::size_t size, T& record) {
  ByteReader r(in, size);
  fields(r, record);
}

template <class T>
void encodeAs(const T& record, unsigned char* out) {
  ByteWriter w(out);
  fields(w, record);
}

} // namespace

void decode(const unsigned char* in, team_t& out) { decodeAs(in, TEAM_T_SIZE, out); }

void decode(const unsigned char* in, showinfo_t& out) { decodeAs(in, SHOWINFO_T_SIZE, out); }

void decode(const unsigned char* in, short_showinfo_t2& out) {
  decodeAs(in, SHORT_SHOWINFO_T2_SIZE, out);
}

void decode(const unsigned char* in, dispinfo_t& out) { decodeAs(in, DISPINFO_T_SIZE, out); }

void decode(const unsigned char* in, dispinfo_t2& out) { decodeAs(in, DISPINFO_T2_SIZE, out); }

void encode(const dispinfo_t& in, unsigned char* out) { encodeAs(in, out); }

void encode(const dispinfo_t2& in, unsigned char* out) { encodeAs(in, out); }

// ---- conversions between the versions

namespace {

// x16 into x65536: exact in integers.
std::int32_t widen(std::int16_t v) { return std::int32_t(v) * 4096; }
// x65536 into x16, cut towards zero as integer division does.
std::int16_t narrow(std::int32_t v) { return static_cast<std::int16_t>(v / 4096); }

} // namespace

void convertShowinfo(const showinfo_t& from, showinfo_t2& to) {
  to.pmode = from.pmode;
  to.team[0] = from.team[0];
  to.team[1] = from.team[1];
  to.time = from.time;
  to.ball.x = widen(from.pos[0].x);
  to.ball.y = widen(from.pos[0].y);
  for (int i = 0; i < MAX_PLAYER_SLOTS; ++i) {
    const pos_t& p = from.pos[i + 1];
    player_t& q = to.pos[i];
    q.mode = p.enable;
    q.x = widen(p.x);
    q.y = widen(p.y);
    const double rad = double(vekbase::AngleDeg(double(p.angle)).rad());
    q.body_angle = static_cast<std::int32_t>(std::trunc(rad * 65536.0));
  }
}

void buildShowRecords(unsigned char pmode, const team_t (&teams)[2],
                      const short_showinfo_t2& show, dispinfo_t2& v2, dispinfo_t& v1) {
  v2.mode = SHOW_MODE;
  v2.show.pmode = pmode;
  v2.show.team[0] = teams[0];
  v2.show.team[1] = teams[1];
  v2.show.ball = show.ball;
  for (int i = 0; i < MAX_PLAYER_SLOTS; ++i) v2.show.pos[i] = show.pos[i];
  v2.show.time = show.time;

  v1.mode = SHOW_MODE;
  v1.show.pmode = pmode;
  v1.show.team[0] = teams[0];
  v1.show.team[1] = teams[1];
  v1.show.time = show.time;
  v1.show.pos[0].x = narrow(show.ball.x);
  v1.show.pos[0].y = narrow(show.ball.y);
  for (int i = 0; i < MAX_PLAYER_SLOTS; ++i) {
    const player_t& p = show.pos[i];
    pos_t& q = v1.show.pos[i + 1];
    q.enable = p.mode;
    q.side = i < 11 ? 1 : -1;
    q.unum = static_cast<std::int16_t>(i % 11 + 1);
    q.x = narrow(p.x);
    q.y = narrow(p.y);
    const double deg = double(vekbase::AngleRad(p.body_angle / 65536.0).deg());
    q.angle = static_cast<std::int16_t>(std::trunc(deg));
  }
}
