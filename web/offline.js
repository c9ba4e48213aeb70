"use strict";
// Offline use: over http(s) the worker keeps the site's files, so that the page opens again
// without a network and can go on a home screen. From file:// there is nothing to keep.

if ("serviceWorker" in navigator && location.protocol !== "file:") {
  navigator.serviceWorker.register("worker.js").catch(() => {
    // Without the worker the page still works; it only needs the network next time.
  });
}
