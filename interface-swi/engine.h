#ifndef INTERFACE_SWI_ENGINE_H
#define INTERFACE_SWI_ENGINE_H

#include <SWI-Prolog.h>

#include <string>

// Blocks SIGIO in the calling thread, so that every thread started later
// (the engine starts its own) inherits the block and the socket's signal
// can never end the process.
void block_sigio();

// Fills the name tables and registers the foreign predicates; once,
// before the engine starts.
void register_predicates();

// Starts the engine on the agent program behind the running executable (the
// foreign predicates must be registered before) and makes the atoms the
// converters compare with. It takes none of the program's own arguments.
// False when the engine could not start or the program's entry goals are
// missing.
bool start_engine();

// The same from the engine's own boot files, without the agent program and
// without the user's init files: for programs that load what they need
// themselves. False when the engine could not start.
bool start_bare_engine();

// Runs the goal once, for its first solution, outside the debugger. An
// exception is logged, reported on standard error and cleared, so that the
// next call starts afresh. True when the goal succeeded.
bool run_goal(predicate_t goal);

#endif
