#include "tolvane/serverparam.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>

#include "tolvanebase/vekmath.h"
#include "vomarlog/forwarder.h"

ServerParam* ServerParam::instance() {
  static ServerParam the_params;
  return &the_params;
}

ServerParam::ServerParam() { begin(); }

bool ServerParam::getOptions(const std::string& file) {
  if (started) return readParams(file);
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 0)
      << "ServerParam has to be started first" << "\n";
  return true;
}

void ServerParam::createOptionList(OptionList& list) {
  auto dbl = [&list](const char* key, double* v, double def) {
    list.push_back(new DblOption(key, v, def));
  };
  auto num = [&list](const char* key, int* v, int def) {
    list.push_back(new IntOption(key, v, def));
  };
  // A step that would stop the main loop's waits (too short) or stall its
  // notice of a silent server (too long) is refused like any bad value.
  auto step = [&list](const char* key, int* v, int def) {
    list.push_back(new IntOption(key, v, def, MIN_STEP_MS, MAX_STEP_MS));
  };
  // A value outside its kind's physical range would wreck the physics, be
  // divided by or stall the player: refused.
  auto ranged = [&list](const char* key, double* v, double def, ParamRange r) {
    list.push_back(new DblOption(key, v, def, r.lowest, r.highest));
  };
  // A greatest power, moment or neck angle of 0 or below, or a least one
  // of 0 or above, leaves no dash, kick or turn to one side and inverts the
  // clamps between them; beyond bound none is meant.
  auto most = [&list](const char* key, double* v, double def, double bound) {
    list.push_back(new DblOption(key, v, def, DBL_MIN, bound));
  };
  auto least = [&list](const char* key, double* v, double def, double bound) {
    list.push_back(new DblOption(key, v, def, -bound, -DBL_MIN));
  };
  auto flag = [&list](const char* key, bool* v, bool def) {
    list.push_back(new BoolOption(key, v, def));
  };
  auto onoff = [&list](const char* key, bool* v, bool def) {
    list.push_back(new OnOffOption(key, v, def));
  };
  auto str = [&list](const char* key, std::string* v) {
    list.push_back(new StrOption(key, v, ""));
  };

  ranged("goal_width", &gwidth, 14.02, LENGTH);
  ranged("player_size", &psize, 0.3, LENGTH);
  ranged("player_decay", &pdecay, 0.4, DECAY);
  ranged("player_rand", &prand, 0.1, SHARE);
  ranged("player_weight", &pweight, 60.0, POSITIVE);
  ranged("player_speed_max", &pspeed_max, 1.0, LENGTH);
  ranged("player_accel_max", &paccel_max, 1.0, LENGTH);
  // The thresholds are shares of it.
  ranged("stamina_max", &stamina_max, 4000.0, {DBL_MIN, MOST_STAMINA});
  ranged("stamina_inc_max", &stamina_inc_max, 45.0, STAMINA);
  ranged("recover_init", &recover_init, 1.0, SHARE);
  ranged("recover_dec_thr", &recover_dthr, 0.3, SHARE);
  ranged("recover_min", &recover_min, 0.5, SHARE);
  ranged("recover_dec", &recover_dec, 0.002, SHARE);
  ranged("effort_dec_thr", &effort_dthr, 0.3, SHARE);
  ranged("effort_init", &effort_init, 1.0, EFFORT);
  ranged("effort_min", &effort_min, 0.6, EFFORT);
  ranged("effort_dec", &effort_dec, 0.005, SHARE);
  ranged("effort_inc_thr", &effort_ithr, 0.6, SHARE);
  ranged("effort_inc", &effort_inc, 0.01, SHARE);
  ranged("kick_rand", &kick_rand, 0.0, SHARE);
  onoff("team_actuator_noise", &team_actuator_noise, false);
  ranged("prand_factor_l", &prand_factor_l, 1.0, NOT_NEGATIVE);
  ranged("prand_factor_r", &prand_factor_r, 1.0, NOT_NEGATIVE);
  ranged("kick_rand_factor_l", &kick_rand_factor_l, 1.0, NOT_NEGATIVE);
  ranged("kick_rand_factor_r", &kick_rand_factor_r, 1.0, NOT_NEGATIVE);
  ranged("ball_size", &bsize, 0.085, LENGTH);
  ranged("ball_decay", &bdecay, 0.94, DECAY);
  ranged("ball_rand", &brand, 0.2, SHARE);
  ranged("ball_weight", &bweight, 0.2, POSITIVE);
  ranged("ball_speed_max", &bspeed_max, 2.7, LENGTH);
  ranged("ball_accel_max", &baccel_max, 2.7, LENGTH);
  ranged("dash_power_rate", &dprate, 0.006, RATE);
  ranged("kick_power_rate", &kprate, 0.027, RATE);
  ranged("kickable_margin", &kmargin, 0.7, LENGTH);
  ranged("control_radius", &ctlradius, 2.0, LENGTH);
  ranged("catch_probability", &catch_prob, 1.0, SHARE);
  ranged("catchable_area_l", &catch_area_l, 2.0, LENGTH);
  ranged("catchable_area_w", &catch_area_w, 1.0, LENGTH);
  num("goalie_max_moves", &goalie_max_moves, 2);
  dbl("wind_dir", &windir, 0.0);
  dbl("wind_ang", &winang, 0.0);
  most("maxpower", &maxp, 100.0, ABSURD_LENGTH);
  least("minpower", &minp, -100.0, ABSURD_LENGTH);
  most("maxmoment", &maxm, 180.0, 180.0);
  least("minmoment", &minm, -180.0, 180.0);
  most("maxneckmoment", &maxnm, 180.0, 180.0);
  least("minneckmoment", &minnm, -180.0, 180.0);
  most("maxneckang", &maxn, 90.0, 180.0);
  least("minneckang", &minn, -90.0, 180.0);
  // The view of width 0 sees nothing; beyond a full turn none is meant.
  ranged("visible_angle", &visangle, 90.0, {DBL_MIN, 360.0});
  ranged("visible_distance", &visdist, 3.0, LENGTH);
  ranged("audio_cut_dist", &audio_dist, 50.0, DISTANCE);
  num("point_to_ban", &point_to_ban, 0);
  num("point_to_duration", &point_to_duration, 0);
  ranged("quantize_step", &dist_qstep, 0.1, POSITIVE);
  ranged("quantize_step_l", &land_qstep, 0.01, POSITIVE);
  // A server built without these records them as -1 in its game log.
  dbl("quantize_step_dir", &dir_qstep, 0.1);
  dbl("quantize_step_dist_team_l", &dist_qstep_l, 0.1);
  dbl("quantize_step_dist_team_r", &dist_qstep_r, 0.1);
  dbl("quantize_step_dist_l_team_l", &land_qstep_l, 0.01);
  dbl("quantize_step_dist_l_team_r", &land_qstep_r, 0.01);
  dbl("quantize_step_dir_team_l", &dir_qstep_l, 0.1);
  dbl("quantize_step_dir_team_r", &dir_qstep_r, 0.1);
  num("random_seed", &random_seed, 0);
  ranged("ckick_margin", &ckmargin, 1.0, DISTANCE);
  // wind_dir is listed a second time on purpose: the listing and the
  // long-option table show both rows; either sets the one member.
  dbl("wind_dir", &windir, 0.0);
  ranged("wind_force", &winforce, 0.0, DISTANCE);
  ranged("wind_rand", &winrand, 0.0, SHARE);
  ranged("inertia_moment", &inertia_moment, 5.0, NOT_NEGATIVE);
  flag("wind_none", &win_no, false);
  flag("wind_random", &win_random, false);
  num("drop_ball_time", &drop_ball_time, 200);
  num("half_time", &half_time, 300);
  list.push_back(new PortOption("port", &portnum, 6000));
  list.push_back(new PortOption("coach_port", &coach_pnum, 6001));
  list.push_back(new PortOption("olcoach_port", &olcoach_pnum, 6002));
  num("say_coach_cnt_max", &say_cnt_max, 128);
  num("say_coach_msg_size", &SayCoachMsgSize, 128);
  step("simulator_step", &sim_step, 100);
  step("send_step", &send_step, 150);
  step("recv_step", &recv_st, 10);
  step("sense_body_step", &sb_step, 100);
  num("say_msg_size", &SayMsgSize, 512);
  num("clang_win_size", &clang_win_size, 100);
  num("clang_define_win", &clang_define_win, 1);
  num("clang_meta_win", &clang_meta_win, 1);
  num("clang_advice_win", &clang_advice_win, 1);
  num("clang_info_win", &clang_info_win, 1);
  num("clang_mess_delay", &clang_mess_delay, 50);
  num("clang_mess_per_cycle", &clang_mess_per_cycle, 1);
  num("hear_max", &hear_max, 2);
  num("hear_inc", &hear_inc, 1);
  num("hear_decay", &hear_decay, 2);
  list.push_back(new IntOption("catch_ban_cycle", &cban_cycle, 5, 0));
  flag("coach", &CoachMode, false);
  flag("coach_w_referee", &CwRMode, false);
  flag("old_coach_hear", &old_hear, false);
  step("send_vi_step", &sv_st, 100);
  onoff("use_offside", &useoffside, true);
  ranged("offside_active_area_size", &offside_area, 5.0, DISTANCE);
  onoff("forbid_kick_off_offside", &kickoffoffside, false);
  str("log_file", &logfile);
  str("record", &recfile);
  num("record_version", &rec_ver, 3);
  onoff("record_log", &rec_log, false);
  onoff("record_messages", &rec_msg_mode, true);
  onoff("send_log", &send_log, true);
  onoff("log_times", &log_times, false);
  onoff("verbose", &verbose, false);
  str("replay", &replay);
  ranged("offside_kick_margin", &offside_kick_margin, 9.15, DISTANCE);
  // It lengthens the main loop's waits: a slowed-down step of 100 ms stays
  // within the steps' 10 s.
  list.push_back(new IntOption("slow_down_factor", &slow_down_factor, 1, 1, 100));
  num("start_goal_l", &start_goal_l, 0);
  num("start_goal_r", &start_goal_r, 0);
  onoff("fullstate_l", &fullstate_l, false);
  onoff("fullstate_r", &fullstate_r, false);
  dbl("slowness_on_top_for_left_team", &slowness_on_top_for_left_team, 1.0);
  dbl("slowness_on_top_for_right_team", &slowness_on_top_for_right_team, 1.0);
  flag("synch_mode", &synch_mode, false);
  num("synch_offset", &synch_offset, 0);
  num("synch_micro_sleep", &synch_micro_sleep, 0);
  flag("send_comms", &send_comms, false);
  flag("text_logging", &text_logging, false);
  flag("game_logging", &game_logging, false);
  num("game_log_version", &game_log_version, 0);
  str("text_log_dir", &text_log_dir);
  str("game_log_dir", &game_log_dir);
  str("text_log_fixed_name", &text_log_fixed_name);
  str("game_log_fixed_name", &game_log_fixed_name);
  flag("text_log_fixed", &text_log_fixed, false);
  flag("game_log_fixed", &game_log_fixed, false);
  flag("text_log_dated", &text_log_dated, false);
  flag("game_log_dated", &game_log_dated, false);
  str("log_date_format", &log_date_format);
  num("text_log_compression", &text_log_compression, 0);
  num("game_log_compression", &game_log_compression, 0);
  flag("profile", &M_profile, false);
  num("pen_before_setup_wait", &pen_before_setup_wait, 0);
  num("pen_setup_wait", &pen_setup_wait, 0);
  num("pen_ready_wait", &pen_ready_wait, 0);
  num("pen_taken_wait", &pen_taken_wait, 0);
  num("pen_nr_kicks", &pen_nr_kicks, 0);
  num("pen_max_extra_kicks", &pen_max_extra_kicks, 0);
  dbl("pen_dist_x", &pen_dist_x, 0.0);
  dbl("pen_max_goalie_dist_x", &pen_max_goalie_dist_x, 0.0);
  flag("pen_allow_mult_kicks", &pen_allow_mult_kicks, false);
  flag("pen_random_winner", &pen_random_winner, false);
}

Vector2D ServerParam::baseWind() const {
  return Vector2D(winforce * std::cos(windir), winforce * std::sin(windir));
}

int ServerParam::lcmStep() const {
  int f = slow_down_factor;
  if (f < 1) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1002)
        << "lcmStep: slow_down_factor " << f << " taken as 1" << "\n";
    f = 1;
  }
  // In the server's order: sense_body, visual, receive (never slowed down),
  // send and simulator step. A length that is not positive, or whose
  // multiple does not fit an int, cannot take part and is left out.
  const struct {
    const char* key;
    int step;
    bool scaled;
  } steps[] = {{"sense_body_step", sb_step, true},
               {"send_vi_step", sv_st, true},
               {"recv_step", recv_st, false},
               {"send_step", send_step, true},
               {"simulator_step", sim_step, true}};
  int result = 1;
  for (const auto& s : steps) {
    const std::int64_t len = std::int64_t(s.step) * (s.scaled ? f : 1);
    const int m = (len > 0 && len <= INT_MAX) ? vekmath::lcm(result, int(len)) : 0;
    if (m <= 0) {
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1002)
          << "lcmStep: " << s.key << " " << s.step << " left out" << "\n";
      continue;
    }
    result = m;
  }
  return result;
}
