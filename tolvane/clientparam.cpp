#include "tolvane/clientparam.h"

#include "vomarlog/forwarder.h"

const std::string ClientParam::DEFAULT_TEAM_NAME = "Tolvane";
const std::string ClientParam::DEFAULT_HOST_NAME = "localhost";
const std::string ClientParam::DEFAULT_ACTION_LOG_DIR = "./";
const std::string ClientParam::DEFAULT_MESSAGE_LOG_DIR = "./";
const std::string ClientParam::DEFAULT_OFFLINE_LOGFILE = "";

namespace {

const unsigned short PARAM_ZONE = 1002;

std::string asDirectory(const std::string& dir) {
  if (dir.empty() || dir[dir.size() - 1] == '/') return dir;
  return dir + "/";
}

// A double that takes only values above 0 and at most max: the obstacle
// avoidance would never finish its walk with any other. Such a value is
// refused with a warning naming the key and reported as not taken, as any
// value an option cannot take; the parameter keeps its value.
class PositiveUpToOption : public DblOption {
public:
  PositiveUpToOption(const std::string& name, double* value, double def, double max)
      : DblOption(name, value, def), maxValue(max) {}
  bool setValue(const std::string& text) const override {
    const double old = *valueP;
    if (DblOption::setValue(text) && *valueP > 0.0 && *valueP <= maxValue) return true;
    *valueP = old;
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, PARAM_ZONE)
        << "Refused value (" << text << ") for parameter (" << myName
        << "): must be above 0 and at most " << maxValue << ", keeping " << old << "\n";
    return false;
  }

private:
  double maxValue;
};

} // namespace

ClientParam* ClientParam::instance() {
  static ClientParam the_params;
  return &the_params;
}

ClientParam::ClientParam() { begin(); }

std::string ClientParam::actionLogDir() const { return asDirectory(action_log_dir); }

std::string ClientParam::messageLogDir() const { return asDirectory(message_log_dir); }

void ClientParam::createOptionList(OptionList& list) {
  auto dbl = [&list](const char* key, double* v, double def) {
    list.push_back(new DblOption(key, v, def));
  };
  auto num = [&list](const char* key, int* v, int def) {
    list.push_back(new IntOption(key, v, def));
  };
  list.push_back(new StrOption("team", &my_team_name, DEFAULT_TEAM_NAME));
  list.push_back(new StrOption("host", &host, DEFAULT_HOST_NAME));
  list.push_back(new BoolOption("goalie", &goalie_connect, false));
  num("reconnect", &reconnect_unum, 0);
  dbl("version", &proto_version, 8.04);
  dbl("confidence-decrease", &conf_dec, 0.97);
  dbl("confidence-min-valid", &conf_min_valid, 0.5);
  list.push_back(new BoolOption("save-action-log", &save_action_log, false));
  list.push_back(new BoolOption("save-message-log", &save_message_log, false));
  list.push_back(new StrOption("action-log-dir", &action_log_dir, DEFAULT_ACTION_LOG_DIR));
  list.push_back(new StrOption("message-log-dir", &message_log_dir, DEFAULT_MESSAGE_LOG_DIR));
  num("select-short-wait", &select_short_wait, 40);
  num("select-long-wait", &select_long_wait, 80);
  num("select-sb-wait", &select_sb_wait, 110);
  num("log-level", &log_level, 100);
  num("wm-history-size", &wm_history_size, 5);
  dbl("when-to-turn", &when_to_turn, 30.0);
  dbl("when-to-kick", &when_to_kick, 0.85);
  dbl("when-to-intercept", &when_to_intercept, 30.0);
  dbl("fast-pass-endspeed", &fast_pass_endspeed, 1.8);
  dbl("pass-endspeed", &pass_endspeed, 1.2);
  dbl("dribbleArea", &dribble_area, 10.0);
  dbl("avoidance_distance", &avoid_dist, 10.0);
  list.push_back(new PositiveUpToOption("avoidance_max_angle", &avoid_max_angle, 70.0, 90.0));
  list.push_back(new PositiveUpToOption("avoidance_evaluation_angles", &avoid_eval_angles, 7.0,
                                        AVOIDANCE_STEPS_MAX));
  list.push_back(new OnOffOption("offline_monitor", &offline_monitor, false));
  list.push_back(new OnOffOption("online_monitor", &online_monitor, false));
  num("offline_player", &offline_player, 0);
  list.push_back(new StrOption("offline_logfile", &offline_logfile, DEFAULT_OFFLINE_LOGFILE));
  list.push_back(new PortOption("monitor_port", &monitor_port, 6000));
  list.push_back(new OnOffOption("log_wm", &log_wm, true));
}
