#ifndef INTERFACE_SWI_TEAMCODEC_H
#define INTERFACE_SWI_TEAMCODEC_H

#include <SWI-Prolog.h>

// Team messages over the say channel. A ball position reads
// "bX%3.0fY%3.0fZ", a pass "p<receiver>%3.0fY%3.0f" with the receivers 10
// and 11 written A and B, so that every receiver takes one character.

// say_ball_pos(-Command): a say list carrying the ball's position.
foreign_t pl_say_ball_pos(term_t command);
// say_pass(+Unum, +X, +Y, -Command): a say list carrying a pass to Unum at
// (X, Y).
foreign_t pl_say_pass(term_t unum, term_t x, term_t y, term_t command);
// hear_ball_pos(-X, -Y): the ball position of the last team-mate message.
foreign_t pl_hear_ball_pos(term_t x, term_t y);
// hear_pass(-Unum, -X, -Y): receiver and point of the last team-mate
// message, when it is a pass.
foreign_t pl_hear_pass(term_t unum, term_t x, term_t y);

#endif
