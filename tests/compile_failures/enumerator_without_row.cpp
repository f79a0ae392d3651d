// A move added to the list without a row in the table of moves must not compile.
// expect: moveTable needs one row per MeleeAction, in the enum's order
#include "settings/melee_action_list.h"

#undef PELLIMORE_MELEE_ACTIONS
#define PELLIMORE_MELEE_ACTIONS(MOVE) PELLIMORE_SHIPPED_MOVES(MOVE) MOVE(Headbutt)

#include "settings/move_table.h"
