// SPDX-License-Identifier: MIT
// The web site's service worker: keeps the site's files, all of one version, in a cache of
// that version's own, and serves them from there first, so the program opens offline.
//
// A new version on the host is a new copy of this file (its cache's name and the files'
// checksums change with every page built). The browser compares this file with the
// host's at each visit while online; when it differs, the new worker fetches every file of
// the new version, checks each against its checksum and only then takes over at once: the
// old version's cache is dropped, and the pages open are told, so that one the pupil has
// not touched yet reloads into the new version (offline.js). A copy interrupted half-way
// on the host, or any file that does not match, leaves the old version in place until a
// later visit. The page is one file and fetches nothing once loaded, so a page of the old
// version that stays open keeps working whole.
'use strict';

// Made at build time: the program's name, the version with a checksum of this worker and
// every file below, and each file of the site with its SHA-256 in hexadecimal.
const PROGRAM = '@KORVANTA_PROGRAM@';
const VERSION = '@KORVANTA_VERSION@';
const FILES = @KORVANTA_FILES@;
// A cache for each copy of the site on the host: two folders of the same host with the
// program keep theirs apart.
const SITE = ' ' + self.registration.scope;
const CACHE = PROGRAM + '-' + VERSION + SITE;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// Every file of this version from the host (past any HTTP cache), or none.
async function fetchVersion() {
  return Promise.all(Object.entries(FILES).map(async ([name, digest]) => {
    const response = await fetch(name, {cache: 'reload'});
    if (!response.ok) throw new Error(name + ': HTTP ' + response.status);
    const body = await response.arrayBuffer();
    if (hex(await crypto.subtle.digest('SHA-256', body)) !== digest) {
      throw new Error(name + ' on the host is not of ' + VERSION);
    }
    // Kept as a plain response, so that it can answer a navigation even where the host
    // reached it through a redirect.
    const type = response.headers.get('Content-Type');
    return [name, new Response(body, {headers: type ? {'Content-Type': type} : {}})];
  }));
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const responses = await fetchVersion();
    const cache = await caches.open(CACHE);
    // The folder's own address is its page.
    const page = responses.find(([name]) => name === 'index.html')[1];
    responses.push([self.registration.scope, page.clone()]);
    await Promise.all(responses.map(([name, response]) => cache.put(name, response)));
    // Where the browser can, it answers from the cache by itself, without starting this
    // worker: opened from the home screen, the page starts sooner.
    if (event.addRoutes) {
      await event.addRoutes({
        condition: {urlPattern: new URLPattern({pathname: new URL(self.registration.scope).pathname + '*', search: ''})},
        source: {cacheName: CACHE},
      });
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    let updated = false;
    for (const name of await caches.keys()) {
      if (name !== CACHE && name.startsWith(PROGRAM + '-') && name.endsWith(SITE)) {
        await caches.delete(name);
        updated = true;
      }
    }
    await self.clients.claim();
    // The pages open now are of an older version; each is told, even one still loading
    // (it reads its messages once it has loaded).
    if (updated) {
      for (const page of await self.clients.matchAll({type: 'window'})) page.postMessage('new version');
    }
  })());
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  const scope = new URL(self.registration.scope);
  if (event.request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) {
    return;
  }
  // The folder's own address is its page.
  const name = url.pathname.slice(scope.pathname.length) || 'index.html';
  if (!Object.prototype.hasOwnProperty.call(FILES, name)) return;
  event.respondWith((async () => {
    const cached = await (await caches.open(CACHE)).match(name);
    return cached || fetch(event.request);
  })());
});
