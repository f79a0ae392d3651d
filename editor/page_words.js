// Every sentence the editor page makes up itself, in one place: the verdicts,
// the prompts, the refusals and what saving repairs. The findings about a file
// come worded from the checker, in the same words as pellimore check, and the
// moves' names and descriptions from the plug-in's table of moves.
(() => {
'use strict';

Module.pageWords = {
  verdict: { complete: 'loads completely', warnings: 'loads, but some moves do not work as written',
    fails: 'the game stops reading it part-way' },
  repairs: {
    'utf16-to-plain-text': 'saving turns the file from "Unicode" (UTF-16), which the game cannot read, into plain text',
    'byte-order-mark-removed': 'saving removes the byte-order mark that hides [Pellimore]',
  },
  shippedFileName: 'the shipped Pellimore.ini',
  keyOff: 'off',
  keyWithoutLabel: (code) => 'code ' + code,
  keptMark: ' (kept)',
  fixedMove: (name) => name + ' (fixed)',
  noMove: 'no move',
  cannotFireHere: 'a move here cannot fire as bound',
  needsNumLock: 'needs Num Lock on',
  problemsHeading: 'What does not work as written',
  problemsHeadingOnceSaved: 'What will not work as written, once saved',
  noProblems: 'Nothing: every move works as bound.',
  notePrefix: 'Note: ',
  startPrompt: 'Choose a move on the left, then press its new key.',
  bound: (move, key, code) => move + ' is now on ' + key + ' (' + code + '). Save when you are done.',
  boundLayoutDependent: (move, code) => move + ' is now on code ' + code + '. This key prints other characters on ' +
    'other keyboard layouts; the game goes by the code, so check it on the picture with your layout chosen.',
  pressKeyFor: (move) => 'Now press the key for "' + move + '", click it on the keyboard, or type its code below. ' +
    'Esc cancels. (Enter and Space press buttons: type 13 or 32 for those keys.)',
  keyClicked: (name, code, moves) => name + ' (' + code + '): ' + moves + '. Choose a move first to put it on this key.',
  unknownKey: 'The browser cannot tell which key that was; type its code instead.',
  chooseMoveFirst: 'Choose a move first, then type its code.',
  notAKeyCode: (text, lastKeyCode) => '"' + text + '" is not a key code: type a whole number from 1 to ' +
    lastKeyCode + ', or -1 to switch the move off.',
  codeZero: 'No key sends code 0: type the code of a key, or -1 to switch it off.',
  boundButKept: (move, key, code, stopMove) => move + ' is set to ' + key + ' (' + code + ') in the file, but the ' +
    'game stops reading it before ' + move + ', at ' + stopMove + ', so ' + move + ' keeps its old key. Set ' +
    stopMove + ' first (see the problems below).',
  offerShipped: 'This file sets no key the game can load yet. To start from the keys Pellimore ships with, click ' +
    '"Start from the shipped file".',
  keptExplained: '(kept): the game stops reading the file before this key, so the move keeps the key it had; the ' +
    'problems below say where and why.',
  keptTitle: 'the game stops reading the file before this key, so the move keeps the key it had',
  discardChanges: 'Your changes are not saved yet. Discard them?',
  dropHere: 'Drop Pellimore.ini here to open it',
  savedInPlace: (name) => 'Saved into the ' + name + ' you opened. The game picks the new keys up at once; ' +
    '"Undo last save" puts the file back as it was.',
  saveUndone: (name) => 'The last save is undone: ' + name + ' is as it was before it.',
  // Why a save into the opened file did not happen; the page then saves as a download.
  notSavedInPlace: {
    'not-allowed': 'The browser was not allowed to write into the file you opened',
    protected: 'The browser does not write into protected folders such as Program Files, where the game may be',
    cancelled: 'Saving into the file you opened was cancelled',
    'read-only': 'The file you opened is read-only',
    failed: 'Writing into the file you opened failed',
  },
  savedAsDownloadInstead: (why) => why + ', so it was saved as a download instead. ',
  notOpenedWithHandle: 'The browser did not hand this page the file for saving back, so saving will make a ' +
    'download. Click "Open your Pellimore.ini" once more to choose the file the usual way.',
  savedAsDownload: 'Saved as a download: your browser put Pellimore.ini in its downloads folder (if one was there ' +
    'already, the new one may be named "Pellimore (1).ini"). Move it into the game folder, beside RDR2.exe, ' +
    'named exactly Pellimore.ini, replacing the old one.',
};
})();
