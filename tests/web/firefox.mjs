// Firefox ESR: Debian's /usr/bin/firefox-esr, headless, driven by puppeteer-core over WebDriver
// BiDi. Each tab has a browser context of its own (its own storage). Taps and touch drags reach
// the page as touch (pointer type "touch", touch events), but this Firefox ignores the driver's
// touch-screen override: navigator.maxTouchPoints stays 0 and (pointer: coarse) does not match.
import { ProbedPage, TabPool, Unsupported, parseKeys, servedPage } from './driver.mjs';
import { probedCopy } from './probe.mjs';
import puppeteer from 'puppeteer-core';

class FirefoxPage extends ProbedPage {
  constructor(tab, copy, pooled) {
    super('firefox', copy, { ...pooled, tab });
    this.context = tab.context;
    this.page = tab.page;
  }

  evaluateSource(source) {
    return this.page.evaluate(source);
  }

  async resizeViewport({ width, height }) {
    await this.page.setViewport({ ...this.page.viewport(), width, height });
  }

  click(selector) {
    return this.page.click(selector);
  }

  tap(selector) {
    return this.page.tap(selector);
  }

  async drag(from, to, { touch = false, steps = 8 } = {}) {
    if (touch) {
      const touchscreen = this.page.touchscreen;
      await touchscreen.touchStart(from.x, from.y);
      for (let i = 1; i <= steps; ++i) {
        await touchscreen.touchMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
      }
      await touchscreen.touchEnd();
      return;
    }
    await this.page.mouse.move(from.x, from.y);
    await this.page.mouse.down();
    await this.page.mouse.move(to.x, to.y, { steps });
    await this.page.mouse.up();
  }

  // The wheel turned over a place by DOM pixel deltas.
  async wheel(at, deltaX, deltaY) {
    await this.page.mouse.move(at.x, at.y);
    await this.page.mouse.wheel({ deltaX, deltaY });
  }

  async press(combo, { code } = {}) {
    if (code !== undefined) {
      throw new Unsupported('firefox', `press ${combo} with code ${code}`,
        "WebDriver BiDi's key actions take a key's character only and derive its code from a US layout");
    }
    const { modifiers, key } = parseKeys(combo);
    for (const m of modifiers) await this.page.keyboard.down(m);
    await this.page.keyboard.press(key);
    for (const m of modifiers.reverse()) await this.page.keyboard.up(m);
  }

  type(text) {
    return this.page.keyboard.type(text);
  }

  takeScreenshot() {
    return this.page.screenshot();
  }

  // Headless Firefox answers the chooser that the driver catches with a cancel event before the
  // driver's files arrive, which the page rightly takes as the user's cancel; the file goes to
  // the input instead.
  async chooseFile(file, trigger) {
    await this.pickWithoutChooser(trigger, async () => {
      await (await this.page.$('#picker')).uploadFile(file);
    });
  }

  async blankPage() {
    await this.page.goto('about:blank');
  }

  navigate(url) {
    return this.page.goto(url);
  }

  async evaluateInFrame(selector, source) {
    return (await (await this.page.$(selector)).contentFrame()).evaluate(source);
  }

  async setOffline(offline) {
    try {
      await this.page.setOfflineMode(offline);
    } catch (error) {
      throw new Unsupported('firefox', 'turn the network off', error.message);
    }
  }

  closePage() {
    return this.context.close();
  }
}

export async function startFirefox() {
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    // A browser set to Japanese, as the program's own language is.
    extraPrefsFirefox: { 'intl.accept_languages': 'ja' },
  });
  const pool = new TabPool();
  return {
    async open(htmlPath, { width = 1000, height = 700, deviceScaleFactor = 1, touch = false, mobile = false, fragment = '',
      query = '', language, url, allowed } = {}) {
      if (language) {
        throw new Unsupported('firefox', 'open a page in another browser language',
          'its languages are set when the browser starts, and the tests share one browser');
      }
      if (mobile) {
        throw new Unsupported('firefox', 'open a mobile page',
          'desktop Firefox has no mobile viewport (the page\'s <meta name="viewport"> is ignored) and its driver cannot turn one on');
      }
      const copy = url ? servedPage(url, allowed) : await probedCopy(htmlPath);
      const key = TabPool.key({ width, height, deviceScaleFactor, touch, mobile });
      let tab = url ? undefined : pool.take(key);
      if (!tab) {
        const context = await browser.createBrowserContext();
        tab = { context, page: await context.newPage() };
        await tab.page.setViewport({ width, height, deviceScaleFactor, hasTouch: touch });
      }
      const probed = new FirefoxPage(tab, copy, { pool, key });
      // A served page's tab holds its site's workers and caches, which no other test may find.
      if (url) probed.tabReusable = false;
      const { page } = tab;
      // Only the tab in front gets animation frames; a tab kept from an earlier test may be
      // behind newer ones.
      await page.bringToFront();
      await page.goto(copy.url + query + (fragment ? `#${fragment}` : ''));
      await probed.waitForSelector('body[data-ready="true"]');
      return probed;
    },
    close: () => browser.close(),
  };
}
