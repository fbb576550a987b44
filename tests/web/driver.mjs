// What every engine's page offers the tests, built on the few things each driver does its own
// way (chromium.mjs, firefox.mjs, webkit.mjs). Everything that can be asked of the page itself
// goes through the probe (probe.mjs), so that it works alike in the three engines.

// A thing one engine's driver cannot do; its message says which and why, and a test that needs
// it reports that instead of a result (browser.mjs: engineTest).
export class Unsupported extends Error {
  constructor(engine, what, why) {
    super(`${engine} cannot ${what}: ${why}`);
    this.name = 'Unsupported';
  }
}

// "Alt+Shift+F" -> { modifiers: ['Alt', 'Shift'], key: 'F' }; "+" alone is a key too ("Shift++").
export function parseKeys(combo) {
  const at = combo.length < 2 ? -1 : combo.lastIndexOf('+', combo.length - 2);
  const modifiers = at < 0 ? [] : combo.slice(0, at).split('+');
  for (const modifier of modifiers) {
    if (!['Alt', 'Control', 'Meta', 'Shift'].includes(modifier)) throw new Error(`${combo}: unknown modifier ${modifier}`);
  }
  return { modifiers, key: combo.slice(at + 1) };
}

const kTimeout = 30000;

// A page served from a web server rather than a probed copy: the server puts the probe in it
// (probe.mjs: probeHead). The page may load what lies under the addresses allowed, by default
// its own folder.
export function servedPage(url, allowed = [new URL('./', url).href]) {
  return { url, allows: (asked) => allowed.some((prefix) => asked.startsWith(prefix)), remove: async () => {} };
}

// Browser tabs kept open between tests. Opening a tab costs an engine two to three seconds of
// processor time, loading the page again in one already open well under one, and the tests
// open some two hundred pages. A tab goes back blank and is taken again only for a page opened
// with the same viewport, device ratio, touch and mobile settings, which belong to the tab.
export class TabPool {
  constructor() {
    this.idle = new Map();
  }

  static key({ width = 1000, height = 700, deviceScaleFactor = 1, touch = false, mobile = false, language } = {}) {
    return JSON.stringify([width, height, deviceScaleFactor, touch, mobile, language]);
  }

  // An idle tab made for options like these, or undefined.
  take(key) {
    return this.idle.get(key)?.pop();
  }

  put(key, tab) {
    if (!this.idle.has(key)) this.idle.set(key, []);
    this.idle.get(key).push(tab);
  }

  // Every idle tab, taken out of the pool.
  drain() {
    const tabs = [...this.idle.values()].flat();
    this.idle.clear();
    return tabs;
  }
}

export class ProbedPage {
  // The driver's page: its engine, its probed copy, and where its tab goes back when the page
  // closes (pool and key), if it may.
  constructor(engine, copy, { pool, key, tab } = {}) {
    this.engine = engine;
    this.removeCopy = copy.remove;
    this.downloadsTaken = 0;
    this.pool = pool;
    this.poolKey = key;
    this.tab = tab;
    this.tabReusable = true;
  }

  // A new size of the viewport, as when the screen turns or the browser's window is resized.
  // The tab no longer fits its key, so it closes with the page.
  resize(size) {
    this.tabReusable = false;
    return this.resizeViewport(size);
  }

  // Loads another address in the same tab (its storage, its workers) and waits for the page.
  async goto(url) {
    await this.navigate(url);
    await this.waitForSelector('body[data-ready="true"]');
  }

  // The document of the <iframe> that the selector finds, with the page's methods: evaluate,
  // waitFor, box, text, problems ... run in the frame, and click(selector) presses the pointer
  // where the element shows on the screen, as a user's click into the frame (with touch a tap).
  frame(selector, { touch = false } = {}) {
    const framed = Object.create(this);
    framed.evaluateSource = (source) => this.evaluateInFrame(selector, source);
    framed.press = (...keys) => this.pressInFrame(selector, ...keys);
    framed.click = async (inner) => {
      const outer = await this.box(selector);
      const at = await framed.box(inner);
      await this.pressAt({ x: outer.left + at.left + at.width / 2, y: outer.top + at.top + at.height / 2 }, { touch });
    };
    return framed;
  }

  // Keys pressed while the frame holds the focus; a browser sends them to the focused frame.
  pressInFrame(selector, ...keys) {
    return this.press(...keys);
  }

  // A press where the pointer does not move: a click, or with touch a tap.
  pressAt(point, { touch = false } = {}) {
    return this.drag(point, point, { touch, steps: 0 });
  }

  // The browser's network off (true) or on again, for the whole tab.
  setOffline() {
    throw new Unsupported(this.engine, 'turn the network off', 'its driver has no network emulation');
  }

  // The browser's own verdict on installing the page as an app: { errors (what is missing, and
  // what it could not read in the manifest), manifest (what it took from it), text (the
  // manifest's own members) }.
  installability() {
    throw new Unsupported(this.engine, 'give a verdict on installing the page',
      "only Chromium has one, the DevTools protocol's Page.getInstallabilityErrors");
  }

  // Runs fn(...args) in the page and gives its result, awaited; args and result travel as JSON.
  async evaluate(fn, ...args) {
    return this.evaluateSource(`(${fn})(...${JSON.stringify(args)})`);
  }

  // Polls fn(...args) in the page until it gives a truthy value, and gives that value.
  async waitFor(fn, ...args) {
    const until = Date.now() + kTimeout;
    for (;;) {
      const value = await this.evaluate(fn, ...args);
      if (value) return value;
      if (Date.now() > until) throw new Error(`${this.engine}: still false after ${kTimeout} ms: ${fn}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  async waitForSelector(selector, { gone = false } = {}) {
    await this.waitFor((s, g) => !document.querySelector(s) === g, selector, gone);
  }

  // The element's box in the viewport's CSS pixels, for a pointer to aim at.
  box(selector) {
    return this.evaluate((s) => {
      const { left, top, width, height } = document.querySelector(s).getBoundingClientRect();
      return { left, top, width, height };
    }, selector);
  }

  text(selector) {
    return this.evaluate((s) => document.querySelector(s).textContent, selector);
  }

  // The page as the screen shows it, PNG bytes. WebKit's shot is of the last picture it
  // composited, which can be seconds old: two animation frames bring it up to the document.
  async screenshot() {
    await this.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    return this.takeScreenshot();
  }

  // Everything the page must never do, as seen by the probe and by the driver.
  async problems() {
    return [...await this.evaluate(() => window.ondulixProbe.problems), ...this.driverProblems()];
  }

  driverProblems() {
    return [];
  }

  // Frames put on the graph canvas since the page loaded.
  frames() {
    return this.evaluate(() => window.ondulixProbe.frames);
  }

  // The next download the page makes from now on or made since the last one taken: its name
  // and bytes.
  async download() {
    const at = this.downloadsTaken++;
    await this.waitFor((i) => window.ondulixProbe.downloads.length > i, at);
    const { name, base64 } = await this.evaluate(async (i) => {
      const { name, blob } = window.ondulixProbe.downloads[i];
      const bytes = new Uint8Array(await blob.arrayBuffer());
      let binary = '';
      for (const byte of bytes) binary += String.fromCharCode(byte);
      return { name, base64: btoa(binary) };
    }, at);
    return { name, bytes: Buffer.from(base64, 'base64') };
  }

  // File > Open through the page's menu, the chosen file given to the file input the page opens.
  async openFile(file) {
    await this.click('#FileF1 > .title');
    await this.chooseFile(file, () => this.click('#OpenO1'));
    // The page reads the file and the program goes on: input is taken again once the picker's
    // cover is gone, or an error box stands on it.
    await this.waitFor(() => document.getElementById('modal').hidden || !!document.querySelector('#modal .box'));
  }

  // For a driver whose file chooser cannot hand a file on: the page's call of the file input's
  // click() is caught instead of opening a chooser, and giveFile() then puts the file into the
  // input as a chooser does, followed by its input and change events.
  async pickWithoutChooser(trigger, giveFile) {
    await this.evaluate(() => {
      const picker = document.getElementById('picker');
      picker.asked = 0;
      picker.click = () => { picker.asked++; };
    });
    await trigger();
    await this.waitFor(() => document.getElementById('picker').asked === 1 && !document.getElementById('modal').hidden);
    await giveFile();
  }

  // The tab goes back to the pool blank, so that nothing of this page runs on; a tab that
  // cannot be blanked or was resized closes.
  async close() {
    let kept = false;
    if (this.pool && this.tabReusable) {
      try {
        await this.blankPage();
        this.pool.put(this.poolKey, this.tab);
        kept = true;
      } catch {
        // Closed below.
      }
    }
    if (!kept) await this.closePage();
    await this.removeCopy();
  }
}
