#include "interface-swi/client.h"

#include "tolvane/vekplayer.h"

VekPlayer* client = nullptr;

Side agent_side() { return client ? client->WM().getMySide() : u; }
