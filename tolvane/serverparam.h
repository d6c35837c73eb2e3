#ifndef TOLVANE_SERVERPARAM_H
#define TOLVANE_SERVERPARAM_H

#include <cfloat>
#include <string>

#include "tolvane/paramreader.h"
#include "tolvanebase/baseparams.h"
#include "tolvanebase/vector.h"

typedef double Value;

// The values a parameter may take, both ends included.
struct ParamRange {
  double lowest;
  double highest;
};

// The soccer server's parameters, with the server's version-8 values as
// built-in defaults. Members are read directly by name; files, the command
// line and the server's server_param message use the keys bound in
// createOptionList.
class ServerParam : public ParamReader, public vekbase::BaseServerParam {
public:
  static ServerParam* instance();

  // Sizes of the per-object tables of the world model.
  static constexpr int max_players = 11;
  static constexpr int max_flags = 100;
  static constexpr int max_lines = 4;
  // The range, in milliseconds, that the step keys take.
  static constexpr int MIN_STEP_MS = 10;
  static constexpr int MAX_STEP_MS = 10000;
  // No size, margin, speed or distance on a field of 105 by 68 m comes near
  // this many metres (or metres per cycle); one beyond it is absurd.
  static constexpr double ABSURD_LENGTH = 1000.0;
  // The greatest value below 1: the upper bound of a decay that is divided
  // by, and so is 1 minus it.
  static constexpr double BELOW_ONE = 1.0 - DBL_EPSILON / 2;
  // A stamina goes into the monitor records in 16.16 fixed point, a signed
  // 32-bit number (the replay writes stamina_max so): none beyond fits.
  static constexpr double MOST_STAMINA = 32767.0;

  // The physical ranges of the kinds of parameters, wherever the value
  // comes from; a player type's key has the range of the server's key of
  // the same name, so that the two stores agree.
  // Sizes, margins and speeds: divided by, or summed into the kick and
  // catch areas.
  static constexpr ParamRange LENGTH = {DBL_MIN, ABSURD_LENGTH};
  // Other distances and the wind force.
  static constexpr ParamRange DISTANCE = {0.0, ABSURD_LENGTH};
  // Random shares, probabilities, and the recovery and the effort's steps
  // and thresholds, which are shares of the stamina.
  static constexpr ParamRange SHARE = {0.0, 1.0};
  // A decay and 1 minus it are divided by: both ends are left out.
  static constexpr ParamRange DECAY = {DBL_MIN, BELOW_ONE};
  // Weights and quantize steps are divided by.
  static constexpr ParamRange POSITIVE = {DBL_MIN, DBL_MAX};
  // Power rates are divided by; up to 1, full power (up to 1000)
  // accelerates by no more than 1000 m a cycle.
  static constexpr ParamRange RATE = {DBL_MIN, 1.0};
  // A dash is divided by the effort.
  static constexpr ParamRange EFFORT = {DBL_MIN, 1.0};
  // The stamina's increases; stamina_max itself lies above 0.
  static constexpr ParamRange STAMINA = {0.0, MOST_STAMINA};
  // Inertia moments (a turn is divided by 1 + inertia_moment x speed) and
  // noise factors.
  static constexpr ParamRange NOT_NEGATIVE = {0.0, DBL_MAX};

  bool getOptions(const std::string& file) override;
  void createOptionList(OptionList& list) override;
  int valId() const override { return 1; }

  double staminaMax() const override { return stamina_max; }
  double effortInc() const override { return effort_inc; }
  double effortDec() const override { return effort_dec; }
  double effortIncThr() const override { return effort_ithr; }
  double effortDecThr() const override { return effort_dthr; }
  double recoverMin() const override { return recover_min; }
  double recoverDec() const override { return recover_dec; }
  double recoverDecThr() const override { return recover_dthr; }
  vekbase::AngleDeg visibleAngle() const override { return vekbase::AngleDeg(visangle); }

  bool SynchMode() const { return synch_mode; }
  // The wind of length winforce in direction windir, windir taken as radians.
  Vector2D baseWind() const;
  // Least common multiple of the (slowed-down) step lengths.
  int lcmStep() const;

  Value gwidth;
  Value inertia_moment;
  Value psize;
  Value pdecay;
  Value prand;
  Value pweight;
  Value pspeed_max;
  Value paccel_max;
  Value stamina_max;
  Value stamina_inc_max;
  Value recover_init;
  Value recover_dthr;
  Value recover_min;
  Value recover_dec;
  Value effort_init;
  Value effort_dthr;
  Value effort_min;
  Value effort_dec;
  Value effort_ithr;
  Value effort_inc;
  Value kick_rand;
  bool team_actuator_noise;
  Value prand_factor_l;
  Value prand_factor_r;
  Value kick_rand_factor_l;
  Value kick_rand_factor_r;
  Value bsize;
  Value bdecay;
  Value brand;
  Value bweight;
  Value bspeed_max;
  Value baccel_max;
  Value dprate;
  Value kprate;
  Value kmargin;
  Value ctlradius;
  Value maxp;
  Value minp;
  Value maxm;
  Value minm;
  Value maxnm;
  Value minnm;
  Value maxn;
  Value minn;
  Value visdist;
  Value windir;
  Value winforce;
  Value winang;
  Value winrand;
  Value catch_area_l;
  Value catch_area_w;
  Value catch_prob;
  int goalie_max_moves;
  Value ckmargin;
  Value offside_area;
  bool win_no;
  bool win_random;
  int portnum;
  int coach_pnum;
  int olcoach_pnum;
  int say_cnt_max;
  int SayCoachMsgSize;
  int clang_win_size;
  int clang_define_win;
  int clang_meta_win;
  int clang_advice_win;
  int clang_info_win;
  int clang_mess_delay;
  int clang_mess_per_cycle;
  int drop_ball_time;
  int recv_st;
  int sb_step;
  int SayMsgSize;
  int hear_max;
  int hear_inc;
  int hear_decay;
  int cban_cycle;
  int slow_down_factor;
  bool useoffside;
  bool kickoffoffside;
  Value offside_kick_margin;
  Value audio_dist;
  Value dist_qstep;
  Value land_qstep;
  Value dir_qstep;
  Value dist_qstep_l;
  Value dist_qstep_r;
  Value land_qstep_l;
  Value land_qstep_r;
  Value dir_qstep_l;
  Value dir_qstep_r;
  bool verbose;
  std::string logfile;
  std::string recfile;
  int rec_ver;
  bool rec_log;
  bool rec_msg_mode;
  bool send_log;
  std::string replay;
  bool CoachMode;
  bool CwRMode;
  bool old_hear;
  int start_goal_l;
  int start_goal_r;
  bool fullstate_l;
  bool fullstate_r;
  Value slowness_on_top_for_left_team;
  Value slowness_on_top_for_right_team;
  int pen_before_setup_wait;
  int pen_setup_wait;
  int pen_ready_wait;
  int pen_taken_wait;
  int pen_nr_kicks;
  int pen_max_extra_kicks;
  Value pen_dist_x;
  Value pen_max_goalie_dist_x;
  bool pen_allow_mult_kicks;
  bool pen_random_winner;
  int point_to_ban;
  int point_to_duration;
  int random_seed;
  bool synch_mode;
  int synch_offset;
  int synch_micro_sleep;
  Value visangle;
  bool send_comms;
  bool text_logging;
  bool game_logging;
  int game_log_version;
  std::string text_log_dir;
  std::string game_log_dir;
  std::string text_log_fixed_name;
  std::string game_log_fixed_name;
  int half_time;
  int send_step;
  int sim_step;
  int sv_st;
  bool text_log_fixed;
  bool game_log_fixed;
  bool text_log_dated;
  bool game_log_dated;
  std::string log_date_format;
  bool log_times;
  int text_log_compression;
  int game_log_compression;
  bool M_profile;

private:
  ServerParam();
};

#endif
