#include "interface-swi/skillarguments.h"

#include <cmath>
#include <limits>

#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"

namespace skillargs {

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
