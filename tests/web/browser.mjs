// The browser edition's page in three engines, behind one small API:
//
//   const browser = await startBrowser('chromium' | 'firefox' | 'webkit');
//   const page = await browser.open({ width, height, deviceScaleFactor, touch, mobile, fragment });
//   page.click(selector), page.tap(selector), page.drag(from, to, { touch }), page.wheel(at, dx, dy),
//   page.press('Alt+F' [, { code: 'KeyF' }]), page.type(text), page.evaluate(fn, ...args),
//   page.waitFor(fn, ...args), page.waitForSelector(selector, { gone }), page.text(selector),
//   page.box(selector), page.screenshot() (PNG bytes), page.openFile(path) (File > Open),
//   page.chooseFile(path, trigger), page.download() ({ name, bytes }), page.frames(),
//   page.problems(), page.close(); browser.close().
// A page served from a web server: browser.open({ url, allowed }), with page.goto(url),
//   page.frame(selector) (an <iframe>'s document, with the same methods), page.pressAt(point),
//   page.setOffline(on), page.installability().
//
// Each page is a fresh copy of build-web/ondulix-k.html loaded from file:// with the probe
// (probe.mjs), or with { url } the page a server gives, in a fresh tab of its own. A call one
// engine's driver cannot make throws Unsupported, whose message says why; engineTest turns that
// into a test that says so. ONDULIX_ENGINES (comma-separated) picks engines.
import { startChromium } from './chromium.mjs';
import { Unsupported } from './driver.mjs';
import { startFirefox } from './firefox.mjs';
import { startWebKit } from './webkit.mjs';
import path from 'node:path';
import { test } from 'node:test';

export { Unsupported };

export const root = path.resolve(import.meta.dirname, '../..');
export const pagePath = path.join(root, 'build-web/ondulix-k.html');

const kStarters = { chromium: startChromium, firefox: startFirefox, webkit: startWebKit };

export const engines = (process.env.ONDULIX_ENGINES || Object.keys(kStarters).join(',')).split(',');
for (const engine of engines) {
  if (!(engine in kStarters)) throw new Error(`ONDULIX_ENGINES: no engine ${engine} (${Object.keys(kStarters).join(', ')})`);
}

export async function startBrowser(engine) {
  const started = await kStarters[engine]();
  return {
    engine,
    open: (options = {}) => started.open(options.htmlPath || pagePath, options),
    close: () => started.close(),
  };
}

// One browser per engine, started when a test first asks for it and closed by closeBrowsers.
const running = new Map();

export function browserOf(engine) {
  if (!running.has(engine)) running.set(engine, startBrowser(engine));
  return running.get(engine);
}

export async function closeBrowsers() {
  for (const browser of running.values()) await (await browser).close();
  running.clear();
}

// One test per engine, with the engine in its name: body(page, engine, t) on a fresh page opened
// with the options. A call the engine cannot make ends that engine's test as skipped, with the
// reason as the skip's message. With { oneEngine: true } the test runs in the first engine only:
// for what no engine can change, such as the frames the same WebAssembly computes.
export function engineTest(name, options, body) {
  for (const engine of options.oneEngine ? engines.slice(0, 1) : engines) {
    test(`${name} [${engine}]`, { timeout: options.timeout || 120000 }, async (t) => {
      let page;
      try {
        page = await (await browserOf(engine)).open(options);
        await body(page, engine, t);
      } catch (error) {
        if (!(error instanceof Unsupported)) throw error;
        t.skip(error.message);
      } finally {
        if (page) await page.close();
      }
    });
  }
}

// Opens a set-up through File > Open.
export function openSetup(page, file) {
  return page.openFile(file);
}

// Presses BitBtn1 and gives the number of pixels of the first frame drawn after it that differ
// from the PNG picture (its bytes), or -1 when the sizes differ. The canvas is read right after
// the frame is put, before the timer can draw another.
export async function firstFrameAgainst(page, png) {
  await page.evaluate(() => {
    window.nextFrame = new Promise((resolve) => window.ondulixProbe.waitingFrames.push(resolve));
  });
  await page.click('#BitBtn1');
  return page.evaluate(async (base64) => {
    const shown = await window.nextFrame;
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const picture = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const scratch = document.createElement('canvas');
    scratch.width = picture.width;
    scratch.height = picture.height;
    const context = scratch.getContext('2d');
    context.drawImage(picture, 0, 0);
    const want = context.getImageData(0, 0, picture.width, picture.height);
    if (want.width !== shown.width || want.height !== shown.height) return -1;
    let differing = 0;
    for (let i = 0; i < want.data.length; i += 4) {
      if (want.data[i] !== shown.data[i] || want.data[i + 1] !== shown.data[i + 1] ||
          want.data[i + 2] !== shown.data[i + 2]) differing++;
    }
    return differing;
  }, png.toString('base64'));
}
