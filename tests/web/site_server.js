// What the browser tests share: Chromium's flags for this closed network, the site served on
// 127.0.0.1 with the content types a web server sends (a worker needs its script's type), and
// the accessibility check.
"use strict";

const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const zlib = require("node:zlib");

const CHROMIUM_ARGS = ["--no-sandbox", "--disable-background-networking",
                       "--disable-component-update", "--disable-sync", "--no-first-run",
                       "--disable-gpu"];
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".svg": "image/svg+xml", ".png": "image/png",
                ".webmanifest": "application/manifest+json", ".txt": "text/plain" };

// Serves the folder site; resolves to the server, whose origin is server.origin. With gzip,
// bodies go compressed to a browser that accepts it, as most web spaces send them.
async function serveSite(site, { gzip = false } = {}) {
  const server = http.createServer((request, response) => {
    let file = path.join(site, path.normalize(new URL(request.url, "http://x").pathname));
    if (file.endsWith(path.sep)) file = path.join(file, "index.html");
    fs.readFile(file, (error, data) => {
      const headers = { "Content-Type": TYPES[path.extname(file)] ?? "text/plain" };
      if (gzip && data && /\bgzip\b/.test(request.headers["accept-encoding"] ?? "")) {
        data = zlib.gzipSync(data);
        headers["Content-Encoding"] = "gzip";
      }
      response.writeHead(error ? 404 : 200, headers);
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  server.origin = `http://127.0.0.1:${server.address().port}/`;
  return server;
}

// What axe-core finds against WCAG 2.2 AA on the page, one line per rule and the elements.
async function accessibilityViolations(page) {
  const { AxeBuilder } = require("../../web/node_modules/@axe-core/playwright");
  const { violations } = await new AxeBuilder({ page })
    .withTags(["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa"]).analyze();
  return violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`);
}

module.exports = { CHROMIUM_ARGS, accessibilityViolations, serveSite };
