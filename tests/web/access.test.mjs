// The page to assistive technology: axe-core, the usual accessibility engine, finds no critical or
// serious fault in any state of the window, except the contrast of the four source colours, which
// are the program's own (the colours its frames draw each source's share in); and the controls
// carry the names the window shows for them. axe's report is printed with the test output.
import { closeBrowsers, engineTest, openSetup } from './browser.mjs';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after } from 'node:test';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const kSourceColours = ['#00ff00', '#ff00ff', '#ffff00', '#00ffff'];

const work = mkdtempSync(path.join(tmpdir(), 'ondulix-access-test-'));
const badFile = path.join(work, 'bad.okd');
writeFileSync(badFile, 'abc\r\n');

after(async () => {
  await closeBrowsers();
  rmSync(work, { recursive: true, force: true });
});

async function axeViolations(page) {
  await page.evaluate((source) => {
    const script = document.createElement('script');
    script.textContent = source;
    document.head.appendChild(script);
  }, axeSource);
  return page.evaluate(async () => (await axe.run(document)).violations.map((v) => ({
    id: v.id,
    impact: v.impact,
    nodes: v.nodes.map((n) => ({
      target: n.target.join(' '),
      foreground: (n.any[0] && n.any[0].data && n.any[0].data.fgColor) || '',
    })),
  })));
}

const stateTable = [
  ['the window as it opens', async () => {}],
  ['the File menu open', async (page) => page.press('Alt+F')],
  ['an input box open', async (page) => {
    await page.click('#bt_1_x');
    await page.waitForSelector('.box.input');
  }],
  ['the error box open', async (page) => {
    await openSetup(page, badFile);
    await page.waitForSelector('.box.error');
  }],
];

for (const [name, reach] of stateTable) {
  // The document's roles, names and colours are the page's own, the same in every engine.
  engineTest(`axe finds nothing serious: ${name}`, { oneEngine: true }, async (page, engine) => {
    await reach(page);
    const violations = await axeViolations(page);
    for (const v of violations) {
      console.log(`axe [${engine}] (${name}): ${v.id} ${v.impact}: ${v.nodes.map((n) => n.target).join(', ')}`);
    }
    const serious = violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
      .flatMap((v) => v.nodes.filter((n) => !(v.id === 'color-contrast' && kSourceColours.includes(n.foreground)))
        .map((n) => `${v.id}: ${n.target}`));
    assert.deepEqual(serious, []);
    assert.deepEqual(await page.problems(), []);
  });
}

// What a screen reader calls each control: its caption, or the label that names it in the window.
const nameTable = [
  ['#BitBtn1', 'スタート/ストップ'],
  ['#bt_2_a', 'A:0'],
  ['#ch_koma', 'コマ送り'],
  ['#gens2', '距離の√に反比例'],
  ['#numpoints', '点数'],
  ['#numzoom', '点隔'],
  ['#velocitychanger', '波速'],
  ['#fpschanger', '処理'],
  ['#thetachanger', '視点の高さ（仰角）'],
  ['#phichanger', '視点の向き（方位角）'],
  ['#graph', '波源から広がる波が重なり合う媒質のようす（斜めから見た図）'],
  ['#GroupBox3', '波源3'],
];

engineTest('every control is named as the window names it', {}, async (page) => {
  const names = await page.evaluate((selectors) => selectors.map((selector) => {
    const e = document.querySelector(selector);
    const by = e.getAttribute('aria-labelledby');
    if (by) return document.getElementById(by).textContent;
    return e.getAttribute('aria-label') || e.textContent;
  }), nameTable.map(([selector]) => selector));
  assert.deepEqual(names, nameTable.map(([, name]) => name));
  assert.equal(await page.evaluate(() => document.getElementById('graph').getAttribute('role')), 'img');
  assert.equal(await page.evaluate(() =>
    document.querySelectorAll('[tabindex]:not([tabindex="0"]):not([tabindex="-1"])').length), 0,
    'the Tab order comes from the document, not from tab indices');
});
