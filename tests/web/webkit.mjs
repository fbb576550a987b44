// WebKit: Debian's WebKitGTK MiniBrowser started by /usr/bin/WebKitWebDriver in its automation
// mode, spoken to over the W3C WebDriver protocol. It needs an X display: the harness starts an
// Xvfb server of its own (whatever DISPLAY says), so the browser never shows on a user's screen.
// Each page is a session of its own: a fresh MiniBrowser with fresh storage.
import { ProbedPage, Unsupported, parseKeys } from './driver.mjs';
import { probedCopy } from './probe.mjs';
import { WebDriverSession, startDriver, webDriverKey } from './webdriver.mjs';
import { spawn } from 'node:child_process';

const kMiniBrowser = process.env.MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// An X server on the first free display; -displayfd writes its number once it takes clients.
async function startXvfb() {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1920x1400x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const exited = new Promise((resolve) => server.once('exit', resolve));
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

class WebKitPage extends ProbedPage {
  constructor(session, copy) {
    super('webkit', copy.remove);
    this.session = session;
  }

  evaluateSource(source) {
    return this.session.evaluate(source);
  }

  // Elements with overflow:hidden count as not displayed to this driver, but its clicks reach them.
  async click(selector) {
    await this.session.command('POST', `/element/${await this.session.element(selector)}/click`, {});
  }

  async centre(selector) {
    return this.evaluate((s) => {
      const box = document.querySelector(s).getBoundingClientRect();
      return { x: Math.round(box.left + box.width / 2), y: Math.round(box.top + box.height / 2) };
    }, selector);
  }

  async pointer(type, moves) {
    const actions = [];
    moves.forEach((at, i) => {
      actions.push({ type: 'pointerMove', x: Math.round(at.x), y: Math.round(at.y), origin: 'viewport', duration: 0 });
      if (i === 0) actions.push({ type: 'pointerDown', button: 0 });
    });
    actions.push({ type: 'pointerUp', button: 0 });
    try {
      await this.session.actions([{ type: 'pointer', id: type, parameters: { pointerType: type }, actions }]);
    } catch (error) {
      if (type === 'touch') throw new Unsupported('webkit', 'touch the page', `its driver refuses touch actions (${error.message})`);
      throw error;
    }
  }

  async tap(selector) {
    await this.pointer('touch', [await this.centre(selector)]);
  }

  async drag(from, to, { touch = false, steps = 8 } = {}) {
    const moves = [from];
    for (let i = 1; i <= steps; ++i) moves.push({ x: from.x + (to.x - from.x) * i / steps, y: from.y + (to.y - from.y) * i / steps });
    await this.pointer(touch ? 'touch' : 'mouse', moves);
  }

  async press(combo, { code } = {}) {
    if (code !== undefined) {
      throw new Unsupported('webkit', `press ${combo} with code ${code}`,
        "WebDriver's key actions take a key's character only and derive its code from a US layout");
    }
    const { modifiers, key } = parseKeys(combo);
    const held = modifiers.map(webDriverKey);
    const actions = [...held.map((value) => ({ type: 'keyDown', value })),
      { type: 'keyDown', value: webDriverKey(key) }, { type: 'keyUp', value: webDriverKey(key) },
      ...held.reverse().map((value) => ({ type: 'keyUp', value }))];
    await this.session.actions([{ type: 'key', id: 'keyboard', actions }]);
  }

  async type(text) {
    const actions = [];
    for (const c of text) actions.push({ type: 'keyDown', value: c }, { type: 'keyUp', value: c });
    await this.session.actions([{ type: 'key', id: 'keyboard', actions }]);
  }

  async screenshot() {
    return Buffer.from(await this.session.command('GET', '/screenshot'), 'base64');
  }

  // In automation WebKit cancels every file chooser at once; the path goes to the input instead.
  async chooseFile(file, trigger) {
    await this.pickWithoutChooser(trigger, async () => {
      await this.session.command('POST', `/element/${await this.session.element('#picker')}/value`, { text: file });
    });
  }

  closePage() {
    return this.session.end();
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
  throw new Error(`webkit: the viewport did not become ${width} x ${height}`);
}

export async function startWebKit() {
  const xvfb = await startXvfb();
  // GTK draws a window at a whole number of device pixels per CSS pixel, set for the process.
  const drivers = new Map();
  const driverFor = async (scale) => {
    if (!drivers.has(scale)) {
      drivers.set(scale, startDriver(process.env.WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver', [],
        { ...process.env, DISPLAY: xvfb.display, GDK_SCALE: String(scale) }));
    }
    return drivers.get(scale);
  };
  return {
    async open(htmlPath, { width = 1000, height = 700, deviceScaleFactor = 1, touch = false, mobile = false } = {}) {
      if (mobile) {
        throw new Unsupported('webkit', 'open a mobile page',
          'WebKitGTK is a desktop engine: it ignores <meta name="viewport"> and its driver has no mobile mode');
      }
      if (!Number.isInteger(deviceScaleFactor)) {
        throw new Unsupported('webkit', `show the page at device ratio ${deviceScaleFactor}`,
          'GTK scales a window by whole numbers only (GDK_SCALE) and the driver cannot emulate a ratio');
      }
      const driver = await driverFor(deviceScaleFactor);
      const session = await WebDriverSession.create(driver.base, {
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: kMiniBrowser, args: ['--automation'] },
      });
      await session.command('POST', '/timeouts', { script: 120000, pageLoad: 60000 });
      const copy = await probedCopy(htmlPath);
      const probed = new WebKitPage(session, copy);
      try {
        await setViewport(session, width, height);
        await session.command('POST', '/url', { url: copy.url });
        await probed.waitForSelector('body[data-ready="true"]');
        if (await probed.evaluate(() => window.devicePixelRatio) !== deviceScaleFactor) {
          throw new Unsupported('webkit', `show the page at device ratio ${deviceScaleFactor}`, 'GDK_SCALE did not take effect');
        }
        if (touch && !await probed.evaluate(() => navigator.maxTouchPoints > 0)) {
          throw new Unsupported('webkit', 'emulate a touch screen',
            'WebKitGTK takes touch only from a touch device and its driver cannot emulate one');
        }
      } catch (error) {
        await probed.close();
        throw error;
      }
      return probed;
    },
    async close() {
      for (const driver of drivers.values()) await (await driver).stop();
      await xvfb.stop();
    },
  };
}
