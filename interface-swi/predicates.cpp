#include "interface-swi/predicates.h"

#include "interface-swi/commandlist.h"
#include "interface-swi/playerpredicates.h"
#include "interface-swi/playmodepredicates.h"
#include "interface-swi/querypredicates.h"
#include "interface-swi/skillpredicates.h"
#include "interface-swi/teamcodec.h"

namespace {

// The engine takes every implementation as an untyped pointer; the row's
// arity says how it is called.
template <typename F>
pl_function_t fn(F* f) {
  return reinterpret_cast<pl_function_t>(f);
}

// A nondeterministic implementation takes the engine's control handle after
// its arguments.
const int NONDET = PL_FA_NONDETERMINISTIC;

} // namespace

// One row per predicate: name, arity, implementation, flags (0, or
// NONDET for a predicate that enumerates on backtracking). A new family
// declares its implementations in its own header and adds its block here.
PL_extension predicates[] = {
    // Command queue.
    {"queue_up", 1, fn(pl_queue_up), 0},

    // Play-mode tests.
    {"is_free_kick_us", 0, fn(pl_is_free_kick_us), 0},
    {"is_free_kick_them", 0, fn(pl_is_free_kick_them), 0},
    {"is_corner_kick_us", 0, fn(pl_is_corner_kick_us), 0},
    {"is_corner_kick_them", 0, fn(pl_is_corner_kick_them), 0},
    {"is_offside_us", 0, fn(pl_is_offside_us), 0},
    {"is_offside_them", 0, fn(pl_is_offside_them), 0},
    {"is_kick_in_us", 0, fn(pl_is_kick_in_us), 0},
    {"is_kick_in_them", 0, fn(pl_is_kick_in_them), 0},
    {"is_free_kick_fault_us", 0, fn(pl_is_free_kick_fault_us), 0},
    {"is_free_kick_fault_them", 0, fn(pl_is_free_kick_fault_them), 0},
    {"is_kick_off_us", 0, fn(pl_is_kick_off_us), 0},
    {"is_kick_off_them", 0, fn(pl_is_kick_off_them), 0},
    {"is_back_pass_us", 0, fn(pl_is_back_pass_us), 0},
    {"is_back_pass_them", 0, fn(pl_is_back_pass_them), 0},
    {"is_goal_kick_us", 0, fn(pl_is_goal_kick_us), 0},
    {"is_goal_kick_them", 0, fn(pl_is_goal_kick_them), 0},
    {"is_before_kick_off", 0, fn(pl_is_before_kick_off), 0},
    {"is_dead_ball_us", 0, fn(pl_is_dead_ball_us), 0},
    {"is_dead_ball_them", 0, fn(pl_is_dead_ball_them), 0},
    {"their_dead_ball", 0, fn(pl_their_dead_ball), 0},
    {"play_mode", 1, fn(pl_play_mode), 0},

    // Control.
    {"lock_kick", 0, fn(pl_lock_kick), 0},
    {"log_action", 2, fn(pl_log_action), 0},
    {"set_formation_type", 1, fn(pl_set_formation_type), 0},
    {"formation_type", 1, fn(pl_formation_type), 0},
    {"interface", 1, fn(pl_interface), 0},

    // The ball.
    {"ball", 4, fn(pl_ball), 0},
    {"ball_absolute_heading", 1, fn(pl_ball_absolute_heading), 0},
    {"ball_distance", 1, fn(pl_ball_distance), 0},
    {"ball_position_valid", 0, fn(pl_ball_position_valid), 0},
    {"ball_velocity_valid", 0, fn(pl_ball_velocity_valid), 0},
    {"ball_dir_valid", 0, fn(pl_ball_dir_valid), 0},
    {"ball_kickable", 0, fn(pl_ball_kickable), 0},
    {"ball_catchable", 0, fn(pl_ball_catchable), 0},
    {"ball_tackleable", 0, fn(pl_ball_tackleable), 0},
    {"ball_kickable_for_player", 3, fn(pl_ball_kickable_for_player), 0},
    {"will_catch_ball_safer", 1, fn(pl_will_catch_ball_safer), 0},

    // The agent itself.
    {"my_number", 1, fn(pl_my_number), 0},
    {"my_side", 1, fn(pl_my_side), 0},
    {"their_side", 1, fn(pl_their_side), 0},
    {"my_stamina", 1, fn(pl_my_stamina), 0},
    {"my_effort", 1, fn(pl_my_effort), 0},
    {"my_kick_rand", 1, fn(pl_my_kick_rand), 0},
    {"my_speed", 1, fn(pl_my_speed), 0},
    {"my_speed_dir", 1, fn(pl_my_speed_dir), 0},
    {"my_neck_rel_ang", 1, fn(pl_my_neck_rel_ang), 0},
    {"my_offside_line", 1, fn(pl_my_offside_line), 0},
    {"cycles_since_last_catch", 1, fn(pl_cycles_since_last_catch), 0},
    {"in_our_penalty_area", 2, fn(pl_in_our_penalty_area), 0},

    // Score, clock and messages.
    {"my_score", 1, fn(pl_my_score), 0},
    {"their_score", 1, fn(pl_their_score), 0},
    {"goal_diff", 1, fn(pl_goal_diff), 0},
    {"current_cycle", 1, fn(pl_current_cycle_1), 0},
    {"current_cycle", 2, fn(pl_current_cycle_2), 0},
    {"now", 1, fn(pl_now), 0},
    {"get_receive_time", 1, fn(pl_get_receive_time), 0},

    // Shots, geometry and formation.
    {"goal_kick_situation", 3, fn(pl_goal_kick_situation), 0},
    {"goal_kick_situation", 5, fn(pl_goal_kick_situation5), 0},
    {"goal_kick_success_ratio", 4, fn(pl_goal_kick_success_ratio), 0},
    {"angle_to_from_body", 3, fn(pl_angle_to_from_body), 0},
    {"line_line_intersection", 10, fn(pl_line_line_intersection), 0},
    {"strategic_position", 3, fn(pl_strategic_position), 0},

    // One player's record.
    {"player", 10, fn(pl_player), 0},
    {"player_position", 5, fn(pl_player_position), 0},
    {"player_velocity", 5, fn(pl_player_velocity), 0},
    {"player_distance_to", 5, fn(pl_player_distance_to), 0},
    {"player_angle_from_body", 3, fn(pl_player_angle_from_body), 0},
    {"player_velocity_valid", 2, fn(pl_player_velocity_valid2), 0},
    {"player_in_offside_position", 2, fn(pl_player_in_offside_position), 0},
    {"player_dir_valid", 2, fn(pl_player_dir_valid2), NONDET},
    {"player_position_valid", 2, fn(pl_player_position_valid2), NONDET},

    // Nearest, fastest and team.
    {"closest_teammate_to", 4, fn(pl_closest_teammate_to), 0},
    {"closest_teammate_to_ball", 2, fn(pl_closest_teammate_to_ball), 0},
    {"closest_opponent_to", 4, fn(pl_closest_opponent_to), 0},
    {"closest_opponent_to_ball", 2, fn(pl_closest_opponent_to_ball), 0},
    {"closest_sb_position_to_ball", 2, fn(pl_closest_sb_position_to_ball), 0},
    {"fastest_teammate_to_ball", 1, fn(pl_fastest_teammate_to_ball), 0},
    {"fastest_player_to_ball", 2, fn(pl_fastest_player_to_ball), 0},
    {"team_with_ball", 1, fn(pl_team_with_ball), 0},
    {"goalie_number", 2, fn(pl_goalie_number), 0},
    {"congestion_at_point", 3, fn(pl_congestion_at_point), 0},

    // Regions, marking and markers.
    {"num_opponents_within", 2, fn(pl_num_opponents_within2), 0},
    {"num_opponents_within", 4, fn(pl_num_opponents_within4), 0},
    {"num_opponents_in_cone", 6, fn(pl_num_opponents_in_cone), 0},
    {"num_opponents_in_our_penalty_area", 1, fn(pl_num_opponents_in_our_penalty_area), 0},
    {"opponent_path_line_marking_position", 5, fn(pl_opponent_path_line_marking_position), 0},
    {"marker_distance", 2, fn(pl_marker_distance), 0},

    // Skills.
    {"align_neck_with_body", 1, fn(pl_align_neck_with_body), 0},
    {"block_path", 1, fn(pl_block_path), 0},
    {"catch_ball", 1, fn(pl_catch_ball), 0},
    {"freeze_ball", 1, fn(pl_freeze_ball), 0},
    {"kick_to_tangential_point", 1, fn(pl_kick_to_tangential_point), 0},
    {"search_ball", 1, fn(pl_search_ball), 0},
    {"change_view", 3, fn(pl_change_view), 0},
    {"look_around", 3, fn(pl_look_around), 0},
    {"turn_body_to_ball", 2, fn(pl_turn_body_to_ball), 0},
    {"turn_body_to_point", 4, fn(pl_turn_body_to_point), 0},
    {"turn_neck_to_ball", 2, fn(pl_turn_neck_to_ball), 0},
    {"turn_neck_to_player", 4, fn(pl_turn_neck_to_player), 0},
    {"dash_towards_point", 4, fn(pl_dash_towards_point), 0},
    {"dash_to_position", 5, fn(pl_dash_to_position5), 0},
    {"dash_to_position", 6, fn(pl_dash_to_position), 0},
    {"dash_to_position_along_line", 8, fn(pl_dash_to_position_along_line), 0},
    {"move_to_position", 3, fn(pl_move_to_position), 0},
    {"defend_goalline", 2, fn(pl_defend_goalline), 0},
    {"intercept", 3, fn(pl_intercept3), 0},
    {"intercept", 6, fn(pl_intercept6), 0},
    {"kick_to", 3, fn(pl_kick_to), 0},
    {"kick_at_angle", 5, fn(pl_kick_at_angle), 0},
    {"kick_to_point", 6, fn(pl_kick_to_point), 0},
    {"kick_precisely", 4, fn(pl_kick_precisely), 0},
    {"kick_ball_close_to_body", 3, fn(pl_kick_ball_close_to_body), 0},
    {"tackle", 2, fn(pl_tackle), 0},
    {"clear_ball", 1, fn(pl_clear_ball), 0},
    {"hold_ball", 1, fn(pl_hold_ball), 0},
    {"turn_with_ball_to", 2, fn(pl_turn_with_ball_to), 0},
    {"direct_pass", 4, fn(pl_direct_pass), 0},
    {"leading_pass", 4, fn(pl_leading_pass), 0},
    {"through_pass", 8, fn(pl_through_pass), 0},
    {"outplay_opponent", 7, fn(pl_outplay_opponent), 0},
    {"dribble_to_position", 6, fn(pl_dribble_to_position), 0},
    {"mark_nearest", 2, fn(pl_mark_nearest), 0},
    {"mark_opponent", 5, fn(pl_mark_opponent), 0},

    // Team message codec.
    {"say_ball_pos", 1, fn(pl_say_ball_pos), 0},
    {"say_pass", 4, fn(pl_say_pass), 0},
    {"hear_ball_pos", 2, fn(pl_hear_ball_pos), 0},
    {"hear_pass", 3, fn(pl_hear_pass), 0},

    {nullptr, 0, nullptr, 0}};
