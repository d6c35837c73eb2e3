#ifndef INTERFACE_SWI_NAMETABLES_H
#define INTERFACE_SWI_NAMETABLES_H

#include <SWI-Prolog.h>

#include <map>
#include <string>

#include "tolvane/flagobject.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playmode.h"
#include "tolvane/soccercommand.h"

// The words between the system's values and the agent program's atoms. All
// of them live until the process ends.

// Command kind to the head word of its command list; CMD_DONE has none.
extern std::map<SoccerCommand::CommandT, std::string> SoccerCommandMap;
// Play mode to the atom play_mode/1 answers. Only the modes up to
// Their_Free_Kick_Fault have a name; a lookup of a later one enters and
// yields the empty name.
extern std::map<PlayMode::PlayModeType, std::string> PlayModeMap;

// One slot per flag id; only the goal markers are filled, and the first
// empty slot (0) ends every search.
const int MARKER_SLOTS = FlagObject::No_Flag + 1;
extern atom_t a_marker[MARKER_SLOTS];
extern std::map<atom_t, FlagObject::FlagId> FlagIdMap;

// setup, default, attacking, defensive: attacking comes before defensive
// here but after it in FormationT, so convert through FormationTypeMap only.
const int FORMATION_TYPE_ATOMS = 4;
extern atom_t a_formation_type[FORMATION_TYPE_ATOMS];
extern std::map<atom_t, Formations::FormationParam::FormationT> FormationTypeMap;

void fill_soccer_command_map();
void fill_play_mode_map();
// Need the running engine.
void install_marker_atoms();
void install_formation_types();

#endif
