#include "interface-swi/skillarguments.h"

#include <cmath>
#include <limits>

#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"

namespace skillargs {

bool read_angle(term_t t, vekbase::AngleDeg& a, const char* origin, int position) {
  double d = 0.0;
  if (!read_float(t, d, origin, position)) return false;
  a = vekbase::AngleDeg(d);
  return true;
}

bool read_vector(term_t x, term_t y, Vector2D& v, const char* text) {
  return PL_get_vector2D(x, y, v) || report(text);
}

bool read_player(term_t side, term_t unum, PlayerObject& p, const char* text) {
  return PL_get_player(side, unum, p) || report(text);
}

bool read_place(term_t x, term_t y, Vector2D& v, const char* text) {
  double vx = std::numeric_limits<double>::quiet_NaN();
  double vy = vx;
  // Warned as the vector converter warns about a number given there.
  if (!PL_is_variable(x) && !PL_get_float(x, &vx))
    return warn_float("PL_get_vector2D/3", 1) || report(text);
  if (!PL_is_variable(y) && !PL_get_float(y, &vy))
    return warn_float("PL_get_vector2D/3", 2) || report(text);
  v = Vector2D(vx, vy);
  return true;
}

bool fill_place(term_t place, double v) {
  return !PL_is_variable(place) || !std::isfinite(v) || PL_unify_float(place, v);
}

} // namespace skillargs
