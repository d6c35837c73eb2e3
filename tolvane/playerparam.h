#ifndef TOLVANE_PLAYERPARAM_H
#define TOLVANE_PLAYERPARAM_H

#include <string>

#include "tolvane/paramreader.h"

// The server's player_param values: the number of heterogeneous player
// types, the substitution limits and the ranges the server draws the type
// values from.
class PlayerParam : public ParamReader {
public:
  static PlayerParam* instance();

  // Reads a parameter file when started; silent otherwise.
  bool getOptions(const std::string& file) override;
  void createOptionList(OptionList& list) override;
  int valId() const override { return 2; }

  int playerTypes() const { return player_types; }
  int subsMax() const { return subs_max; }
  int ptMax() const { return pt_max; }
  double playerSpeedMaxDeltaMin() const { return player_speed_max_delta_min; }
  double playerSpeedMaxDeltaMax() const { return player_speed_max_delta_max; }
  double staminaIncMaxDeltaFactor() const { return stamina_inc_max_delta_factor; }
  double playerDecayDeltaMin() const { return player_decay_delta_min; }
  double playerDecayDeltaMax() const { return player_decay_delta_max; }
  double inertiaMomentDeltaFactor() const { return inertia_moment_delta_factor; }
  double dashPowerRateDeltaMin() const { return dash_power_rate_delta_min; }
  double dashPowerRateDeltaMax() const { return dash_power_rate_delta_max; }
  double playerSizeDeltaFactor() const { return player_size_delta_factor; }
  double kickableMarginDeltaMin() const { return kickable_margin_delta_min; }
  double kickableMarginDeltaMax() const { return kickable_margin_delta_max; }
  double kickRandDeltaFactor() const { return kick_rand_delta_factor; }
  double extraStaminaDeltaMin() const { return extra_stamina_delta_min; }
  double extraStaminaDeltaMax() const { return extra_stamina_delta_max; }
  double effortMaxDeltaFactor() const { return effort_max_delta_factor; }
  double effortMinDeltaFactor() const { return effort_min_delta_factor; }

  int player_types;
  int subs_max;
  int pt_max;
  double player_speed_max_delta_min;
  double player_speed_max_delta_max;
  double stamina_inc_max_delta_factor;
  double player_decay_delta_min;
  double player_decay_delta_max;
  double inertia_moment_delta_factor;
  double dash_power_rate_delta_min;
  double dash_power_rate_delta_max;
  double player_size_delta_factor;
  double kickable_margin_delta_min;
  double kickable_margin_delta_max;
  double kick_rand_delta_factor;
  double extra_stamina_delta_min;
  double extra_stamina_delta_max;
  double effort_max_delta_factor;
  double effort_min_delta_factor;

private:
  PlayerParam();
};

#endif
