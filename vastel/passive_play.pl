% Play without the ball: go for it when it is the agent's to go for, run
% to a pass a team-mate announced for the agent, mark an opponent near our
% goal (defenders, numbers below 6), or return to the strategic position.

% The first of these that gets through acts; when none does, the cycle
% ends with the say command queued before.
do_passive_play :-
    \+ is_dead_ball_them,
    \+ is_goal_kick_them,
    my_number(Me),
    goes_for_ball(Me),
    intercept(0, 0, Body),
    queue_with_neck_to_ball(Body).
do_passive_play :-
    my_number(Me),
    hear_pass(Me, X, Y),
    heard_within(6),
    dash_to_position(X, Y, 1, 100, Body),
    queue_with_neck_to_ball(Body).
do_passive_play :-
    my_number(Me), Me < 6,
    opponent_to_mark(O),
    their_side(S),
    mark(S, O).
do_passive_play :-
    strategic_position(0, SX, SY),
    my_position(X, Y),
    distance_to(SX, SY, X, Y, D),
    D > 1.5,
    dash_or_watch_ball(SX, SY).

% Who goes for the ball: while the taker of our restart waits, the
% team-mate nearest to the ball with the taker left out, so that players
% who judge the race differently still agree; otherwise the team's fastest
% to the ball.
goes_for_ball(Me) :-
    taker_waits(T), !,
    nearest_to_ball_but(T, Me).
goes_for_ball(Me) :-
    fastest_teammate_to_ball(Me).

% Mark opponent O of side S: goal-side at 4 when it is the opponent
% nearest to the ball, else, and also when that marking cannot be made,
% ball-side at 2.
mark(S, O) :-
    closest_opponent_to_ball(1, O),
    mark_opponent(S, O, 4, goal, Body),
    queue_with_neck_to_ball(Body).
mark(S, O) :-
    mark_opponent(S, O, 2, ball, Body),
    queue_with_neck_to_ball(Body).

% The opponent the agent marks: of the opponents near our goal, in order
% of danger, the first the agent is the nearest team-mate to.
opponent_to_mark(O) :-
    findall(U, markable_player(U), Candidates),
    marking_preference(Candidates, Pairs),
    keysort(Pairs, Sorted),
    search_player_to_mark(Sorted, O).

% An opponent placed within 35 m of our goal.
markable_player(O) :-
    their_side(S),
    player_position_valid(S, O),
    player_distance_to(S, O, -50.0, 0.0, D),
    D < 35.

% The candidates as pairs Key-O, the key lower for the more dangerous: the
% nearer our goal, the more so on the side of the field the ball is on.
marking_preference([], []).
marking_preference([O | Os], Pairs) :-
    their_side(S),
    ball(_, BY, _, _),
    marking_keys([O | Os], S, BY, Pairs).

% The same for opponents of side S with the ball at y = BY.
marking_keys([], _, _, []).
marking_keys([O | Os], S, BY, [Key-O | Pairs]) :-
    player_position(S, O, _, OY, _),
    player_distance_to(S, O, -50.0, 0.0, D),
    (   sign(OY) =:= sign(BY)
    ->  Weight = 3
    ;   Weight = 1
    ),
    % An opponent standing on the point itself is the most dangerous.
    Key is 10 - Weight / max(D, 0.001),
    marking_keys(Os, S, BY, Pairs).

% The first opponent of the sorted pairs whose nearest team-mate (our
% goalkeeper included) is the agent; a candidate no longer placed ends the
% search without one.
search_player_to_mark([_-O | Pairs], Mark) :-
    their_side(S),
    player_position_valid(S, O),
    player_position(S, O, OX, OY, _),
    closest_teammate_to(OX, OY, 1, Mate),
    (   my_number(Mate)
    ->  Mark = O
    ;   search_player_to_mark(Pairs, Mark)
    ).

% Go to (X, Y) as stamina allows: never beyond 3 m short of the offside
% line, only turning to the ball when tired, otherwise at a power that
% follows the stamina.
dash_or_watch_ball(X, Y) :-
    my_offside_line(L),
    X > L - 3.0, !,
    X2 is L - 3.0,
    dash_to_position(X2, Y, 1, 100, Body),
    queue_with_neck_to_ball(Body).
dash_or_watch_ball(_, _) :-
    my_stamina(S),
    S < 1500, !,
    turn_body_to_ball(0, Body),
    queue_with_neck_to_ball(Body).
dash_or_watch_ball(X, Y) :-
    my_stamina(S),
    Power is S / 80,
    dash_to_position(X, Y, 2, Power, Dash),
    adjust_dash_power(Dash, Body),
    queue_with_neck_to_ball(Body).
dash_or_watch_ball(_, _) :-
    turn_body_to_ball(0, Body),
    queue_with_neck_along_body(Body).

% Move to (PX, PY) when at least Threshold away from it, else turn the body
% to (TX, TY) with the neck along the body.
move_or_turn(D, Threshold, _, _, TX, TY) :-
    D < Threshold, !,
    turn_body_to_point(TX, TY, 1, Body),
    queue_with_neck_along_body(Body).
move_or_turn(_, _, PX, PY, _, _) :-
    move_to_position(PX, PY, Move),
    queue_up(Move).

% A dash held to power 30 when stamina is low; any other command as it is.
adjust_dash_power([dash, P], [dash, Limited]) :-
    my_stamina(S),
    S < 1500, !,
    Limited is min(P, 30).
adjust_dash_power(Command, Command).
