#include "interface-swi/client.h"

#include "tolvane/vekplayer.h"
#include "vomarlog/forwarder.h"

VekPlayer* client = nullptr;

Side agent_side() { return client ? client->WM().getMySide() : u; }

void log_exit_game() {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_ERROR);
  log->zone(0);
  log->prefix() << client->myTeamName() << "(" << client->myNumber() << "): exit game"
                << "\n";
}
