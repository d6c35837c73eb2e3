#include "interface-swi/converters.h"

#include <iostream>

#include "interface-swi/client.h"
#include "interface-swi/nametables.h"
#include "interface-swi/predicatesupport.h"
#include "tolvane/vekplayer.h"

namespace {

// The atom's text; otherwise the converter's line on standard error.
bool atomText(term_t t, char*& text, const char* origin) {
  if (PL_get_atom_chars(t, &text)) return true;
  std::cerr << origin << " : can" PL_ACUTE "t get string" << std::endl;
  return false;
}

} // namespace

int warn_side(const char* origin, int position) {
  return PL_warning("%s: atom 'l' or 'r' expected for argument %d\n", origin, position);
}

int warn_unum(const char* origin, long value, int position) {
  return PL_warning("%s: uniform number between 1 and %d expected (value: %ld) for argument %d\n",
                    origin, MAX_UNUM, value, position);
}

int warn_float(const char* origin, int position) {
  return PL_warning("%s: float expected for argument %d\n", origin, position);
}

int warn_integer(const char* origin, int position) {
  return PL_warning("%s: integer expected for argument %d\n", origin, position);
}

int warn_flag(const char* origin, int position) {
  return PL_warning("%s: bool expected for argument %d\n", origin, position);
}

bool read_float(term_t t, double& v, const char* origin, int position) {
  return PL_get_float(t, &v) || warn_float(origin, position);
}

bool read_integer(term_t t, int& v, const char* origin, int position) {
  return PL_get_integer(t, &v) || warn_integer(origin, position);
}

bool read_integer_flag(term_t t, bool& v, const char* origin, int position) {
  int i = 0;
  if (!read_integer(t, i, origin, position)) return false;
  v = i != 0;
  return true;
}

bool read_flag(term_t t, bool& v, const char* origin, int position) {
  int i = 0;
  if (!PL_get_integer(t, &i)) return warn_flag(origin, position);
  v = i != 0;
  return true;
}

bool read_unum(term_t t, int& unum, const char* origin, int position) {
  if (!PL_get_integer(t, &unum)) return false;
  return (unum >= MIN_UNUM && unum <= MAX_UNUM) || warn_unum(origin, unum, position);
}

bool PL_get_side(term_t t, char* side) {
  char* text = nullptr;
  if (PL_get_atom_chars(t, &text) && (text[0] == 'l' || text[0] == 'r')) {
    *side = text[0];
    return true;
  }
  *side = ' ';
  return false;
}

bool PL_get_vector2D(term_t x, term_t y, Vector2D& v) {
  double vx = 0.0;
  double vy = 0.0;
  if (!PL_get_float(x, &vx)) return warn_float("PL_get_vector2D/3", 1);
  if (!PL_get_float(y, &vy)) return warn_float("PL_get_vector2D/3", 2);
  v = Vector2D(vx, vy);
  return true;
}

bool PL_get_viewwidth(term_t t, vekbase::ViewWidth& w) {
  char* text = nullptr;
  if (!atomText(t, text, "PL_get_viewwidth/2")) return false;
  // A one-letter atom has its terminating zero in second place; an empty
  // one has no second place to look at.
  const char second = text[0] != '\0' ? text[1] : '\0';
  switch (second) {
  case 'a': w.set(vekbase::ViewWidth::S_narrow); return true;
  case 'o': w.set(vekbase::ViewWidth::S_normal); return true;
  case 'i': w.set(vekbase::ViewWidth::S_wide); return true;
  default:
    std::cerr << "PL_get_viewwidth/2 : got an illegal view width !" << std::endl;
    return false;
  }
}

bool PL_get_viewquality(term_t t, vekbase::ViewQuality& q) {
  char* text = nullptr;
  if (!atomText(t, text, "PL_get_viewquality/2")) return false;
  switch (text[0]) {
  case 'l': q.set(vekbase::ViewQuality::S_low); return true;
  case 'h': q.set(vekbase::ViewQuality::S_high); return true;
  default:
    std::cerr << "PL_get_viewquality/2 : got an illegal view quality !" << std::endl;
    return false;
  }
}

bool PL_get_marker(term_t t, FlagObject::FlagId* id) {
  *id = FlagObject::No_Flag;
  atom_t a = 0;
  if (!PL_get_atom(t, &a)) return false;
  for (int slot = 0; slot < MARKER_SLOTS && a_marker[slot] != 0; ++slot) {
    if (a_marker[slot] == a) {
      *id = FlagIdMap[a];
      break;
    }
  }
  return *id != FlagObject::No_Flag;
}

bool PL_get_formation_type(term_t t, Formations::FormationParam::FormationT* type) {
  *type = Formations::FormationParam::NONE;
  atom_t a = 0;
  if (!PL_get_atom(t, &a)) return false;
  for (int slot = 0; slot < FORMATION_TYPE_ATOMS; ++slot) {
    if (a_formation_type[slot] == a) {
      *type = FormationTypeMap[a];
      break;
    }
  }
  return *type != Formations::FormationParam::NONE;
}

bool PL_get_player(term_t side, term_t unum, PlayerObject& player, const char* origin) {
  char letter = ' ';
  int number = 0;
  if (!PL_get_side(side, &letter)) return warn_side(origin, 1);
  if (!PL_get_integer(unum, &number)) return warn_integer(origin, 2);
  if (!client || !client->WM().getPlayer(letter, number, player))
    return report_no_player(origin, number);
  return true;
}
