#include "interface-swi/playerpredicates.h"

#include <iostream>

#include "interface-swi/converters.h"
#include "interface-swi/predicatesupport.h"
#include "tolvane/updateablewmstate.h"
#include "tolvanespace/region.h"

// ---- One player's record ----

foreign_t pl_player(term_t side, term_t unum, term_t body, term_t bodyConf, term_t neck,
                    term_t neckConf, term_t point, term_t pointConf, term_t type, term_t tackling) {
  static const char* const origin = "player/10";
  PlayerObject p;
  if (!PL_get_player(side, unum, p)) return report("player/10 : can" PL_ACUTE "t get player");
  return unify_finite(body, double(p.getBodyAngle()), origin, 3) &&
         unify_finite(bodyConf, p.getBodyAngleConf()(), origin, 4) &&
         unify_finite(neck, double(p.getNeckAngle()), origin, 5) &&
         unify_finite(neckConf, p.getNeckAngleConf()(), origin, 6) &&
         unify_finite(point, double(p.getPointDir()), origin, 7) &&
         unify_finite(pointConf, p.getPointDirConf()(), origin, 8) &&
         PL_unify_integer(type, p.getPlayerType()) &&
         PL_unify_integer(tackling, p.isTackling() ? 1 : 0);
}

foreign_t pl_player_position(term_t side, term_t unum, term_t x, term_t y, term_t conf) {
  static const char* const origin = "player_position/5";
  PlayerObject p;
  if (!PL_get_player(side, unum, p))
    return report("player_position/5 : can" PL_ACUTE "t get player");
  const Vector2D pos = p.getAbsPos();
  if (!check_finite(pos[0], origin, 3) || !check_finite(pos[1], origin, 4)) return FALSE;
  static const char* const coordinate[2] = {"x", "y"};
  const term_t out[2] = {x, y};
  for (int i = 0; i < 2; ++i) {
    if (!PL_unify_float(out[i], pos[i])) {
      std::cerr << "player_position/5 : can" PL_ACUTE "t unify " << coordinate[i]
                << "-coordinate of player position: " << pos[i] << std::endl;
      return FALSE;
    }
  }
  return unify_finite(conf, p.getAbsPosConf()(), origin, 5);
}

foreign_t pl_player_velocity(term_t side, term_t unum, term_t vx, term_t vy, term_t conf) {
  static const char* const origin = "player_velocity/5";
  PlayerObject p;
  if (!PL_get_player(side, unum, p))
    return report("player_velocity/5 : can" PL_ACUTE "t get player");
  // A doubtful velocity is still answered; the validity test is the agent's.
  if (!p.getAbsVelConf().valid()) report("player_velocity/5 : player velocity not valid");
  return unify_vector(vx, vy, p.getAbsVel(), origin, 3) &&
         unify_finite(conf, p.getAbsVelConf()(), origin, 5);
}

foreign_t pl_player_distance_to(term_t side, term_t unum, term_t x, term_t y, term_t d) {
  PlayerObject p;
  if (!PL_get_player(side, unum, p))
    return report("player_distance_to/5 : can" PL_ACUTE "t get player");
  Vector2D to;
  if (!PL_get_vector2D(x, y, to))
    return report("player_distance_to/5 : can" PL_ACUTE "t get vector");
  return unify_finite(d, p.getAbsPos().dist(to), "player_distance_to/5", 5);
}

foreign_t pl_player_angle_from_body(term_t side, term_t unum, term_t a) {
  PlayerObject p;
  if (!PL_get_player(side, unum, p))
    return report("player_angle_from_body/3 : can" PL_ACUTE "t get player");
  if (!p.getAbsPosConf().valid()) report("player_angle_from_body/3 : player position not valid");
  return unify_finite(a, double(pl_world().angleToFromBody(p.getAbsPos())),
                      "player_angle_from_body/3", 3);
}

foreign_t pl_player_velocity_valid2(term_t side, term_t unum) {
  PlayerObject p;
  if (!PL_get_player(side, unum, p)) return report("player_velocity_valid2/2 : can't get player");
  return p.getAbsVelConf().valid();
}

foreign_t pl_player_in_offside_position(term_t side, term_t unum) {
  PlayerObject p;
  if (!PL_get_player(side, unum, p))
    return report("player_vin_offside_position2/2 : can't get player");
  return pl_world().offside(p);
}

// ---- Enumerating validity tests ----

namespace {

// What one enumeration keeps between its answers.
struct player_context {
  int n;  // the next shirt number to answer
  char s; // the side letter
};

typedef bool (*PlayerTest)(const PlayerObject&);

bool dirValid(const PlayerObject& p) { return p.getDirConf().valid(); }
bool positionValid(const PlayerObject& p) { return p.getAbsPosConf().valid(); }

// The first shirt number from `from` to 11 whose record passes the test;
// 0 when none does, -1 when a record cannot be read (reported).
int nextPassing(char side, int from, PlayerTest test, const char* origin) {
  PlayerObject p;
  for (int n = from; n <= MAX_UNUM; ++n) {
    if (!pl_world().getPlayer(side, n, p)) {
      report_no_player(origin, n);
      return -1;
    }
    if (test(p)) return n;
  }
  return 0;
}

// Gives the context's number as the answer. The number after it is looked
// up now, so that the last answer leaves no choice point behind and the
// context is released with it.
foreign_t answer(player_context* ctx, term_t unum, PlayerTest test, const char* origin) {
  if (!PL_unify_integer(unum, ctx->n)) {
    delete ctx;
    return FALSE;
  }
  const int next = nextPassing(ctx->s, ctx->n + 1, test, origin);
  if (next <= 0) {
    delete ctx;
    return TRUE;
  }
  ctx->n = next;
  PL_retry_address(ctx);
}

foreign_t enumerateValid(term_t side, term_t unum, control_t h, PlayerTest test,
                         const char* origin) {
  switch (PL_foreign_control(h)) {
  case PL_PRUNED: delete static_cast<player_context*>(PL_foreign_context_address(h)); return TRUE;
  case PL_REDO:
    return answer(static_cast<player_context*>(PL_foreign_context_address(h)), unum, test, origin);
  default: break;
  }

  char letter = ' ';
  if (!PL_is_variable(unum)) {
    // A given number is tested once, leaving no choice point.
    int number = 0;
    if (!read_unum(unum, number, origin, 2)) return FALSE;
    if (!PL_get_side(side, &letter)) return warn_side(origin, 1);
    PlayerObject p;
    if (!pl_world().getPlayer(letter, number, p)) return report_no_player(origin, number);
    return test(p);
  }
  if (!PL_get_side(side, &letter)) return warn_side(origin, 1);
  const int first = nextPassing(letter, MIN_UNUM, test, origin);
  if (first <= 0) return FALSE;
  return answer(new player_context{first, letter}, unum, test, origin);
}

} // namespace

foreign_t pl_player_dir_valid2(term_t side, term_t unum, control_t h) {
  return enumerateValid(side, unum, h, dirValid, "player_dir_valid2/2");
}

foreign_t pl_player_position_valid2(term_t side, term_t unum, control_t h) {
  return enumerateValid(side, unum, h, positionValid, "player_position_valid/2");
}

// ---- Nearest, fastest and team ----

namespace {

// The ball's position, doubtful or not, after the origin's line when it
// is doubtful.
Vector2D ballPosition(const char* doubtful) {
  const BallObject& ball = pl_world().getBall();
  if (!ball.getAbsPosConf().valid()) report(doubtful);
  return ball.getAbsPos();
}

} // namespace

foreign_t pl_closest_teammate_to(term_t x, term_t y, term_t goalie, term_t n) {
  Vector2D p;
  bool withGoalie = false;
  if (!PL_get_vector2D(x, y, p))
    return report("closest_teammate_to/4 : can" PL_ACUTE "t get vector");
  if (!read_flag(goalie, withGoalie, "closest_teammate_to/4", 3)) return FALSE;
  Value dist = 0.0;
  return PL_unify_integer(n, pl_world().getClosestTeammateTo(dist, p, true, withGoalie));
}

foreign_t pl_closest_teammate_to_ball(term_t flags, term_t n) {
  int f = 0;
  if (!PL_get_integer(flags, &f)) return warn_flag("closest_teammate_to_ball/2", 1);
  const Vector2D p = ballPosition("closest_teammate_to_ball/2 : ball position not valid");
  Value dist = 0.0;
  // Bit 0 counts the agent itself, bit 1 our known goalie.
  return PL_unify_integer(n, pl_world().getClosestTeammateTo(dist, p, (f & 1) != 0, (f & 2) != 0));
}

foreign_t pl_closest_opponent_to(term_t x, term_t y, term_t goalie, term_t n) {
  Vector2D p;
  bool withGoalie = false;
  if (!PL_get_vector2D(x, y, p))
    return report("closest_opponent_to/4 : can" PL_ACUTE "t get vector");
  if (!read_flag(goalie, withGoalie, "closest_opponent_to/4", 3)) return FALSE;
  Value dist = 0.0;
  return PL_unify_integer(n, pl_world().getClosestOpponentTo(dist, p, withGoalie));
}

foreign_t pl_closest_opponent_to_ball(term_t goalie, term_t n) {
  bool withGoalie = false;
  if (!read_flag(goalie, withGoalie, "closest_opponent_to_ball/2", 1)) return FALSE;
  const Vector2D p = ballPosition("closest_opponent_to_ball/2 : ball position not valid");
  Value dist = 0.0;
  return PL_unify_integer(n, pl_world().getClosestOpponentTo(dist, p, withGoalie));
}

foreign_t pl_closest_sb_position_to_ball(term_t goalie, term_t n) {
  bool withGoalie = false;
  if (!read_integer_flag(goalie, withGoalie, "closest_sb_position_to_ball/2", 1)) return FALSE;
  const Vector2D p =
      ballPosition("closest_sb_position_to_ball/2 : don" PL_ACUTE "t know ball position");
  Value dist = 0.0;
  return PL_unify_integer(n, pl_world().getClosestStrategicPositionTo(dist, p, true, withGoalie));
}

foreign_t pl_fastest_teammate_to_ball(term_t n) {
  Unum number = 0;
  pl_world().getFastestTeammateToBall(number);
  return PL_unify_integer(n, number);
}

foreign_t pl_fastest_player_to_ball(term_t n, term_t side) {
  // With nobody able to reach the ball the opponents' side answers, with
  // the number 0 the world model gives for a missing opponent.
  Unum number = 0;
  bool ours = false;
  pl_world().getFastestPlayerToBall(number, ours);
  const Side mine = pl_world().getMySide();
  return PL_unify_integer(n, number) && unify_side(side, ours ? mine : otherSide(mine));
}

foreign_t pl_team_with_ball(term_t side) { return unify_side(side, pl_world().teamWithBall()); }

foreign_t pl_goalie_number(term_t side, term_t n) {
  char letter = ' ';
  if (!PL_get_side(side, &letter)) return warn_side("goalie_number/2", 1);
  const WMState& wm = pl_world();
  const bool ours =
      (letter == 'l' && wm.getMySide() == l) || (letter == 'r' && wm.getMySide() == r);
  // Number 1 stands for a goalie not seen yet.
  Unum number = 1;
  if (ours && wm.ourGoalieKnown()) number = wm.ourGoalieNum();
  if (!ours && wm.oppGoalieKnown()) number = wm.oppGoalieNum();
  return PL_unify_integer(n, number);
}

foreign_t pl_congestion_at_point(term_t x, term_t y, term_t congestion) {
  Vector2D p;
  if (!PL_get_vector2D(x, y, p))
    return report("congestion_at_point/2 : can" PL_ACUTE "t get vector");
  // A player at the point itself counts as one very close by: the world
  // model's sum bounds the squared distance from below.
  return unify_finite(congestion, pl_world().congestionAtPos(p), "congestion_at_point/3", 3);
}

// ---- Regions, marking and markers ----

namespace {

foreign_t countInCircle(double radius, const Vector2D& centre, term_t n) {
  return PL_unify_integer(n,
                          pl_world().getOpponentsInRegion(vekspace::CircleRegion(centre, radius)));
}

} // namespace

foreign_t pl_num_opponents_within2(term_t radius, term_t n) {
  double r = 0.0;
  if (!PL_get_float(radius, &r)) return warn_float("num_opponents_within2/2", 1);
  return countInCircle(r, pl_world().myPosition(), n);
}

foreign_t pl_num_opponents_within4(term_t radius, term_t x, term_t y, term_t n) {
  double r = 0.0;
  if (!PL_get_float(radius, &r)) return warn_float("num_opponents_within4/4", 1);
  Vector2D centre;
  if (!PL_get_vector2D(x, y, centre)) return report("num_opponents_within4/4 : can't get vector");
  return countInCircle(r, centre, n);
}

foreign_t pl_num_opponents_in_cone(term_t ratio, term_t x2, term_t y2, term_t x1, term_t y1,
                                   term_t n) {
  double wdr = 0.0;
  if (!PL_get_float(ratio, &wdr)) return warn_float("num_oppthonents_in_cone/6", 1);
  Vector2D end, apex;
  if (!PL_get_vector2D(x2, y2, end))
    return report("num_opponents_in_cone/6 : can't get vector for p2");
  if (!PL_get_vector2D(x1, y1, apex))
    return report("num_opponents_in_cone/6 : can't get vector for p1");
  return PL_unify_integer(n, pl_world().getOpponentsInRegion(vekspace::ConeRegion(apex, end, wdr)));
}

foreign_t pl_num_opponents_in_our_penalty_area(term_t n) {
  return PL_unify_integer(n, pl_world().getOpponentsInOurPenaltyArea());
}

foreign_t pl_opponent_path_line_marking_position(term_t x1, term_t y1, term_t radius, term_t x0,
                                                 term_t y0) {
  static const char* const origin = "opponent_path_line_marking_position/5";
  Vector2D p1;
  if (!PL_get_vector2D(x1, y1, p1))
    return report("opponent_path_line_marking_position/5 : can't get vector vec1");
  double r = 0.0;
  if (!PL_get_float(radius, &r)) return warn_float(origin, 3);
  Vector2D p0;
  if (!pl_world().opponentPathLineMarkingPosition(p0, p1, r)) return FALSE;
  return unify_vector(x0, y0, p0, origin, 4);
}

foreign_t pl_marker_distance(term_t marker, term_t d) {
  FlagObject::FlagId id = FlagObject::No_Flag;
  if (!PL_get_marker(marker, &id)) return PL_warning("%s\n", "invalid marker");
  const WMState& wm = pl_world();
  return unify_finite(d, wm.myPosition().dist(wm.getFlag(id).getAbsPos()), "marker_distance/2", 2);
}
