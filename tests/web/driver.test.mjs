// What the drivers (browser.mjs) deliver to the page in each engine, checked from inside the page:
// taps and drags as touch and mouse input, the window's keys, keys with a code of their own,
// screenshots at a device ratio. The page's tests for screens, touch and keyboards stand on these; an engine whose
// driver cannot do one says why in its row.
import { closeBrowsers, engineTest } from './browser.mjs';
import { parseKeys } from './driver.mjs';
import assert from 'node:assert/strict';
import { after, test } from 'node:test';

after(closeBrowsers);

// The pointer and key events that reach the document, as [type, pointerType or key, code, alt].
async function recordInput(page) {
  await page.evaluate(() => {
    window.seenInput = [];
    for (const type of ['pointerdown', 'keydown']) {
      document.addEventListener(type, (e) => window.seenInput.push([type, e.pointerType ?? e.key, e.code ?? '', e.altKey]), true);
    }
  });
}

// Drags phichanger's thumb 120 pixels to the right and gives the bar's position before and after.
async function dragSlider(page, touch) {
  const before = await page.evaluate(() => document.getElementById('phichanger').position);
  const thumb = await page.box('#phichanger > .thumb');
  const from = { x: thumb.left + thumb.width / 2, y: thumb.top + thumb.height / 2 };
  await page.drag(from, { x: from.x + 120, y: from.y }, { touch });
  return { before, after: await page.evaluate(() => document.getElementById('phichanger').position) };
}

engineTest('a tap reaches the page as touch and starts the animation', { touch: true }, async (page) => {
  await recordInput(page);
  await page.tap('#BitBtn1');
  await page.waitFor(() => window.ondulixProbe.frames > 0);
  assert.deepEqual((await page.evaluate(() => window.seenInput))[0].slice(0, 2), ['pointerdown', 'touch']);
});

for (const touch of [false, true]) {
  engineTest(`a ${touch ? 'touch' : 'mouse'} drag moves a slider's thumb`, { touch }, async (page) => {
    await recordInput(page);
    const moved = await dragSlider(page, touch);
    assert.ok(moved.after > moved.before, `position ${moved.before} -> ${moved.after}`);
    assert.equal((await page.evaluate(() => window.seenInput))[0][1], touch ? 'touch' : 'mouse');
  });
}

engineTest('Option+F of a Mac keyboard arrives as key ƒ with code KeyF and Alt', {}, async (page) => {
  await recordInput(page);
  await page.press('Alt+ƒ', { code: 'KeyF' });
  assert.deepEqual((await page.evaluate(() => window.seenInput)).filter(([, key]) => key === 'ƒ'),
    [['keydown', 'ƒ', 'KeyF', true]]);
});

// Each press as the page's keydown events see it: [key, Alt held].
const keyTable = [
  ['F10', [['F10', false]]],
  ['Alt', [['Alt', true]]],
  ['Alt+F', [['Alt', true], ['F', true]]],
  ['Shift+Tab', [['Shift', false], ['Tab', false]]],
];

for (const [combo, expected] of keyTable) {
  engineTest(`${combo} reaches the page as those keys`, {}, async (page) => {
    await recordInput(page);
    // Nothing of the page's own may take the keys first: the window's controls are not shown.
    await page.evaluate(() => { document.getElementById('window').hidden = true; });
    await page.press(combo);
    const seen = (await page.evaluate(() => window.seenInput)).map(([, key, , alt]) => [key.length === 1 ? key.toUpperCase() : key, alt]);
    assert.deepEqual(seen, expected);
  });
}

test('key combinations name their modifiers and one key, "+" included', () => {
  for (const [combo, modifiers, key] of [
    ['F10', [], 'F10'], ['Alt+F', ['Alt'], 'F'], ['Alt+Shift+F', ['Alt', 'Shift'], 'F'],
    ['+', [], '+'], ['Shift++', ['Shift'], '+'],
  ]) assert.deepEqual(parseKeys(combo), { modifiers, key }, combo);
  assert.throws(() => parseKeys('Cmd+F'), /unknown modifier Cmd/);
});

// Rows: device ratio, viewport.
for (const [ratio, width, height] of [[1, 1000, 700], [2, 800, 600], [1.5, 800, 600]]) {
  engineTest(`a screenshot at device ratio ${ratio} holds the ${width} x ${height} viewport's device pixels`,
    { width, height, deviceScaleFactor: ratio }, async (page) => {
      const png = await page.screenshot();
      assert.equal(png.toString('latin1', 1, 4), 'PNG');
      assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [width * ratio, height * ratio]);
      assert.equal(await page.evaluate(() => window.devicePixelRatio), ratio);
    });
}

engineTest('a phone page shows a 390 x 844 visual viewport', { width: 390, height: 844, mobile: true, touch: true }, async (page) => {
  assert.deepEqual(await page.evaluate(() => [window.visualViewport.width, window.visualViewport.height]), [390, 844]);
});
