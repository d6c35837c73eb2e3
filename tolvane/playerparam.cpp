#include "tolvane/playerparam.h"

#include "tolvane/playertypeparam.h"

PlayerParam* PlayerParam::instance() {
  static PlayerParam the_params;
  return &the_params;
}

PlayerParam::PlayerParam() { begin(); }

bool PlayerParam::getOptions(const std::string& file) {
  return !started || readParams(file);
}

void PlayerParam::createOptionList(OptionList& list) {
  auto dbl = [&list](const char* key, double* v, double def) {
    list.push_back(new DblOption(key, v, def));
  };
  // Counts: none is negative. The type table holds at least one type
  // beside the worst-case record, and no more than it is built for.
  list.push_back(
      new IntOption("player_types", &player_types, 7, 1, PlayertypeParam::max_types));
  list.push_back(new IntOption("subs_max", &subs_max, 3, 0));
  list.push_back(new IntOption("pt_max", &pt_max, 3, 0));
  // The ranges the server draws the types from: the types it sends are
  // checked, these are not used.
  dbl("player_speed_max_delta_min", &player_speed_max_delta_min, 0.0);
  dbl("player_speed_max_delta_max", &player_speed_max_delta_max, 0.2);
  dbl("stamina_inc_max_delta_factor", &stamina_inc_max_delta_factor, -100.0);
  dbl("player_decay_delta_min", &player_decay_delta_min, 0.0);
  dbl("player_decay_delta_max", &player_decay_delta_max, 0.2);
  dbl("inertia_moment_delta_factor", &inertia_moment_delta_factor, 25.0);
  dbl("dash_power_rate_delta_min", &dash_power_rate_delta_min, 0.0);
  dbl("dash_power_rate_delta_max", &dash_power_rate_delta_max, 0.002);
  dbl("player_size_delta_factor", &player_size_delta_factor, -100.0);
  dbl("kickable_margin_delta_min", &kickable_margin_delta_min, 0.0);
  dbl("kickable_margin_delta_max", &kickable_margin_delta_max, 0.2);
  dbl("kick_rand_delta_factor", &kick_rand_delta_factor, 0.5);
  dbl("extra_stamina_delta_min", &extra_stamina_delta_min, 0.0);
  dbl("extra_stamina_delta_max", &extra_stamina_delta_max, 100.0);
  dbl("effort_max_delta_factor", &effort_max_delta_factor, -0.002);
  dbl("effort_min_delta_factor", &effort_min_delta_factor, -0.002);
}
