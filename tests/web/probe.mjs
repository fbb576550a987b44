// The test's eyes inside the page, the same in every engine: a copy of the page with a script put
// first in its <head>, before anything of the page runs. WebKit's driver has no script that runs
// before a page's own and no log to read, so everything a test must see is recorded by the page
// itself: errors, what it loads, the frames put on the graph canvas and what it downloads.
import { mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// Runs in the page as its first script; window.ondulixProbe holds what it saw. The page may load
// what lies under the allowed addresses, relative to the page ('./' for a served page's own
// folder); without any, nothing but itself.
function probe(allowed) {
  const seen = {
    problems: [],
    frames: 0,
    waitingFrames: [], // resolvers of tests waiting for a copy of the next frame
    downloads: [], // { name, blob }
    keepDownloads: false, // a real download too, for a driver that checks it apart
  };
  window.ondulixProbe = seen;
  // Long enough to tell what went wrong; a data: URL in a message can run to megabytes.
  const text = (value) => (value instanceof Error ? `${value.name}: ${value.message}` : String(value)).slice(0, 300);

  window.addEventListener('error', (event) => {
    seen.problems.push(`page error: ${text(event.error || event.message)}`);
  });
  window.addEventListener('unhandledrejection', (event) => {
    seen.problems.push(`page error: unhandled rejection: ${text(event.reason)}`);
  });
  const consoleError = console.error;
  console.error = function (...args) {
    seen.problems.push(`console error: ${args.map(text).join(' ')}`);
    return consoleError.apply(this, args);
  };

  // The page is one file; anything it loads beyond itself and its data: and blob: URLs is a
  // request it must not make. The content policy below blocks it and says so as well.
  const page = location.href;
  const bases = allowed && allowed.map((prefix) => new URL(prefix, page).href);
  const fine = (name) => (bases ? bases.some((base) => name.startsWith(base)) : name === page);
  const loaded = (entries) => {
    for (const entry of entries) {
      if (!fine(entry.name) && !/^(data|blob):/.test(entry.name)) seen.problems.push(`request: ${text(entry.name)}`);
    }
  };
  new PerformanceObserver((list) => loaded(list.getEntries())).observe({ type: 'resource', buffered: true });
  document.addEventListener('securitypolicyviolation', (event) => {
    seen.problems.push(`request: ${event.blockedURI} (${event.effectiveDirective})`);
  });

  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function () {
    put.apply(this, arguments);
    if (this.canvas.id !== 'graph') return;
    seen.frames++;
    const waiting = seen.waitingFrames.splice(0);
    if (waiting.length) {
      const shown = this.getImageData(0, 0, this.canvas.width, this.canvas.height);
      for (const resolve of waiting) resolve(shown);
    }
  };

  // Only an installed page has a launch queue: this one keeps the page's consumer, so that a
  // test can hand it launch params of its own making.
  Object.defineProperty(window, 'launchQueue', {
    configurable: true,
    value: { setConsumer: (consumer) => { seen.launchConsumer = consumer; } },
  });

  // A download is a blob: URL clicked through an anchor with a download name.
  const blobs = new Map();
  const makeURL = URL.createObjectURL;
  URL.createObjectURL = function (object) {
    const url = makeURL.call(URL, object);
    if (object instanceof Blob) blobs.set(url, object);
    return url;
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    if (this.hasAttribute('download') && blobs.has(this.href)) {
      seen.downloads.push({ name: this.download, blob: blobs.get(this.href) });
      if (!seen.keepDownloads) return;
    }
    return click.call(this);
  };
}

// Everything the page may load is inside it: scripts and the WebAssembly are compiled from its
// own text, which holds the WebAssembly as a data: URL that the loader fetches.
const kPolicy = "default-src 'none'; script-src 'unsafe-inline' 'unsafe-eval' 'wasm-unsafe-eval'; " +
  "style-src 'unsafe-inline'; img-src data: blob:; connect-src data:";

// A served page loads its files from its own folder, and nothing from anywhere else.
export const kServedPolicy = "default-src 'self'; script-src 'self' 'unsafe-inline' 'unsafe-eval' 'wasm-unsafe-eval'; " +
  "style-src 'unsafe-inline'; img-src 'self' data: blob:; connect-src 'self' data:";

// The page's text with the probe and the content policy first in its <head>.
export function probeHead(html, { policy = kPolicy, allowed = null } = {}) {
  const head = html.indexOf('<head>');
  if (head < 0) throw new Error('no <head> to put the probe in');
  const at = head + '<head>'.length;
  const inserted = `\n<meta http-equiv="Content-Security-Policy" content="${policy}">` +
    `\n<script>(${probe.toString()})(${JSON.stringify(allowed)});</script>`;
  return html.slice(0, at) + inserted + html.slice(at);
}

// Writes a copy of the page with the probe into a fresh folder; gives its file: URL and a
// function that removes the folder.
export async function probedCopy(htmlPath) {
  const html = probeHead(await readFile(htmlPath, 'utf8'));
  const folder = await mkdtemp(path.join(tmpdir(), 'ondulix-page-'));
  const copy = path.join(folder, path.basename(htmlPath));
  await writeFile(copy, html);
  const url = pathToFileURL(copy).href;
  // The page itself, whatever its address's query (?lang=) and fragment.
  return { url, allows: (asked) => asked.split(/[?#]/)[0] === url, remove: () => rm(folder, { recursive: true, force: true }) };
}
