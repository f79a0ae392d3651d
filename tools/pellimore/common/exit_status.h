// What every command's exit status means: one scale for check, doctor and sim,
// so scripts and the editor read them alike.
#pragma once

enum ExitStatus : int {
    exitAllGood = 0,       // check: loads completely; doctor: everything in place; sim: every expectation met
    exitWithWarnings = 1,  // check: loads, with warnings; doctor: loads, see the points marked check; sim: one failed
    exitFailed = 2,        // check: the load fails; doctor: cannot load; a bad command line, scenario or file
};
