#ifndef INTERFACE_SWI_SKILLPREDICATES_H
#define INTERFACE_SWI_SKILLPREDICATES_H

#include <SWI-Prolog.h>

// The skills as predicates: each reads its arguments left to right, calls
// one skill of the player and unifies its last argument with the command
// list of what the skill returns ([none] when it has nothing to do). The
// first argument that cannot be read ends the call with its report: no
// skill runs and the result stays unbound. Nothing is queued here.

// Without input arguments.
foreign_t pl_align_neck_with_body(term_t list);
foreign_t pl_block_path(term_t list);
foreign_t pl_catch_ball(term_t list);
foreign_t pl_freeze_ball(term_t list);
foreign_t pl_kick_to_tangential_point(term_t list);
foreign_t pl_search_ball(term_t list);

// View, neck and body turns.
foreign_t pl_change_view(term_t width, term_t quality, term_t list);
foreign_t pl_look_around(term_t maxAngle, term_t minAngle, term_t list);
foreign_t pl_turn_body_to_ball(term_t cycles, term_t list);
foreign_t pl_turn_body_to_point(term_t x, term_t y, term_t cycles, term_t list);
// Exec is the body command planned for this cycle, as a command list.
foreign_t pl_turn_neck_to_ball(term_t exec, term_t list);
foreign_t pl_turn_neck_to_player(term_t side, term_t unum, term_t exec, term_t list);

// Moving.
foreign_t pl_dash_towards_point(term_t x, term_t y, term_t important, term_t list);
foreign_t pl_dash_to_position5(term_t x, term_t y, term_t distBack, term_t power, term_t list);
foreign_t pl_dash_to_position(term_t x, term_t y, term_t distBack, term_t moveBack,
                              term_t important, term_t list);
foreign_t pl_dash_to_position_along_line(term_t x, term_t y, term_t ang, term_t distThr,
                                         term_t sign, term_t angThr, term_t angCorr, term_t list);
foreign_t pl_move_to_position(term_t x, term_t y, term_t list);
foreign_t pl_defend_goalline(term_t dist, term_t list);
foreign_t pl_intercept3(term_t isGoalie, term_t distBack, term_t list);
// X, Y and T are numbers or unbound; an unbound place receives the meeting
// point or time when the skill computes one (not for a ball it reaches
// without running to a meeting point), and stays unbound otherwise.
foreign_t pl_intercept6(term_t isGoalie, term_t distBack, term_t x, term_t y, term_t t,
                        term_t list);

// Kicking.
foreign_t pl_kick_to(term_t power, term_t angle, term_t list);
foreign_t pl_kick_at_angle(term_t mode, term_t autoCorrect, term_t angle, term_t power,
                           term_t list);
foreign_t pl_kick_to_point(term_t mode, term_t autoCorrect, term_t x, term_t y, term_t power,
                           term_t list);
foreign_t pl_kick_precisely(term_t x, term_t y, term_t cycles, term_t list);
foreign_t pl_kick_ball_close_to_body(term_t angle, term_t delayed, term_t list);
foreign_t pl_tackle(term_t power, term_t list);

// Passing, clearing, holding, dribbling, turning with the ball, outplaying
// and marking (teamplaypredicates.cpp).
foreign_t pl_clear_ball(term_t list);
foreign_t pl_hold_ball(term_t list);
foreign_t pl_turn_with_ball_to(term_t angle, term_t list);
foreign_t pl_direct_pass(term_t side, term_t unum, term_t fast, term_t list);
foreign_t pl_leading_pass(term_t side, term_t unum, term_t dist, term_t list);
// PosX and PosY are unified with the pass target, before the list.
foreign_t pl_through_pass(term_t side, term_t unum, term_t x, term_t y, term_t posX, term_t posY,
                          term_t com, term_t list);
// Fails when there is no way past; otherwise an unbound PosToX or PosToY
// receives the point the ball is played to.
foreign_t pl_outplay_opponent(term_t side, term_t unum, term_t posX, term_t posY, term_t posToX,
                              term_t posToY, term_t list);
foreign_t pl_dribble_to_position(term_t mode, term_t x, term_t y, term_t dashPower,
                                 term_t avoidEnemy, term_t list);
foreign_t pl_mark_nearest(term_t dist, term_t list);
foreign_t pl_mark_opponent(term_t side, term_t unum, term_t dist, term_t type, term_t list);

#endif
