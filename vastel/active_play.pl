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
    queue_with_neck_to_ball(Body).

one_touch_kick(Body) :- pass_kick(Body).
one_touch_kick(Body) :- clear_kick(Body).
one_touch_kick(Body) :- kick_away_kick(Body).

% A kick of less than 1 power moves the ball by less than 3 cm a cycle.
kick_without_power([kick, Power, _]) :-
    Power < 1.0.

% A kick that may put the ball beyond a line of the field at once: the
% ball moved by the largest acceleration the kick's power can give it
% (0.027 m a cycle for each unit of power) lands beyond the line.
kick_out_of_field([kick, Power, Dir]) :-
    my_body_direction(Body),
    ball(BX, BY, VX, VY),
    A is (Body + Dir) / 57.296,
    Acc is min(Power * 0.027, 2.7),
    X is BX + VX + Acc * cos(A),
    Y is BY + VY + Acc * sin(A),
    ( abs(X) > 52.585 ; abs(Y) > 34.085 ), !.

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
