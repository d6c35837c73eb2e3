#ifndef INTERFACE_SWI_PREDICATESUPPORT_H
#define INTERFACE_SWI_PREDICATESUPPORT_H

#include <SWI-Prolog.h>

#include "tolvane/soccercommand.h"
#include "tolvanebase/vector.h"

class UpdateableWMState;

// What the foreign predicates share beyond the argument converters.

// The process-log zone of the Prolog bridge.
const unsigned short ZONE_PROLOG = 1900;

// The acute accent that several reports write where an apostrophe belongs
// ("can´t get player"), in UTF-8; spliced between string literals.
#define PL_ACUTE "\xC2\xB4"

// The world model of the one player. The entry makes the player before the
// engine starts, so no goal of the agent program runs without it.
const UpdateableWMState& pl_world();

// Writes the line and a newline to standard error; returns FALSE so that a
// predicate can end with `return report(...)`.
int report(const char* line);
// Writes origin, " : couldn´t get player with unum ", the number and a
// newline to standard error; returns FALSE.
int report_no_player(const char* origin, int number);

// Answers a float. The engine must never see a value that is not finite:
// such a value fails with a warning naming the origin and the argument.
bool unify_finite(term_t t, double v, const char* origin, int position);
// The answer both coordinates of v, into x then y.
bool unify_vector(term_t x, term_t y, const Vector2D& v, const char* origin, int position);
// Whether v is finite; otherwise the warning of unify_finite.
bool check_finite(double v, const char* origin, int position);
// l, r or u.
bool unify_side(term_t t, Side s);

#endif
