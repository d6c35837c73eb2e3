#include "tolvane/behaviors/behavior.h"

#include "tolvane/vekplayer.h"

Behavior::Behavior(VekPlayer* p) : player(p) {}

Behavior::~Behavior() {}

void Behavior::init() {}

UpdateableWMState& Behavior::wm() {
  return player->WM();
}

const UpdateableWMState& Behavior::wm() const {
  return player->WM();
}
