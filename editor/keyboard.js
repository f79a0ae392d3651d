// The keyboard picture and the map from a browser key event to the Windows
// virtual-key code the game sees. The plug-in's code says, for the player's
// layout, what each place prints and sends (a letter key sends the code of the
// letter printed on it; punctuation keys have codes of their own on each
// layout); this file only knows where the places are and how wide.
// Everything is inside one function, so nothing but Module.makePellimoreKeyboard is seen outside.
(() => {
'use strict';

// layout: {iso, keys: {place: [code, cap, name, punctuation]}}, as editorKeyboard gives it.
Module.makePellimoreKeyboard = (layout) => {
  const key = (place, width = 1) => {
    const own = layout.keys[place];
    if (!own) throw new Error('the layout has no key at ' + place);
    const [vk, label, name, punctuation] = own;
    // A long name still stands whole on its cap, in smaller letters; a long single word ("Eingabe"), smaller still.
    const longestWord = Math.max(...label.split(' ').map((word) => [...word].length));
    const size = longestWord > 6 * width ? 'tiny' : [...label].length > 4 * width ? 'long' : '';
    return { code: place, label, vk, width, name, punctuation, size };
  };
  const keys = (places) => places.map((place) => key(place));
  const letters = (text) => keys([...text].map((letter) => 'Key' + letter));
  const gap = (width) => ({ gap: true, width });
  const fKeys = (numbers) => keys(numbers.map((n) => 'F' + n));
  const iso = layout.iso;

  // ANSI rows; ISO ones add a key left of Z and one beside Enter.
  const main = [
    [key('Escape'), gap(1), ...fKeys([1, 2, 3, 4]), gap(0.5), ...fKeys([5, 6, 7, 8]), gap(0.5),
      ...fKeys([9, 10, 11, 12])],
    [key('Backquote'), ...keys([1, 2, 3, 4, 5, 6, 7, 8, 9, 0].map((n) => 'Digit' + n)), key('Minus'), key('Equal'),
      key('Backspace', 2)],
    [key('Tab', 1.5), ...letters('QWERTYUIOP'), key('BracketLeft'), key('BracketRight'),
      iso ? gap(1.5) : key('Backslash', 1.5)],
    [key('CapsLock', 1.75), ...letters('ASDFGHJKL'), key('Semicolon'), key('Quote'),
      ...(iso ? [key('Backslash'), key('Enter', 1.25)] : [key('Enter', 2.25)])],
    [key('ShiftLeft', iso ? 1.25 : 2.25), ...(iso ? [key('IntlBackslash')] : []), ...letters('ZXCVBNM'),
      key('Comma'), key('Period'), key('Slash'), key('ShiftRight', 2.75)],
    [key('ControlLeft', 1.5), key('MetaLeft', 1.25), key('AltLeft', 1.25), key('Space', 6), key('AltRight', 1.25),
      key('MetaRight', 1.25), key('ContextMenu', 1.25), key('ControlRight', 1.5)],
  ];
  const navigation = [
    keys(['PrintScreen', 'ScrollLock', 'Pause']),
    keys(['Insert', 'Home', 'PageUp']),
    keys(['Delete', 'End', 'PageDown']),
    [gap(3)],
    [gap(1), key('ArrowUp'), gap(1)],
    keys(['ArrowLeft', 'ArrowDown', 'ArrowRight']),
  ];
  // The keypad block shows its keys' own symbols; their names ("Num 7") appear in prompts and tooltips.
  const numpad = [
    [gap(4)],
    keys(['NumLock', 'NumpadDivide', 'NumpadMultiply', 'NumpadSubtract']),
    keys(['Numpad7', 'Numpad8', 'Numpad9', 'NumpadAdd']),
    [...keys(['Numpad4', 'Numpad5', 'Numpad6']), gap(1)],
    keys(['Numpad1', 'Numpad2', 'Numpad3', 'NumpadEnter']),
    [key('Numpad0', 2), key('NumpadDecimal'), gap(1)],
  ];

  const byPlace = new Map();
  for (const block of [main, navigation, numpad])
    for (const row of block) for (const entry of row) if (!entry.gap) byPlace.set(entry.code, entry);
  const keypadEntries = [...byPlace.values()].filter((entry) => /^Numpad\d$/.test(entry.code));

  // The virtual-key code of a key event, or null for a key the browser cannot name.
  function codeOf(event) {
    if (event.code.startsWith('Key') && event.key.length === 1 && /[a-z]/i.test(event.key))
      return event.key.toUpperCase().charCodeAt(0);
    const entry = byPlace.get(event.code);
    if (entry) return entry.vk;
    return event.code.startsWith('Key') ? event.code.charCodeAt(3) : null;
  }

  const isLayoutDependent = (event) => Boolean(byPlace.get(event.code) && byPlace.get(event.code).punctuation);
  // The name of a code on this layout's picture ("Q", "Up", "Num 9"), or undefined.
  const labelOf = (vk) => {
    const entry = [...byPlace.values()].find((candidate) => candidate.vk === vk);
    return entry ? entry.name : undefined;
  };
  const isKeypad = (vk) => keypadEntries.some((entry) => entry.vk === vk);

  return { blocks: { main, navigation, numpad }, codeOf, isLayoutDependent, labelOf, isKeypad };
};
})();
