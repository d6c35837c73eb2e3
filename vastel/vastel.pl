% vastel, the agent program. The player calls two goals of module user:
% init/0 once after the handshake with the server, and behave_midfielder/0
% once in every decision cycle. The program learns about the match only
% through the player's foreign predicates and acts only by passing command
% lists to queue_up/1. It keeps nothing between cycles: every cycle decides
% afresh from the world model, but for who took our last restart and the
% ball of the cycle before (set_piece.pl).
%
% Rules are tried in order and the first that gets through acts; a rule
% queues its commands only as its last steps, a body command first and a
% neck command after it. A call to an undefined predicate is an error (the
% flag unknown stays error), so a misspelt name shows up at once.

:- use_module(library(lists), [list_to_set/2, member/2, select/3]).

:- include(geometry).
:- include(kick_away).
:- include(goal_kick).
:- include(passing).
:- include(passive_play).
:- include(active_play).
:- include(set_piece).

% The engine's tracer hook: whatever port the tracer stops at, go on, so
% that an error in one cycle never waits for terminal input.
prolog_trace_interception(_Port, _Frame, _Choice, continue).

init :-
    write(init), nl.

% Every role plays by the same rules; the player runs the midfielder.
behave_goalie :- behave.
behave_defender :- behave.
behave_attacker :- behave.
behave_midfielder :- behave.

% The cycle's decision: wait out their kick-off, take the set-up position
% before a kick-off, and otherwise play, with the defenders (numbers below
% 6) in the defensive formation while the ball is deep in our half.
behave :-
    log_action(7, behaving),
    follow_set_piece_taker,
    decide.

decide :-
    is_kick_off_them, !.
decide :-
    is_before_kick_off, !,
    setup.
decide :-
    my_number(Me), Me < 6,
    ball(BX, _, _, _), BX < -20,
    set_formation_type(defensive),
    play.
decide :-
    set_formation_type(default),
    play.

% Before the kick-off: go to the set-up formation's position, or, once
% there, face the centre spot.
setup :-
    formation_type(setup), !,
    strategic_position(0, SX, SY),
    my_position(X, Y),
    distance_to(SX, SY, X, Y, D),
    move_or_turn(D, 2.0, SX, SY, 0, 0).
setup :-
    set_formation_type(setup),
    formation_type(setup),
    setup.

% Without a seen ball: face where a team-mate said it was less than three
% cycles ago, or search for it. Taking our restart, with the ball at the
% feet: play it with one touch; when no kick can be made, step round the
% ball before the first kick, only face it after. While the server refuses
% our kicks: wait at the ball.
% With the ball at the feet otherwise (and not left to a team-mate at it
% too, nor as the taker of our restart who waits): active play. Otherwise
% tell the team where the ball is and play without it.
play :-
    \+ ball_position_valid,
    hear_ball_pos(X, Y),
    heard_within(3), !,
    turn_body_to_point(X, Y, 1, Body),
    queue_with_neck_along_body(Body).
play :-
    \+ ball_position_valid, !,
    search_ball(Body),
    queue_with_neck_along_body(Body).
play :-
    ball_kickable,
    takes_restart, !,
    (   do_active_play
    ->  true
    ;   step_round_ball
    ->  true
    ;   face_ball
    ).
play :-
    kicks_refused,
    ball_kickable, !,
    face_ball.
play :-
    \+ leaves_ball_to_team_mate,
    ball_kickable,
    \+ (my_number(Me), taker_waits(Me)),
    do_active_play.
play :-
    say_ball_pos(Say),
    queue_up(Say),
    do_passive_play.

face_ball :-
    turn_body_to_ball(0, Body),
    queue_with_neck_to_ball(Body).

% The agent's own position, once its side, its number and a valid position
% are known.
my_position(X, Y) :-
    my_side(S), S \== u,
    my_number(Me), Me > 0,
    player_position_valid(S, Me),
    player_position(S, Me, X, Y, _).

% The last team-mate's message was heard fewer than N cycles ago. One
% stamped after the current cycle was heard on a clock that leapt ahead and
% came back: it is stale.
heard_within(N) :-
    current_cycle(Now),
    get_receive_time(Heard),
    Age is Now - Heard,
    Age >= 0,
    Age < N.

% Euclidean distance of two points.
distance_to(X1, Y1, X2, Y2, D) :-
    DX is X1 - X2,
    DY is Y1 - Y2,
    D is sqrt(DX * DX + DY * DY).

% Queue the body command with a neck turn that keeps the ball in view
% after it.
queue_with_neck_to_ball(Body) :-
    turn_neck_to_ball(Body, Neck),
    queue_up(Body),
    queue_up(Neck).

% Queue the body command with the neck turned to lie along the body.
queue_with_neck_along_body(Body) :-
    align_neck_with_body(Neck),
    queue_up(Body),
    queue_up(Neck).
