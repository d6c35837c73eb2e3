#ifndef TOLVANE_PLAYERTYPEPARAM_H
#define TOLVANE_PLAYERTYPEPARAM_H

#include <vector>

#include "tolvane/paramreader.h"
#include "tolvanebase/baseparams.h"

// One record of physical values per heterogeneous player type, filled from
// the server's player_type messages. The option list always covers exactly
// one record, that of the current type.
class PlayertypeParam : public ParamReader, public vekbase::BasePlayertypeParam {
public:
  struct TypeParam {
    double player_speed_max;
    double stamina_inc_max;
    double player_decay;
    double inertia_moment;
    double dash_power_rate;
    double player_size;
    double kickable_margin;
    double kick_rand;
    double extra_stamina;
    double effort_max;
    double effort_min;

    TypeParam()
        : player_speed_max(0.0), stamina_inc_max(0.0), player_decay(0.0),
          inertia_moment(0.0), dash_power_rate(0.0), player_size(0.0),
          kickable_margin(0.0), kick_rand(0.0), extra_stamina(0.0), effort_max(0.0),
          effort_min(0.0) {}
  };

  // The first call creates the store with n all-zero records and binds the
  // options to record 0 (which writes its defaults); later calls ignore n.
  static PlayertypeParam* instance(int n);

  // Appends the eleven options bound to record t, writing its defaults. A t
  // outside the table binds a scratch record instead, so that nothing set
  // through the options lands outside the table.
  void createOptionList(OptionList& list, int t);
  // Binds record 0.
  void createOptionList(OptionList& list) override;
  int valId() const override { return 4; }

  // Rebinds the options to record t and resets that record to the defaults.
  // A t outside the table is refused with a warning: the values then set
  // through the options go to a scratch record, no record changes.
  void setCurrentType(int t);
  int currentType() const { return current_type; }

  int numTypes() const { return static_cast<int>(TP.size()); }
  // Resizes the table to n records (player_types + 1: the types and the
  // worst-case record); new records are all zero, the options stay bound to
  // a live record. Sizes below 2 or above max_types + 1 are refused.
  void setNumTypes(int n);
  // The last record becomes the field-wise maximum of all records.
  void generateWorstCasePlayer();

  // Reads of record t. A t outside the table is logged and record 0 is read.
  double playerSpeedMax(int t) const { return record(t).player_speed_max; }
  double playerDecay(int t) const { return record(t).player_decay; }
  double inertiaMoment(int t) const { return record(t).inertia_moment; }
  double dashPowerRate(int t) const { return record(t).dash_power_rate; }
  double playerSize(int t) const { return record(t).player_size; }
  double kickableMargin(int t) const { return record(t).kickable_margin; }
  double kickRand(int t) const { return record(t).kick_rand; }
  double extraStamina(int t) const { return record(t).extra_stamina; }
  double effortMax(int t) const override { return record(t).effort_max; }
  double effortMin(int t) const override { return record(t).effort_min; }
  double staminaIncMax(int t) const override { return record(t).stamina_inc_max; }

  // The most player types a server may announce.
  static constexpr int max_types = 100;

  // The type table, indexed by type number from 0. Resize it only through
  // setNumTypes: the options point into it.
  std::vector<TypeParam> TP;

private:
  explicit PlayertypeParam(int n);

  const TypeParam& record(int t) const;
  // Record t, or (logged) the scratch record for a t outside the table.
  TypeParam& bindable(int t);
  void appendOptions(OptionList& list, TypeParam& rec);
  void rebind(TypeParam& rec);

  int current_type;
  // Receives the values of a message for a type outside the table.
  TypeParam scratch;
  // Whether the options are bound to the scratch record.
  bool scratch_bound;
};

#endif
