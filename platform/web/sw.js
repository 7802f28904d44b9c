// The page's service worker: everything the game needs is cached at the first visit, so it
// plays with no network from then on. publish.py writes the version (a hash of every published
// file) and the list of files; a new version means a new worker, which the browser finds by
// comparing this file on each visit, so the page and the manifest are checked through it.
'use strict';
const VERSION = '@VERSION@';
const CACHE = 'tarn-' + VERSION;
const FILES = JSON.parse('@FILES@'); // publish.py: the files to keep, as JSON
const SCOPE = new URL('./', self.location).href;
const PAGE = SCOPE; // the page's cache key; index.html and any query share it
const HASHED = /\.[0-9a-f]{12}\.(js|wasm|data)$/;

// What the page fetches from the hall of fame and the replays is live data: the network's only.
// (Only the page and its FILES ever come from the cache; these are named so none ever will.)
function networkOnly(url) {
  return (
    url.pathname.includes('/api/') ||
    url.pathname.endsWith('/health') ||
    url.pathname.includes('/replays/') ||
    /\.(replay|txt)$/.test(url.pathname)
  );
}

// A hashed file never changes, so an older version's copy (or the one the page put while it
// loaded) saves the download; the rest comes from the network, past the browser's cache.
async function fill(cache) {
  await Promise.all(
    FILES.map(async (name) => {
      const url = new URL(name, SCOPE).href;
      if (await cache.match(url)) return;
      if (HASHED.test(url)) {
        const old = await caches.match(url);
        if (old) return cache.put(url, old);
      }
      const response = await fetch(url, { cache: 'no-cache' });
      if (!response.ok) throw new Error(url + ': ' + response.status);
      return cache.put(url, response);
    }),
  );
}

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then(fill));
});

// The page asks for the switch on its title page; the old caches go once this one is in charge.
self.addEventListener('message', (event) => {
  if (event.data === 'skipWaiting') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys())
        if (name.startsWith('tarn-') && name !== CACHE) await caches.delete(name);
      await self.clients.claim();
    })(),
  );
});

function isPage(url) {
  if (url.origin !== self.location.origin) return false;
  const path = url.origin + url.pathname;
  return path === SCOPE || path === SCOPE + 'index.html';
}

async function hallFallback(request) {
  try {
    return await fetch(request);
  } catch (e) {
    // Offline: no hall of fame, said the way a plain static site says it, so the page logs no error.
    return new Response('{"hall": false}', { headers: { 'Content-Type': 'application/json' } });
  }
}

// This version's own cache: during an update the next version's is filling beside it.
async function fromCache(request, key) {
  const cached = await (await caches.open(CACHE)).match(key, { ignoreSearch: true });
  return cached || fetch(request);
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  if (url.origin !== self.location.origin) return;
  if (url.pathname.endsWith('/hall.json')) {
    event.respondWith(hallFallback(request));
    return;
  }
  if (networkOnly(url)) return;
  if (isPage(url)) {
    event.respondWith(fromCache(request, PAGE));
    return;
  }
  const plain = url.origin + url.pathname;
  if (FILES.some((name) => new URL(name, SCOPE).href === plain))
    event.respondWith(fromCache(request, plain));
});
