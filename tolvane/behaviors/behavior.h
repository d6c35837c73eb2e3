#ifndef TOLVANE_BEHAVIORS_BEHAVIOR_H
#define TOLVANE_BEHAVIORS_BEHAVIOR_H

class UpdateableWMState;
class VekPlayer;

// The decision hook of the player: init() once after the handshake,
// process() once per decision, queuing its commands with the Actuator.
class Behavior {
public:
  explicit Behavior(VekPlayer* p);
  virtual ~Behavior();

  virtual void init();
  virtual void process() = 0;

protected:
  UpdateableWMState& wm();
  const UpdateableWMState& wm() const;

  // The player driven; not owned.
  VekPlayer* player;

private:
  Behavior(const Behavior&) = delete;
  Behavior& operator=(const Behavior&) = delete;
};

#endif
