#include "tolvanebase/confidence.h"

#include "tolvanebase/baseparams.h"

namespace vekbase {

namespace {

// Not-a-number lands on 0: written this way, every comparison with it fails.
double clampUnit(double v) {
  if (!(v > 0.0))
    return 0.0;
  return v > 1.0 ? 1.0 : v;
}

double defaultMinValid() {
  return clampUnit(BaseParams::instance()->clientParams().confidenceMinValid());
}

double defaultDecay() {
  return clampUnit(BaseParams::instance()->clientParams().confidenceDecay());
}

} // namespace

Confidence::Confidence()
    : M_confidence_min_valid(defaultMinValid()), M_confidence_decay(defaultDecay()), M_conf(0.0) {}

Confidence::Confidence(double c)
    : M_confidence_min_valid(defaultMinValid()), M_confidence_decay(defaultDecay()), M_conf(0.0) {
  set(c);
}

Confidence::Confidence(double c, double min)
    : M_confidence_min_valid(clampUnit(min)), M_confidence_decay(defaultDecay()), M_conf(0.0) {
  set(c);
}

Confidence::Confidence(double c, double min, double decay)
    : M_confidence_min_valid(clampUnit(min)), M_confidence_decay(clampUnit(decay)), M_conf(0.0) {
  set(c);
}

void Confidence::set(double c) { M_conf = clampUnit(c); }

std::ostream& operator<<(std::ostream& os, const Confidence& c) { return os << c(); }

} // namespace vekbase
