// The web edition in headless Chromium: the same pictures and the same games as the native
// build, keys and pointer reach the game, saves survive a reload, and nothing goes to the
// console as an error.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { startServer, launchBrowser, openPage, runPage } from './harness.mjs';

const source = process.env.TARN_SOURCE_DIR || path.resolve(import.meta.dirname, '../..');
const site = process.env.TARN_SITE || path.join(source, 'build-web');
const binary = process.env.TARN_BINARY || path.join(source, 'build/tarngame');
const files = path.join(source, 'tests/files');

let server, base, browser, closeBrowser;

before(async () => {
  ({ server, base } = await startServer(site, files));
  ({ browser, close: closeBrowser } = await launchBrowser());
});
after(async () => {
  await closeBrowser();
  server.close();
});

// Each test gets storage of its own, as a new visitor would.
async function freshPage(errors) {
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  return { context, page };
}

function withoutTimings(json) {
  const stats = JSON.parse(json);
  for (const key of Object.keys(stats)) if (key.startsWith('frame_us')) delete stats[key];
  return stats;
}

function nativeRun(args) {
  const saves = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-web-native-'));
  try {
    return execFileSync(binary, ['--headless', '--save-dir', saves, ...args], { encoding: 'utf8' });
  } finally {
    fs.rmSync(saves, { recursive: true, force: true });
  }
}

// RGBA pixels of PNG data URLs, decoded by the browser itself.
async function decodePngs(page, urls) {
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

test('the title page is drawn as the native build draws it, pixel for pixel', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  const { shot } = await runPage(page, base, 'frames=12&fast=1&shot=10');
  assert.match(shot, /^data:image\/png;base64,/);
  const nativeFile = path.join(os.tmpdir(), `tarn-web-shot-${process.pid}.png`);
  nativeRun(['--frames', '12', '--shot', `10:${nativeFile}`]);
  const nativeUrl = 'data:image/png;base64,' + fs.readFileSync(nativeFile).toString('base64');
  fs.rmSync(nativeFile);
  const [web, native] = await decodePngs(page, [shot, nativeUrl]);
  assert.equal(web.width, 240);
  assert.equal(web.height, 320);
  const differing = web.pixels.filter((v, i) => v !== native.pixels[i]).length;
  assert.equal(differing, 0, `${differing} channel values differ`);
  assert.ok(new Set(web.pixels).size > 8, 'the title page is more than a blank screen');
  await context.close();
  assert.deepEqual(errors, []);
});

for (const [name, frames] of [
  ['bot-golden-rounds', 4000],
  ['bot-golden-push', 3000],
]) {
  test(`the golden replay ${name} gives the native stats, field included`, async () => {
    const errors = [];
    const { context, page } = await freshPage(errors);
    const { stats } = await runPage(
      page,
      base,
      `input=../files/${name}.input&frames=${frames}&fast=1&stats=1`,
    );
    const expected = fs.readFileSync(path.join(files, `${name}.stats`), 'utf8');
    assert.deepEqual(withoutTimings(stats), withoutTimings(expected));
    await context.close();
    assert.deepEqual(errors, []);
  });
}

// Loads the live game (real 50 ms frames), waits until it runs, acts, and reads the stats
// after `frames` frames.
async function playLive(page, frames, act) {
  await page.goto(`${base}/game/?frames=${frames}&stats=1`);
  await page.waitForFunction('window.Module && Module.calledRun', { polling: 20 });
  await act(page);
  await page.waitForFunction('window.tarnEnded === true', { timeout: 60000, polling: 50 });
  return JSON.parse(await page.$eval('#stats', (e) => e.textContent));
}

// Launch on the title starts a rounds game; Backspace, the exit key, leaves it for the title.
for (const [keys, state] of [
  [['Space'], 0],
  [['Space', 'Backspace'], 1],
]) {
  test(`keys ${keys.join(', ')} give the ${state ? 'title' : 'play'} page`, async () => {
    const errors = [];
    const { context, page } = await freshPage(errors);
    const stats = await playLive(page, 40, async (p) => {
      for (const key of keys) {
        await p.keyboard.press(key);
        await new Promise((r) => setTimeout(r, 200));
      }
    });
    assert.equal(stats.state, state);
    assert.equal(stats.pushMode, false);
    assert.equal(stats.round, 0);
    await context.close();
    assert.deepEqual(errors, []);
  });
}

for (const pointer of ['mouse', 'finger']) {
  test(`a ${pointer}'s tap and release in the field aims and fires`, async () => {
    const errors = [];
    const { context, page } = await freshPage(errors);
    await page.setViewport({ width: 480, height: 700, hasTouch: pointer === 'finger' });
    const stats = await playLive(page, 100, async (p) => {
      await p.keyboard.press('Space');
      await new Promise((r) => setTimeout(r, 2000)); // the round's opening, then it can fire
      const box = await p.$eval('#canvas', (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.left, y: r.top, scale: r.width / 240 };
      });
      // Up and to the left of the launcher, in the picture's pixels.
      const x = box.x + 60 * box.scale,
        y = box.y + 120 * box.scale;
      if (pointer === 'finger') {
        await p.touchscreen.tap(x, y);
      } else {
        await p.mouse.move(x, y);
        await p.mouse.down();
        await p.mouse.up();
      }
    });
    assert.ok(stats.shotsFired >= 1, `shots fired: ${stats.shotsFired}`);
    assert.notEqual(stats.aimAngle, 90, 'the aim turned toward the tap');
    await context.close();
    assert.deepEqual(errors, []);
  });
}

test('a reload keeps what the game saved: the best round and the volumes', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  await runPage(page, base, 'input=../files/bot-golden-rounds.input&frames=4000&fast=1&stats=1');
  await runPage(page, base, 'input=../files/web-volumes.input&frames=40&fast=1&stats=1');
  const stored = await page.evaluate(() => Object.keys(localStorage).sort());
  assert.ok(stored.includes('tarngame/settings.txt'), `stored: ${stored}`);
  const stats = JSON.parse((await runPage(page, base, 'frames=2&fast=1&stats=1')).stats);
  assert.equal(stats.bestRound, 6, 'the best round reached survives the reload');
  assert.equal(stats.effectsVolume, 58);
  assert.equal(stats.musicVolume, 54);
  await context.close();
  assert.deepEqual(errors, []);
});

// The cells of round N of assets/rounds.txt as the stats show a field: rows of 8 colour
// codes 1..8, -1 for empty and for the odd rows' missing eighth cell.
function builtInRound(n) {
  const text = fs.readFileSync(path.join(source, 'assets/rounds.txt'), 'utf8').split('\n');
  const start = text.findIndex((line) => line.startsWith(`round ${n}:`));
  return text.slice(start + 1, start + 12).map((line) => {
    const cells = line
      .trim()
      .split(/\s+/)
      .map((c) => 'ROYGCBPW'.indexOf(c) + 1 || -1);
    while (cells.length < 8) cells.push(-1);
    return cells;
  });
}

test('a round link opens that round ready to play', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  const code = execFileSync(binary, ['--export-round', path.join(source, 'assets/rounds.txt:5')], {
    encoding: 'utf8',
  }).trim();
  const { stats } = await runPage(page, base, `frames=10&fast=1&stats=1#round=${code}`);
  const game = JSON.parse(stats);
  assert.equal(game.state, 0, 'the play page');
  assert.equal(game.roundCount, 1);
  assert.deepEqual(game.field.slice(0, 11), builtInRound(5));
  await context.close();
  assert.deepEqual(errors, []);
});

// A cut code, and one whose single bubble hangs loose, which --rounds would refuse too.
for (const code of [
  'AAAAAAAAAAAAAAAAABAAAAAAAAAAAAAAAAAAAA',
  'AAAAAAAAAAAAAAAAABAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAj',
]) {
  test(`a round link that cannot be played leaves the title page (${code.length} characters)`, async () => {
    const errors = [];
    const { context, page } = await freshPage(errors);
    const warnings = [];
    page.on('console', (m) => {
      if (['warn', 'warning'].includes(m.type())) warnings.push(m.text());
    });
    const { stats } = await runPage(page, base, `frames=10&fast=1&stats=1#round=${code}`);
    const game = JSON.parse(stats);
    assert.equal(game.state, 1, 'the title page');
    assert.equal(game.roundCount, undefined, 'the built-in rounds');
    assert.ok(
      warnings.some((w) => w.includes("the page's address")),
      warnings.join('\n'),
    );
    await context.close();
    assert.deepEqual(errors, []);
  });
}

test('the editor opens from the page, shares its round as a link, and leaves to the title', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  await page.goto(`${base}/game/`);
  await page.waitForFunction('window.Module && Module.calledRun', { polling: 20 });
  // The page reloads for the editor; leaving it goes to the title page without a reload.
  const running = (mode) =>
    `document.body.classList.contains('${mode}') && ` +
    'window.Module && Module.calledRun && !window.tarnEnded';
  await page.click('#edit');
  await page.waitForFunction(running('editor'), { polling: 20 });
  // A new round is empty: no link to a round that a link would refuse.
  await page.click('#shareButton');
  assert.doesNotMatch(await page.$eval('#link', (e) => e.value), /#round=/);
  await page.keyboard.press('Digit3'); // yellow on the top left cell of the new round
  await new Promise((r) => setTimeout(r, 300));
  await page.click('#shareButton');
  const link = await page.$eval('#link', (e) => e.value);
  const code = link.match(/#round=([A-Za-z0-9_-]+)$/)[1];
  assert.equal(code.length, 57);
  // Unsaved: Escape asks, a second leaves, and the page goes back to the game.
  await page.keyboard.press('Escape');
  await new Promise((r) => setTimeout(r, 300));
  await page.keyboard.press('Escape');
  await page.waitForFunction(running('play'), { polling: 20 });
  assert.equal(await page.evaluate(() => window.location.hash), '');

  const { stats } = await runPage(page, base, `frames=10&fast=1&stats=1#round=${code}`);
  const field = JSON.parse(stats).field.flat();
  assert.equal(field[0], 3);
  assert.equal(field.filter((c) => c > 0).length, 1);
  await context.close();
  assert.deepEqual(errors, []);
});

test("a high score's name is typed: letters that launch elsewhere are letters there", async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  // The golden game runs out after its input: game over near frame 7000, then the name entry.
  await page.goto(
    `${base}/game/?input=../files/bot-golden-rounds.input&frames=9000&fast=1&stats=1&shot=7100`,
  );
  await page.waitForFunction(() => document.getElementById('shot').textContent !== '', {
    timeout: 120000,
    polling: 20,
  });
  for (const key of ['KeyZ', 'KeyX', 'Enter']) await page.keyboard.press(key);
  await page.waitForFunction('window.tarnEnded === true', { timeout: 120000, polling: 50 });
  const table = await page.evaluate(() => atob(localStorage.getItem('tarngame/data.dat') || ''));
  assert.equal(table.slice(0, 3), 'ZXA', 'the top name as typed');
  await context.close();
  assert.deepEqual(errors, []);
});

// Replays: a game finished in the browser is kept in IndexedDB and verifies natively to the
// result it states; a native replay watched in the page ends on the result it states.
test('a game played in the browser leaves a replay that verifies natively', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  await runPage(page, base, 'input=../files/replay-push-games.input&frames=600&fast=1');
  await page.waitForFunction('Module.listReplays().then((l) => (window.tarnKept = l).length > 0)', {
    polling: 100,
    timeout: 20000,
  });
  const kept = await page.evaluate(() => window.tarnKept);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tarn-web-replay-'));
  try {
    for (const replay of kept) {
      assert.match(replay.name, /^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_\d{3}_push_\d+\.replay$/);
      const file = path.join(dir, replay.name);
      fs.writeFileSync(file, replay.text);
      const verdict = JSON.parse(execFileSync(binary, ['--verify', file], { encoding: 'utf8' }));
      assert.equal(verdict.valid, true, JSON.stringify(verdict));
      assert.equal(verdict.score, replay.score);
    }
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
  await context.close();
  assert.deepEqual(errors, []);
});

test('a native replay watched in the page ends on the result it states', async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  const text = fs.readFileSync(path.join(files, 'replay-insect.replay'), 'utf8');
  const result = text.match(/#result score=(\d+) rounds=\d+ last=\d+ frames=(\d+)/);
  const { stats } = await runPage(
    page,
    base,
    `replay=../files/replay-insect.replay&frames=${Number(result[2]) + 5}&fast=1&stats=1`,
  );
  assert.equal(JSON.parse(stats).score, Number(result[1]));
  assert.equal(await page.title(), 'TarnGameFrame REPLAY');
  await context.close();
  assert.deepEqual(errors, []);
});

test("#daily plays the day's game on the native field, its words beside the picture", async () => {
  const errors = [];
  const { context, page } = await freshPage(errors);
  const { stats } = await runPage(page, base, 'frames=3&fast=1&stats=1#daily=2026-12-06');
  const native = nativeRun(['--daily', '2026-12-06', '--frames', '3', '--stats']);
  assert.deepEqual(JSON.parse(stats).field, JSON.parse(native).field);
  assert.equal(
    await page.$eval('#caption', (e) => e.textContent),
    'TarnGameFrame DAILY 2026-12-06',
  );
  await context.close();
  assert.deepEqual(errors, []);
});
