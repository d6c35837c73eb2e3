#ifndef TOLVANE_VEKACTIONS_H
#define TOLVANE_VEKACTIONS_H

#include <string>

#include "tolvane/playerobject.h"
#include "tolvane/pointobject.h"
#include "tolvane/soccercommand.h"
#include "tolvane/vekoptions.h"
#include "tolvanebase/angle.h"
#include "tolvanebase/vector.h"
#include "tolvanebase/viewmode.h"
#include "vomarlog/forwarder.h"

class UpdateableWMState;

// The skill layer: every basic skill of the agent reads the world model and
// the parameter stores and answers with one command for the current cycle.
// A skill never queues or sends what it returns and never changes the model;
// CMD_NONE means it has nothing to do. The one subclass, the player, supplies
// the world model.
class VekActions : public VekOptions {
public:
  // The side of its opponent on which a marking player stands.
  enum MarkT { MARK_GOAL = 0, MARK_BALL = 1, MARK_BISECTOR = 2 };

  VekActions();
  VekActions(int argc, char* argv[]);
  ~VekActions() override;

  virtual UpdateableWMState& WM() = 0;
  virtual const UpdateableWMState& WM() const = 0;

  SoccerCommand testNewtonAndWidestAngle() const;
  SoccerCommand moveToPosition(const Vector2D& p) const;
  SoccerCommand alignNeckWithBody() const;
  SoccerCommand turnBodyToPoint(const Vector2D& pos, int cycles) const;
  SoccerCommand turnBackToPoint(const Vector2D& pos, int cycles) const;
  SoccerCommand turnNeckToPoint(const Vector2D& pos, const SoccerCommand& soc) const;
  SoccerCommand turnWithBallTo(vekbase::AngleDeg ang);
  SoccerCommand turnBodyToObject(const PointObject& po, int cycles) const;
  SoccerCommand turnBodyOrBackToPoint(const Vector2D& pos, int cycles) const;
  SoccerCommand turnNeckToObject(const PointObject& po, const SoccerCommand& soc) const;
  SoccerCommand lookAroundBall();
  SoccerCommand lookAroundBall(double distance);
  SoccerCommand lookAround();
  SoccerCommand lookAround(vekbase::AngleDeg max_angle, vekbase::AngleDeg min_angle);
  SoccerCommand dashTowardsPoint(const Vector2D& pos, bool important) const;
  SoccerCommand dashTowardsPoint(const Vector2D& pos, double power, bool important) const;
  SoccerCommand dashToPosition(const Vector2D& posTo, double dDistBack, bool bMoveBack,
                               bool important) const;
  SoccerCommand dashToPosition(const Vector2D& posTo, double dDistBack, double power,
                               bool important) const;
  SoccerCommand dashToPositionAlongLine(const Vector2D& pos, vekbase::AngleDeg ang,
                                        double dDistThr, int iSign, vekbase::AngleDeg angThr,
                                        vekbase::AngleDeg angCorr) const;
  SoccerCommand outplayOpponent(PlayerObject po, Vector2D pos, Vector2D& posTo);
  SoccerCommand searchBall();
  SoccerCommand catchBall() const;
  SoccerCommand changeView(vekbase::ViewWidth::Width width,
                           vekbase::ViewQuality::Quality quality) const;
  SoccerCommand interceptCloseGoalie() const;
  SoccerCommand interceptClose() const;
  SoccerCommand intercept(bool isGoalie, double distBack) const;
  SoccerCommand intercept(bool isGoalie, double distBack, Vector2D& pos, Value& t) const;
  SoccerCommand defendGoalLine(double dDist) const;
  SoccerCommand blockPath() const;
  // Success of a shot at the goal in percent for the situation classes of
  // WMState::goalKickSituation; 0.0 outside the table.
  Value goalKickSuccessRatio(unsigned short x, unsigned short y, unsigned short z) const;

  // Kicking, passing, dribbling and marking.
  SoccerCommand tackle(double power) const;
  SoccerCommand freezeBall();
  SoccerCommand kickBallCloseToBody(vekbase::AngleDeg relAng, double relDist);
  SoccerCommand kickToTangentialPoint();
  SoccerCommand directPass(const PlayerObject& po, bool fastpass);
  SoccerCommand leadingPass(const PlayerObject& po, double dist);
  SoccerCommand throughPass(PlayerObject po, Vector2D posEnd, Vector2D& posTo, bool command);
  SoccerCommand accelerateBallToVelocity(Vector2D velDes);
  SoccerCommand kickToPoint(int mode, bool autoCorrect, Vector2D target, double power);
  SoccerCommand kickAtAngle(int mode, bool autoCorrect, vekbase::AngleDeg target, double power);
  SoccerCommand kickPrecisely(Vector2D posDesBall, int cycles);
  SoccerCommand kick_to(double power, vekbase::AngleDeg phi1);
  SoccerCommand OptimizeKick(vekbase::AngleDeg kickAngle, double v1, bool& success);
  bool positionCovered(Vector2D pos, PlayerObject opp, double buffer);
  bool ballUnderControl(int dashPower, vekbase::AngleDeg dribbleAngle);
  SoccerCommand dribbleKick(vekbase::AngleDeg relAng, double dashPower, int dashSteps);
  SoccerCommand basicDribble(int dashPower, vekbase::AngleDeg direction,
                             vekbase::AngleDeg dribbleAngle);
  SoccerCommand dribbleAtAngle(int mode, vekbase::AngleDeg direction, int dashPower,
                               bool avoidEnemy);
  SoccerCommand dribbleToPosition(int mode, Vector2D endPos, int dashPower, bool avoidEnemy);
  vekbase::AngleDeg avoidObstacleAngle(Vector2D endPos, double searchDist,
                                       vekbase::AngleDeg minAngle, vekbase::AngleDeg maxAngle,
                                       double angDiffs);
  SoccerCommand markOpponent(Unum u, double dist, MarkT mark);
  Unum selectOpponent(double max_dist);
  SoccerCommand holdBall();
  SoccerCommand clearBall();

protected:
  virtual bool seenThisCycle() const = 0;

  // Writes one whole trace line of the parts (priority S_TRACER on the
  // process-wide log stream) when the level is logged; nothing is streamed
  // while it is not.
  template <class... Parts>
  static void traceLine(unsigned int zone, unsigned short level, const Parts&... parts) {
    if (vomar::Forwarder* out =
            vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, zone, level))
      (*out << ... << parts) << "\n";
  }

  // The entry line of a skill without an exit line: the signature, then
  // " (" args ")" with the arguments joined by ", "; the arguments are
  // streamed only when the line is written.
  template <class... Args>
  static void entryLine(unsigned int zone, const std::string& signature, const Args&... args) {
    if (vomar::Forwarder* out =
            vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, zone, 20))
      writeEntry(*out, signature, args...);
  }
  template <class... Args>
  static void writeEntry(std::ostream& out, const std::string& signature, const Args&... args) {
    out << signature;
    if constexpr (sizeof...(args) > 0) {
      const char* sep = " (";
      ((out << sep << args, sep = ", "), ...);
      out << ")";
    }
    out << "\n";
  }

  // A skill with an entry and an exit line: one indent step deeper from
  // before the entry line to after the exit line, on every way out.
  class TraceScope {
  public:
    // Writes the entry line: the signature, then " (" args ")" with the
    // arguments joined by ", " and streamed only when the line is written;
    // the signature alone when there are none.
    template <class... Args>
    TraceScope(unsigned int z, const std::string& sig, const Args&... args)
        : zone(z), signature(sig), hasExitText(false) {
      if (vomar::Forwarder* out = enter()) writeEntry(*out, signature, args...);
    }
    // Writes the signature followed by " end", or exitText when set.
    ~TraceScope();
    void setExitText(const std::string& text) { exitText = text; hasExitText = true; }

  private:
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;
    // Steps one indent deeper; the stream of the entry line, or null when its
    // level is not logged.
    vomar::Forwarder* enter() const;
    unsigned int zone;
    std::string signature;
    std::string exitText;
    bool hasExitText;
  };

  // c itself, or CMD_NONE with a trace line in zone when one of c's numbers
  // is not finite: the server never gets one.
  static SoccerCommand finiteOrNone(const SoccerCommand& c, unsigned int zone);

  // Forgets what the skills remember between calls, as in a fresh process.
  // For tests; the agent itself never forgets during a match.
  static void resetSkillMemory();

private:
  // What the few skills that look back remember between calls: one set per
  // process, which serves one agent.
  struct SkillMemory {
    // The next step, 0 to 2, of each three-step scan.
    int lookAroundStep = 0;
    int lookAroundRangeStep = 0;
    int lookAroundBallStep = 0;
    int lookAroundBallDistStep = 0;
    // searchBall: whether it ran before, when it last turned, which way.
    bool searchStarted = false;
    vekbase::Timer lastSearch;
    int searchSign = 1;
  };
  static SkillMemory memory;

  // Defined by tests alone, to reach the private geometry.
  friend struct VekActionsTestAccess;

  void init();

  Vector2D getOuterPositionInField(Vector2D pos, vekbase::AngleDeg ang, double dDist,
                                   double bWithPenalty);
  bool willKickBeCollision(double kick_power, vekbase::AngleDeg kick_dir, double buffer);
  bool willDashBeCollision(double dashPower, double buffer);
  vekbase::AngleDeg getActualKickAngle(double kickpower, vekbase::AngleDeg desiredAngle);
  vekbase::AngleDeg normalizeDribAng(vekbase::AngleDeg ang);
  vekbase::AngleDeg normalizeDribAngWithBuffer(vekbase::AngleDeg ang);
  vekbase::AngleDeg avoidEnemyAngle();
  Vector2D getAccelerationVector(vekbase::AngleDeg myAngle, Vector2D myPos, Vector2D ballPos,
                                 Vector2D ballVel, double kickpower,
                                 vekbase::AngleDeg desiredAngle);
  Vector2D getAccelerationVector(double kickpower, vekbase::AngleDeg desiredAngle);
  Vector2D getMarkingPosition(PlayerObject po, double dist, MarkT mark);
  Value numOpponentsInWay(double wayWidth, double wayHeight, vekbase::AngleDeg wayAngle);

  // Goal-kick success in percent, [distance class][angle class][goalie
  // class].
  Value M_gk_success_ratio[4][5][7];
};

#endif
