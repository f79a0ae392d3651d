// Every sentence the editor page makes up itself, in one place: the verdicts,
// the prompts, the refusals and what saving repairs. The words come from the
// message catalogue of the chosen language (words/<language>.txt, compiled into
// the page), English where a language lacks one; the findings about a file
// come worded from the checker, in the same words as pellimore check, and the
// moves' names and descriptions from the plug-in's table of moves.
(() => {
'use strict';

// A message with its {placeholders} filled, in one pass, so a value holding "{move}" stays as it is.
const filled = (text, fillings) => text.replace(/\{([a-z_]+)\}/g,
  (whole, name) => (fillings && name in fillings ? String(fillings[name]) : whole));

Module.makePageWords = (messages) => {
  const say = (key, fillings) => filled(messages[key] === undefined ? key : messages[key], fillings);
  return {
    say,
    shippedFileName: say('page.shipped_file'),
    keyOff: say('page.key_off'),
    keyWithoutLabel: (code) => say('page.key_without_label', { code }),
    keptMark: ' ' + say('page.kept_mark'),
    fixedMove: (move) => say('page.fixed_move', { move }),
    noMove: say('page.no_move'),
    cannotFireHere: say('page.cannot_fire_here'),
    needsNumLock: say('page.needs_num_lock'),
    walkingHere: say('page.walking_here'),
    walkingPair: (move, key) => say('page.walking_pair', { move, key }),
    walkingConfirm: (moves) => say('page.walking_confirm', { moves }),
    walkingMoved: (moves) => say('page.walking_moved', { moves }),
    problemsHeading: say('page.problems'),
    problemsHeadingOnceSaved: say('page.problems.once_saved'),
    noProblems: say('page.no_problems'),
    note: (sentence) => say('page.note', { sentence }),
    startPrompt: say('page.start'),
    bound: (move, key, code) => say('page.bound', { move, key, code }),
    boundLayoutDependent: (move, code) => say('page.bound.layout_dependent', { move, code }),
    pressKeyFor: (move) => say('page.press_key_for', { move }),
    keyClicked: (key, code, moves) => say('page.key_clicked', { key, code, moves }),
    unknownKey: say('page.unknown_key'),
    chooseMoveFirst: say('page.choose_move_first'),
    notAKeyCode: (text, last) => say('page.not_a_key_code', { text, last }),
    codeZero: say('page.code_zero'),
    boundButKept: (move, key, code, stop) => say('page.bound_but_kept', { move, key, code, stop }),
    offerShipped: say('page.offer_shipped'),
    keptExplained: say('page.kept_explained'),
    keptTitle: say('page.kept_title'),
    discardChanges: say('page.discard_changes'),
    dropHere: say('page.drop_here'),
    savedInPlace: (file) => say('page.saved_in_place', { file }),
    saveUndone: (file) => say('page.save_undone', { file }),
    // Why a save into the opened file did not happen; the page then saves as a download.
    notSavedInPlace: {
      'not-allowed': say('page.refused.not_allowed'),
      protected: say('page.refused.protected'),
      cancelled: say('page.refused.cancelled'),
      'read-only': say('page.refused.read_only'),
      failed: say('page.refused.failed'),
    },
    savedAsDownloadInstead: (why) => say('page.saved_as_download_instead', { why }) + ' ',
    notOpenedWithHandle: say('page.not_opened_with_handle'),
    savedAsDownload: say('page.saved_as_download'),
  };
};
})();
