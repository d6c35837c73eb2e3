// The skills that move the agent without the ball: turning body and neck,
// looking around, searching for the ball, catching, changing the view,
// moving, and dashing to a position (also along a line).

#include <cmath>

#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekactions.h"
#include "tolvanespace/line2d.h"
#include "vomarlog/vomardraw.h"

using fieldgeometry::direction;
using fieldgeometry::polar;
using vekbase::AngleDeg;

namespace {

const unsigned int ZONE = 1201;

// a limited to [lo, hi]; not a number stays one, so that the caller's
// finiteness test still sees it.
AngleDeg clamped(AngleDeg a, double lo, double hi) {
  if (double(a) < lo) return AngleDeg(lo);
  if (double(a) > hi) return AngleDeg(hi);
  return a;
}

bool within(AngleDeg a, AngleDeg tolerance) { return std::fabs(double(a)) < double(tolerance); }

// One call of a three-step scan: step(counter) gives the command of the
// current step. The scan moves on only when a step goes out in a cycle with
// a sight, so each step is repeated until the agent has seen with it.
template <class Step> SoccerCommand scan(int& counter, bool seen, Step step) {
  if (counter > 2) counter = 0;
  const SoccerCommand c = step(counter);
  if (seen && c.command() != SoccerCommand::CMD_NONE) ++counter;
  return c;
}

// The neck turn of step `step` of the scan around the ball: the ball 2.5
// degrees inside one edge of the view cone, in the middle, inside the other.
SoccerCommand ballScanStep(const WMState& wm, const ServerParam& sp, int step) {
  const AngleDeg n = wm.myRelativeNeckAngle();
  const AngleDeg b = (wm.getBall().getDir() + n) - n;
  const AngleDeg half = (wm.getViewWidth().value() - AngleDeg(5.0)) * 0.5;
  const AngleDeg turn = step == 0 ? b + half : step == 1 ? b : b - half;
  return SoccerCommand(SoccerCommand::CMD_TURNNECK, clamped(turn, sp.minn, sp.maxn));
}

// What the go-to decision does instead of dashing.
enum class Go { Dash, TurnBody, TurnBodyOrBack, TurnBack };

// The go-to decision: the heading error is measured from where the agent
// drifts to by the next cycle, the distance from where it stands.
Go goDecision(const WMState& wm, const Vector2D& posTo, double dDistBack, bool backFirst,
              AngleDeg tol) {
  const PlayerObject& me = *wm.getMe();
  const AngleDeg angTo = direction(posTo - me.predictedPosition(1)) - me.getBodyAngle();
  const AngleDeg angBackTo = angTo + AngleDeg(180.0);
  const double dDist = (me.getAbsPos() - posTo).length();

  if (backFirst) return within(angBackTo, tol) ? Go::Dash : Go::TurnBack;
  if (within(angTo, tol)) return Go::Dash;
  if (within(angBackTo, tol) && dDist < dDistBack) return Go::Dash;
  if (vomar::Forwarder* out = vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, ZONE, 50))
    *out << "distance to position: " << dDist << "\n";
  return dDist >= dDistBack ? Go::TurnBody : Go::TurnBodyOrBack;
}

// The turn of a go-to decision, aimed from the next cycle's position.
SoccerCommand turnOf(const VekActions& skills, Go go, const Vector2D& posTo) {
  switch (go) {
  case Go::TurnBack: return skills.turnBackToPoint(posTo, 1);
  case Go::TurnBody: return skills.turnBodyToPoint(posTo, 1);
  default: return skills.turnBodyOrBackToPoint(posTo, 1);
  }
}

} // namespace

// ---- Turning body and neck ----

SoccerCommand VekActions::turnBodyToPoint(const Vector2D& pos, int cycles) const {
  TraceScope scope(ZONE, "SoccerCommand VekActions::turnBodyToPoint(const Vector2D&, int) const",
                   pos, cycles);
  const PlayerObject& me = *WM().getMe();
  const Vector2D predPos = me.predictedPosition(cycles);
  const AngleDeg dir = direction(pos - predPos);
  traceLine(ZONE, 50, "Angle between ", pos, " and ", predPos, ": ", double(dir));
  const AngleDeg turnAngle = dir - me.getBodyAngle();
  traceLine(ZONE, 30, "want to turn ", double(turnAngle));
  const AngleDeg moment = me.getAngleForTurn(turnAngle);
  traceLine(ZONE, 30, "have to turn ", double(moment));
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURN, moment), ZONE);
}

SoccerCommand VekActions::turnBackToPoint(const Vector2D& pos, int cycles) const {
  TraceScope scope(ZONE, "SoccerCommand VekActions::turnBackToPoint(const Vector2D&, int) const",
                   pos, cycles);
  const PlayerObject& me = *WM().getMe();
  const AngleDeg turnAngle =
      (direction(pos - me.predictedPosition(cycles)) - me.getBodyAngle()) + AngleDeg(180.0);
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURN, me.getAngleForTurn(turnAngle)),
                      ZONE);
}

SoccerCommand VekActions::turnBodyOrBackToPoint(const Vector2D& pos, int cycles) const {
  TraceScope scope(ZONE,
                   "SoccerCommand VekActions::turnBodyOrBackToPoint(const Vector2D&, int) const",
                   pos, cycles);
  const PlayerObject& me = *WM().getMe();
  const AngleDeg turnAngle = direction(pos - me.predictedPosition(cycles)) - me.getBodyAngle();
  const AngleDeg body = me.getAngleForTurn(turnAngle);
  const AngleDeg back = me.getAngleForTurn(turnAngle + AngleDeg(180.0));
  // A front turn that gets there in this cycle beats a smaller back turn.
  const bool front = std::fabs(double(turnAngle - me.getRealTurnAngle(body))) <= 1.0 ||
                     std::fabs(double(body)) <= std::fabs(double(back));
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURN, front ? body : back), ZONE);
}

SoccerCommand VekActions::turnBodyToObject(const PointObject& po, int cycles) const {
  return turnBodyToPoint(po.predictedPosition(cycles), cycles);
}

SoccerCommand VekActions::turnNeckToPoint(const Vector2D& pos, const SoccerCommand& soc) const {
  TraceScope scope(ZONE,
                   "SoccerCommand VekActions::turnNeckToPoint(const Vector2D&, "
                   "const SoccerCommand&) const",
                   pos, soc);
  const PlayerObject& me = *WM().getMe();
  // The neck turns relative to the body as it will be after soc.
  const PlayerObject next = me.predictedAfterCommand(soc);
  const AngleDeg wanted = direction(pos - next.getAbsPos()) - next.getBodyAngle();
  const AngleDeg turn = clamped(wanted, SP->minn, SP->maxn) - me.getRelativeNeckAngle();
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURNNECK, turn), ZONE);
}

SoccerCommand VekActions::turnNeckToObject(const PointObject& po, const SoccerCommand& soc) const {
  return turnNeckToPoint(po.predictedPosition(1), soc);
}

// ---- Looking around and searching for the ball ----

SoccerCommand VekActions::lookAround(AngleDeg max_angle, AngleDeg min_angle) {
  const AngleDeg n = WM().myRelativeNeckAngle();
  const AngleDeg half = double(float(double(WM().getViewWidth().value()))) * 0.5;
  return scan(memory.lookAroundRangeStep, seenThisCycle(), [&](int step) {
    if (step == 1) return alignNeckWithBody();
    const AngleDeg turn = step == 0 ? (max_angle - half) - n : (min_angle + half) - n;
    return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURNNECK, turn), ZONE);
  });
}

SoccerCommand VekActions::lookAround() {
  const AngleDeg n = WM().myRelativeNeckAngle();
  return scan(memory.lookAroundStep, seenThisCycle(), [&](int step) {
    if (step == 1) return alignNeckWithBody();
    const AngleDeg turn = AngleDeg(step == 0 ? 90.0 : -90.0) - n;
    return SoccerCommand(SoccerCommand::CMD_TURNNECK, turn);
  });
}

SoccerCommand VekActions::lookAroundBall() {
  return scan(memory.lookAroundBallStep, seenThisCycle(),
              [&](int step) { return finiteOrNone(ballScanStep(WM(), *SP, step), ZONE); });
}

SoccerCommand VekActions::lookAroundBall(double distance) {
  if (WM().getBall().getDist() < distance) return SoccerCommand(SoccerCommand::CMD_NONE);
  return scan(memory.lookAroundBallDistStep, seenThisCycle(),
              [&](int step) { return finiteOrNone(ballScanStep(WM(), *SP, step), ZONE); });
}

SoccerCommand VekActions::searchBall() {
  static const std::string sig = "SoccerCommand VekActions::searchBall()";
  TraceScope scope(ZONE, sig);
  const vekbase::Timer now = vekbase::Timer::currentTime();
  if (!memory.searchStarted) {
    memory.searchStarted = true;
    memory.lastSearch = now;
  }
  if (!seenThisCycle()) {
    traceLine(ZONE, 30, "no sight - no turn. Wait for next cycle");
    scope.setExitText(sig + "end");
    return SoccerCommand(SoccerCommand::CMD_TURN, AngleDeg(0.0));
  }

  const WMState& wm = WM();
  AngleDeg turn = wm.getViewWidth().value();
  turn = turn - turn / 10.0;
  turn = wm.getMe()->getAngleForTurn(turn);

  // A search that goes on keeps turning the same way; a new one turns
  // towards the side where the ball was seen last.
  if (now - 3 > memory.lastSearch) {
    const BallObject& ball = wm.getBall();
    const double d = double(ball.getDir());
    traceLine(ZONE, 40, "search ball in direction ", d, " of old pos");
    if (vomar::Forwarder* out =
            vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, ZONE, 40)) {
      const Vector2D at = ball.getAbsPos();
      *out << vomar::Draw::draw(vomar::Draw::circle(float(at[0]), float(at[1]), 1.0f, "00C000"))
           << "\n";
    }
    memory.searchSign = 0.0 < d && d < 180.0 ? 1 : -1;
  }
  memory.lastSearch = now;
  scope.setExitText(sig + "queueing a turn");
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TURN, turn * double(memory.searchSign)),
                      ZONE);
}

// ---- Catching, changing the view, moving ----

SoccerCommand VekActions::catchBall() const {
  traceLine(ZONE, 20, "SoccerCommand VekActions::catchBall() const");
  const WMState& wm = WM();
  // The catch direction is relative to the body; the ball was seen relative
  // to the head.
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_CATCH,
                                    wm.getBall().getDir() + wm.myRelativeNeckAngle()),
                      ZONE);
}

SoccerCommand VekActions::changeView(vekbase::ViewWidth::Width width,
                                     vekbase::ViewQuality::Quality quality) const {
  const WMState& wm = WM();
  if ((wm.getViewWidth()() == width && wm.getViewQuality()() == quality) ||
      Actuator::instance()->isChangeViewPending(width, quality))
    return SoccerCommand(SoccerCommand::CMD_NONE);
  return SoccerCommand(SoccerCommand::CMD_CHANGEVIEW, vekbase::ViewWidth(width),
                       vekbase::ViewQuality(quality));
}

SoccerCommand VekActions::moveToPosition(const Vector2D& p) const {
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_MOVE, p[0], p[1]), ZONE);
}

// ---- Dashing to positions ----

SoccerCommand VekActions::dashTowardsPoint(const Vector2D& pos, bool important) const {
  entryLine(ZONE, "SoccerCommand VekActions::dashTowardsPoint(const Vector2D&, bool) const", pos,
            important);
  const PlayerObject& me = *WM().getMe();
  return finiteOrNone(
      SoccerCommand(SoccerCommand::CMD_DASH, me.getPowerForDash(pos - me.getAbsPos(), important)),
      ZONE);
}

SoccerCommand VekActions::dashTowardsPoint(const Vector2D& pos, double power,
                                           bool important) const {
  entryLine(ZONE, "SoccerCommand VekActions::dashTowardsPoint(const Vector2D&, double, bool) const",
            pos, power, important);
  const PlayerObject& me = *WM().getMe();
  const double p = me.getPowerForDash(pos - me.getAbsPos(), important);
  // power limits the size only; a limit that is not a number gives none.
  double size = std::fabs(p);
  if (std::fabs(power) < size || std::isnan(power)) size = std::fabs(power);
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_DASH, p < 0.0 ? -size : size), ZONE);
}

SoccerCommand VekActions::dashToPosition(const Vector2D& posTo, double dDistBack, bool bMoveBack,
                                         bool important) const {
  entryLine(ZONE,
            "SoccerCommand VekActions::dashToPosition(const Vector2D&, double, bool, bool) const",
            posTo, dDistBack, bMoveBack, important);
  const Go go = goDecision(WM(), posTo, dDistBack, bMoveBack, CP->whenToTurn());
  return go == Go::Dash ? dashTowardsPoint(posTo, important) : turnOf(*this, go, posTo);
}

SoccerCommand VekActions::dashToPosition(const Vector2D& posTo, double dDistBack, double power,
                                         bool important) const {
  entryLine(ZONE,
            "SoccerCommand VekActions::dashToPosition(const Vector2D&, double, double, bool) const",
            posTo, dDistBack, power, important);
  const Go go = goDecision(WM(), posTo, dDistBack, false, CP->whenToTurn());
  return go == Go::Dash ? dashTowardsPoint(posTo, power, important) : turnOf(*this, go, posTo);
}

SoccerCommand VekActions::dashToPositionAlongLine(const Vector2D& pos, AngleDeg ang,
                                                  double dDistThr, int iSign, AngleDeg angThr,
                                                  AngleDeg angCorr) const {
  TraceScope scope(ZONE,
                   "SoccerCommand VekActions::dashToPositionAlongLine(const Vector2D&, "
                   "vekbase::AngleDeg, double, int, vekbase::AngleDeg, vekbase::AngleDeg) const",
                   pos, double(ang), dDistThr, iSign, double(angThr), double(angCorr));
  const vekspace::Line2D line(pos, ang);
  const PlayerObject& me = *WM().getMe();
  const Vector2D posAgent = me.getAbsPos();
  const AngleDeg angBody = me.getBodyAngle();
  const Vector2D posProj = line.getPointOnLineClosestTo(posAgent);
  const double dDist = (posAgent - posProj).length();
  const double dDiff = (pos - posProj).length();

  // Too far from the line: the heading tilts back towards it, the tilt's
  // side depending on which side of the line the agent stands (the centre
  // spot's side or beyond). The sign is a double: no int can overflow.
  if (dDist > dDistThr) {
    const vekspace::Line2D toAgent(Vector2D(0.0, 0.0), posAgent);
    const Vector2D posIntersect = line.getIntersection(toAgent);
    const double side = posIntersect.length() > posAgent.length() ? 1.0 : -1.0;
    ang = ang + angCorr * (double(iSign) * side);
  }
  traceLine(ZONE, 30, "y difference to defend point ", dDiff);

  if (std::fabs(double(ang - angBody)) > double(angThr)) {
    traceLine(ZONE, 30, "angle differs too much body = ", double(angBody), " des = ", double(ang));
    return turnBodyToPoint(posAgent + polar(1.0, ang), 1);
  }
  if (dDiff > dDistThr) return dashTowardsPoint(pos, false);
  return SoccerCommand(SoccerCommand::CMD_NONE);
}
