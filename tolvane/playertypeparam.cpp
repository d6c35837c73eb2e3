#include "tolvane/playertypeparam.h"

#include <cfloat>

#include "tolvane/serverparam.h"

#include "vomarlog/forwarder.h"

namespace {

struct Field {
  const char* key;
  double PlayertypeParam::TypeParam::*member;
  double def;
  // The physical range; a value outside it is refused.
  double lowest = -DBL_MAX;
  double highest = DBL_MAX;
};

const double LONGEST = ServerParam::ABSURD_LENGTH;

// The record's fields in order, with their keys, defaults and ranges.
const Field FIELDS[] = {
    {"player_speed_max", &PlayertypeParam::TypeParam::player_speed_max, 1.0, DBL_MIN, LONGEST},
    {"stamina_inc_max", &PlayertypeParam::TypeParam::stamina_inc_max, 45.0},
    // A decay and 1 minus it are divided by: both ends are left out.
    {"player_decay", &PlayertypeParam::TypeParam::player_decay, 0.4, DBL_MIN,
     ServerParam::BELOW_ONE},
    // A turn is divided by 1 + inertia_moment x speed.
    {"inertia_moment", &PlayertypeParam::TypeParam::inertia_moment, 5.0, 0.0},
    {"dash_power_rate", &PlayertypeParam::TypeParam::dash_power_rate, 0.006},
    {"player_size", &PlayertypeParam::TypeParam::player_size, 0.3, DBL_MIN, LONGEST},
    {"kickable_margin", &PlayertypeParam::TypeParam::kickable_margin, 0.7, DBL_MIN, LONGEST},
    {"kick_rand", &PlayertypeParam::TypeParam::kick_rand, 0.0, 0.0, 1.0},
    {"extra_stamina", &PlayertypeParam::TypeParam::extra_stamina, 0.0},
    {"effort_max", &PlayertypeParam::TypeParam::effort_max, 1.0},
    {"effort_min", &PlayertypeParam::TypeParam::effort_min, 0.6},
};

vomar::Forwarder& warning() {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1002);
}

} // namespace

PlayertypeParam* PlayertypeParam::instance(int n) {
  static PlayertypeParam the_params(n);
  return &the_params;
}

PlayertypeParam::PlayertypeParam(int n)
    : TP(n < 1 ? 1 : n), current_type(0), scratch_bound(false) {
  setCurrentType(0);
}

void PlayertypeParam::appendOptions(OptionList& list, TypeParam& rec) {
  for (const Field& f : FIELDS)
    list.push_back(new DblOption(f.key, &(rec.*f.member), f.def, f.lowest, f.highest));
}

PlayertypeParam::TypeParam& PlayertypeParam::bindable(int t) {
  if (t >= 0 && t < numTypes()) return TP[t];
  // The message's values must land nowhere: not in the record bound
  // before, and not in record 0, which begin() would bind.
  warning() << "PlayertypeParam: player type (" << t << ") outside the table of " << numTypes()
            << " types, ignored" << "\n";
  return scratch;
}

void PlayertypeParam::createOptionList(OptionList& list, int t) {
  appendOptions(list, bindable(t));
}

void PlayertypeParam::createOptionList(OptionList& list) {
  createOptionList(list, 0);
  current_type = 0;
  scratch_bound = false;
}

void PlayertypeParam::rebind(TypeParam& rec) {
  end();
  optionList = new OptionList;
  appendOptions(*optionList, rec);
  started = true;
  scratch_bound = &rec == &scratch;
}

void PlayertypeParam::setCurrentType(int t) {
  TypeParam& rec = bindable(t);
  rebind(rec);
  if (&rec != &scratch) current_type = t;
}

void PlayertypeParam::setNumTypes(int n) {
  if (n < 2 || n > max_types + 1) {
    // n is player_types + 1: the types and the worst-case record.
    warning() << "PlayertypeParam: " << (static_cast<long long>(n) - 1)
              << " player types refused, keeping " << numTypes() - 1 << "\n";
    return;
  }
  const bool wasStarted = started;
  if (current_type >= n) current_type = 0;
  if (scratch_bound) {
    // The options point at the scratch record, which does not move.
    TP.resize(static_cast<std::size_t>(n));
    return;
  }
  // The options point into the table, which may move: drop them, resize,
  // and bind them again without touching the values.
  end();
  TP.resize(static_cast<std::size_t>(n));
  if (wasStarted) {
    const TypeParam keep = TP[current_type];
    rebind(TP[current_type]);
    TP[current_type] = keep;
  }
}

void PlayertypeParam::generateWorstCasePlayer() {
  const std::size_t n = TP.size();
  if (n < 2) return;
  TypeParam& last = TP[n - 1];
  for (std::size_t i = 0; i + 1 < n; ++i)
    for (const Field& f : FIELDS)
      if (TP[i].*f.member > last.*f.member) last.*f.member = TP[i].*f.member;
}

const PlayertypeParam::TypeParam& PlayertypeParam::record(int t) const {
  if (t >= 0 && t < numTypes()) return TP[t];
  warning() << "PlayertypeParam: no player type (" << t << "), reading type 0" << "\n";
  return TP[0];
}
