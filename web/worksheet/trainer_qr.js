// The trainer's address as a QR code for the printed sheet: an inline SVG of DOM nodes alone,
// as the page's CSP allows no data: images and no inline styles. CSS sizes it from --modules,
// its width in modules, so that a longer address gives a larger code and not smaller modules;
// the viewBox keeps the modules square.

import qrcode from "qrcode-generator";

const SVG = "http://www.w3.org/2000/svg";
const QUIET_ZONE = 4; // modules of light margin, as scanners expect

// The library takes a string of one byte per character and keeps each char code's low byte;
// the UTF-8 bytes given that way come out unchanged, so that a phone reads ä in a file path.
function byteString(text) {
  let bytes = "";
  for (const byte of new TextEncoder().encode(text)) bytes += String.fromCharCode(byte);
  return bytes;
}

function svgElement(name, attributes) {
  const made = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, value);
  return made;
}

// All dark modules as one path, each row's runs as rectangles; the light ground is the rect
// beneath, so that the code stays readable on a tinted or dark page.
function darkModules(code) {
  const count = code.getModuleCount();
  const runs = [];
  for (let row = 0; row < count; row += 1) {
    for (let col = 0; col < count;) {
      if (!code.isDark(row, col)) {
        col += 1;
        continue;
      }
      const start = col;
      while (col < count && code.isDark(row, col)) col += 1;
      runs.push(`M${start + QUIET_ZONE} ${row + QUIET_ZONE}h${col - start}v1h${start - col}z`);
    }
  }
  return runs.join("");
}

// Whether text fits in a QR code at all: the largest holds some 2,300 bytes.
export function fitsQrCode(text) {
  try {
    const code = qrcode(0, "M");
    code.addData(byteString(text), "Byte");
    code.make();
    return true;
  } catch {
    return false;
  }
}

// An <svg> showing text as a QR code of error correction level M, in byte mode as UTF-8, the
// smallest version that holds it. Throws if the text is too long for any version.
export function qrCode(text) {
  const code = qrcode(0, "M");
  code.addData(byteString(text), "Byte");
  code.make();
  const size = code.getModuleCount() + 2 * QUIET_ZONE;
  const label = `QR-Code: ${text}`;
  const svg = svgElement("svg", {
    viewBox: `0 0 ${size} ${size}`, role: "img", "aria-label": label,
    "shape-rendering": "crispEdges", class: "trainer-qr",
  });
  svg.style.setProperty("--modules", size);
  const title = svgElement("title", {});
  title.textContent = label;
  svg.append(title,
             svgElement("rect", { width: size, height: size, fill: "#fff" }),
             svgElement("path", { d: darkModules(code), fill: "#000" }));
  return svg;
}
