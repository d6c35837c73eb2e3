#ifndef INTERFACE_SWI_QUERYPREDICATES_H
#define INTERFACE_SWI_QUERYPREDICATES_H

#include <SWI-Prolog.h>

// Questions about the ball, the agent itself, the clock, the score, shots
// at the goal, two geometric helpers and the agent's strategic position.
// Positions in metres, velocities in metres per cycle, angles in degrees
// (ball_absolute_heading/1 in radians), times in server cycles.

// The ball.
foreign_t pl_ball(term_t x, term_t y, term_t vx, term_t vy);
foreign_t pl_ball_absolute_heading(term_t a);
foreign_t pl_ball_distance(term_t d);
foreign_t pl_ball_position_valid();
foreign_t pl_ball_velocity_valid();
foreign_t pl_ball_dir_valid();
foreign_t pl_ball_kickable();
foreign_t pl_ball_catchable();
foreign_t pl_ball_tackleable();
foreign_t pl_ball_kickable_for_player(term_t side, term_t unum, term_t buffer);
foreign_t pl_will_catch_ball_safer(term_t margin);

// The agent itself.
foreign_t pl_my_number(term_t n);
foreign_t pl_my_side(term_t s);
foreign_t pl_their_side(term_t s);
foreign_t pl_my_stamina(term_t e);
foreign_t pl_my_effort(term_t e);
foreign_t pl_my_kick_rand(term_t k);
foreign_t pl_my_speed(term_t v);
foreign_t pl_my_speed_dir(term_t a);
foreign_t pl_my_neck_rel_ang(term_t a);
foreign_t pl_my_offside_line(term_t x);
foreign_t pl_cycles_since_last_catch(term_t n);
foreign_t pl_in_our_penalty_area(term_t x, term_t y);

// Score, clock and messages.
foreign_t pl_my_score(term_t g);
foreign_t pl_their_score(term_t g);
foreign_t pl_goal_diff(term_t d);
foreign_t pl_current_cycle_1(term_t t);
foreign_t pl_current_cycle_2(term_t t, term_t s);
foreign_t pl_now(term_t t);
foreign_t pl_get_receive_time(term_t t);

// Shots, geometry and formation.
foreign_t pl_goal_kick_situation(term_t x, term_t y, term_t z);
foreign_t pl_goal_kick_situation5(term_t side, term_t unum, term_t x, term_t y, term_t z);
foreign_t pl_goal_kick_success_ratio(term_t x, term_t y, term_t z, term_t ratio);
foreign_t pl_angle_to_from_body(term_t x, term_t y, term_t a);
foreign_t pl_line_line_intersection(term_t x1, term_t y1, term_t x2, term_t y2, term_t x3,
                                    term_t y3, term_t x4, term_t y4, term_t x, term_t y);
foreign_t pl_strategic_position(term_t unum, term_t x, term_t y);

#endif
