% Our own set pieces. The referee punishes a second touch of the ball by
% the player who put it back into play, before any other player has touched
% it, with a free kick for the opponents. So the player at the ball plays it
% with one touch, and the taker leaves it alone afterwards until somebody
% else has touched it or play stops again.

:- dynamic set_piece_taker/1.

% A restart that is ours to take: kick-off, free kick, kick-in and corner
% kick, and the free kicks after the opponents' offside, back pass or
% free-kick fault. Our goal kick is not one: there only the kick at goal is
% tried.
own_set_piece :- is_dead_ball_us, !.
own_set_piece :- is_offside_them, !.
own_set_piece :- is_back_pass_them, !.
own_set_piece :- is_free_kick_fault_them.

% Kept up once a cycle, before the decision. During our set piece the
% taker is whoever has the ball at the feet when it is played: the agent,
% unless a team-mate it leaves the ball to is at it too, else the team-mate
% nearest to the ball. In play the taker is kept until another player has
% the ball within kicking reach; any other stop of play forgets it.
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
% opponent counts within 1 m of the ball (a little short of the reach, as
% its type is unknown).
touched_by_other(T) :-
    ball_position_valid,
    ball(BX, BY, _, _),
    (   num_opponents_within(1.0, BX, BY, N), N > 0
    ->  true
    ;   my_side(S),
        player_position_valid(S, U),
        U \== T,
        ball_kickable_for_player(S, U, 0.1)
    ->  true
    ).

% Team-mate T took our set piece and must not touch the ball yet.
taker_waits(T) :-
    play_mode(play_on),
    set_piece_taker(T).

% The agent goes for the ball when it is the team's fastest to it; while
% the fastest is a taker who waits, the team-mate nearest to the ball but
% the taker goes in its place.
goes_for_ball(Me) :-
    fastest_teammate_to_ball(F),
    (   taker_waits(F)
    ->  F \== Me,
        nearest_to_ball_but(F, Me)
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
