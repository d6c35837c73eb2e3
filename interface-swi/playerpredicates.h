#ifndef INTERFACE_SWI_PLAYERPREDICATES_H
#define INTERFACE_SWI_PLAYERPREDICATES_H

#include <SWI-Prolog.h>

// Questions about other players and both teams. A player is a side atom
// and a shirt number; the letter of the agent's side names a team-mate.

// One player's record.
foreign_t pl_player(term_t side, term_t unum, term_t body, term_t bodyConf, term_t neck,
                    term_t neckConf, term_t point, term_t pointConf, term_t type, term_t tackling);
foreign_t pl_player_position(term_t side, term_t unum, term_t x, term_t y, term_t conf);
foreign_t pl_player_velocity(term_t side, term_t unum, term_t vx, term_t vy, term_t conf);
foreign_t pl_player_distance_to(term_t side, term_t unum, term_t x, term_t y, term_t d);
foreign_t pl_player_angle_from_body(term_t side, term_t unum, term_t a);
foreign_t pl_player_velocity_valid2(term_t side, term_t unum);
foreign_t pl_player_in_offside_position(term_t side, term_t unum);

// Nondeterministic: with an unbound shirt number they enumerate, in
// ascending order, the numbers of the side whose estimate is valid.
foreign_t pl_player_dir_valid2(term_t side, term_t unum, control_t h);
foreign_t pl_player_position_valid2(term_t side, term_t unum, control_t h);

// Nearest, fastest and team.
foreign_t pl_closest_teammate_to(term_t x, term_t y, term_t goalie, term_t n);
foreign_t pl_closest_teammate_to_ball(term_t flags, term_t n);
foreign_t pl_closest_opponent_to(term_t x, term_t y, term_t goalie, term_t n);
foreign_t pl_closest_opponent_to_ball(term_t goalie, term_t n);
foreign_t pl_closest_sb_position_to_ball(term_t goalie, term_t n);
foreign_t pl_fastest_teammate_to_ball(term_t n);
foreign_t pl_fastest_player_to_ball(term_t n, term_t side);
foreign_t pl_team_with_ball(term_t side);
foreign_t pl_goalie_number(term_t side, term_t n);
foreign_t pl_congestion_at_point(term_t x, term_t y, term_t congestion);

// Regions, marking and markers.
foreign_t pl_num_opponents_within2(term_t radius, term_t n);
foreign_t pl_num_opponents_within4(term_t radius, term_t x, term_t y, term_t n);
foreign_t pl_num_opponents_in_cone(term_t ratio, term_t x2, term_t y2, term_t x1, term_t y1,
                                   term_t n);
foreign_t pl_num_opponents_in_our_penalty_area(term_t n);
foreign_t pl_opponent_path_line_marking_position(term_t x1, term_t y1, term_t radius, term_t x0,
                                                 term_t y0);
foreign_t pl_marker_distance(term_t marker, term_t d);

#endif
