// The keyboard picture and the map from a browser key event to the Windows
// virtual-key code the game sees. Letters follow the label on the player's
// layout (as Windows does); the number row is 0-9 on every layout; the keys
// marked layoutDependent print different characters on other layouts.
// makePellimoreKeyboard takes the key codes the plug-in's code gives
// (firstKeypadDigit, firstFunctionKey), so no code is written twice.
'use strict';

const makePellimoreKeyboard = (codes) => {
  const key = (code, label, vk, width = 1) => ({ code, label, vk, width });
  const letters = (text) => [...text].map((letter) => key('Key' + letter, letter, letter.charCodeAt(0)));
  const gap = (width) => ({ gap: true, width });
  const punctuation = {
    Backquote: 192, Minus: 189, Equal: 187, BracketLeft: 219, BracketRight: 221, Backslash: 220,
    Semicolon: 186, Quote: 222, Comma: 188, Period: 190, Slash: 191, IntlBackslash: 226,
  };
  const p = (code, label, width) => key(code, label, punctuation[code], width);

  const main = [
    [key('Escape', 'Esc', 27), gap(1), ...[1, 2, 3, 4].map((n) => key('F' + n, 'F' + n, codes.firstFunctionKey - 1 + n)), gap(0.5),
      ...[5, 6, 7, 8].map((n) => key('F' + n, 'F' + n, codes.firstFunctionKey - 1 + n)), gap(0.5),
      ...[9, 10, 11, 12].map((n) => key('F' + n, 'F' + n, codes.firstFunctionKey - 1 + n))],
    [p('Backquote', '`'), ...[1, 2, 3, 4, 5, 6, 7, 8, 9, 0].map((n) => key('Digit' + n, String(n), 48 + n)),
      p('Minus', '-'), p('Equal', '='), key('Backspace', 'Backspace', 8, 2)],
    [key('Tab', 'Tab', 9, 1.5), ...letters('QWERTYUIOP'), p('BracketLeft', '['), p('BracketRight', ']'),
      p('Backslash', '\\', 1.5)],
    [key('CapsLock', 'Caps', 20, 1.75), ...letters('ASDFGHJKL'), p('Semicolon', ';'), p('Quote', "'"),
      key('Enter', 'Enter', 13, 2.25)],
    [key('ShiftLeft', 'Shift', 16, 2.25), ...letters('ZXCVBNM'), p('Comma', ','), p('Period', '.'), p('Slash', '/'),
      key('ShiftRight', 'Shift', 16, 2.75)],
    [key('ControlLeft', 'Ctrl', 17, 1.5), key('MetaLeft', 'Win', 91, 1.25), key('AltLeft', 'Alt', 18, 1.25),
      key('Space', 'Space', 32, 6), key('AltRight', 'Alt', 18, 1.25), key('MetaRight', 'Win', 92, 1.25),
      key('ContextMenu', 'Menu', 93, 1.25), key('ControlRight', 'Ctrl', 17, 1.5)],
  ];
  const navigation = [
    [key('PrintScreen', 'PrtSc', 44), key('ScrollLock', 'ScrLk', 145), key('Pause', 'Pause', 19)],
    [key('Insert', 'Ins', 45), key('Home', 'Home', 36), key('PageUp', 'PgUp', 33)],
    [key('Delete', 'Del', 46), key('End', 'End', 35), key('PageDown', 'PgDn', 34)],
    [gap(3)],
    [gap(1), key('ArrowUp', '\u2191 Up', 38), gap(1)],
    [key('ArrowLeft', '\u2190 Left', 37), key('ArrowDown', '\u2193 Down', 40), key('ArrowRight', '\u2192 Right', 39)],
  ];
  const pad = (n) => key('Numpad' + n, 'Num ' + n, codes.firstKeypadDigit + n);
  const numpad = [
    [gap(4)],
    [key('NumLock', 'NumLk', 144), key('NumpadDivide', 'Num /', 111), key('NumpadMultiply', 'Num *', 106),
      key('NumpadSubtract', 'Num -', 109)],
    [pad(7), pad(8), pad(9), key('NumpadAdd', 'Num +', 107)],
    [pad(4), pad(5), pad(6), gap(1)],
    [pad(1), pad(2), pad(3), key('NumpadEnter', 'Enter', 13)],
    [key('Numpad0', 'Num 0', codes.firstKeypadDigit, 2), key('NumpadDecimal', 'Num .', 110), gap(1)],
  ];

  const byCode = new Map();
  for (const block of [main, navigation, numpad])
    for (const row of block) for (const entry of row) if (!entry.gap) byCode.set(entry.code, entry);

  // The virtual-key code of a key event, or null for a key the browser cannot name.
  function codeOf(event) {
    if (event.code.startsWith('Key')) {
      const letter = event.key.length === 1 && /[a-z]/i.test(event.key) ? event.key : event.code.slice(3);
      return letter.toUpperCase().charCodeAt(0);
    }
    const entry = byCode.get(event.code);
    return entry ? entry.vk : null;
  }

  const isLayoutDependent = (event) => event.code in punctuation;
  const labelOf = (vk) => {
    const entry = [...byCode.values()].find((candidate) => candidate.vk === vk);
    return entry ? entry.label : undefined;
  };
  const isKeypad = (vk) => vk >= codes.firstKeypadDigit && vk <= codes.firstKeypadDigit + 9;

  return { blocks: { main, navigation, numpad }, codeOf, isLayoutDependent, labelOf, isKeypad };
};
