// The web page in headless Chromium against tobu-script: a recorded run replayed tick
// by tick must show the same frames pixel for pixel; a reload keeps the roster and the
// best time; the help and pause cards; F2 switches the sound and nothing else; an
// imported level joins the level list; each message of a file error is shown and closed
// by Enter or Escape, no key reaching the game meanwhile.
//
// node web_test.mjs PAGE_URL TOBU_SCRIPT SOURCE_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

import { check, finish, launch, openPage, pageUrl, readBmp, readTar, reference, referenceOutput, replay, runLine,
         sourceDir, webReference, withShots } from './support.mjs';

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tobu-web-'));
const folder = path.join(work, 'game');
fs.cpSync(path.join(sourceDir, 'Levels'), path.join(folder, 'Levels'), { recursive: true });
const browser = await launch(puppeteer, work);
try {
  // 1. A new player and the recorded run of the first level, frame by frame.
  const run = fs.readFileSync(path.join(sourceDir, 'levels/runs/01-first-steps.script'), 'utf8').split('\n');
  const runLines = withShots(run.filter((l) => l.trim() !== '' && !l.startsWith('#')));
  reference(folder, runLines);
  let page = await openPage(browser, '?test');
  let cdp = await page.createCDPSession();
  await replay(page, cdp, folder, runLines, 'run');
  await page.evaluate(() => TobuPage.filesSaved());

  // The player keeps a tobu.ini: the page reads it at the next start.
  await page.evaluate(() => FS.writeFile('/tobu/tobu.ini', '[tobu]\nsound = on\nvolume = 80\n'));
  await page.evaluate(() => TobuPage.filesSaved());

  // 2. After a reload: the roster, and the best time in the level list and its top ten;
  // F1's help card over the level list, pixel for pixel, and the frame back after Escape.
  // The card's text is in the built-in font, as in the browser's own tobu-script (the
  // desktop's draws it with a TrueType font when it finds one).
  const again = ['tick 1', 'shot reload-players.bmp', 'press Return', 'press Return', 'tick 1',
                 'shot reload-levels.bmp', 'press Return', 'tick 1', 'shot reload-level.bmp'];
  const help = ['press F1', 'shot help-card.bmp', 'tick 3', 'shot help-held.bmp', 'press Escape',
                'shot help-closed.bmp', 'tick 1', 'shot help-after.bmp'];
  reference(folder, again);
  webReference(folder, [...again, ...help]);
  await page.reload();
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true);
  cdp = await page.createCDPSession();
  await page.waitForFunction(() => TobuSound.buffers.filter(Boolean).length === 21);
  await replay(page, cdp, folder, again, 'reload');
  await replay(page, cdp, folder, help, 'help');
  const helpShown = readBmp(path.join(folder, 'help-card.bmp'));
  check('the help card covers the level', !helpShown.equals(readBmp(path.join(folder, 'help-after.bmp'))));

  // The limiter, rendered offline: a sample comes out in the same place (no lookahead to
  // delay every sound), unchanged below its knee and never past -1 dBFS above it.
  const limited = await page.evaluate(async () => {
    const inputs = [0.25, -0.5, 0.79, 0.9, -1.2, 2];
    const context = new OfflineAudioContext(1, inputs.length, 44100);
    const source = context.createBufferSource();
    source.buffer = context.createBuffer(1, inputs.length, 44100);
    source.buffer.copyToChannel(Float32Array.from(inputs), 0);
    source.connect(TobuSound.limiter(context));
    source.start(0);
    return Array.from((await context.startRendering()).getChannelData(0), (v) => Math.round(v * 1000) / 1000);
  });
  check('the limiter delays nothing and keeps under -1 dBFS',
        JSON.stringify(limited) === '[0.25,-0.5,0.79,0.873,-0.889,0.889]', JSON.stringify(limited));

  // F2 switches the sound and nothing else: the game goes on as if it had not been pressed,
  // and the player's tobu.ini remembers the choice.
  // The events' sounds (GameEvent order: choose 9, move 8) once the player has pressed a key.
  const started = () => page.evaluate(() => [TobuSound.started[9] || 0, TobuSound.started[8] || 0]);
  const [choices] = await started();
  check('menu choices are heard', choices >= 1, `${choices} choose sounds`);
  const soundBefore = await page.evaluate(() => Module._tobu_sound_on());
  const musicBefore = await page.evaluate(() => TobuSound.queued);
  check('the music plays', musicBefore > 0, `${musicBefore} blocks queued`);
  const quiet = ['press Down', 'tick 1', 'shot sound-moved.bmp', 'press Escape', 'tick 1', 'shot sound-back.bmp'];
  reference(folder, [...again, ...help, ...quiet]);
  await runLine(page, cdp, 'press F2');
  const musicAtF2 = await page.evaluate(() => TobuSound.queued);
  await replay(page, cdp, folder, quiet, 'after F2');
  const [musicAfter, musicLeft] = await page.evaluate(() => [TobuSound.queued, TobuSound.music.length]);
  check('no music after F2', musicAfter === musicAtF2 && musicLeft === 0, `${musicAfter - musicAtF2} ${musicLeft}`);
  const soundAfter = await page.evaluate(() => Module._tobu_sound_on());
  const [choicesAfter, movesAfter] = await started();
  check('no sound after F2', choicesAfter === choices && movesAfter === 0, `${choicesAfter} ${movesAfter}`);
  await page.evaluate(() => TobuPage.filesSaved());
  const ini = await page.evaluate(() => FS.readFile('/tobu/tobu.ini', { encoding: 'utf8' }));
  check('F2 switches the sound off', soundBefore === 1 && soundAfter === 0, `${soundBefore} -> ${soundAfter}`);
  check('tobu.ini remembers F2', /^sound = off$/m.test(ini) && /^volume = 80$/m.test(ini), JSON.stringify(ini));
  await runLine(page, cdp, 'press F2');
  check('F2 again switches it on', (await page.evaluate(() => Module._tobu_sound_on())) === 1);

  // P in a run shows the pause card, ticks stop, P again resumes: frames as tobu-script's.
  const pause = ['press Return', 'tick 5', 'state', 'press P', 'shot pause-card.bmp', 'tick 3',
                 'shot pause-held.bmp', 'press P', 'tick 1', 'shot pause-after.bmp'];
  const paused = webReference(folder, [...again, ...help, ...quiet, ...pause]);
  check('P pressed in a run', /^mode=game /m.test(paused), paused.split('\n')[0]);
  await replay(page, cdp, folder, pause, 'pause');
  for (const file of ['Players.dat', 'Levels/01-first-steps.vel']) {
    const saved = Buffer.from(await page.evaluate((f) => Array.from(FS.readFile('/tobu/' + f)), file));
    check(`${file} kept byte for byte`, saved.equals(fs.readFileSync(path.join(folder, file))));
  }

  // 3. An imported level is in the level list after the next start.
  const imported = path.join(work, 'import', '11-imported.vel');
  fs.mkdirSync(path.dirname(imported));
  fs.copyFileSync(path.join(sourceDir, 'Levels/03-mind-the-gap.vel'), imported);
  fs.copyFileSync(imported, path.join(folder, 'Levels', '11-imported.vel'));
  const list = ['press Return', 'press Return', 'tick 1', 'shot imported-list.bmp'];
  reference(folder, list);
  const input = await page.$('#import-file');
  await input.uploadFile(imported);
  await page.waitForFunction(() => FS.analyzePath('/tobu/Levels/11-imported.vel').exists && !TobuPage.saving);
  await page.evaluate(() => TobuPage.filesSaved());
  await page.reload();
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true);
  cdp = await page.createCDPSession();
  await replay(page, cdp, folder, list, 'import');

  // 4. A damaged level: the game's message in the page's dialog, and the game goes on.
  const damaged = path.join(work, 'import', '12-damaged.vel');
  fs.writeFileSync(damaged, fs.readFileSync(imported).subarray(0, 100));
  fs.copyFileSync(damaged, path.join(folder, 'Levels', '12-damaged.vel'));
  await (await page.$('#import-file')).uploadFile(damaged);
  await page.waitForFunction(() => FS.analyzePath('/tobu/Levels/12-damaged.vel').exists);
  await page.evaluate(() => TobuPage.filesSaved());
  await page.reload();
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true);
  cdp = await page.createCDPSession();
  // The list is sorted by name, the damaged level among the shipped ones.
  const levels = fs.readdirSync(path.join(folder, 'Levels')).filter((n) => n.endsWith('.vel')).sort();
  const open = [...list, ...Array(levels.indexOf('12-damaged.vel')).fill('press Down'), 'press Return'];
  const after = ['tick 1', 'shot damaged-after.bmp'];
  const message = referenceOutput(folder, [...open, ...after]).split('\n').find((l) => l.startsWith('error: '));
  await replay(page, cdp, folder, open, 'damaged');
  const shown = await page.evaluate(() => TobuPage.messageOpen() && document.querySelector('#message p').textContent);
  check('damaged level shows the game\'s message', message !== undefined && shown === message.slice(7),
        `${shown} / ${message}`);
  // Keys while it is open reach no game (the reference has none), Enter closes it.
  for (const key of ['ArrowDown', 'x', 'Backspace']) await page.keyboard.press(key);
  await page.keyboard.press('Enter');
  check('Enter closes the message', !(await page.evaluate(() => TobuPage.messageOpen())));
  await replay(page, cdp, folder, after, 'damaged');

  // 5. The level files download as one archive holding the saved folder's levels.
  const downloads = path.join(work, 'downloads');
  const browserCdp = await browser.target().createCDPSession();
  await browserCdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#download');
  const archive = path.join(downloads, 'tobu-levels.tar');
  for (let i = 0; i < 100 && !fs.existsSync(archive); i++) await new Promise((r) => setTimeout(r, 100));
  const entries = fs.existsSync(archive) ? readTar(fs.readFileSync(archive)) : [];
  const names = fs.readdirSync(path.join(folder, 'Levels')).filter((n) => n.endsWith('.vel')).sort();
  check('download holds every level', JSON.stringify(entries.map((e) => e.name)) === JSON.stringify(names),
        entries.map((e) => e.name).join(' '));
  const same = await page.evaluate((list) => list.every((e) => {
    const saved = FS.readFile('/tobu/Levels/' + e.name);
    return saved.length === e.bytes.length && saved.every((b, i) => b === e.bytes[i]);
  }), entries.map((e) => ({ name: e.name, bytes: Array.from(e.bytes) })));
  check('downloaded levels are the saved bytes', entries.length > 0 && same);
  await page.close();

  // 7. A file error with two messages (the roster cannot be written, Levels is gone): the
  // page shows each in turn, as tobu-script reports them, and the game goes on.
  const broken = path.join(work, 'broken');
  fs.mkdirSync(path.join(broken, 'Players.dat'), { recursive: true });
  const create = ['press Return', 'type Bo', 'press Return'];
  // The errors the lines themselves report, before the state line after them: the end of
  // a script writes a roster that failed again and reports that too, a page never ends.
  const errorsOf = (lines) => {
    const out = referenceOutput(broken, [...lines, 'state']);
    return out.slice(0, out.indexOf('mode=')).split('\n').filter((l) => l.startsWith('error: '))
      .map((l) => l.slice(7));
  };
  // The page breaks the files after its start; tobu-script's start reports the roster too.
  const expectedMessages = errorsOf(create).slice(errorsOf([]).length);
  const fresh = await browser.createBrowserContext();
  const brokenPage = await fresh.newPage();
  brokenPage.on('pageerror', (error) => check('no page error', false, String(error)));
  await brokenPage.goto(pageUrl + '?test');
  await brokenPage.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
  await brokenPage.evaluate(() => { FS.mkdir('/tobu/Players.dat'); FS.rename('/tobu/Levels', '/tobu/Gone'); });
  const brokenCdp = await brokenPage.createCDPSession();
  for (const line of create) await runLine(brokenPage, brokenCdp, line);
  const shownMessages = [];
  while (await brokenPage.evaluate(() => TobuPage.messageOpen())) {
    shownMessages.push(await brokenPage.evaluate(() => document.querySelector('#message p').textContent));
    await brokenPage.keyboard.press(shownMessages.length % 2 ? 'Escape' : 'Enter');
    // The dialog's close event, which shows the next message, comes a moment later.
    await brokenPage.waitForFunction(() => !TobuPage.messageOpen() || document.getElementById('message').open);
  }
  check('each message of a file error shown in turn', expectedMessages.length === 2 &&
        JSON.stringify(shownMessages) === JSON.stringify(expectedMessages), JSON.stringify(shownMessages));
  await fresh.close();

  // 6. The page as a player opens it: how long until the first frame is on the canvas.
  page = await openPage(browser, '');
  await page.bringToFront();
  const firstFrame = await page.waitForFunction(() => TobuPage.firstFrameAt, { timeout: 30000 });
  console.log(`first frame: ${Math.round(await firstFrame.jsonValue())} ms after navigation started`);
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
finish();
