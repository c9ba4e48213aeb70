// What the browser tests share: Chromium's flags for this closed network, the site served on
// 127.0.0.1 with the content types a web server sends (a worker needs its script's type), a
// learning platform that runs the SCORM package, and the accessibility check.
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
// bodies go compressed to a browser that accepts it, as most web spaces send them; policy is a
// Content-Security-Policy sent with every response, as a school's web space may set one.
async function serveSite(site, { gzip = false, policy = null } = {}) {
  const server = http.createServer((request, response) => {
    let file = path.join(site, path.normalize(new URL(request.url, "http://x").pathname));
    if (file.endsWith(path.sep)) file = path.join(file, "index.html");
    fs.readFile(file, (error, data) => {
      const headers = { "Content-Type": TYPES[path.extname(file)] ?? "text/plain" };
      if (policy) headers["Content-Security-Policy"] = policy;
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

// A learning platform as the SCORM package meets it: the stand-in player page (platform/)
// with scorm-again's runtime at /mod/scorm/, the packages of the build folder (scorm12-NAME)
// deep under /pluginfile.php/123/mod_scorm/content/NAME/, the WebAssembly served as
// application/octet-stream, and a Content-Security-Policy of the platform's own on every
// response. Resolves to the server, whose origin is server.origin.
const PLATFORM_POLICY = "default-src 'self'; script-src 'self' 'unsafe-inline' 'unsafe-eval'; " +
  "style-src 'self' 'unsafe-inline'; img-src 'self' data:; frame-ancestors 'self'";
const PLAYER = "/mod/scorm/";
const CONTENT = /^\/pluginfile\.php\/123\/mod_scorm\/content\/([\w-]+)\/([\w.-]+)$/;

async function servePlatform(build) {
  const runtime = path.join(__dirname, "../../web/node_modules/scorm-again/dist/scorm12.js");
  const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, "http://x");
    const packaged = CONTENT.exec(pathname);
    const file = packaged ? path.join(build, `scorm12-${packaged[1]}`, packaged[2])
      : pathname === `${PLAYER}scorm12.js` ? runtime
        : pathname.startsWith(PLAYER) ? path.join(__dirname, "platform", path.basename(pathname))
          : null;
    fs.readFile(file ?? "", (error, data) => {
      const type = path.extname(file ?? "") === ".wasm" ? "application/octet-stream"
        : TYPES[path.extname(file ?? "")] ?? "text/plain";
      response.writeHead(error ? 404 : 200,
                         { "Content-Type": type, "Content-Security-Policy": PLATFORM_POLICY });
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  server.origin = `http://127.0.0.1:${server.address().port}`;
  return server;
}

// What axe-core finds against WCAG 2.2 AA on the page, one line per rule and the elements.
async function accessibilityViolations(page) {
  const { AxeBuilder } = require("../../web/node_modules/@axe-core/playwright");
  const { violations } = await new AxeBuilder({ page })
    .withTags(["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa"]).analyze();
  return violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`);
}

module.exports = { CHROMIUM_ARGS, accessibilityViolations, servePlatform, serveSite };
