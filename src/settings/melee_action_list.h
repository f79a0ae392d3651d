// The fourteen moves, written once: the enum MeleeAction and its count are
// made from this list (see move_table.h), so a move added here is counted, and
// the table of moves must give it a row or the build fails.
#pragma once

// In the order the script loop tests them within a tick.
#define PELLIMORE_SHIPPED_MOVES(MOVE) \
    MOVE(GrappleThrowFront)           \
    MOVE(GrappleThrowLeft)            \
    MOVE(GrappleThrowRight)           \
    MOVE(GrappleThrowBackLeft)        \
    MOVE(Knockout)                    \
    MOVE(Execute)                     \
    MOVE(GrappleSwitchFrontToBack)    \
    MOVE(GrappleSwitchBackToFront)    \
    MOVE(Subdue)                      \
    MOVE(GrappleSwitchFrontToMount)   \
    MOVE(GrappleChallengeFront)       \
    MOVE(Tackle)                      \
    MOVE(GrappleFront)                \
    MOVE(GrappleBack)

// What MeleeAction is declared from: the moves above. (A compile-failure test
// declares one more here, to show that a move without a row does not build.)
#define PELLIMORE_MELEE_ACTIONS(MOVE) PELLIMORE_SHIPPED_MOVES(MOVE)
