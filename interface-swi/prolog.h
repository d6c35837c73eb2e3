#ifndef INTERFACE_SWI_PROLOG_H
#define INTERFACE_SWI_PROLOG_H

#include "tolvane/behaviors/behavior.h"

// The decision hook that hands each decision to the agent program: its goal
// init/0 once after the handshake, behave_midfielder/0 once per cycle. Both
// run outside the engine's debugger; whether they succeed does not change
// the cycle.
class Prolog : public Behavior {
public:
  explicit Prolog(VekPlayer* p);
  ~Prolog() override;

  void init() override;
  void process() override;
};

#endif
