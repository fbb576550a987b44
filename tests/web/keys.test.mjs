// The File menu's keys through the real page where the differential run (differential.test.mjs)
// cannot reach: Option+F on a Mac, the menu while the animation runs, and a pointer press after
// Alt. Tab, Space, Alt+F, F10, Alt alone, the sliders' tracks and the rest of what a user does
// are held to the desktop's window by that run.
import { closeBrowsers, engineTest } from './browser.mjs';
import assert from 'node:assert/strict';
import { after } from 'node:test';

after(closeBrowsers);

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

const focusName = (page) => page.evaluate(() => document.activeElement.id);

// Each way of reaching the File menu opens it with Open highlighted; Down then Enter chooses
// Save, which asks for the file's name; Esc gives the focus back where it was. Alt+F, F10 and
// Alt alone are the differential run's (differential.test.mjs); a Mac's Option+F is sent as the
// page's own events, which no driver's keys can be.
const menuTable = [
  ['Option+F on a Mac, which types ƒ', (page) => macOption(page, 'ƒ', 'KeyF')],
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
