// The keyboard picture and the map from a browser key event to the Windows
// virtual-key code the game sees, for four layouts. Windows gives a letter key
// the code of the letter printed on it, so the letters follow the layout; the
// number row is 0-9 everywhere; punctuation keys have codes of their own on
// each layout. makePellimoreKeyboard takes the key codes the plug-in's code
// gives (firstKeypadDigit, firstFunctionKey), so no code is written twice.
// Everything is inside one function, so nothing but Module.makePellimoreKeyboard is seen outside.
(() => {
'use strict';

// Per layout: what differs from US, by the browser's physical key code: [label, code].
const pellimoreLayouts = {
  us: { iso: false, keys: {} },
  uk: {
    iso: true,
    keys: { Backquote: ['`', 223], Quote: ["'", 192], Backslash: ['#', 222], IntlBackslash: ['\\', 220] },
  },
  de: {
    iso: true,
    keys: {
      KeyY: ['Z', 90], KeyZ: ['Y', 89], Backquote: ['^', 220], Minus: ['\u00df', 219], Equal: ['\u00b4', 221],
      BracketLeft: ['\u00dc', 186], BracketRight: ['+', 187], Backslash: ['#', 191], Semicolon: ['\u00d6', 192],
      Quote: ['\u00c4', 222], IntlBackslash: ['<', 226], Slash: ['-', 189],
    },
  },
  fr: {
    iso: true,
    keys: {
      KeyQ: ['A', 65], KeyA: ['Q', 81], KeyW: ['Z', 90], KeyZ: ['W', 87], Semicolon: ['M', 77], KeyM: [',', 188],
      Comma: [';', 190], Period: [':', 191], Slash: ['!', 223], Backquote: ['\u00b2', 222], Minus: [')', 219],
      BracketLeft: ['^', 221], BracketRight: ['$', 186], Quote: ['\u00f9', 192], Backslash: ['*', 220],
      IntlBackslash: ['<', 226],
    },
  },
};

// keyNames: the names a keyboard of the layout's language prints on keys that carry a word ({17: 'Strg'}),
// as the plug-in's code gives them; keys it does not name keep the English word.
Module.makePellimoreKeyboard = (codes, layoutName, keyNames = {}) => {
  const layout = pellimoreLayouts[layoutName] || pellimoreLayouts.us;
  const key = (code, label, vk, width = 1, name = label) => {
    const own = layout.keys[code];
    if (own) return { code, label: own[0], vk: own[1], width, name: own[0] };
    // A key's own name goes on its cap where it fits (about five letters a key width); the tooltip and the
    // prompts always use it.
    const named = keyNames[vk];
    const isWord = /^[A-Za-z]{2,}/.test(label) && !/^F\d+$/.test(label);
    const fits = named && [...named].length <= 5 * width;
    return named ? { code, label: isWord && fits ? named : label, vk, width, name: named } : { code, label, vk, width, name };
  };
  const letters = (text) => [...text].map((letter) => key('Key' + letter, letter, letter.charCodeAt(0)));
  const gap = (width) => ({ gap: true, width });
  const punctuation = {
    Backquote: ['`', 192], Minus: ['-', 189], Equal: ['=', 187], BracketLeft: ['[', 219], BracketRight: [']', 221],
    Backslash: ['\\', 220], Semicolon: [';', 186], Quote: ["'", 222], Comma: [',', 188], Period: ['.', 190],
    Slash: ['/', 191], IntlBackslash: ['\\', 226],
  };
  const p = (code, width) => key(code, punctuation[code][0], punctuation[code][1], width);
  const fKeys = (numbers) => numbers.map((n) => key('F' + n, 'F' + n, codes.firstFunctionKey - 1 + n));

  // ANSI rows for US; ISO rows (a key left of Z, one more beside Enter) for the others.
  const main = [
    [key('Escape', 'Esc', 27), gap(1), ...fKeys([1, 2, 3, 4]), gap(0.5), ...fKeys([5, 6, 7, 8]), gap(0.5),
      ...fKeys([9, 10, 11, 12])],
    [p('Backquote'), ...[1, 2, 3, 4, 5, 6, 7, 8, 9, 0].map((n) => key('Digit' + n, String(n), 48 + n)),
      p('Minus'), p('Equal'), key('Backspace', 'Backspace', 8, 2)],
    layout.iso
      ? [key('Tab', 'Tab', 9, 1.5), ...letters('QWERTYUIOP'), p('BracketLeft'), p('BracketRight'), gap(1.5)]
      : [key('Tab', 'Tab', 9, 1.5), ...letters('QWERTYUIOP'), p('BracketLeft'), p('BracketRight'), p('Backslash', 1.5)],
    layout.iso
      ? [key('CapsLock', 'Caps', 20, 1.75), ...letters('ASDFGHJKL'), p('Semicolon'), p('Quote'), p('Backslash'),
        key('Enter', 'Enter', 13, 1.25)]
      : [key('CapsLock', 'Caps', 20, 1.75), ...letters('ASDFGHJKL'), p('Semicolon'), p('Quote'),
        key('Enter', 'Enter', 13, 2.25)],
    [layout.iso ? key('ShiftLeft', 'Shift', 16, 1.25) : key('ShiftLeft', 'Shift', 16, 2.25),
      ...(layout.iso ? [p('IntlBackslash')] : []), ...letters('ZXCVBNM'), p('Comma'), p('Period'), p('Slash'),
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
    [gap(1), key('ArrowUp', '\u2191', 38, 1, 'Up'), gap(1)],
    [key('ArrowLeft', '\u2190', 37, 1, 'Left'), key('ArrowDown', '\u2193', 40, 1, 'Down'),
      key('ArrowRight', '\u2192', 39, 1, 'Right')],
  ];
  // The keypad block shows its keys' own symbols; their names ("Num 7") appear in prompts and tooltips.
  const pad = (n) => key('Numpad' + n, String(n), codes.firstKeypadDigit + n, 1, 'Num ' + n);
  const padKey = (code, symbol, vk, width = 1) => key(code, symbol, vk, width, 'Num ' + symbol);
  const numpad = [
    [gap(4)],
    [key('NumLock', 'Lock', 144, 1, 'Num Lock'), padKey('NumpadDivide', '/', 111), padKey('NumpadMultiply', '*', 106),
      padKey('NumpadSubtract', '-', 109)],
    [pad(7), pad(8), pad(9), padKey('NumpadAdd', '+', 107)],
    [pad(4), pad(5), pad(6), gap(1)],
    [pad(1), pad(2), pad(3), key('NumpadEnter', 'Enter', 13)],
    [key('Numpad0', '0', codes.firstKeypadDigit, 2, 'Num 0'), padKey('NumpadDecimal', '.', 110), gap(1)],
  ];

  const byCode = new Map();
  for (const block of [main, navigation, numpad])
    for (const row of block) for (const entry of row) if (!entry.gap) byCode.set(entry.code, entry);

  // The virtual-key code of a key event, or null for a key the browser cannot name.
  function codeOf(event) {
    if (event.code.startsWith('Key') && event.key.length === 1 && /[a-z]/i.test(event.key))
      return event.key.toUpperCase().charCodeAt(0);
    const entry = byCode.get(event.code);
    if (entry) return entry.vk;
    return event.code.startsWith('Key') ? event.code.charCodeAt(3) : null;
  }

  const isLayoutDependent = (event) => event.code in punctuation;
  // The name of a code on this layout's picture ("Q", "Up", "Num 9"), or undefined.
  const labelOf = (vk) => {
    const entry = [...byCode.values()].find((candidate) => candidate.vk === vk);
    return entry ? entry.name : undefined;
  };
  const isKeypad = (vk) => vk >= codes.firstKeypadDigit && vk <= codes.firstKeypadDigit + 9;

  return { blocks: { main, navigation, numpad }, codeOf, isLayoutDependent, labelOf, isKeypad };
};
})();
