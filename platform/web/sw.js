// The game's files kept for play without the network: fetched from the network when it
// answers (so a new build is played at once), from this cache when it does not.
const cacheName = 'tobu-v1';
const files = ['./', 'index.html', 'tobu.js', 'tobu.wasm', 'tobu.data', 'manifest.webmanifest',
               'icon-32.png', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => { event.waitUntil(self.clients.claim()); });

self.addEventListener('fetch', (event) => {
  // The server's answers (boards, shared levels) are never kept: they are news.
  if (event.request.method !== 'GET' || new URL(event.request.url).pathname.includes('/api/')) return;
  event.respondWith(fetch(event.request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(cacheName).then((cache) => cache.put(event.request, copy));
    }
    return response;
  }).catch(() => caches.match(event.request, { ignoreSearch: true }).then((cached) => cached || Response.error())));
});
