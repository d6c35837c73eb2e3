#include "tolvane/msgobject.h"

MsgObject::MsgObject()
    : receiveTime(0, 0), sender(None), senderUnum(0), messageString(), senderDirection(0.0) {}
