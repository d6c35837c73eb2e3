% Play with the ball at the agent's feet. The agent shoots, turns with the
% ball, pulls it around its body, dribbles, passes, clears or kicks it
% away, whichever comes first in this order and can be done. When it takes
% our restart it plays the ball with one touch: it shoots, passes, clears
% or kicks it away, never keeps it at its feet.

% 1. Shoot when the situation promises success more often than not.
do_active_play :-
    goal_kick_situation(G1, G2, G3),
    goal_kick_success_ratio(G1, G2, G3, Ratio),
    Ratio > 60.0,
    do_goal_kick.
% Rules 2 to 9 need the ball at the agent's feet; when it takes our
% restart, only those of one touch.
do_active_play :-
    ball_kickable,
    play_at_feet.

play_at_feet :-
    takes_restart, !,
    play_with_one_touch.
play_at_feet :-
    play_with_ball.

% The first of a pass, a clearance and a kick away that gets the ball
% going and keeps it in the field. The kick layer may first stop the ball
% where it lies, which for a ball at rest is a kick of no power: the
% referee would count it as the restart taken, with the ball left where it
% lies. Its first kicks may also move the ball round in front of the body,
% which on a line of the field can put it out of play.
play_with_one_touch :-
    one_touch_kick(Body),
    \+ kick_without_power(Body),
    \+ kick_out_of_field(Body), !,
    note_kick(Body),
    queue_with_neck_to_ball(Body).

one_touch_kick(Body) :- pass_kick(Body).
one_touch_kick(Body) :- clear_kick(Body).
one_touch_kick(Body) :- any_kick_away_kick(Body).

% At our restart, a pass whose point lies within 1.3 m of the taker (the
% longest reach, a little more) goes to nobody: its kicks only move the
% ball round the taker's feet, each cycle towards the point found afresh
% from where the ball has got to, back and forth, never out of its reach.
% A through pass aims where the shot's line crosses the receiver's run,
% which passes at the taker's feet when the receiver starts behind the ball.
pass_to_own_feet(PX, PY) :-
    takes_restart,
    my_position(X, Y),
    distance_to(X, Y, PX, PY, D),
    D < 1.3.

% A kick of less than 1 power moves the ball by less than 3 cm a cycle.
kick_without_power([kick, Power, _]) :-
    Power < 1.0.

% A kick after which the ball, left to itself, may cross a line of the
% field, out of play or beside their goal, before it stops or passes a
% team-mate who can take it. The kick accelerates the ball by its power
% times 0.027 m a cycle, at most 2.7, less by a quarter at most for the
% ball's direction from the body and a quarter at most for its distance
% from the body's edge within the kicking margin (0.385 m from the centre
% to the edges of player and ball, 0.7 m margin: the default player type).
% The ball then rolls straight on, slowing down by 6 % a cycle: in all it
% covers its first cycle's way 1 / 0.06 times. The server adds to the
% acceleration a noise in any direction, of up to the agent's kick_rand
% times the power's share of 100, times 1, more by half at most for the
% ball's direction and distance as above, and more by half at most for the
% ball's speed (in full at 2.82 m a cycle, the top speed of 3 after a
% cycle's decay). Rolled on like the kick, the noise moves the way's end by
% up to 1 / 0.06 times that, and each point of the way by its share of
% that. The field being convex, the ball stays in it when the field holds
% every end so moved: a soft kick that leaves the ball still near a line,
% out of the taker's reach, is judged like a long one. At our goal kick the
% end also keeps clear of the lines by the stray of the ball's own noise.
kick_out_of_field([kick, Power, Dir]) :-
    my_body_direction(Body),
    my_position(X, Y),
    ball(BX, BY, VX, VY),
    angle_to_from_body(BX, BY, BallDir),
    distance_to(X, Y, BX, BY, Dist),
    Off is abs(BallDir) / 180 + max(0.0, Dist - 0.385) / 0.7,
    Acc is max(-2.7, min(Power * 0.027 * (1 - 0.25 * Off), 2.7)),
    A is (Body + Dir) / 57.296,
    WX is (VX + Acc * cos(A)) / 0.06,
    WY is (VY + Acc * sin(A)) / 0.06,
    my_kick_rand(KickRand),
    distance_to(0.0, 0.0, VX, VY, Speed),
    Noise is KickRand * abs(Power) / 100 * (1 + 0.25 * Off + 0.5 * Speed / 2.82) / 0.06,
    distance_to(0.0, 0.0, WX, WY, L),
    ball_noise_stray(L, Stray),
    \+ in_field(BX + WX, BY + WY, Noise + Stray),
    \+ into_their_goal(BX, BY, WX, WY, L, Noise),
    \+ way_received(BX, BY, WX, WY, L, Noise), !.

% Our goal kick is taken in front of our goal, where a ball lost over a line
% costs most: there the kick keeps the ball in the field wherever the ball's
% own noise takes it but for a rare roll. Each cycle the server adds to the
% ball's velocity a random vector of up to 5 % of its speed (its default
% ball_rand; the agent is not told it): the first cycle's alone moves the
% way's end by up to 0.05 times the way's length L, and all cycles', drawn
% afresh, move it towards a given line by more than 4 times that in about
% one roll of 2000. Elsewhere no stray is allowed for.
ball_noise_stray(L, Stray) :-
    is_goal_kick_us, !,
    Stray is 4 * 0.05 * L.
ball_noise_stray(_, 0.0).

% (X, Y) lies in the field by Margin: the ball there has not wholly crossed
% a line, nor would it Margin further on.
in_field(X, Y, Margin) :-
    abs(X) =< 52.585 - Margin,
    abs(Y) =< 34.085 - Margin.

% The ball's way from (BX, BY) along (WX, WY), of length L, its end moved
% by up to Noise, ends beyond their goal line having crossed it between the
% posts (7.01 m from the middle) with the ball's width to spare. Turned by the
% noise, the way crosses the goal line up to the noise's share at the
% crossing away, lengthened by the way's slant to the line (L / WX).
into_their_goal(BX, BY, WX, WY, L, Noise) :-
    WX > 0.0,
    BX + WX > 52.5 + Noise,
    T is (52.5 - BX) / WX,
    Y is BY + T * WY,
    abs(Y) < 6.9 - T * Noise * L / WX.

% A team-mate other than the agent stands within 1 m of the ball's way from
% (BX, BY) along (WX, WY), of length L, at a point of it at least 1 m ahead
% of the ball, and the point lies in the field, both by the share there of
% the noise that moves the way's end by up to Noise: it can take the ball
% there (the reach of a kick is 1.085 m for the default player type). One
% beside the ball or behind it is left behind by the ball, not reached. At
% our goal kick none is counted on: the ball's own noise can take it past.
way_received(BX, BY, WX, WY, L, Noise) :-
    \+ is_goal_kick_us,
    L > 0.0,
    my_side(S),
    my_number(Me),
    player_position_valid(S, U),
    U \== Me,
    player_position(S, U, X, Y, _),
    Ahead is ((X - BX) * WX + (Y - BY) * WY) / L,
    Ahead >= 1.0,
    T is min(1.0, Ahead / L),
    PX is BX + T * WX,
    PY is BY + T * WY,
    in_field(PX, PY, T * Noise),
    distance_to(X, Y, PX, PY, D),
    D + T * Noise < 1.0, !.

% 2. Facing our own half, slow ball, nobody near: turn with it to face
% the opponents' goal.
play_with_ball :-
    my_position(X, _), X < 30,
    my_body_direction(Dir), abs(Dir) > 90,
    ball(_, _, VX, VY),
    distance_to(0.0, 0.0, VX, VY, Speed), Speed < 1.0,
    num_opponents_within(3, 0),
    turn_with_ball_to(0.0, Body),
    queue_with_neck_to_ball(Body).
% 3. Ball behind the agent and nobody near: pull it to the agent's side.
play_with_ball :-
    ball(BX, BY, _, _),
    angle_to_from_body(BX, BY, A), abs(A) > 95,
    Side is sign(A) * 90,
    num_opponents_within(3, 0),
    kick_ball_close_to_body(Side, 1, Body),
    queue_with_neck_to_ball(Body).
% 4. Free way ahead short of the opponents' box: dribble down the wing
% towards the side of their penalty area the agent is on. The way ahead is
% the cone with its tip 10 m ahead along the body, widening back to the
% agent.
play_with_ball :-
    my_position(X, Y), X < 40,
    TY is sign(Y) * 15.0,
    my_body_direction(Dir),
    AheadX is X + 10 * cos(Dir / 57.296),
    AheadY is Y + 10 * sin(Dir / 57.296),
    num_opponents_in_cone(0.5, X, Y, AheadX, AheadY, 0),
    dribble_to_position(2, 52.5, TY, 100, 1, Body),
    queue_with_look_around(Body).
% 5. Nobody near: dribble at the goal's centre.
play_with_ball :-
    num_opponents_within(3, 0),
    dribble_to_position(1, 52.5, 0.0, 100, 1, Body),
    queue_with_look_around(Body).
% 6. Pass.
play_with_ball :-
    do_pass.
% 7. Facing forward in our own half: clear the ball.
play_with_ball :-
    clear.
% 8. In the opponents' half: dribble at the goal's centre all the same.
play_with_ball :-
    my_position(X, _), X > 0,
    dribble_to_position(1, 52.5, 0.0, 100, 1, Body),
    queue_with_look_around(Body).
% 9. Kick it away.
play_with_ball :-
    do_kick_away.

clear :-
    clear_kick(Body),
    queue_with_neck_to_ball(Body).

clear_kick(Body) :-
    my_body_direction(Dir), abs(Dir) < 60,
    my_position(X, _), X < -10,
    clear_ball(Body).

% The direction the agent's body faces.
my_body_direction(Dir) :-
    my_side(S),
    my_number(Me),
    player(S, Me, Dir, _, _, _, _, _, _, _).

% Queue the body command of a dribble while the neck scans the field.
queue_with_look_around(Body) :-
    look_around(90.0, -90.0, Neck),
    queue_up(Body),
    queue_up(Neck).
