#include "tolvane/playmode.h"

#include "vomarlog/forwarder.h"

std::map<std::string, PlayMode::PlayModeType> PlayMode::playModeMap;

namespace {

// Server words that end in _l or _r, with the mode for the side that the
// suffix names (mine) and for the other side (theirs).
struct SidedWord {
  const char* stem;
  PlayMode::PlayModeType mine;
  PlayMode::PlayModeType theirs;
};

const SidedWord SIDED_WORDS[] = {
    {"kick_off", PlayMode::My_Kick_Off, PlayMode::Their_Kick_Off},
    {"kick_in", PlayMode::My_Kick_In, PlayMode::Their_Kick_In},
    {"corner_kick", PlayMode::My_Corner_Kick, PlayMode::Their_Corner_Kick},
    {"goal_kick", PlayMode::My_Goal_Kick, PlayMode::Their_Goal_Kick},
    {"free_kick", PlayMode::My_Free_Kick, PlayMode::Their_Free_Kick},
    {"indirect_free_kick", PlayMode::My_Free_Kick, PlayMode::Their_Free_Kick},
    {"goalie_free_kick", PlayMode::My_Goalie_Free_Kick, PlayMode::Their_Goalie_Free_Kick},
    {"offside", PlayMode::My_Offside, PlayMode::Their_Offside},
    {"goalie_catch_ball", PlayMode::My_Goalie_Catch_Ball, PlayMode::Their_Goalie_Catch_Ball},
    {"foul", PlayMode::My_Foul, PlayMode::Their_Foul},
    {"free_kick_fault", PlayMode::My_Free_Kick_Fault, PlayMode::Their_Free_Kick_Fault},
    {"back_pass", PlayMode::My_Back_Pass, PlayMode::Their_Back_Pass},
    {"catch_fault", PlayMode::My_Catch_Fault, PlayMode::Their_Catch_Fault},
    {"penalty_setup", PlayMode::My_Penalty_Setup, PlayMode::Their_Penalty_Setup},
    {"penalty_ready", PlayMode::My_Penalty_Ready, PlayMode::Their_Penalty_Ready},
    {"penalty_taken", PlayMode::My_Penalty_Taken, PlayMode::Their_Penalty_Taken},
    {"penalty_miss", PlayMode::My_Penalty_Miss, PlayMode::Their_Penalty_Miss},
    {"penalty_score", PlayMode::My_Penalty_Score, PlayMode::Their_Penalty_Score},
    {"penalty_foul", PlayMode::My_Penalty_Foul, PlayMode::Their_Penalty_Foul},
    {"penalty_winner", PlayMode::My_Penalty_Win, PlayMode::Their_Penalty_Win},
};

} // namespace

void PlayMode::set(const std::string& word) {
  // An unknown word is not added: words from the network would grow the table.
  const auto it = playModeMap.find(word);
  if (it != playModeMap.end() && it->second != No_Mode) mode = it->second;
}

void PlayMode::setSide(Side side) {
  if (side != l && side != r) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1090)
        << "unexpected side for playmode" << "\n";
    return;
  }

  const std::string own = side == l ? "_l" : "_r";
  const std::string other = side == l ? "_r" : "_l";
  for (const SidedWord& w : SIDED_WORDS) {
    playModeMap[std::string(w.stem) + own] = w.mine;
    playModeMap[std::string(w.stem) + other] = w.theirs;
  }
  playModeMap["penalty_onfield_l"] = Penalty_Onfield;
  playModeMap["penalty_onfield_r"] = Penalty_Onfield;
  playModeMap["before_kick_off"] = Before_Kick_Off;
  playModeMap["play_on"] = Play_On;
  playModeMap["time_over"] = Time_Over;
  playModeMap["drop_ball"] = Drop_Ball;
  playModeMap["penalty_draw"] = Penalty_Draw;
}

std::ostream& operator<<(std::ostream& os, const PlayMode& pm) {
  // The map is ordered, so a mode that several words share prints as the
  // smallest of them.
  for (const auto& entry : PlayMode::playModeMap) {
    if (entry.second == pm.mode) return os << entry.first;
  }
  return os << "ILLEGAL PLAY MODE";
}
