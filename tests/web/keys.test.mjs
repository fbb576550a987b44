// The window's rules through the real page, against the desktop: the keys of every system
// (Tab going round, Space on a check box, the File menu by Alt+F, Option+F on a Mac, F10 and
// Alt alone), and a press on each slider's track. Each row does the same in the page and in the
// desktop's window (tests/web/desktop_reference), and the page must end where the desktop does:
// on the same control, or saving the same bytes.
import { closeBrowsers, engineTest, root } from './browser.mjs';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after } from 'node:test';

const desktopBuild = process.env.ONDULIX_BUILD || path.join(root, 'build');
const referenceCommand = path.join(desktopBuild, 'tests/web/desktop_reference');
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-keys-test-'));

after(async () => {
  await closeBrowsers();
  rmSync(work, { recursive: true, force: true });
});

// A key as a Mac sends it with Option held: the character it types (Option+F types "ƒ"), the
// key's place, and Alt. Sent as the page's own events: no driver but Chromium's can give a key a
// code of its own, and the page reads nothing else of the event.
function macOption(page, key, code) {
  return page.evaluate((k, c) => {
    for (const type of ['keydown', 'keyup']) {
      document.activeElement.dispatchEvent(new KeyboardEvent(type, {
        key: k, code: c, altKey: type === 'keydown', bubbles: true, cancelable: true,
      }));
    }
  }, key, code);
}

// A press of the mouse at a place, as a user's, whatever the element under it says of itself.
const pressAt = (page, at) => page.drag(at, at, { steps: 1 });

// A press on a slider's track, one pixel inside the end that holds its minimum or maximum.
async function pressTrack(page, name, end) {
  const box = await page.box(`#${name}`);
  const vertical = box.height > box.width;
  const along = end === 'min' ? 1 : (vertical ? box.height : box.width) - 1;
  await pressAt(page, vertical ? { x: box.left + box.width / 2, y: box.top + along }
                               : { x: box.left + along, y: box.top + box.height / 2 });
}

async function savedBytes(page) {
  await page.press('Alt+F');
  await page.press('S');
  await page.waitForSelector('.box.input');
  await page.type('keys.okd');
  await page.press('Enter');
  return (await page.download()).bytes;
}

const focusName = (page) => page.evaluate(() => document.activeElement.id);

// Where the focus ends after keys from the Start button, in the page and on the desktop.
const focusTable = [
  ['Shift+Tab from the first control wraps to the last', ['Shift+Tab']],
  ['Tab goes to the first source button past both sliders', ['Tab', 'Tab', 'Tab']],
  ['Tab after the last control comes back to the first', ['Shift+Tab', 'Tab']],
];

for (const [name, keys] of focusTable) {
  engineTest(`focus as on the desktop: ${name}`, {}, async (page) => {
    const actions = keys.flatMap((key) => ['--key', key]);
    const expected = execFileSync(referenceCommand, ['focus', ...actions], { encoding: 'utf8' }).trim();
    for (const key of keys) await page.press(key);
    assert.equal(await focusName(page), expected);
    assert.deepEqual(await page.problems(), []);
  });
}

// Each way of reaching the File menu opens it with Open highlighted; Down then Enter chooses
// Save, which asks for the file's name; Esc gives the focus back where it was.
const menuTable = [
  ['Alt+F', (page) => page.press('Alt+F')],
  ['Option+F on a Mac, which types ƒ', (page) => macOption(page, 'ƒ', 'KeyF')],
  ['F10', (page) => page.press('F10')],
  ['Alt pressed and let go alone, then F', async (page) => {
    await page.press('Alt');
    await page.press('F');
  }],
];

for (const [name, openMenu] of menuTable) {
  engineTest(`the File menu opens with ${name}`, {}, async (page) => {
    await openMenu(page);
    await page.waitForSelector('#FileF1.open #OpenO1.highlighted');
    await page.press('ArrowDown');
    await page.press('Enter');
    await page.waitForSelector('.box.input');
    assert.equal(await page.text('.box.input .titlebar .caption'), '名前を付けて保存');
    await page.press('Escape');
    await page.waitForSelector('.box.input', { gone: true });
    assert.equal(await focusName(page), 'BitBtn1');
    assert.deepEqual(await page.problems(), []);
  });
}

engineTest('the File menu cannot be opened while the animation runs', {}, async (page) => {
  await page.press(' ');
  await page.press('Alt+F');
  await page.press('F10');
  const title = await page.box('#FileF1 > .title');
  await pressAt(page, { x: title.left + title.width / 2, y: title.top + title.height / 2 });
  assert.equal(await page.evaluate(() => document.querySelector('#FileF1 .dropdown').hidden), true);
  await page.press(' ');
  await page.press('Alt+F');
  await page.waitForSelector('#FileF1.open');
  assert.deepEqual(await page.problems(), []);
});

// Alt alone arms the bar; a press of the pointer anywhere disarms it, so that a letter typed
// afterwards opens nothing.
engineTest('a press of the pointer after Alt disarms the menu bar', {}, async (page) => {
  await page.press('Alt');
  await page.waitForSelector('#FileF1.armed');
  const graph = await page.box('#graph');
  await pressAt(page, { x: graph.left + 10, y: graph.top + 10 });
  await page.waitForSelector('#FileF1.armed', { gone: true });
  await page.press('F');
  assert.equal(await page.evaluate(() => document.querySelector('#FileF1 .dropdown').hidden), true);
  assert.deepEqual(await page.problems(), []);
});

// What the page saves after the keys and presses equals what the desktop saves after the same.
const saveTable = [
  ['Space on a focused check box toggles it', async (page) => {
    await page.press('Shift+Tab');
    await page.press(' ');
  }, ['--key', 'Shift+Tab', '--key', 'Space']],
  ["a press on each slider's track pages towards it", async (page) => {
    // One page a press: on a busy machine the driver may hold a press past the delay after
    // which the bar pages on, which the desktop's single press does not. The page's timers
    // start none meanwhile; the animation is not running.
    await page.evaluate(() => { window.heldSetInterval = setInterval; window.setInterval = () => 0; });
    await pressTrack(page, 'phichanger', 'max');
    await pressTrack(page, 'thetachanger', 'min');
    await pressTrack(page, 'numpoints', 'max');
    await pressTrack(page, 'numzoom', 'min');
    await pressTrack(page, 'velocitychanger', 'max');
    await pressTrack(page, 'fpschanger', 'min');
    await page.evaluate(() => { window.setInterval = window.heldSetInterval; });
  }, ['--track', 'phichanger', 'max', '--track', 'thetachanger', 'min', '--track', 'numpoints',
    'max', '--track', 'numzoom', 'min', '--track', 'velocitychanger', 'max', '--track',
    'fpschanger', 'min']],
];

for (const [name, use, actions] of saveTable) {
  engineTest(`saves what the desktop saves: ${name}`, {}, async (page) => {
    const file = path.join(work, `${actions.length}.okd`);
    execFileSync(referenceCommand, ['save', file, ...actions]);
    await use(page);
    assert.deepEqual(await savedBytes(page), readFileSync(file));
    assert.deepEqual(await page.problems(), []);
  });
}
