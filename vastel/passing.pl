% Passing: a through pass to a team-mate beyond x = 25, or a direct pass
% chosen by a search over chains of up to three passes. Every player is
% valued by its distances to the two goals (lower is better, and always
% below 0); a pass chain is valued by the player at its end, and every
% further pass along it loses value by a decay factor.

% How many further passes the search looks beyond the first.
pass_depth(2).

% Pass: through to the receiver with the best chance at goal when the
% agent is in the attacking third (at our restart not to a point at its own
% feet); else directly to the first receiver of the best chain, softly when
% nobody is near it and fast otherwise.
do_pass :-
    pass_kick(Body),
    queue_with_neck_to_ball(Body).

pass_kick(Body) :-
    my_side(S),
    my_position(X, Y), X > 20,
    ball_kickable,
    ball_velocity_valid,
    findall(R, through_pass_receiver(R), Rs),
    through_pass_preference(Rs, Pairs),
    keysort(Pairs, [_-B | _]),
    through_pass_end_point_y(Y, EndY),
    through_pass(S, B, 50.0, EndY, PX, PY, 1, Body),
    \+ pass_to_own_feet(PX, PY).
pass_kick(Body) :-
    ball_kickable,
    ball_velocity_valid,
    findall(R, possible_receiver(R), Candidates),
    my_number(Me),
    pass_depth(Depth),
    once(pass_partner(Depth, Me, Candidates, (_ - R) - _)),
    R \== Me,
    my_side(S),
    direct_pass_speed(S, R, Fast),
    direct_pass(S, R, Fast, Body).

% The soft pass (0) when the receiver stands free of opponents, else, and
% also when the soft pass cannot be made, the fast one (1).
direct_pass_speed(S, R, 0) :-
    receiver_position(S, R, X, Y),
    congestion_at_point(X, Y, G),
    G < 0.1.
direct_pass_speed(_, _, 1).

% A team-mate who may receive a direct pass: placed, not our goalkeeper,
% not offside, well inside the field, and at our goal kick, which must
% leave our penalty area, outside it. The agent itself is one too, as the
% player who may keep the ball.
possible_receiver(R) :-
    my_side(S),
    player_position_valid(S, R),
    \+ goalie_number(S, R),
    \+ player_in_offside_position(S, R),
    receiver_position(S, R, X, Y),
    abs(Y) < 33,
    X > -50, X < 50,
    \+ (is_goal_kick_us, in_our_penalty_area(X, Y)).

% A team-mate beyond x = 25 who can be reached with a through pass that no
% opponent stands in the way of.
through_pass_receiver(R) :-
    my_side(S),
    my_number(Me),
    my_position(MX, MY),
    player_position_valid(S, R),
    R \== Me,
    \+ goalie_number(S, R),
    \+ player_in_offside_position(S, R),
    receiver_position(S, R, X, Y),
    X > 25,
    through_pass_end_point_y(Y, EndY),
    through_pass(S, R, 50.0, EndY, PX, PY, 0, _),
    num_opponents_in_cone(0.2, PX, PY, MX, MY, 0).

% The through-pass receivers as pairs Key-R, the key lower for the better
% chance of scoring from the receiver's place; fails as a whole when one
% receiver's chance cannot be judged.
through_pass_preference([], []).
through_pass_preference([R | Rs], [Key-R | Pairs]) :-
    my_side(S),
    goal_kick_situation(S, R, G1, G2, G3),
    goal_kick_success_ratio(G1, G2, G3, Ratio),
    Key is 100 - Ratio,
    through_pass_preference(Rs, Pairs).

% Where a through pass sends a player standing at y: into the channel of
% the near post, 7 m beside the goal's centre on the player's side, or at
% the centre for a player on the long axis.
through_pass_end_point_y(Y, EndY) :-
    EndY is sign(Y) * 7.0.

% The best pass chain from From among Candidates, looking Depth passes
% beyond the first: ((Value - FirstReceiver) - Chain). Keeping the ball is
% the entry ((Value - From) - []); equal values go to the lower shirt
% number. The search asks the world model about every player and every
% pass once, into a table (pass_table/2), and then works on the table
% alone.
pass_partner(Depth, From, Candidates, Best) :-
    pass_table([From | Candidates], Table),
    pass_partner(Depth, From, Candidates, Table, Best).

% At depth 0 a chain is worth its first receiver's own value, so the best
% is the first candidate of From's receivers, which the table holds best
% first, when it beats keeping the ball.
pass_partner(0, From, Candidates, Table, Best) :- !,
    memberchk(From-passer(_, Keep, Reach), Table),
    number(Keep),
    best_receiver(Reach, Candidates, Table, (Keep - From) - [], Best).
pass_partner(Depth, From, Candidates, Table, Best) :-
    memberchk(From-passer(_, Keep, _), Table),
    number(Keep),
    pass_partner_list(From, Candidates, Table, Reachable),
    preference_list(Depth, Candidates, Reachable, Table, Entries),
    keysort([(Keep - From) - [] | Entries], [Best | _]).

% The first of the receivers (best first) that is a candidate, as the
% entry (P - R) - [R], if it comes before the entry Keep; else Keep.
best_receiver([], _, _, Keep, Keep).
best_receiver([R | Rs], Candidates, Table, Keep, Best) :-
    memberchk(R-passer(_, P, _), Table),
    Keep = KeepKey - _,
    (   P - R @> KeepKey
    ->  Best = Keep
    ;   memberchk(R, Candidates)
    ->  Best = (P - R) - [R]
    ;   best_receiver(Rs, Candidates, Table, Keep, Best)
    ).

% The candidates From can pass to, in their order.
pass_partner_list(From, Candidates, Reachable) :-
    pass_table([From | Candidates], Table),
    pass_partner_list(From, Candidates, Table, Reachable).

pass_partner_list(From, Candidates, Table, Reachable) :-
    memberchk(From-passer(_, _, Reach), Table),
    findall(R, (member(R, Candidates), memberchk(R, Reach)), Reachable).

% One entry per reachable receiver R: at depth 0 its own value; deeper,
% the value of its best continuation among the other candidates, decayed
% by the further pass.
preference_list(Depth, All, Reachable, Entries) :-
    pass_table(All, Table),
    preference_list(Depth, All, Reachable, Table, Entries).

preference_list(_, _, [], _, []).
preference_list(0, All, [R | Rs], Table, [(P - R) - [R] | Entries]) :- !,
    memberchk(R-passer(_, P, _), Table),
    number(P),
    preference_list(0, All, Rs, Table, Entries).
preference_list(Depth, All, [R | Rs], Table, [(V - R) - [R | Chain] | Entries]) :-
    once(select(R, All, Others)),
    Next is Depth - 1,
    pass_partner(Next, R, Others, Table, (P1 - R2) - Chain),
    memberchk(R-passer(PlaceR, _, _), Table),
    memberchk(R2-passer(PlaceR2, _, _), Table),
    pass_decay(R, R2, PlaceR, PlaceR2, F),
    V is F * P1,
    preference_list(Depth, All, Rs, Table, Entries).

% What the pass search knows of the team-mates Players (duplicates count
% once): for each R, R-passer(Place, Value, Reach) with its place (see
% pass_place/3), its value when holding the ball (none without a place)
% and the players among Players it can pass to, the most valuable first.
pass_table(Players, Table) :-
    my_side(S),
    list_to_set(Players, Unique),
    findall(R-Known, (member(R, Unique), pass_player(S, R, Known)), Known),
    findall(R-passer(Place, Value, Reach),
            ( member(R-known(Valid, Place, _, Value), Known),
              findall((ToValue - To),
                      ( Valid == true,
                        member(To-known(true, ToPlace, true, ToValue), Known),
                        To \== R,
                        pass_between(Place, ToPlace) ),
                      Receivers),
              msort(Receivers, Sorted),
              findall(To, member(_ - To, Sorted), Reach) ),
            Table).

% Team-mate R of side S as the pass search sees it: whether its position
% is valid, its place, whether it is onside, its value.
pass_player(S, R, known(Valid, Place, Onside, Value)) :-
    (   player_position_valid(S, R) -> Valid = true ; Valid = false ),
    pass_place(S, R, Place),
    (   player_in_offside_position(S, R) -> Onside = false ; Onside = true ),
    (   Place = at(X, Y, _), receiver_preference(S, R, X, Y, V)
    ->  Value = V
    ;   Value = none
    ).

% The place of team-mate R of side S: at(X, Y, InArea), InArea telling
% whether (X, Y) lies in our penalty area; none when it cannot be told.
pass_place(S, R, Place) :-
    (   receiver_position(S, R, X, Y)
    ->  (   in_our_penalty_area(X, Y) -> InArea = true ; InArea = false ),
        Place = at(X, Y, InArea)
    ;   Place = none
    ).

% How much a further pass from A to B costs its chain: nothing for keeping
% the ball; everything for passing back to a worse-placed player during
% our goal kick; half for a pass within our penalty area or into it across
% its inner edges; a little for any other pass.
pass_decay(A, B, F) :-
    my_side(S),
    pass_place(S, A, PlaceA),
    pass_place(S, B, PlaceB),
    pass_decay(A, B, PlaceA, PlaceB, F).

% The same for A and B at the places given.
pass_decay(A, B, _, _, 1) :-
    A == B, !.
pass_decay(A, B, _, _, 0) :-
    play_mode(my_goal_kick),
    my_side(S),
    player_preference(S, A, PA),
    player_preference(S, B, PB),
    PA > PB, !.
pass_decay(_, _, at(_, _, true), at(_, _, true), 0.5) :- !.
pass_decay(_, _, at(AX, AY, false), at(BX, BY, _), 0.5) :-
    min(AX, BX) < -34.9,           % no inner edge lies beyond x = -35
    penalty_area_inner_edge(EX1, EY1, EX2, EY2),
    segments_intersect(AX, AY, BX, BY, EX1, EY1, EX2, EY2), !.
pass_decay(_, _, _, _, 0.97).

% The three inner edges of our penalty area, as segments.
penalty_area_inner_edge(-52.5, -21, -35, -21).
penalty_area_inner_edge(-35, -21, -35, 21).
penalty_area_inner_edge(-52.5, 21, -35, 21).

% Whether From can pass to To: both placed, To onside and the pass itself
% possible.
can_pass_to(From, To) :-
    From \== To,
    my_side(S),
    player_position_valid(S, From),
    player_position_valid(S, To),
    pass_place(S, From, FromPlace),
    pass_place(S, To, ToPlace),
    \+ player_in_offside_position(S, To),
    pass_between(FromPlace, ToPlace).

% Whether a pass from one place to another is possible: 3 to 30 m long,
% the way free and nobody near the receiver. Near our goal a pass must be
% longer than 5 m and is judged as 5 m longer (at most 40).
pass_between(at(X1, Y1, _), at(X2, Y2, _)) :-
    distance_to(X1, Y1, X2, Y2, D),
    D > 3, D < 30,
    distance_check(X1, Y1, D, E1),
    distance_check(X2, Y2, D, E2),
    M is max(E1, E2),
    drop_test(X1, Y1, X2, Y2, M).

% The pass length E to judge a pass of length D by at one end (X, Y).
distance_check(X, Y, D, E) :-
    X < -30, abs(Y) < 25, !,
    D > 5,
    E is min(D + 5, 40).
distance_check(_, _, D, D).

% No opponent in the cone from the passer at (X1, Y1) to the receiver at
% (X2, Y2), nor near the receiver: within as many metres as the cycles a
% ball kicked at full speed, losing 6 % of it each cycle, takes to cover
% the length M. The cheaper count comes first.
drop_test(X1, Y1, X2, Y2, M) :-
    R is log(1 - M / 45) / log(0.94),
    num_opponents_within(R, X2, Y2, 0),
    num_opponents_in_cone(0.6, X2, Y2, X1, Y1, 0).

% The position of team-mate (side S) R.
receiver_position(S, R, X, Y) :-
    player_position(S, R, X, Y, _).

% The value of team-mate R holding the ball: better in a shooting
% position, much worse inside our own penalty area.
receiver_preference(R, P) :-
    my_side(S),
    receiver_position(S, R, X, Y),
    receiver_preference(S, R, X, Y, P).

% The same for team-mate R of side S standing at (X, Y).
receiver_preference(S, R, X, Y, P) :-
    player_preference(S, R, P0),
    (   shoot_condition(X, Y)
    ->  P is P0 - 25
    ;   X < -35, abs(Y) < 21
    ->  P is P0 + 50
    ;   P = P0
    ).

% The value of a player by its place: how much nearer the opponents' goal
% than ours it stands, 20 better within 16 m of their goal.
player_preference(S, R, P) :-
    player_distance_to(S, R, 52.5, 0, D1),
    player_distance_to(S, R, -52.5, 0, D2),
    (   D1 < 16
    ->  P is D1 - D2 - 220
    ;   P is D1 - D2 - 200
    ).

% Whether a shot from (X, Y) is promising: within 15 m of the goal, the
% goal wide enough in view and not crowded, and nobody pressing the agent.
shoot_condition(X, Y) :-
    distance_to(X, Y, 52, 0, D),
    D =< 15,
    their_side(S),
    shoot_condition(S, X, Y, _, _, _, _).

% The shooting view from (X, Y), within 19 m of the goal with nobody
% within 1 m of the agent: the directions A1 and A2 to the goal-line
% points (52, -9) and (52, 9), at least 25 degrees apart, and the N (fewer
% than 4) placed players of side S between them, as a sorted list of
% Direction-Number pairs.
shoot_condition(S, X, Y, A1, A2, N, Sorted) :-
    num_opponents_within(1, 0),
    distance_to(X, Y, 52, 0, D),
    D =< 19,
    DX is 52 - X,
    DY1 is -9 - Y,
    DY2 is 9 - Y,
    cart2pol(DX, DY1, _, A1),
    cart2pol(DX, DY2, _, A2),
    A2 - A1 > 25,
    findall(A-U,
            ( player_position_valid(S, U),
              player_position(S, U, UX, UY, _),
              UDX is UX - X,
              UDY is UY - Y,
              cart2pol(UDX, UDY, _, A),
              A >= A1, A =< A2 ),
            Pairs),
    length(Pairs, N),
    N < 4,
    keysort(Pairs, Sorted).

% The direction of team-mate (side S) R relative to the agent's body.
receiver_angle_from_body(S, R, A) :-
    receiver_position(S, R, X, Y),
    angle_to_from_body(X, Y, A).

% A short offset in the direction player U of side S is facing, by
% quarters; ahead along x when its direction is not known.
player_heading_offset(S, U, 0.6, 0.0) :-
    \+ player_dir_valid(S, U), !.
player_heading_offset(S, U, OX, OY) :-
    player(S, U, Dir, _, _, _, _, _, _, _),
    (   abs(Dir) < 45
    ->  OX = 0.6, OY = 0.0
    ;   Dir >= 45, Dir < 135
    ->  OX = 0.0, OY = 0.6
    ;   abs(Dir) >= 135
    ->  OX = -0.1, OY = 0.0
    ;   OX = 0.0, OY = -0.6
    ).

% The heading offset scaled by (FX, FY).
player_heading_offset(S, U, FX, FY, OX, OY) :-
    player_heading_offset(S, U, HX, HY),
    OX is FX * HX,
    OY is FY * HY.

% A lead factor by the player's speed V.
player_velocity_factor(V, 2) :-
    V > 1, !.
player_velocity_factor(_, 3).
