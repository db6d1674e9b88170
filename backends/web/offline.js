// SPDX-License-Identifier: MIT
// Served by a web site (http or https) as the site's index.html, the page names the site's
// manifest and registers its service worker, both beside it: the site then installs as
// an app and opens offline. Opened from disk (file://, which has no service workers) it
// does neither and fetches nothing; served on its own, without the site's files, the
// worker is not found and the page stays a page.
(function () {
  if (!/^https?:$/.test(location.protocol) || !('serviceWorker' in navigator)) return;
  var workers = navigator.serviceWorker;
  var touched = false;
  ['keydown', 'pointerdown', 'input'].forEach(function (type) {
    addEventListener(type, function () { touched = true; }, true);
  });
  // A new version of the site has taken over from the one that served this page. The page
  // reloads into it while the pupil has not begun; else it goes on as it is (it is one
  // file, all loaded) and the next visit opens the new version.
  workers.addEventListener('message', function (event) {
    if (event.data === 'new version' && !touched) location.reload();
  });
  workers.register('@KORVANTA_SITE_WORKER@').then(function () {
    // The home-screen icon on iOS, which wants it opaque: the maskable one.
    var links = [['manifest', '@KORVANTA_SITE_MANIFEST@'], ['apple-touch-icon', '@KORVANTA_SITE_TOUCH_ICON@']];
    links.forEach(function (link) {
      var element = document.createElement('link');
      element.rel = link[0];
      element.href = link[1];
      document.head.appendChild(element);
    });
  }, function () {});
})();
