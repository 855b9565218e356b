// What the browser tests of the pages share: a static server for the pages,
// the browser's start, and images as RGBA pixel arrays compared with a
// tolerance for the renderers' rounding.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require('puppeteer-core');

// --- images: RGBA pixel arrays decoded by the browser itself ---------------

function pixel(img, x, y) {
  const i = (y * img.width + x) * 4;
  return [img.data[i], img.data[i + 1], img.data[i + 2]];
}
function near(a, b, tolerance = 12) {
  return a.every((v, i) => Math.abs(v - b[i]) <= tolerance);
}
function region(img, x, y, w, h) {
  const data = new Uint8Array(w * h * 4);
  for (let row = 0; row < h; ++row) {
    const from = ((y + row) * img.width + x) * 4;
    data.set(img.data.subarray(from, from + w * 4), row * w * 4);
  }
  return { width: w, height: h, data };
}
// Two renderings of the same drawing: per channel within 12 of each other
// (llvmpipe and SwiftShader round filtering and blending differently by a
// few steps) on at least 99.5% of the pixels. A wrong picture, tile or
// offset misses by far more.
function differs(a, b) {
  if (a.width !== b.width || a.height !== b.height) return true;
  let off = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    for (let c = 0; c < 3; ++c) {
      if (Math.abs(a.data[i + c] - b.data[i + c]) > 12) {
        ++off;
        break;
      }
    }
  }
  return off > 0.005 * a.width * a.height;
}
function spread(img) {  // a blank image has none
  let min = 255, max = 0;
  for (let i = 0; i < img.data.length; i += 4) {
    min = Math.min(min, img.data[i + 1]);
    max = Math.max(max, img.data[i + 1]);
  }
  return max - min;
}

// Decodes in a tab of its own (made before the program's, which stays in front).
async function decode(decoder, png) {
  const result = await decoder.evaluate(async (b64) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + b64;
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    return { width: c.width, height: c.height, data: Array.from(g.getImageData(0, 0, c.width, c.height).data) };
  }, Buffer.from(png).toString('base64'));
  return { width: result.width, height: result.height, data: Uint8Array.from(result.data) };
}

// --- a static server for the pages ------------------------------------------

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.data': 'application/octet-stream', '.png': 'image/png' };
function serve(root) {
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(path.resolve(root)) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                              'Content-Length': fs.statSync(file).size });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The system's headless Chromium, with a profile of its own under dir.
function launch(dir) {
  const profile = fs.mkdtempSync(path.join(dir, 'profile-'));
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--no-first-run', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', `--user-data-dir=${profile}`],
  }).then((browser) => {
    const close = browser.close.bind(browser);
    browser.close = async () => {
      await close();
      fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
    };
    return browser;
  });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

module.exports = { pixel, near, region, differs, spread, decode, serve, launch, sleep };
