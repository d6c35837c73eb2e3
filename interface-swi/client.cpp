#include "interface-swi/client.h"

#include "tolvane/vekplayer.h"
#include "vomarlog/forwarder.h"

VekPlayer* client = nullptr;

Side agent_side() { return client ? client->WM().getMySide() : u; }

void log_exit_game() {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 0)
      << client->myTeamName() << "(" << client->myNumber() << "): exit game" << "\n";
}
