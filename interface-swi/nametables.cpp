#include "interface-swi/nametables.h"

#include <cctype>

std::map<SoccerCommand::CommandT, std::string> SoccerCommandMap;
std::map<PlayMode::PlayModeType, std::string> PlayModeMap;
atom_t a_marker[MARKER_SLOTS];
std::map<atom_t, FlagObject::FlagId> FlagIdMap;
atom_t a_formation_type[FORMATION_TYPE_ATOMS];
std::map<atom_t, Formations::FormationParam::FormationT> FormationTypeMap;

void fill_soccer_command_map() {
  SoccerCommandMap[SoccerCommand::CMD_NONE] = "none";
  SoccerCommandMap[SoccerCommand::CMD_ATTENTIONTO] = "attentionto";
  SoccerCommandMap[SoccerCommand::CMD_CATCH] = "catch";
  SoccerCommandMap[SoccerCommand::CMD_CHANGEVIEW] = "changeview";
  SoccerCommandMap[SoccerCommand::CMD_DASH] = "dash";
  SoccerCommandMap[SoccerCommand::CMD_KICK] = "kick";
  SoccerCommandMap[SoccerCommand::CMD_MOVE] = "move";
  SoccerCommandMap[SoccerCommand::CMD_POINTTO] = "pointto";
  SoccerCommandMap[SoccerCommand::CMD_SAY] = "say";
  SoccerCommandMap[SoccerCommand::CMD_SCORE] = "score";
  SoccerCommandMap[SoccerCommand::CMD_SENSEBODY] = "sensebody";
  SoccerCommandMap[SoccerCommand::CMD_TACKLE] = "tackle";
  SoccerCommandMap[SoccerCommand::CMD_TURN] = "turn";
  SoccerCommandMap[SoccerCommand::CMD_TURNNECK] = "turnneck";
  SoccerCommandMap[SoccerCommand::CMD_BYE] = "bye";
}

void fill_play_mode_map() {
  // The atom is the enumerator's name in lower case.
  static const char* const names[] = {
      "No_Mode",          "Before_Kick_Off",       "My_Kick_Off",
      "Their_Kick_Off",   "My_Kick_In",            "Their_Kick_In",
      "My_Corner_Kick",   "Their_Corner_Kick",     "My_Goal_Kick",
      "Their_Goal_Kick",  "My_Free_Kick",          "Their_Free_Kick",
      "My_Goalie_Free_Kick", "Their_Goalie_Free_Kick", "Drop_Ball",
      "My_Offside",       "Their_Offside",         "Play_On",
      "Time_Over",        "My_Goalie_Catch_Ball",  "Their_Goalie_Catch_Ball",
      "My_Foul",          "Their_Foul",            "My_Free_Kick_Fault",
      "Their_Free_Kick_Fault"};
  int mode = PlayMode::No_Mode;
  for (const char* name : names) {
    std::string atom(name);
    for (char& c : atom) c = char(std::tolower(static_cast<unsigned char>(c)));
    PlayModeMap[PlayMode::PlayModeType(mode++)] = atom;
  }
}

void install_marker_atoms() {
  static const char* const names[] = {"goal_l", "goal_r"};
  int slot = 0;
  for (const char* name : names) a_marker[slot++] = PL_new_atom(name);
  FlagIdMap[a_marker[0]] = FlagObject::Flag_GL;
  FlagIdMap[a_marker[1]] = FlagObject::Flag_GR;
}

void install_formation_types() {
  static const char* const names[] = {"setup", "default", "attacking", "defensive"};
  int slot = 0;
  for (const char* name : names) a_formation_type[slot++] = PL_new_atom(name);
  FormationTypeMap[a_formation_type[0]] = Formations::FormationParam::SETUP;
  FormationTypeMap[a_formation_type[1]] = Formations::FormationParam::DEFAULT;
  FormationTypeMap[a_formation_type[2]] = Formations::FormationParam::ATTACKING;
  FormationTypeMap[a_formation_type[3]] = Formations::FormationParam::DEFENSIVE;
}
