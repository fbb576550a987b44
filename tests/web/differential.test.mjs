// The same random user on the desktop's window and on the page, in each engine: after every
// action the two must be in the same state (what a user sees and keeps): the set-up as Save
// writes it, the box or menu that is open and what it holds, the focused control, whether the
// animation runs, the frame after each single frame drawn, and the bytes of each save.
//
// The actions (random_actions.mjs) come in short sequences, each on a freshly loaded page and a
// fresh desktop window (tests/web/desktop_reference play). The first difference fails with the
// sequence's seed, the shortest prefix of it that still differs (shrunk by leaving out chunks
// and replaying both sides) and both states.
//
// What depends on timing is not compared by value: once the animation has run freely in a
// sequence, its clock is the page's timer's, so frames are no longer compared; and while the
// turning view has been on since then, neither is the azimuth. A press on a track is let go
// with no repeat (the page's timers start none while it lasts): holding is timing.
// Where the caret goes in a field is the browser's, so the caret keys are not played there; text
// is typed only into a field that has the focus, as an input method types only there.
//
// ONDULIX_DIFF_SEED replays a run, ONDULIX_DIFF_ACTIONS sets the actions per engine,
// ONDULIX_DIFF_ALL=1 goes on past the first difference and lists every one.
import { actionsFor, sequenceSeed } from './random_actions.mjs';
import { closeBrowsers, engineTest, engines, root } from './browser.mjs';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after } from 'node:test';
import { isDeepStrictEqual } from 'node:util';

const reference = path.join(process.env.ONDULIX_BUILD || path.join(root, 'build'), 'tests/web/desktop_reference');
const runSeed = Number(process.env.ONDULIX_DIFF_SEED || 20261209) >>> 0;
// Some twenty seconds of each engine's time alone, about a minute beside the other browser tests on
// two cores, so that the whole test command stays within ten minutes; WebKit's driver is the slowest.
const kActions = { chromium: 550, firefox: 350, webkit: 200 };
const actionsOf = (engine) => Number(process.env.ONDULIX_DIFF_ACTIONS || kActions[engine]);
const keepGoing = process.env.ONDULIX_DIFF_ALL === '1';
// A file of actions, one a line (a shrunk prefix, say), played instead of the random ones.
const replay = process.env.ONDULIX_DIFF_REPLAY && readFileSync(process.env.ONDULIX_DIFF_REPLAY, 'utf8').split('\n').filter(Boolean);
const kSequence = 30;
const kThumb = 11; // the page's thumb, pixels along its bar
const kShrinkMs = 60000;

after(closeBrowsers);

// What File > Open opens on both sides: two lines that set the angles, then one that is no
// number, which the error box reports.
const kOffered = '10\r\n-20\r\nabc\r\n';
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-differential-'));
const offeredFile = path.join(work, 'offered.okd');
writeFileSync(offeredFile, kOffered);

after(() => rmSync(work, { recursive: true, force: true }));

const desktopStates = (actions) => execFileSync(reference, ['play', offeredFile], { input: `${actions.join('\n')}\n`, encoding: 'utf8' })
  .trim().split('\n').filter(Boolean).map((line) => JSON.parse(line));

// Where an action lands on the page, read in one go: whether a box covers the window, whether a
// field has the focus, and the named control's box (box.NAME: the topmost box's) and track.
function placeOf(page, name) {
  return page.evaluate((n) => {
    const box = [...document.querySelectorAll('#modal .box')].pop();
    const element = n.startsWith('box.') ? box?.querySelector(`.${n.slice(4)}`)
      : n === 'FileF1' ? document.querySelector('#FileF1 > .title') : document.getElementById(n);
    const { left, top, width, height } = element?.getBoundingClientRect() || {};
    return {
      boxOpen: !!box, inField: document.activeElement.classList.contains('field'),
      rect: { left, top, width, height }, shown: !!element && element.offsetParent !== null,
      bar: element?.kind === 'TrackBar' ? { vertical: element.vertical, length: element.length, fraction: element.fraction } : null,
    };
  }, name || 'none');
}

async function playOnPage(page, action) {
  const [kind, name, ...rest] = action.split(' ');
  const caretKey = /^(Arrow|Home|End|Page)/.test(name);
  if (kind === 'key' && !caretKey) return page.press(name === 'Space' ? ' ' : name);
  const place = await placeOf(page, kind === 'button' ? `box.${name}` : kind === 'type' || kind === 'key' ? '' : name);
  const { rect, bar } = place;
  if (kind === 'type' || kind === 'key') {
    if (kind === 'type' && place.inField) await page.type(action.slice(5));
    if (kind === 'key' && !place.inField) await page.press(name);
    return;
  }
  if (!place.shown || (place.boxOpen && kind !== 'button')) return;
  const at = (fx, fy) => ({ x: rect.left + fx * rect.width, y: rect.top + fy * rect.height });
  if (kind === 'button') return page.pressAt(at(0.5, 0.5));
  if (kind === 'click') return page.pressAt(at(Number(rest[0]), Number(rest[1])));
  if (kind === 'wheel') return page.wheel(at(0.5, 0.5), Number(rest[0]), Number(rest[1]));
  // Whole pixels along the bar, as the desktop's player counts them.
  const span = Math.max(1, bar.length - kThumb);
  const along = (a) => (bar.vertical ? { x: rect.left + rect.width / 2, y: rect.top + a } : { x: rect.left + a, y: rect.top + rect.height / 2 });
  const target = along(Math.round(Number(rest[0]) * span) + Math.floor(kThumb / 2));
  if (kind === 'track') {
    // Holding is timing: the bar's repeats run on the page's timers, which start none while the
    // press lasts, however long a busy driver takes to let go.
    await page.evaluate(() => { window.ondulixProbe.setInterval = setInterval; window.setInterval = () => 0; });
    await page.pressAt(target);
    return page.evaluate(() => { window.setInterval = window.ondulixProbe.setInterval; });
  }
  return page.drag(along(Math.round(bar.fraction * span) + Math.floor(kThumb / 2)), target, { steps: 3 });
}

// The page's state in the desktop player's terms, once what the last action set off has
// settled: a chooser answered and its file read, a single frame drawn.
function pageState(page) {
  return page.evaluate(async () => {
    const probe = window.ondulixProbe;
    const running = () => document.getElementById('FileF1').classList.contains('disabled');
    for (const until = Date.now() + 5000; Date.now() < until;) {
      // The cover without a box: the chooser is open or the file is being read.
      const covered = !document.getElementById('modal').hidden && !document.querySelector('#modal .box');
      if (!covered && !(running() && document.getElementById('ch_koma').classList.contains('checked'))) break;
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    // The address takes the set-up at most every few hundred milliseconds, and at once when
    // the page goes away.
    window.dispatchEvent(new Event('pagehide'));
    const state = { setup: location.hash.slice(1) };
    const box = [...document.querySelectorAll('#modal .box')].pop();
    if (box) {
      const input = box.classList.contains('input');
      state.box = { kind: input ? 'input' : 'error', caption: box.querySelector('.titlebar .caption').textContent,
        prompt: box.querySelector(input ? '.prompt' : '.message').textContent };
      if (input) state.box.text = box.querySelector('.field').value;
    }
    const menu = document.getElementById('FileF1');
    const open = menu.classList.contains('open');
    state.menu = { open, item: (open && menu.querySelector('.highlighted')?.id) || '', armed: menu.classList.contains('armed') };
    const focus = /^form\d+-(.+)$/.exec(document.activeElement.id);
    state.focus = focus ? `box.${focus[1]}` : document.activeElement.id;
    state.running = running();
    if (probe.frames !== (probe.framesSeen || 0)) {
      probe.framesSeen = probe.frames;
      const graph = document.getElementById('graph');
      const bytes = graph.getContext('2d').getImageData(0, 0, graph.width, graph.height).data;
      let hash = 2166136261;
      for (let i = 0; i < bytes.length; ++i) hash = Math.imul(hash ^ bytes[i], 16777619) >>> 0;
      state.frame = hash;
    }
    for (let i = probe.savesSeen || 0; i < probe.downloads.length; ++i) {
      state.saved = `${probe.downloads[i].name}\n${await probe.downloads[i].blob.text()}`;
    }
    probe.savesSeen = probe.downloads.length;
    if (!document.getElementById('ended').hidden) state.ended = true;
    return state;
  });
}

// The two states with what timing decides left out, by what the desktop's states so far say.
function comparable(desktop, page, seen) {
  if (desktop.running) seen.freeRun = true;
  const values = (s) => s.setup.replace(/^okd=/, '').split(',');
  if (seen.freeRun && values(desktop)[14] === '-1') seen.turned = true;
  return [desktop, page].map((state) => {
    const copy = { ...state };
    if (seen.freeRun) delete copy.frame;
    if (seen.turned && copy.setup) copy.setup = copy.setup.replace(/^(okd=[^,]*,)[^,]*/, '$1~');
    return copy;
  });
}

async function freshPage(page, address) {
  await page.goto(address);
  await page.evaluate((offered) => {
    // The chooser of File > Open gives the offered file, as the desktop's dialog does.
    const picker = document.getElementById('picker');
    picker.click = () => setTimeout(() => {
      const chosen = new DataTransfer();
      chosen.items.add(new File([offered], 'offered.okd'));
      picker.files = chosen.files;
      picker.dispatchEvent(new Event('change'));
    });
    // The white picture the window starts with is no frame.
    window.ondulixProbe.framesSeen = window.ondulixProbe.frames;
  }, kOffered);
}

// Plays the actions on both sides; the index of the first action after which they differ (-1
// for none), with both states there.
async function play(page, address, actions, reached = {}) {
  const desktop = desktopStates(actions);
  assert.equal(desktop.length, actions.length, 'the desktop prints one state an action');
  await freshPage(page, address);
  const seen = {};
  for (let i = 0; i < actions.length; ++i) {
    await playOnPage(page, actions[i]);
    const [want, got] = comparable(desktop[i], await pageState(page), seen);
    for (const what of [want.box?.kind, want.menu.open && 'menu', 'frame' in want && 'frame', want.saved && 'save']) {
      if (what) reached[what] = (reached[what] || 0) + 1;
    }
    if (!isDeepStrictEqual(want, got)) return { at: i, desktop: want, page: got };
  }
  return { at: -1 };
}

// The shortest prefix found in the time allowed that still differs: chunks left out, halving.
async function shrink(page, address, actions) {
  let current = actions;
  let chunks = 2;
  const until = Date.now() + kShrinkMs;
  while (current.length > 1 && Date.now() < until) {
    const size = Math.ceil(current.length / chunks);
    let smaller = false;
    for (let start = 0; start < current.length && Date.now() < until; start += size) {
      const candidate = [...current.slice(0, start), ...current.slice(start + size)];
      const { at } = await play(page, address, candidate);
      if (at >= 0) {
        current = candidate.slice(0, at + 1);
        chunks = Math.max(chunks - 1, 2);
        smaller = true;
        break;
      }
    }
    if (!smaller) {
      if (size === 1) break;
      chunks = Math.min(current.length, chunks * 2);
    }
  }
  return { actions: current, ...(await play(page, address, current)) };
}

const describe = ({ seed, actions, desktop, page }) => [
  `sequence seed ${seed}, shrunk to ${actions.length} action(s):`, ...actions.map((a) => `  ${a}`),
  ...(desktop || page ? [] : ['  (played alike on the last try: the difference depends on timing)']),
  ...Object.keys({ ...desktop, ...page }).filter((k) => !isDeepStrictEqual(desktop?.[k], page?.[k]))
    .map((k) => `  ${k}: desktop ${JSON.stringify(desktop?.[k])}, page ${JSON.stringify(page?.[k])}`),
].join('\n');

// Differences the run once found, shrunk, each played first in every engine.
const kFound = [
  ['a press anywhere disarms the menu bar that Alt armed', ['key Alt', 'click gens1 0.23 0.57', 'key F']],
  ['after Alt+F and Esc, a press disarms the bar', ['key Alt+F', 'key Escape', 'click bt_1_a 0.5 0.5', 'key F']],
  ["a press on a box's disabled OK keeps the focus in the field",
    ['click FileF1 0.64 0.22', 'click SaveS1 0.69 0.51', 'button ok', 'key A']],
  ["a press on a box's disabled OK keeps the focus on キャンセル",
    ['click FileF1 0.5 0.5', 'click SaveS1 0.5 0.5', 'key Tab', 'key Tab', 'button ok', 'key Space']],
];

engineTest('the page answers a random user as the desktop does', { width: 1400, height: 1000, timeout: 600000 }, async (page, engine, t) => {
  const address = (await page.evaluate(() => location.href)).split('#')[0];
  assert.equal(await page.evaluate(() => document.getElementById('window').style.transform.includes('scale')), false,
    'the window is shown unscaled, so pixels along a bar are the layout\'s');
  const started = Date.now();
  const found = [];
  let played = 0;
  const actionsPerEngine = actionsOf(engine);
  let shrinking = 0;
  const reached = {}; // states compared with a box, the menu, a frame or a save in them
  for (const [name, actions] of replay ? [] : kFound) {
    const result = await play(page, address, actions, reached);
    if (result.at >= 0) found.push({ seed: `of the row "${name}"`, actions: actions.slice(0, result.at + 1), ...result });
  }
  for (let index = 0; played < actionsPerEngine && (keepGoing || !found.length) && !(replay && index); ++index) {
    const seed = replay ? 'of ONDULIX_DIFF_REPLAY' : sequenceSeed(runSeed, engines.indexOf(engine), index);
    const actions = replay ? replay.slice(0, actionsPerEngine) : actionsFor(seed, Math.min(kSequence, actionsPerEngine - played));
    const result = await play(page, address, actions, reached);
    played += result.at < 0 ? actions.length : result.at + 1;
    if (result.at < 0) continue;
    const shrinkStarted = Date.now();
    found.push({ seed, ...(await shrink(page, address, actions.slice(0, result.at + 1))) });
    shrinking += Date.now() - shrinkStarted;
  }
  const seconds = (Date.now() - started - shrinking) / 1000;
  t.diagnostic(`run seed ${runSeed} (ONDULIX_DIFF_SEED): ${played} actions in ${seconds.toFixed(1)} s, ` +
    `${(seconds * 1000 / played).toFixed(1)} ms an action, ${found.length} difference(s) ` +
    `(shrunk in ${(shrinking / 1000).toFixed(1)} s more); states compared with ${JSON.stringify(reached)}`);
  assert.equal(found.length, 0, `run seed ${runSeed}, ${engine}:\n${found.map(describe).join('\n')}`);
});
