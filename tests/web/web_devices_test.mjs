// The page as phones, tablets, gamepads and second tabs meet it, against tobu-script:
// the frame's size by the desktop's rule; on a phone a player made through the text field
// and the first level finished with the on-screen buttons; a gamepad choosing a level and
// jumping; two tabs without a lost player; the end card after Escape; a reload with the
// network off; and the first visit's download, first frame and sound's start, measured.
//
// node web_devices_test.mjs PAGE_URL TOBU_SCRIPT SOURCE_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

import { check, compareFrame, finish, launch, openPage, pageUrl, reference, replay, runLine, sourceDir,
  webReference } from './support.mjs';

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tobu-web-devices-'));
const browser = await launch(puppeteer, work);
const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

// A folder of its own for each reference, with the shipped levels.
function gameFolder(name) {
  const folder = path.join(work, name);
  fs.cpSync(path.join(sourceDir, 'Levels'), path.join(folder, 'Levels'), { recursive: true });
  return folder;
}

// A page in a browser context of its own (its own saved folder), at a viewport.
async function freshPage(viewport, query = '?test') {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  if (viewport) await page.setViewport(viewport);
  page.on('pageerror', (error) => check('no page error', false, String(error)));
  await page.goto(pageUrl + query);
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
  return { context, page };
}

async function frameSize(page) {
  return page.evaluate(() => [parseFloat(canvas.style.width), parseFloat(canvas.style.height), devicePixelRatio]);
}

try {
  // 1. The frame's size in device pixels: whole multiples when they fill most of the space
  // (below the page's bar), otherwise the largest with the aspect kept; a phone held
  // upright gives it the whole width.
  const sizes = [
    { name: 'desktop 1920 x 1080', viewport: { width: 1920, height: 1080 }, frame: [1280, 960] },
    { name: 'desktop 3840 x 2160', viewport: { width: 1920, height: 1080, deviceScaleFactor: 2 }, frame: [2560, 1920] },
    { name: 'desktop 1280 x 800', viewport: { width: 1280, height: 800 }, frame: [1020, 765] },
    { name: 'phone upright', viewport: { width: 360, height: 640, deviceScaleFactor: 3, hasTouch: true, isMobile: true },
      frame: [1080, 810] },
  ];
  for (const size of sizes) {
    const { context, page } = await freshPage(size.viewport);
    const [width, height, ratio] = await frameSize(page);
    const device = [Math.round(width * ratio), Math.round(height * ratio)];
    check(`frame size, ${size.name}`, JSON.stringify(device) === JSON.stringify(size.frame), device.join(' x '));
    await context.close();
  }

  // 2. A phone: a new player through the text field, then the recorded run of the first
  // level with the on-screen buttons held and lifted on its timeline, Right and Space at
  // once; the frames as tobu-script's.
  {
    const folder = gameFolder('touch');
    const run = fs.readFileSync(path.join(sourceDir, 'levels/runs/01-first-steps.script'), 'utf8').split('\n')
      .filter((l) => l.trim() !== '' && !l.startsWith('#'));
    const lines = [];
    run.forEach((line, i) => { lines.push(line); if (/^tick/.test(line)) lines.push(`shot touch-${i}.bmp`); });
    reference(folder, lines);
    const { context, page } = await freshPage({ width: 360, height: 640, deviceScaleFactor: 2, hasTouch: true,
                                                isMobile: true });
    const centre = async (selector) => {
      const box = await (await page.$(selector)).boundingBox();
      return [box.x + box.width / 2, box.y + box.height / 2];
    };
    const buttons = { Return: '[data-key="13"]', Right: '[data-key="39"]', Space: '[data-key="32"]' };
    const touches = {};
    const cdp = await page.createCDPSession();
    for (const line of lines) {
      const [word, name] = line.split(/\s+/);
      if (word === 'press') {
        await (await page.touchscreen.touchStart(...(await centre(buttons[name])))).end();
      } else if (word === 'down') {
        touches[name] = await page.touchscreen.touchStart(...(await centre(buttons[name])));
      } else if (word === 'up') {
        await touches[name].end();
      } else if (word === 'type') {
        await page.touchscreen.tap(...(await centre('#type')));
        await cdp.send('Input.insertText', { text: line.slice(5) });  // as a phone's keyboard types
      } else if (word === 'tick') {
        await runLine(page, cdp, line);
      } else if (word === 'shot') {
        await compareFrame(page, path.join(folder, name), `touch ${name}`);
      }
    }
    await context.close();
  }

  // A tap on a menu's row moves the cursor there and chooses it; a tap where a name is
  // typed opens the text field. As tobu-script's keys: the third level chosen.
  {
    const folder = gameFolder('taps');
    const keys = ['press Return', 'type Ann', 'press Return', 'press Return', 'press Down', 'press Down',
                  'press Return', 'tick 1', 'shot taps.bmp'];
    reference(folder, keys);
    const { context, page } = await freshPage({ width: 640, height: 360, deviceScaleFactor: 2, hasTouch: true,
                                                isMobile: true });
    const cdp = await page.createCDPSession();
    const box = await (await page.$('#canvas')).boundingBox();
    const tapRow = (y) => page.touchscreen.tap(box.x + box.width / 2, box.y + (y * box.height) / 480);
    await tapRow(100);  // Create New Player
    await tapRow(220);  // where the name is typed
    const typing = await page.evaluate(() => document.activeElement.id);
    await cdp.send('Input.insertText', { text: 'Ann' });
    await page.touchscreen.tap(...(await (async () => {
      const b = await (await page.$('[data-key="13"]')).boundingBox();
      return [b.x + b.width / 2, b.y + b.height / 2];
    })()));
    await tapRow(150);  // Play
    await tapRow(148);  // the third level
    check('a tap on the name opens the text field', typing === 'type', typing);
    await replay(page, cdp, folder, ['tick 1', 'shot taps.bmp'], 'menu taps');
    await context.close();
  }

  // The editor on a touch screen: a tap paints a cell, a long press empties it, two
  // fingers moved right scroll the view left, as held Left; frames as tobu-script's
  // mouse and keys give them.
  {
    const folder = gameFolder('editor');
    const enter = ['press Return', 'type Ann', 'press Return', 'press Down', 'press Return'];
    const cell = [300, 200];
    const lines = [...enter, `mouse-move ${cell}`, `mouse-down left ${cell}`, `mouse-up left ${cell}`, 'tick 1',
                   'shot editor-painted.bmp', `mouse-down right ${cell}`, `mouse-up right ${cell}`, 'tick 1',
                   'shot editor-emptied.bmp', 'down Left', 'tick 10', 'up Left', 'tick 1', 'shot editor-scrolled.bmp'];
    reference(folder, lines.map((l) => l.replace(/,/g, ' ')));
    const { context, page } = await freshPage({ width: 640, height: 360, deviceScaleFactor: 2, hasTouch: true,
                                                isMobile: true });
    const cdp = await page.createCDPSession();
    for (const line of enter) await runLine(page, cdp, line);
    const box = await (await page.$('#canvas')).boundingBox();
    const at = (x, y) => [box.x + ((x + 0.5) * box.width) / 640, box.y + ((y + 0.5) * box.height) / 480];
    await page.touchscreen.tap(...at(...cell));
    await replay(page, cdp, folder, ['tick 1', 'shot editor-painted.bmp'], 'editor tap');
    const press = await page.touchscreen.touchStart(...at(...cell));
    await new Promise((r) => setTimeout(r, 700));
    await press.end();
    await replay(page, cdp, folder, ['tick 1', 'shot editor-emptied.bmp'], 'editor long press');
    const one = await page.touchscreen.touchStart(...at(200, 300));
    const two = await page.touchscreen.touchStart(...at(400, 300));
    await one.move(...at(300, 300));
    await two.move(...at(500, 300));
    await runLine(page, cdp, 'tick 10');
    await one.end();
    await two.end();
    await replay(page, cdp, folder, ['tick 1', 'shot editor-scrolled.bmp'], 'editor two fingers');
    await context.close();
  }

  // 3. A gamepad (the page's navigator.getGamepads gives a fake one): A and the d-pad
  // choose the second level, the stick inside its dead zone presses nothing, beyond it
  // Right, and A in the run jumps.
  {
    const folder = gameFolder('pad');
    const script = ['press Return', 'type Ann', 'press Return', 'press Return', 'press Down', 'press Return', 'tick 10',
                    'shot pad-still.bmp', 'down Right', 'tick 30', 'down Space', 'tick 20', 'up Space', 'tick 20',
                    'shot pad-jumped.bmp'];
    reference(folder, script);
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
      window.fakePad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
                         axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
      navigator.getGamepads = () => [window.fakePad];
    });
    await page.goto(pageUrl + '?test');
    await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
    const cdp = await page.createCDPSession();
    const pad = async (button, value) => {
      await page.evaluate((b, v) => {
        if (b === 'x') fakePad.axes[0] = v;
        else fakePad.buttons[b] = { pressed: v > 0, value: v };
        fakePad.timestamp++;
      }, button, value);
      await frames(page);
    };
    for (const line of script.slice(0, 3)) await runLine(page, cdp, line);  // names are typed
    for (const button of [0, 13, 0]) { await pad(button, 1); await pad(button, 0); }  // A, d-pad down, A
    await pad('x', 0.3);
    await runLine(page, cdp, 'tick 10');
    await compareFrame(page, path.join(folder, 'pad-still.bmp'), 'pad inside the dead zone');
    await pad('x', 0.9);
    await runLine(page, cdp, 'tick 30');
    await pad(0, 1);
    await runLine(page, cdp, 'tick 20');
    await pad(0, 0);
    await runLine(page, cdp, 'tick 20');
    await compareFrame(page, path.join(folder, 'pad-jumped.bmp'), 'pad ran and jumped');
    await context.close();
  }

  // 4. Two tabs of one browser: the second waits, takes over once the first has saved and
  // stopped, and the first takes the game back; both players are in the roster, byte for
  // byte as tobu-script makes it in two runs.
  {
    const folder = gameFolder('tabs');
    const first = ['press Return', 'type Ann', 'press Return'];
    const second = ['press Up', 'press Return', 'type Bo', 'press Return'];
    reference(folder, first);
    reference(folder, [...second, 'tick 1', 'shot tabs-second.bmp']);
    const context = await browser.createBrowserContext();
    const a = await context.newPage();
    await a.goto(pageUrl + '?test');
    await a.waitForFunction(() => TobuPage.ready === true, { timeout: 30000 });
    const aCdp = await a.createCDPSession();
    for (const line of first) await runLine(a, aCdp, line);
    const b = await context.newPage();
    await b.goto(pageUrl + '?test');
    await b.waitForFunction(() => !document.getElementById('elsewhere').hidden, { timeout: 30000 });
    const waiting = await b.evaluate(() => [document.getElementById('elsewhere').textContent.trim().split('\n')[0],
                                             !!window.TobuPage.ready]);
    check('a second tab waits', waiting[0] === 'tobu is open in another tab' && !waiting[1], JSON.stringify(waiting));
    await b.click('#take-over');
    await b.waitForFunction(() => TobuPage.ready === true, { timeout: 30000 });
    check('the first tab stopped', await a.evaluate(() => TobuPage.stopped && TobuPage.writesStopped &&
                                                          !document.getElementById('elsewhere').hidden));
    const bCdp = await b.createCDPSession();
    await replay(b, bCdp, folder, [...second, 'tick 1', 'shot tabs-second.bmp'], 'second tab');
    await b.evaluate(() => TobuPage.filesSaved());
    // The stopped tab writes nothing, whatever is pressed there.
    await a.bringToFront();
    await runLine(a, aCdp, 'press Return');
    await a.evaluate(() => Module._tobu_run_ticks(5));
    await Promise.all([a.waitForNavigation(), a.click('#take-over')]);
    await a.waitForFunction(() => TobuPage.ready === true, { timeout: 30000 });
    const roster = Buffer.from(await a.evaluate(() => Array.from(FS.readFile('/tobu/Players.dat'))));
    check('both tabs\' players kept', roster.equals(fs.readFileSync(path.join(folder, 'Players.dat'))));
    check('the second tab stopped', await b.evaluate(() => TobuPage.stopped));
    await context.close();
  }

  // 5. Escape on the first menu ends the game: the end card, then a key starts it afresh.
  {
    const folder = gameFolder('ended');
    reference(folder, ['tick 1', 'shot ended-again.bmp']);
    const { context, page } = await freshPage();
    await page.keyboard.press('Escape');
    const card = await page.evaluate(() => !document.getElementById('ended').hidden &&
                                           document.getElementById('ended').textContent);
    check('the end card', card === 'tobu has ended: press a key to play again', String(card));
    try {
      await Promise.all([page.waitForNavigation(), page.keyboard.press('x')]);
    } catch (error) {
      // What the page was doing when no reload came, for the log.
      const state = await page.evaluate(() => [document.getElementById('ended').hidden, !!TobuPage.saving,
                                               TobuPage.changed, document.readyState]).catch(String);
      check('a key after the end card reloads', false, `${error.message}; card hidden, saving, changed, ready: ${state}`);
      throw error;
    }
    await page.waitForFunction(() => TobuPage.ready === true, { timeout: 30000 });
    await replay(page, null, folder, ['tick 1', 'shot ended-again.bmp'], 'after the end');
    await context.close();
  }

  // 6. The player's plus switch (F3) survives a reload: the game starts on plus's title (as
  // the browser's tobu-script draws it), and F3 after it switches plus off. And a roster
  // that could not be written is written when the tab goes (or is hidden), byte for byte
  // as tobu-script writes it.
  {
    const folder = gameFolder('kept');
    reference(folder, ['press Return', 'type Ann', 'press Return']);
    webReference(folder, ['plus on', 'title', 'tick 1', 'shot title.bmp']);
    const { context, page } = await freshPage();
    const cdp = await page.createCDPSession();
    const ini = () => page.evaluate(() => FS.analyzePath('/tobu/tobu.ini').exists &&
                                          FS.readFile('/tobu/tobu.ini', { encoding: 'utf8' }));
    await runLine(page, cdp, 'press F3');
    const switchedOn = await ini();
    await page.evaluate(() => TobuPage.filesSaved());
    await page.reload();
    await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
    await replay(page, cdp, folder, ['tick 1', 'shot title.bmp', 'press X'], 'plus started');
    await runLine(page, cdp, 'press F3');
    const switchedOff = await ini();
    check('plus kept across a reload', /^plus = on$/m.test(switchedOn) && /^plus = off$/m.test(switchedOff),
          JSON.stringify([switchedOn, switchedOff]));
    await runLine(page, cdp, 'press Escape');  // the plus card
    await page.evaluate(() => FS.mkdir('/tobu/Players.dat'));
    for (const line of ['press Return', 'type Ann', 'press Return']) await runLine(page, cdp, line);
    const failed = await page.evaluate(() => TobuPage.messageOpen());
    await page.keyboard.press('Enter');
    await page.evaluate(() => FS.rmdir('/tobu/Players.dat'));
    // The event as the tab goes; the files are saved before the page is opened again.
    await page.evaluate(() => { dispatchEvent(new PageTransitionEvent('pagehide')); return TobuPage.filesSaved(); });
    await page.reload();
    await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
    const roster = await page.evaluate(() => FS.analyzePath('/tobu/Players.dat').exists &&
                                             Array.from(FS.readFile('/tobu/Players.dat')));
    check('a roster that failed is written as the tab goes',
          failed && roster && Buffer.from(roster).equals(fs.readFileSync(path.join(folder, 'Players.dat'))));
    await context.close();
  }

  // 7. Plus's options card: a change is made at once and kept in tobu.ini, and after a
  // reload the card starts from it. Then plus's themes, painted by the page rather than
  // downloaded: each sheet the committed file byte for byte, and a dusk level's frame
  // the desktop's.
  {
    const folder = gameFolder('options');
    // The card as the page shows it after the reload: the sound at 90 (the reference's
    // card starts from the defaults, full screen on; the page is not in full screen).
    webReference(folder, ['plus on', 'press O', 'press Right', 'press Down', 'press Down', 'press Left', 'press Up',
                          'press Up', 'shot options.bmp']);
    // 15-fast-or-safe, the first level of dusk.
    const toDusk = ['press Return', 'type Ann', 'press Return', 'press Return', ...Array(14).fill('press Down'),
                    'press Return', 'tick 30', 'shot dusk.bmp'];
    reference(folder, ['plus on', ...toDusk]);
    const { context, page } = await freshPage();
    const keys = await page.createCDPSession();
    const ini = () => page.evaluate(() => FS.readFile('/tobu/tobu.ini', { encoding: 'utf8' }));
    for (const line of ['press F3', 'press Escape', 'press O', 'press Down', 'press Down']) await runLine(page, keys, line);
    const volumeBefore = await page.evaluate(() => TobuSound.volume);
    await runLine(page, keys, 'press Left');
    const volumeAfter = await page.evaluate(() => TobuSound.volume);
    check('the sound\'s volume changed at once', volumeAfter < volumeBefore, `${volumeBefore} to ${volumeAfter}`);
    check('tobu.ini keeps the options card\'s change', /^volume = 90$/m.test(await ini()) && /^plus = on$/m.test(await ini()));
    await page.evaluate(() => TobuPage.filesSaved());
    await page.reload();
    await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
    await replay(page, keys, folder, ['press X', 'press O', 'shot options.bmp', 'press Escape'], 'options kept');
    const painting = await page.evaluate(() => {
      const at = performance.now();
      const sheets = [];
      for (let i = 0; i < 15; i++) {
        const size = Module._tobu_theme_sheet_size(i);
        sheets.push(Array.from(HEAPU8.subarray(Module._tobu_theme_sheet(i), Module._tobu_theme_sheet(i) + size)));
      }
      return { sheets, ms: performance.now() - at };
    });
    console.log(`themes: fifteen sheets painted in ${Math.round(painting.ms)} ms`);
    const names = ['dusk', 'cave', 'snow'].flatMap((t) => ['sky', 'grass', 'ground', 'backdrop', 'details'].map((k) => `${t}-${k}.bmp`));
    const differing = names.filter((name, i) =>
      !Buffer.from(painting.sheets[i]).equals(fs.readFileSync(path.join(sourceDir, 'assets/sheets', name))));
    check('the painted themes are the committed sheets', differing.length === 0, differing.join(', '));
    // The HUD's panels (rows 4 to 34) write their small labels in the canvas font, which
    // the desktop reference draws from its TTF and the page from its built-in font.
    await replay(page, keys, folder, toDusk, 'plus', (row) => row < 36);
    await context.close();
  }

  // 8. The first visit as a player makes it: the bytes it downloads, its first frame; the
  // service worker keeps the files, and with the network off a reload plays.
  {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(pageUrl);
    await page.bringToFront();
    const firstFrame = await (await page.waitForFunction(() => TobuPage.firstFrameAt, { timeout: 30000 })).jsonValue();
    // The page and every file it fetched, as the network carried them.
    const downloaded = await page.evaluate(() => performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource')).reduce((sum, e) => sum + e.encodedBodySize, 0));
    console.log(`first visit: ${downloaded} bytes downloaded, first frame ${Math.round(firstFrame)} ms after ` +
                'navigation started');
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The sounds' start, the page's part apart from the platform's: from a key's handler
    // to the call that starts its sound (a menu key's in its handler, a jump's at the
    // ticks of the next animation frame), each at the context's current time with no
    // lookahead; then the context's own output latency.
    await page.keyboard.press('ArrowDown');  // the player's key lets the sound start
    await page.waitForFunction(() => TobuSound.context && TobuSound.context.state === 'running' &&
                                     TobuSound.buffers.filter(Boolean).length === 21, { timeout: 10000 });
    await page.evaluate(() => {
      const sound = TobuSound, play = sound.play, start = AudioBufferSourceNode.prototype.start;
      let key = null, ahead = null;
      // A key's first frame ends with the callback its handler asks for, which runs after
      // the game's (asked for in the frame before); its dispatch ends on the window.
      window.addEventListener('keydown', () => {
        const now = { at: performance.now(), handled: false, framed: false };
        requestAnimationFrame(() => { now.framed = true; });
        key = now;
      }, true);
      window.addEventListener('keydown', () => { if (key) key.handled = true; });
      window.soundStarts = [];
      AudioBufferSourceNode.prototype.start = function (when) {
        if (ahead === null) ahead = Math.max(0, (when || 0) - this.context.currentTime);
        return start.apply(this, arguments);
      };
      sound.play = function (index) {
        const at = performance.now();
        ahead = null;
        play.apply(sound, arguments);
        if (key) {
          soundStarts.push({ index, lift: arguments[1], ms: at - key.at, handler: !key.handled, frame: !key.framed, ahead: ahead * 1000 });
        }
        key = null;
      };
    });
    const cdp = await page.createCDPSession();
    for (const line of ['press Return', 'type a', 'press Return']) await runLine(page, cdp, line);
    const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    for (let i = 0; i < 20; i++) {
      await pause(150);
      await page.keyboard.press(i % 2 ? 'ArrowUp' : 'ArrowDown');
    }
    for (const key of ['Enter', 'Enter']) {
      await pause(150);
      await page.keyboard.press(key);  // the first level
    }
    for (let i = 0; i < 10; i++) {
      await pause(1200);  // landed again
      await page.keyboard.down('Space', { text: '' });
      await pause(40);
      await page.keyboard.up('Space');
    }
    const [starts, base, output] = await page.evaluate(() => [soundStarts,
      (TobuSound.context.baseLatency || 0) * 1000, (TobuSound.context.outputLatency || 0) * 1000]);
    const figures = (list) => {
      const ms = list.map((s) => s.ms).sort((x, y) => x - y);
      return ms.length ? `n = ${ms.length}, min ${ms[0].toFixed(1)}, median ` +
        `${ms[Math.floor((ms.length - 1) / 2)].toFixed(1)}, max ${ms[ms.length - 1].toFixed(1)} ms` : 'none';
    };
    const moves = starts.filter((s) => s.index === 8), jumps = starts.filter((s) => s.index === 0);
    console.log(`sound: menu key to its start ${figures(moves)}; jump key to its start ${figures(jumps)}; ` +
                `then the browser's: the context's buffer ${base.toFixed(1)} ms and the output's ${output.toFixed(1)} ms`);
    check('a menu key starts its sound in its handler', moves.length === 20 && moves.every((s) => s.handler),
          JSON.stringify(moves.map((s) => s.handler)));
    check("a jump's sound starts in the first animation frame after its key",
          jumps.length === 10 && jumps.every((s) => s.frame), JSON.stringify(jumps.map((s) => s.frame)));
    check('sounds start at the current time', starts.length > 0 && starts.every((s) => s.ahead === 0),
          JSON.stringify(starts.map((s) => s.ahead)));
    // Plus lifts the jump over its music; classic plays it at its own level.
    for (const line of ['press Escape', 'press F3', 'press Escape', 'press Return']) await runLine(page, cdp, line);
    for (let i = 0; i < 3; i++) {
      await pause(1200);
      await page.keyboard.down('Space', { text: '' });
      await pause(40);
      await page.keyboard.up('Space');
    }
    const lifts = await page.evaluate(() => soundStarts.filter((s) => s.index === 0).map((s) => s.lift));
    check('the jump is lifted in plus only', lifts.length === 13 && lifts.slice(0, 10).every((l) => l === 1) &&
          lifts.slice(10).every((l) => l > 1), JSON.stringify(lifts));
    await page.setOfflineMode(true);
    await page.reload();
    const played = await page.waitForFunction(() => window.TobuPage && TobuPage.firstFrameAt, { timeout: 30000 })
      .then(() => true, () => false);
    check('a reload with the network off plays', played);
    await context.close();
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
finish();
