#include "tolvane/vekactions.h"

#include <cmath>

#include "tolvane/updateablewmstate.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_SKILLS = 1201;
const unsigned int ZONE_DEBUG = 1200;
const unsigned short LEVEL_ENTRY = 20;

// A line of the debug tests, after the line prefix.
vomar::Forwarder& debugLine() {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_DEBUG);
}

// The entry or exit line of a skill, or null when its level is not logged.
vomar::Forwarder* scopeLine(unsigned int zone) {
  return vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, zone, LEVEL_ENTRY);
}

} // namespace

VekActions::SkillMemory VekActions::memory;

void VekActions::resetSkillMemory() { memory = SkillMemory(); }

SoccerCommand VekActions::finiteOrNone(const SoccerCommand& c, unsigned int zone) {
  if (std::isfinite(c.getValue0()) && std::isfinite(c.getValue1()) &&
      std::isfinite(double(c.getAngle())))
    return c;
  traceLine(zone, 30, "not finite, no command: ", c);
  return SoccerCommand(SoccerCommand::CMD_NONE);
}

VekActions::VekActions() : VekOptions() {
  init();
}

VekActions::VekActions(int argc, char* argv[]) : VekOptions(argc, argv) {
  init();
}

VekActions::~VekActions() {}

void VekActions::init() {
  // Measured success rates of shots in percent. The situations that never
  // occurred in the measurements (a goalie standing almost on the line of
  // the shot from close range) count as hopeless.
  static const Value table[4][5][7] = {
      {{0, 0, 0, 93.33, 94, 88.67, 100},
       {0, 0, 0, 87.78, 73.33, 87.33, 100},
       {0, 0, 0, 47.5, 68, 60.67, 13.33},
       {0, 0, 0, 26.66, 36, 32.67, 80},
       {0, 0, 0, 33.34, 6.67, 26, 53.33}},
      {{0, 0, 46.67, 73.33, 97.5, 93.33, 100},
       {0, 0, 53.33, 67.62, 97.14, 90, 100},
       {0, 20, 43.7, 74.67, 91.33, 98.09, 100},
       {0, 20, 38.34, 46.66, 83.34, 86.67, 86.67},
       {0, 31.67, 41.33, 84.17, 73.33, 70, 46.67}},
      {{0, 13.33, 28, 63.7, 86.67, 100, 100},
       {0, 6.67, 19.34, 63.33, 93.33, 100, 100},
       {0, 5.34, 44.67, 100, 73.34, 100, 93.33},
       {0, 12.67, 37.04, 80, 100, 93.33, 66.67},
       {1.11, 14, 53.33, 80, 50, 66.67, 93.33}},
      {{0, 1.33, 4, 46.67, 63.33, 100, 100},
       {0, 2, 6, 13.34, 73.33, 84.44, 93.33},
       {0, 0, 9.17, 53.33, 53.34, 20, 93.33},
       {0, 0, 6.67, 46.67, 46.67, 53.33, 53.33},
       {0, 0, 0, 26.67, 56.66, 33.34, 0}}};
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 5; ++y)
      for (int z = 0; z < 7; ++z) M_gk_success_ratio[x][y][z] = table[x][y][z];
}

Value VekActions::goalKickSuccessRatio(unsigned short x, unsigned short y,
                                       unsigned short z) const {
  if (x > 3 || y > 4 || z > 6) return 0.0;
  return M_gk_success_ratio[x][y][z];
}

SoccerCommand VekActions::alignNeckWithBody() const {
  traceLine(ZONE_SKILLS, LEVEL_ENTRY, "SoccerCommand VekActions::alignNeckWithBody() const");
  const WMState& wm = WM();
  vekbase::AngleDeg neck = wm.myRelativeNeckAngle();
  return SoccerCommand(SoccerCommand::CMD_TURNNECK, vekbase::AngleDeg(-double(neck)));
}

SoccerCommand VekActions::testNewtonAndWidestAngle() const {
  const WMState& wm = WM();
  Value t = 0.0;
  const Vector2D meet = wm.getMe()->newtonMethod(wm.getBall(), t);
  debugLine() << "Newton Test " << meet << "\n";

  vekbase::AngleDeg gap;
  const vekbase::AngleDeg dir = wm.getDirOfWidestAngle(
      wm.myPosition(), vekbase::AngleDeg(-45.0), vekbase::AngleDeg(45.0), gap, 100.0);
  debugLine() << "Widest Angle Test " << double(dir) << "\n";
  return SoccerCommand(SoccerCommand::CMD_MOVE, -10.0, 0.0);
}

vomar::Forwarder* VekActions::TraceScope::enter() const {
  vomar::Forwarder::instance(8192)->incIndent();
  return scopeLine(zone);
}

VekActions::TraceScope::~TraceScope() {
  if (vomar::Forwarder* out = scopeLine(zone)) {
    if (hasExitText)
      *out << exitText << "\n";
    else
      *out << signature << " end" << "\n";
  }
  vomar::Forwarder::instance(8192)->decIndent();
}
