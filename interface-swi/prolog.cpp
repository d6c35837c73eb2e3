#include "interface-swi/prolog.h"

#include <SWI-Prolog.h>

#include "interface-swi/engine.h"

Prolog::Prolog(VekPlayer* p) : Behavior(p) {}

Prolog::~Prolog() {}

// The handles are looked up at the first call: the engine is not running
// yet when the behaviour is made.
void Prolog::init() {
  static const predicate_t goal = PL_predicate("init", 0, "user");
  run_goal(goal);
}

void Prolog::process() {
  static const predicate_t goal = PL_predicate("behave_midfielder", 0, "user");
  run_goal(goal);
}
