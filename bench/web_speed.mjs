// The browser edition's speed in each engine, measured in the real page: the largest frame
// (n = 50, four sources, every mark on: the state of frame_bench's "frame n=50"), the frames per
// second the page shows with its timer at 20 ms, and the CPU the browser spends meanwhile.
//
//   node bench/web_speed.mjs [NATIVE-MS]       (ONDULIX_ENGINES picks engines, default all three)
//
// A frame is timed as the page's tick: the frame drawn and its pixels reordered for the canvas,
// without the browser's own copy into the canvas, which is printed apart. With NATIVE-MS, the
// native renderer's time for the same frame, the ratio is printed too. The CPU is that of every
// process the browser runs (utime + stime from /proc over the counting window) in percent of one
// core, also per frame, which a machine shared with other work changes less than the rate; then
// the busiest threads. WebKit's X server, which shows its window, is printed apart. Needs build-web/
// (bash scripts/web.sh) and node_modules (npm ci).
import { engines, openSetup, pagePath, startBrowser } from '../tests/web/browser.mjs';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

const native = process.argv[2] ? Number(process.argv[2]) : null;
const kCountingMs = 5000;

// theta, phi, n, g, speed x 10, interval; attenuation 1/sqrt(r); every mark on, no option;
// four sources as frame_bench places them.
const setupLines = [30, 30, 50, 20, 20, 20, 0, -1, 0, -1, -1, -1, -1, 0, 0, 0, 0,
  -150, -100, 300, 20, 0, 120, -80, 350, 25, 45, -60, 140, 400, 30, 90, 90, 110, 450, 35, 135];
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-web-speed-'));
const setup = path.join(work, 'bench.okd');
writeFileSync(setup, setupLines.map((v) => `${v}\r\n`).join(''));

// The page with a script that keeps the function each of its timers calls, so that the bench
// can tick it by hand.
const benchPage = path.join(work, 'ondulix-k.html');
const keepTick = `<script>(() => {
  const start = window.setInterval;
  window.setInterval = function (tick, ms) { window.ondulixTick = tick; return start.call(window, tick, ms); };
})();</script>`;
writeFileSync(benchPage, readFileSync(pagePath, 'utf8').replace('<head>', `<head>\n${keepTick}`));

const clockTicks = Number(execFileSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }));

// CPU seconds so far of each thread of each process below this one, as
// "process/thread" -> seconds (threads of one name added up).
function threadTimes() {
  const stat = (file) => {
    const text = readFileSync(file, 'utf8');
    // The name is in parentheses and may hold spaces; the fields after it are plain.
    const fields = text.slice(text.lastIndexOf(')') + 2).split(' ');
    return {
      name: text.slice(text.indexOf('(') + 1, text.lastIndexOf(')')),
      parent: Number(fields[1]),
      seconds: (Number(fields[11]) + Number(fields[12])) / clockTicks,
    };
  };
  const children = new Map();
  const names = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const { name, parent } = stat(`/proc/${entry}/stat`);
      names.set(Number(entry), name);
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(Number(entry));
    } catch {
      // Ended meanwhile.
    }
  }
  const times = new Map();
  const visit = (pid) => {
    for (const child of children.get(pid) || []) {
      try {
        for (const task of readdirSync(`/proc/${child}/task`)) {
          const thread = stat(`/proc/${child}/task/${task}/stat`);
          const key = `${names.get(child)}/${thread.name}`;
          times.set(key, (times.get(key) || 0) + thread.seconds);
        }
      } catch {
        // Ended meanwhile.
      }
      visit(child);
    }
  };
  visit(process.pid);
  return times;
}

// Percent of one core that each thread used between two samples, the busiest first.
function cpuPercents(first, last, ms) {
  const used = [];
  for (const [key, seconds] of last) used.push([key, ((seconds - (first.get(key) || 0)) * 100000) / ms]);
  return used.sort((a, b) => b[1] - a[1]);
}

async function measure(engine) {
  const browser = await startBrowser(engine);
  try {
    const page = await browser.open({ htmlPath: benchPage });
    await openSetup(page, setup);
    await page.click('#BitBtn1');
    await page.waitFor(() => window.ondulixProbe.frames > 2);
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
    console.log(`web frame n=50 [${engine}]: ${timing.frame.toFixed(2)} ms${ratio}`);
    console.log(`web tick n=50 with the copy into the canvas [${engine}]: ${timing.withCanvas.toFixed(2)} ms`);

    const firstTimes = threadTimes();
    // The browser's rendering updates are counted too: a frame put on the canvas reaches the
    // screen only with one, and a browser short of time makes fewer.
    const counted = await page.evaluate((ms) => new Promise((resolve) => {
      const first = window.ondulixProbe.frames;
      const start = performance.now();
      let updates = 0;
      const count = () => {
        updates++;
        if (performance.now() - start < ms) requestAnimationFrame(count);
      };
      requestAnimationFrame(count);
      setTimeout(() => resolve({ frames: window.ondulixProbe.frames - first, updates, ms: performance.now() - start }), ms);
    }), kCountingMs);
    const used = cpuPercents(firstTimes, threadTimes(), counted.ms);
    const isDisplay = ([key]) => key.startsWith('Xvfb/');
    const isDriver = ([key]) => key.startsWith('WebKitWebDriver/');
    const sum = (rows) => rows.reduce((total, [, percent]) => total + percent, 0);
    const browserUsed = used.filter((row) => !isDisplay(row) && !isDriver(row));
    const cpu = sum(browserUsed);
    const fps = (counted.frames * 1000) / counted.ms;
    const display = engine === 'webkit' ? `, its X server ${sum(used.filter(isDisplay)).toFixed(0)} %` : '';
    const updates = (counted.updates * 1000) / counted.ms;
    console.log(`web fps [${engine}]: ${fps.toFixed(1)} (rendering updates ${updates.toFixed(0)}/s), browser CPU ${cpu.toFixed(0)} % of a core ` +
      `(${(cpu * 10 / fps).toFixed(1)} ms a frame)${display} (interval 20 ms, n=50, four sources; the tick allows 50)`);
    // Where the time goes: the browser's busiest threads.
    console.log(`web CPU by thread [${engine}]: ${browserUsed.slice(0, 5)
      .map(([key, percent]) => `${key} ${percent.toFixed(0)} %`).join(', ')}`);
    const problems = await page.problems();
    await page.close();
    if (problems.length) throw new Error(problems.join('\n'));
  } finally {
    await browser.close();
  }
}

try {
  for (const engine of engines) await measure(engine);
} finally {
  rmSync(work, { recursive: true, force: true });
}
