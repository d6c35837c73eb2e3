#include "interface-swi/skillpredicates.h"

#include <limits>

#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"
#include "interface-swi/skillarguments.h"

namespace {

using namespace skillargs;
using vekbase::AngleDeg;

// How far from the body kick_ball_close_to_body/3 puts the ball, in metres.
const double CLOSE_TO_BODY = 0.6;

} // namespace

foreign_t pl_align_neck_with_body(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.alignNeckWithBody(); });
}

foreign_t pl_block_path(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.blockPath(); });
}

foreign_t pl_catch_ball(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.catchBall(); });
}

foreign_t pl_freeze_ball(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.freezeBall(); });
}

foreign_t pl_kick_to_tangential_point(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.kickToTangentialPoint(); });
}

foreign_t pl_search_ball(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.searchBall(); });
}

foreign_t pl_change_view(term_t width, term_t quality, term_t list) {
  vekbase::ViewWidth w(vekbase::ViewWidth::S_normal);
  vekbase::ViewQuality q(vekbase::ViewQuality::S_high);
  if (!PL_get_viewwidth(width, w))
    return report("pl_change_view/3 : can" PL_ACUTE "t get viewwidth");
  if (!PL_get_viewquality(quality, q))
    return report("pl_change_view/3 : can" PL_ACUTE "t get viewquality");
  return answer(list, [&](VekPlayer& p) { return p.changeView(w(), q()); });
}

foreign_t pl_look_around(term_t maxAngle, term_t minAngle, term_t list) {
  double most = 0.0;
  double least = 0.0;
  if (!PL_get_float(maxAngle, &most) || !PL_get_float(minAngle, &least))
    return report("look_around/3 failed");
  return answer(list, [&](VekPlayer& p) { return p.lookAround(AngleDeg(most), AngleDeg(least)); });
}

foreign_t pl_turn_body_to_ball(term_t cycles, term_t list) {
  int n = 0;
  if (!read_integer(cycles, n, "turn_body_to_ball/2", 1) || !client) return FALSE;
  const BallObject& ball = client->WM().getBall();
  if (!ball.getAbsPosConf().valid()) return report("turn_body_to_ball/2 : ball position not valid");
  return answer(list, [&](VekPlayer& p) { return p.turnBodyToPoint(ball.getAbsPos(), n); });
}

foreign_t pl_turn_body_to_point(term_t x, term_t y, term_t cycles, term_t list) {
  Vector2D pos;
  int n = 0;
  if (!read_vector(x, y, pos, "turn_body_to_point/4 : can't get vector") ||
      !read_integer(cycles, n, "turn_body_to_point/4", 3))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.turnBodyToPoint(pos, n); });
}

foreign_t pl_turn_neck_to_ball(term_t exec, term_t list) {
  SoccerCommand body(SoccerCommand::CMD_NONE);
  if (!PL_get_soccercommand(exec, body))
    return report("turn_neck_to_ball/2 : can" PL_ACUTE "t get SoccerCommand ... exiting !");
  return answer(list, [&](VekPlayer& p) { return p.turnNeckToObject(p.WM().getBall(), body); });
}

foreign_t pl_turn_neck_to_player(term_t side, term_t unum, term_t exec, term_t list) {
  PlayerObject player;
  if (!PL_get_player(side, unum, player, "turn_neck_to_player/4")) return FALSE;
  SoccerCommand body(SoccerCommand::CMD_NONE);
  if (!PL_get_soccercommand(exec, body))
    return report("turn_neck_to_player/4 : can" PL_ACUTE "t get SoccerCommand ... exiting !");
  return answer(list, [&](VekPlayer& p) { return p.turnNeckToObject(player, body); });
}

foreign_t pl_dash_towards_point(term_t x, term_t y, term_t important, term_t list) {
  Vector2D pos;
  bool crucial = false;
  if (!read_vector(x, y, pos, "dash_towards_position/4 : can" PL_ACUTE "t get vector") ||
      !read_flag(important, crucial, "dash_towards_position/4", 3))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.dashTowardsPoint(pos, crucial); });
}

foreign_t pl_dash_to_position5(term_t x, term_t y, term_t distBack, term_t power, term_t list) {
  static const char* const origin = "dash_to_position/5";
  Vector2D pos;
  double back = 0.0;
  double strength = 0.0;
  if (!read_vector(x, y, pos, "dash_to_position/5 : can" PL_ACUTE "t get vector") ||
      !read_float(distBack, back, origin, 3) || !read_float(power, strength, origin, 4))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.dashToPosition(pos, back, strength, false); });
}

foreign_t pl_dash_to_position(term_t x, term_t y, term_t distBack, term_t moveBack,
                              term_t important, term_t list) {
  static const char* const origin = "dash_to_position/6";
  Vector2D pos;
  double back = 0.0;
  bool backwards = false;
  bool crucial = false;
  if (!read_vector(x, y, pos, "dash_to_position/6 : can" PL_ACUTE "t get vector") ||
      !read_float(distBack, back, origin, 3) || !read_flag(moveBack, backwards, origin, 4) ||
      !read_flag(important, crucial, origin, 5))
    return FALSE;
  return answer(list,
                [&](VekPlayer& p) { return p.dashToPosition(pos, back, backwards, crucial); });
}

foreign_t pl_dash_to_position_along_line(term_t x, term_t y, term_t ang, term_t distThr,
                                         term_t sign, term_t angThr, term_t angCorr, term_t list) {
  static const char* const origin = "dash_to_position_along_line/8";
  Vector2D pos;
  AngleDeg line(0.0);
  double threshold = 0.0;
  int side = 0;
  AngleDeg angleThreshold(0.0);
  AngleDeg correction(0.0);
  if (!read_vector(x, y, pos, "dash_to_position_along_line/8 : can" PL_ACUTE "t get vector") ||
      !read_angle(ang, line, origin, 3) || !read_float(distThr, threshold, origin, 4) ||
      !read_integer(sign, side, origin, 5) || !read_angle(angThr, angleThreshold, origin, 6) ||
      !read_angle(angCorr, correction, origin, 7))
    return FALSE;
  return answer(list, [&](VekPlayer& p) {
    return p.dashToPositionAlongLine(pos, line, threshold, side, angleThreshold, correction);
  });
}

foreign_t pl_move_to_position(term_t x, term_t y, term_t list) {
  Vector2D pos;
  if (!read_vector(x, y, pos, "move_to_position/3 : can" PL_ACUTE "t get vector")) return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.moveToPosition(pos); });
}

foreign_t pl_defend_goalline(term_t dist, term_t list) {
  double d = 0.0;
  if (!read_float(dist, d, "defend_goalline/2", 1)) return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.defendGoalLine(d); });
}

foreign_t pl_intercept3(term_t isGoalie, term_t distBack, term_t list) {
  static const char* const origin = "intercept/3";
  bool goalie = false;
  double back = 0.0;
  if (!read_integer_flag(isGoalie, goalie, origin, 1) || !read_float(distBack, back, origin, 2))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.intercept(goalie, back); });
}

foreign_t pl_intercept6(term_t isGoalie, term_t distBack, term_t x, term_t y, term_t t,
                        term_t list) {
  static const char* const origin = "intercept/6";
  bool goalie = false;
  double back = 0.0;
  Vector2D pos;
  double time = std::numeric_limits<double>::quiet_NaN();
  if (!read_integer_flag(isGoalie, goalie, origin, 1) || !read_float(distBack, back, origin, 2) ||
      !read_place(x, y, pos, "intercept/6 : can" PL_ACUTE "t get vector") ||
      !(PL_is_variable(t) || read_float(t, time, origin, 5)) || !client)
    return FALSE;
  const SoccerCommand command = client->intercept(goalie, back, pos, time);
  return fill_place(x, pos[0]) && fill_place(y, pos[1]) && fill_place(t, time) &&
         PL_get_sclist(command, list);
}

foreign_t pl_kick_to(term_t power, term_t angle, term_t list) {
  static const char* const origin = "kick_to/3";
  double strength = 0.0;
  AngleDeg direction(0.0);
  if (!read_float(power, strength, origin, 1) || !read_angle(angle, direction, origin, 2))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.kick_to(strength, direction); });
}

foreign_t pl_kick_at_angle(term_t mode, term_t autoCorrect, term_t angle, term_t power,
                           term_t list) {
  static const char* const origin = "kick_at_angle/5";
  int how = 0;
  bool correct = false;
  AngleDeg direction(0.0);
  double speed = 0.0;
  if (!read_integer(mode, how, origin, 1) || !read_integer_flag(autoCorrect, correct, origin, 2) ||
      !read_angle(angle, direction, origin, 3) || !read_float(power, speed, origin, 4))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.kickAtAngle(how, correct, direction, speed); });
}

foreign_t pl_kick_to_point(term_t mode, term_t autoCorrect, term_t x, term_t y, term_t power,
                           term_t list) {
  static const char* const origin = "kick_to_point/6";
  int how = 0;
  bool correct = false;
  Vector2D target;
  double speed = 0.0;
  if (!read_integer(mode, how, origin, 1) || !read_integer_flag(autoCorrect, correct, origin, 2) ||
      !read_vector(x, y, target, "kick_to_point/6 : can" PL_ACUTE "t get vector") ||
      !read_float(power, speed, origin, 5))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.kickToPoint(how, correct, target, speed); });
}

foreign_t pl_kick_precisely(term_t x, term_t y, term_t cycles, term_t list) {
  Vector2D target;
  int n = 0;
  if (!read_vector(x, y, target, "kick_precisely/4 : can" PL_ACUTE "t get vector") ||
      !read_integer(cycles, n, "kick_precisely/4", 3))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.kickPrecisely(target, n); });
}

foreign_t pl_kick_ball_close_to_body(term_t angle, term_t delayed, term_t list) {
  AngleDeg direction(0.0);
  int unused = 0;
  if (!read_angle(angle, direction, "kick_ball_close_to_body/3", 1) ||
      !read_integer(delayed, unused, "kick_ball_close_to_body/4", 2))
    return FALSE;
  return answer(list,
                [&](VekPlayer& p) { return p.kickBallCloseToBody(direction, CLOSE_TO_BODY); });
}

foreign_t pl_tackle(term_t power, term_t list) {
  double strength = 0.0;
  if (!read_float(power, strength, "pl_tackle/2", 1)) return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.tackle(strength); });
}
