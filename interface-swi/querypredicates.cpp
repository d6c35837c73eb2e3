#include "interface-swi/querypredicates.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "interface-swi/client.h"
#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekplayer.h"
#include "tolvanebase/timer.h"
#include "tolvanespace/line2d.h"

// ---- The ball ----

foreign_t pl_ball(term_t x, term_t y, term_t vx, term_t vy) {
  const BallObject& ball = pl_world().getBall();
  return unify_vector(x, y, ball.getAbsPos(), "ball/4", 1) &&
         unify_vector(vx, vy, ball.getAbsVel(), "ball/4", 3);
}

foreign_t pl_ball_absolute_heading(term_t a) {
  // Radians, unlike every other angle the agent program is given.
  return unify_finite(a, pl_world().getBall().getAbsVel().dir(vekmath::RAD),
                      "ball_absolute_heading/1", 1);
}

foreign_t pl_ball_distance(term_t d) {
  return unify_finite(d, pl_world().getBall().getDist(), "ball_distance/1", 1);
}

foreign_t pl_ball_position_valid() { return pl_world().getBall().getAbsPosConf().valid(); }
foreign_t pl_ball_velocity_valid() { return pl_world().getBall().getAbsVelConf().valid(); }
foreign_t pl_ball_dir_valid() { return pl_world().getBall().getDirConf().valid(); }
foreign_t pl_ball_kickable() { return pl_world().isBallKickable(); }
foreign_t pl_ball_catchable() { return pl_world().isBallCatchable(); }
foreign_t pl_ball_tackleable() { return pl_world().isTackleable(); }

foreign_t pl_ball_kickable_for_player(term_t side, term_t unum, term_t buffer) {
  static const char* const origin = "ball_kickable_for_player/3";
  char letter = ' ';
  if (!PL_get_side(side, &letter)) return warn_side(origin, 1);
  int number = 0;
  if (!read_unum(unum, number, origin, 2)) return FALSE;
  double margin = 0.0;
  if (!PL_get_float(buffer, &margin)) return warn_float(origin, 3);
  return pl_world().isBallKickableForPlayer(letter == 'l' ? l : r, Unum(number), margin);
}

foreign_t pl_will_catch_ball_safer(term_t margin) {
  double m = 0.0;
  if (!PL_get_float(margin, &m)) return warn_float("will_catch_be_safer/1", 1);
  return pl_world().willCatchBallSafer(m);
}

// ---- The agent itself ----

foreign_t pl_my_number(term_t n) { return PL_unify_integer(n, pl_world().getMyNumber()); }
foreign_t pl_my_side(term_t s) { return unify_side(s, pl_world().getMySide()); }
foreign_t pl_their_side(term_t s) { return unify_side(s, otherSide(pl_world().getMySide())); }

foreign_t pl_my_stamina(term_t e) {
  return unify_finite(e, pl_world().myEnergy().getStamina(), "my_stamina/1", 1);
}

foreign_t pl_my_effort(term_t e) {
  return unify_finite(e, pl_world().myEnergy().getEffort(), "my_effort/1", 1);
}

foreign_t pl_my_kick_rand(term_t k) {
  // The server draws a kick's noise from the kick_rand of the kicker's type,
  // times its side's factor only when it gives each team its own noise.
  const UpdateableWMState& wm = pl_world();
  const ServerParam* sp = ServerParam::instance();
  double factor = 1.0;
  if (sp->team_actuator_noise)
    factor = wm.getMySide() == l   ? sp->kick_rand_factor_l
             : wm.getMySide() == r ? sp->kick_rand_factor_r
                                   : std::max(sp->kick_rand_factor_l, sp->kick_rand_factor_r);
  const double type = PlayertypeParam::instance(1)->kickRand(wm.getMe()->getPlayerType());
  return unify_finite(k, type * factor, "my_kick_rand/1", 1);
}

foreign_t pl_my_speed(term_t v) {
  return unify_finite(v, pl_world().getMySpeed(), "my_speed/1", 1);
}

foreign_t pl_my_speed_dir(term_t a) {
  return unify_finite(a, double(pl_world().getMySpeedDir()), "my_speed_dir/1", 1);
}

foreign_t pl_my_neck_rel_ang(term_t a) {
  return unify_finite(a, double(pl_world().myRelativeNeckAngle()), "my_neck_rel_ang/1", 1);
}

foreign_t pl_my_offside_line(term_t x) {
  return unify_finite(x, pl_world().getOffsideLine(), "my_offside_line/1", 1);
}

foreign_t pl_cycles_since_last_catch(term_t n) {
  return PL_unify_integer(n, pl_world().cyclesSinceLastCatch());
}

foreign_t pl_in_our_penalty_area(term_t x, term_t y) {
  Vector2D p;
  if (!PL_get_vector2D(x, y, p)) return report("in_our_penalty_area/2 : can't get vector");
  return pl_world().isInOurPenaltyArea(p);
}

// ---- Score, clock and messages ----

foreign_t pl_my_score(term_t g) { return PL_unify_integer(g, pl_world().getMyScore()); }
foreign_t pl_their_score(term_t g) { return PL_unify_integer(g, pl_world().getTheirScore()); }

foreign_t pl_goal_diff(term_t d) {
  return PL_unify_integer(d, pl_world().getMyScore() - pl_world().getTheirScore());
}

foreign_t pl_current_cycle_1(term_t t) {
  return PL_unify_integer(t, vekbase::Timer::currentTime().serverTime());
}

foreign_t pl_current_cycle_2(term_t t, term_t s) {
  const vekbase::Timer& now = vekbase::Timer::currentTime();
  return PL_unify_integer(t, now.serverTime()) && PL_unify_integer(s, now.stoppedTime());
}

foreign_t pl_now(term_t t) {
  // "417.0 -" becomes the atom '417'.
  const std::string text = vekbase::Timer::now();
  return PL_unify_atom_chars(t, text.substr(0, text.find('.')).c_str());
}

foreign_t pl_get_receive_time(term_t t) {
  return PL_unify_integer(t, pl_world().getReceiveTime().serverTime());
}

// ---- Shots, geometry and formation ----

namespace {

bool unify_shot_classes(term_t x, term_t y, term_t z, unsigned short cx, unsigned short cy,
                        unsigned short cz) {
  return PL_unify_integer(x, cx) && PL_unify_integer(y, cy) && PL_unify_integer(z, cz);
}

} // namespace

foreign_t pl_goal_kick_situation(term_t x, term_t y, term_t z) {
  unsigned short cx = 0, cy = 0, cz = 0;
  pl_world().goalKickSituation(cx, cy, cz);
  return unify_shot_classes(x, y, z, cx, cy, cz);
}

foreign_t pl_goal_kick_situation5(term_t side, term_t unum, term_t x, term_t y, term_t z) {
  PlayerObject player;
  if (!PL_get_player(side, unum, player))
    return report("goal_kick_situation/5 : can" PL_ACUTE "t get player");
  unsigned short cx = 0, cy = 0, cz = 0;
  pl_world().goalKickSituation(player, cx, cy, cz);
  return unify_shot_classes(x, y, z, cx, cy, cz);
}

foreign_t pl_goal_kick_success_ratio(term_t x, term_t y, term_t z, term_t ratio) {
  int cls[3] = {0, 0, 0};
  const term_t in[3] = {x, y, z};
  for (int i = 0; i < 3; ++i)
    // Whichever class is wrong, the warning names the first argument.
    if (!PL_get_integer(in[i], &cls[i])) return warn_integer("goal_kick_success_ratio", 1);
  const Value r = client->goalKickSuccessRatio(static_cast<unsigned short>(cls[0]),
                                               static_cast<unsigned short>(cls[1]),
                                               static_cast<unsigned short>(cls[2]));
  return unify_finite(ratio, r, "goal_kick_success_ratio/4", 4);
}

foreign_t pl_angle_to_from_body(term_t x, term_t y, term_t a) {
  Vector2D p;
  if (!PL_get_vector2D(x, y, p))
    return report("angle_to_from_body/3 : can" PL_ACUTE "t get vector");
  return unify_finite(a, double(pl_world().angleToFromBody(p)), "angle_to_from_body/3", 3);
}

foreign_t pl_line_line_intersection(term_t x1, term_t y1, term_t x2, term_t y2, term_t x3,
                                    term_t y3, term_t x4, term_t y4, term_t x, term_t y) {
  static const char* const origin = "line_line_intersection/10";
  Vector2D p1, p2, p3, p4;
  if (!PL_get_vector2D(x1, y1, p1) || !PL_get_vector2D(x2, y2, p2) ||
      !PL_get_vector2D(x3, y3, p3) || !PL_get_vector2D(x4, y4, p4))
    return report("line_line_intersection/10: can't create vector");
  // Parallel lines meet at (0, 0), answered like any other point.
  const Vector2D p = vekspace::Line2D(p1, p2).getIntersection(vekspace::Line2D(p3, p4));
  const term_t out[2] = {x, y};
  for (int i = 0; i < 2; ++i) {
    if (!check_finite(p[i], origin, 9 + i)) return FALSE;
    if (!PL_unify_float(out[i], p[i])) {
      std::cerr << "line_line_intersection/10: can't unify result" << p[i] << std::endl;
      return FALSE;
    }
  }
  return TRUE;
}

foreign_t pl_strategic_position(term_t unum, term_t x, term_t y) {
  static const char* const origin = "strategic_position/3";
  int number = 0;
  if (!PL_get_integer(unum, &number)) return warn_integer(origin, 1);
  // 0 is the agent itself; the formation has no entry beyond the team.
  if (number != 0 && (number < MIN_UNUM || number > MAX_UNUM)) return warn_unum(origin, number, 1);
  return unify_vector(x, y, pl_world().getStrategicPosition(Unum(number)), origin, 2);
}
