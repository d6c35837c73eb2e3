#ifndef TOLVANE_VEKPLAYER_H
#define TOLVANE_VEKPLAYER_H

#include <cstddef>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tolvane/flagobject.h"
#include "tolvane/lineobject.h"
#include "tolvane/playmode.h"
#include "tolvane/soccercommand.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekactions.h"
#include "tolvane/wmfullstate.h"
#include "tolvane/wmsensedstate.h"
#include "tolvanebase/timer.h"
#include "tolvanebase/timevalxl.h"
#include "tolvanebase/viewmode.h"

class Actuator;
class Behavior;
class Connection;
class OnlineMonitor;
class ParamReader;

// The one player of the process: it owns the world model and the link to the
// soccer server, performs the handshake, runs one decision per simulation
// cycle through its Behavior, and parses every message of the server.
class VekPlayer : public VekActions {
public:
  // The kind of a parsed server message.
  enum SenseType {
    SeeMsg = 0,
    HearMsg = 1,
    SenseMsg = 2,
    FullstateMsg = 3,
    InitMsg = 4,
    ScoreMsg = 5,
    ThinkMsg = 6,
    xOtherMsg = 7
  };

  // No see message since the last sense_body can be counted yet.
  static const signed char CYCLE_UNKNOWN = -1;
  // The farthest a message's cycle may lie ahead of the current one and be
  // taken at once: the few cycles a busy network loses, well short of what
  // a forged or corrupted number could move the clock by. A timeline that
  // goes on from a farther cycle is followed a message later.
  static const int MAX_CYCLE_LEAP = 10;

  // From the parameter stores as they stand now.
  VekPlayer();
  // Reads the command line first, so that every option is in force.
  VekPlayer(int argc, char* argv[]);
  ~VekPlayer() override;

  // The handshake; true when the player is ready for the main loop.
  bool initBehave(Behavior* b);
  // Runs until the server falls silent, or the replayed log ends, and says
  // so on standard error; false when a replay broke off at a damaged record.
  bool mainloop();
  // Classifies one message text and hands it to its handler.
  SenseType parse(const std::string& msg);

  Unum myNumber() const;
  std::string myTeamName() const;
  // 'l' on the left side, 'r' otherwise (also while the side is unknown).
  unsigned char mySide() const;
  void setSide(Side s);

  UpdateableWMState& WM() override { return uwms; }
  const UpdateableWMState& WM() const override { return uwms; }

  // Advances the world model by one cycle.
  void update();

protected:
  bool seenThisCycle() const override;

  // The wait for the cycle's see message after a sense_body, from the see
  // phase and the view mode; zero means no wait.
  vekbase::TimevalXL waitForSeeTime(signed char cycle, vekbase::ViewQuality vq,
                                    vekbase::ViewWidth vw);
  // Queues the view-tuning change_view of the first two decisions.
  void tuneClient();
  void initLogs();
  // The agent's and the ball's true state from the last fullstate message.
  void logFullstate() const;

  // Handlers of the message kinds. The init or reconnect reply: false when
  // it gives no side and shirt number to play.
  bool parseInitMessage(const std::string& msg);
  void parseParamsToReader(ParamReader& reader, const std::string& msg, std::size_t start);
  void setNextParam(ParamReader& reader, const std::string& msg, std::size_t& pos);
  void parseServerParam(const std::string& msg);
  void parsePlayerParam(const std::string& msg);
  void parsePlayerType(const std::string& msg);
  void parseChangePlayerTypeMessage(const std::string& msg);
  void parseScore(const std::string& msg);
  void parsePlayMode(const std::string& msg);
  // The side named by the letter at index of word; u past its end.
  Side sideAt(const std::string& word, std::size_t index);
  void parseHear(const std::string& msg);
  // The online coach's positions, from the sender word to the message's end,
  // written straight into the world model.
  void parseOnlineCoach(const std::string& msg);
  // One base-62 field of the online coach's payload ('0' is digit 0).
  static double decodeOnlineCoach(const std::string& field);
  void parseFullstate(const std::string& msg);
  void parseSenseBody(const std::string& msg);
  void parseSee(const std::string& msg);

  // Readers of parseString. parseParam returns the values of the block
  // "(keyword ...)" in vec and their number (0, vec unchanged, when the
  // block or its ")" is missing).
  int parseParam(std::vector<std::string>& vec, const std::string& keyword);
  void parseArmValues(int& armMovable, int& armExpires, double& armDist,
                      vekbase::AngleDeg& armDir, int& armCount);
  void parseTackleValues(int& tackleExpires, int& tackleCount);
  // Readers of a fullstate message: the ball's four values and the next
  // player block's twelve words (lastPlayer set at the message's last
  // block). False, with a log line, when no whole block could be read.
  bool getFullstateBallVals(std::vector<std::string>& vals);
  bool getFullstatePlayerVals(std::vector<std::string>& vals, bool& lastPlayer);
  // Splits the next "((name) values)" entry of a see message: the name
  // first, then one word per value; 0 when no whole entry could be read.
  int parseNextSeeParam(std::vector<std::string>& v, bool& lastParam);

  // Whether a message of the given cycle belongs to the timeline the player
  // follows; opens is set for the message that opens a cycle (sense_body).
  // A cycle that leaps far ahead of the current one or falls behind it is
  // refused with a line in the message log, unless it goes on from the
  // cycle refused last: a timeline that goes on is followed.
  bool onTimeline(int cycle, bool opens, const std::string& msg);

  // One parser trace line (priority S_TRACER, zone 1215): text, then msg
  // (the whole message, where the line shows it).
  void warn(unsigned short level, std::string_view text, std::string_view msg = {}) const;

  Connection* connection = nullptr;
  OnlineMonitor* onlineMonitor = nullptr;
  PlayMode pMode;
  WMSensedState WMS;
  WMFullstate WMF;
  UpdateableWMState uwms;
  Actuator* actuator = nullptr;
  // A see or hear message came after this cycle's decision.
  bool lateMsg = false;
  // See messages since the last sense_body; CYCLE_UNKNOWN before the first.
  int seeMsgThisCycle = CYCLE_UNKNOWN;
  std::map<std::string, vekbase::ViewQuality::Quality> view_quality;
  std::map<std::string, vekbase::ViewWidth::Width> view_width;
  std::map<std::string, FlagObject::FlagId> flag_id;
  std::map<std::string, LineObject::LineId> line_id;
  std::map<std::string, Side> side;
  // The entry of word in one of the name tables above; a word the table
  // does not hold gets its value 0 and is not added, so that words from
  // the network cannot grow the tables.
  template <class T>
  static T lookUp(const std::map<std::string, T>& table, const std::string& word) {
    const auto it = table.find(word);
    return it == table.end() ? T() : it->second;
  }
  std::string parseString;
  std::size_t p1 = 0;
  std::size_t p2 = 0;
  int step = 0;
  // The first sense_body has set the current cycle.
  bool cycleKnown = false;
  // The cycle of the message refused last for its cycle number, while no
  // message on the current timeline has come since.
  std::optional<int> strayCycle;
  // The message being parsed was refused for its cycle number.
  bool cycleRefused = false;
  Behavior* behavior = nullptr;
  bool untuned = true;
  std::ofstream* messageLog = nullptr;
  std::ofstream* actionLog = nullptr;
  const vekbase::Timer* M_timer = &vekbase::Timer::currentTime();

private:
  VekPlayer(const VekPlayer&) = delete;
  VekPlayer& operator=(const VekPlayer&) = delete;

  void initPlayer();
  void fillNameTables();

  // change_view commands queued by tuneClient so far.
  int tuneCount = 0;
};

#endif
