#ifndef INTERFACE_SWI_PLAYMODEPREDICATES_H
#define INTERFACE_SWI_PLAYMODEPREDICATES_H

#include <SWI-Prolog.h>

// Play-mode tests: each succeeds exactly in its play modes, told from the
// agent's side.
foreign_t pl_is_before_kick_off();
foreign_t pl_is_kick_off_us();
foreign_t pl_is_kick_off_them();
foreign_t pl_is_kick_in_us();
foreign_t pl_is_kick_in_them();
foreign_t pl_is_corner_kick_us();
foreign_t pl_is_corner_kick_them();
foreign_t pl_is_goal_kick_us();
foreign_t pl_is_goal_kick_them();
foreign_t pl_is_free_kick_us();
foreign_t pl_is_free_kick_them();
foreign_t pl_is_offside_us();
foreign_t pl_is_offside_them();
foreign_t pl_is_free_kick_fault_us();
foreign_t pl_is_free_kick_fault_them();
foreign_t pl_is_back_pass_us();
foreign_t pl_is_back_pass_them();
// Free kick, kick-in, corner kick or kick-off of that side.
foreign_t pl_is_dead_ball_us();
foreign_t pl_is_dead_ball_them();
foreign_t pl_their_dead_ball();
// play_mode(-Mode): the mode's atom; the empty atom for modes without a name.
foreign_t pl_play_mode(term_t mode);

// lock_kick/0: a team-mate with precedence can kick the ball.
foreign_t pl_lock_kick();
// log_action(+Level, +Message): a trace line in the process log.
foreign_t pl_log_action(term_t level, term_t message);
// set_formation_type(+Type) and formation_type(-Type), by the type's atom.
foreign_t pl_set_formation_type(term_t type);
foreign_t pl_formation_type(term_t type);
// interface(-Name): the host system, tolvane.
foreign_t pl_interface(term_t name);

#endif
