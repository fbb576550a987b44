// The site's worker. It keeps one version of the site: the files below, each with the SHA-256
// of its bytes as the build wrote them, in one cache named after the version. Every request
// for one of them asks the server first, so a new version copied onto the server shows at once,
// and falls back to the kept copy only when the server cannot be reached (or does not answer
// in time, or answers with an error), so that the page starts without the network.
//
// A new version of the site is a new worker (its list and version change with any file), which
// the browser finds on the next visit online: it keeps the new version's files only when each
// has exactly its listed bytes, so a copy onto the server still under way keeps the old version
// whole, and once it has them all it replaces the old version and removes its cache.
const kFiles = {
@SITE_FILES@};
const kCachePrefix = 'ondulix-k-';
const kCache = kCachePrefix + '@SITE_VERSION@';
// How long a request may wait for the server's answer before the kept copy is shown: a
// classroom's Wi-Fi that takes requests and never answers would otherwise hold the page blank.
const kNetworkWait = 4000;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// The file of this version, from the server (revalidating whatever the browser holds), or an
// error when the server has other bytes under its name.
async function fetchOfThisVersion(name) {
  const response = await fetch(name, { cache: 'no-cache' });
  if (!response.ok) throw new Error(`${name}: ${response.status}`);
  const digest = hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer()));
  if (digest !== kFiles[name]) throw new Error(`${name} on the server is not the file of this version`);
  return response;
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const names = Object.keys(kFiles);
    const responses = await Promise.all(names.map(fetchOfThisVersion));
    const cache = await caches.open(kCache);
    try {
      await Promise.all(names.map((name, i) => cache.put(name, responses[i])));
    } catch (error) {
      await caches.delete(kCache);
      throw error;
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(kCachePrefix) && name !== kCache) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The kept file a request asks for, by its path inside the site's folder, or null. The
// folder's own address is its page.
function keptName(url) {
  const scope = new URL(self.registration.scope);
  const asked = new URL(url);
  if (asked.origin !== scope.origin || !asked.pathname.startsWith(scope.pathname)) return null;
  const name = asked.pathname.slice(scope.pathname.length) || 'index.html';
  return name in kFiles ? name : null;
}

async function fromServerOrKept(request, name) {
  let timer;
  const late = new Promise((resolve) => { timer = setTimeout(resolve, kNetworkWait); });
  try {
    const response = await Promise.race([fetch(request, { cache: 'no-cache' }), late]);
    if (response && response.ok) return response;
    const kept = await caches.match(name, { cacheName: kCache });
    if (kept) return kept;
    return response || await fetch(request);
  } catch (error) {
    const kept = await caches.match(name, { cacheName: kCache });
    if (kept) return kept;
    throw error;
  } finally {
    clearTimeout(timer);
  }
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const name = keptName(event.request.url);
  if (name !== null) event.respondWith(fromServerOrKept(event.request, name));
});
