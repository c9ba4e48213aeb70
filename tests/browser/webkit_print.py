#!/usr/bin/python3
"""Prints a page to an A4 PDF in WebKitGTK, as its print dialog does without the dialog.

Usage: webkit_print.py URL SELECTOR PDF. Waits until an element matches SELECTOR and the fonts
are loaded, then prints with WebKitPrintOperation to the file PDF. Needs a display (DISPLAY).
Debian's python3 with gi and the WebKit2 4.1 typelib."""

import os
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import GLib, Gtk, WebKit2  # noqa: E402

# Resolves once the selector matches: a promise, so that no time is guessed.
READY = """
return new Promise((resolve) => {
  const check = () => {
    if (!document.querySelector(selector)) return false;
    document.fonts.ready.then(() => requestAnimationFrame(() => resolve(true)));
    return true;
  };
  if (check()) return;
  const watch = new MutationObserver(() => check() && watch.disconnect());
  watch.observe(document, { childList: true, subtree: true });
});
"""


def main(url, selector, pdf):
    failures = []

    def fail(message):
        failures.append(message)
        Gtk.main_quit()

    view = WebKit2.WebView()
    window = Gtk.OffscreenWindow()
    window.set_default_size(1280, 800)
    window.add(view)
    window.show_all()

    def printed(_operation):
        Gtk.main_quit()

    def print_page():
        setup = Gtk.PageSetup()
        setup.set_paper_size_and_default_margins(Gtk.PaperSize.new(Gtk.PAPER_NAME_A4))
        setup.set_orientation(Gtk.PageOrientation.PORTRAIT)
        settings = Gtk.PrintSettings()
        settings.set_printer("Print to File")
        settings.set(Gtk.PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf")
        settings.set(Gtk.PRINT_SETTINGS_OUTPUT_URI, GLib.filename_to_uri(pdf))
        settings.set_paper_size(setup.get_paper_size())
        operation = WebKit2.PrintOperation.new(view)
        operation.set_page_setup(setup)
        operation.set_print_settings(settings)
        operation.connect("finished", printed)
        operation.connect("failed", lambda _op, error: fail(f"printing failed: {error.message}"))
        operation.print_()

    def ready(source, result):
        try:
            source.call_async_javascript_function_finish(result)
        except GLib.Error as error:
            fail(f"the page never got ready: {error.message}")
            return
        try:
            print_page()
        except GLib.Error as error:
            fail(f"printing failed: {error.message}")

    def loaded(_view, event):
        if event == WebKit2.LoadEvent.FINISHED:
            arguments = GLib.Variant("a{sv}", {"selector": GLib.Variant("s", selector)})
            view.call_async_javascript_function(READY, -1, arguments, None, None, None, ready)

    view.connect("load-changed", loaded)
    view.connect("load-failed", lambda _v, _e, uri, error: fail(f"{uri}: {error.message}"))
    view.load_uri(url)
    # Only so that a page that never gets ready fails instead of hanging; nothing waits on it.
    GLib.timeout_add_seconds(120, lambda: fail(f"nothing matched {selector}"))
    Gtk.main()
    for message in failures:
        print(message, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])))
