// The window's rules through the real page, against the desktop: the keys of every system
// (Tab going round, Space on a check box, the File menu by Alt+F, Option+F on a Mac, F10 and
// Alt alone), and a press on each slider's track. Each row does the same in the page and in the
// desktop's window (tests/web/desktop_reference), and the page must end where the desktop does:
// on the same control, or saving the same bytes.
import { root, startBrowser } from './browser.mjs';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';

const desktopBuild = process.env.ONDULIX_BUILD || path.join(root, 'build');
const referenceCommand = path.join(desktopBuild, 'tests/web/desktop_reference');
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-keys-test-'));
const kTimeout = { timeout: 60000 };

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
});

// A key as a Mac sends it with Option held: the character it types, and the key's place.
async function macOption(page, key, code) {
  await page.evaluate(([k, c]) => {
    for (const type of ['keydown', 'keyup']) {
      document.activeElement.dispatchEvent(new KeyboardEvent(type, {
        key: k, code: c, altKey: type === 'keydown', bubbles: true, cancelable: true,
      }));
    }
  }, [key, code]);
}

// A press on a slider's track, one pixel inside the end that holds its minimum or maximum.
async function pressTrack(page, name, end) {
  const box = await page.locator(`#${name}`).boundingBox();
  const vertical = box.height > box.width;
  const along = end === 'min' ? 1 : (vertical ? box.height : box.width) - 1;
  const x = vertical ? box.x + box.width / 2 : box.x + along;
  const y = vertical ? box.y + along : box.y + box.height / 2;
  await page.mouse.click(x, y);
}

async function savedBytes(page) {
  const download = page.waitForEvent('download');
  await page.keyboard.press('Alt+F');
  await page.keyboard.press('S');
  await page.waitForSelector('.box.input');
  await page.fill('.box.input .field', 'keys.okd');
  await page.keyboard.press('Enter');
  return readFileSync(await (await download).path());
}

function desktopSave(actions) {
  const file = path.join(work, 'desktop.okd');
  execFileSync(referenceCommand, ['save', file, ...actions]);
  return readFileSync(file);
}

const focusName = (page) => page.evaluate(() => document.activeElement.id);

// Where the focus ends after keys from the Start button, in the page and on the desktop.
const focusTable = [
  ['Shift+Tab from the first control wraps to the last', ['Shift+Tab'], ['--key', 'Shift+Tab']],
  ['Tab goes to the first source button past both sliders', ['Tab', 'Tab', 'Tab'],
    ['--key', 'Tab', '--key', 'Tab', '--key', 'Tab']],
  ['Tab after the last control comes back to the first', ['Shift+Tab', 'Tab'],
    ['--key', 'Shift+Tab', '--key', 'Tab']],
];

for (const [name, keys, actions] of focusTable) {
  test(`focus as on the desktop: ${name}`, kTimeout, async () => {
    const expected = execFileSync(referenceCommand, ['focus', ...actions], { encoding: 'utf8' }).trim();
    const { page, problems } = await browser.open();
    for (const key of keys) await page.keyboard.press(key);
    assert.equal(await focusName(page), expected);
    assert.deepEqual(problems, []);
    await page.close();
  });
}

// Each way of reaching the File menu opens it with Open highlighted; Down then Enter chooses
// Save, which asks for the file's name.
const menuTable = [
  ['Alt+F', (page) => page.keyboard.press('Alt+F')],
  ['Option+F on a Mac, which types ƒ', (page) => macOption(page, 'ƒ', 'KeyF')],
  ['F10', (page) => page.keyboard.press('F10')],
  ['Alt pressed and let go alone, then F', async (page) => {
    await page.keyboard.press('Alt');
    await page.keyboard.press('f');
  }],
];

for (const [name, openMenu] of menuTable) {
  test(`the File menu opens with ${name}`, kTimeout, async () => {
    const { page, problems } = await browser.open();
    await openMenu(page);
    await page.waitForSelector('#FileF1.open #OpenO1.highlighted');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await page.waitForSelector('.box.input');
    assert.equal(await page.textContent('.box.input .titlebar .caption'), '名前を付けて保存');
    await page.keyboard.press('Escape');
    await page.waitForSelector('.box.input', { state: 'detached' });
    assert.equal(await focusName(page), 'BitBtn1', 'the focus comes back to where it was');
    assert.deepEqual(problems, []);
    await page.close();
  });
}

test('the File menu cannot be opened while the animation runs', kTimeout, async () => {
  const { page, problems } = await browser.open();
  await page.keyboard.press('Space');
  await page.keyboard.press('Alt+F');
  await page.keyboard.press('F10');
  await page.click('#FileF1 > .title', { force: true });
  assert.equal(await page.locator('#FileF1 .dropdown').isVisible(), false);
  await page.keyboard.press('Space');
  await page.keyboard.press('Alt+F');
  await page.waitForSelector('#FileF1.open');
  assert.deepEqual(problems, []);
  await page.close();
});

// What the page saves after the keys and presses equals what the desktop saves after the same.
const saveTable = [
  ['Space on a focused check box toggles it', async (page) => {
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Space');
  }, ['--key', 'Shift+Tab', '--key', 'Space']],
  ['a press on each slider\'s track pages towards it', async (page) => {
    await pressTrack(page, 'phichanger', 'max');
    await pressTrack(page, 'thetachanger', 'min');
    await pressTrack(page, 'numpoints', 'max');
    await pressTrack(page, 'numzoom', 'min');
    await pressTrack(page, 'velocitychanger', 'max');
    await pressTrack(page, 'fpschanger', 'min');
  }, ['--track', 'phichanger', 'max', '--track', 'thetachanger', 'min', '--track', 'numpoints',
    'max', '--track', 'numzoom', 'min', '--track', 'velocitychanger', 'max', '--track',
    'fpschanger', 'min']],
];

for (const [name, use, actions] of saveTable) {
  test(`saves what the desktop saves: ${name}`, kTimeout, async () => {
    const expected = desktopSave(actions);
    const { page, problems } = await browser.open();
    await use(page);
    assert.deepEqual(await savedBytes(page), expected);
    assert.deepEqual(problems, []);
    await page.close();
  });
}
