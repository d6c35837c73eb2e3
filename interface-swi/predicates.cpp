#include "interface-swi/predicates.h"

#include "interface-swi/commandlist.h"

namespace {

// The engine takes every implementation as an untyped pointer; the row's
// arity says how it is called.
template <typename F>
pl_function_t fn(F* f) {
  return reinterpret_cast<pl_function_t>(f);
}

} // namespace

// One row per predicate: name, arity, implementation, flags (0, or
// PL_FA_NONDETERMINISTIC for a predicate that enumerates on backtracking).
PL_extension predicates[] = {
    // Command queue.
    {"queue_up", 1, fn(pl_queue_up), 0},

    {nullptr, 0, nullptr, 0}};
