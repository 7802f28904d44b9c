// The page as an installed app: manifest and icons, the service worker's offline play and its
// updates, the loading bar and its retry, and the phone's layout and leave guards.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { startServer, launchBrowser, openPage, runPage, decodePngs } from './harness.mjs';

const source = process.env.TARN_SOURCE_DIR || path.resolve(import.meta.dirname, '../..');
const site = process.env.TARN_SITE || path.join(source, 'build-web');
const binary = process.env.TARN_BINARY || path.join(source, 'build/tarngame');
const webTree = process.env.TARN_WEB_TREE || path.join(source, 'build-emscripten');
const files = path.join(source, 'tests/files');

let browser, closeBrowser;
const scratch = [];
before(async () => {
  ({ browser, close: closeBrowser } = await launchBrowser());
});
// Servers a failed test did not stop, so the run ends with its report instead of waiting.
const servers = [];
async function serve(...args) {
  const served = await startServer(...args);
  servers.push(served.server);
  return served;
}
after(async () => {
  for (const server of servers) {
    if (!server.listening) continue;
    server.closeAllConnections();
    server.close();
  }
  await closeBrowser();
  for (const dir of scratch) fs.rmSync(dir, { recursive: true, force: true });
});

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A copy of the published site that a test may change or take away.
function siteCopy() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-site-'));
  scratch.push(dir);
  fs.cpSync(site, dir, { recursive: true });
  return dir;
}

// publish.py into `out`, from this build and a page folder whose index.html carries `mark`.
function publish(out, mark) {
  const pageDir = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-page-'));
  scratch.push(pageDir);
  for (const name of ['index.html', 'sw.js', 'manifest.webmanifest', 'hall.js'])
    fs.copyFileSync(path.join(source, 'platform/web', name), path.join(pageDir, name));
  if (mark) fs.appendFileSync(path.join(pageDir, 'index.html'), `<!-- ${mark} -->\n`);
  execFileSync('python3', [
    path.join(source, 'tools/web/publish.py'),
    path.join(webTree, 'platform/web'),
    path.join(webTree, 'data'),
    pageDir,
    out,
  ]);
}

async function freshPage(errors) {
  const context = await browser.createBrowserContext();
  return { context, page: await openPage(context, errors) };
}

// The first visit: the page runs and its worker has cached everything and controls it.
async function firstVisit(page, base, address = '') {
  await page.goto(`${base}/game/${address}`);
  await page.waitForFunction('window.Module && Module.calledRun', { polling: 20 });
  await page.waitForFunction('navigator.serviceWorker.controller !== null', { polling: 50 });
}

const running = 'window.Module && Module.calledRun && !window.tarnEnded';

test('the manifest and icons are valid, and the worker takes control after the first load', async () => {
  const manifest = JSON.parse(fs.readFileSync(path.join(site, 'manifest.webmanifest'), 'utf8'));
  assert.equal(manifest.name, 'Bubble Tarn');
  assert.ok(manifest.short_name && manifest.short_name.length <= 12);
  assert.equal(manifest.display, 'standalone');
  assert.equal(manifest.orientation, 'portrait');
  assert.equal(manifest.start_url, './');
  assert.equal(manifest.scope, './');
  for (const key of ['background_color', 'theme_color'])
    assert.match(manifest[key], /^#[0-9a-f]{6}$/);
  assert.ok(manifest.icons.some((i) => i.purpose === 'maskable'));
  assert.deepEqual(manifest.icons.map((i) => i.sizes).sort(), ['192x192', '512x512', '512x512']);

  const { server, base, stop } = await serve(site, files);
  const errors = [];
  const { context, page } = await freshPage(errors);
  await firstVisit(page, base);
  const icons = [
    ...manifest.icons.map((i) => ({ src: i.src, size: +i.sizes.split('x')[0] })),
    { src: await page.$eval('link[rel=apple-touch-icon]', (l) => l.href), size: 180 },
  ];
  const urls = icons.map(
    (i) =>
      'data:image/png;base64,' +
      fs.readFileSync(path.join(site, path.basename(i.src))).toString('base64'),
  );
  const decoded = await decodePngs(page, urls);
  icons.forEach((icon, k) => {
    assert.equal(decoded[k].width, icon.size, icon.src);
    assert.equal(decoded[k].height, icon.size, icon.src);
    assert.ok(new Set(decoded[k].pixels).size > 16, `${icon.src} is a picture`);
  });
  // The maskable icon has no clear corner for a launcher's mask to show.
  const maskable = decoded[manifest.icons.findIndex((i) => i.purpose === 'maskable')];
  assert.equal(maskable.pixels[3], 255);

  const cached = await page.evaluate(async () => {
    const names = await caches.keys();
    const cache = await caches.open(names[0]);
    return { names, urls: (await cache.keys()).map((r) => new URL(r.url).pathname) };
  });
  assert.equal(cached.names.length, 1);
  // hall.json is the network's: a cached one would hide a hall of fame that came later.
  const network = ['sw.js', 'index.html', 'hall.json'];
  for (const name of fs.readdirSync(site).filter((n) => !network.includes(n)))
    assert.ok(cached.urls.includes(`/game/${name}`), `${name} cached`);
  assert.ok(cached.urls.includes('/game/'), 'the page cached');
  await context.close();
  stop();
  assert.deepEqual(errors, []);
});

test('offline after one visit: the title page as the native build draws it, a game, a save', async () => {
  const { base, stop } = await serve(site, files);
  const errors = [];
  const { context, page } = await freshPage(errors);
  await firstVisit(page, base);
  // The browser's offline switch does not reach the worker's own requests: the site goes.
  stop();
  const { shot } = await runPage(page, base, 'frames=12&fast=1&shot=10');
  const nativeFile = path.join(os.tmpdir(), `tarn-web-offline-${process.pid}.png`);
  const saves = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-web-native-'));
  scratch.push(saves);
  execFileSync(binary, [
    '--headless',
    '--save-dir',
    saves,
    '--frames',
    '12',
    '--shot',
    `10:${nativeFile}`,
  ]);
  const nativeUrl = 'data:image/png;base64,' + fs.readFileSync(nativeFile).toString('base64');
  fs.rmSync(nativeFile);
  const [web, native] = await decodePngs(page, [shot, nativeUrl]);
  assert.equal(web.pixels.filter((v, i) => v !== native.pixels[i]).length, 0);

  // The hall of fame's file is the network's: offline the worker says there is none.
  assert.deepEqual(await page.evaluate(() => fetch('hall.json').then((r) => r.json())), {
    hall: false,
  });

  // A game starts.
  await page.goto(`${base}/game/?frames=40&stats=1`);
  await page.waitForFunction(running, { polling: 20 });
  await page.keyboard.press('Space');
  await page.waitForFunction('window.tarnEnded === true', { timeout: 60000, polling: 50 });
  assert.equal(JSON.parse(await page.$eval('#stats', (e) => e.textContent)).state, 0);

  // The editor saves a round offline (an empty round is no round: the code says it is there),
  // and it is there after another reload, and its link plays.
  await page.goto(`${base}/game/#edit`);
  await page.waitForFunction(running + " && document.body.classList.contains('editor')", {
    polling: 20,
  });
  await page.keyboard.press('Digit3');
  await sleep(200);
  await page.keyboard.press('KeyS');
  await sleep(300);
  await page.reload();
  await page.waitForFunction(running + " && document.body.classList.contains('editor')", {
    polling: 20,
  });
  const code = await page.evaluate(() => Module.UTF8ToString(Module._tarn_editor_round_code()));
  assert.equal(code.length, 57, 'the saved round is back');
  const { stats } = await runPage(page, base, `frames=10&fast=1&stats=1#round=${code}`);
  assert.equal(JSON.parse(stats).field.flat()[0], 3);
  await context.close();
  assert.deepEqual(
    errors.filter((e) => !e.startsWith('failed: ')),
    [],
  );
});

test('a new version is offered on the title page, not in play, and replaces the old cache', async () => {
  const dir = siteCopy();
  const log = [];
  const { base, stop } = await serve(dir, files, log);
  const errors = [];
  const { context, page } = await freshPage(errors);
  await firstVisit(page, base);
  const before = await page.evaluate(() => caches.keys());
  // The worker keeps the page's own downloads: each file crossed the network once.
  const hashed = log.filter((r) => /tarngame\.[0-9a-f]{12}\./.test(r.path)).map((r) => r.path);
  assert.equal(hashed.length, 3);
  assert.equal(new Set(hashed).size, 3);

  // Published again with no change: the worker is the same, nothing else is fetched.
  publish(dir);
  log.length = 0;
  await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update();
  });
  await sleep(300);
  assert.deepEqual(
    log.map((r) => r.path),
    ['/game/sw.js'],
  );
  assert.equal(
    await page.evaluate(async () => !!(await navigator.serviceWorker.getRegistration()).installing),
    false,
  );

  await page.keyboard.press('Space'); // a game in play
  await sleep(300);
  publish(dir, 'a changed build');
  await page.evaluate(() => window.tarnCheckUpdate());
  await page.waitForFunction(
    async () => !!(await navigator.serviceWorker.getRegistration()).waiting,
    { polling: 100 },
  );
  await sleep(800);
  assert.equal(await page.$eval('#update', (e) => e.style.display), 'none', 'not during play');
  // The exit key pauses the game, and pressed again leaves it for the title page.
  await page.keyboard.press('Backspace');
  await page.keyboard.press('Backspace');
  await page.waitForSelector('#update', { visible: true, timeout: 5000 });
  // Only the page was new: the hashed files come from the old cache, not the network.
  assert.deepEqual(
    log.filter((r) => /\.[0-9a-f]{12}\./.test(r.path)),
    [],
  );
  await Promise.all([page.waitForNavigation(), page.click('#updateReload')]);
  await page.waitForFunction(running, { polling: 20 });
  assert.match(await page.content(), /a changed build/);
  const after = await page.evaluate(() => caches.keys());
  assert.equal(after.length, 1);
  assert.notEqual(after[0], before[0], 'the old cache is gone');
  await context.close();
  stop();
  assert.deepEqual(errors, []);
});

test('the loading bar moves on a slow phone connection; a missing package offers a retry', async (t) => {
  const dir = siteCopy();
  const { base, stop } = await serve(dir, files);
  const errors = [];
  const { context, page } = await freshPage(errors);
  await page.emulateNetworkConditions({ download: 1.6e6 / 8, upload: 750e3 / 8, latency: 150 });
  const started = Date.now();
  await page.goto(`${base}/game/`, { waitUntil: 'domcontentloaded' });
  const samples = [];
  for (;;) {
    const sample = await page.evaluate(() => ({
      value: document.getElementById('progress').value,
      max: document.getElementById('progress').max,
      shown: getComputedStyle(document.getElementById('loading')).display !== 'none',
      drawn: performance.getEntriesByName('tarn-first-frame').length > 0,
    }));
    samples.push({ ...sample, ms: Date.now() - started });
    if (sample.drawn) break;
    await sleep(100);
  }
  const firstFrame = await page.evaluate(
    () => performance.getEntriesByName('tarn-first-frame')[0].startTime,
  );
  t.diagnostic(`first frame at ${firstFrame.toFixed(0)} ms, throttled first visit`);
  const early = samples.find((s) => s.ms >= 1000);
  assert.ok(early.shown && early.value > 0, `moving after a second: ${JSON.stringify(early)}`);
  const beforeFrame = samples.filter((s) => !s.drawn);
  assert.ok(beforeFrame.length > 10);
  assert.ok(
    beforeFrame.every((s) => s.shown),
    'shown until the first frame',
  );
  assert.ok(new Set(beforeFrame.map((s) => s.value)).size > 5, 'it advances');
  assert.equal(samples.at(-1).value, samples.at(-1).max, 'all bytes counted');
  await context.close();

  // No data package: a message and a retry, which works once the file is back.
  const data = fs.readdirSync(dir).find((n) => n.endsWith('.data'));
  fs.renameSync(path.join(dir, data), path.join(dir, 'away'));
  const second = await freshPage([]);
  await second.page.goto(`${base}/game/`);
  await second.page.waitForSelector('#retry', { visible: true, timeout: 10000 });
  assert.match(
    await second.page.$eval('#loadMessage', (e) => e.textContent),
    /could not be downloaded.*404/,
  );
  fs.renameSync(path.join(dir, 'away'), path.join(dir, data));
  await second.page.click('#retry');
  await second.page.waitForFunction('performance.getEntriesByName("tarn-first-frame").length > 0', {
    polling: 50,
  });
  assert.equal(await second.page.$eval('#loading', (e) => getComputedStyle(e).display), 'none');
  await second.context.close();
  stop();
  assert.deepEqual(errors, []);
});

async function box(page, selector) {
  return page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return {
      left: r.left,
      right: r.right,
      top: r.top,
      bottom: r.bottom,
      width: r.width,
      height: r.height,
      shown: r.width > 0 && getComputedStyle(e).display !== 'none',
    };
  });
}

test('the phone: landscape, Back in the editor, its draft, and a touch laptop', async () => {
  const { base, stop } = await serve(site, files);
  const errors = [];
  const { context, page } = await freshPage(errors);
  await page.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true });
  await page.goto(`${base}/game/`);
  await page.waitForFunction(running, { polling: 20 });
  await page.touchscreen.tap(5, 5); // whichever pointer the emulation reports, this is touch
  await sleep(100);
  const picture = await box(page, '#canvas');
  assert.equal(Math.round(picture.height), 390, 'the full height');
  assert.equal(Math.round(picture.width), Math.round((390 * 240) / 320));
  const dpad = await box(page, '.dpad'),
    act = await box(page, '.act');
  assert.ok(dpad.shown && dpad.right <= picture.left, 'directions on the left');
  assert.ok(act.shown && act.left >= picture.right, 'buttons on the right');

  // Back in a game pauses it and asks on the page; leaving by a new address asks the browser's way.
  await page.keyboard.press('Space');
  await sleep(1500);
  await page.evaluate(() => history.back());
  await page.waitForSelector('#leave', { visible: true, timeout: 5000 });
  assert.match(await page.$eval('#leaveText', (e) => e.textContent), /game.*paused/);
  await page.click('#leaveStay');
  const asked = [];
  page.on('dialog', (d) => {
    asked.push(d.type());
    d.accept();
  });

  // Back while a round is being painted pauses and asks; what was painted waits as a draft.
  await page.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true });
  await page.goto(`${base}/game/index.html#edit`);
  assert.deepEqual(asked, ['beforeunload']);
  await page.waitForFunction(running + " && document.body.classList.contains('editor')", {
    polling: 20,
  });
  await page.keyboard.press('Digit3');
  await sleep(300);
  await page.evaluate(() => history.back());
  await page.waitForSelector('#leave', { visible: true, timeout: 5000 });
  assert.match(await page.$eval('#leaveText', (e) => e.textContent), /draft/);
  assert.match(await page.evaluate(() => location.hash), /edit/, 'still on the page');
  await page.click('#leaveStay');
  await page.reload();
  await page.waitForSelector('#draft', { visible: true, timeout: 10000 });
  await page.click('#draftRestore');
  await page.waitForFunction(running, { polling: 20 });
  await sleep(200);
  const code = await page.evaluate(() => Module.UTF8ToString(Module._tarn_editor_round_code()));
  assert.equal(code.length, 57, 'the painted cell is back');
  for (const button of await page.$$('#tools button'))
    assert.ok((await button.boundingBox()).height >= 44, "the editor's buttons are 44 px");
  // A round pasted into the import box joins the set, as --import-round adds it, once.
  const imported = execFileSync(
    binary,
    ['--export-round', path.join(source, 'assets/rounds.txt:5')],
    { encoding: 'utf8' },
  ).trim();
  await page.click('#tools button[data-code=KeyS]'); // the draft saved first
  await page.click('#importOpen');
  await page.type('#importCode', `https://example.org/game/#round=${imported}`);
  await Promise.all([page.waitForNavigation(), page.click('#importButton')]);
  await page.waitForFunction(running + " && document.body.classList.contains('editor')", {
    polling: 20,
  });
  assert.equal(
    await page.evaluate(() => Module.UTF8ToString(Module._tarn_editor_round_code())),
    imported,
  );
  assert.equal(await page.evaluate(() => location.hash), '#edit');
  await context.close();

  // A laptop with a touch screen but a mouse as its pointer: the keyboard's hint and size.
  const laptop = await freshPage(errors);
  await laptop.page.evaluateOnNewDocument(() => {
    window.ontouchstart = null;
    Object.defineProperty(navigator, 'maxTouchPoints', { get: () => 10 });
  });
  await laptop.page.setViewport({ width: 1280, height: 800 });
  await laptop.page.goto(`${base}/game/`);
  await laptop.page.waitForFunction(running, { polling: 20 });
  assert.equal((await box(laptop.page, '#canvas')).width, 480);
  assert.match(await laptop.page.$eval('#hint', (e) => e.textContent), /Arrows aim/);
  assert.equal((await box(laptop.page, '#pad')).shown, false);
  await laptop.context.close();
  stop();
  assert.deepEqual(errors, []);
});
