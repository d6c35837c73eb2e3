#ifndef TOLVANE_SOCCERCOMMAND_H
#define TOLVANE_SOCCERCOMMAND_H

#include <ostream>
#include <string>

#include "tolvanebase/angle.h"
#include "tolvanebase/timer.h"
#include "tolvanebase/vector.h"
#include "tolvanebase/viewmode.h"

// The side of a team: undetermined, right, left.
enum Side { u, r, l };

// A shirt number, 1 to 11; 0 means none or not yet known.
typedef unsigned int Unum;

// The real type of command values (and of the parameter stores' values).
typedef double Value;

// One command for the soccer server. It renders its protocol text whenever it
// is set and is valid only in the simulation cycle in which it was last set,
// so that a command left over from an earlier cycle is never sent.
class SoccerCommand {
public:
  enum CommandT {
    CMD_NONE = 0,
    CMD_ATTENTIONTO = 1,
    CMD_CATCH = 2,
    CMD_CHANGEVIEW = 3,
    CMD_DASH = 4,
    CMD_KICK = 5,
    CMD_MOVE = 6,
    CMD_POINTTO = 7,
    CMD_SAY = 8,
    CMD_SCORE = 9,
    CMD_SENSEBODY = 10,
    CMD_TACKLE = 11,
    CMD_TURN = 12,
    CMD_TURNNECK = 13,
    CMD_BYE = 14,
    CMD_DONE = 15
  };

  // The command-queue slots (cmdType): one body command, and one each of the
  // others, per cycle; score and sense_body share a slot.
  enum SlotT {
    SLOT_BODY = 0,
    SLOT_ATTENTIONTO = 1,
    SLOT_CHANGEVIEW = 2,
    SLOT_POINTTO = 3,
    SLOT_TURNNECK = 4,
    SLOT_SCORE_SENSEBODY = 5,
    SLOT_SAY = 6,
    SLOT_DONE = 7,
    SLOT_NONE = 8
  };

  explicit SoccerCommand(CommandT c);
  SoccerCommand(CommandT c, double v0);
  SoccerCommand(CommandT c, vekbase::AngleDeg a);
  SoccerCommand(CommandT c, unsigned int unum, Side sd);
  SoccerCommand(CommandT c, double v0, double v1);
  SoccerCommand(CommandT c, double v0, vekbase::AngleDeg a);
  SoccerCommand(CommandT c, const vekbase::ViewWidth& w, const vekbase::ViewQuality& q);
  SoccerCommand(CommandT c, const std::string& str);

  void set(CommandT c);
  void set(CommandT c, double v0);
  void set(CommandT c, vekbase::AngleDeg a);
  void set(CommandT c, unsigned int unum, Side sd);
  void set(CommandT c, double v0, double v1);
  void set(CommandT c, double v0, vekbase::AngleDeg a);
  void set(CommandT c, const vekbase::ViewWidth& w, const vekbase::ViewQuality& q);
  void set(CommandT c, const std::string& str);

  // Restamps the command without rendering it again.
  void setTime(const vekbase::Timer& t) { time = t; }
  // Changes the first value only; the rendered text stays as it was.
  void setValue0(double v0) { val0 = v0; }

  // Not empty and made in the current cycle (and sub-step).
  bool valid() const;

  const std::string& str() const { return rep; }
  int type() const { return cmdType; }
  CommandT command() const { return com; }

  Value getValue0() const { return val0; }
  Value dashPower() const { return val0; }
  Value kickPower() const { return val0; }
  Value tacklePower() const { return val0; }
  Value xPosition() const { return val0; }
  Value pointToDist() const { return val0; }

  Value getValue1() const { return val1; }
  Value yPosition() const { return val1; }

  vekbase::AngleDeg getAngle() const { return angle; }
  vekbase::AngleDeg catchDir() const { return angle; }
  vekbase::AngleDeg kickDir() const { return angle; }
  vekbase::AngleDeg turnAngle() const { return angle; }
  vekbase::AngleDeg turnNeckAngle() const { return angle; }
  double pointToDir() const { return double(angle); }

  Vector2D position() const { return Vector2D(val0, val1); }

  vekbase::ViewWidth viewWidth() const { return vw; }
  vekbase::ViewQuality viewQuality() const { return vq; }

  Unum unum() const { return num; }
  Side getSide() const { return side; }

  const std::string& getSayString() const { return s; }

  // An attentionto or pointto command that attends or points to nothing:
  // one carrying the word "off", or an attentionto without a known side.
  bool isOff() const;

private:
  void makeStr();

  vekbase::Timer time{0, 0};
  CommandT com = CMD_NONE;
  Value val0 = 0.0;
  Value val1 = 0.0;
  vekbase::AngleDeg angle{0.0};
  Unum num = 0;
  Side side = u;
  vekbase::ViewQuality vq{vekbase::ViewQuality::S_high};
  vekbase::ViewWidth vw{vekbase::ViewWidth::S_normal};
  std::string s;
  std::string rep;
  int cmdType = SLOT_NONE;
  bool err = true;
};

std::ostream& operator<<(std::ostream& os, const SoccerCommand& cmd);

#endif
