#ifndef INTERFACE_SWI_SAVEDSTATE_H
#define INTERFACE_SWI_SAVEDSTATE_H

#include <string>

// True when the file ends in a saved state of the engine whose archive is
// whole: every member is where the archive's directory says and unpacks to
// its recorded size and checksum. A stripped, cut-off or damaged program
// fails, before the engine could stumble over it.
bool carries_saved_state(const std::string& path);

#endif
