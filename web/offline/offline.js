// Offline use: over http(s) the worker keeps the site's files, so that the page opens again
// without a network and can go on a home screen. From file:// there is nothing to keep, and a
// page without the site's manifest is the learning platform's package, which must leave the
// platform's origin alone.
//
// The worker's copies of the files take the second core for a moment: asked for once the first
// answer's feedback is on screen, while the learner reads it, or a few seconds after the first
// prompt, so that they compete neither with the page's own first load nor with that feedback.

export const OFFLINE_DELAY = 5000; // ms after the first prompt, for one who does not answer

let offlineAsked = false;
let offlineTimer = null;

export function keepSiteOffline() {
  clearTimeout(offlineTimer);
  if (offlineAsked || !("serviceWorker" in navigator) || location.protocol === "file:" ||
      !document.querySelector("link[rel=manifest]")) {
    return;
  }
  offlineAsked = true;
  navigator.serviceWorker.register("worker.js").catch(() => {
    // Without the worker the page still works; it only needs the network next time.
  });
}

// Asks for the worker OFFLINE_DELAY from now, unless it is asked for before.
export function keepSiteOfflineSoon() {
  if (!offlineAsked && offlineTimer === null) {
    offlineTimer = setTimeout(keepSiteOffline, OFFLINE_DELAY);
  }
}
