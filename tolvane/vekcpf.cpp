// The cycle potential field: how well the opponents can reach the ball on
// its way after a kick. A query of the world model that asks the skill layer
// for the kick; the world model only declares it, so that its own files do
// not depend on the skills.

#include <cstddef>

#include "tolvane/vekactions.h"
#include "tolvane/wmstate.h"

namespace {

// The longest way of the ball that is rated, in cycles.
const int MAX_CYCLES = 74;
// A ball this near its target has arrived.
const double ARRIVED = 1.0;

// The field summed along the ball's way after soc until it arrives near
// target.
double alongBallPath(const WMState& wm, const SoccerCommand& soc, const Vector2D& target,
                     VekActions* player) {
  const BallObject& ball = wm.getBall();
  const double dist = wm.myPosition().dist(ball.getAbsPos());
  const vekbase::AngleDeg angle_pb = wm.ballAngleFromBody();
  const vekbase::AngleDeg dir_p = wm.myBodyAngle();
  double ipf = 0.0;
  for (int i = 1; i <= MAX_CYCLES; ++i) {
    const Vector2D ppos = ball.predictedPos(i, soc, dist, angle_pb, dir_p);
    ipf += wm.getCyclePotentialField(ppos, i, player);
    if (ppos.dist(target) <= ARRIVED) break;
  }
  return ipf;
}

} // namespace

double WMState::getCyclePotentialField(Vector2D pos, int inCycle, VekActions*) const {
  if (inCycle < 1) return 0.0;
  double pF = 0.0;
  auto add = [&](const PlayerObject& p) {
    // Unplaced entries (the opponents' entry 0 among them) stand at the
    // centre spot and must not count there.
    if (!p.getAbsPosConf().valid()) return;
    const int n = p.predictNrCyclesToPoint(pos);
    if (n <= inCycle) pF += double(inCycle - n) / double(inCycle);
  };
  for (std::size_t i = 1; i < others.size(); ++i) add(others[i]);
  for (const PlayerObject& p : unknown) add(p);
  return pF;
}

double WMState::getCPFValueOfPlayer(const PlayerObject& po, VekActions* player) const {
  const SoccerCommand soc =
      player ? player->directPass(po, true) : SoccerCommand(SoccerCommand::CMD_NONE);
  return alongBallPath(*this, soc, po.getAbsPos(), player);
}

double WMState::getCPFValueOfPoint(Vector2D pos, VekActions* player) const {
  const SoccerCommand soc = player ? player->kickToPoint(1, false, pos, 100.0)
                                   : SoccerCommand(SoccerCommand::CMD_NONE);
  return alongBallPath(*this, soc, pos, player);
}
