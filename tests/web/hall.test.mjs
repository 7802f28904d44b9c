// The hall of fame in the page: a tarnhall started here serves the built page; a finished game is
// sent from the page, shows on its board and can be watched; on a static host nothing shows.
// Until the game writes replays in the page, the game offered is a stand-in replay checked by
// the hall tests' stand-in verifier (tests/hall/hallkit.py).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { startServer, launchBrowser, openPage } from './harness.mjs';

const site = process.env.TARN_SITE;
const hallBinary = process.env.TARN_HALL;
const sourceDir = process.env.TARN_SOURCE_DIR;
let browser, closeBrowser, hall, hallBase, work, replay;

function startHall(game) {
  return new Promise((resolve, reject) => {
    const child = spawn(hallBinary, [
      '--listen',
      '127.0.0.1:0',
      '--data',
      path.join(work, 'data'),
      '--site',
      site,
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
  const game = execFileSync('python3', [
    path.join(sourceDir, 'tests/hall/hallkit.py'),
    'stand-in',
    work,
  ])
    .toString()
    .trim();
  replay = fs.readFileSync(path.join(work, 'game.replay'), 'utf8');
  ({ child: hall, base: hallBase } = await startHall(game));
  ({ browser, close: closeBrowser } = await launchBrowser());
});
after(async () => {
  await closeBrowser();
  hall.kill('SIGTERM');
  fs.rmSync(work, { recursive: true, force: true });
});

test('a finished game is sent to the hall of fame, shows on its board and can be watched', async () => {
  const errors = [];
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.goto(hallBase + '/');
  await page.waitForFunction('window.tarnHall && window.tarnHall.available', { timeout: 30000 });
  // What the game does when a game ends with a score: offer it, with the name it was given.
  await page.evaluate((text) => window.tarnHall.offer(text, 'ann'), replay);
  await page.click('#hall .hall-offer button');
  await page.waitForFunction(
    () => /rank 1 on push/.test(document.querySelector('#hall .hall-message').textContent),
    { timeout: 30000 },
  );
  await page.waitForSelector('#hall .hall-entries a');
  const row = await page.$eval('#hall .hall-entries tr', (tr) =>
    [...tr.cells].map((cell) => cell.textContent),
  );
  assert.deepEqual(row.slice(0, 2), ['1', 'ANN']);
  const watch = await page.$eval('#hall .hall-entries a', (a) => a.href);
  const sent = await (
    await fetch(new URL(new URL(watch).searchParams.get('replay'), hallBase + '/'))
  ).text();
  assert.match(sent, /^#name ANN$/m);
  assert.equal(sent.replace('#name ANN\n', ''), replay);
  assert.deepEqual(errors, []);
  await context.close();
});

test('on a static host the hall is hidden and nothing complains', async () => {
  const { server, base } = await startServer(site, site);
  const errors = [];
  const context = await browser.createBrowserContext();
  const page = await openPage(context, errors);
  await page.goto(base + '/game/');
  await page.waitForFunction('window.tarnHall !== undefined', { timeout: 30000 });
  await new Promise((resolve) => setTimeout(resolve, 500));
  assert.equal(await page.$('#hallButton'), null);
  assert.deepEqual(errors, []);
  await context.close();
  server.close();
});
