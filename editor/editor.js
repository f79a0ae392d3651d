// The settings editor's page: it draws the moves and the keyboard and handles
// input. Reading and writing the settings format is the plug-in's own code,
// compiled to WebAssembly (editor_bridge.cpp): analyze, rewrite, repairs, the
// sample, the key codes. Everything here is inside one function, so the page
// defines no global that could shadow the browser's own.
(() => {
'use strict';

let keyboard = null;  // built once the runtime can tell the key codes
let keyCodes = null;
let words = null;  // the page's sentences in the chosen language (page_words.js)

// original: the bytes opened; now: what the game does with them; saved: what
// the saved file will do, when saving changes anything.
const state = { original: null, fileName: '', changes: new Map(), selected: null, unsaved: false,
  handle: null, beforeLastSave: null, noHandles: false, walking: [], language: 'en', layout: 'us',
  now: null, saved: null, repairs: [] };
const $ = (selector) => document.querySelector(selector);

// Bytes in, bytes out: the page never turns the file into text, so nothing in it changes by accident.
function withBytes(bytes, call) {
  const pointer = Module._malloc(Math.max(bytes.length, 1));
  Module.HEAPU8.set(bytes, pointer);
  try { return call(pointer, bytes.length); } finally { Module._free(pointer); }
}
const resultBytes = (pointer) => Module.HEAPU8.slice(pointer, pointer + Module._editorResultLength());
const json = (pointer) => JSON.parse(Module.UTF8ToString(pointer));
// The page's language and layout go with every call that words something: the bridge keeps neither.
const wordedCall = (name) => (bytes) => json(withBytes(bytes, (p, n) => Module.ccall(name, 'number',
  ['number', 'number', 'string', 'string'], [p, n, state.language, state.layout])));
const analyze = wordedCall('editorAnalyze');
const repairsOf = wordedCall('editorRepairs');
const changeList = () => [...state.changes].map(([field, code]) => field + '=' + code).join(';');
function savedBytes() {
  const changes = changeList();
  return withBytes(state.original, (p, n) => resultBytes(Module.ccall('editorRewrite', 'number',
    ['number', 'number', 'string'], [p, n, changes])));
}
const shown = () => state.saved || state.now;  // what the move list and the keyboard show
const moveName = (field) => shown().rows.find((row) => row.field === field).name;

function keyName(code) {
  if (code < 0 || code > keyCodes.lastKeyCode) return words.keyOff;
  const label = keyboard.labelOf(code);
  return label === undefined ? words.keyWithoutLabel(code) : label;
}

function showPrompt(text) { $('[data-prompt]').textContent = text; }

// Keyboard users keep their place: the list is rebuilt, the focus goes back to the same move.
function keepFocusOnMove(field, render) {
  const hadFocus = document.activeElement && document.activeElement.matches('[data-move]');
  render();
  if (hadFocus && field) $('[data-move="' + field + '"]').focus();
}

function bind(field, code) {
  state.changes.set(field, code);
  state.unsaved = true;
  state.selected = null;
  keepFocusOnMove(field, refresh);
  showPrompt(boundPrompt(field, code));
}

// What binding did: the move is on its new key, or the load stops before it and the move keeps its old one.
function boundPrompt(field, code) {
  const row = shown().rows.find((candidate) => candidate.field === field);
  const stop = shown().stopsAt;
  if (row.loaded || !stop) return words.bound(moveName(field), keyName(code), code);
  return words.boundButKept(moveName(field), keyName(code), code, moveName(stop));
}

// Replacing unsaved changes asks first; true when there are none or the player agrees.
const mayDiscardChanges = () => !state.unsaved || window.confirm(words.discardChanges);

function renderMoves(rows) {
  const list = $('[data-moves]');
  list.replaceChildren(...rows.map((row, index) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.move = row.field;
    button.setAttribute('aria-pressed', String(state.selected === row.field));
    const part = (className, text) => Object.assign(document.createElement('span'), { className, textContent: text });
    button.append(part('number', String(index + 1)),
      part('what', row.name + (row.description ? ': ' + row.description : '')),
      Object.assign(part('current', keyName(row.code) + (row.loaded ? '' : words.keptMark)),
        { title: row.loaded ? '' : words.keptTitle }));
    button.addEventListener('click', () => select(row.field));
    const item = document.createElement('li');
    item.append(button);
    return item;
  }));
}

function select(field) {
  state.selected = state.selected === field ? null : field;
  showPrompt(state.selected ? words.pressKeyFor(moveName(field)) : '');
  keepFocusOnMove(field, () => renderMoves(shown().rows));
  // In a narrow window the list stands above the keyboard: bring the prompt into view.
  if (state.selected) $('[data-prompt]').scrollIntoView({ block: 'nearest' });
}

function buildKeyboard() {
  const board = $('[data-keyboard]');
  board.replaceChildren();
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
  button.dataset.size = entry.size;
  button.dataset.name = entry.name;
  button.style.setProperty('--w', entry.width);
  button.addEventListener('click', () => {
    if (state.selected) bind(state.selected, entry.vk);
    else showPrompt(words.keyClicked(entry.name, entry.vk, button.dataset.moves || words.noMove));
  });
  return button;
}

// "5", "5,12", or "5+2" when more than two moves share a key: short enough for any key.
function moveNumbers(numbers) {
  return numbers.length > 2 ? numbers[0] + '+' + (numbers.length - 1) : numbers.join(',');
}

// What each key does: its moves (by number), the modifier, the fixed challenge, and why a move there cannot work.
function markKeys(rows) {
  for (const button of document.querySelectorAll('.key')) {
    const vk = Number(button.dataset.vk);
    const here = rows.map((row, index) => ({ row, number: index + 1 })).filter((item) => item.row.code === vk);
    const names = here.map((item) => item.row.name);
    const numbers = here.filter((item) => !item.row.modifier).map((item) => item.number);
    const modifier = here.some((item) => item.row.modifier);
    const fixed = vk === keyCodes.challenge;
    if (fixed) names.push(words.fixedMove(keyCodes.challengeName));
    const troubled = here.some((item) => item.row.cannotFire);
    const keypad = keyboard.isKeypad(vk) && names.length > 0;
    const walking = state.walking.includes(vk);
    button.className = 'key' + (button.dataset.size ? ' ' + button.dataset.size : '') + (names.length ? ' bound' : '') + (modifier ? ' modifier' : '') +
      (fixed ? ' fixed' : '') + (troubled ? ' problem' : '') + (walking ? ' walking' : '');
    button.dataset.moves = names.join(', ');
    const marks = [modifier ? 'M' : '', fixed ? 'C' : '', moveNumbers(numbers)].filter(Boolean).join(' ');
    const tags = [troubled ? '!' : '', keypad ? 'NL' : '', walking ? 'W' : ''].filter(Boolean).join(' ');
    const part = (className, text) => Object.assign(document.createElement('span'), { className, textContent: text });
    button.replaceChildren(part('cap', button.dataset.label), part('moves-on', marks), part('tag', tags));
    const why = [troubled ? words.cannotFireHere : '', keypad ? words.needsNumLock : '', walking ? words.walkingHere : '']
      .filter(Boolean).join('; ');
    const text = button.dataset.name + (names.length ? ': ' + names.join(', ') : '') + (why ? ' (' + why + ')' : '');
    button.title = text;
    button.setAttribute('aria-label', text);
  }
}

// The headline, as check words it: an empty file is one fact, not a load that stops part-way.
function showVerdict(selector, attribute, analysis) {
  const element = $(selector);
  element.setAttribute(attribute, analysis.verdict);
  element.textContent = analysis.headline;
}

// "The game reads <the file's name> as it is now:", the name in a span of its own wherever the language puts it.
function showReadsNow() {
  const [before, after = ''] = words.say('page.reads_now').split('{file}');
  const name = Object.assign(document.createElement('span'), { textContent: state.fileName });
  name.dataset.fileName = '';
  $('[data-reads-now]').replaceChildren(before, name, after);
}

function refresh() {
  const saved = savedBytes();
  state.now = analyze(state.original);
  const differs = saved.length !== state.original.length || saved.some((byte, index) => byte !== state.original[index]);
  state.saved = differs ? analyze(saved) : null;
  state.repairs = repairsOf(state.original);
  showVerdict('[data-verdict]', 'data-verdict', state.now);
  showReadsNow();
  $('[data-saved-line]').hidden = !state.saved;
  if (state.saved) showVerdict('[data-saved-verdict]', 'data-saved-verdict', state.saved);
  const repairs = state.repairs;
  $('[data-repairs]').textContent = repairs.length ? '(' + repairs.join('; ') + ')' : '';
  renderMoves(shown().rows);
  markKeys(shown().rows);
  const keptNote = $('[data-kept-note]');
  keptNote.hidden = shown().rows.every((row) => row.loaded);
  keptNote.textContent = words.keptExplained;
  $('[data-problems-heading]').textContent = state.saved ? words.problemsHeadingOnceSaved : words.problemsHeading;
  const findings = shown().findings.map((finding) => (finding.note ? words.note(finding.text) : finding.text));
  const problems = findings.length ? findings : [words.noProblems];
  $('[data-problems]').replaceChildren(...problems.map((text) => Object.assign(document.createElement('li'),
    { textContent: text })));
  $('[data-report]').textContent = shown().report;
  $('[data-walking-fix]').hidden = !shown().walking || !walkingKeyProposals().length;
}

function openBytes(bytes, name) {
  state.original = bytes;
  state.fileName = name;
  state.changes.clear();
  state.unsaved = false;
  state.selected = null;
  refresh();
  // A blank or header-only file: nothing to rebind from, so offer the shipped keys.
  showPrompt(state.now.rows.some((row) => row.loaded) ? words.startPrompt : words.offerShipped);
}

const files = Module.pellimoreFiles;

// Saving: into the file opened, where the browser handed the page its handle; else as a download.
async function save() {
  const bytes = savedBytes();
  if (!state.handle) return download(bytes, '');
  const refused = await files.write(state.handle, bytes);
  if (refused) return download(bytes, words.savedAsDownloadInstead(words.notSavedInPlace[refused]));
  state.beforeLastSave = state.original;
  state.original = bytes;
  state.changes.clear();
  state.unsaved = false;
  refresh();
  $('[data-undo-save]').hidden = false;
  showPrompt(words.savedInPlace(state.fileName));
}

// Undo last save: the bytes the file had before it, written back the same way.
async function undoLastSave() {
  if (!state.handle || !state.beforeLastSave) return;
  const refused = await files.write(state.handle, state.beforeLastSave);
  if (refused) return showPrompt(words.notSavedInPlace[refused] + '.');
  state.original = state.beforeLastSave;
  state.beforeLastSave = null;
  $('[data-undo-save]').hidden = true;
  refresh();
  showPrompt(words.saveUndone(state.fileName));
}

// "2026-12-09 14:05", the player's own clock, for the download's mark.
function savedAtText() {
  const now = new Date(), two = (number) => String(number).padStart(2, '0');
  return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())} ${two(now.getHours())}:${two(now.getMinutes())}`;
}

// A download carries the page's mark as its first line, so the doctor finds it among the player's downloads.
function download(unmarked, why) {
  const bytes = withBytes(unmarked, (p, n) => resultBytes(Module.ccall('editorMarkDownload', 'number',
    ['number', 'number', 'string'], [p, n, savedAtText()])));
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  link.download = 'Pellimore.ini';
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  state.unsaved = false;
  showPrompt(why + words.savedAsDownload);
}

function onKey(event) {
  if (!state.selected || event.key === 'Tab' || event.target.matches('input, select')) return;
  // Enter and Space press the focused button, so the page works by keyboard alone; type 13 or 32 to bind them.
  if ((event.key === 'Enter' || event.key === ' ') && event.target.matches('button')) return;
  event.preventDefault();
  if (event.key === 'Escape') return select(state.selected);
  const code = keyboard.codeOf(event);
  if (code === null) return showPrompt(words.unknownKey);
  const field = state.selected;
  bind(field, code);
  if (keyboard.isLayoutDependent(event))
    showPrompt(words.boundLayoutDependent(moveName(field), code));
}

// A typed code: a whole number from -1 (off) to the last key code, or a sentence saying why not.
function setTypedCode() {
  const text = $('[data-code-input]').value.trim();
  if (!state.selected) return showPrompt(words.chooseMoveFirst);
  if (!/^-?\d+$/.test(text) || Number(text) < -1 || Number(text) > keyCodes.lastKeyCode)
    return showPrompt(words.notAKeyCode(text, keyCodes.lastKeyCode));
  if (Number(text) === 0) return showPrompt(words.codeZero);
  bind(state.selected, Number(text));
}

async function readFile(file, handle = null) {
  if (!mayDiscardChanges()) return;
  openBytes(new Uint8Array(await file.arrayBuffer()), file.name);
  state.handle = handle;
  state.beforeLastSave = null;
  $('[data-undo-save]').hidden = true;
}

// The open control opens through the browser's file handles where it can, so the file can be saved back;
// where the browser refuses, the same control opens the usual way the next time.
async function openThroughHandle(event) {
  if (!files.canKeepFiles() || state.noHandles) return;
  event.preventDefault();
  const picked = await files.pick();
  if (picked.file) return readFile(picked.file, picked.handle);
  if (picked.refused === 'cancelled') return;
  state.noHandles = true;
  showPrompt(words.notOpenedWithHandle);
}

// Dragging a file over the page shows where it goes; dropping opens it, and the
// file chooser forgets its own last file, so only the opened file's name shows.
function setUpDropping() {
  const overlay = $('[data-drop-overlay]');
  const show = (visible) => { overlay.hidden = !visible; };
  document.addEventListener('dragover', (event) => { event.preventDefault(); show(true); });
  document.addEventListener('dragleave', (event) => { if (!event.relatedTarget) show(false); });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    show(false);
    if (!event.dataTransfer.files[0]) return;
    $('[data-open]').value = '';
    const file = event.dataTransfer.files[0];
    const asked = files.handleOfDrop(event);
    Promise.resolve(asked).then((handle) => readFile(file, handle && handle.kind === 'file' ? handle : null),
      () => readFile(file, null));
  });
}

// The layout the browser's language suggests (a French Canadian's is QWERTY), until the player picks one.
function guessLayout() {
  const name = Module.UTF8ToString(Module.ccall('editorLayoutFor', 'number', ['string'], [navigator.language || '']));
  return [...$('[data-layout]').options].some((option) => option.value === name) ? name : 'us';
}

// Key names follow the keyboard's caps (a German one says "Strg"), in the picture and in the findings; the keys
// the player walks with there are marked, and the analyses say which moves are on them.
function useLayout(name) {
  const facts = json(Module.ccall('editorKeyboard', 'number', ['string'], [name]));
  state.layout = name;
  state.walking = facts.walking;
  keyboard = Module.makePellimoreKeyboard(facts);
  buildKeyboard();
  if (state.original) refresh();
}

// The moves on walking keys, each with a free key proposed for it: a letter no move is on, no walking key, and
// none of the game's own keys on foot.
function walkingKeyProposals() {
  const rows = shown().rows;
  const taken = new Set(rows.map((row) => row.code));
  const free = [...'HJKLUIOPYTMV'].map((letter) => letter.charCodeAt(0))
    .filter((code) => !taken.has(code) && !state.walking.includes(code));
  return rows.filter((row) => !row.modifier && row.loaded && state.walking.includes(row.code))
    .map((row, index) => ({ field: row.field, name: row.name, code: free[index] }))
    .filter((proposal) => proposal.code !== undefined);
}

// The one action for moves on walking keys: each goes to the free key proposed, once the player confirms.
function moveOffWalkingKeys() {
  const proposals = walkingKeyProposals();
  if (!proposals.length) return;
  const pairs = proposals.map((proposal) => words.walkingPair(proposal.name, keyName(proposal.code))).join(', ');
  if (!window.confirm(words.walkingConfirm(pairs))) return;
  for (const proposal of proposals) state.changes.set(proposal.field, proposal.code);
  state.unsaved = true;
  refresh();
  showPrompt(words.walkingMoved(pairs));
}

const languageStore = 'pellimore.language';

// The language the player picked before, else the first of the browser's languages with a catalogue, else English.
function startingLanguage() {
  let remembered = null;
  try { remembered = localStorage.getItem(languageStore); } catch (error) { /* no storage for this page */ }
  const asked = [remembered, ...(navigator.languages || [navigator.language])].filter(Boolean);
  for (const tag of asked) {
    const language = Module.UTF8ToString(Module.ccall('editorLanguageFor', 'number', ['string'], [tag]));
    if (language) return language;
  }
  return 'en';
}

// Every label of the page in the chosen language: elements say which message they show with data-say.
function labelPage(languages) {
  for (const element of document.querySelectorAll('[data-say]')) element.textContent = words.say(element.dataset.say);
  for (const element of document.querySelectorAll('[data-say-label]'))
    element.setAttribute('aria-label', words.say(element.dataset.sayLabel));
  document.title = words.say('page.title');
  const picker = $('[data-language]');
  picker.replaceChildren(...languages.map(({ tag, name }) => Object.assign(document.createElement('option'),
    { value: tag, textContent: name, lang: tag })));
}

function useLanguage(tag) {
  const chosen = json(Module.ccall('editorPageWords', 'number', ['string'], [tag]));
  state.language = chosen.language;
  const shippedName = words && words.shippedFileName;
  words = Module.makePageWords(chosen.messages);
  document.documentElement.lang = chosen.language;
  labelPage(chosen.languages);
  $('[data-language]').value = chosen.language;
  // The first-steps text in the player's language ships beside README.txt, one folder above this page.
  $('[data-first-steps]').href = '../README' + (chosen.language === 'en' ? '' : '.' + chosen.language) + '.txt';
  keyCodes = json(Module.ccall('editorKeyCodes', 'number', ['string'], [chosen.language]));
  if (state.fileName === shippedName) state.fileName = words.shippedFileName;
  $('[data-drop-overlay]').textContent = words.dropHere;
  if (!state.original) return;
  refresh();
  showPrompt(state.selected ? words.pressKeyFor(moveName(state.selected)) : words.startPrompt);
}

function pickLanguage(tag) {
  try { localStorage.setItem(languageStore, tag); } catch (error) { /* remembered for this visit only */ }
  useLanguage(tag);
}

// The picker offers every layout the plug-in's code knows, each named in the page's language.
function offerLayouts() {
  for (const layout of json(Module.ccall('editorLayoutNames', 'number', [], []))) {
    const option = document.createElement('option');
    option.value = layout.name;
    option.dataset.say = layout.say;
    $('[data-layout]').append(option);
  }
}

function setUp() {
  offerLayouts();
  useLanguage(startingLanguage());
  $('[data-version]').textContent = Module.UTF8ToString(Module._editorVersion());
  $('[data-layout]').value = guessLayout();
  useLayout($('[data-layout]').value);
  const sample = () => resultBytes(Module._editorShippedSample());
  $('[data-layout]').addEventListener('change', (event) => useLayout(event.target.value));
  $('[data-walking-fix]').addEventListener('click', moveOffWalkingKeys);
  $('[data-language]').addEventListener('change', (event) => pickLanguage(event.target.value));
  $('[data-open]').addEventListener('click', openThroughHandle);
  $('[data-open]').addEventListener('change', (event) => event.target.files[0] && readFile(event.target.files[0]));
  $('[data-undo-save]').addEventListener('click', undoLastSave);
  $('[data-save]').addEventListener('click', save);
  $('[data-new]').addEventListener('click', () => {
    if (!mayDiscardChanges()) return;
    openBytes(sample(), words.shippedFileName);
    state.handle = null;
  });
  $('[data-code-set]').addEventListener('click', setTypedCode);
  $('[data-code-input]').addEventListener('keydown', (event) => event.key === 'Enter' && setTypedCode());
  $('[data-switch-off]').addEventListener('click', () => state.selected && bind(state.selected, -1));
  $('[data-cancel]').addEventListener('click', () => state.selected && select(state.selected));
  document.addEventListener('keydown', onKey);
  setUpDropping();
  // Closing the tab with unsaved changes asks first, in the browser's own words.
  window.addEventListener('beforeunload', (event) => { if (state.unsaved) event.preventDefault(); });
  openBytes(sample(), words.shippedFileName);
}

// Called through the runtime's ready hook (editor_ready.js).
Module.startEditor = setUp;
})();
