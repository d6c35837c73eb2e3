#ifndef TOLVANE_MSGOBJECT_H
#define TOLVANE_MSGOBJECT_H

#include <string>

#include "tolvane/gameobject.h"
#include "tolvanebase/angle.h"
#include "tolvanebase/timer.h"

// The last message heard from one kind of sender. Which member of the world
// model holds it tells who sent it; a new message replaces the old one.
class MsgObject {
public:
  enum SenderType { None = 0, Teammate, Opponent, MyCoach, TheirCoach, referee, Unknown };

  MsgObject();

  void setReceiveTime(vekbase::Timer t) { receiveTime = t; }
  vekbase::Timer getReceiveTime() const { return receiveTime; }
  void setSender(SenderType s) { sender = s; }
  SenderType getSender() const { return sender; }
  void setSenderUnum(Unum u) { senderUnum = u; }
  Unum getSenderUnum() const { return senderUnum; }
  void setMsgString(const std::string& s) { messageString = s; }
  const std::string& getMsgString() const { return messageString; }
  void setSenderDirection(vekbase::AngleDeg a) { senderDirection = a; }
  vekbase::AngleDeg getSenderDirection() const { return senderDirection; }

private:
  vekbase::Timer receiveTime;
  SenderType sender;
  Unum senderUnum;
  std::string messageString;
  vekbase::AngleDeg senderDirection;
};

#endif
