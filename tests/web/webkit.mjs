// WebKit: Debian's WebKitGTK MiniBrowser started by /usr/bin/WebKitWebDriver in its automation
// mode, spoken to over the W3C WebDriver protocol. It needs an X display: the harness starts an
// Xvfb server of its own (whatever DISPLAY says), so the browser never shows on a user's screen.
// Each page is a session of its own: a fresh MiniBrowser with fresh storage.
import { ProbedPage, TabPool, Unsupported, parseKeys, servedPage } from './driver.mjs';
import { probedCopy } from './probe.mjs';
import { WebDriverSession, startDriver, webDriverKey } from './webdriver.mjs';
import { spawn } from 'node:child_process';

const kMiniBrowser = process.env.MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// An X server on the first free display; -displayfd writes its number once it takes clients.
async function startXvfb() {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1920x1400x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const exited = new Promise((resolve) => server.once('exit', resolve));
  process.once('exit', () => server.kill());
  const display = await new Promise((resolve, reject) => {
    let text = '';
    server.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) resolve(`:${text.trim()}`);
    });
    server.once('error', reject);
    server.once('exit', (code) => reject(new Error(`Xvfb ended with ${code} before it took clients`)));
  });
  return {
    display,
    stop: async () => {
      if (server.exitCode === null) server.kill();
      await exited;
    },
  };
}

const kNoTouch = 'WebKitGTK takes touch only from a touch device, and its driver delivers touch actions as mouse events';

class WebKitPage extends ProbedPage {
  constructor(tab, copy, pooled) {
    super('webkit', copy, { ...pooled, tab });
    this.session = tab.session;
  }

  evaluateSource(source) {
    return this.session.evaluate(source);
  }

  resizeViewport({ width, height }) {
    return setViewport(this.session, width, height);
  }

  // Elements with overflow:hidden count as not displayed to this driver, but its clicks reach them.
  async click(selector) {
    await this.session.command('POST', `/element/${await this.session.element(selector)}/click`, {});
  }

  // Touch actions reach WebKitGTK's page as mouse events, which a test of touch must not take.
  tap() {
    throw new Unsupported('webkit', 'tap', kNoTouch);
  }

  async drag(from, to, { touch = false, steps = 8 } = {}) {
    if (touch) throw new Unsupported('webkit', 'drag a finger', kNoTouch);
    const actions = [{ type: 'pointerMove', x: Math.round(from.x), y: Math.round(from.y), origin: 'viewport' },
      { type: 'pointerDown', button: 0 }];
    for (let i = 1; i <= steps; ++i) {
      actions.push({ type: 'pointerMove', origin: 'viewport', duration: 0,
        x: Math.round(from.x + (to.x - from.x) * i / steps), y: Math.round(from.y + (to.y - from.y) * i / steps) });
    }
    actions.push({ type: 'pointerUp', button: 0 });
    await this.session.actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }]);
  }

  // The wheel turned over a place by DOM pixel deltas: WebDriver's wheel source, whose action
  // ends before WebKitGTK has handed the page its event.
  async wheel(at, deltaX, deltaY) {
    await this.evaluate(() => {
      window.wheelsSeen = 0;
      window.addEventListener('wheel', () => { window.wheelsSeen++; }, { once: true, capture: true });
    });
    await this.session.actions([{ type: 'wheel', id: 'wheel', actions: [{ type: 'scroll', origin: 'viewport',
      x: Math.round(at.x), y: Math.round(at.y), deltaX, deltaY }] }]);
    await this.waitFor(() => window.wheelsSeen > 0);
  }

  async press(combo, { code } = {}) {
    if (code !== undefined) {
      throw new Unsupported('webkit', `press ${combo} with code ${code}`,
        "WebDriver's key actions take a key's character only and derive its code from a US layout");
    }
    // Its driver delivers Shift+Tab as key "Unidentified" with code Tab, which the page takes
    // by its code, as it takes any key a browser cannot name.
    const { modifiers, key } = parseKeys(combo);
    const held = modifiers.map(webDriverKey);
    const actions = [...held.map((value) => ({ type: 'keyDown', value })),
      { type: 'keyDown', value: webDriverKey(key) }, { type: 'keyUp', value: webDriverKey(key) },
      ...held.reverse().map((value) => ({ type: 'keyUp', value }))];
    await this.session.actions([{ type: 'key', id: 'keyboard', actions }]);
  }

  // Its driver sends key actions to the document it has selected, not to the focused frame.
  pressInFrame(selector, ...keys) {
    return this.session.inFrame(selector, () => this.press(...keys));
  }

  async type(text) {
    const actions = [];
    for (const c of text) actions.push({ type: 'keyDown', value: c }, { type: 'keyUp', value: c });
    await this.session.actions([{ type: 'key', id: 'keyboard', actions }]);
  }

  async takeScreenshot() {
    return Buffer.from(await this.session.command('GET', '/screenshot'), 'base64');
  }

  // In automation WebKit cancels every file chooser at once; the path goes to the input instead.
  async chooseFile(file, trigger) {
    await this.pickWithoutChooser(trigger, async () => {
      await this.session.command('POST', `/element/${await this.session.element('#picker')}/value`, { text: file });
    });
  }

  async blankPage() {
    await this.session.command('POST', '/url', { url: 'about:blank' });
  }

  navigate(url) {
    return this.session.command('POST', '/url', { url });
  }

  evaluateInFrame(selector, source) {
    return this.session.inFrame(selector, () => this.session.evaluate(source));
  }

  closePage() {
    return this.tab.close();
  }
}

// Makes the page's viewport (window.innerWidth x innerHeight) the size asked for, whatever the
// browser's own window adds around it.
async function setViewport(session, width, height) {
  let rect = { width, height };
  for (let tries = 0; tries < 3; ++tries) {
    await session.command('POST', '/window/rect', rect);
    const inner = await session.evaluate('({ width: window.innerWidth, height: window.innerHeight })');
    if (inner.width === width && inner.height === height) return;
    rect = { width: rect.width + width - inner.width, height: rect.height + height - inner.height };
  }
  const inner = await session.evaluate('({ width: window.innerWidth, height: window.innerHeight })');
  throw new Unsupported('webkit', `show a viewport of ${width} x ${height}`,
    `MiniBrowser's window keeps a smallest size of its own (the viewport stays ${inner.width} x ${inner.height})`);
}

export async function startWebKit() {
  const xvfb = await startXvfb();
  const pool = new TabPool();
  // The driver takes one session at a time, so each tab has a driver of its own. GTK draws a
  // window at a whole number of device pixels per CSS pixel, set for the process.
  const tabs = new Set();
  const newTab = async (scale) => {
    const driver = await startDriver(process.env.WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver', [],
      { ...process.env, DISPLAY: xvfb.display, GDK_SCALE: String(scale) });
    const tab = { driver };
    tab.close = async () => {
      tabs.delete(tab);
      await tab.session?.end().catch(() => {});
      await driver.stop();
    };
    tabs.add(tab);
    try {
      tab.session = await WebDriverSession.create(driver.base, {
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: kMiniBrowser, args: ['--automation'] },
      });
      await tab.session.command('POST', '/timeouts', { script: 120000, pageLoad: 60000 });
    } catch (error) {
      await tab.close();
      throw error;
    }
    return tab;
  };
  return {
    async open(htmlPath, { width = 1000, height = 700, deviceScaleFactor = 1, touch = false, mobile = false, fragment = '',
      query = '', language, url, allowed } = {}) {
      if (language) {
        throw new Unsupported('webkit', 'open a page in another browser language',
          'its languages are set when the browser starts, and the tests share one browser');
      }
      if (mobile) {
        throw new Unsupported('webkit', 'open a mobile page',
          'WebKitGTK is a desktop engine: it ignores <meta name="viewport"> and its driver has no mobile mode');
      }
      if (touch) throw new Unsupported('webkit', 'open a touch page', kNoTouch);
      if (!Number.isInteger(deviceScaleFactor)) {
        throw new Unsupported('webkit', `show the page at device ratio ${deviceScaleFactor}`,
          'GTK scales a window by whole numbers only (GDK_SCALE) and the driver cannot emulate a ratio');
      }
      const key = TabPool.key({ width, height, deviceScaleFactor, touch, mobile });
      const reused = url ? undefined : pool.take(key);
      const tab = reused || await newTab(deviceScaleFactor);
      const copy = url ? servedPage(url, allowed) : await probedCopy(htmlPath);
      const probed = new WebKitPage(tab, copy, { pool, key });
      // A served page's tab holds its site's workers and caches, which no other test may find.
      if (url) probed.tabReusable = false;
      try {
        if (!reused) await setViewport(tab.session, width, height);
        // WebKitGTK takes its languages from the C library's locale, which a machine may not
        // have in Japanese (then it says English): the address asks for the program's own.
        await tab.session.command('POST', '/url', { url: copy.url + (query || '?lang=ja') + (fragment ? `#${fragment}` : '') });
        await probed.waitForSelector('body[data-ready="true"]');
        if (await probed.evaluate(() => window.devicePixelRatio) !== deviceScaleFactor) {
          throw new Unsupported('webkit', `show the page at device ratio ${deviceScaleFactor}`, 'GDK_SCALE did not take effect');
        }
      } catch (error) {
        // A tab that could not be made as asked is not kept.
        probed.tabReusable = false;
        await probed.close();
        throw error;
      }
      return probed;
    },
    async close() {
      pool.drain();
      for (const tab of [...tabs]) await tab.close();
      await xvfb.stop();
    },
  };
}
