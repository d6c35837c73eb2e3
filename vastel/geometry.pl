% Geometry of the agent program. Angles are degrees, turned into radians
% and back with 57.296 degrees per radian; positions are field coordinates
% in metres. No predicate here raises an arithmetic error for a point that
% coincides with another: such cases have their own answer.

% Polar form (length, direction) of the vector (X, Y); (0, 0) has
% direction 0.
cart2pol(X, Y, R, A) :-
    R is sqrt(X * X + Y * Y),
    A is atan2(Y, X) * 57.296.

% Cartesian form of the vector of length R in direction A.
pol2cart(R, A, X, Y) :-
    X is cos(A / 57.296) * R,
    Y is sin(A / 57.296) * R.

deg2rad(D, R) :-
    R is D / 57.296.

rad2deg(R, D) :-
    D is R * 57.296.

% The angle A as a direction in [0, 360).
normalize_angle(A, N) :-
    V is float_fractional_part(A / 360) * 360,
    N is float_fractional_part((V + 360) / 360) * 360.

% The angle between the rays (X1, Y1) and (X2, Y2), 0 to 180. A ray of no
% length makes no angle with anything: 0. Rounding may carry the cosine
% just past 1, which acos refuses; it is held to [-1, 1].
angle_between_rays(X1, Y1, X2, Y2, A) :-
    L is sqrt((X1 * X1 + Y1 * Y1) * (X2 * X2 + Y2 * Y2)),
    (   L =:= 0
    ->  A = 0.0
    ;   C is max(-1.0, min(1.0, (X1 * X2 + Y1 * Y2) / L)),
        A is acos(C) * 57.296
    ).

% The angle at (X1, Y1) between the rays to (X2, Y2) and to (X3, Y3).
angle_from_three_points(X1, Y1, X2, Y2, X3, Y3, A) :-
    DX2 is X2 - X1, DY2 is Y2 - Y1,
    DX3 is X3 - X1, DY3 is Y3 - Y1,
    angle_between_rays(DX2, DY2, DX3, DY3, A).

% The point as far out as (X1, Y1), turned from it by half the angle
% between the two rays.
angle_bisector(X1, Y1, X2, Y2, X, Y) :-
    cart2pol(X1, Y1, R, A1),
    angle_between_rays(X1, Y1, X2, Y2, Between),
    A is A1 + Between / 2,
    pol2cart(R, A, X, Y).

% The squared distance of two points.
distance_sqr(X1, Y1, X2, Y2, D) :-
    DX is X1 - X2,
    DY is Y1 - Y2,
    D is DX * DX + DY * DY.

% Y where the segment from (X1, Y1) to (X2, Y2) crosses the vertical line
% x = XL; fails when it does not reach it or is itself vertical.
intersect_line_with_x(X1, Y1, X2, Y2, XL, Y) :-
    X1 =\= X2,
    XL >= min(X1, X2),
    XL =< max(X1, X2),
    Y is Y1 + (XL - X1) / (X2 - X1) * (Y2 - Y1).

% Y where the ray from (X0, Y0) along (DX, DY) meets the vertical line
% x = XL ahead of its start; a vertical ray meets it only when it runs on
% it, at its start.
intersect_ray_with_x(X0, Y0, DX, DY, XL, Y) :-
    abs(DX) > 0.0001, !,
    T is (XL - X0) / DX,
    T > 0,
    Y is Y0 + T * DY.
intersect_ray_with_x(X0, Y0, _, _, XL, Y0) :-
    abs(XL - X0) =< 0.0001.

% Whether the segments (X1, Y1)-(X2, Y2) and (X3, Y3)-(X4, Y4) cross: the
% crossing of their lines must lie on both. Parallel lines have no
% crossing (the foreign predicate answers (0, 0) for them, which this
% test then rejects unless both segments hold that point).
segments_intersect(X1, Y1, X2, Y2, X3, Y3, X4, Y4) :-
    line_line_intersection(X1, Y1, X2, Y2, X3, Y3, X4, Y4, X, Y),
    on_segment_box(X, Y, X1, Y1, X2, Y2),
    on_segment_box(X, Y, X3, Y3, X4, Y4).

% Whether a point known to lie on the line of a segment lies on the
% segment itself, give or take a micrometre of rounding.
on_segment_box(X, Y, X1, Y1, X2, Y2) :-
    X >= min(X1, X2) - 1.0e-6, X =< max(X1, X2) + 1.0e-6,
    Y >= min(Y1, Y2) - 1.0e-6, Y =< max(Y1, Y2) + 1.0e-6.

% The sign of X, with 0 counted as positive.
sgn(X, S) :-
    X =:= 0, !,
    S = 1.
sgn(X, S) :-
    S is sign(X).

% The sum of a list of polar vectors R-A, in cartesian form.
sum_polar_as_cart([], 0, 0).
sum_polar_as_cart([R-A | Rest], X, Y) :-
    pol2cart(R, A, X1, Y1),
    sum_polar_as_cart(Rest, X2, Y2),
    X is X1 + X2,
    Y is Y1 + Y2.

% The element of a non-empty list that the comparison Pred(Better, Other)
% keeps over all others.
listmax([M], _, M) :- !.
listmax([H | T], Pred, M) :-
    listmax(T, Pred, MT),
    (   call(Pred, H, MT)
    ->  M = H
    ;   M = MT
    ).

% The distance of team-mate (or opponent) U from (X, Y).
teammate_distance_to_pos(U, X, Y, D) :-
    my_side(S),
    player_position(S, U, PX, PY, _),
    distance_to(PX, PY, X, Y, D).
opponent_distance_to_pos(U, X, Y, D) :-
    their_side(S),
    player_position(S, U, PX, PY, _),
    distance_to(PX, PY, X, Y, D).
