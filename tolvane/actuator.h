#ifndef TOLVANE_ACTUATOR_H
#define TOLVANE_ACTUATOR_H

#include <cstddef>
#include <string>
#include <vector>

#include "tolvane/soccercommand.h"
#include "tolvanebase/timer.h"
#include "tolvanebase/viewmode.h"

class Connection;

// The process-wide command queue: at most one command per slot each cycle,
// sent as one message. It counts what it sends to find the commands the
// server did not execute, holds back change_view commands until the see
// messages of the new view mode can be told apart, and follows the phase of
// the three-cycle pattern in which see messages arrive.
class Actuator {
public:
  // The see phase is not known.
  static const signed char CYCLE_UNKNOWN = -1;

  // The one queue; a non-null link replaces the stored one.
  static Actuator* instance(Connection* con = nullptr);

  void queueUp(const SoccerCommand& cmd);
  void clearQueue();
  void sendActions();
  void sendPendingChangeView();

  bool isChangeViewPending() const { return pendingChangeView; }
  bool isChangeViewPending(vekbase::ViewWidth::Width width,
                           vekbase::ViewQuality::Quality quality) const;

  // What sendActions would send outside synch mode; changes nothing.
  std::string actionString() const;

  const std::vector<SoccerCommand>& getSentCommands() const { return sendCommandQueue; }

  void getCounts(int& kicks, int& dashes, int& turns, int& catches, int& moves, int& turnNecks,
                 int& changeViews, int& says, int& points, int& attentionTo, int& tackles) const;
  // Compares the own counts with the server's counts of executed commands.
  void setCounts(int kicks, int dashes, int turns, int catches, int moves, int turnNecks,
                 int changeViews, int says, int points, int attentionTo, int tackles);

  std::size_t lostCommandsLastCycle() const { return lostCommandQueue.size(); }
  std::vector<SoccerCommand>::const_iterator getLostCommands() const {
    return lostCommandQueue.begin();
  }

  vekbase::Timer getLastCatchTime() const { return lastCatchTime; }
  vekbase::Timer getLastTackleTime() const { return lastTackleTime; }

  void setCurrentViewMode(const vekbase::ViewQuality& quality, const vekbase::ViewWidth& width);

  // The see phase of the new cycle, from the phase of the cycle just ended
  // and the number of see messages it brought.
  signed char nextCycle(signed char cycle, int seeMessages);

private:
  Actuator();
  Actuator(const Actuator&) = delete;
  Actuator& operator=(const Actuator&) = delete;

  void setLostCommand(int slot);
  // Whether a command may go out at once: every kind but a change_view
  // that, outside synch mode, does not lower the view-mode sum.
  bool goesOutAtOnce(const SoccerCommand& cmd, bool synch) const;
  // Accounts for a change_view that has gone out.
  void changeViewSent();

  Connection* connection;
  std::vector<SoccerCommand> sendCommandQueue;
  std::vector<SoccerCommand> lostCommandQueue;
  int kickCount;
  int dashCount;
  int turnCount;
  int catchCount;
  int moveCount;
  int turnNeckCount;
  int changeViewCount;
  int sayCount;
  int pointCount;
  int tackleCount;
  int attentionToCount;
  int senseBodyCount;
  int scoreCount;
  vekbase::Timer lastCatchTime;
  vekbase::Timer lastTackleTime;
  vekbase::ViewQuality currentViewQuality;
  vekbase::ViewWidth currentViewWidth;
  bool pendingChangeView;
  bool changedView;
};

#endif
