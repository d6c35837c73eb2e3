#ifndef INTERFACE_SWI_ENGINE_H
#define INTERFACE_SWI_ENGINE_H

#include <SWI-Prolog.h>

#include <string>

// Blocks SIGIO in the calling thread, so that every thread started later
// (the engine starts its own) inherits the block and the socket's signal
// can never end the process.
void block_sigio();

// The real path of the running program; empty when it cannot be read.
std::string executable_path();

// Starts the engine on the agent program behind the running executable (the
// foreign predicates must be registered before). It
// takes none of the program's own arguments. False when the engine could
// not start or the program's entry goals are missing.
bool start_engine();

// True when user:name/arity has a definition.
bool goal_defined(const char* name, int arity);

// Runs the goal once, for its first solution, outside the debugger. An
// exception is logged, reported on standard error and cleared, so that the
// next call starts afresh. True when the goal succeeded.
bool run_goal(predicate_t goal);

#endif
