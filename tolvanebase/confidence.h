#ifndef TOLVANEBASE_CONFIDENCE_H
#define TOLVANEBASE_CONFIDENCE_H

#include <ostream>

namespace vekbase {

// How far a world-model datum can be trusted: a value in [0, 1] that decays
// every cycle and counts as valid at or above its own threshold.
class Confidence {
public:
  // Threshold and decay not given are read from the client parameters.
  Confidence();
  Confidence(double c);
  Confidence(double c, double min);
  Confidence(double c, double min, double decay);

  double operator()() const { return M_conf; }
  void set(double c);
  void decay() { M_conf *= M_confidence_decay; }

  bool valid() const { return M_conf >= M_confidence_min_valid; }
  bool valid(double min) const { return M_conf >= min; }

private:
  double M_confidence_min_valid;
  double M_confidence_decay;
  double M_conf;
};

std::ostream& operator<<(std::ostream& os, const Confidence& c);

} // namespace vekbase

#endif
