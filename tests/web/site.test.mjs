// The site folder (build-web/site/) served from a web server on 127.0.0.1, as a school's server
// would serve it: its worker keeps it, Chromium would install it, it starts with the server gone
// and the network off, a new version copied onto the server shows by the second load, and it
// works inside another site's <iframe>.
//
// Needs build-web/site/ (scripts/web.sh) and, from the desktop's build in build/,
// ondulix-k-render.
import { Unsupported, engineTest, firstFrameAgainst, root } from './browser.mjs';
import { kServedPolicy, probeHead } from './probe.mjs';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, beforeEach } from 'node:test';

const renderCommand = path.join(process.env.ONDULIX_BUILD || path.join(root, 'build'), 'src/render/ondulix-k-render');
const siteSource = path.join(root, 'src/platform/web/site');
const work = mkdtempSync(path.join(tmpdir(), 'ondulix-site-test-'));
const example = path.join(root, 'examples/03-beats.okd');

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// A static server for one folder at a fixed port, which can be stopped, started again and
// given another folder at the same address. Like many servers it lets the browser keep every
// file for ten minutes, which must not keep a new version from showing.
async function startServer() {
  const handle = async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://server').pathname).replace(/\/$/, '/index.html');
    const file = path.join(server.folder, path.normalize(name));
    try {
      if (!file.startsWith(server.folder + path.sep)) throw new Error('outside the folder');
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': kTypes[path.extname(file)], 'Cache-Control': 'max-age=600' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  };
  const server = {
    folder: null,
    http: null,
    port: 0,
    async start() {
      if (server.http) return;
      server.http = createServer(handle);
      await new Promise((resolve) => server.http.listen(server.port, '127.0.0.1', resolve));
      server.port = server.http.address().port;
    },
    async stop() {
      if (!server.http) return;
      server.http.closeAllConnections();
      await new Promise((resolve) => server.http.close(resolve));
      server.http = null;
    },
  };
  await server.start();
  return server;
}

// A copy of the built site with its page changed, and the worker of that version written for
// it by the build's own script, as a build of the changed page would write it.
function siteCopy(name, change) {
  const folder = path.join(work, name);
  cpSync(path.join(root, 'build-web/site'), folder, { recursive: true });
  const page = path.join(folder, 'index.html');
  writeFileSync(page, change(readFileSync(page, 'utf8')));
  execFileSync('cmake', [`-DWORKER=${path.join(siteSource, 'service_worker.js')}`, `-DSITE=${folder}`,
    '-P', path.join(siteSource, 'write_site.cmake')]);
  return { folder, version: /kCachePrefix \+ '([0-9a-f]+)'/.exec(readFileSync(path.join(folder, 'sw.js'), 'utf8'))[1] };
}

const probed = (html) => probeHead(html, { policy: kServedPolicy, allowed: ['./'] });
const site = siteCopy('site', probed);
const redeployed = siteCopy('redeployed', (html) => probed(html).replace('<head>', '<head>\n<meta name="deploy" content="2">'));
const server = await startServer();
const siteUrl = `http://127.0.0.1:${server.port}/`;
const classServer = await startServer();
const classOrigin = `http://localhost:${classServer.port}`;

beforeEach(async () => {
  server.folder = site.folder;
  await server.start();
});

after(async () => {
  const { closeBrowsers } = await import('./browser.mjs');
  await closeBrowsers();
  await Promise.all([server.stop(), classServer.stop()]);
  rmSync(work, { recursive: true, force: true });
});

// The fragment of the page link that ondulix-k-render prints for a set-up file, and the
// desktop's picture of its first tick.
function linkFragment(setup) {
  const link = execFileSync(renderCommand, [setup, '--link', siteUrl], { encoding: 'utf8' }).trim();
  return link.slice(link.indexOf('#') + 1);
}

function desktopPicture(setup) {
  const png = path.join(work, `${path.basename(setup)}.png`);
  execFileSync(renderCommand, [setup, '-o', png, '--clock', '0']);
  return readFileSync(png);
}

// Waits until the site's worker is active and controls the page, holding that version alone;
// gives the names its cache holds.
async function waitForKept(page, version) {
  return page.waitFor(async (name) => {
    const registration = await navigator.serviceWorker.getRegistration();
    if (registration?.active?.state !== 'activated' || !navigator.serviceWorker.controller) return null;
    const names = await caches.keys();
    if (names.length !== 1 || names[0] !== name) return null;
    const kept = await (await caches.open(name)).keys();
    return kept.map((request) => new URL(request.url).pathname.slice(1)).sort();
  }, `ondulix-k-${version}`);
}

const siteFiles = ['icons/apple-touch-icon.png', 'icons/icon-192.png', 'icons/icon-512.png',
  'icons/maskable-512.png', 'index.html', 'manifest.webmanifest'];

engineTest('served, the worker keeps every file of the site in one cache', { url: siteUrl }, async (page) => {
  assert.deepEqual(await waitForKept(page, site.version), siteFiles);
  assert.deepEqual(await page.problems(), []);
});

// The pixel size of a PNG file, from its header.
function pngSize(file) {
  const bytes = readFileSync(path.join(site.folder, file));
  return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
}

// The numbers of a CSS colour, as Chromium's manifest and computed styles write it.
const rgb = (colour) => colour.match(/\d+/g).slice(0, 3).join(',');

engineTest("Chromium's verdict: nothing missing to install it, and it opens .okd files", { url: siteUrl, persistent: true },
  async (page) => {
    await waitForKept(page, site.version);
    const { errors, manifest, text } = await page.installability();
    assert.deepEqual(errors, []);
    assert.equal(manifest.name, 'Ondulix-K');
    assert.equal(manifest.display, 'kStandalone');
    assert.equal(manifest.startUrl, siteUrl);
    // The bar above an installed window in the window's face, the starting screen in the
    // page's ground around it.
    const shown = await page.evaluate(() => [getComputedStyle(document.getElementById('window')).backgroundColor,
      getComputedStyle(document.body).backgroundColor]);
    assert.deepEqual([manifest.themeColor, manifest.backgroundColor].map(rgb), shown.map(rgb));
    const icons = text.icons.map((icon) => [icon.src, icon.sizes, icon.purpose]);
    for (const [file, sizes] of icons) assert.equal(pngSize(file), sizes);
    assert.deepEqual(icons.map(([, sizes, purpose]) => `${sizes} ${purpose}`).sort(),
      ['192x192 any', '512x512 any', '512x512 maskable']);
    assert.deepEqual(text.file_handlers.map((handler) => [new URL(handler.action, siteUrl).href, handler.accept]),
      [[siteUrl, { 'application/x-ondulix-k-setup': ['.okd'] }]]);
    assert.deepEqual(await page.problems(), []);
  });

engineTest('with the server gone and the network off, a link starts the kept page and its set-up', { url: siteUrl },
  async (page, engine, t) => {
    await waitForKept(page, site.version);
    await server.stop();
    try {
      await page.setOffline(true);
    } catch (error) {
      if (!(error instanceof Unsupported)) throw error;
      t.diagnostic(`${error.message}; only the server is gone`);
    }
    await page.goto(`${siteUrl}index.html#${linkFragment(example)}`);
    assert.equal(await firstFrameAgainst(page, desktopPicture(example)), 0, 'pixels that differ from the desktop');
    assert.deepEqual(await page.problems(), []);
  });

engineTest('a new version copied onto the server shows by the second load, and replaces the kept one', { url: siteUrl },
  async (page, engine, t) => {
    await waitForKept(page, site.version);
    server.folder = redeployed.folder;
    const deployed = () => !!document.querySelector('meta[name="deploy"]');
    let load = 1;
    for (; ; ++load) {
      await page.goto(siteUrl);
      if (await page.evaluate(deployed)) break;
      assert.ok(load < 2, 'the second load still shows the old version');
    }
    t.diagnostic(`shown by load ${load}`);
    assert.deepEqual(await waitForKept(page, redeployed.version), siteFiles);
    await server.stop();
    await page.goto(siteUrl);
    assert.ok(await page.evaluate(deployed), 'offline, the old version came back');
    assert.deepEqual(await page.problems(), []);
  });

// A class page of another site, with the page in a 640 x 480 frame and a set-up in its link.
classServer.folder = mkdirSync(path.join(work, 'class'), { recursive: true });
writeFileSync(path.join(classServer.folder, 'index.html'), probeHead(`<!doctype html>
<html><head><meta charset="utf-8"><title>class</title><link rel="icon" href="data:,"></head><body style="margin: 8px">
<iframe id="ondulix" src="${siteUrl}#${linkFragment(example)}" width="640" height="480" style="border: 0" title="Ondulix-K"></iframe>
<script>document.getElementById('ondulix').addEventListener('load', () => { document.body.dataset.ready = 'true'; });</script>
</body></html>`, { policy: `default-src 'self'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src data:; frame-src ${siteUrl}`, allowed: ['./', siteUrl] }));

for (const [name, touch] of [['clicks', false], ['taps', true]]) {
  engineTest(`in another site's 640 x 480 frame the window fits, takes the link's set-up and answers ${name} and keys`,
    { url: `${classOrigin}/`, allowed: [`${classOrigin}/`, siteUrl], touch }, async (page) => {
      const frame = page.frame('#ondulix', { touch });
      await frame.waitForSelector('body[data-ready="true"]');
      const shown = await frame.evaluate(() => {
        const { left, top, right, bottom } = document.getElementById('window').getBoundingClientRect();
        return { left, top, right, bottom, width: innerWidth, height: innerHeight };
      });
      assert.deepEqual([shown.width, shown.height], [640, 480]);
      assert.ok(shown.left >= 0 && shown.top >= 0 && shown.right <= 640 && shown.bottom <= 480, JSON.stringify(shown));
      assert.ok(shown.right - shown.left > 630 || shown.bottom - shown.top > 470, `not fitted: ${JSON.stringify(shown)}`);
      assert.equal(await firstFrameAgainst(frame, desktopPicture(example)), 0, 'pixels that differ from the desktop');
      // The press left the focus on BitBtn1, whose Space stops the animation again.
      await frame.press(' ');
      await frame.waitFor(() => document.querySelector('#FileF1 > .title').getAttribute('aria-disabled') === 'false');
      assert.deepEqual([...await page.problems(), ...await frame.problems()], []);
    });
}
