#ifndef INTERFACE_SWI_CLIENT_H
#define INTERFACE_SWI_CLIENT_H

#include "tolvane/soccercommand.h"

class VekPlayer;

// The one player of the process; every foreign predicate reaches the world
// model and the skills through it. Set by the entry, never released.
extern VekPlayer* client;

// The agent's own side as the world model knows it; u while there is no
// player or the init reply has not come.
Side agent_side();

// The last line of a player's run, after its main loop or a failed
// handshake: the team name, "(", the shirt number and "): exit game".
void log_exit_game();

#endif
