// The online panel against a real tobu-server on 127.0.0.1 that serves the page: absent
// from the static page; the shared levels with their pictures; the board of the level
// highlighted in the game with the player's line; the world record watched; a level
// downloaded into Levels/ (and not twice); the editor's level shared (and again).
//
// node web_online_test.mjs STATIC_PAGE_URL TOBU_SCRIPT SOURCE_DIR TOBU_SERVER
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

import { check, finish, launch, openPage, pageUrl, runLine, sourceDir } from './support.mjs';

const serverProgram = process.argv[5];
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tobu-web-online-'));
const port = await new Promise((resolve) => {
  const probe = net.createServer().listen(0, '127.0.0.1', () => {
    const { port: free } = probe.address();
    probe.close(() => resolve(free));
  });
});
const site = `http://127.0.0.1:${port}/`;
const server = spawn(serverProgram, ['--listen', `127.0.0.1:${port}`, '--database', `sqlite:${work}/tobu.sqlite`,
                                     '--web', path.join(sourceDir, 'build-web/web')], { stdio: 'ignore' });
const maker = { 'Content-Type': 'application/octet-stream', Authorization: 'Bearer ' + 'ab'.repeat(32) };
async function call(method, route, body) {
  for (let tries = 0; ; tries++) {
    try {
      return await fetch(site + route, { method, body, headers: maker });
    } catch (error) {
      if (tries === 100) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));  // the server is starting
    }
  }
}
const level = fs.readFileSync(path.join(sourceDir, 'Levels/01-first-steps.vel'));
const { id } = await (await call('POST', 'api/levels?name=first-steps', level)).json();
const record = await (await call('POST', 'api/records', fs.readFileSync(path.join(sourceDir, 'tests/replays/01-first-steps.tbr')))).json();
const time = (t) => [Math.floor(t / 10000), Math.floor(t / 100) % 100, t % 100].map((n) => String(n).padStart(2, '0')).join(':');
const browser = await launch(puppeteer, work);
try {
  const staticPage = await openPage(browser, '?test');
  await staticPage.evaluate(() => TobuOnline.probing);
  check('no panel on a page no server serves', await staticPage.evaluate(() => !document.getElementById('online')));
  await staticPage.close();

  const page = await browser.newPage();
  page.on('pageerror', (error) => check('no page error', false, String(error)));
  await page.goto(site + '?test');
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
  const cdp = await page.createCDPSession();
  const panelText = (selector) => page.$eval(selector, (e) => e.innerText.trim().replace(/\s+/g, ' '));
  // Clicks a button of the panel; the status line it leaves.
  const click = async (selector) => {
    await page.evaluate(() => document.getElementById('online-status').textContent = '');
    await page.click(selector);
    await page.waitForFunction(() => document.getElementById('online-status').textContent, { timeout: 10000 }).catch(() => {});
    return page.$eval('#online-status', (e) => e.textContent);
  };
  await page.waitForFunction(() => document.querySelector('#online img') && document.querySelector('#online img').complete);
  const picture = await page.$eval('#online img', (img) => [img.naturalWidth, img.naturalHeight]);
  check('a shared level with its picture', (await panelText('#online ul')) === `first-steps record Ann ${time(record.time)} Download`
        && picture.join('x') === '505x392', `${await panelText('#online ul')} ${picture}`);

  // A new player Bea in the editor: the new level shared, then the same level again.
  for (const line of ['press Return', 'type Bea', 'press Return', 'press Down', 'press Return', 'tick 1']) {
    await runLine(page, cdp, line);
  }
  await page.type('#online input', 'bea-one');
  const shares = [];
  for (let i = 0; i < 2; i++) shares.push(await click('#online input + button'));
  const token = await page.evaluate(() => FS.readFile('/tobu/online.token', { encoding: 'utf8' }));
  const shared = (await (await call('GET', 'api/levels?author=Bea')).json()).map((l) => l.name + ' ' + l.id);
  check('the editor\'s level shared once, with the device\'s token', /^[0-9a-f]{64}\n$/.test(token) &&
        shared.length === 1 && shares.join('|') === `Shared as ${shared[0].slice(8)}|Shared already as ${shared[0].slice(8)}`
        && shared[0].startsWith('bea-one '), `${shares.join('|')} ${shared}`);

  // The level list, first-steps highlighted: its board, the player's line, the world record.
  for (const line of ['press Escape', 'tick 1', 'press Up', 'press Return', 'tick 1']) await runLine(page, cdp, line);
  await page.waitForFunction(() => document.querySelector('#online ol li'), { timeout: 10000 }).catch(() => {});
  check('the board of the level highlighted', await panelText('#online ol') === `Ann ${time(record.time)}` &&
        await panelText('#online ol + p') === 'You have no time here yet', await panelText('#online ol'));
  const watched = await click('#online ol + p + button');
  const replayKept = await page.evaluate(() => Array.from(FS.readFile('/tobu/Replays/world-record.tbr')));
  const refused = await page.evaluate(() => TobuPage.messageOpen());
  await page.evaluate(() => Module._tobu_run_ticks(300));
  check('the world record watched', watched === 'The world record of Ann' && !refused &&
        Buffer.from(replayKept).equals(fs.readFileSync(path.join(sourceDir, 'tests/replays/01-first-steps.tbr'))), watched);

  // Download into Levels/: the server's bytes, then never over the file.
  const downloads = [];
  for (let i = 0; i < 2; i++) downloads.push(await click('#online li.level:last-child button'));
  const saved = await page.evaluate(() => Array.from(FS.readFile('/tobu/Levels/first-steps.vel')));
  const served = Buffer.from(await (await call('GET', `api/levels/${id}`)).arrayBuffer());
  check('a shared level downloaded into Levels/', Buffer.from(saved).equals(served) && downloads.join('|') ===
        'Downloaded into Levels/first-steps.vel|Levels/first-steps.vel is there already', downloads.join('|'));
} finally {
  await browser.close();
  server.kill();
  fs.rmSync(work, { recursive: true, force: true });
}
finish();
