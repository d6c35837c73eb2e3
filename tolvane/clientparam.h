#ifndef TOLVANE_CLIENTPARAM_H
#define TOLVANE_CLIENTPARAM_H

#include <cstddef>
#include <string>

#include "tolvane/paramreader.h"
#include "tolvanebase/angle.h"
#include "tolvanebase/baseparams.h"

// The agent's own settings: connection, waiting times of the main loop,
// confidences, log files, skill tuning, offline replay and monitor relay.
// Filled at start-up from the command line and the client parameter file.
class ClientParam : public ParamReader, public vekbase::BaseClientParam {
public:
  static ClientParam* instance();

  static const std::string DEFAULT_TEAM_NAME;
  static const std::string DEFAULT_HOST_NAME;
  static const std::string DEFAULT_ACTION_LOG_DIR;
  static const std::string DEFAULT_MESSAGE_LOG_DIR;
  static const std::string DEFAULT_OFFLINE_LOGFILE;
  // The finest fan of dribble directions that the obstacle avoidance walks
  // ("avoidance_evaluation_angles" at most this).
  static constexpr double AVOIDANCE_STEPS_MAX = 3600.0;

  void createOptionList(OptionList& list) override;
  int valId() const override { return 3; }

  double confidenceMinValid() const override { return conf_min_valid; }
  double confidenceDecay() const override { return conf_dec; }

  const std::string& myTeamName() const { return my_team_name; }
  const std::string& hostName() const { return host; }
  bool goalie() const { return goalie_connect; }
  int reconnectUnum() const { return reconnect_unum; }
  double version() const { return proto_version; }
  bool saveActionLog() const { return save_action_log; }
  bool saveMessageLog() const { return save_message_log; }
  // The directory with one "/" added when it is not empty and lacks one.
  std::string actionLogDir() const;
  std::string messageLogDir() const;
  int selectShortWait() const { return select_short_wait; }
  int selectLongWait() const { return select_long_wait; }
  int selectSBWait() const { return select_sb_wait; }
  unsigned int logLevel() const { return static_cast<unsigned int>(log_level); }
  std::size_t wmHistorySize() const { return static_cast<std::size_t>(wm_history_size); }
  vekbase::AngleDeg whenToTurn() const { return vekbase::AngleDeg(when_to_turn); }
  double playerWhenToKick() const { return when_to_kick; }
  double playerWhenToIntercept() const { return when_to_intercept; }
  double fastPassEndSpeed() const { return fast_pass_endspeed; }
  double passEndSpeed() const { return pass_endspeed; }
  double dribbleArea() const { return dribble_area; }
  double avoidDist() const { return avoid_dist; }
  double avoidMaxAngle() const { return avoid_max_angle; }
  double avoidEvalAngles() const { return avoid_eval_angles; }
  bool offlineMonitor() const { return offline_monitor; }
  bool onlineMonitor() const { return online_monitor; }
  int offlinePlayer() const { return offline_player; }
  std::string offlineLogfile() const { return offline_logfile; }
  int monitorPort() const { return monitor_port; }
  bool logWM() const { return log_wm; }

  std::string my_team_name;
  std::string host;
  int reconnect_unum;
  bool goalie_connect;
  double proto_version;
  double conf_dec;
  double conf_min_valid;
  bool save_action_log;
  std::string action_log_dir;
  bool save_message_log;
  std::string message_log_dir;
  int select_short_wait;
  int select_long_wait;
  int select_sb_wait;
  int log_level;
  int wm_history_size;
  double when_to_kick;
  double when_to_turn;
  double when_to_intercept;
  double fast_pass_endspeed;
  double pass_endspeed;
  double dribble_area;
  double avoid_dist;
  double avoid_max_angle;
  double avoid_eval_angles;
  bool online_monitor;
  bool offline_monitor;
  int offline_player;
  std::string offline_logfile;
  int monitor_port;
  bool log_wm;

private:
  ClientParam();
};

#endif
