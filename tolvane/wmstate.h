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

class ClientParam;
class PlayertypeParam;
class ServerParam;
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

  friend std::ostream& operator<<(std::ostream& ostr, const WMState& wm);
  // The persistent model takes the snapshot's fields over directly.
  friend class UpdateableWMState;

protected:
  // The agent's own entry, or a default player while there is none, so that
  // no query reads outside own.
  const PlayerObject& me() const;

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
