#ifndef INTERFACE_SWI_PREDICATES_H
#define INTERFACE_SWI_PREDICATES_H

#include <SWI-Prolog.h>

// The foreign predicates the agent program may call, in module user; ended
// by a row whose name is null. Registered before the engine starts.
extern PL_extension predicates[];

#endif
