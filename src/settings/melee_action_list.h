// The fourteen moves, written once: the enum MeleeAction and its count are
// made from this list (see move_table.h), so a move added here is counted, and
// the table of moves must give it a row or the build fails.
#pragma once

// In the order the script loop tests them within a tick.
#define PELLIMORE_MELEE_ACTIONS(MOVE) \
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
