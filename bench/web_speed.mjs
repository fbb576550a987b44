// The browser edition's speed in headless Chromium, measured in the real page: the largest
// frame (n = 50, four sources, every mark on: the state of frame_bench's "frame n=50") and the
// frames per second the page shows with its timer at 20 ms.
//
//   node bench/web_speed.mjs [NATIVE-MS]
//
// A frame is timed as the page's tick: the frame drawn and its pixels reordered for the canvas,
// without the browser's own copy into the canvas, which is printed apart. With NATIVE-MS, the
// native renderer's time for the same frame, the ratio is printed too. Needs build-web/
// (bash scripts/web.sh) and node_modules (npm ci).
import { openSetup, startBrowser } from '../tests/web/browser.mjs';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

const native = process.argv[2] ? Number(process.argv[2]) : null;

// theta, phi, n, g, speed x 10, interval; attenuation 1/sqrt(r); every mark on, no option;
// four sources as frame_bench places them.
const setupLines = [30, 30, 50, 20, 20, 20, 0, -1, 0, -1, -1, -1, -1, 0, 0, 0, 0,
  -150, -100, 300, 20, 0, 120, -80, 350, 25, 45, -60, 140, 400, 30, 90, 90, 110, 450, 35, 135];
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-web-speed-'));
const setup = path.join(work, 'bench.okd');
writeFileSync(setup, setupLines.map((v) => `${v}\r\n`).join(''));

const browser = await startBrowser();
// Keeps the function each timer of the page calls, so that the bench can tick it by hand.
await browser.context.addInitScript(() => {
  const start = window.setInterval;
  window.setInterval = function (tick, ms) {
    window.ondulixTick = tick;
    return start.call(window, tick, ms);
  };
});
try {
  const { page, problems } = await browser.open();
  await openSetup(page, setup);
  await page.click('#BitBtn1');
  await page.waitForFunction(() => window.ondulixFrames.count > 2);
  // Best of 15 rounds of 20 ticks, inside one task so that no timer tick comes between.
  const timing = await page.evaluate(() => {
    const best = () => {
      let fastest = Infinity;
      for (let round = 0; round < 15; ++round) {
        const start = performance.now();
        for (let i = 0; i < 20; ++i) window.ondulixTick();
        fastest = Math.min(fastest, (performance.now() - start) / 20);
      }
      return fastest;
    };
    const put = CanvasRenderingContext2D.prototype.putImageData;
    const withCanvas = best();
    CanvasRenderingContext2D.prototype.putImageData = function () {};
    const frame = best();
    CanvasRenderingContext2D.prototype.putImageData = put;
    return { frame, withCanvas };
  });
  const ratio = native ? `, native ${native.toFixed(2)} ms, ratio ${(timing.frame / native).toFixed(2)}` : '';
  console.log(`web frame n=50: ${timing.frame.toFixed(2)} ms${ratio}`);
  console.log(`web tick n=50 with the copy into the canvas: ${timing.withCanvas.toFixed(2)} ms`);

  const counted = await page.evaluate(() => new Promise((resolve) => {
    const first = window.ondulixFrames.count;
    const start = performance.now();
    setTimeout(() => resolve({ frames: window.ondulixFrames.count - first, ms: performance.now() - start }), 5000);
  }));
  console.log(`web fps: ${(counted.frames * 1000 / counted.ms).toFixed(1)} (interval 20 ms, n=50, four sources; the tick allows 50)`);
  if (problems.length) throw new Error(problems.join('\n'));
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
