// The browser edition against the desktop, in Chromium, Firefox and WebKit (browser.mjs), one
// row per engine in each test: the page loads offline without
// an error, draws each set-up's first frame exactly as the desktop does, saves the desktop's
// bytes, reports a bad file as the desktop does and keeps drawing behind an open box. The
// controls' rules are tested on the headless backend; these tests check what only the page can
// get wrong: its build, its delivery of input and its way of waiting.
//
// Needs build-web/ondulix-k.html (scripts/web.sh) and, from the desktop's build in build/,
// ondulix-k-render and tests/web/desktop_reference.
import { browserOf, closeBrowsers, engineTest, firstFrameAgainst, openSetup, root } from './browser.mjs';
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
// pixel as ondulix-k-render draws it at clock 0. The examples run in every engine, which could
// only differ in how the canvas takes the pixels; the edge set-ups (oneEngine) test the frames
// the same WebAssembly computes everywhere.
const frameTable = [
  ...readdirSync(examples).filter((f) => f.endsWith('.okd')).map((f) => [f, path.join(examples, f), false]),
  ...[
    ['square particles', setupFile('square.okd', '01-two-sources-in-phase.okd', { 16: '1' })],
    ["each source's share in its colour", setupFile('shares.okd', '04-four-sources-square.okd', { 13: '-1' })],
    ['two-source mode over four sources', setupFile('two.okd', '04-four-sources-square.okd', { 14: '1' })],
    ['all marks off', setupFile('bare.okd', '03-beats.okd', { 10: '0', 11: '0', 12: '0', 13: '0' })],
    ['huge amplitudes', setupFile('huge.okd', '02-two-sources-opposite-phase.okd', { 20: '2147483647', 25: '-2147483648' })],
    ['top view, turning', setupFile('top.okd', '05-one-source-turning.okd', { 1: '90' })],
    ['no attenuation, zero marks', setupFile('flat.okd', '04-four-sources-square.okd', { 7: '0', 8: '0', 9: '1', 12: '1' })],
  ].map((row) => [...row, true]),
];

for (const [name, setup, oneEngine] of frameTable) {
  engineTest(`first frame as on the desktop: ${name}`, { oneEngine }, async (page) => {
    const expected = desktopPicture(setup);
    await openSetup(page, setup);
    assert.equal(await firstFrameAgainst(page, expected), 0, 'pixels that differ from the desktop');
    assert.deepEqual(await page.problems(), []);
  });
}

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

// ---- A set-up from a link, a reload or a drop ----

// The fragment of the page link that ondulix-k-render prints for a set-up file.
function linkFragment(setup) {
  const link = execFileSync(renderCommand, [setup, '--link', 'https://example.org/ondulix-k.html'],
    { encoding: 'utf8' }).trim();
  assert.ok(link.startsWith('https://example.org/ondulix-k.html#okd='), link);
  return link.slice(link.indexOf('#') + 1);
}

// Each example opened from its link draws the first frame the desktop draws for its file.
for (const example of readdirSync(examples).filter((f) => f.endsWith('.okd'))) {
  const setup = path.join(examples, example);
  engineTest(`a link opens the set-up the file holds: ${example}`, { fragment: linkFragment(setup) }, async (page) => {
    assert.equal(await firstFrameAgainst(page, desktopPicture(setup)), 0, 'pixels that differ from the desktop');
    assert.deepEqual(await page.problems(), []);
  });
}

const defaults = () => {
  const file = path.join(work, 'defaults.okd');
  execFileSync(referenceCommand, ['save', file]);
  return readFileSync(file);
};

// A fragment's values, as the address holds them.
const fragmentOf = (file) => `okd=${readFileSync(file, 'latin1').trimEnd().split('\r\n').join(',')}`;

const linkTable = [
  ['a bad value shows the message the same file gives, and keeps the start-up set-up',
    setupFile('bad-link.okd', '04-four-sources-square.okd', { 30: '1x' })],
  ["another page's anchor is no set-up", null],
];

for (const [name, setup] of linkTable) {
  engineTest(`a link: ${name}`, { fragment: setup ? fragmentOf(setup) : 'section-2' }, async (page) => {
    if (setup) {
      const message = execFileSync(referenceCommand, ['open', setup], { encoding: 'utf8' }).trimEnd();
      await page.waitForSelector('.box.error');
      assert.equal(await page.text('.box.error .message'), message);
      await page.press('Enter');
      await page.waitForSelector('.box.error', { gone: true });
    }
    assert.equal(await page.evaluate(() => document.querySelectorAll('.box').length), 0);
    assert.deepEqual((await saveAs(page, 'after-link.okd')).bytes, defaults());
    assert.deepEqual(await page.problems(), []);
  });
}

engineTest('a changed set-up stays in the address, so a reload brings it back', {}, async (page, engine) => {
  await page.click('#bt_3_a');
  await page.waitForSelector('.box.input');
  await page.type('-77');
  await page.press('Enter');
  await page.click('#ch_rect');
  const expected = (await saveAs(page, 'changed.okd')).bytes;
  // The address takes the set-up within a moment, not at every change: one written between the
  // two changes holds the first alone.
  const fragment = `okd=${expected.toString('latin1').trimEnd().split('\r\n').join(',')}`;
  await page.waitFor((f) => location.hash === `#${f}`, fragment);
  const reloaded = await (await browserOf(engine)).open({ fragment });
  try {
    assert.deepEqual((await saveAs(reloaded, 'reloaded.okd')).bytes, expected);
    assert.deepEqual(await reloaded.problems(), []);
  } finally {
    await reloaded.close();
  }
});

// A link followed in the same tab (the address's fragment changed, as by a click on a link to
// the page) opens as File > Open would when it could be chosen, and else is refused with the
// address put back to the set-up shown.
const firstLinked = path.join(examples, '01-two-sources-in-phase.okd');
const secondLinked = path.join(examples, '04-four-sources-square.okd');
const followTable = [
  ['a second link opens its set-up', secondLinked, 'opens'],
  ['a bad one shows its box and changes nothing', setupFile('bad-second.okd', '04-four-sources-square.okd', { 30: '1x' }), 'bad'],
  ['one while running is refused, and the address goes back', secondLinked, 'running'],
];

for (const [name, setup, kind] of followTable) {
  engineTest(`a link followed in the same tab: ${name}`, { fragment: linkFragment(firstLinked) }, async (page) => {
    if (kind === 'running') await page.click('#BitBtn1');
    await page.evaluate((fragment) => { location.hash = fragment; }, fragmentOf(setup));
    if (kind === 'opens') {
      await elevated(page, '60');
      assert.equal(await firstFrameAgainst(page, desktopPicture(setup)), 0, 'pixels that differ from the desktop');
      assert.deepEqual(await page.problems(), []);
      return;
    }
    if (kind === 'bad') {
      await page.waitForSelector('.box.error');
      assert.equal(await page.text('.box.error .message'),
        execFileSync(referenceCommand, ['open', setup], { encoding: 'utf8' }).trimEnd());
      await page.press('Enter');
      await page.waitForSelector('.box.error', { gone: true });
    } else {
      await page.waitFor((fragment) => location.hash === `#${fragment}`, linkFragment(firstLinked));
      await page.click('#BitBtn1');
    }
    const expected = path.join(work, 'followed-expected.okd');
    execFileSync(referenceCommand, ['save', expected, '--open', firstLinked]);
    assert.deepEqual((await saveAs(page, 'followed.okd')).bytes, readFileSync(expected));
    assert.deepEqual(await page.problems(), []);
  });
}

// A value quoted in the error box shows what would vanish, break the line or reorder the text
// as escapes, and a long quote wraps within the window. The value is "4", the character, "5";
// the last column is how the quote begins.
const escapeTable = [
  ['a line separator', '%E2%80%A8', "'4\\u20285'"],
  ['a zero-width space', '%E2%80%8B', "'4\\u200b5'"],
  ['a tag character', '%F3%A0%81%81', "'4\\U000e00415'"],
  ['100 escaped bytes, within the window', '%01'.repeat(100), `'4${'\\x01'.repeat(20)}`],
];

for (const [name, encoded, shown] of escapeTable) {
  const setup = setupFile(`escaped-${encoded.length}.okd`, '01-two-sources-in-phase.okd', { 1: `4${encoded}5` });
  engineTest(`a link's bad value quoted in the box: ${name}`, { fragment: fragmentOf(setup) }, async (page) => {
    await page.waitForSelector('.box.error');
    const message = await page.text('.box.error .message');
    assert.ok(message.includes(shown), message);
    const box = await page.box('.box.error');
    const width = await page.evaluate(() => document.documentElement.clientWidth);
    assert.ok(box.left >= 0 && box.left + box.width <= width, `box from ${box.left} to ${box.left + box.width} of ${width}`);
  });
}

// Hands a file to the page as the browser does, dropped on the drawing area or launched with
// the installed page, with `content` a text or that many zero bytes. A drop gives the effect
// the page showed while it was dragged (a DataTransfer made by a script keeps its effect "none"
// whatever the page sets, so the effect set is caught).
function dropFile(page, name, content) {
  return page.evaluate((n, c) => {
    const data = new DataTransfer();
    data.items.add(new File([typeof c === 'number' ? new Uint8Array(c) : c], n));
    let effect = 'none';
    Object.defineProperty(data, 'dropEffect', { get: () => effect, set: (value) => { effect = value; } });
    const target = document.getElementById('graph');
    target.dispatchEvent(new DragEvent('dragover', { dataTransfer: data, bubbles: true, cancelable: true }));
    const shown = effect;
    target.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    return shown;
  }, name, content);
}

// The launch params of the installed page opened with the file, handed to the consumer the
// page gave the launch queue; done once the page has taken or refused it.
function launchFile(page, name, content) {
  return page.evaluate(async (n, c) => {
    const file = new File([typeof c === 'number' ? new Uint8Array(c) : c], n);
    window.ondulixProbe.launchConsumer({ files: [{ kind: 'file', getFile: async () => file }] });
    await new Promise((resolve) => setTimeout(resolve));
    return null;
  }, name, content);
}

const elevated = (page, value) =>
  page.waitFor((v) => document.getElementById('thetachanger').getAttribute('aria-valuenow') === v, value);

for (const [how, deliver] of [['dropped', dropFile], ['launched', launchFile]]) {
  engineTest(`a ${how} set-up opens as File > Open opens it, and one while running is refused`, {}, async (page) => {
    const setup = path.join(examples, '03-beats.okd');
    const text = readFileSync(setup, 'latin1');
    await page.click('#BitBtn1');
    const refused = await deliver(page, '03-beats.okd', text);
    await page.click('#BitBtn1');
    const stopped = await page.frames();
    await elevated(page, '-30');
    const taken = await deliver(page, '03-beats.okd', text);
    if (how === 'dropped') assert.deepEqual([refused, taken], ['none', 'copy']);
    await elevated(page, '45');
    const expected = path.join(work, 'dropped-expected.okd');
    execFileSync(referenceCommand, ['save', expected, '--open', setup]);
    assert.deepEqual((await saveAs(page, 'dropped.okd')).bytes, readFileSync(expected));
    assert.equal(await page.frames(), stopped, 'the drop while running opened nothing, and nothing runs now');
    assert.deepEqual(await page.problems(), []);
  });
}

// The message of a file over the limit, as the program has it.
const tooLarge = readFileSync(path.join(root, 'src/core/settings_file_limit.h'), 'utf8')
  .match(/kSettingsFileTooLarge = N_\("(.*)"\)/)[1];

engineTest("refused drops never reach the program's memory, and one over the limit gives its box", {}, async (page) => {
  const memory = () => page.evaluate(() => wasmMemory.buffer.byteLength);
  const before = await memory();
  for (const name of ['a.bin', 'b.txt', 'c.okd.zip', 'okd']) await dropFile(page, name, 40e6);
  await page.click('#BitBtn1');
  await dropFile(page, 'running.okd', 40e6);
  await page.click('#BitBtn1');
  await dropFile(page, 'huge.okd', 300e6);
  await page.waitForSelector('.box.error');
  assert.equal(await page.text('.box.error .message'), tooLarge);
  assert.ok(await memory() - before < 4 << 20, `the memory grew from ${before} to ${await memory()} bytes`);
  await page.press('Enter');
  await page.waitForSelector('.box.error', { gone: true });
  await dropFile(page, '03-beats.okd', readFileSync(path.join(examples, '03-beats.okd'), 'latin1'));
  await elevated(page, '45');
  assert.deepEqual(await page.problems(), []);
});

// The browser short of memory for the file's bytes: the program's box, no uncaught error.
engineTest('a launched file the browser lacks the memory to read gives the box', {}, async (page) => {
  await page.evaluate(() => {
    const file = { name: 'big.okd', size: 1000, slice: () => ({ arrayBuffer: () => Promise.reject(new RangeError('no memory')) }) };
    window.ondulixProbe.launchConsumer({ files: [{ kind: 'file', getFile: async () => file }] });
  });
  await page.waitForSelector('.box.error');
  assert.equal(await page.text('.box.error .message'), 'メモリが足りません.');
  assert.deepEqual(await page.problems(), []);
});

// Every text the page shows or gives a screen reader: the window with its menu, and each box.
const shownTexts = (page) => page.evaluate(() => {
  const texts = [document.title, document.body.innerText];
  for (const e of document.querySelectorAll('[aria-label], [title]')) texts.push(e.getAttribute('aria-label'), e.title);
  return texts.join('\n');
});
const kJapanese = /[\u3040-\u30ff\u3400-\u9fff\uff00-\uffef]/u;

// The address's lang= comes first, then the browser's languages; Japanese when none is had.
for (const [query, browser, language, startCaption] of [['?lang=en', undefined, 'en', 'Start/Stop'],
  ['?lang=ja', undefined, 'ja', 'スタート/ストップ'], ['', 'en-GB', 'en', 'Start/Stop'], ['', 'fr-FR', 'ja', 'スタート/ストップ']]) {
  const setup = path.join(examples, '03-beats.okd');
  engineTest(`${query ? `the address's ${query}` : `a browser in ${browser}`} picks the window's, menu's and boxes' language, and the frames stay`,
    { query, language: browser, fragment: linkFragment(setup) }, async (page) => {
    assert.equal(await page.evaluate(() => document.documentElement.lang), language);
    assert.equal(await page.text('#BitBtn1'), startCaption);
    const seen = [];
    await page.press('Alt+F');
    seen.push(await shownTexts(page));
    await page.press('Escape');
    await page.press('Escape');
    await page.click('#bt_1_x');
    await page.waitForSelector('.box.input');
    seen.push(await shownTexts(page));
    await page.press('Escape');
    await page.waitForSelector('.box.input', { gone: true });
    await dropFile(page, 'bad.okd', '60\r\nabc\r\n');
    await page.waitForSelector('.box.error');
    seen.push(await shownTexts(page));
    const message = await page.text('.box.error .message');
    assert.equal(message, language === 'en' ? "'abc' is not a whole number." : "'abc' は整数ではありません.");
    if (language === 'en') for (const text of seen) assert.doesNotMatch(text, kJapanese);
    else assert.match(seen[1], /波源1のx座標は？/);
    await page.press('Enter');
    await page.waitForSelector('.box.error', { gone: true });
    assert.equal(await firstFrameAgainst(page, desktopPicture(setup)), 0, 'pixels that differ from the desktop');
    assert.deepEqual(await page.problems(), []);
  });
}

// The program counts the boxes over the window and the page shows its count: covered while any
// is open (the error box too, whose call returned long before it closes), the focus back on the
// window's focused control when the last closes, a chooser the browser never answers over once
// the user presses on the cover, and a drop of two files refused by their number.
engineTest('boxes cover the window until they close, and its focus comes back', {}, async (page) => {
  const covered = () => page.evaluate(() => [document.getElementById('window').inert, !document.getElementById('modal').hidden]);
  const focused = () => page.evaluate(() => document.activeElement.id);
  await page.click('#bt_1_a');
  await page.waitForSelector('.box.input');
  assert.deepEqual(await covered(), [true, true]);
  await page.press('Escape');
  await page.waitForSelector('.box.input', { gone: true });
  assert.deepEqual([await covered(), await focused()], [[false, false], 'bt_1_a']);

  await page.evaluate(() => {
    const picker = document.getElementById('picker');
    picker.click = () => { picker.asked = true; };
  });
  await page.press('Alt+F');
  await page.press('O');
  await page.waitFor(() => document.getElementById('picker').asked);
  assert.deepEqual(await covered(), [true, true]);
  await page.pressAt({ x: 1, y: 1 });
  await page.waitFor(() => document.getElementById('modal').hidden);
  assert.equal(await focused(), 'bt_1_a');
  await page.evaluate(() => { delete document.getElementById('picker').click; });

  await openSetup(page, setupFile('covered.okd', '04-four-sources-square.okd', { 30: '1x' }));
  await page.waitForSelector('.box.error');
  assert.deepEqual(await covered(), [true, true]);
  await page.press('Enter');
  await page.waitForSelector('.box.error', { gone: true });
  assert.deepEqual([await covered(), await focused()], [[false, false], 'bt_1_a']);

  const beats = readFileSync(path.join(examples, '03-beats.okd'), 'latin1');
  // A drop taken is read at once, with the window covered meanwhile.
  const readAtOnce = (files) => page.evaluate((text, names) => {
    const data = new DataTransfer();
    for (const name of names) data.items.add(new File([text], name));
    document.getElementById('graph').dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    return !document.getElementById('modal').hidden;
  }, beats, files);
  assert.deepEqual([await readAtOnce(['a.okd', 'b.okd']), await readAtOnce(['03-beats.okd'])], [false, true]);
  await elevated(page, '45');
  assert.deepEqual(await page.problems(), []);
});
