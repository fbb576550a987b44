// Chromium: Debian's /usr/bin/chromium, headless, driven by playwright-core over the DevTools
// protocol. Each tab has a context of its own (its own storage and viewport). Besides the
// probe, the driver sees every request, console error and page error itself, and checks each
// download the probe catches against the one the browser really makes.
import { ProbedPage, TabPool, parseKeys, servedPage } from './driver.mjs';
import { probedCopy } from './probe.mjs';
import { chromium } from 'playwright-core';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';

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

class ChromiumPage extends ProbedPage {
  constructor(tab, copy, pooled) {
    super('chromium', copy, { ...pooled, tab });
    this.context = tab.context;
    this.page = tab.page;
    this.seen = [];
    this.downloads = [];
    this.listeners = [];
    this.listen('request', (request) => {
      const asked = request.url();
      // Downloads are blob: URLs made by the page itself.
      if (!copy.allows(asked) && !asked.startsWith('blob:')) this.seen.push(`request: ${asked}`);
    });
    this.listen('console', (message) => {
      if (message.type() === 'error') this.seen.push(`console error: ${message.text().slice(0, 300)}`);
    });
    this.listen('pageerror', (error) => this.seen.push(`page error: ${error.message}`));
    this.listen('download', (download) => this.downloads.push(download));
  }

  listen(event, handler) {
    this.page.on(event, handler);
    this.listeners.push([event, handler]);
  }

  driverProblems() {
    return this.seen;
  }

  evaluateSource(source) {
    return this.page.evaluate(source);
  }

  click(selector) {
    return this.page.click(selector);
  }

  tap(selector) {
    return this.page.tap(selector);
  }

  // Playwright moves a finger only by a tap; a touch drag goes through the DevTools protocol.
  async drag(from, to, { touch = false, steps = 8 } = {}) {
    if (!touch) {
      await this.page.mouse.move(from.x, from.y);
      await this.page.mouse.down();
      await this.page.mouse.move(to.x, to.y, { steps });
      await this.page.mouse.up();
      return;
    }
    const session = await this.context.newCDPSession(this.page);
    const touchAt = (type, x, y) => session.send('Input.dispatchTouchEvent', {
      type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }],
    });
    await touchAt('touchStart', from.x, from.y);
    for (let i = 1; i <= steps; ++i) {
      await touchAt('touchMove', from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    }
    await touchAt('touchEnd');
    await session.detach();
  }

  // The wheel turned over a place by DOM pixel deltas.
  async wheel(at, deltaX, deltaY) {
    await this.page.mouse.move(at.x, at.y);
    await this.page.mouse.wheel(deltaX, deltaY);
  }

  // With a code, the key goes through the DevTools protocol, which takes the key, the code and
  // the text apart: Option+F on a Mac is key "ƒ" with code "KeyF".
  async press(combo, { code } = {}) {
    if (code === undefined) return this.page.keyboard.press(combo);
    const { modifiers, key } = parseKeys(combo);
    const bits = { Alt: 1, Control: 2, Meta: 4, Shift: 8 };
    const mask = modifiers.reduce((sum, m) => sum | bits[m], 0);
    for (const m of modifiers) await this.page.keyboard.down(m);
    const session = await this.context.newCDPSession(this.page);
    const text = key.length === 1 ? key : undefined;
    await session.send('Input.dispatchKeyEvent', { type: text ? 'keyDown' : 'rawKeyDown', modifiers: mask, key, code, text });
    await session.send('Input.dispatchKeyEvent', { type: 'keyUp', modifiers: mask, key, code });
    await session.detach();
    for (const m of modifiers.reverse()) await this.page.keyboard.up(m);
  }

  type(text) {
    return this.page.keyboard.type(text);
  }

  resizeViewport({ width, height }) {
    return this.page.setViewportSize({ width, height });
  }

  takeScreenshot() {
    return this.page.screenshot();
  }

  async chooseFile(file, trigger) {
    const chooser = this.page.waitForEvent('filechooser');
    await trigger();
    await (await chooser).setFiles(file);
  }

  async download() {
    const caught = await super.download();
    const made = this.downloads.shift();
    if (!made) throw new Error('chromium: the page handed a download to an anchor, but the browser made none');
    const bytes = await readFile(await made.path());
    if (made.suggestedFilename() !== caught.name || !bytes.equals(caught.bytes)) {
      throw new Error(`chromium: the browser saved ${made.suggestedFilename()} (${bytes.length} bytes), ` +
        `the page handed on ${caught.name} (${caught.bytes.length} bytes)`);
    }
    return caught;
  }

  async blankPage() {
    for (const [event, handler] of this.listeners) this.page.off(event, handler);
    await this.page.goto('about:blank');
  }

  navigate(url) {
    return this.page.goto(url);
  }

  async evaluateInFrame(selector, source) {
    return (await (await this.page.$(selector)).contentFrame()).evaluate(source);
  }

  setOffline(offline) {
    return this.context.setOffline(offline);
  }

  async installability() {
    const session = await this.context.newCDPSession(this.page);
    try {
      const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
      const { errors, manifest, data } = await session.send('Page.getAppManifest');
      return {
        errors: [...installabilityErrors.map((e) => e.errorId), ...errors.map((e) => e.message)],
        manifest,
        text: JSON.parse(data),
      };
    } finally {
      await session.detach();
    }
  }

  async closePage() {
    await this.context.close();
    if (this.tab.profile) await rm(this.tab.profile, { recursive: true, force: true });
  }
}

export async function startChromium() {
  const launch = { executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args: kArgs };
  const browser = await chromium.launch(launch);
  const pool = new TabPool();
  return {
    async open(htmlPath, { width = 1000, height = 700, deviceScaleFactor = 1, touch = false, mobile = false, fragment = '',
      query = '', language = 'ja-JP', url, allowed, persistent = false } = {}) {
      const copy = url ? servedPage(url, allowed) : await probedCopy(htmlPath);
      const key = TabPool.key({ width, height, deviceScaleFactor, touch, mobile, language });
      let tab = url ? undefined : pool.take(key);
      if (!tab) {
        // A browser set to Japanese, as the program's own language is, unless a test asks for
        // another.
        const settings = {
          viewport: { width, height }, deviceScaleFactor, hasTouch: touch, isMobile: mobile, acceptDownloads: true,
          locale: language,
        };
        // A context of the browser's is incognito, where no page can be installed; a profile
        // of its own on the disk is a browser of its own.
        if (persistent) {
          const profile = await mkdtemp(path.join(tmpdir(), 'ondulix-chromium-'));
          const context = await chromium.launchPersistentContext(profile, { ...launch, ...settings });
          tab = { context, page: context.pages()[0] || await context.newPage(), profile };
        } else {
          const context = await browser.newContext(settings);
          tab = { context, page: await context.newPage() };
        }
      }
      const probed = new ChromiumPage(tab, copy, { pool, key });
      // A served page's tab holds its site's workers and caches, which no other test may find.
      if (url) probed.tabReusable = false;
      const { page } = tab;
      await page.goto(copy.url + query + (fragment ? `#${fragment}` : ''));
      await probed.waitForSelector('body[data-ready="true"]');
      await probed.evaluate(() => { window.ondulixProbe.keepDownloads = true; });
      return probed;
    },
    close: () => browser.close(),
  };
}
