// Pellimore-editor.html in Debian's headless Chromium, opened from disk with
// no server: its verdicts agree with `pellimore check` about the file as the
// game reads it, keys bound by key presses save into a file that loads
// completely, saving an opened file changes the changed value and nothing
// else, and the page fits the commonest windows with nothing cut off.
// Environment: PELLIMORE_EDITOR (the page), PELLIMORE_TOOL (the native
// pellimore), PELLIMORE_OUTPUT (where the screenshot goes).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const repository = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const page_url = pathToFileURL(process.env.PELLIMORE_EDITOR).href;
const tool = process.env.PELLIMORE_TOOL;
const output = process.env.PELLIMORE_OUTPUT;
const scratch = mkdtempSync(join(tmpdir(), 'pellimore-editor-'));
const verdictStatus = { complete: 0, warnings: 1, fails: 2 };

let browser;
before(async () => {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});
after(async () => browser && browser.close());

async function openEditor(viewport = { width: 1500, height: 1100 }, colorScheme = 'light', locale = 'en-US') {
  const context = await browser.newContext({ acceptDownloads: true, viewport, colorScheme, locale });
  // No network at all: the page must carry everything it needs.
  await context.route(/^(?!file:)/, (route) => route.abort());
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(page_url);
  await page.waitForFunction(() => document.querySelector('[data-verdict]').dataset.verdict !== '');
  return { page, errors };
}

async function openFile(page, path) {
  await page.setInputFiles('[data-open]', path);
  await page.waitForFunction((name) => document.querySelector('[data-file-name]').textContent.includes(name),
    path.split('/').pop());
  return page.getAttribute('[data-verdict]', 'data-verdict');
}

// The page's mark, the first line of every download, by which the doctor finds it in Downloads.
const downloadMark = /^; Saved by Pellimore-editor\.html as a download on \d{4}-\d\d-\d\d \d\d:\d\d\r?\n/;

// Saves as a download; the file at the path returned holds the bytes without the page's mark (which every
// download must carry, once), the download itself stands beside it as NAME.download.
async function saveFile(page, name) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('[data-save]')]);
  const path = join(scratch, name);
  await download.saveAs(path + '.download');
  const marked = readFileSync(path + '.download').toString('latin1');
  assert.match(marked, downloadMark, 'a download starts with the page\'s mark');
  writeFileSync(path, Buffer.from(marked.replace(downloadMark, ''), 'latin1'));
  return path;
}

const checkStatus = (path) => spawnSync(tool, ['check', path], { encoding: 'utf8' });

test('every sample: the page gives the verdict pellimore check gives', async () => {
  const { page, errors } = await openEditor();
  const folder = join(repository, 'tests', 'tool_output', 'check');
  const samples = readdirSync(folder).filter((name) => name.endsWith('.ini')).map((name) => join(folder, name));
  samples.push(join(repository, 'package', 'Pellimore.ini'));
  for (const sample of samples) {
    const verdict = await openFile(page, sample);
    assert.equal(verdictStatus[verdict], checkStatus(sample).status, sample);
  }
  await openFile(page, join(folder, 'silent_mistakes.ini'));
  await page.screenshot({ path: join(output, 'editor-screenshot.png'), fullPage: true });
  // The page's own script defines no global that hides the browser's.
  assert.ok(await page.evaluate(() => [window.open, window.prompt].every((f) => String(f).includes('[native code]'))));
  assert.deepEqual(errors, []);
});

test('keys bound by key presses save into a file that loads completely', async () => {
  const { page, errors } = await openEditor();
  const presses = [['knockout', 'KeyK', 75], ['grappleFront', 'Numpad5', 101],
    ['grappleThrowRight', 'ArrowDown', 40], ['grappleThrowBackLeft', 'ArrowRight', 39]];
  for (const [move, key] of presses) {
    await page.click(`[data-move="${move}"]`);
    await page.keyboard.press(key);
  }
  assert.equal(await page.getAttribute('[data-saved-verdict]', 'data-saved-verdict'), 'complete');
  const saved = await saveFile(page, 'bound.ini');
  assert.ok(!readFileSync(saved).subarray(0, 3).equals(Buffer.from([0xef, 0xbb, 0xbf])), 'no byte-order mark');
  const check = checkStatus(saved);
  assert.equal(check.status, 0, check.stdout);
  for (const [move, , code] of presses) assert.match(check.stdout, new RegExp(`^${move} .* ${code}  `, 'm'));
  assert.deepEqual(errors, []);
});

test("saving an opened file changes that one value and keeps every other byte", async () => {
  const { page } = await openEditor();
  const original = '; my own notes\r\n[Mods]\r\nfoo = bar\r\n\r\n[Pellimore]\r\n; modifier\r\niXKey=88\r\n' +
    'iKnockout = 81 ; Q\r\niExecute=69\r\niGrappleFront=105\r\niGrappleBack=70\r\niTackle=90\r\n' +
    'iGrappleSwitchFrontToBack=66\r\niGrappleSwitchBackToFront=71\r\niGrappleSwitchFrontToMount=17\r\n' +
    'iSubdue=78\r\niGrappleThrowFront=38\r\niGrappleThrowLeft=37\r\niUnknown=5\r\n[Tail]\r\nlast=line';
  const path = join(scratch, 'Pellimore.ini');
  writeFileSync(path, original, 'binary');
  await openFile(page, path);
  await page.click('[data-move="knockout"]');
  await page.keyboard.press('KeyL');
  const saved = readFileSync(await saveFile(page, 'changed.ini'), 'binary');
  assert.equal(saved, original.replace('iKnockout = 81 ; Q', 'iKnockout = 76 ; Q'));
});

test('a byte-order mark before a complete file: the page says the game loads nothing now, and what saving repairs', async () => {
  const { page, errors } = await openEditor();
  const sample = join(repository, 'tests', 'tool_output', 'check', 'complete_with_bom.ini');
  assert.equal(await openFile(page, sample), 'fails');
  assert.equal(checkStatus(sample).status, 2);
  assert.equal(await page.getAttribute('[data-saved-verdict]', 'data-saved-verdict'), 'complete');
  assert.match(await page.textContent('[data-repairs]'), /removes the byte-order mark that hides \[Pellimore\]/);
  const saved = readFileSync(await saveFile(page, 'repaired.ini'));
  assert.notDeepEqual([...saved.subarray(0, 3)], [0xef, 0xbb, 0xbf]);
  assert.equal(checkStatus(join(scratch, 'repaired.ini')).status, 0);
  assert.match(await page.textContent('[data-prompt]'), /downloads folder.*Pellimore \(1\)\.ini.*beside RDR2\.exe/);
  assert.deepEqual(errors, []);
});

test('a UTF-16 file is saved as plain text the game can read', async () => {
  const { page } = await openEditor();
  await openFile(page, join(repository, 'tests', 'tool_output', 'check', 'utf16.ini'));
  assert.match(await page.textContent('[data-repairs]'), /into plain text/);
  const saved = readFileSync(await saveFile(page, 'from-utf16.ini'));
  assert.ok(!saved.includes(0), 'no NUL bytes');
  assert.ok(saved.toString('latin1').startsWith('[Pellimore]\r\niXKey=88\r\n'), saved.toString('latin1'));
});

test('problems name moves as the list does', async () => {
  const { page } = await openEditor();
  await openFile(page, join(repository, 'tests', 'tool_output', 'check', 'silent_mistakes.ini'));
  const problems = await page.textContent('[data-problems]');
  assert.match(problems, /Throw right and Throw left are both on/);
  assert.doesNotMatch(problems, /GrappleThrow|grappleFront|stoi/);
});

test('a typed code outside -1..254, or not a whole number, is refused with a sentence', async () => {
  const { page, errors } = await openEditor();
  await page.click('[data-move="knockout"]');
  for (const typed of ['99999999999', '', '12.5', 'K', '255']) {
    await page.fill('[data-code-input]', typed);
    await page.click('[data-code-set]');
    assert.match(await page.textContent('[data-prompt]'), /is not a key code|type the code/, typed);
  }
  // Both ends of the range the prompt offers are taken.
  for (const [typed, shown] of [['254', /is now on .*\(254\)/], ['-1', /is now on off \(-1\)/]]) {
    // Still chosen after a refusal; chosen again after a key was set.
    if (await page.getAttribute('[data-move="knockout"]', 'aria-pressed') !== 'true') await page.click('[data-move="knockout"]');
    await page.fill('[data-code-input]', typed);
    await page.click('[data-code-set]');
    assert.match(await page.textContent('[data-prompt]'), shown, typed);
  }
  await page.click('[data-move="knockout"]');
  await page.fill('[data-code-input]', '76');
  await page.click('[data-code-set]');
  const saved = readFileSync(await saveFile(page, 'typed.ini'), 'latin1');
  assert.match(saved, /iKnockout=76/);
  assert.deepEqual(errors, []);
});

test('keyboard-only: choosing a move with Enter keeps the focus on that move', async () => {
  const { page } = await openEditor();
  await page.focus('[data-move="tackle"]');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.activeElement.dataset.move), 'tackle');
  await page.keyboard.press('KeyT');
  assert.equal(await page.evaluate(() => document.activeElement.dataset.move), 'tackle');
});

test('the picture follows the chosen layout: on a German keyboard the key right of T is Z, code 90', async () => {
  const { page } = await openEditor();
  await page.selectOption('[data-layout]', 'de');
  assert.equal(await page.getAttribute('[data-code="KeyY"]', 'data-label'), 'Z');
  assert.equal(await page.getAttribute('[data-code="KeyY"]', 'data-vk'), '90');
  await page.selectOption('[data-layout]', 'fr');
  assert.equal(await page.getAttribute('[data-code="KeyQ"]', 'data-label'), 'A');
});

// Everything the player needs is on screen, at rest and while binding, and no key's text is cut off.
// 960: a browser snapped to half of a 1920 screen; 1093x614: 1366x768 at 125%.
for (const viewport of [{ width: 960, height: 768 }, { width: 1093, height: 614 }, { width: 1366, height: 768 },
  { width: 1920, height: 1080 }]) {
  test(`the page fits ${viewport.width}x${viewport.height}, keyboard and prompt included`, async () => {
    const { page, errors } = await openEditor(viewport);
    await openFile(page, join(repository, 'tests', 'tool_output', 'check', 'silent_mistakes.ini'));
    const layout = () => page.evaluate(() => {
      const right = (selector) => document.querySelector(selector).getBoundingClientRect().right;
      const clipped = [...document.querySelectorAll('.key')].filter((key) => key.scrollHeight > key.clientHeight + 1 ||
        [...key.children].some((part) => part.scrollWidth > part.clientWidth + 1)).map((key) => key.dataset.code);
      return { pageWidth: document.documentElement.scrollWidth, window: innerWidth,
        arrows: right('[data-code="ArrowRight"]'), keypad: right('[data-code="NumpadSubtract"]'), clipped };
    });
    const fits = (seen, when) => {
      assert.ok(seen.pageWidth <= seen.window, `${when}: the page is ${seen.pageWidth} px wide`);
      assert.ok(seen.arrows <= seen.window && seen.keypad <= seen.window, `${when}: keyboard off screen`);
      assert.deepEqual(seen.clipped, [], `${when}: cut-off key labels`);
    };
    fits(await layout(), 'at rest');
    await page.click('[data-move="grappleThrowBackLeft"]');
    fits(await layout(), 'while binding');
    const prompt = await page.evaluate(() => {
      const box = document.querySelector('[data-prompt]').getBoundingClientRect();
      return { top: box.top, bottom: box.bottom, height: innerHeight, text: document.querySelector('[data-prompt]').textContent };
    });
    assert.match(prompt.text, /Now press the key for "Throw back-left"/);
    assert.ok(prompt.top >= 0 && prompt.bottom <= prompt.height, `the prompt is off screen: ${JSON.stringify(prompt)}`);
    await page.screenshot({ path: join(output, `editor-${viewport.width}x${viewport.height}-binding.png`) });
    assert.deepEqual(errors, []);
  });
}

test('a dark system gets a dark page, with readable text', async () => {
  const { page } = await openEditor({ width: 1366, height: 768 }, 'dark');
  const colours = await page.evaluate(() => {
    const luminance = (colour) => colour.match(/\d+/g).slice(0, 3).reduce((sum, part) => sum + Number(part), 0) / 765;
    const style = (selector) => getComputedStyle(document.querySelector(selector));
    return { page: luminance(style('body').backgroundColor), text: luminance(style('body').color),
      key: luminance(style('.key').backgroundColor), move: luminance(style('.moves button').backgroundColor) };
  });
  assert.ok(colours.page < 0.3 && colours.key < 0.3 && colours.move < 0.3, JSON.stringify(colours));
  assert.ok(colours.text > 0.7, JSON.stringify(colours));
  await page.screenshot({ path: join(output, 'editor-1366x768-dark.png') });
});

test('a move after the point where the load stops: the page says it keeps its old key, and why', async () => {
  const { page } = await openEditor();
  const broken = join(scratch, 'stops-at-knockout.ini');
  writeFileSync(broken, '[Pellimore]\r\niXKey=88\r\niKnockout=K\r\niExecute=69\r\n');
  await openFile(page, broken);
  await page.click('[data-move="execute"]');
  await page.keyboard.press('KeyJ');
  assert.match(await page.textContent('[data-prompt]'),
    /Execute is set to J \(74\) in the file, but the game stops reading it before Execute, at Knock out/);
  assert.equal(await page.isVisible('[data-kept-note]'), true);
  assert.match(await page.getAttribute('[data-move="execute"] .current', 'title'), /stops reading the file before/);
  // The page's own way to fix it: choose the move and press the key.
  assert.match(await page.textContent('[data-problems]'), /choose Knock out and press K/);
  assert.doesNotMatch(await page.textContent('[data-problems]'), /write iKnockout=/);
});

test('a blank or header-only file: the page offers the shipped keys', async () => {
  const { page } = await openEditor();
  for (const [name, text] of [['blank.ini', ''], ['header-only.ini', '[Pellimore]\r\n']]) {
    writeFileSync(join(scratch, name), text);
    await openFile(page, join(scratch, name));
    assert.match(await page.textContent('[data-prompt]'), /Start from the shipped file/, name);
  }
});

test('unsaved changes are never dropped without asking, and a drop shows its own file name', async () => {
  const { page } = await openEditor();
  await page.click('[data-move="knockout"]');
  await page.keyboard.press('KeyL');
  const asked = [];
  page.on('dialog', (dialog) => { asked.push(dialog.message()); dialog.dismiss(); });
  await page.click('[data-new]');
  assert.equal(asked.length, 1, 'starting from the shipped file asks first');
  assert.match(await page.textContent('[data-move="knockout"]'), /L/, 'a dismissed question keeps the change');
  assert.equal(await page.evaluate(() => {
    const event = new Event('beforeunload', { cancelable: true });
    window.dispatchEvent(event);
    return event.defaultPrevented;
  }), true, 'closing the tab asks first');
  await saveFile(page, 'kept-change.ini');
  assert.equal(await page.evaluate(() => {
    const event = new Event('beforeunload', { cancelable: true });
    window.dispatchEvent(event);
    return event.defaultPrevented;
  }), false, 'nothing to ask once saved');
  // A dropped file: the overlay shows while dragging, and the file label names the dropped file.
  const dropped = join(scratch, 'dropped.ini');
  writeFileSync(dropped, '[Pellimore]\r\niXKey=88\r\n');
  const transfer = await page.evaluateHandle((text) => {
    const data = new DataTransfer();
    data.items.add(new File([text], 'dropped.ini'));
    return data;
  }, readFileSync(dropped, 'latin1'));
  await page.dispatchEvent('body', 'dragover', { dataTransfer: transfer });
  assert.equal(await page.isVisible('[data-drop-overlay]'), true);
  await page.dispatchEvent('body', 'drop', { dataTransfer: transfer });
  await page.waitForFunction(() => document.querySelector('[data-file-name]').textContent === 'dropped.ini');
  assert.equal(await page.isVisible('[data-drop-overlay]'), false);
  assert.equal(await page.evaluate(() => document.querySelector('[data-open]').value), '');
});

test('with the Modifier on code 0, the throws and their keys are marked as unable to fire', async () => {
  const { page } = await openEditor();
  const file = join(scratch, 'modifier-zero.ini');
  writeFileSync(file, readFileSync(join(repository, 'package', 'Pellimore.ini'), 'latin1').replace('iXKey=88', 'iXKey=0'));
  await openFile(page, file);
  for (const arrow of ['ArrowUp', 'ArrowLeft', 'ArrowRight', 'ArrowDown'])
    assert.match(await page.getAttribute(`[data-code="${arrow}"]`, 'class'), /problem/, arrow);
});

// A picker the test injects, as Chromium's file handles would answer: it records what is written, and can refuse.
async function openEditorWithHandles() {
  const opened = await openEditor();
  await opened.page.evaluate(() => {
    window.makeHandle = (name, bytes, behaviour = {}) => ({
      kind: 'file', name, content: new Uint8Array(bytes), writes: 0,
      async getFile() { return new File([this.content], name); },
      async queryPermission() { return 'prompt'; },
      async requestPermission() { return behaviour.permission || 'granted'; },
      async createWritable() {
        if (behaviour.refuse) throw new DOMException('refused by the test', behaviour.refuse);
        const handle = this, parts = [];
        return { async write(data) { parts.push(new Uint8Array(data)); },
          async close() { handle.content = new Uint8Array(parts.flatMap((part) => [...part])); handle.writes += 1; } };
      },
    });
    window.showOpenFilePicker = async () => [window.nextHandle];
  });
  return opened;
}

async function openThroughPicker(page, bytes, behaviour) {
  await page.evaluate(([content, how]) => { window.nextHandle = window.makeHandle('Pellimore.ini', content, how); },
    [[...bytes], behaviour]);
  await page.click('[data-open]');
  await page.waitForFunction(() => document.querySelector('[data-file-name]').textContent === 'Pellimore.ini');
}

// What saving the same change would download, from a page without file handles.
async function downloadedAfterChange(bytes, move, key) {
  const { page } = await openEditor();
  const file = join(scratch, 'for-download.ini');
  writeFileSync(file, Buffer.from(bytes));
  await openFile(page, file);
  await page.click(`[data-move="${move}"]`);
  await page.keyboard.press(key);
  return readFileSync(await saveFile(page, 'download-reference.ini'));
}

test('with file handles, Save writes into the opened file, and Undo last save puts it back', async () => {
  const original = readFileSync(join(repository, 'package', 'Pellimore.ini'));
  const expected = await downloadedAfterChange(original, 'execute', 'KeyJ');
  const { page, errors } = await openEditorWithHandles();
  await openThroughPicker(page, original, {});
  await page.click('[data-move="execute"]');
  await page.keyboard.press('KeyJ');
  await page.click('[data-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 1);
  const written = Buffer.from(await page.evaluate(() => [...window.nextHandle.content]));
  assert.deepEqual(written, expected, 'the bytes written are the bytes a download would hold');
  assert.match(await page.textContent('[data-prompt]'), /Saved into the Pellimore.ini you opened/);
  await page.click('[data-undo-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 2);
  assert.deepEqual(Buffer.from(await page.evaluate(() => [...window.nextHandle.content])), original);
  assert.deepEqual(errors, []);
});

for (const [refusal, behaviour, sentence] of [
  ['NotAllowedError', { refuse: 'NotAllowedError' }, /not allowed to write into the file you opened/],
  ['SecurityError', { refuse: 'SecurityError' }, /does not write into protected folders such as Program Files/],
  ['AbortError', { refuse: 'AbortError' }, /Saving into the file you opened was cancelled/],
  ['a denied permission', { permission: 'denied' }, /not allowed to write into the file you opened/]]) {
  test(`a save refused with ${refusal} falls back to the download, saying why`, async () => {
    const original = readFileSync(join(repository, 'package', 'Pellimore.ini'));
    const expected = await downloadedAfterChange(original, 'knockout', 'KeyL');
    const { page } = await openEditorWithHandles();
    await openThroughPicker(page, original, behaviour);
    await page.click('[data-move="knockout"]');
    await page.keyboard.press('KeyL');
    const downloaded = readFileSync(await saveFile(page, `refused-${refusal}.ini`));
    assert.deepEqual(downloaded, expected);
    assert.match(await page.textContent('[data-prompt]'), sentence);
    assert.match(await page.textContent('[data-prompt]'), /saved as a download instead/);
    assert.equal(await page.evaluate(() => window.nextHandle.writes), 0, 'nothing was written into the file');
  });
}

test('a dropped file keeps its handle too, so Save writes into it', async () => {
  const original = readFileSync(join(repository, 'package', 'Pellimore.ini'));
  const { page } = await openEditorWithHandles();
  await page.evaluate((content) => {
    window.nextHandle = window.makeHandle('Pellimore.ini', content);
    DataTransferItem.prototype.getAsFileSystemHandle = function () { return Promise.resolve(window.nextHandle); };
  }, [...original]);
  const transfer = await page.evaluateHandle((content) => {
    const data = new DataTransfer();
    data.items.add(new File([new Uint8Array(content)], 'Pellimore.ini'));
    return data;
  }, [...original]);
  await page.dispatchEvent('body', 'drop', { dataTransfer: transfer });
  await page.waitForFunction(() => document.querySelector('[data-file-name]').textContent === 'Pellimore.ini');
  await page.click('[data-move="tackle"]');
  await page.keyboard.press('KeyK');
  await page.click('[data-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 1);
  assert.match(Buffer.from(await page.evaluate(() => [...window.nextHandle.content])).toString('latin1'), /iTackle=75/);
});

test('the headline and the repairs say UTF-16, a byte-order mark before a comment and an empty file as check does', async () => {
  const { page } = await openEditor();
  await openFile(page, join(repository, 'tests', 'tool_output', 'check', 'utf16.ini'));
  assert.doesNotMatch(await page.textContent('[data-repairs]'), /cannot read/);
  assert.match(await page.textContent('[data-repairs]'), /zero bytes between letters the game skips/);
  const shipped = readFileSync(join(repository, 'package', 'Pellimore.ini'));
  const beforeComment = join(scratch, 'mark-before-comment.ini');
  writeFileSync(beforeComment, Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), shipped]));
  await openFile(page, beforeComment);
  assert.doesNotMatch(await page.textContent('[data-repairs]'), /hides \[Pellimore\]/);
  assert.match(await page.textContent('[data-repairs]'), /a comment, so nothing was lost/);
  const empty = join(scratch, 'empty.ini');
  writeFileSync(empty, '');
  await openFile(page, empty);
  assert.equal(await page.textContent('[data-verdict]'), 'the file is empty, so the game loads nothing from it');
  assert.match(spawnSync(tool, ['check', empty], { encoding: 'utf8' }).stdout, /the file is empty, so the game loads nothing from it/);
});

test('on an AZERTY keyboard the walking keys are marked, the moves on them listed, and one action moves them off', async () => {
  const { page, errors } = await openEditor();
  await page.selectOption('[data-layout]', 'fr');
  await page.click('[data-new]');
  for (const vk of [90, 81, 83, 68])
    assert.match(await page.getAttribute(`.key[data-vk="${vk}"]`, 'class'), /walking/, `key ${vk}`);
  const problems = await page.textContent('[data-problems]');
  assert.match(problems, /Knock out is on Q \(81\), a key you walk with on your AZERTY keyboard/);
  assert.match(problems, /Tackle is on Z \(90\)/);
  page.once('dialog', (dialog) => dialog.accept());
  await page.click('[data-walking-fix]');
  await page.waitForFunction(() => !document.querySelector('[data-problems]').textContent.includes('walk with'));
  const onWalkingKeys = await page.evaluate(() => [...document.querySelectorAll('.key.walking')]
    .filter((key) => key.dataset.moves && !/challenge/i.test(key.dataset.moves)).map((key) => key.dataset.moves));
  assert.deepEqual(onWalkingKeys, [], 'a move is still on a walking key');
  assert.equal(await page.getAttribute('[data-saved-verdict]', 'data-saved-verdict'), 'complete');
  // On QWERTY nothing walks there: the shipped keys stay fine.
  await page.selectOption('[data-layout]', 'us');
  await page.click('[data-new]');
  assert.ok(!(await page.textContent('[data-problems]')).includes('walk with'));
  assert.deepEqual(errors, []);
});

test('key names follow the keyboard, not the language: English words with a German keyboard say Strg', async () => {
  const { page, errors } = await openEditor();
  await page.selectOption('[data-layout]', 'de');
  await page.click('[data-new]');
  assert.match(await page.getAttribute('.key[data-vk="17"]', 'title'), /^Strg/);
  // A cap that carries a word prints the name the notes use: "Bild ↑", not "PgUp" beside "Bild ↑".
  assert.equal(await page.textContent('[data-code="PageUp"] .cap'), 'Bild \u2191');
  await page.selectOption('[data-language]', 'de');
  await page.selectOption('[data-layout]', 'us');
  assert.match(await page.getAttribute('.key[data-vk="17"]', 'title'), /^Ctrl/);
  // Every layout the picker offers draws every key with a name, and a word on a cap is the key's name.
  for (const layout of await page.$$eval('[data-layout] option', (options) => options.map((option) => option.value))) {
    await page.selectOption('[data-layout]', layout);
    const keys = await page.$$eval('.key', (buttons) => buttons.map((button) =>
      ({ place: button.dataset.code, cap: button.querySelector('.cap').textContent, name: button.dataset.name })));
    assert.ok(keys.length > 100, `${layout}: ${keys.length} keys drawn`);
    for (const key of keys) {
      assert.ok(key.name && key.name !== 'undefined' && !/^(Numpad\d|PageUp)$/.test(key.name), `${layout} ${key.place}`);
      if (/^\p{L}{2,}/u.test(key.cap)) assert.equal(key.cap, key.name, `${layout} ${key.place}`);
    }
  }
  assert.deepEqual(errors, []);
});

test('a download carries the page\'s mark once, however often it is saved, and the game reads it as a comment', async () => {
  const { page } = await openEditor();
  await page.click('[data-move="knockout"]');
  await page.keyboard.press('KeyL');
  const first = (await saveFile(page, 'marked-once.ini')) + '.download';
  await openFile(page, first);
  await page.click('[data-move="tackle"]');
  await page.keyboard.press('KeyK');
  const again = readFileSync((await saveFile(page, 'marked-twice.ini')) + '.download').toString('latin1');
  assert.equal(again.match(/Saved by Pellimore-editor\.html/g).length, 1, again.slice(0, 200));
  const check = checkStatus(join(scratch, 'marked-twice.ini.download'));
  assert.equal(check.status, 0, check.stdout);
});

test('after opening a file without a handle, Save downloads instead of writing into the file opened before', async () => {
  const original = readFileSync(join(repository, 'package', 'Pellimore.ini'));
  const { page } = await openEditorWithHandles();
  await openThroughPicker(page, original, {});
  const plain = join(scratch, 'opened-plainly.ini');
  writeFileSync(plain, original);
  await page.evaluate(() => { window.showOpenFilePicker = undefined; });
  await openFile(page, plain);
  await page.click('[data-move="knockout"]');
  await page.keyboard.press('KeyL');
  await saveFile(page, 'after-plain-open.ini');
  assert.equal(await page.evaluate(() => window.nextHandle.writes), 0, 'the file opened before was written');
});

test('after Undo last save the page shows the keys the file holds again, and the next save builds on them', async () => {
  const original = readFileSync(join(repository, 'package', 'Pellimore.ini'));
  const { page } = await openEditorWithHandles();
  await openThroughPicker(page, original, {});
  await page.click('[data-move="execute"]');
  await page.keyboard.press('KeyJ');
  await page.click('[data-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 1);
  await page.click('[data-undo-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 2);
  assert.equal(await page.textContent('[data-move="execute"] .current'), 'E', 'the list shows the undone key again');
  await page.click('[data-move="tackle"]');
  await page.keyboard.press('KeyK');
  await page.click('[data-save]');
  await page.waitForFunction(() => window.nextHandle.writes === 3);
  const written = Buffer.from(await page.evaluate(() => [...window.nextHandle.content])).toString('latin1');
  assert.match(written, /iExecute=69/, 'the undone key came back with the next save');
  assert.match(written, /iTackle=75/);
});

// A catalogue's messages (words/<language>.txt), so the tests expect the page's own words without copying them.
function catalogue(language) {
  const text = readFileSync(join(repository, 'words', language + '.txt'), 'utf8');
  return Object.fromEntries(text.split('\n').filter((line) => / = /.test(line) && !line.startsWith('#'))
    .map((line) => [line.slice(0, line.indexOf(' = ')), line.slice(line.indexOf(' = ') + 3).trim()]));
}

// Elements whose text is cut: wider or taller inside than the box that shows them.
const cutTexts = () => [...document.querySelectorAll(
  'button:not(.key), label, h1, h2, summary, select, .drop, .verdict, .legend span, .key span, .moves .current')]
  .filter((element) => element.offsetParent !== null &&
    (element.scrollWidth > element.clientWidth + 1 || element.scrollHeight > element.clientHeight + 1))
  .map((element) => element.textContent.trim().slice(0, 40));

// Each language: the browser's language chooses it, its labels, verdict and problems are in it, and the page still
// fits 1366x768 with no text cut off.
// Every catalogue in words/ but English, with the browser locale of its country ("de" -> "de-DE").
const translated = readdirSync(join(repository, 'words')).filter((name) => name.endsWith('.txt') && name !== 'en.txt')
  .map((name) => name.slice(0, -4)).map((language) =>
    [language.includes('-') ? language : `${language}-${language.toUpperCase()}`, language]);
test('every catalogue is tried in the browser', () => assert.ok(translated.length >= 7, `${translated.length}`));
for (const [locale, language] of translated) {
  test(`in ${locale} the page speaks ${language} and fits 1366x768`, async () => {
    const words = catalogue(language);
    const { page, errors } = await openEditor({ width: 1366, height: 768 }, 'light', locale);
    assert.equal(await page.getAttribute('html', 'lang'), language);
    assert.equal(await page.inputValue('[data-language]'), language);
    assert.equal(await page.textContent('[data-save]'), words['page.button.save']);
    await openFile(page, join(repository, 'tests', 'tool_output', 'check', 'silent_mistakes.ini'));
    assert.equal(await page.textContent('[data-verdict]'), words['page.verdict.warnings']);
    assert.equal(await page.textContent('[data-problems-heading]'), words['page.problems']);
    const problems = await page.textContent('[data-problems]');
    assert.ok(problems.includes(words['move.GrappleThrowFront']), problems);
    assert.ok(!/\b(the game|is on|switched off)\b/.test(problems), `English among the problems: ${problems}`);
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);
    assert.deepEqual(await page.evaluate(cutTexts), [], 'cut-off text at rest');
    await page.click('[data-move="grappleThrowBackLeft"]');
    assert.deepEqual(await page.evaluate(cutTexts), [], 'cut-off text while binding');
    await page.screenshot({ path: join(output, `editor-1366x768-${language}.png`) });
    // The picker changes the language, and the page remembers the choice.
    await page.selectOption('[data-language]', 'en');
    assert.equal(await page.textContent('[data-save]'), 'Save Pellimore.ini');
    await page.reload();
    await page.waitForFunction(() => document.querySelector('[data-verdict]').dataset.verdict !== '');
    assert.equal(await page.inputValue('[data-language]'), 'en');
    assert.deepEqual(errors, []);
  });
}
