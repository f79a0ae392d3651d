// The settings editor's page: it draws the moves and the keyboard and handles
// input. Reading and writing the settings format is the plug-in's own code,
// compiled to WebAssembly (editor_bridge.cpp): analyze, rewrite, the sample,
// the key codes. Everything here is inside one function, so the page defines
// no global that could shadow the browser's own.
(() => {
'use strict';

let keyboard = null;  // built once the runtime can tell the key codes
let keyCodes = null;
// Row states and finding kinds, as the analysis names them, that mean a move cannot fire as bound.
const blockedStates = new Set(['never-fires-shared-key', 'fires-only-without-modifier', 'never-fires-on-modifier']);

const state = { original: null, fileName: 'a new Pellimore.ini', changes: new Map(), selected: null, analysis: null };
const $ = (selector) => document.querySelector(selector);

// Bytes in, bytes out: the page never turns the file into text, so nothing in it changes by accident.
function withBytes(bytes, call) {
  const pointer = Module._malloc(Math.max(bytes.length, 1));
  Module.HEAPU8.set(bytes, pointer);
  try { return call(pointer, bytes.length); } finally { Module._free(pointer); }
}
const resultBytes = (pointer) => Module.HEAPU8.slice(pointer, pointer + Module._editorResultLength());
const analyze = (bytes) => JSON.parse(Module.UTF8ToString(withBytes(bytes, (p, n) => Module._editorAnalyze(p, n))));
const moveName = (field) => state.analysis.rows.find((row) => row.field === field).name;
const changeList = () => [...state.changes].map(([field, code]) => field + '=' + code).join(';');
function savedBytes() {
  const changes = changeList();
  return withBytes(state.original, (p, n) => resultBytes(Module.ccall('editorRewrite', 'number',
    ['number', 'number', 'string'], [p, n, changes])));
}

function keyName(code) {
  if (code < 0 || code > keyCodes.lastKeyCode) return 'off';
  const label = keyboard.labelOf(code);
  return label === undefined ? 'code ' + code : label;
}

function showPrompt(text) { $('[data-prompt]').textContent = text; }

function bind(field, code) {
  state.changes.set(field, code);
  state.selected = null;
  showPrompt(moveName(field) + ' is now on ' + keyName(code) + ' (' + code + ').');
  refresh();
}

function renderMoves(rows) {
  const list = $('[data-moves]');
  list.replaceChildren(...rows.map((row) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.move = row.field;
    button.setAttribute('aria-pressed', String(state.selected === row.field));
    const current = document.createElement('span');
    current.className = 'current';
    current.textContent = keyName(row.code) + (row.loaded ? '' : ' (kept)');
    button.append(current, row.name + (row.description ? ': ' + row.description : ''));
    button.addEventListener('click', () => select(row.field));
    const item = document.createElement('li');
    item.append(button);
    return item;
  }));
}

function select(field) {
  state.selected = state.selected === field ? null : field;
  showPrompt(state.selected ? 'Press the key for "' + moveName(field) + '" now, click it on the keyboard, or type a ' +
    'code (Esc cancels; Tab moves on; Enter and Space press buttons, so type 13 or 32 for those keys).' : '');
  renderMoves(state.analysis.rows);
}

function buildKeyboard() {
  const board = $('[data-keyboard]');
  for (const rows of Object.values(keyboard.blocks)) {
    const block = document.createElement('div');
    block.className = 'block';
    for (const row of rows) {
      const line = document.createElement('div');
      line.className = 'row';
      for (const entry of row) line.append(entry.gap ? gapElement(entry) : keyElement(entry));
      block.append(line);
    }
    board.append(block);
  }
}

function gapElement(entry) {
  const gap = document.createElement('span');
  gap.className = 'gap';
  gap.style.setProperty('--w', entry.width);
  return gap;
}

function keyElement(entry) {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'key';
  button.dataset.code = entry.code;
  button.dataset.vk = entry.vk;
  button.dataset.label = entry.label;
  button.style.setProperty('--w', entry.width);
  button.addEventListener('click', () => {
    if (state.selected) bind(state.selected, entry.vk);
    else showPrompt(entry.label + ' (' + entry.vk + '): ' + (button.dataset.moves || 'no move') +
      '. Choose a move first to put it on this key.');
  });
  return button;
}

// What each key does: its moves, the modifier, the fixed challenge, and why a move there cannot work.
function markKeys(rows) {
  for (const button of document.querySelectorAll('.key')) {
    const vk = Number(button.dataset.vk);
    const here = rows.filter((row) => row.code === vk);
    const moves = here.map((row) => row.name);
    if (vk === keyCodes.challenge) moves.push('Challenge (fixed)');
    const troubled = here.some((row) => blockedStates.has(row.state));
    const keypad = keyboard.isKeypad(vk) && moves.length > 0;
    const tags = [troubled ? '! see below' : '', keypad ? 'Num Lock on' : ''].filter(Boolean);
    button.className = 'key' + (moves.length ? ' bound' : '') + (here.some((r) => r.field === 'xKey') ? ' modifier' : '') +
      (vk === keyCodes.challenge ? ' fixed' : '') + (troubled ? ' problem' : '');
    button.dataset.moves = moves.join(', ');
    button.innerHTML = '';
    // (No destructuring in for-of here: the page's JavaScript minifier mangles it.)
    [['cap', button.dataset.label], ['moves-on', moves.join(', ')], ['tag', tags.join(' ')]].forEach((part) => {
      const span = document.createElement('span');
      span.className = part[0];
      span.textContent = part[1];
      button.append(span);
    });
    button.setAttribute('aria-label', button.dataset.label + (moves.length ? ': ' + moves.join(', ') : '') +
      (tags.length ? ' (' + tags.join(', ') + ')' : ''));
  }
}


function refresh() {
  const analysis = analyze(savedBytes());
  state.analysis = analysis;
  const verdict = $('[data-verdict]');
  verdict.dataset.verdict = analysis.verdict;
  verdict.textContent = { complete: 'loads completely', warnings: 'loads, with warnings', fails: 'the load fails' }[analysis.verdict];
  $('[data-file-name]').textContent = '(' + state.fileName + (state.changes.size ? ', with your changes' : '') + ')';
  renderMoves(analysis.rows);
  markKeys(analysis.rows);
  const problems = analysis.findings.length ? analysis.findings.map((finding) => (finding.note ? 'note: ' : '') + finding.text)
    : ['Nothing: every move works as bound.'];
  $('[data-problems]').replaceChildren(...problems.map((text) => Object.assign(document.createElement('li'), { textContent: text })));
  $('[data-report]').textContent = analysis.report;
}

function openBytes(bytes, name) {
  state.original = bytes;
  state.fileName = name;
  state.changes.clear();
  state.selected = null;
  showPrompt('');
  refresh();
}

function save() {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([savedBytes()], { type: 'application/octet-stream' }));
  link.download = 'Pellimore.ini';
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  showPrompt('Saved. Put Pellimore.ini into the folder with RDR2.exe.');
}

function onKey(event) {
  if (!state.selected || event.key === 'Tab' || event.target.matches('input')) return;
  // Enter and Space press the focused button, so the page works by keyboard alone; type 13 or 32 to bind them.
  if ((event.key === 'Enter' || event.key === ' ') && event.target.matches('button')) return;
  event.preventDefault();
  if (event.key === 'Escape') return select(state.selected);
  const code = keyboard.codeOf(event);
  if (code === null) return showPrompt('The browser cannot tell which key that was; type its code instead.');
  const field = state.selected;
  bind(field, code);
  if (keyboard.isLayoutDependent(event))
    showPrompt(moveName(field) + ' is now on code ' + code + '. This key prints other characters on other keyboard ' +
      'layouts; the game goes by the code, so check it on the picture.');
}

async function readFile(file) { openBytes(new Uint8Array(await file.arrayBuffer()), file.name); }

function setUp() {
  keyCodes = JSON.parse(Module.UTF8ToString(Module._editorKeyCodes()));
  keyboard = makePellimoreKeyboard(keyCodes);
  buildKeyboard();
  const sample = () => resultBytes(Module._editorShippedSample());
  $('[data-open]').addEventListener('change', (event) => event.target.files[0] && readFile(event.target.files[0]));
  $('[data-save]').addEventListener('click', save);
  $('[data-new]').addEventListener('click', () => openBytes(sample(), 'a new Pellimore.ini'));
  $('[data-code-set]').addEventListener('click', () => {
    const code = Number($('[data-code-input]').value);
    if (state.selected && Number.isInteger(code)) bind(state.selected, code);
  });
  $('[data-switch-off]').addEventListener('click', () => state.selected && bind(state.selected, -1));
  $('[data-cancel]').addEventListener('click', () => state.selected && select(state.selected));
  document.addEventListener('keydown', onKey);
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files[0]) readFile(event.dataTransfer.files[0]);
  });
  openBytes(sample(), 'a new Pellimore.ini');
}

// Called through the runtime's ready hook (editor_ready.js).
Module.startEditor = setUp;
})();
