#ifndef TOLVANE_MESSAGECOMPOSER_H
#define TOLVANE_MESSAGECOMPOSER_H

#include <cstddef>
#include <cstdint>

#include "tolvane/connection.h"
#include "tolvane/logrecords.h"

// Turns one recorded show record into the sense_body and see texts that the
// soccer server would have sent to one chosen player in that cycle. It works
// in the record's coordinates (y grows towards the bottom touch line, and
// directions grow towards +y, as in the server's own messages).
class MessageComposer {
public:
  enum MessageType { SENSE = 0, SEE = 1 };
  enum ObjectType { PLAYER = 0, BALL = 1, FLAG = 2, LINE = 3 };
  enum ViewQualityl { LOW = 0, HIGH = 1 };
  // The values of the high-order half of a player's view_width.
  enum ViewCone { NARROW = 0, NORMAL = 1, WIDE = 3 };

  MessageComposer();
  virtual ~MessageComposer();

  // A slot from 0 to 21; any other is refused with a log line.
  bool setPlayer(int player);
  int getPlayer() const { return mPlayer; }
  // At most 15 characters of each name are kept.
  void setTeamNames(const char* left, const char* right);

  // The texts are written into buffer (size bytes, terminating zero
  // included); a null buffer composes and drops them. A piece that would not
  // fit is left out rather than cut.
  void composeSenseMessage(const dispinfo_t2& info, char* buffer,
                           std::size_t size = Connection::BUFFER_SIZE);
  void composeSeeMessage(const dispinfo_t2& info, char* buffer,
                         std::size_t size = Connection::BUFFER_SIZE);

  // Team 0 (left) or 1 (right) and the shirt number of a slot.
  static void processPlayerIndex(int idx, int& team, int& number);
  // The record's values are decoded to host order when read, so these only
  // scale: x65536 fixed point to metres, radians x65536 to degrees.
  static float decodeFloat(std::int32_t v);
  static std::int16_t decodeShort(std::int16_t v);
  static float decodeAngle(std::int32_t v);
  // d rounded up to the next multiple of q.
  static double quantize(double d, double q);

protected:
  void compose(MessageType type, const dispinfo_t2& info, char* buffer, std::size_t size);
  void composeSense(const player_t& me);
  void composeSee(const showinfo_t2& show);
  void composeLines();
  // One object as seen by the chosen player: aAbs is the direction the
  // object faces (its neck for a player; a line's angle for a line), aBody
  // a player's body direction.
  void seeObject(ObjectType type, const char* objName, const char* objShortName, double x,
                 double y, double vx, double vy, double aAbs, double aBody, const char* team,
                 int number);
  void writeMsg(const char* text);

  char* mBuffer;
  std::size_t mSize;
  std::size_t mLength;
  int mPlayer;
  std::int16_t mTime;
  float mPosX;
  float mPosY;
  float mBodyAngle;
  float mHeadAngle;
  float mVelX;
  float mVelY;
  float mViewQualityFactor;
  float mViewWidthFactor;
  char mTeamNames[2][16];
};

#endif
