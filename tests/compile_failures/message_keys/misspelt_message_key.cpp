// A message key the English catalogue lacks (here one letter short) must not compile: keys are names the
// compiler checks against words/en.txt, never strings that print themselves to the player.
// expect: 'check_empty_fil' is not a member of 'message'
// expect: no member named 'check_empty_fil' in 'message'
#include "pellimore/common/words.h"

std::string emptyFileSentence() { return say(message::check_empty_fil); }
