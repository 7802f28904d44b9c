// Shared by the browser tests and the web bench: a local static server for the built page
// (under a sub-path, as a real site may put it) and the test files, and headless Chromium.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
};

// Serves SITE at /game/ and FILES at /files/; gzip where the client asks, as a static server
// with compression would. `log` (if given) receives each request's path and bytes sent.
export function startServer(site, files, log) {
  const compressed = new Map(); // compressed once, as a server with pre-compressed files
  const roots = { '/game/': site, '/files/': files };
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    const prefix = Object.keys(roots).find((p) => url.pathname.startsWith(p));
    if (!prefix) {
      res.writeHead(404);
      res.end();
      return;
    }
    let rel = decodeURIComponent(url.pathname.slice(prefix.length)) || 'index.html';
    const file = path.join(roots[prefix], path.normalize(rel));
    if (
      !file.startsWith(roots[prefix]) ||
      !fs.existsSync(file) ||
      fs.statSync(file).isDirectory()
    ) {
      res.writeHead(404);
      res.end();
      return;
    }
    let body = fs.readFileSync(file);
    // Cross-origin isolation gives the page a fine clock (5 us instead of 100 us), which the
    // frame timings of the stats need.
    const headers = {
      'Content-Type': TYPES[path.extname(file)] || 'text/plain',
      'Cache-Control': 'no-cache',
      'Cross-Origin-Opener-Policy': 'same-origin',
      'Cross-Origin-Embedder-Policy': 'require-corp',
    };
    if (/\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
      const key = file + ':' + fs.statSync(file).mtimeMs;
      if (!compressed.has(key)) compressed.set(key, zlib.gzipSync(body, { level: 9 }));
      body = compressed.get(key);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    if (log) log.push({ path: url.pathname, bytes: body.length });
    res.writeHead(200, headers);
    res.end(body);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      // stop() ends it now, open connections too, as a site that went away.
      const stop = () => {
        server.closeAllConnections();
        server.close();
      };
      resolve({ server, base: `http://127.0.0.1:${server.address().port}`, stop });
    });
  });
}

export async function launchBrowser() {
  const userDataDir = fs.mkdtempSync('/tmp/tarn-chromium-');
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--autoplay-policy=no-user-gesture-required',
    ],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      fs.rmSync(userDataDir, { recursive: true, force: true });
    },
  };
}

// Opens a page, collecting its console errors and uncaught exceptions.
export async function openPage(browser, errors) {
  const page = await browser.newPage();
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('requestfailed', (r) => errors.push('failed: ' + r.url()));
  return page;
}

// Loads the page with the test hooks and waits for the run to end.
export async function runPage(page, base, query, timeoutMs = 120000) {
  await page.goto(`${base}/game/?${query}`);
  await page.waitForFunction('window.tarnEnded === true', { timeout: timeoutMs, polling: 50 });
  return {
    stats: await page.$eval('#stats', (e) => e.textContent),
    shot: await page.$eval('#shot', (e) => e.textContent),
  };
}

// RGBA pixels of PNG data URLs, decoded by the browser itself.
export async function decodePngs(page, urls) {
  return page.evaluate(async (list) => {
    const out = [];
    for (const url of list) {
      const image = new Image();
      image.src = url;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      const data = context.getImageData(0, 0, image.width, image.height).data;
      out.push({ width: image.width, height: image.height, pixels: Array.from(data) });
    }
    return out;
  }, urls);
}
