% The kick at the opponents' goal: aimed 6.5 m beside its centre, on the
% side away from their goalkeeper.

% Shoot: a fast kick at the chosen point of the goal line.
do_goal_kick :-
    ball_kickable,
    goal_kick_y(Y),
    kick_to_point(3, 1, 52.5, Y, 2.7, Body),
    note_kick(Body),
    queue_with_neck_to_ball(Body).

% The y to aim at on the goal line: beside their goalkeeper when the agent
% and the goalkeeper are placed, else the centre.
goal_kick_y(Y) :-
    goal_kick_info(MySide, Me, TheirSide, G), !,
    goal_kick_y(MySide, Me, TheirSide, G, Y).
goal_kick_y(0).

% The agent's side and number and their goalkeeper's number, when both
% players' positions are valid.
goal_kick_info(MySide, Me, TheirSide, G) :-
    my_side(MySide), MySide \== u,
    my_number(Me), Me > 0,
    player_position_valid(MySide, Me),
    their_side(TheirSide),
    goalie_number(TheirSide, G),
    integer(G),
    player_position_valid(TheirSide, G).

% Aim at the side the goalkeeper leaves open: the angles at the agent
% between each of the rays to the two goal-line points (-52.5, -8.5) and
% (-52.5, 8.5) and the ray to the goalkeeper tell on which side of the
% field's long axis the goalkeeper stands as the agent sees it.
goal_kick_y(MySide, Me, TheirSide, G, Y) :-
    player_position(MySide, Me, PX, PY, _),
    player_position(TheirSide, G, QX, QY, _),
    angle_from_three_points(PX, PY, -52.5, -8.5, QX, QY, A1),
    angle_from_three_points(PX, PY, -52.5, 8.5, QX, QY, A2),
    A1 < A2, !,
    Y = 6.5.
goal_kick_y(_, _, _, _, -6.5).
