// Pellimore-editor.html in Debian's headless Chromium, opened from disk with
// no server: its verdicts agree with `pellimore check`, keys bound by key
// presses save into a file that loads completely, and saving an opened file
// changes the changed value and nothing else.
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

async function openEditor() {
  const context = await browser.newContext({ acceptDownloads: true, viewport: { width: 1500, height: 1100 } });
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

async function saveFile(page, name) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('[data-save]')]);
  const path = join(scratch, name);
  await download.saveAs(path);
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
  assert.equal(await page.getAttribute('[data-verdict]', 'data-verdict'), 'complete');
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
