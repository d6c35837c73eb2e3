#include "tolvane/wmstate.h"

#include "tolvane/clientparam.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

std::vector<FlagObject> WMState::allFlags;
bool WMState::flagsInitialized = false;

namespace {

struct FlagEntry {
  FlagObject::FlagId id;
  const char* name;
  double x;
  double y;
};

// The field's landmarks for side l, in id order; y grows towards the bottom
// touch line.
const FlagEntry flagTable[] = {
    {FlagObject::Flag_C, "(f c)", 0.0, 0.0},
    {FlagObject::Flag_CT, "(f c t)", 0.0, -34.0},
    {FlagObject::Flag_CB, "(f c b)", 0.0, 34.0},
    {FlagObject::Flag_LT, "(f l t)", -52.5, -34.0},
    {FlagObject::Flag_LB, "(f l b)", -52.5, 34.0},
    {FlagObject::Flag_RT, "(f r t)", 52.5, -34.0},
    {FlagObject::Flag_RB, "(f r b)", 52.5, 34.0},
    {FlagObject::Flag_PLT, "(f p l t)", -36.0, -20.16},
    {FlagObject::Flag_PLC, "(f p l c)", -36.0, 0.0},
    {FlagObject::Flag_PLB, "(f p l b)", -36.0, 20.16},
    {FlagObject::Flag_PRT, "(f p r t)", 36.0, -20.16},
    {FlagObject::Flag_PRC, "(f p r c)", 36.0, 0.0},
    {FlagObject::Flag_PRB, "(f p r b)", 36.0, 20.16},
    {FlagObject::Flag_GLT, "(f g l t)", -52.5, -7.01},
    {FlagObject::Flag_GLB, "(f g l b)", -52.5, 7.01},
    {FlagObject::Flag_GRT, "(f g r t)", 52.5, -7.01},
    {FlagObject::Flag_GRB, "(f g r b)", 52.5, 7.01},
    {FlagObject::Flag_GL, "(g l)", -52.5, 0.0},
    {FlagObject::Flag_GR, "(g r)", 52.5, 0.0},
    {FlagObject::Flag_TL50, "(f t l 50)", -50.0, -39.0},
    {FlagObject::Flag_TL40, "(f t l 40)", -40.0, -39.0},
    {FlagObject::Flag_TL30, "(f t l 30)", -30.0, -39.0},
    {FlagObject::Flag_TL20, "(f t l 20)", -20.0, -39.0},
    {FlagObject::Flag_TL10, "(f t l 10)", -10.0, -39.0},
    {FlagObject::Flag_T0, "(f t 0)", 0.0, -39.0},
    {FlagObject::Flag_TR10, "(f t r 10)", 10.0, -39.0},
    {FlagObject::Flag_TR20, "(f t r 20)", 20.0, -39.0},
    {FlagObject::Flag_TR30, "(f t r 30)", 30.0, -39.0},
    {FlagObject::Flag_TR40, "(f t r 40)", 40.0, -39.0},
    {FlagObject::Flag_TR50, "(f t r 50)", 50.0, -39.0},
    {FlagObject::Flag_BL50, "(f b l 50)", -50.0, 39.0},
    {FlagObject::Flag_BL40, "(f b l 40)", -40.0, 39.0},
    {FlagObject::Flag_BL30, "(f b l 30)", -30.0, 39.0},
    {FlagObject::Flag_BL20, "(f b l 20)", -20.0, 39.0},
    {FlagObject::Flag_BL10, "(f b l 10)", -10.0, 39.0},
    {FlagObject::Flag_B0, "(f b 0)", 0.0, 39.0},
    {FlagObject::Flag_BR10, "(f b r 10)", 10.0, 39.0},
    {FlagObject::Flag_BR20, "(f b r 20)", 20.0, 39.0},
    {FlagObject::Flag_BR30, "(f b r 30)", 30.0, 39.0},
    {FlagObject::Flag_BR40, "(f b r 40)", 40.0, 39.0},
    {FlagObject::Flag_BR50, "(f b r 50)", 50.0, 39.0},
    {FlagObject::Flag_LT30, "(f l t 30)", -57.5, -30.0},
    {FlagObject::Flag_LT20, "(f l t 20)", -57.5, -20.0},
    {FlagObject::Flag_LT10, "(f l t 10)", -57.5, -10.0},
    {FlagObject::Flag_L0, "(f l 0)", -57.5, 0.0},
    {FlagObject::Flag_LB10, "(f l b 10)", -57.5, 10.0},
    {FlagObject::Flag_LB20, "(f l b 20)", -57.5, 20.0},
    {FlagObject::Flag_LB30, "(f l b 30)", -57.5, 30.0},
    {FlagObject::Flag_RT30, "(f r t 30)", 57.5, -30.0},
    {FlagObject::Flag_RT20, "(f r t 20)", 57.5, -20.0},
    {FlagObject::Flag_RT10, "(f r t 10)", 57.5, -10.0},
    {FlagObject::Flag_R0, "(f r 0)", 57.5, 0.0},
    {FlagObject::Flag_RB10, "(f r b 10)", 57.5, 10.0},
    {FlagObject::Flag_RB20, "(f r b 20)", 57.5, 20.0},
    {FlagObject::Flag_RB30, "(f r b 30)", 57.5, 30.0},
};

const char* sideWord(Side s) {
  switch (s) {
  case l:
    return "left ";
  case r:
    return "right ";
  case u:
    return "unknown ";
  default:
    return "ILLEGAL SIDE";
  }
}

} // namespace

WMState::WMState()
    : ball(), arm(), myUnum(0), mySide(u), theirSide(u), mySpeed(0.0), mySpeedDir(0.0),
      tackleBan(0), myScore(0), theirScore(0), myViewWidth(vekbase::ViewWidth::S_normal),
      myViewQuality(vekbase::ViewQuality::S_high), playMode(), SP(nullptr), CP(nullptr),
      PT(nullptr), FP(nullptr), sightInCurrentCycle(false),
      knowTheirGoalie(false), oppGoalieNo(0), knowOurGoalie(false), ourGoalieNo(0),
      penaltyKickSide(u) {
  SP = ServerParam::instance();
  PT = PlayertypeParam::instance(1);
  CP = ClientParam::instance();
  FP = Formations::FormationParam::instance();
  own.reserve(ServerParam::max_players + 1);
  others.reserve(ServerParam::max_players + 1);
  unknown.reserve(2 * ServerParam::max_players + 1);
  ownSeeTime.assign(ServerParam::max_players + 1, vekbase::Timer(-1, 0));
  othersSeeTime.assign(ServerParam::max_players + 1, vekbase::Timer(-1, 0));
  seenFlags.reserve(ServerParam::max_flags);
  seenLines.reserve(ServerParam::max_lines);
}

WMState::~WMState() {}

WMState::PlayerList::iterator WMState::getMe() {
  if (myUnum < own.size()) return own.begin() + myUnum;
  return own.begin();
}

WMState::PlayerList::const_iterator WMState::getMe() const {
  if (myUnum < own.size()) return own.begin() + myUnum;
  return own.begin();
}

const PlayerObject& WMState::me() const {
  PlayerList::const_iterator it = getMe();
  if (it == own.end()) {
    static const PlayerObject nobody;
    return nobody;
  }
  return *it;
}

void WMState::initFlags(Side s) {
  if (flagsInitialized) return;
  const std::size_t n = sizeof(flagTable) / sizeof(flagTable[0]);
  allFlags.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    allFlags.push_back(FlagObject(flagTable[i].id, flagTable[i].name, flagTable[i].x, flagTable[i].y));
  if (s == r) {
    vomar::Forwarder* log = vomar::Forwarder::instance(8192);
    log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_NORMAL);
    log->zone(1150);
    log->prefix() << "playing right, reversing coordinates" << "\n";
    for (FlagObject& f : allFlags) {
      const Vector2D p = f.getAbsPos();
      f.setAbsPos(Vector2D(-p[0], -p[1]));
    }
  }
  flagsInitialized = true;
}

bool WMState::getPlayer(char side, int index, PlayerObject& player) const {
  if ((side != 'l' && side != 'r') || index < 1 || index > ServerParam::max_players) return false;
  const bool ours = (side == 'l' && mySide == l) || (side == 'r' && mySide == r);
  const PlayerList& team = ours ? own : others;
  // A state that lists players in sight order holds no entry per number.
  if (std::size_t(index) >= team.size()) return false;
  player = team[index];
  return true;
}

FlagObject WMState::getFlag(FlagObject::FlagId id) const {
  for (const FlagObject& f : allFlags)
    if (f.getId() == id) return f;
  return FlagObject(FlagObject::No_Flag, "unknown", 0.0, 0.0);
}

void WMState::setOppGoalie(Unum gn) {
  oppGoalieNo = gn;
  knowTheirGoalie = true;
}

void WMState::setOurGoalie(Unum gn) {
  ourGoalieNo = gn;
  knowOurGoalie = true;
}

vekbase::AngleDeg WMState::angleToFromBody(Vector2D p) const {
  const Vector2D d = p - myPosition();
  return vekbase::AngleDeg(d.angle(Vector2D(1.0, 0.0), vekmath::DEG)) - myBodyAngle();
}

vekbase::AngleDeg WMState::ballAngleFromBody() const {
  return ball.getDir() + myRelativeNeckAngle();
}

vekbase::AngleDeg WMState::ballRelativeToBodyHeading() const {
  const double heading = ball.getAbsVel().angle(Vector2D(1.0, 0.0), vekmath::DEG);
  return vekbase::AngleDeg(heading) - myBodyAngle();
}

Vector2D WMState::ballRelativeToBodyVel() const {
  const Vector2D polar(ball.getAbsVel().length(), double(ballRelativeToBodyHeading()));
  return polar.cart(vekmath::DEG);
}

std::ostream& operator<<(std::ostream& ostr, const WMState& wm) {
  ostr << "I am " << sideWord(wm.mySide) << " " << wm.myUnum << "." << std::endl;
  ostr << "Ball: " << wm.ball << std::endl;
  ostr << "Playmode: " << wm.playMode << std::endl;
  ostr << "seen Flags:" << std::endl;
  for (const FlagObject& f : wm.seenFlags) ostr << f << std::endl;
  ostr << "seen Lines:" << std::endl;
  for (const LineObject& line : wm.seenLines) ostr << line << std::endl;
  ostr << "Armdevice: " << wm.arm << std::endl;
  ostr << "known Teammates:" << std::endl;
  ostr << " Me: " << std::endl;
  WMState::PlayerList::const_iterator me = wm.getMe();
  if (me == wm.own.end())
    ostr << "no entry for the agent yet" << std::endl;
  else
    ostr << *me << std::endl;
  return ostr;
}
