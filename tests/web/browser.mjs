// Opens the browser edition's page in headless Chromium (Debian's, driven by playwright-core)
// from file://, with a fresh profile, and records whatever the page must never do: log an
// error to the console, throw, or make a request beyond loading itself. It also watches the
// frames the page puts on its `graph` canvas, so that a test can count them and take the
// canvas as it stands right after a frame.
import { chromium } from 'playwright-core';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// Without the networking switches Chromium keeps trying to reach its own servers, which this
// machine's closed network refuses; --no-sandbox because the tests run as root.
const kArgs = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

export const root = path.resolve(import.meta.dirname, '../..');
export const pagePath = path.join(root, 'build-web/ondulix-k.html');

// Runs in the page before its own script: counts the frames put on the graph canvas and hands
// each waiting test a copy of the canvas right after the next frame.
function watchFrames() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  const frames = { count: 0, waiting: [] };
  window.ondulixFrames = frames;
  CanvasRenderingContext2D.prototype.putImageData = function () {
    put.apply(this, arguments);
    if (this.canvas.id !== 'graph') return;
    frames.count++;
    const waiting = frames.waiting.splice(0);
    if (waiting.length) {
      const shown = this.getImageData(0, 0, this.canvas.width, this.canvas.height);
      for (const resolve of waiting) resolve(shown);
    }
  };
}

// `device` adds playwright's device settings: deviceScaleFactor, isMobile, hasTouch.
export async function startBrowser(viewport = { width: 1000, height: 700 }, device = {}) {
  const profile = await mkdtemp(path.join(tmpdir(), 'ondulix-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: kArgs,
    viewport,
    acceptDownloads: true,
    ...device,
  });
  await context.addInitScript(watchFrames);
  return {
    context,
    // A fresh page of the program, ready for input.
    async open(htmlPath = pagePath) {
      const url = pathToFileURL(path.resolve(htmlPath)).href;
      const problems = [];
      const page = await context.newPage();
      page.on('request', (request) => {
        const asked = request.url();
        // Downloads are blob: URLs made by the page itself.
        if (asked !== url && !asked.startsWith('blob:')) problems.push(`request: ${asked}`);
      });
      page.on('console', (message) => {
        if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
      });
      page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
      await page.goto(url);
      await page.waitForSelector('body[data-ready="true"]');
      return { page, problems };
    },
    async close() {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// One browser with one page of the program, for a tool that needs no more.
export async function openPage(htmlPath = pagePath) {
  const browser = await startBrowser();
  const { page, problems } = await browser.open(htmlPath);
  return { page, problems, close: () => browser.close() };
}

// File > Open of a set-up file through the page's menu and the browser's file chooser.
export async function openSetup(page, file) {
  const chooser = page.waitForEvent('filechooser');
  await page.click('#FileF1 > .title');
  await page.click('#OpenO1');
  await (await chooser).setFiles(file);
}

// Presses BitBtn1 and gives the number of pixels of the first frame drawn after it that differ
// from the PNG picture (its bytes), or -1 when the sizes differ. The canvas is read right after
// the frame is put, before the timer can draw another.
export async function firstFrameAgainst(page, png) {
  await page.evaluate(() => {
    window.nextFrame = new Promise((resolve) => window.ondulixFrames.waiting.push(resolve));
  });
  await page.click('#BitBtn1');
  return page.evaluate(async (base64) => {
    const shown = await window.nextFrame;
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const picture = await createImageBitmap(new Blob([bytes], { type: 'image/png' }),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const scratch = new OffscreenCanvas(picture.width, picture.height).getContext('2d');
    scratch.drawImage(picture, 0, 0);
    const want = scratch.getImageData(0, 0, picture.width, picture.height);
    if (want.width !== shown.width || want.height !== shown.height) return -1;
    let differing = 0;
    for (let i = 0; i < want.data.length; i += 4) {
      if (want.data[i] !== shown.data[i] || want.data[i + 1] !== shown.data[i + 1] ||
          want.data[i + 2] !== shown.data[i + 2]) differing++;
    }
    return differing;
  }, png.toString('base64'));
}
