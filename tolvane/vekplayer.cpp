#include "tolvane/vekplayer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>

#include "tolvane/actuator.h"
#include "tolvane/behaviors/behavior.h"
#include "tolvane/connection.h"
#include "tolvane/logconnection.h"
#include "tolvane/onlinemonitor.h"
#include "tolvane/serverconnection.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_MAINLOOP = 1220;

// A link stays alive after its player is gone: the Actuator keeps pointing
// at it, so it is closed but kept here rather than freed.
std::vector<std::unique_ptr<Connection>>& retiredLinks() {
  static std::vector<std::unique_ptr<Connection>> links;
  return links;
}

void handshakeError(const std::string& text) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 0) << text << "\n";
}

// A start that failed: the log line, and the reason as the process's own
// one line on standard error, whatever the log stream passes there, so
// that a player that never played cannot pass for one that did.
bool startFailed(const std::string& logText, const std::string& why) {
  handshakeError(logText);
  std::cerr << "tolvane: " << why << std::endl;
  return false;
}

// The word of a server's "(error WORD)", or the whole text when it has
// no word.
std::string errorWord(const std::string& reply) {
  const std::size_t start = reply.find_first_not_of(' ', 6);
  const std::size_t end = reply.find_first_of(" )", start);
  if (start == std::string::npos || end == start) return reply;
  return reply.substr(start, end - start);
}

// text as one line: each control character a '?'.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = '?';
  return text;
}

// The end of a wait that must not be stretched by the messages arriving
// during it.
class Deadline {
public:
  explicit Deadline(long usec) { reset(usec); }
  void reset(long usec) {
    end = std::chrono::steady_clock::now() + std::chrono::microseconds(usec < 0 ? 0 : usec);
  }
  vekbase::TimevalXL remaining() const {
    auto left = std::chrono::duration_cast<std::chrono::microseconds>(
                    end - std::chrono::steady_clock::now())
                    .count();
    return vekbase::TimevalXL(static_cast<long>(left < 0 ? 0 : left));
  }

private:
  std::chrono::steady_clock::time_point end;
};

// A log file opened for writing from its start; null, after one line on
// standard error naming it and the reason, when it cannot be: the player
// plays on without that log.
std::ofstream* openLogFile(const std::string& name, const char* kind) {
  errno = 0;
  std::unique_ptr<std::ofstream> file(
      new std::ofstream(name.c_str(), std::ios::out | std::ios::trunc));
  if (*file) return file.release();
  std::cerr << "tolvane: cannot open the " << kind << " log " << name << ": "
            << (errno ? std::strerror(errno) : "unknown error") << std::endl;
  return nullptr;
}

} // namespace

VekPlayer::VekPlayer() : VekActions() {
  initPlayer();
}

VekPlayer::VekPlayer(int argc, char* argv[]) : VekActions(argc, argv) {
  initPlayer();
}

VekPlayer::~VekPlayer() {
  // The log stream must not keep writing into files that are gone.
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  if (messageLog) {
    log->removeStream(messageLog);
    delete messageLog;
  }
  if (actionLog) {
    log->removeStream(actionLog);
    delete actionLog;
  }
  if (connection) {
    if (connection->connected()) connection->close();
    retiredLinks().emplace_back(connection);
  }
  delete onlineMonitor;
}

// The other members start from their initialisers (no relay, step 0, no
// late message, untuned). The link follows the client parameters as they
// stand now: built from the command line, they include it.
void VekPlayer::initPlayer() {
  if (CP->offlineMonitor()) {
    connection = new LogConnection();
  } else {
    connection = new ServerConnection();
    if (CP->onlineMonitor() && !dontStart) onlineMonitor = new OnlineMonitor();
  }
  actuator = Actuator::instance(connection);
  fillNameTables();
}

void VekPlayer::fillNameTables() {
  view_quality["high"] = vekbase::ViewQuality::S_high;
  view_quality["low"] = vekbase::ViewQuality::S_low;

  view_width["wide"] = vekbase::ViewWidth::S_wide;
  view_width["normal"] = vekbase::ViewWidth::S_normal;
  view_width["narrow"] = vekbase::ViewWidth::S_narrow;

  side["l"] = l;
  side["r"] = r;

  // A see message names a flag or goal by its table name without the
  // parentheses.
  for (const FlagObject& f : WMState::fieldFlags()) {
    const std::string name = f.getName();
    flag_id[name.substr(1, name.size() - 2)] = f.getId();
  }

  line_id["l l"] = LineObject::Line_L;
  line_id["l t"] = LineObject::Line_T;
  line_id["l r"] = LineObject::Line_R;
  line_id["l b"] = LineObject::Line_B;
}

bool VekPlayer::initBehave(Behavior* b) {
  behavior = b;
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->addStream(&std::cerr, vomar::ForwarderStreamBuf::S_PASS_NONE);

  if (dontStart) return false;

  const std::string server = CP->hostName() + ":" + std::to_string(SP->portnum);
  const auto orElse = [](const std::string& why, const std::string& otherwise) {
    return why.empty() ? otherwise : why;
  };
  if (!connection->open())
    return startFailed("Can't open connection.",
                       orElse(connection->whyFailed(), "cannot open the link to " + server));
  // A message that never went out can have no reply to wait for.
  if (!connection->sendInitializeMessage())
    return startFailed("Can't send init message.",
                       orElse(connection->whyFailed(), "cannot send the init to " + server));
  if (!connection->waitForMessage(vekbase::TimevalXL(1, 0)))
    return startFailed("waiting for init message failed",
                       orElse(connection->whyFailed(), "no reply from " + server));

  const std::string reply(Connection::sendbuf);
  // The server refuses a player (team full, a second goalie, an illegal
  // team name, a refused reconnect) with an error instead of the init
  // reply: there is no side and no shirt number to play.
  if (reply.compare(0, 6, "(error") == 0)
    return startFailed("init refused by server: " + reply,
                       "refused by the server at " + server + ": " + errorWord(reply));
  // Nor is there in a warning, in a reply with another side than l or r or
  // a number outside 1 to 11, or in any other text: waiting on would
  // leave the player idle for ever.
  const bool usable = (reply.compare(0, 6, "(init ") == 0 ||
                       reply.compare(0, 11, "(reconnect ") == 0) &&
                      parseInitMessage(reply);
  if (!usable)
    return startFailed("unusable init reply: " + reply,
                       "unusable reply from " + server + ": " + oneLine(reply));

  uwms.includeSensed(WMS);
  initLogs();
  connection->sendMessage("(clang (ver 8 8))");
  if (behavior) behavior->init();
  return true;
}

Unum VekPlayer::myNumber() const {
  return WM().getMyNumber();
}

std::string VekPlayer::myTeamName() const {
  return CP->myTeamName();
}

unsigned char VekPlayer::mySide() const {
  return WM().getMySide() == l ? 'l' : 'r';
}

void VekPlayer::setSide(Side s) {
  PlayMode::setSide(s);
}

namespace {

// Whether cycle lies from from on, at most VekPlayer::MAX_CYCLE_LEAP ahead.
bool goesOnFrom(int from, int cycle) {
  const long long ahead = static_cast<long long>(cycle) - from;
  return ahead >= 0 && ahead <= VekPlayer::MAX_CYCLE_LEAP;
}

} // namespace

bool VekPlayer::onTimeline(int cycle, bool opens, const std::string& msg) {
  // The server counts from 0: a negative cycle is never on a timeline.
  if (cycle >= 0) {
    // Before the first sense_body any cycle may come, as after a reconnect
    // in the middle of a match.
    if (!cycleKnown) {
      cycleKnown = opens;
      return true;
    }
    if (goesOnFrom(vekbase::Timer::currentTime().serverTime(), cycle)) {
      strayCycle.reset();
      return true;
    }
    // A player that was held up, or a server that started over, goes on
    // from the refused cycle: the timeline moves there once a message
    // agrees.
    if (strayCycle && goesOnFrom(*strayCycle, cycle)) {
      if (opens)
        strayCycle.reset();
      else
        strayCycle = cycle;
      return true;
    }
  }
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_MAINLOOP)
      << "refused a message with a cycle number far from the current cycle "
      << vekbase::Timer::currentTime().serverTime() << ": " << msg << "\n";
  if (cycle >= 0) strayCycle = cycle;
  cycleRefused = true;
  return false;
}

bool VekPlayer::seenThisCycle() const {
  return seeMsgThisCycle > 0;
}

void VekPlayer::update() {
  uwms.update();
}

bool VekPlayer::mainloop() {
  vekbase::ViewQuality vq(vekbase::ViewQuality::S_high);
  vekbase::ViewWidth vw(vekbase::ViewWidth::S_normal);
  signed char cycle = CYCLE_UNKNOWN;
  int cyclesWithoutMsg = 0;
  bool behaved = false;
  bool printFullstate = false;
  bool include_sensed = true;
  seeMsgThisCycle = CYCLE_UNKNOWN;

  do {
    if (onlineMonitor) onlineMonitor->update();
    // Every wait of a turn counts against one deadline, so that messages
    // dribbling in cannot stretch the turn beyond the wait it was given.
    const long sbStep = 1000L * SP->sb_step;
    bool waitForMessages = true;
    Deadline deadline(sbStep);

    do {
      if (!connection->waitForMessage(deadline.remaining())) {
        waitForMessages = false;
        ++cyclesWithoutMsg;
        continue;
      }
      const SenseType msgType = parse(Connection::sendbuf);
      switch (msgType) {
      case HearMsg:
        lateMsg = behaved;
        break;
      case SeeMsg:
        lateMsg = behaved;
        if (behaved && seeMsgThisCycle == 0) traceLine(ZONE_MAINLOOP, 20, "Late sight");
        ++seeMsgThisCycle;
        if (!behaved) {
          waitForMessages = false;
          if (seeMsgThisCycle == 1 && cycle == 0) actuator->sendPendingChangeView();
        }
        deadline.reset(sbStep);
        break;
      case SenseMsg: {
        update();
        lateMsg = false;
        behaved = false;
        include_sensed = true;
        vq = WMS.getViewQuality();
        vw = WMS.getViewWidth();
        actuator->setCurrentViewMode(vq, vw);
        cycle = actuator->nextCycle(cycle, seeMsgThisCycle);
        seeMsgThisCycle = 0;
        cyclesWithoutMsg = 0;
        const vekbase::TimevalXL timeout = waitForSeeTime(cycle, vq, vw);
        deadline.reset(static_cast<long>(timeout));
        if (timeout == vekbase::TimevalXL(0, 0)) waitForMessages = false;
        break;
      }
      case FullstateMsg:
        printFullstate = true;
        break;
      default:
        break;
      }
    } while (connection->dataOnSocket() || waitForMessages);

    if (include_sensed && seeMsgThisCycle == 1) {
      include_sensed = false;
      uwms.includeSensed(WMS);
      WM().logKnowledge();
      WMS.logSights();
      WM().logWM();
    }

    if (printFullstate) logFullstate();

    if (!behaved) {
      actuator->clearQueue();
      if (untuned)
        tuneClient();
      else if (behavior)
        behavior->process();
      actuator->sendActions();
      behaved = true;
    } else {
      traceLine(ZONE_MAINLOOP, 40, "skipped behave because of lost body commands");
    }
  } while (cyclesWithoutMsg <= 59);

  // A player that simply stops would leave its user guessing: the link
  // says in one line how it ended (a replay to the log's end needs none).
  const std::string why = connection->whyEnded();
  if (!why.empty()) std::cerr << "tolvane: " << why << std::endl;
  return connection->whyFailed().empty();
}

void VekPlayer::logFullstate() const {
  WMState::PlayerList::const_iterator me = WMF.getMe();
  if (me != WMF.getOwn().end())
    traceLine(ZONE_MAINLOOP, 30, "FULLSTATE: ", "My Pos: ", me->getAbsPos(), "\tangle: ",
              double(me->getBodyAngle()), "\trel_neck: ", double(me->getRelativeNeckAngle()),
              "\tvel: ", me->getAbsVel(), "\tenergy: ", me->getEnergy());
  traceLine(ZONE_MAINLOOP, 20, "FULLSTATE: ", "Ball Pos: ", WMF.getBall().getAbsPos(), " vel: ",
            WMF.getBall().getAbsVel());
}

vekbase::TimevalXL VekPlayer::waitForSeeTime(signed char cycle, vekbase::ViewQuality vq,
                                             vekbase::ViewWidth vw) {
  // Fixed at the first call: later changes of the parameters do not move
  // the timing of a running match.
  static const long slowDown = SP->slow_down_factor;
  static const vekbase::TimevalXL tvShort(1000L * CP->select_short_wait * slowDown);
  static const vekbase::TimevalXL tvLong(1000L * CP->select_long_wait * slowDown);
  static const vekbase::TimevalXL tvMedium(CP->select_short_wait > SP->sb_step / 4 ? tvShort
                                                                                     : tvLong);
  static const vekbase::TimevalXL noWait(0, 0);

  switch (cycle) {
  case 0:
    return tvShort;
  case -1:
    return tvLong;
  case 1:
    if (vq.isHigh() && vw.isWide()) return noWait;
    if (vq.isLow() && vw.isNarrow()) return tvShort;
    return tvLong;
  case 2:
    if (vq.isHigh() && vw.isNormal()) return noWait;
    if (vw.isWide()) return noWait;
    return tvMedium;
  default:
    traceLine(ZONE_MAINLOOP, 10, "strange cycle number");
    return tvLong;
  }
}

void VekPlayer::tuneClient() {
  if (tuneCount == 0) {
    actuator->queueUp(SoccerCommand(SoccerCommand::CMD_CHANGEVIEW,
                                    vekbase::ViewWidth(vekbase::ViewWidth::S_narrow),
                                    vekbase::ViewQuality(vekbase::ViewQuality::S_low)));
  } else if (tuneCount == 1) {
    actuator->queueUp(SoccerCommand(SoccerCommand::CMD_CHANGEVIEW,
                                    vekbase::ViewWidth(vekbase::ViewWidth::S_normal),
                                    vekbase::ViewQuality(vekbase::ViewQuality::S_high)));
    untuned = false;
  } else {
    untuned = false;
  }
  ++tuneCount;
}

void VekPlayer::initLogs() {
  std::cerr << "initLogs" << std::endl;
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->registerPrefix(M_timer);
  log->setMaxLogLevel(150);

  auto fileName = [this](const std::string& dir, const char* suffix) {
    std::ostringstream name;
    name.imbue(std::locale::classic());
    name << dir << CP->myTeamName() << myNumber() << "-" << mySide() << suffix;
    return name.str();
  };

  if (CP->save_message_log) {
    const std::string name = fileName(CP->messageLogDir(), "-message.log");
    std::cerr << "opening message log" << std::endl;
    messageLog = openLogFile(name, "message");
    if (messageLog) {
      // Warnings and errors too: a refused value or a stranger's datagram
      // must show where the user looks.
      log->addStream(messageLog, vomar::ForwarderStreamBuf::S_PASS_DEFAULT);
      log->addLogZone(messageLog, 0);
      log->addLogZone(messageLog, 1050);
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1) << "opened message log" << "\n";
    }
  }

  if (CP->save_action_log) {
    const std::string name = fileName(CP->actionLogDir(), "-actions.log");
    std::cerr << "opening action log" << std::endl;
    actionLog = openLogFile(name, "action");
    if (actionLog) {
      log->addStream(actionLog, vomar::ForwarderStreamBuf::S_PASS_TRACER);
      log->addLogZoneRange(actionLog, 1020, 1050);
      log->addLogZoneRange(actionLog, 1080, 1229);
      traceLine(1, 1, "opened action log");
    }
  }
}
