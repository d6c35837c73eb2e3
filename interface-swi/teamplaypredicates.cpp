#include "interface-swi/skillpredicates.h"

#include <iostream>

#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"
#include "interface-swi/skillarguments.h"

// The skills of play among team-mates and opponents: passing, clearing,
// holding, dribbling, turning with the ball, outplaying and marking.

using namespace skillargs;

foreign_t pl_clear_ball(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.clearBall(); });
}

foreign_t pl_hold_ball(term_t list) {
  return answer(list, [](VekPlayer& p) { return p.holdBall(); });
}

foreign_t pl_turn_with_ball_to(term_t angle, term_t list) {
  vekbase::AngleDeg direction(0.0);
  if (!read_angle(angle, direction, "turn_with_ball_to/2 : can't get angle", 1)) return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.turnWithBallTo(direction); });
}

foreign_t pl_direct_pass(term_t side, term_t unum, term_t fast, term_t list) {
  PlayerObject receiver;
  bool quick = false;
  if (!read_player(side, unum, receiver, "direct_pass/4 : can" PL_ACUTE "t get player") ||
      !read_integer_flag(fast, quick, "direct_pass/4", 3))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.directPass(receiver, quick); });
}

foreign_t pl_leading_pass(term_t side, term_t unum, term_t dist, term_t list) {
  PlayerObject receiver;
  double ahead = 0.0;
  if (!read_player(side, unum, receiver, "leading_pass/4 : can" PL_ACUTE "t get player") ||
      !read_float(dist, ahead, "leading_pass/4", 3))
    return FALSE;
  return answer(list, [&](VekPlayer& p) { return p.leadingPass(receiver, ahead); });
}

foreign_t pl_through_pass(term_t side, term_t unum, term_t x, term_t y, term_t posX, term_t posY,
                          term_t com, term_t list) {
  int kick = 0;
  PlayerObject receiver;
  Vector2D runEnd;
  if (!PL_get_integer(com, &kick) || !PL_get_player(side, unum, receiver))
    return report("through_pass/8 : can" PL_ACUTE "t get player");
  if (!read_vector(x, y, runEnd, "through_pass/8 : can" PL_ACUTE "t get vector")) return FALSE;
  std::cout << "through pass reached" << std::endl;
  Vector2D target;
  const SoccerCommand command = client->throughPass(receiver, runEnd, target, kick != 0);
  return unify_finite(posX, target[0], "through_pass/8", 5) &&
         unify_finite(posY, target[1], "through_pass/8", 6) && PL_get_sclist(command, list);
}

foreign_t pl_outplay_opponent(term_t side, term_t unum, term_t posX, term_t posY, term_t posToX,
                              term_t posToY, term_t list) {
  PlayerObject opponent;
  Vector2D towards;
  if (!read_player(side, unum, opponent, "outplay_opponent/7 : can't get player") ||
      !read_vector(posX, posY, towards, "outplay_opponent/7 : can't get vector pos"))
    return FALSE;
  Vector2D target;
  const SoccerCommand command = client->outplayOpponent(opponent, towards, target);
  return command.command() != SoccerCommand::CMD_NONE &&
         fill_place(posToX, target[0]) && fill_place(posToY, target[1]) &&
         PL_get_sclist(command, list);
}

foreign_t pl_dribble_to_position(term_t mode, term_t x, term_t y, term_t dashPower,
                                 term_t avoidEnemy, term_t list) {
  int how = 0;
  Vector2D end;
  int power = 0;
  int avoid = 0;
  if (!PL_get_integer(mode, &how)) return report("dribble_to_position/6 : can't get integer");
  if (!read_vector(x, y, end, "dribble_to_position/6 : can" PL_ACUTE "t get vector")) return FALSE;
  if (!PL_get_integer(dashPower, &power))
    return report("dribble_to_position/6 : can" PL_ACUTE "t get integer");
  if (!PL_get_integer(avoidEnemy, &avoid))
    return report("dribble_to_position/6 : can" PL_ACUTE "t get integer/boolean");
  return answer(list,
                [&](VekPlayer& p) { return p.dribbleToPosition(how, end, power, avoid != 0); });
}

foreign_t pl_mark_nearest(term_t dist, term_t list) {
  double d = 0.0;
  if (!read_float(dist, d, "mark_nearest/2", 1)) return FALSE;
  return answer(list, [&](VekPlayer& p) {
    return p.markOpponent(p.selectOpponent(d), d, VekActions::MARK_GOAL);
  });
}

foreign_t pl_mark_opponent(term_t side, term_t unum, term_t dist, term_t type, term_t list) {
  PlayerObject opponent;
  double d = 0.0;
  char* text = nullptr;
  // The record of a player never seen carries no number yet; the number
  // asked for is the one to mark.
  int number = 0;
  if (!read_player(side, unum, opponent, "mark_opponent/5 : can" PL_ACUTE "t get player") ||
      !PL_get_integer(unum, &number) || !read_float(dist, d, "mark_opponent/5", 3))
    return FALSE;
  if (!PL_get_atom_chars(type, &text))
    return report("mark_opponent/5 : can" PL_ACUTE "t get marking type");
  // Goal, ball, bisector: the second letter decides.
  VekActions::MarkT mark = VekActions::MARK_GOAL;
  switch (text[0] != '\0' ? text[1] : '\0') {
  case 'o': mark = VekActions::MARK_GOAL; break;
  case 'a': mark = VekActions::MARK_BALL; break;
  case 'i': mark = VekActions::MARK_BISECTOR; break;
  default:
    return report("mark_opponent/5 : got an illegal type for marking\n"
                  "please use one of (goal | ball | bisector)");
  }
  return answer(list, [&](VekPlayer& p) { return p.markOpponent(Unum(number), d, mark); });
}
