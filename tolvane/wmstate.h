#ifndef TOLVANE_WMSTATE_H
#define TOLVANE_WMSTATE_H

#include <ostream>
#include <string>
#include <vector>

#include "tolvane/armobject.h"
#include "tolvane/ballobject.h"
#include "tolvane/flagobject.h"
#include "tolvane/lineobject.h"
#include "tolvane/msgobject.h"
#include "tolvane/playerobject.h"
#include "tolvane/playmode.h"
#include "tolvanebase/energy.h"
#include "tolvanebase/timer.h"
#include "tolvanebase/viewmode.h"
#include "tolvanespace/line2d.h"
#include "tolvanespace/region.h"

class ClientParam;
class PlayertypeParam;
class ServerParam;
class VekActions;
namespace Formations {
class FormationParam;
}

// One agent's belief about the match at one moment. The base of the
// persistent model, the per-cycle sensor snapshot and the fullstate record.
class WMState {
public:
  typedef std::vector<PlayerObject> PlayerList;

  WMState();
  virtual ~WMState();

  // The agent's own entry: entry myUnum of own. Entry 0, the placeholder,
  // stands in while the number is unknown or beyond the list; own.end()
  // when own is empty.
  virtual PlayerList::iterator getMe();
  virtual PlayerList::const_iterator getMe() const;

  // Builds the class-wide flag table once; for side r every position is
  // turned about the centre spot, so the own team always attacks towards +x.
  static void initFlags(Side s);
  // The field's landmarks in the server's coordinates (side l), in id order
  // (the order in which the replay composes them into its see messages).
  static std::vector<FlagObject> fieldFlags();

  const PlayerList& getOwn() const { return own; }
  const PlayerObject& getOwn(const int& index) const { return own[index]; }
  const PlayerList& getOthers() const { return others; }
  const PlayerObject& getOthers(const int& index) const { return others[index]; }
  const PlayerList& getUnknown() const { return unknown; }
  const PlayerObject& getUnknown(const int& index) const { return unknown[index]; }
  PlayerObject& getOwnPlayer(const int& i) { return own[i]; }
  PlayerObject& getOthersPlayer(const int& i) { return others[i]; }
  // Copies the player of absolute side 'l' or 'r' with shirt number 1 to 11
  // into player; false (player untouched) for any other side or number, or
  // when this state holds no entry for that number.
  bool getPlayer(char side, int index, PlayerObject& player) const;

  const BallObject& getBall() const { return ball; }

  const std::vector<FlagObject>& getFlags() const { return seenFlags; }
  std::vector<FlagObject>& getFlags() { return seenFlags; }
  const FlagObject& getFlag(const int& index) const { return seenFlags[index]; }
  const std::vector<FlagObject>& getAllFlags() const { return allFlags; }
  // A copy of the table flag with that id; a flag No_Flag "unknown" at (0, 0)
  // when the table holds none.
  FlagObject getFlag(FlagObject::FlagId id) const;
  const std::vector<LineObject>& getLines() const { return seenLines; }
  std::vector<LineObject>& getLines() { return seenLines; }
  const LineObject& getLine(const int& index) const { return seenLines[index]; }

  PlayMode::PlayModeType getPlayMode() const { return playMode(); }
  Unum getMyNumber() const { return myUnum; }
  Side getMySide() const { return mySide; }
  Side getTheirSide() const { return theirSide; }
  Value getMySpeed() const { return mySpeed; }
  vekbase::AngleDeg getMySpeedDir() const { return mySpeedDir; }
  int getMyScore() const { return myScore; }
  int getTheirScore() const { return theirScore; }
  vekbase::ViewWidth getViewWidth() const { return myViewWidth; }
  vekbase::ViewQuality getViewQuality() const { return myViewQuality; }
  const ArmObject& getArm() { return arm; }

  bool oppGoalieKnown() const { return knowTheirGoalie; }
  Unum oppGoalieNum() const { return oppGoalieNo; }
  bool ourGoalieKnown() const { return knowOurGoalie; }
  Unum ourGoalieNum() const { return ourGoalieNo; }
  void setOppGoalie(Unum gn);
  void setOurGoalie(Unum gn);
  Side getPenaltyKickSide() const { return penaltyKickSide; }

  MsgObject& getTeamMsg() { return teammateMsg; }
  MsgObject& getOpponentMsg() { return opponentMsg; }
  MsgObject& getTeamCoachMsg() { return teamCoachMsg; }
  MsgObject& getOppCoachMsg() { return oppCoachMsg; }
  const std::string& getMsgString() const { return teammateMsg.getMsgString(); }
  vekbase::Timer getReceiveTime() const { return teammateMsg.getReceiveTime(); }

  bool isTeammate(const PlayerObject& p) const { return p.getTeam() == mySide; }
  bool isOpponent(const PlayerObject& p) const {
    return p.getTeam() != mySide && p.getTeam() != u;
  }

  // Queries about the agent itself.
  Vector2D myPosition() const { return me().getAbsPos(); }
  const vekbase::Confidence& myPositionConf() const { return me().getAbsPosConf(); }
  Vector2D myVelocity() const { return me().getAbsVel(); }
  vekbase::AngleDeg myBodyAngle() const { return me().getBodyAngle(); }
  vekbase::AngleDeg myNeckAngle() const { return me().getNeckAngle(); }
  vekbase::AngleDeg myRelativeNeckAngle() const { return me().getRelativeNeckAngle(); }
  vekbase::Energy myEnergy() const { return me().getEnergy(); }
  bool iCanSeePoint(Vector2D p) const { return me().pointVisible(p, myViewWidth); }
  // Direction from the agent to p, relative to its body.
  vekbase::AngleDeg angleToFromBody(Vector2D p) const;
  // The ball's direction relative to the agent's body.
  vekbase::AngleDeg ballAngleFromBody() const;
  // Direction of the ball's motion relative to the agent's body.
  vekbase::AngleDeg ballRelativeToBodyHeading() const;
  // The ball's velocity in the frame of the agent's body.
  Vector2D ballRelativeToBodyVel() const;

  // Debug dumps of the model, once per merged cycle (wmstatelog.cpp): what
  // the belief state knows, what one sight held, and monitor drawings.
  void logKnowledge() const;
  void logSights() const;
  void logWM() const;
  void logWMWithCol(std::string col) const;

  // Ball and play-mode predicates.
  // The catch ban after the agent's last catch is still running.
  bool isCatchBanActive() const;
  // The agent as goalkeeper may catch the ball now.
  bool isBallCatchable() const;
  // One dash would bring the ball, now outside the catch area less margin,
  // inside it next cycle.
  bool willCatchBallSafer(Value margin) const;
  // The ball is strictly within the agent's kickable distance.
  bool isBallKickable() const;
  // The ball is strictly within the kickable distance, less safetyArea, of
  // player number u of side s.
  bool isBallKickableForPlayer(Side s, Unum u, Value safetyArea) const;
  // After steps cycles of dashing with dashPower the ball is within the
  // kickable distance less buffer (the bound counts as kickable).
  bool willBallBeKickable(int steps, Value dashPower, Value buffer) const;
  bool isTackleable() const { return false; }
  bool isInOurPenaltyArea(const Vector2D& p) const;

  bool isBeforeKickOff() const { return getPlayMode() == PlayMode::Before_Kick_Off; }
  bool isKickOffUs() const { return getPlayMode() == PlayMode::My_Kick_Off; }
  bool isKickOffThem() const { return getPlayMode() == PlayMode::Their_Kick_Off; }
  bool isKickInUs() const { return getPlayMode() == PlayMode::My_Kick_In; }
  bool isKickInThem() const { return getPlayMode() == PlayMode::Their_Kick_In; }
  bool isCornerKickUs() const { return getPlayMode() == PlayMode::My_Corner_Kick; }
  bool isCornerKickThem() const { return getPlayMode() == PlayMode::Their_Corner_Kick; }
  bool isGoalKickUs() const { return getPlayMode() == PlayMode::My_Goal_Kick; }
  bool isGoalKickThem() const { return getPlayMode() == PlayMode::Their_Goal_Kick; }
  bool isFreeKickUs() const { return getPlayMode() == PlayMode::My_Free_Kick; }
  bool isFreeKickThem() const { return getPlayMode() == PlayMode::Their_Free_Kick; }
  bool isOffsideUs() const { return getPlayMode() == PlayMode::My_Offside; }
  bool isOffsideThem() const { return getPlayMode() == PlayMode::Their_Offside; }
  bool isKickFaultUs() const { return getPlayMode() == PlayMode::My_Free_Kick_Fault; }
  bool isKickFaultThem() const { return getPlayMode() == PlayMode::Their_Free_Kick_Fault; }
  bool isBackPassUs() const { return getPlayMode() == PlayMode::My_Back_Pass; }
  bool isBackPassThem() const { return getPlayMode() == PlayMode::Their_Back_Pass; }
  // Free kick, kick-in, corner or kick-off; not goal kicks.
  bool isDeadBallUs() const;
  bool isDeadBallThem() const;

  // The x of the opponents' offside line: the larger of the ball's x and the
  // second-largest opponent x, never below 0.
  Value getOffsideLine() const;
  bool offside(const PlayerObject& player) const;

  // Team positions and the race to the ball.
  // The side whose player reaches the ball first; u when unknown.
  Side teamWithBall() const;
  // The formation position of shirt u (0: the agent) for the current ball
  // and offside line; numbers above 11 are refused with (0, 0).
  Vector2D getStrategicPosition(Unum u = 0) const;
  int cyclesSinceLastCatch() const;
  int cyclesSinceLastTackle() const;
  // Nearest team-mate (opponent) to pos with a valid position; 0 and
  // dist = -1 when there is none; ties go to the lower number.
  Unum getClosestTeammateTo(Value& dist, const Vector2D& pos, bool myself, bool goalie) const;
  Unum getClosestOpponentTo(Value& dist, const Vector2D& pos, bool goalie) const;
  // The team-mate (1 to 10) whose strategic position is nearest pos.
  Unum getClosestStrategicPositionTo(Value& dist, const Vector2D& pos, bool myself,
                                     bool goalie) const;
  // Least interception time to the ball and who achieves it; computed once
  // per simulation time.
  Value getFastestTeammateToBall(Unum& u) const;
  Value getFastestOpponentToBall(Unum& unum) const;
  // A tie goes to the opponents.
  Value getFastestPlayerToBall(Unum& u, bool& my_team) const;
  Value getFastestTeammateToPlayer(const PlayerObject& obj, Unum& u) const;
  Value getFastestOpponentToPlayer(const PlayerObject& obj, Unum& unum) const;
  Value getFastestPlayerToPlayer(const PlayerObject& obj, Unum& u, bool& my_team) const;
  bool isFastestPlayerToBall() const;
  bool isFastestPlayerToPlayer(const PlayerObject& obj) const;
  bool isFastestTeammateToBall() const;
  bool isFastestTeammateToPlayer(const PlayerObject& obj) const;
  // A team-mate with precedence (a higher number, or number 1) can kick the
  // ball, so the agent must leave it.
  bool lockKick() const;
  // Sum of 1 / d^2 over the opponents and unidentified players.
  Value congestionAtPos(Vector2D pos) const;

  // Spatial and goal-kick queries.
  // Classes of a shot at the opponents' goal: distance (0 to 4), angle of
  // the ball to the goal (0 to 4), opening beside the goalkeeper (0 to 6).
  void goalKickSituation(unsigned short& x, unsigned short& y, unsigned short& z) const;
  // The same, all from p's position.
  void goalKickSituation(PlayerObject p, unsigned short& x, unsigned short& y,
                         unsigned short& z) const;
  // The absolute direction through the middle of the widest gap between the
  // opponents seen within max_dist of pos, between ang_min and ang_max;
  // ang_large receives the gap's width.
  vekbase::AngleDeg getDirOfWidestAngle(const Vector2D& pos, vekbase::AngleDeg ang_min,
                                        vekbase::AngleDeg ang_max, vekbase::AngleDeg& ang_large,
                                        Value max_dist) const;
  int getOpponentsInRegion(const vekspace::Region& region) const;

  // The cycle potential field at pos for cycle inCycle: every opponent and
  // unidentified player with a known position that needs n <= inCycle
  // cycles to pos adds (inCycle - n) / inCycle; 0 for inCycle below 1.
  // player is not read.
  double getCyclePotentialField(Vector2D pos, int inCycle, VekActions* player) const;
  // The field summed cycle by cycle along the ball's way after the kick
  // that player's skills choose (a fast direct pass to po; a kick of power
  // 100 towards pos) until the ball comes within 1 m of the target, 74
  // cycles at most. The higher, the more of the way the opponents reach.
  // Without a player the ball is taken as not kicked. These live beside the
  // skills, which they call.
  double getCPFValueOfPlayer(const PlayerObject& po, VekActions* player) const;
  double getCPFValueOfPoint(Vector2D pos, VekActions* player) const;
  int getOpponentsInOurPenaltyArea() const;
  // A marking point on the line from p1 to the nearest opponent within
  // radius of p1; false (p0 untouched) when there is none or the ball is
  // unknown.
  bool opponentPathLineMarkingPosition(Vector2D& p0, const Vector2D& p1, Value radius) const;
  const vekspace::Line2D& getLeftLine() const;
  const vekspace::Line2D& getTopLine() const;
  const vekspace::Line2D& getRightLine() const;
  const vekspace::Line2D& getBottomLine() const;

  friend std::ostream& operator<<(std::ostream& ostr, const WMState& wm);
  // The persistent model takes the snapshot's fields over directly.
  friend class UpdateableWMState;

protected:
  // The agent's own entry, or a default player while there is none, so that
  // no query reads outside own.
  const PlayerObject& me() const;
  // Our penalty area, x in [-52.5, -36), y in [-20.16, 20.16).
  vekspace::RectRegion getOurPenaltyArea() const;
  // Ball radius plus player size plus kickable margin of that player type.
  Value kickableDistance(PTypeIndex type) const;
  // 1 to 11.
  static bool isShirtNumber(Unum n);

  // The sensor values that sense_body and fullstate both report.
  void setViewMode(vekbase::ViewQuality::Quality q, vekbase::ViewWidth::Width w);
  // The server's arm block: cycles until the arm can move again, cycles
  // until the pointing expires, and the target.
  void setArm(int movable, int expires, Value dist, vekbase::AngleDeg dir);

  PlayerList own;
  PlayerList others;
  PlayerList unknown;
  std::vector<vekbase::Timer> ownSeeTime;
  std::vector<vekbase::Timer> othersSeeTime;
  BallObject ball;
  static std::vector<FlagObject> allFlags;
  std::vector<FlagObject> seenFlags;
  std::vector<LineObject> seenLines;
  ArmObject arm;
  Unum myUnum;
  Side mySide;
  Side theirSide;
  Value mySpeed;
  vekbase::AngleDeg mySpeedDir;
  int tackleBan;
  int myScore;
  int theirScore;
  vekbase::ViewWidth myViewWidth;
  vekbase::ViewQuality myViewQuality;
  PlayMode playMode;
  ServerParam* SP;
  ClientParam* CP;
  PlayertypeParam* PT;
  Formations::FormationParam* FP;
  static bool flagsInitialized;
  bool sightInCurrentCycle;
  bool knowTheirGoalie;
  Unum oppGoalieNo;
  bool knowOurGoalie;
  Unum ourGoalieNo;
  Side penaltyKickSide;
  MsgObject teammateMsg;
  MsgObject opponentMsg;
  MsgObject teamCoachMsg;
  MsgObject oppCoachMsg;
};

std::ostream& operator<<(std::ostream& ostr, const WMState& wm);

#endif
