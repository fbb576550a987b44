// The browser edition against the desktop, in Chromium, Firefox and WebKit (browser.mjs), one
// row per engine in each test: the page loads offline without
// an error, draws each set-up's first frame exactly as the desktop does, saves the desktop's
// bytes, reports a bad file as the desktop does and keeps drawing behind an open box. The
// controls' rules are tested on the headless backend; these tests check what only the page can
// get wrong: its build, its delivery of input and its way of waiting.
//
// Needs build-web/ondulix-k.html (scripts/web.sh) and, from the desktop's build in build/,
// ondulix-k-render and tests/web/desktop_reference.
import { closeBrowsers, engineTest, firstFrameAgainst, openSetup, root } from './browser.mjs';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after } from 'node:test';

const desktopBuild = process.env.ONDULIX_BUILD || path.join(root, 'build');
const renderCommand = path.join(desktopBuild, 'src/render/ondulix-k-render');
const referenceCommand = path.join(desktopBuild, 'tests/web/desktop_reference');
const examples = path.join(root, 'examples');
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-page-test-'));

after(async () => {
  await closeBrowsers();
  rmSync(work, { recursive: true, force: true });
});

// A set-up file made from an example with some of its 37 lines replaced (line number: text).
function setupFile(name, example, lines) {
  const text = readFileSync(path.join(examples, example), 'latin1').split('\r\n');
  for (const [line, value] of Object.entries(lines)) text[Number(line) - 1] = value;
  const file = path.join(work, name);
  writeFileSync(file, text.join('\r\n'), 'latin1');
  return file;
}

// The desktop's picture of a set-up's first tick, as PNG bytes.
function desktopPicture(setup) {
  const png = path.join(work, `${path.basename(setup)}.png`);
  execFileSync(renderCommand, [setup, '-o', png, '--clock', '0']);
  return readFileSync(png);
}

// Saves through the page's menu and name box, and gives the download's name and bytes.
async function saveAs(page, typedName) {
  await page.press('Alt+F');
  await page.press('S');
  await page.waitForSelector('.box.input');
  const offered = await page.evaluate(() => document.querySelector('.box.input .field').value);
  if (typedName !== null) {
    await page.evaluate(() => document.querySelector('.box.input .field').select());
    await page.type(typedName);
  }
  await page.press('Enter');
  return { offered, ...await page.download() };
}

engineTest('the page loads from file:// without an error or a request, focus on the Start button', {}, async (page) => {
  assert.equal(await page.evaluate(() => document.title), 'Ondulix-K');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'BitBtn1');
  assert.deepEqual(await page.problems(), []);
});

// Each set-up opened through the page and started with BitBtn1 draws its first frame pixel for
// pixel as ondulix-k-render draws it at clock 0.
const frameTable = [
  ...readdirSync(examples).filter((f) => f.endsWith('.okd')).map((f) => [f, path.join(examples, f)]),
  ['square particles', setupFile('square.okd', '01-two-sources-in-phase.okd', { 16: '1' })],
  ["each source's share in its colour", setupFile('shares.okd', '04-four-sources-square.okd', { 13: '-1' })],
  ['two-source mode over four sources', setupFile('two.okd', '04-four-sources-square.okd', { 14: '1' })],
  ['all marks off', setupFile('bare.okd', '03-beats.okd', { 10: '0', 11: '0', 12: '0', 13: '0' })],
  ['huge amplitudes', setupFile('huge.okd', '02-two-sources-opposite-phase.okd', { 20: '2147483647', 25: '-2147483648' })],
  ['top view, turning', setupFile('top.okd', '05-one-source-turning.okd', { 1: '90' })],
  ['no attenuation, zero marks', setupFile('flat.okd', '04-four-sources-square.okd', { 7: '0', 8: '0', 9: '1', 12: '1' })],
];

for (const [name, setup] of frameTable) {
  engineTest(`first frame as on the desktop: ${name}`, {}, async (page) => {
    const expected = desktopPicture(setup);
    await openSetup(page, setup);
    assert.equal(await firstFrameAgainst(page, expected), 0, 'pixels that differ from the desktop');
    assert.deepEqual(await page.problems(), []);
  });
}

engineTest('a value typed into bt_1_a and saved downloads the bytes the desktop saves', {}, async (page) => {
  const expected = path.join(work, 'typed-expected.okd');
  execFileSync(referenceCommand, ['save', expected, '--enter', 'bt_1_a', ' -01234']);
  // Tab runs from BitBtn1 over both view sliders into the first source's group.
  for (let i = 0; i < 5; ++i) await page.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'bt_1_a');
  await page.press('Enter');
  await page.waitForSelector('.box.input');
  await page.type(' -01234');
  await page.press('Enter');
  await page.waitFor(() => document.getElementById('bt_1_a').textContent === 'A: -01234');

  const first = await saveAs(page, 'mine');
  assert.equal(first.offered, '');
  assert.equal(first.name, 'mine.okd');
  assert.deepEqual(first.bytes, readFileSync(expected));
  // The box offers the name used last, ".okd" and all.
  const second = await saveAs(page, null);
  assert.equal(second.offered, 'mine.okd');
  assert.deepEqual(second.bytes, readFileSync(expected));
  assert.deepEqual(await page.problems(), []);
});

engineTest("a bad file shows the desktop's message and changes nothing", {}, async (page) => {
  const good = path.join(examples, '02-two-sources-opposite-phase.okd');
  const bad = setupFile('bad.okd', '04-four-sources-square.okd', { 30: '1x' });
  const message = execFileSync(referenceCommand, ['open', bad], { encoding: 'utf8' }).trimEnd();
  const expected = path.join(work, 'unchanged-expected.okd');
  execFileSync(referenceCommand, ['save', expected, '--open', good]);
  assert.notEqual(message, '');

  await openSetup(page, good);
  // The chooser waits with the call paused; the error comes after the wait.
  await openSetup(page, bad);
  await page.waitForSelector('.box.error');
  assert.equal(await page.text('.box.error .titlebar .caption'), 'Ondulix-K');
  assert.equal(await page.text('.box.error .message'), message);
  await page.press('Enter');
  await page.waitForSelector('.box.error', { gone: true });
  assert.deepEqual((await saveAs(page, 'after.okd')).bytes, readFileSync(expected));
  assert.deepEqual(await page.problems(), []);
});

engineTest('frames keep coming while an input box waits, and the answer then takes effect', {}, async (page) => {
  await openSetup(page, path.join(examples, '03-beats.okd'));
  await page.click('#BitBtn1');
  await page.click('#bt_2_o');
  await page.waitForSelector('.box.input');
  // Frames, not a rate: how fast they come is the benchmark's to tell.
  const before = await page.frames();
  await page.waitFor((count) => window.ondulixProbe.frames >= count + 10, before);
  assert.ok(await page.evaluate(() => !!document.querySelector('.box.input')), 'the box closed by itself');
  await page.type('25');
  await page.press('Enter');
  await page.waitFor(() => document.getElementById('bt_2_o').textContent === 'ω:25');
  assert.deepEqual(await page.problems(), []);
});

// Every handler that opens a box must be able to wait for it in the page: each of the twenty
// source buttons takes a value through its box, and the page then saves what the desktop saves.
engineTest('every source button waits for its input box, and the values take effect', {}, async (page) => {
  const buttons = await page.evaluate(() =>
    Array.from(document.querySelectorAll('button[id^="bt_"]'), (b) => b.id));
  assert.equal(buttons.length, 20);
  const actions = [];
  for (const [i, name] of buttons.entries()) {
    const value = String(i * 7 - 60);
    await page.click(`#${name}`);
    await page.waitForSelector('.box.input');
    await page.type(value);
    await page.press('Enter');
    await page.waitForSelector('.box.input', { gone: true });
    actions.push('--enter', name, value);
  }
  const expected = path.join(work, 'all-sources-expected.okd');
  execFileSync(referenceCommand, ['save', expected, ...actions]);
  assert.deepEqual((await saveAs(page, 'all.okd')).bytes, readFileSync(expected));
  assert.deepEqual(await page.problems(), []);
});
