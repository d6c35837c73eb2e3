#ifndef INTERFACE_SWI_COMMANDLIST_H
#define INTERFACE_SWI_COMMANDLIST_H

#include <SWI-Prolog.h>

#include "tolvane/soccercommand.h"

// Commands travel to and from the agent program as lists headed by the
// command word, the values following in protocol order: [dash, Power],
// [kick, Power, Direction], [changeview, Width, Quality].

// Unifies list with the command's list; fails only when list does not unify.
bool PL_get_sclist(const SoccerCommand& command, term_t list);
// Reads a command list into command (through SoccerCommand::set). The kind
// is decided by the letters of the head word, not by the whole word.
bool PL_get_soccercommand(term_t list, SoccerCommand& command);

// queue_up(+CommandList): the command takes its kind's slot in the
// Actuator's queue for this cycle.
foreign_t pl_queue_up(term_t list);

#endif
