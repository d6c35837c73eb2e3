#include "tolvane/messagecomposer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "tolvane/flagobject.h"
#include "tolvane/wmstate.h"
#include "tolvanebase/angle.h"
#include "tolvanespace/line2d.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_COMPOSER = 1068;
const double PI = 3.14159265358979323846;

std::ostream& errorLine() {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_COMPOSER);
}

// Numbers as the server writes them: '.' as the decimal point whatever the
// locale, two decimals.
class Text : public std::ostringstream {
public:
  Text() {
    imbue(std::locale::classic());
    setf(std::ios::fixed, std::ios::floatfield);
    precision(2);
  }
};

double normalized(double deg) { return double(vekbase::AngleDeg(deg)); }

// The field's landmarks with their see names, in the order written.
struct Landmark {
  std::string name;
  const char* shortName;
  double x;
  double y;
};

const std::vector<Landmark>& landmarks() {
  static const std::vector<Landmark> table = [] {
    std::vector<Landmark> t;
    for (const FlagObject& f : WMState::fieldFlags()) {
      const std::string name = f.getName();
      const Vector2D p = f.getAbsPos();
      t.push_back({name, name.compare(0, 2, "(g") == 0 ? "(G)" : "(F)", p[0], p[1]});
    }
    return t;
  }();
  return table;
}

} // namespace

MessageComposer::MessageComposer()
    : mBuffer(nullptr), mSize(0), mLength(0), mPlayer(1), mTime(0), mPosX(0.0f), mPosY(0.0f),
      mBodyAngle(0.0f), mHeadAngle(0.0f), mVelX(0.0f), mVelY(0.0f),
      // A see text composed before any sense_body uses a normal, high view.
      mViewQualityFactor(1.0f), mViewWidthFactor(1.0f) {
  std::memset(mTeamNames, 0, sizeof(mTeamNames));
}

MessageComposer::~MessageComposer() {}

bool MessageComposer::setPlayer(int player) {
  if (player < 0 || player >= MAX_PLAYER_SLOTS) {
    errorLine() << "invalid player index " << player << " given." << "\n";
    return false;
  }
  mPlayer = player;
  return true;
}

void MessageComposer::setTeamNames(const char* left, const char* right) {
  const char* names[2] = {left, right};
  for (int i = 0; i < 2; ++i) {
    std::memset(mTeamNames[i], 0, sizeof(mTeamNames[i]));
    if (names[i]) std::strncpy(mTeamNames[i], names[i], sizeof(mTeamNames[i]) - 1);
  }
}

void MessageComposer::processPlayerIndex(int idx, int& team, int& number) {
  if (idx <= 10) {
    team = 0;
    number = idx + 1;
  } else {
    team = 1;
    number = idx - 10;
  }
}

float MessageComposer::decodeFloat(std::int32_t v) { return float(v / 65536.0); }

std::int16_t MessageComposer::decodeShort(std::int16_t v) { return v; }

// The records give directions in the same sense as their coordinates (towards
// +y is positive), which is also the sense of the server's messages.
float MessageComposer::decodeAngle(std::int32_t v) {
  return float(decodeFloat(v) * (180.0 / PI));
}

double MessageComposer::quantize(double d, double q) { return std::ceil(d / q) * q; }

void MessageComposer::composeSenseMessage(const dispinfo_t2& info, char* buffer,
                                          std::size_t size) {
  compose(SENSE, info, buffer, size);
}

void MessageComposer::composeSeeMessage(const dispinfo_t2& info, char* buffer,
                                        std::size_t size) {
  compose(SEE, info, buffer, size);
}

void MessageComposer::writeMsg(const char* text) {
  if (!mBuffer) return;
  const std::size_t n = std::strlen(text);
  if (mLength + n >= mSize) return;
  std::memcpy(mBuffer + mLength, text, n + 1);
  mLength += n;
}

void MessageComposer::compose(MessageType type, const dispinfo_t2& info, char* buffer,
                              std::size_t size) {
  mBuffer = size > 0 ? buffer : nullptr;
  mSize = size;
  mLength = 0;
  if (mBuffer) mBuffer[0] = '\0';

  if (info.mode != SHOW_MODE) {
    errorLine() << "unexpected mode " << info.mode << "\n";
    return;
  }
  const showinfo_t2& show = info.show;
  const player_t& me = show.pos[mPlayer];
  mTime = show.time;
  mPosX = decodeFloat(me.x);
  mPosY = decodeFloat(me.y);
  mBodyAngle = decodeAngle(me.body_angle);
  mHeadAngle = decodeAngle(me.head_angle);
  mVelX = decodeFloat(me.deltax);
  mVelY = decodeFloat(me.deltay);

  switch (type) {
  case SENSE: composeSense(me); break;
  case SEE: composeSee(show); break;
  default: errorLine() << "Unknown message type " << int(type) << "\n"; break;
  }
}

void MessageComposer::composeSense(const player_t& me) {
  const char* quality = "high";
  mViewQualityFactor = 1.0f;
  const std::int16_t q = decodeShort(me.view_quality);
  if (q == LOW) {
    quality = "low";
    mViewQualityFactor = 0.5f;
  } else if (q != HIGH) {
    errorLine() << "unknown view quality " << q << "\n";
  }

  const char* width = "normal";
  mViewWidthFactor = 1.0f;
  const std::int16_t w =
      static_cast<std::int16_t>(static_cast<std::uint32_t>(me.view_width) >> 16);
  if (w == NARROW) {
    width = "narrow";
    mViewWidthFactor = 2.0f;
  } else if (w == WIDE) {
    width = "wide";
    mViewWidthFactor = 0.5f;
  } else if (w != NORMAL) {
    errorLine() << "unknown view width " << w << "\n";
  }

  // The parser takes the speed's direction relative to the head, as the
  // server gives it.
  const double speed = std::sqrt(double(mVelX) * mVelX + double(mVelY) * mVelY);
  const double direction =
      speed > 0.01 ? normalized(std::atan2(double(mVelY), double(mVelX)) * (180.0 / PI) -
                                (double(mBodyAngle) + mHeadAngle))
                   : 0.0;

  Text t;
  t << "(sense_body " << mTime << " (view_mode " << quality << " " << width << ") (stamina "
    << double(decodeFloat(me.stamina)) << " " << double(decodeFloat(me.effort)) << ") (speed "
    << speed << " " << direction << ") (head_angle " << double(mHeadAngle) << ") (kick "
    << decodeShort(me.kick_count) << ") (dash " << decodeShort(me.dash_count) << ") (turn "
    << decodeShort(me.turn_count) << ") (say " << decodeShort(me.say_count) << ") (turn_neck "
    << decodeShort(me.tneck_count) << ") (catch " << decodeShort(me.catch_count) << ") (move "
    << decodeShort(me.move_count) << ") (change_view " << decodeShort(me.chg_view_count)
    << "))\n";
  writeMsg(t.str().c_str());
}

void MessageComposer::composeSee(const showinfo_t2& show) {
  // The closing text always fits: objects are left out first.
  const std::size_t fullSize = mSize;
  if (mSize > 2) mSize -= 2;

  Text head;
  head << "(see " << mTime;
  writeMsg(head.str().c_str());

  for (int i = 0; i < MAX_PLAYER_SLOTS; ++i) {
    // A slot whose state word is 0 holds no player in the match (it waits
    // off the field); the server shows it to nobody.
    if (i == mPlayer || show.pos[i].mode == 0) continue;
    int team = 0;
    int number = 0;
    processPlayerIndex(i, team, number);
    const player_t& p = show.pos[i];
    const double body = decodeAngle(p.body_angle);
    seeObject(PLAYER, "(p", "(P)", decodeFloat(p.x), decodeFloat(p.y), decodeFloat(p.deltax),
              decodeFloat(p.deltay), body + decodeAngle(p.head_angle), body, mTeamNames[team],
              number);
  }
  seeObject(BALL, "(b)", "(B)", decodeFloat(show.ball.x), decodeFloat(show.ball.y),
            decodeFloat(show.ball.deltax), decodeFloat(show.ball.deltay), 0.0, 0.0, nullptr, 0);
  for (const Landmark& f : landmarks())
    seeObject(FLAG, f.name.c_str(), f.shortName, f.x, f.y, 0.0, 0.0, 0.0, 0.0, nullptr, 0);
  composeLines();

  mSize = fullSize;
  writeMsg(")\n");
}

void MessageComposer::composeLines() {
  const double px = mPosX;
  const double py = mPosY;
  const double P = normalized(double(mHeadAngle) + mBodyAngle);
  const vekspace::Line2D sight(Vector2D(px, py), vekbase::AngleDeg(P));

  const Vector2D LT(-52.5, -34.0), RT(52.5, -34.0), LB(-52.5, 34.0), RB(52.5, 34.0);
  const struct {
    const char* name;
    Vector2D from;
    Vector2D to;
  } lines[] = {{"(l t)", LT, RT}, {"(l b)", LB, RB}, {"(l l)", LB, LT}, {"(l r)", RT, RB}};

  for (const auto& line : lines) {
    const Vector2D crossing = sight.getIntersection(vekspace::Line2D(line.from, line.to));
    Vector2D foot;
    if ((crossing[0] == 0.0 && crossing[1] == 0.0) ||
        !vekspace::Line2D::inBetween(line.from, line.to, crossing, foot))
      continue;

    double a;
    if (line.from[0] == line.to[0]) {
      if (px > line.from[0]) {
        a = std::fabs(P) - 90.0;
        if (P > 0.0) a = -a;
      } else {
        a = 90.0 - std::fabs(P);
        if (P < 0.0) a = -a;
      }
    } else if (py > line.from[1]) {
      a = 90.0 - std::fabs(P + 90.0);
      if (P < -90.0) a = -a;
    } else {
      a = 90.0 - std::fabs(P - 90.0);
      if (P < 90.0) a = -a;
    }
    a = normalized(a);
    if (std::fabs(a) > 90.0) continue;
    seeObject(LINE, line.name, line.name, crossing[0], crossing[1], 0.0, 0.0, a, 0.0, nullptr, 0);
  }
}

void MessageComposer::seeObject(ObjectType type, const char* objName, const char* objShortName,
                                double x, double y, double vx, double vy, double aAbs,
                                double aBody, const char* team, int number) {
  const double xRel = x - mPosX;
  const double yRel = y - mPosY;
  const double aPlayer = double(mHeadAngle) + mBodyAngle;
  const double dRelPrecise = std::sqrt(xRel * xRel + yRel * yRel);
  // At the agent's own spot an object has no direction to be seen in.
  if (!(dRelPrecise > 0.0)) return;

  const double dQStep = (type == PLAYER || type == BALL) ? 0.1 : 0.01;
  const double dRel = quantize(std::exp(quantize(std::log(dRelPrecise), dQStep)), 0.1);

  // Directions and their changes come from the true distance: measured with
  // the quantised one, an object 10 m to the side would appear 64 degrees
  // off instead of 90. The bound only guards against rounding at the ends
  // of the arcsine.
  double a = std::asin(std::max(-1.0, std::min(1.0, -yRel / dRelPrecise)));
  if (xRel < 0.0) {
    a = PI - a;
    if (yRel > 0.0) a -= 2.0 * PI;
  }
  const double aRel = normalized(a / (-PI / 180.0) - aPlayer);

  const double eX = xRel / dRelPrecise;
  const double eY = yRel / dRelPrecise;
  const double vRelX = vx - mVelX;
  const double vRelY = vy - mVelY;
  const double dChng = vRelX * eX + vRelY * eY;
  const double aChng = (vRelY * eX - vRelX * eY) / dRelPrecise * (180.0 / PI);
  // Where a seen player faces, relative to the agent's head.
  const double aBodyRel = normalized(aBody - aPlayer);
  const double aHeadRel = normalized(aAbs - aPlayer);

  const bool bUnumVisible = dRel <= 40.0;
  const bool bTeamVisible = dRel <= 60.0;
  const bool bInViewConeAngle = std::fabs(aRel) <= 45.0 / mViewWidthFactor;

  // Outside the view cone only what is close by is seen, under its short
  // name.
  if (!bInViewConeAngle && dRel > 3.0) return;

  const double direction = type == LINE ? aAbs : aRel;
  const double values[] = {dRel, direction, dChng, aChng, aBodyRel, aHeadRel};
  std::size_t first = 0;
  std::size_t count = (type == PLAYER) ? 6 : 4;
  if (dRel > 60.0) {
    first = 1;
    count = 1;
  } else if (dRel > 40.0) {
    count = 2;
  }
  for (std::size_t i = first; i < first + count; ++i)
    if (!std::isfinite(values[i])) return;

  Text t;
  t << " (";
  if (!bInViewConeAngle) {
    t << objShortName;
  } else {
    t << objName;
    if (type == PLAYER) {
      if (bTeamVisible) t << " \"" << (team ? team : "") << "\"";
      if (bUnumVisible) t << " " << number;
      t << ")";
    }
  }
  // Adding 0 turns a negative zero into the "0.00" the server writes.
  for (std::size_t i = first; i < first + count; ++i) t << " " << values[i] + 0.0;
  t << ")";
  writeMsg(t.str().c_str());
}
