% Our own restarts. The player who puts the ball back into play may kick
% it again and again as long as it has not dashed since its first kick:
% that is one kick. Once it has dashed, its next touch before another
% player has played the ball gives the opponents a free kick. At our goal
% kick the ball is in play only once it has left our penalty area. So the
% player at the ball plays it with one touch, keeping on kicking without a
% dash while the ball is within its reach, and then keeps away from it
% until another player has played it or play stops.

% set_piece_taker(T, Phase): T, the agent or a team-mate, takes or took our
% restart (0: the agent could not tell who). Phase is coming while T is not
% yet at the ball, turn while the ball is within T's reach and T may play
% it, waits once the ball has left its reach after the restart was played.
% restart_spot(X, Y): where the ball lay in the last cycle of our restart.
% ball_before(C, X, Y, VX, VY): the ball as the agent believed it in its
% decision of cycle C, the last one; mode_before(M) the play mode then.
% turn_kicked: the agent, taking our restart, has kicked in its turn;
% stepping_round: it has begun to step round the ball before that.
:- dynamic set_piece_taker/2, restart_spot/2, ball_before/5, mode_before/1, turn_kicked/0,
           stepping_round/0.

% The restarts we take: kick-off, free kick, kick-in, corner kick, and our
% goal kick.
our_restart :- is_dead_ball_us, !.
our_restart :- is_goal_kick_us.

% After the opponents' offside, back pass or free-kick fault the server
% refuses every kick until it gives us the free kick.
kicks_refused :- is_offside_them, !.
kicks_refused :- is_back_pass_them, !.
kicks_refused :- is_free_kick_fault_them.

% Run at the start of every cycle, then the ball and the play mode are
% remembered for the next.
follow_set_piece_taker :-
    follow_restart,
    follow_first_kick,
    remember_cycle.

% During our restart the taker is whoever is at the ball. Once the ball
% moves out of the taker's reach, the taker has played it, whether or not
% the referee's play_on has come yet (at our goal kick it comes only when
% the ball leaves our penalty area): the taker waits as in play, until
% another player has played the ball. A record from before this restart is
% not kept.
follow_restart :-
    our_restart, !,
    (   same_mode_as_before,
        set_piece_taker(T, waits),
        \+ played_by_other(T)
    ->  true
    ;   set_piece_taker(T, turn),
        ball_moving,
        \+ within_reach(T)
    ->  taker_phase(T, waits)
    ;   record_taker
    ).
% In play after our restart the taker's turn lasts while the ball is within
% its reach; then it waits until another player has played the ball. When
% the agent did not see the taker at the ball, it takes the team-mate (the
% agent left out) nearest to where the restart was taken for the taker.
follow_restart :-
    play_mode(play_on),
    set_piece_taker(T0, Phase), !,
    seen_taker(T0, Phase, T),
    (   Phase == waits
    ->  (   played_by_other(T) -> forget_taker ; taker_phase(T, waits) )
    ;   within_reach(T)
    ->  taker_phase(T, turn)
    ;   taker_phase(T, waits)
    ).
follow_restart :-
    play_mode(play_on), !.
follow_restart :-
    forget_taker.

% The taker now: the agent when the ball is within its reach and it does
% not leave it to a team-mate at it too; else the team-mate nearest to the
% ball, 0 when the agent knows of none.
record_taker :-
    forget_taker,
    ball(X, Y, _, _),
    assertz(restart_spot(X, Y)),
    (   \+ lock_kick, ball_kickable
    ->  my_number(T)
    ;   ball_position_valid
    ->  closest_teammate_to_ball(2, T)
    ;   T = 0
    ),
    (   within_reach(T) -> Phase = turn ; Phase = coming ),
    assertz(set_piece_taker(T, Phase)).

% What the agent did in its turn is kept while the turn lasts, and not into
% a new restart of ours.
follow_first_kick :-
    my_number(Me),
    set_piece_taker(Me, turn),
    \+ (our_restart, \+ same_mode_as_before), !.
follow_first_kick :-
    retractall(turn_kicked),
    retractall(stepping_round).

% The agent queues Body; a kick in its turn as our restart's taker is its
% touch of the ball, after which it may not dash before the turn ends.
note_kick([kick | _]) :-
    takes_restart,
    \+ turn_kicked, !,
    assertz(turn_kicked).
note_kick(_).

% The taker who has no kick that keeps the ball in the field, and whom
% facing the ball does not give one, steps round the ball, which it may do
% before its first kick (a dash after it would make its next kick a second
% touch): to stand behind the ball as seen from the centre of the field,
% facing the ball and the field, where its kicks go forward into the
% field. It goes round the ball 0.75 m from it, at most a sixth of a turn
% a step, so as not to run into it, and takes the last step to 0.55 m,
% within its reach; there it turns to the ball.
step_round_ball :-
    \+ turn_kicked,
    (   stepping_round
    ->  true
    ;   faces_ball,
        assertz(stepping_round)
    ),
    ball(BX, BY, _, _),
    my_position(X, Y),
    cart2pol(BX, BY, _, Spot),
    cart2pol(X - BX, Y - BY, _, Now),
    Turn is Spot - Now - 360 * round((Spot - Now) / 360),
    (   abs(Turn) > 60
    ->  A is Now + sign(Turn) * 60, R = 0.75
    ;   A = Spot, R = 0.55
    ),
    pol2cart(R, A, DX, DY),
    SX is BX + DX,
    SY is BY + DY,
    distance_to(X, Y, SX, SY, D),
    (   D > 0.1
    ->  dash_to_position(SX, SY, 1.0, 100, Body)
    ;   turn_body_to_ball(0, Body)
    ),
    queue_with_neck_to_ball(Body).

% The agent's body points at the ball within a degree: turning to it would
% not change the kicks on offer.
faces_ball :-
    ball(BX, BY, _, _),
    angle_to_from_body(BX, BY, A),
    abs(A) < 1.0.

seen_taker(_, coming, T) :-
    restart_spot(X, Y),
    my_number(Me),
    nearest_to_but(X, Y, Me, T), !.
seen_taker(T, _, T).

taker_phase(T, Phase) :-
    retractall(set_piece_taker(_, _)),
    assertz(set_piece_taker(T, Phase)).

forget_taker :-
    retractall(set_piece_taker(_, _)),
    retractall(restart_spot(_, _)).

remember_cycle :-
    retractall(ball_before(_, _, _, _, _)),
    retractall(mode_before(_)),
    play_mode(M),
    assertz(mode_before(M)),
    (   ball_velocity_valid
    ->  current_cycle(C),
        ball(X, Y, VX, VY),
        assertz(ball_before(C, X, Y, VX, VY))
    ;   true
    ).

same_mode_as_before :-
    play_mode(M),
    mode_before(M).

% The ball is within the kicking reach of T: for the agent its own test,
% for a team-mate the test with a margin of 0.1 m.
within_reach(T) :-
    my_number(T), !,
    ball_kickable.
within_reach(T) :-
    T > 0,
    my_side(S),
    ball_kickable_for_player(S, T, 0.1).

% The ball moves faster than 0.2 m a cycle.
ball_moving :-
    ball(_, _, VX, VY),
    VX * VX + VY * VY > 0.04.

% Evidence that a player other than T played the ball since the agent's
% last decision: the ball's velocity differs by more than 0.2 m a cycle from
% the remembered one slowed down by the ball's decay (6 % a cycle), T
% stands out of reach of the remembered ball, so that its kick cannot
% explain the change, and another player stands within reach of the ball
% or of the remembered ball. Players are placed where they stand now, the
% only place the agent knows: for T that is where it stood when it could
% have kicked, since a taker never dashes after its first kick of a turn.
played_by_other(T) :-
    ball_before(C0, X0, Y0, VX0, VY0),
    current_cycle(C),
    DT is C - C0,
    DT >= 0,
    DT =< 3,
    ball_velocity_valid,
    ball(X, Y, VX, VY),
    F is 0.94 ** DT,
    DX is VX - F * VX0,
    DY is VY - F * VY0,
    DX * DX + DY * DY > 0.04,
    \+ (T > 0, my_side(S), stands_within_reach(S, T, X0, Y0)),
    (   other_within_reach(T, X0, Y0)
    ;   other_within_reach(T, X, Y)
    ), !.

% An opponent, or a team-mate other than T, stands within reach of (X, Y).
other_within_reach(_, X, Y) :-
    num_opponents_within(1.3, X, Y, N),
    N > 0, !.
other_within_reach(T, X, Y) :-
    my_side(S),
    player_position_valid(S, U),
    U \== T,
    stands_within_reach(S, U, X, Y), !.

% Player U of side S stands within 1.3 m of (X, Y), the kicking reach of
% the player type with the longest one, a little more.
stands_within_reach(S, U, X, Y) :-
    player_distance_to(S, U, X, Y, D),
    D < 1.3.

% The agent plays the ball at our restart: as the one at it, unless it
% leaves it to a team-mate at it too or is the taker who waits; or, once
% the restart has been played, as its taker while its turn lasts.
takes_restart :-
    our_restart, !,
    \+ (my_number(Me), taker_waits(Me)),
    \+ leaves_ball_to_team_mate.
takes_restart :-
    play_mode(play_on),
    my_number(Me),
    set_piece_taker(Me, turn).

% Team-mate T took our restart and may not play the ball until another
% player has.
taker_waits(T) :-
    set_piece_taker(T, waits).

% With the ball at the feet of two of us, the agent leaves it to a
% team-mate with a higher number or to our goalkeeper (1), but not to a
% taker who waits.
leaves_ball_to_team_mate :-
    lock_kick,
    (   taker_waits(T)
    ->  my_side(S),
        my_number(Me),
        player_position_valid(S, U),
        U \== Me, U \== T,
        ( U > Me ; U =:= 1 ),
        ball_kickable_for_player(S, U, 0.1), !
    ;   true
    ).

% U is the team-mate with a valid position nearest to (X, Y), T left out.
nearest_to_but(X, Y, T, U) :-
    my_side(S),
    findall(D-V,
            ( player_position_valid(S, V),
              V \== T,
              player_distance_to(S, V, X, Y, D)
            ),
            Pairs),
    keysort(Pairs, [_-U | _]).

nearest_to_ball_but(T, U) :-
    ball(BX, BY, _, _),
    nearest_to_but(BX, BY, T, U).
