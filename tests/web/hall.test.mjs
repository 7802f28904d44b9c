// The hall of fame in the page: a tarnhall started here serves the built page; a game played in
// the page is offered when it ends, sent under the name typed, shows on its board and can be
// watched by someone else; an edited game is refused with the verifier's reason; on a static
// host nothing of the hall shows.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { startServer, launchBrowser, openPage, runPage } from './harness.mjs';

const site = process.env.TARN_SITE;
const hallBinary = process.env.TARN_HALL;
const source = process.env.TARN_SOURCE_DIR || path.resolve(import.meta.dirname, '../..');
const game = process.env.TARN_BINARY || path.join(source, 'build/tarngame');
const files = path.join(source, 'tests/files');
// A push game that ends with a score, its name confirmed by the next fire, before frame 340.
const script = 'hall-game.input';
const runFrames = 340;
let browser, closeBrowser, hall, hallBase, work, played;

function startHall(siteDir) {
  return new Promise((resolve, reject) => {
    const child = spawn(hallBinary, [
      '--listen',
      '127.0.0.1:0',
      '--data',
      path.join(work, 'data'),
      '--site',
      siteDir,
      '--game',
      game,
    ]);
    let log = '';
    child.stderr.on('data', (chunk) => {
      log += chunk;
      const found = /listening on (http:\/\/[^/]+)\//.exec(log);
      if (found) resolve({ child, base: found[1] });
    });
    child.on('exit', () => reject(new Error('tarnhall did not start: ' + log)));
  });
}

before(async () => {
  work = fs.mkdtempSync('/tmp/tarnhall-web-');
  // The published page with the game's input beside it: tarnhall serves one folder only.
  const served = path.join(work, 'site');
  fs.cpSync(site, served, { recursive: true });
  fs.copyFileSync(path.join(files, script), path.join(served, script));
  ({ child: hall, base: hallBase } = await startHall(served));
  ({ browser, close: closeBrowser } = await launchBrowser());
});
after(async () => {
  await closeBrowser();
  hall.kill('SIGTERM');
  fs.rmSync(work, { recursive: true, force: true });
});

const messageOf = (page) => page.$eval('#hall .hall-message', (e) => e.textContent);

test('a game played in the page is sent to the hall, shows on its board and can be watched', async () => {
  const errors = [];
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.goto(`${hallBase}/?input=${script}&frames=${runFrames}&fast=1`);
  // The game ended with a score: the page offers it under the name typed on the high-score page.
  await page.waitForSelector('#hall .hall-offer input', { timeout: 120000 });
  await page.waitForFunction('Module.listReplays().then((l) => (window.tarnKept = l).length > 0)', {
    polling: 100,
    timeout: 20000,
  });
  const [kept] = await page.evaluate(() => window.tarnKept);
  played = kept.text;
  const typed = /^#name (.*)$/m.exec(kept.text)[1];
  assert.equal(await page.$eval('#hall .hall-offer input', (e) => e.value), typed);
  assert.match(
    await page.$eval('#hall .hall-offer', (e) => e.textContent),
    new RegExp(`of ${kept.score} points`),
  );
  const result = kept.text.match(/^#result score=(\d+) rounds=\d+ last=\d+ frames=(\d+)$/m);
  assert.equal(Number(result[1]), kept.score);
  assert.ok(kept.score > 0);

  // Sent under another name, which the page writes as the replay's #name line.
  await page.$eval('#hall .hall-offer input', (e) => (e.value = ''));
  await page.type('#hall .hall-offer input', 'ann');
  await page.click('#hall .hall-offer button');
  await page.waitForFunction(
    () => /rank 1 on push/.test(document.querySelector('#hall .hall-message').textContent),
    { timeout: 30000 },
  );
  await page.waitForSelector('#hall .hall-entries a');
  const row = await page.$eval('#hall .hall-entries tr', (tr) =>
    [...tr.cells].map((cell) => cell.textContent),
  );
  assert.deepEqual(row.slice(0, 4), ['1', 'ANN', String(kept.score), 'round 1']);
  const watch = await page.$eval('#hall .hall-entries a', (a) => a.href);
  const stored = new URL(new URL(watch).searchParams.get('replay'), hallBase + '/');
  assert.match(stored.pathname, /^\/api\/replays\/\d+$/);
  const sent = await (await fetch(stored)).text();
  assert.equal(sent, kept.text.replace(/^#name .*$/m, '#name ANN'));

  assert.deepEqual(errors, []);

  // Edited, it is refused, and the page says why in the verifier's words (the browser itself
  // logs the answer's status).
  const raised = kept.text.replace(/^#result score=\d+/m, `#result score=${kept.score + 1}`);
  await page.evaluate((text) => window.tarnHall.send(text, 'EVE'), raised);
  assert.match(await messageOf(page), /^Refused: .*not the result the file states/);
  await context.close();
  assert.deepEqual(errors, [
    'Failed to load resource: the server responded with a status of 422 (Unprocessable Entity)',
  ]);

  // Someone else watches it through the board's link, to the result it states.
  const otherErrors = [];
  const other = await browser.createBrowserContext();
  const viewer = await openPage(other, otherErrors);
  await viewer.goto(`${watch}&frames=${Number(result[2]) + 5}&fast=1&stats=1`);
  await viewer.waitForFunction('window.tarnEnded === true', { timeout: 120000, polling: 50 });
  const stats = JSON.parse(await viewer.$eval('#stats', (e) => e.textContent));
  assert.equal(stats.score, kept.score);
  assert.equal(await viewer.title(), 'TarnGameFrame REPLAY');
  await other.close();
  assert.deepEqual(otherErrors, []);
});

const pendingCount = (page) =>
  page.evaluate(
    () =>
      new Promise((resolve) => {
        const open = indexedDB.open('tarnhall', 1);
        open.onsuccess = () => {
          const count = open.result.transaction('pending').objectStore('pending').count();
          count.onsuccess = () => resolve(count.result);
        };
        open.onerror = () => resolve(-1);
      }),
  );

test('a game the hall cannot take now is kept and sent on the next visit', async () => {
  assert.ok(played, 'the first test played a game');
  const errors = [];
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.goto(`${hallBase}/`);
  await page.waitForFunction('window.tarnHall.available', { timeout: 30000 });
  // The server away: its submissions fail as a dropped connection would.
  await page.setRequestInterception(true);
  const away = (request) =>
    request.method() === 'POST' ? request.abort('connectionrefused') : request.continue();
  page.on('request', away);
  await page.evaluate((text) => window.tarnHall.send(text, 'BOB'), played);
  assert.match(await messageOf(page), /away; the game is kept/);
  assert.equal(await pendingCount(page), 1);
  page.off('request', away);
  await page.setRequestInterception(false);
  await page.reload();
  await page.waitForFunction('window.tarnHall.available', { timeout: 30000 });
  const deadline = Date.now() + 20000;
  while ((await pendingCount(page)) !== 0 && Date.now() < deadline)
    await new Promise((resolve) => setTimeout(resolve, 100));
  assert.equal(await pendingCount(page), 0);
  assert.ok(
    errors.every((e) => /api\/scores|ERR_CONNECTION_REFUSED/.test(e)),
    errors.join('\n'),
  );
  await context.close();
});

test('on a static host the hall is hidden and nothing complains when a game ends', async () => {
  const { server, base } = await startServer(site, files);
  const errors = [];
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await runPage(page, base, `input=../files/${script}&frames=${runFrames}&fast=1`);
  assert.equal((await page.evaluate(() => Module.listReplays())).length, 1);
  await new Promise((resolve) => setTimeout(resolve, 500));
  assert.equal(await page.$('#hallButton'), null);
  assert.equal(await page.$('#hall'), null);
  assert.equal(await page.evaluate(() => window.tarnHall.available), false);
  assert.deepEqual(errors, []);
  await context.close();
  server.close();
});
