#ifndef INTERFACE_SWI_CONVERTERS_H
#define INTERFACE_SWI_CONVERTERS_H

#include <SWI-Prolog.h>

#include "tolvane/flagobject.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playerobject.h"
#include "tolvanebase/vector.h"
#include "tolvanebase/viewmode.h"

// Readers of the argument kinds the foreign predicates share. Each returns
// false when it cannot convert; the caller then fails. Wrong types are
// reported through the engine's warning channel or on standard error, never
// in the process log.

// An atom whose first character is l or r; anything else stores a blank.
bool PL_get_side(term_t t, char* side);
// A side atom and a shirt number; a copy of the world model's record. A
// predicate that reads its player itself passes its own origin.
bool PL_get_player(term_t side, term_t unum, PlayerObject& player,
                   const char* origin = "PL_get_player/3");
// Two numbers; v changes only when both were read.
bool PL_get_vector2D(term_t x, term_t y, Vector2D& v);
// Decided by the atom's second letter: a narrow, o normal, i wide.
bool PL_get_viewwidth(term_t t, vekbase::ViewWidth& w);
// Decided by the atom's first letter: l low, h high.
bool PL_get_viewquality(term_t t, vekbase::ViewQuality& q);
// goal_l or goal_r, compared as atom handles; silent.
bool PL_get_marker(term_t t, FlagObject::FlagId* id);
// setup, default, attacking or defensive, compared as atom handles; silent.
bool PL_get_formation_type(term_t t, Formations::FormationParam::FormationT* type);

// The wrong-type warnings. origin is the predicate (or converter) as
// name/arity, position the argument counted from 1. Each returns FALSE so
// that a predicate can end with `return warn_float(...)`.
int warn_side(const char* origin, int position);
int warn_unum(const char* origin, long value, int position);
int warn_float(const char* origin, int position);
int warn_integer(const char* origin, int position);
int warn_flag(const char* origin, int position);

// Shirt numbers the predicates accept directly.
const int MIN_UNUM = 1;
const int MAX_UNUM = 11;

// Readers of a number or flag argument: false after the warning of its kind.
bool read_float(term_t t, double& v, const char* origin, int position);
bool read_integer(term_t t, int& v, const char* origin, int position);
// An integer used as a flag (any value but 0 is true): the integer warning.
bool read_integer_flag(term_t t, bool& v, const char* origin, int position);
// A flag proper: the same reading, with the flag warning.
bool read_flag(term_t t, bool& v, const char* origin, int position);
// A shirt number given directly: not an integer fails silently, one outside
// MIN_UNUM to MAX_UNUM with the shirt-number warning.
bool read_unum(term_t t, int& unum, const char* origin, int position);

#endif
