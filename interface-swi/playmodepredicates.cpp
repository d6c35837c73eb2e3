#include "interface-swi/playmodepredicates.h"

#include <iostream>

#include "interface-swi/converters.h"
#include "interface-swi/nametables.h"
#include "interface-swi/predicatesupport.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/updateablewmstate.h"
#include "vomarlog/forwarder.h"

foreign_t pl_is_before_kick_off() { return pl_world().isBeforeKickOff(); }
foreign_t pl_is_kick_off_us() { return pl_world().isKickOffUs(); }
foreign_t pl_is_kick_off_them() { return pl_world().isKickOffThem(); }
foreign_t pl_is_kick_in_us() { return pl_world().isKickInUs(); }
foreign_t pl_is_kick_in_them() { return pl_world().isKickInThem(); }
foreign_t pl_is_corner_kick_us() { return pl_world().isCornerKickUs(); }
foreign_t pl_is_corner_kick_them() { return pl_world().isCornerKickThem(); }
foreign_t pl_is_goal_kick_us() { return pl_world().isGoalKickUs(); }
foreign_t pl_is_goal_kick_them() { return pl_world().isGoalKickThem(); }
foreign_t pl_is_free_kick_us() { return pl_world().isFreeKickUs(); }
foreign_t pl_is_free_kick_them() { return pl_world().isFreeKickThem(); }
foreign_t pl_is_offside_us() { return pl_world().isOffsideUs(); }
foreign_t pl_is_offside_them() { return pl_world().isOffsideThem(); }
foreign_t pl_is_free_kick_fault_us() { return pl_world().isKickFaultUs(); }
foreign_t pl_is_free_kick_fault_them() { return pl_world().isKickFaultThem(); }
foreign_t pl_is_back_pass_us() { return pl_world().isBackPassUs(); }
foreign_t pl_is_back_pass_them() { return pl_world().isBackPassThem(); }
foreign_t pl_is_dead_ball_us() { return pl_world().isDeadBallUs(); }
foreign_t pl_is_dead_ball_them() { return pl_world().isDeadBallThem(); }
foreign_t pl_their_dead_ball() { return pl_world().isDeadBallThem(); }

foreign_t pl_play_mode(term_t mode) {
  // Modes without a name enter an empty one and answer the empty atom.
  return PL_unify_atom_chars(mode, PlayModeMap[pl_world().getPlayMode()].c_str());
}

foreign_t pl_lock_kick() { return pl_world().lockKick(); }

foreign_t pl_log_action(term_t level, term_t message) {
  int number = 0;
  if (!PL_get_integer(level, &number)) return warn_integer("log_action/2", 1);
  char* text = nullptr;
  if (!PL_get_atom_chars(message, &text)) {
    std::cerr << "log_action/2 : can't get msg " << message << std::endl;
    return FALSE;
  }
  // Only the low 16 bits name the level.
  if (vomar::Forwarder* line = vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, ZONE_PROLOG,
                                                   static_cast<unsigned short>(number)))
    *line << text << "\n";
  return TRUE;
}

foreign_t pl_set_formation_type(term_t type) {
  Formations::FormationParam::FormationT t = Formations::FormationParam::NONE;
  if (!PL_get_formation_type(type, &t)) return report("set_formation_type/1 : can't get formation");
  Formations::FormationParam::instance()->setFormationType(t);
  return TRUE;
}

foreign_t pl_formation_type(term_t type) {
  const Formations::FormationParam::FormationT current =
      Formations::FormationParam::instance()->getFormationType();
  // The atom that set_formation_type/1 takes for the same type.
  for (const auto& entry : FormationTypeMap)
    if (entry.second == current) return PL_unify_atom(type, entry.first);
  return FALSE;
}

foreign_t pl_interface(term_t name) { return PL_unify_atom_chars(name, "tolvane"); }
