// Keeps the site for use without a network: every file of the page and the shipped examples
// are cached when the worker is installed. Online, the network's copy is used (and cached),
// so a new build shows at once; offline, the cached one.
const CACHE = 'mnemex-site-v1';
const FILES = ['./', 'index.html', 'teacher.html', 'app.js', 'teacher.js', 'worker.js',
  'style.css', 'manifest.webmanifest', 'icon.svg', 'icon-192.png', 'icon-512.png',
  'mnemex-core.mjs', 'mnemex-core.wasm',
  'examples/index.json'];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await cache.addAll(FILES);
    const examples = await (await fetch('examples/index.json')).json();
    await cache.addAll(examples.map((name) => `examples/${encodeURIComponent(name)}`));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const key of await caches.keys()) {
      if (key !== CACHE) await caches.delete(key);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    try {
      const response = await fetch(request);
      if (response.ok) cache.put(request, response.clone());
      return response;
    } catch (error) {
      const cached = await cache.match(request, { ignoreSearch: true });
      if (cached) return cached;
      throw error;
    }
  })());
});
