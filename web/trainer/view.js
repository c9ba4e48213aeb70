// What must stay in view when the viewport changes. The progress line stays at the top while
// scrolling only where it is one short line: at 200 % text, at high zoom or above an on-screen
// keyboard it would cover the first lines of the working, so there it scrolls with the page
// (the class "progress-loose" on the root; trainer.css keeps scroll-padding-top for a stuck
// line). Rotating a tablet or opening the keyboard brings the open question back into view.

// Whether the progress line may stay stuck: one line, and a small part of the visible height.
export function progressFits({ lineHeight, height, visibleHeight }) {
  return height <= lineHeight * 1.5 && height * 8 <= visibleHeight;
}

// Wires window's resizes: the progress line's fit, then keep() for what must be in view.
// Returns { fit } for a change of the progress line's text.
export function followViewport(window, progress, keep) {
  const root = window.document.documentElement;

  function fit() {
    const style = window.getComputedStyle(progress);
    const visibleHeight = window.visualViewport?.height ?? window.innerHeight;
    root.classList.toggle("progress-loose", !progressFits({
      lineHeight: parseFloat(style.lineHeight) + parseFloat(style.paddingTop) +
        parseFloat(style.paddingBottom),
      height: progress.getBoundingClientRect().height, visibleHeight,
    }));
  }

  // Once per frame, before it is painted: the page's own layout, not one forced per change.
  let pending = false;
  let keepToo = false;
  const schedule = (resized) => {
    keepToo ||= resized;
    if (pending) {
      return;
    }
    pending = true;
    window.requestAnimationFrame(() => {
      pending = false;
      fit();
      if (keepToo) {
        keepToo = false;
        keep();
      }
    });
  };
  window.addEventListener("resize", () => schedule(true));
  window.visualViewport?.addEventListener("resize", () => schedule(true));
  schedule(false);
  // The progress line's text changed: it may now take another line.
  return { fit: () => schedule(false) };
}
