% vastel, the agent program. The player calls two goals of module user:
% init/0 once after the handshake with the server, and behave_midfielder/0
% once in every decision cycle. The program learns about the match only
% through the player's foreign predicates and acts only by passing command
% lists to queue_up/1.

% The engine's tracer hook: whatever port the tracer stops at, go on, so
% that an error in one cycle never waits for terminal input.
prolog_trace_interception(_Port, _Frame, _Choice, continue).

init :-
    write(init), nl.

% No decision rules yet: a cycle queues nothing.
behave_midfielder.
