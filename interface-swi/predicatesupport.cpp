#include "interface-swi/predicatesupport.h"

#include <cmath>
#include <iostream>

#include "interface-swi/client.h"
#include "tolvane/vekplayer.h"

const UpdateableWMState& pl_world() { return client->WM(); }

int report(const char* line) {
  std::cerr << line << std::endl;
  return FALSE;
}

int report_no_player(const char* origin, int number) {
  std::cerr << origin << " : couldn" PL_ACUTE "t get player with unum " << number << std::endl;
  return FALSE;
}

bool check_finite(double v, const char* origin, int position) {
  if (std::isfinite(v)) return true;
  return PL_warning("%s: no finite value for argument %d\n", origin, position);
}

bool unify_finite(term_t t, double v, const char* origin, int position) {
  return check_finite(v, origin, position) && PL_unify_float(t, v);
}

bool unify_vector(term_t x, term_t y, const Vector2D& v, const char* origin, int position) {
  return unify_finite(x, v[0], origin, position) && unify_finite(y, v[1], origin, position + 1);
}

bool unify_side(term_t t, Side s) {
  return PL_unify_atom_chars(t, s == l ? "l" : s == r ? "r" : "u");
}
