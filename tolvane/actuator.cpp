#include "tolvane/actuator.h"

#include <memory>

#include "tolvane/connection.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_COMMANDS = 1040;
const unsigned int ZONE_SEND = 1041;
const unsigned int ZONE_PENDING = 1042;

// The sum by which view modes are compared: the higher, the fewer see
// messages per cycle.
int viewSum(const vekbase::ViewQuality& q, const vekbase::ViewWidth& w) {
  return int(q()) + int(w());
}

// A trace line made of parts, which are streamed only when the level is
// logged: the per-cycle lines cost nothing while tracing is off.
template <class... Parts>
void trace(unsigned int zone, unsigned short level, const Parts&... parts) {
  if (vomar::Forwarder* out =
          vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, zone, level))
    (*out << ... << parts) << "\n";
}

template <class... Parts>
void prefixed(vomar::ForwarderStreamBuf::Priority prio, const Parts&... parts) {
  (vomar::prefixedLine(prio, ZONE_COMMANDS) << ... << parts) << "\n";
}

} // namespace

const signed char Actuator::CYCLE_UNKNOWN;

Actuator* Actuator::instance(Connection* con) {
  static std::unique_ptr<Actuator> theActuator(new Actuator());
  if (con) theActuator->connection = con;
  return theActuator.get();
}

Actuator::Actuator()
    : connection(nullptr),
      sendCommandQueue(SoccerCommand::SLOT_NONE + 1, SoccerCommand(SoccerCommand::CMD_NONE)),
      kickCount(0), dashCount(0), turnCount(0), catchCount(0), moveCount(0), turnNeckCount(0),
      changeViewCount(0), sayCount(0), pointCount(0), tackleCount(0), attentionToCount(0),
      senseBodyCount(0), scoreCount(0), lastCatchTime(-100, 0), lastTackleTime(-100, 0),
      currentViewQuality(vekbase::ViewQuality::S_high),
      currentViewWidth(vekbase::ViewWidth::S_normal), pendingChangeView(false),
      changedView(false) {}

void Actuator::queueUp(const SoccerCommand& cmd) {
  sendCommandQueue[cmd.type()] = cmd;
}

void Actuator::clearQueue() {
  for (SoccerCommand& cmd : sendCommandQueue) {
    // A held-back change_view keeps its slot until it has gone out.
    if (pendingChangeView && cmd.command() == SoccerCommand::CMD_CHANGEVIEW) continue;
    cmd.set(SoccerCommand::CMD_NONE);
  }
}

bool Actuator::goesOutAtOnce(const SoccerCommand& cmd, bool synch) const {
  return cmd.command() != SoccerCommand::CMD_CHANGEVIEW || synch ||
         viewSum(cmd.viewQuality(), cmd.viewWidth()) <
             viewSum(currentViewQuality, currentViewWidth);
}

void Actuator::changeViewSent() {
  ++changeViewCount;
  pendingChangeView = false;
  changedView = true;
}

void Actuator::sendActions() {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  trace(ZONE_SEND, 10, "void Actuator::sendActions()");

  const bool synch = ServerParam::instance()->SynchMode();
  std::string msg;
  for (SoccerCommand& cmd : sendCommandQueue) {
    if (!cmd.valid()) continue;
    // A change_view held back waits for the first see of a phase-0 cycle,
    // so that the see pattern of the new mode starts at a known phase.
    if (!goesOutAtOnce(cmd, synch)) {
      pendingChangeView = true;
      continue;
    }

    msg += cmd.str();
    switch (cmd.command()) {
    case SoccerCommand::CMD_CHANGEVIEW: changeViewSent(); break;
    case SoccerCommand::CMD_ATTENTIONTO: ++attentionToCount; break;
    case SoccerCommand::CMD_CATCH:
      ++catchCount;
      lastCatchTime = vekbase::Timer::currentTime();
      break;
    case SoccerCommand::CMD_DASH: ++dashCount; break;
    case SoccerCommand::CMD_KICK: ++kickCount; break;
    case SoccerCommand::CMD_MOVE: ++moveCount; break;
    case SoccerCommand::CMD_POINTTO: ++pointCount; break;
    case SoccerCommand::CMD_SAY: ++sayCount; break;
    case SoccerCommand::CMD_SCORE: ++scoreCount; break;
    case SoccerCommand::CMD_SENSEBODY: ++senseBodyCount; break;
    case SoccerCommand::CMD_TACKLE:
      ++tackleCount;
      lastTackleTime = vekbase::Timer::currentTime();
      break;
    case SoccerCommand::CMD_TURN: ++turnCount; break;
    case SoccerCommand::CMD_TURNNECK: ++turnNeckCount; break;
    case SoccerCommand::CMD_DONE: break;
    default:
      prefixed(vomar::ForwarderStreamBuf::S_ERROR, "unknown command in sendCommandQueue");
      break;
    }
  }

  if (!msg.empty()) {
    if (connection) connection->sendMessage(msg);
    trace(ZONE_SEND, 20, "sent ", msg, " to server");
  }

  trace(ZONE_SEND, 10, "void Actuator::sendActions()");
  log->decIndent();
}

void Actuator::sendPendingChangeView() {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  trace(ZONE_PENDING, 10, "void Actuator::sendPendingChangeView()");

  if (pendingChangeView) {
    const SoccerCommand& cmd = sendCommandQueue[SoccerCommand::SLOT_CHANGEVIEW];
    if (connection) connection->sendMessage(cmd.str());
    trace(ZONE_PENDING, 20, "sent pending ", cmd.str(), " to server");
    changeViewSent();
  }

  trace(ZONE_PENDING, 10, "void Actuator::sendPendingChangeView()");
  log->decIndent();
}

bool Actuator::isChangeViewPending(vekbase::ViewWidth::Width width,
                                   vekbase::ViewQuality::Quality quality) const {
  const SoccerCommand& cmd = sendCommandQueue[SoccerCommand::SLOT_CHANGEVIEW];
  return pendingChangeView && cmd.command() == SoccerCommand::CMD_CHANGEVIEW &&
         cmd.viewWidth()() == width && cmd.viewQuality()() == quality;
}

std::string Actuator::actionString() const {
  std::string msg;
  for (const SoccerCommand& cmd : sendCommandQueue) {
    if (cmd.valid() && goesOutAtOnce(cmd, false)) msg += cmd.str();
  }
  return msg;
}

void Actuator::getCounts(int& kicks, int& dashes, int& turns, int& catches, int& moves,
                         int& turnNecks, int& changeViews, int& says, int& points,
                         int& attentionTo, int& tackles) const {
  kicks = kickCount;
  dashes = dashCount;
  turns = turnCount;
  catches = catchCount;
  moves = moveCount;
  turnNecks = turnNeckCount;
  changeViews = changeViewCount;
  says = sayCount;
  points = pointCount;
  attentionTo = attentionToCount;
  tackles = tackleCount;
}

void Actuator::setCounts(int kicks, int dashes, int turns, int catches, int moves,
                         int turnNecks, int changeViews, int says, int points, int attentionTo,
                         int tackles) {
  // A command the server did not execute is still in its slot: the slots
  // hold the last decision's commands until the next clearQueue.
  typedef SoccerCommand SC;
  struct Check {
    int& own;
    int server;
    SC::SlotT slot;
    SC::CommandT kind;
    const char* expected;  // the kind's name in the warning, null for none
  };
  Check checks[] = {
      {kickCount, kicks, SC::SLOT_BODY, SC::CMD_KICK, "CMD_KICK"},
      {dashCount, dashes, SC::SLOT_BODY, SC::CMD_DASH, "CMD_DASH"},
      {turnCount, turns, SC::SLOT_BODY, SC::CMD_TURN, "CMD_TURN"},
      {catchCount, catches, SC::SLOT_BODY, SC::CMD_CATCH, "CMD_CATCH"},
      {moveCount, moves, SC::SLOT_BODY, SC::CMD_MOVE, "CMD_MOVE"},
      {turnNeckCount, turnNecks, SC::SLOT_TURNNECK, SC::CMD_TURNNECK, nullptr},
      {changeViewCount, changeViews, SC::SLOT_CHANGEVIEW, SC::CMD_CHANGEVIEW, "CMD_CHANGEVIEW"},
      {sayCount, says, SC::SLOT_SAY, SC::CMD_SAY, "CMD_SAY"},
      {pointCount, points, SC::SLOT_POINTTO, SC::CMD_POINTTO, "CMD_POINT"},
      {tackleCount, tackles, SC::SLOT_BODY, SC::CMD_TACKLE, "CMD_TACKLE"},
  };
  for (Check& c : checks) {
    if (c.own <= c.server) continue;
    if (sendCommandQueue[c.slot].command() == c.kind) {
      --c.own;
      setLostCommand(c.slot);
    } else if (c.expected) {
      prefixed(vomar::ForwarderStreamBuf::S_WARNING, "expected command of type ", c.expected,
               " in sendCommandQueue");
    }
  }

  if (attentionToCount > attentionTo) --attentionToCount;
}

void Actuator::setLostCommand(int slot) {
  lostCommandQueue.push_back(sendCommandQueue[slot]);
  sendCommandQueue[slot].setTime(vekbase::Timer::currentTime());
}

void Actuator::setCurrentViewMode(const vekbase::ViewQuality& quality,
                                  const vekbase::ViewWidth& width) {
  currentViewQuality = quality;
  currentViewWidth = width;
}

signed char Actuator::nextCycle(signed char cycle, int seeMessages) {
  // Right after a change of view mode the counts of the cycle just ended
  // say nothing about the new pattern: the phase simply moves on.
  if (changedView || seeMessages == -1) {
    changedView = false;
    if (cycle == CYCLE_UNKNOWN) return CYCLE_UNKNOWN;
    return static_cast<signed char>((cycle + 1) % 3);
  }

  // See messages per cycle in phases 0, 1 and 2 of each view mode.
  static const int PATTERN_110[3] = {1, 1, 0};
  static const int PATTERN_100[3] = {1, 0, 0};
  static const int PATTERN_211[3] = {2, 1, 1};
  static const int PATTERN_332[3] = {3, 3, 2};

  const bool high = currentViewQuality.isHigh();
  const bool low = currentViewQuality.isLow();
  const int* pattern = nullptr;
  if ((high && currentViewWidth.isNormal()) || (low && currentViewWidth.isWide()))
    pattern = PATTERN_110;
  else if (high && currentViewWidth.isWide())
    pattern = PATTERN_100;
  else if ((high && currentViewWidth.isNarrow()) || (low && currentViewWidth.isNormal()))
    pattern = PATTERN_211;
  else if (low && currentViewWidth.isNarrow())
    pattern = PATTERN_332;
  if (!pattern || seeMessages < 0 || seeMessages > 3) return CYCLE_UNKNOWN;

  if (cycle >= 0 && cycle <= 2)
    return pattern[cycle] == seeMessages ? static_cast<signed char>((cycle + 1) % 3)
                                         : CYCLE_UNKNOWN;
  if (cycle != CYCLE_UNKNOWN) return CYCLE_UNKNOWN;

  // Unknown phase: it is found when exactly one phase fits the count.
  int fits = 0;
  int phase = 0;
  for (int q = 0; q < 3; ++q) {
    if (pattern[q] == seeMessages) {
      ++fits;
      phase = q;
    }
  }
  return fits == 1 ? static_cast<signed char>((phase + 1) % 3) : CYCLE_UNKNOWN;
}
