#include "tolvane/clientparam.h"

#include <algorithm>

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

// A team name goes into the init message and into the log files' names:
// only what the server takes, 1 to 15 letters, digits, '-' and '_', so that
// nothing typed can add protocol text or leave the log directory.
class TeamNameOption : public StrOption {
public:
  TeamNameOption(const std::string& name, std::string* value, const std::string& def)
      : StrOption(name, value, def) {}
  bool setValue(const std::string& text) const override {
    const auto allowed = [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
             c == '-' || c == '_';
    };
    if (text.empty() || text.size() > 15 || !std::all_of(text.begin(), text.end(), allowed))
      return false;
    return StrOption::setValue(text);
  }
};

// A host name: the empty one names no machine to connect to.
class HostOption : public StrOption {
public:
  HostOption(const std::string& name, std::string* value, const std::string& def)
      : StrOption(name, value, def) {}
  bool setValue(const std::string& text) const override {
    return !text.empty() && StrOption::setValue(text);
  }
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
  // Decays and shares of a confidence lie in 0 to 1.
  auto share = [&list](const char* key, double* v, double def) {
    list.push_back(new DblOption(key, v, def, 0.0, 1.0));
  };
  // Speeds, distances, areas and the kick and intercept thresholds cannot
  // be negative; nothing divides by them (a pass end speed of 0 is a ball
  // that stops at the target).
  auto length = [&list](const char* key, double* v, double def) {
    list.push_back(new DblOption(key, v, def, 0.0));
  };
  // Waits and levels cannot be negative.
  auto num = [&list](const char* key, int* v, int def, int lowest = 0) {
    list.push_back(new IntOption(key, v, def, lowest));
  };
  list.push_back(new TeamNameOption("team", &my_team_name, DEFAULT_TEAM_NAME));
  list.push_back(new HostOption("host", &host, DEFAULT_HOST_NAME));
  list.push_back(new BoolOption("goalie", &goalie_connect, false));
  // A shirt number, or 0 for a new player.
  list.push_back(new IntOption("reconnect", &reconnect_unum, 0, 0, 11));
  // The server speaks the versions from 8 on; beyond 100 is a typing error.
  list.push_back(new DblOption("version", &proto_version, 8.04, 8.0, 100.0));
  share("confidence-decrease", &conf_dec, 0.97);
  share("confidence-min-valid", &conf_min_valid, 0.5);
  list.push_back(new BoolOption("save-action-log", &save_action_log, false));
  list.push_back(new BoolOption("save-message-log", &save_message_log, false));
  list.push_back(new StrOption("action-log-dir", &action_log_dir, DEFAULT_ACTION_LOG_DIR));
  list.push_back(new StrOption("message-log-dir", &message_log_dir, DEFAULT_MESSAGE_LOG_DIR));
  num("select-short-wait", &select_short_wait, 40);
  num("select-long-wait", &select_long_wait, 80);
  num("select-sb-wait", &select_sb_wait, 110);
  num("log-level", &log_level, 100);
  // A history holds at least the state of the cycle itself.
  num("wm-history-size", &wm_history_size, 5, 1);
  // An angle of any size: it is taken modulo a whole turn.
  list.push_back(new DblOption("when-to-turn", &when_to_turn, 30.0));
  length("when-to-kick", &when_to_kick, 0.85);
  length("when-to-intercept", &when_to_intercept, 30.0);
  length("fast-pass-endspeed", &fast_pass_endspeed, 1.8);
  length("pass-endspeed", &pass_endspeed, 1.2);
  length("dribbleArea", &dribble_area, 10.0);
  length("avoidance_distance", &avoid_dist, 10.0);
  list.push_back(new PositiveUpToOption("avoidance_max_angle", &avoid_max_angle, 70.0, 90.0));
  list.push_back(new PositiveUpToOption("avoidance_evaluation_angles", &avoid_eval_angles, 7.0,
                                        AVOIDANCE_STEPS_MAX));
  list.push_back(new OnOffOption("offline_monitor", &offline_monitor, false));
  list.push_back(new OnOffOption("online_monitor", &online_monitor, false));
  // The slot of one of the 22 players of a recorded match.
  list.push_back(new IntOption("offline_player", &offline_player, 0, 0, 21));
  list.push_back(new StrOption("offline_logfile", &offline_logfile, DEFAULT_OFFLINE_LOGFILE));
  list.push_back(new PortOption("monitor_port", &monitor_port, 6000));
  list.push_back(new OnOffOption("log_wm", &log_wm, true));
}
