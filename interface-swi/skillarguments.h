#ifndef INTERFACE_SWI_SKILLARGUMENTS_H
#define INTERFACE_SWI_SKILLARGUMENTS_H

#include <SWI-Prolog.h>

#include "interface-swi/client.h"
#include "interface-swi/commandlist.h"
#include "tolvane/playerobject.h"
#include "tolvane/vekplayer.h"
#include "tolvanebase/angle.h"
#include "tolvanebase/vector.h"

// Reading the arguments of the skill predicates and answering them, beside
// the shared readers of converters.h. Each reader returns false after its
// argument's report: a warning naming origin and position, or the
// predicate's own line on standard error (text), which follows the
// converter's report.
namespace skillargs {

// Degrees, normalised into [-180, 180].
bool read_angle(term_t t, vekbase::AngleDeg& a, const char* origin, int position);
bool read_vector(term_t x, term_t y, Vector2D& v, const char* text);
bool read_player(term_t side, term_t unum, PlayerObject& p, const char* text);
// An in-out point: each coordinate a number, or an unbound place that
// starts as not a number, so that one the skill leaves alone stays unbound.
bool read_place(term_t x, term_t y, Vector2D& v, const char* text);
// A place the agent program left unbound receives the value a skill left
// there, when that is a finite number (otherwise the skill had none to
// give and the place stays unbound); whatever it gave there stays as it was.
bool fill_place(term_t place, double v);

// Runs the skill on the player and answers with its command's list.
template <class Skill> foreign_t answer(term_t list, Skill skill) {
  if (!client) return FALSE;
  return PL_get_sclist(skill(*client), list);
}

} // namespace skillargs

#endif
