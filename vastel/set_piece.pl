% Our own restarts. The referee gives the opponents a free kick when the
% player who put the ball back into play touches it again before anybody
% else has. So the player at the ball plays it with one touch, and the
% taker keeps away from it until another player has had it or play stops.

:- dynamic set_piece_taker/1.

% The restarts we take: kick-off, free kick, kick-in and corner kick, and
% the free kicks we get for the opponents' offside, back pass or free-kick
% fault. Our goal kick is left out: the goalkeeper may shoot from it but
% nothing else.
own_set_piece :- is_dead_ball_us, !.
own_set_piece :- is_offside_them, !.
own_set_piece :- is_back_pass_them, !.
own_set_piece :- is_free_kick_fault_them.

% Run at the start of every cycle. At our restart the taker is whoever has
% the ball at the feet when it is played: the agent itself, unless it
% leaves the ball to a team-mate who is at it too, else the team-mate
% nearest the ball. In play the taker is remembered until another player
% has the ball within kicking reach; any other stop of play forgets it.
follow_set_piece_taker :-
    own_set_piece, !,
    retractall(set_piece_taker(_)),
    (   set_piece_taker_now(T)
    ->  assertz(set_piece_taker(T))
    ;   true
    ).
follow_set_piece_taker :-
    play_mode(play_on), !,
    (   set_piece_taker(T),
        touched_by_other(T)
    ->  retractall(set_piece_taker(_))
    ;   true
    ).
follow_set_piece_taker :-
    retractall(set_piece_taker(_)).

set_piece_taker_now(Me) :-
    \+ lock_kick,
    ball_kickable, !,
    my_number(Me).
set_piece_taker_now(T) :-
    ball_position_valid,
    closest_teammate_to_ball(2, T).

% A player other than the taker T has the ball within kicking reach. An
% opponent's type is unknown, so it counts within 1 m of the ball, a little
% short of any reach.
touched_by_other(_) :-
    ball_position_valid,
    ball(BX, BY, _, _),
    num_opponents_within(1.0, BX, BY, N),
    N > 0, !.
touched_by_other(T) :-
    my_side(S),
    player_position_valid(S, U),
    U \== T,
    ball_kickable_for_player(S, U, 0.1), !.

% Team-mate T took our restart and must not touch the ball yet.
taker_waits(T) :-
    play_mode(play_on),
    set_piece_taker(T).

% The agent goes for the ball when it is the team's fastest to it; when
% the fastest is a taker who waits, the team-mate nearest the ball goes in
% its place.
goes_for_ball(Me) :-
    fastest_teammate_to_ball(F),
    (   taker_waits(F)
    ->  nearest_to_ball_but(F, Me)
    ;   F == Me
    ).

% U is the team-mate with a valid position nearest to the ball, T left out.
nearest_to_ball_but(T, U) :-
    ball(BX, BY, _, _),
    my_side(S),
    findall(D-V,
            ( player_position_valid(S, V),
              V \== T,
              player_distance_to(S, V, BX, BY, D)
            ),
            Pairs),
    keysort(Pairs, [_-U | _]).
