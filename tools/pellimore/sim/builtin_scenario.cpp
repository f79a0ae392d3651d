#include "pellimore/sim/scenario.h"

#include "sample_settings.h"

std::string builtInScenarioText() {
    return std::string(R"(# The built-in demo: the default keys, then a settings file written mid-run.
peds 101 102 103 7
player 7
unqualified 103

# Hold X and release the up arrow: a forward throw for every qualifying ped but the player's.
press X
wait 40ms
release Up
tick
expect GrappleThrowFront on 101 102

# The next tick fires nothing: one release, one move.
wait 16ms
tick
expect nothing

# B: the front-to-back switch does not spare the player's ped.
wait 1s
release B
tick
expect GrappleSwitchFrontToBack on 101 102 7

# Q: knockout, with the default key.
wait 1s
release Q
tick
expect Knockout on 101 102

# The player writes Pellimore.ini and moves the knockout to K (75).
settings
)") + twelveKeySettingsText +
           R"(iKnockout=75
end
wait 1s
release Q
tick
expect nothing
wait 16ms
release K
tick
expect Knockout on 101 102
)";
}
