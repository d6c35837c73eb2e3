% Kicking the ball away: when nothing better is left, the ball goes to the
% one of a fixed set of targets for the agent's part of the field that has
% the fewest opponents in the way.

% Kick the ball to the least covered target; among equally covered ones
% the earlier in the table.
do_kick_away :-
    kick_away_kick(Body),
    queue_with_neck_to_ball(Body).

kick_away_kick(Body) :-
    kick_away_targets([_-target(_, TX, TY, Kind) | _]),
    kick_away(Kind, TX, TY, Body).

% At our restart, where the ball must stay in the field, each target in
% that order on backtracking.
any_kick_away_kick(Body) :-
    kick_away_targets(Sorted),
    member(_-target(_, TX, TY, Kind), Sorted),
    kick_away(Kind, TX, TY, Body).

% The targets for the agent's place as pairs N-target(Dist, TX, TY, Kind),
% the least covered first, equally covered ones in table order.
kick_away_targets(Sorted) :-
    ball_kickable,
    my_position(X, Y),
    findall(N-target(Dist, TX, TY, Kind),
            kick_away_target(X, Y, 0.85, TX, TY, Dist, N, no_goalie, Kind),
            Pairs),
    keysort(Pairs, Sorted).

% One kick-away target (TX, TY) for an agent at (X, Y), on backtracking
% each of its part of the field in table order: its distance Dist, the
% number N of opponents in the cone of width ratio Ratio from the agent to
% it, and the kind of kick (roll or power). The targets' y follow the side
% of the field the agent is on (sign(Y), 0 on the middle line).
kick_away_target(X, Y, Ratio, TX, TY, Dist, N, _, Kind) :-
    kick_away_candidates(X, Y, Candidates),
    member(c(TX, CY, Kind), Candidates),
    TY is CY * sign(Y),
    distance_to(X, Y, TX, TY, Dist),
    num_opponents_in_cone(Ratio, TX, TY, X, Y, N).

% The targets of the first part of the field that holds (X, Y): deep in
% our half out to the wings, in our half and the middle into the
% opponents' wings, near their goal at the goal.
kick_away_candidates(X, Y, Candidates) :-
    X < -25, !,
    AY is abs(Y),
    Candidates = [c(-16, 21, roll), c(-16, 25, power), c(-16, 28, power),
                  c(-16, 10, power), c(-16, 5, power), c(-16, 16, power),
                  c(0, 0, power), c(0, AY, power)].
kick_away_candidates(X, _, Candidates) :-
    X < 0, !,
    Candidates = [c(30, 29, roll), c(30, 25, roll), c(30, 21, roll), c(30, 16, roll),
                  c(20, 10, roll), c(20, 5, roll), c(20, 0, roll)].
kick_away_candidates(X, Y, Candidates) :-
    X < 15, abs(Y) < 10, !,
    Candidates = [c(25, 29, roll), c(25, 25, roll), c(30, -21, roll), c(35, -21, roll),
                  c(35, 0, roll)].
kick_away_candidates(X, _, Candidates) :-
    X < 25, !,
    Candidates = [c(45, 25, roll), c(45, 28, roll), c(30, -21, roll), c(35, -21, roll)].
kick_away_candidates(_, Y, Candidates) :-
    abs(Y) < 21, !,
    Candidates = [c(35, -21, roll), c(47, -21, roll), c(53, 5, power), c(53, 0, power),
                  c(53, -5, power)].
kick_away_candidates(_, _, [c(35, -11, roll), c(34, 0, power), c(30, 0, power),
                            c(35, 11, power)]).

% A power kick goes at full strength; a roll, or a power kick that cannot
% be made, is a soft kick to the point.
kick_away(power, TX, TY, Body) :-
    kick_to_point(1, 1, TX, TY, 100, Body).
kick_away(_, TX, TY, Body) :-
    kick_to_point(3, 1, TX, TY, 0.1, Body).
