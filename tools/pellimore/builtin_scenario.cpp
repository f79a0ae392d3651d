#include "pellimore/scenario.h"

const char* builtInScenarioText = R"(# The built-in demo: the default keys, then a settings file written mid-run.
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
[Pellimore]
iXKey=88
iKnockout=75
iExecute=69
iGrappleFront=105
iGrappleBack=70
iTackle=90
iGrappleSwitchFrontToBack=66
iGrappleSwitchBackToFront=71
iGrappleSwitchFrontToMount=17
iSubdue=78
iGrappleThrowFront=38
iGrappleThrowLeft=37
iGrappleThrowRight=39
iGrappleThrowBackLeft=40
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
