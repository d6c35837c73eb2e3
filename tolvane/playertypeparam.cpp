#include "tolvane/playertypeparam.h"

#include "tolvane/serverparam.h"

#include "vomarlog/forwarder.h"

namespace {

struct Field {
  const char* key;
  double PlayertypeParam::TypeParam::*member;
  double def;
  // The physical range; a value outside it is refused.
  ParamRange range;
};

typedef PlayertypeParam::TypeParam Rec;

// The record's fields in order, with their keys, defaults and ranges: those
// of the server's keys of the same names (effort_max as effort_init).
const Field FIELDS[] = {
    {"player_speed_max", &Rec::player_speed_max, 1.0, ServerParam::LENGTH},
    {"stamina_inc_max", &Rec::stamina_inc_max, 45.0, ServerParam::STAMINA},
    {"player_decay", &Rec::player_decay, 0.4, ServerParam::DECAY},
    {"inertia_moment", &Rec::inertia_moment, 5.0, ServerParam::NOT_NEGATIVE},
    {"dash_power_rate", &Rec::dash_power_rate, 0.006, ServerParam::RATE},
    {"player_size", &Rec::player_size, 0.3, ServerParam::LENGTH},
    {"kickable_margin", &Rec::kickable_margin, 0.7, ServerParam::LENGTH},
    {"kick_rand", &Rec::kick_rand, 0.0, ServerParam::SHARE},
    {"extra_stamina", &Rec::extra_stamina, 0.0, ServerParam::STAMINA},
    {"effort_max", &Rec::effort_max, 1.0, ServerParam::EFFORT},
    {"effort_min", &Rec::effort_min, 0.6, ServerParam::EFFORT},
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
    list.push_back(
        new DblOption(f.key, &(rec.*f.member), f.def, f.range.lowest, f.range.highest));
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
