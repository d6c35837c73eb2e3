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

} // namespace

// Every constructor ends in the last one, which clamps all three values.
Confidence::Confidence() : Confidence(0.0) {}

Confidence::Confidence(double c)
    : Confidence(c, BaseParams::instance()->clientParams().confidenceMinValid()) {}

Confidence::Confidence(double c, double min)
    : Confidence(c, min, BaseParams::instance()->clientParams().confidenceDecay()) {}

Confidence::Confidence(double c, double min, double decay)
    : M_confidence_min_valid(clampUnit(min)), M_confidence_decay(clampUnit(decay)),
      M_conf(clampUnit(c)) {}

void Confidence::set(double c) { M_conf = clampUnit(c); }

std::ostream& operator<<(std::ostream& os, const Confidence& c) { return os << c(); }

} // namespace vekbase
