// What the page tests share: the reference tobu-script, the browser's keys for its
// script lines, the frames compared pixel for pixel, and the tally of checks.
//
// Every test program runs as: node PROGRAM PAGE_URL TOBU_SCRIPT SOURCE_DIR
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

export const [pageUrl, tobuScript, sourceDir] = process.argv.slice(2);
export const results = { passed: 0, failed: 0 };

export function check(name, ok, detail = '') {
  results[ok ? 'passed' : 'failed']++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
}

// tobu-script's key names as the browser's keys (puppeteer names).
export const KeyNames = { Escape: 'Escape', Return: 'Enter', Back: 'Backspace', Space: 'Space', Left: 'ArrowLeft',
                   Up: 'ArrowUp', Right: 'ArrowRight', Down: 'ArrowDown', Delete: 'Delete' };
export function browserKey(name) {
  if (KeyNames[name]) return KeyNames[name];
  if (/^F([1-9]|1[0-2])$/.test(name) || /^[0-9]$/.test(name)) return name;
  if (/^[A-Z]$/.test(name)) return name.toLowerCase();  // a small letter, as the desktop types it
  throw new Error(`no browser key for ${name}`);
}

// Runs one tobu-script line in the page: keys through the browser's own input, ticks
// through the page's test hook. `shot` and `state` belong to the reference side.
export async function runLine(page, cdp, line) {
  const words = line.trim().split(/\s+/);
  const rest = line.trim().slice(words[0].length + 1);
  switch (words[0]) {
    case 'tick': await page.evaluate((n) => Module._tobu_run_ticks(n), Number(words[1] || 1)); break;
    case 'down': await page.keyboard.down(browserKey(words[1]), { text: '' }); break;  // no character
    case 'up': await page.keyboard.up(browserKey(words[1])); break;
    case 'press': {
      const key = browserKey(words[1]);
      await page.keyboard.down(key);
      await page.keyboard.up(key);
      break;
    }
    case 'type':
      for (const character of rest) await cdp.send('Input.dispatchKeyEvent', { type: 'char', text: character });
      break;
    case 'shot': case 'state': case '': break;
    default: if (!line.startsWith('#')) throw new Error(`the web test cannot run: ${line}`);
  }
}

// A 24-bit bottom-up BMP as written by tobu-script's `shot`, as RGBA rows top-down.
export function readBmp(file) {
  const bmp = fs.readFileSync(file);
  const offset = bmp.readInt32LE(10), width = bmp.readInt32LE(18), height = bmp.readInt32LE(22);
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; y++) {
    const row = offset + (height - 1 - y) * width * 3;
    for (let x = 0; x < width; x++) {
      const at = (y * width + x) * 4;
      rgba[at] = bmp[row + x * 3 + 2];
      rgba[at + 1] = bmp[row + x * 3 + 1];
      rgba[at + 2] = bmp[row + x * 3];
      rgba[at + 3] = 255;
    }
  }
  return rgba;
}

export async function canvasPixels(page) {
  const bytes = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
  });
  return Buffer.from(bytes);
}

// `skip(row)`: rows left out of the comparison.
export async function compareFrame(page, bmpFile, name, skip = () => false) {
  const expected = readBmp(bmpFile);
  const actual = await canvasPixels(page);
  const rowBytes = fs.readFileSync(bmpFile).readInt32LE(18) * 4;
  let differing = 0;
  for (let i = 0; i < expected.length; i += 4) {
    if (!skip(Math.floor(i / rowBytes)) && expected.compare(actual, i, i + 4, i, i + 4) !== 0) differing++;
  }
  check(`frame ${name}`, differing === 0 && actual.length === expected.length,
        differing ? `${differing} pixels differ` : '');
}

// The reference: tobu-script runs `lines` in `folder`, writing each shot there.
export function reference(folder, lines) {
  const script = path.join(folder, 'reference.script');
  fs.writeFileSync(script, lines.join('\n') + '\n');
  execFileSync(tobuScript, [script], { cwd: folder, stdio: ['ignore', 'ignore', 'inherit'] });
}

// The same by the browser build's own tobu-script under Node (no TrueType font).
export function webReference(folder, lines) {
  const script = path.join(folder, 'reference.script');
  fs.writeFileSync(script, lines.join('\n') + '\n');
  return execFileSync('node', [path.join(sourceDir, 'build-web/tobu-script.js'), script],
                      { cwd: folder, encoding: 'utf8', stdio: ['ignore', 'pipe', 'inherit'] });
}

// The reference's output for `lines` run in `folder`.
export function referenceOutput(folder, lines) {
  const script = path.join(folder, 'reference.script');
  fs.writeFileSync(script, lines.join('\n') + '\n');
  return execFileSync(tobuScript, [script], { cwd: folder, encoding: 'utf8' });
}

// The files of a ustar archive: name and bytes.
export function readTar(bytes) {
  const entries = [];
  for (let at = 0; at + 512 <= bytes.length && bytes[at] !== 0;) {
    const name = bytes.subarray(at, at + 100).toString('latin1').replace(/\0.*$/s, '');
    const size = parseInt(bytes.subarray(at + 124, at + 136).toString('latin1'), 8);
    entries.push({ name, bytes: bytes.subarray(at + 512, at + 512 + size) });
    at += 512 + Math.ceil(size / 512) * 512;
  }
  return entries;
}

// Replays `lines` in the page, comparing the canvas at every shot with the reference's.
export async function replay(page, cdp, folder, lines, label, skip = () => false) {
  for (const line of lines) {
    await runLine(page, cdp, line);
    const shot = line.match(/^shot (\S+)/);
    if (shot) await compareFrame(page, path.join(folder, shot[1]), `${label} ${shot[1]}`, skip);
  }
}

// The recorded run with a shot after every tick command.
export function withShots(lines) {
  const out = [];
  let count = 0;
  for (const line of lines) {
    out.push(line);
    if (/^tick\b/.test(line)) out.push(`shot run-${String(++count).padStart(2, '0')}.bmp`);
  }
  return out;
}

export async function openPage(browser, query) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => check('no page error', false, String(error)));
  await page.goto(pageUrl + query);
  await page.waitForFunction(() => window.TobuPage && TobuPage.ready === true, { timeout: 30000 });
  return page;
}

// The browser every test program runs, its profile in `work`.
export async function launch(puppeteer, work) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${path.join(work, 'profile')}`],
  });
}

// The tally's last line, read by scripts/web-test.sh; the exit status follows it.
export function finish() {
  console.log(`${results.passed} passed, ${results.failed} failed`);
  process.exit(results.failed === 0 && results.passed > 0 ? 0 : 1);
}
