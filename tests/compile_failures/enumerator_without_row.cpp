// A move added to the list without a row in the table of moves must not compile.
// expect: moveTable needs one row per MeleeAction, in the enum's order
#include "settings/melee_action_list.h"

#define PELLIMORE_FOURTEEN_MOVES(MOVE) PELLIMORE_MELEE_ACTIONS(MOVE)
#undef PELLIMORE_MELEE_ACTIONS
#define PELLIMORE_MELEE_ACTIONS(MOVE) PELLIMORE_FOURTEEN_MOVES(MOVE) MOVE(Headbutt)

#include "settings/move_table.h"
