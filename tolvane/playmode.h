#ifndef TOLVANE_PLAYMODE_H
#define TOLVANE_PLAYMODE_H

#include <map>
#include <ostream>
#include <string>

#include "tolvane/soccercommand.h"

// The state of the game as seen from the agent's own team: "my" kick-off
// rather than the server's kick_off_l or kick_off_r.
class PlayMode {
public:
  enum PlayModeType {
    No_Mode = 0,
    Before_Kick_Off,
    My_Kick_Off,
    Their_Kick_Off,
    My_Kick_In,
    Their_Kick_In,
    My_Corner_Kick,
    Their_Corner_Kick,
    My_Goal_Kick,
    Their_Goal_Kick,
    My_Free_Kick,
    Their_Free_Kick,
    My_Goalie_Free_Kick,
    Their_Goalie_Free_Kick,
    Drop_Ball,
    My_Offside,
    Their_Offside,
    Play_On,
    Time_Over,
    My_Goalie_Catch_Ball,
    Their_Goalie_Catch_Ball,
    My_Foul,
    Their_Foul,
    My_Free_Kick_Fault,
    Their_Free_Kick_Fault,
    My_Back_Pass,
    Their_Back_Pass,
    My_Catch_Fault,
    Their_Catch_Fault,
    My_Indirect_Free_Kick,
    Their_Indirect_Free_Kick,
    My_Penalty_Setup,
    Their_Penalty_Setup,
    My_Penalty_Ready,
    Their_Penalty_Ready,
    My_Penalty_Taken,
    Their_Penalty_Taken,
    My_Penalty_Miss,
    Their_Penalty_Miss,
    My_Penalty_Score,
    Their_Penalty_Score,
    My_Penalty_Foul,
    Their_Penalty_Foul,
    My_Penalty_Win,
    Their_Penalty_Win,
    Penalty_Onfield,
    Penalty_Draw
  };

  PlayMode() : mode(Before_Kick_Off) {}

  void set(PlayModeType m) { mode = m; }
  // Takes the mode of a server play-mode word; an unknown word leaves the
  // mode as it was.
  void set(const std::string& word);
  PlayModeType operator()() const { return mode; }

  // Maps the server's words for the agent's own side.
  static void setSide(Side side);

  friend std::ostream& operator<<(std::ostream& os, const PlayMode& pm);

private:
  PlayModeType mode;

  static std::map<std::string, PlayModeType> playModeMap;
};

std::ostream& operator<<(std::ostream& os, const PlayMode& pm);

#endif
