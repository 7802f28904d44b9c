// The web edition's figures: what the page transfers (gzip, as a static server would send
// it), the time from navigation to the first drawn frame (local, on a slow phone connection,
// and offline from the worker's cache), what a repeat visit fetches, the cost of a play frame
// in the browser against the native build on the same replay, and the tab's CPU at rest on
// the title.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { startServer, launchBrowser, openPage, runPage } from './harness.mjs';

const source = process.env.TARN_SOURCE_DIR || path.resolve(import.meta.dirname, '../..');
const site = process.env.TARN_SITE || path.join(source, 'build-web');
const binary = process.env.TARN_BINARY || path.join(source, 'build/tarngame');
const files = path.join(source, 'tests/files');

let total = 0;
const sizes = [];
for (const name of fs.readdirSync(site)) {
  const gz = zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;
  total += gz;
  sizes.push(`${name.replace(/\.[0-9a-f]{12}\./, '.')} ${(gz / 1024).toFixed(0)} KB`);
}
console.log(`transfer (gzip): ${(total / 1048576).toFixed(2)} MB (${sizes.join(', ')})`);

const { server, base } = await startServer(site, files);
const { browser, close } = await launchBrowser();
const errors = [];

const firsts = [];
for (let i = 0; i < 5; ++i) {
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.goto(`${base}/game/`);
  await page.waitForFunction('performance.getEntriesByName("tarn-first-frame").length > 0', {
    polling: 10,
  });
  firsts.push(
    await page.evaluate(() => performance.getEntriesByName('tarn-first-frame')[0].startTime),
  );
  await context.close();
}
firsts.sort((a, b) => a - b);
console.log(
  `navigation to first frame: median ${firsts[2].toFixed(0)} ms (of ${firsts.map((t) => t.toFixed(0)).join(', ')})`,
);

const firstFrame = (page) =>
  page.evaluate(() => performance.getEntriesByName('tarn-first-frame')[0].startTime);
const waitFrame = (page) =>
  page.waitForFunction('performance.getEntriesByName("tarn-first-frame").length > 0', {
    polling: 10,
    timeout: 60000,
  });
{
  // A phone's first visit (1.6 Mbit/s, 150 ms), then with nothing changed a repeat visit and
  // what it fetches, then the site gone: the repeat visit offline.
  const log = [];
  const own = await startServer(site, files, log);
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.emulateNetworkConditions({ download: 1.6e6 / 8, upload: 750e3 / 8, latency: 150 });
  await page.goto(`${own.base}/game/`);
  await waitFrame(page);
  console.log(
    `first visit, 1.6 Mbit/s and 150 ms: first frame at ${(await firstFrame(page)).toFixed(0)} ms`,
  );
  await page.emulateNetworkConditions(null);
  await page.waitForFunction('navigator.serviceWorker.controller !== null', { polling: 50 });
  await new Promise((r) => setTimeout(r, 500));
  log.length = 0;
  await page.goto(`${own.base}/game/`);
  await waitFrame(page);
  await new Promise((r) => setTimeout(r, 1000));
  const bytes = log.reduce((sum, r) => sum + r.bytes, 0);
  console.log(
    `repeat visit, nothing changed: ${bytes} bytes fetched (${log.map((r) => r.path).join(', ') || 'nothing'})`,
  );
  own.stop();
  const offline = [];
  for (let i = 0; i < 5; ++i) {
    await page.goto(`${own.base}/game/`);
    await waitFrame(page);
    offline.push(await firstFrame(page));
  }
  offline.sort((a, b) => a - b);
  console.log(
    `repeat visit offline: first frame median ${offline[2].toFixed(0)} ms (of ${offline.map((t) => t.toFixed(0)).join(', ')})`,
  );
  await context.close();
}

const query = 'input=../files/bot-golden-rounds.input&frames=4000&fast=1&stats=1';
// The last of three runs: by then the browser has its optimised code for the module (the
// first run of a fresh page starts on the baseline compiler), as a player's page soon does.
const page = await openPage(browser, errors);
let web;
for (let run = 0; run < 3; ++run) web = JSON.parse((await runPage(page, base, query)).stats);
const saves = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-bench-'));
const native = JSON.parse(
  execFileSync(
    binary,
    [
      '--headless',
      '--frames',
      '4000',
      '--stats',
      '--save-dir',
      saves,
      '--input',
      path.join(files, 'bot-golden-rounds.input'),
    ],
    { encoding: 'utf8' },
  ),
);
fs.rmSync(saves, { recursive: true, force: true });
console.log(
  `play frame (golden rounds replay, update and render): browser p50 ${web.frame_us_p50} us,` +
    ` p99 ${web.frame_us_p99} us; native p50 ${native.frame_us_p50} us, p99 ${native.frame_us_p99} us`,
);

// CPU of the page's main thread and its tasks, 10 s on the title page.
const rest = await openPage(browser, errors);
await rest.goto(`${base}/game/`);
await new Promise((r) => setTimeout(r, 2000));
const cdp = await rest.createCDPSession();
await cdp.send('Performance.enable');
const busy = async () =>
  (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
const t0 = await busy();
await new Promise((r) => setTimeout(r, 10000));
console.log(
  `title page at rest: ${((((await busy()) - t0) / 10) * 100).toFixed(1)} % of one core (main thread)`,
);
if (errors.length) console.log('console errors:', errors);
await close();
server.close();
