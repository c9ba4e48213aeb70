// Offline use: over http(s) the worker keeps the site's files, so that the page opens again
// without a network and can go on a home screen. From file:// there is nothing to keep, and a
// page without the site's manifest is the learning platform's package, which must leave the
// platform's origin alone. Called once the first prompt is on screen, so that the worker's
// copies of the files do not compete with the page's own first load.

let offlineAsked = false;

export function keepSiteOffline() {
  if (offlineAsked || !("serviceWorker" in navigator) || location.protocol === "file:" ||
      !document.querySelector("link[rel=manifest]")) {
    return;
  }
  offlineAsked = true;
  navigator.serviceWorker.register("worker.js").catch(() => {
    // Without the worker the page still works; it only needs the network next time.
  });
}
