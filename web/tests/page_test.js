// End-to-end test of a program's page in the system's headless Chromium:
//   node page_test.js PROGRAM PAGES-DIR REFERENCE.png OUT-DIR
// serves PAGES-DIR (build-web/web), opens PROGRAM's page with a fixed seed,
// compares its first frames with the desktop build's (REFERENCE.png, same
// seed), clicks, checks the program's answer and its log, then ends it with
// Escape. Screenshots go to OUT-DIR. Exit status 0 when every check passes.
'use strict';
const fs = require('fs');
const path = require('path');
const { region, differs, spread, decode: decodeIn, serve, launch, sleep } = require('./pages');

const [program, pagesDir, referencePath, outDir] = process.argv.slice(2);
const seed = 1234;

// What each program shows and how it answers a click (screen pixels of the
// program's drawing surface, origin top left).
const programs = {
  quadrivolant: {
    size: [800, 480],
    // The 3 by 3 tiles: drawn over everything that moves behind them and
    // unchanged until a move, so every early frame shows them as the first.
    compare: { x: 60, y: 60, w: 360, h: 360 },
    // The arrow above the middle column turns it upwards, one place per
    // turn (a held press turns it again after a sixth of a second). Presses
    // count once the opening static is over (the game ignores the first 50
    // passes): until then the small picture changes from frame to frame.
    click: [240, 30],
    settled: (a, b) => !differs(region(a, 540, 150, 180, 180), region(b, 540, 150, 180, 180)),
    changed: (before, now) => differs(region(now, 180, 60, 120, 360), region(before, 180, 60, 120, 360)),
    answered: (before, after) => {
      const tile = (img, column, row) => region(img, 60 + 120 * column, 60 + 120 * row, 120, 120);
      for (let row = 0; row < 3; ++row)
        for (const column of [0, 2])
          if (differs(tile(after, column, row), tile(before, column, row))) return `column ${column} changed`;
      const turnedBy = (k) => [0, 1, 2].every((row) => !differs(tile(after, 1, row), tile(before, 1, (row + k) % 3)));
      return turnedBy(1) || turnedBy(2) ? null : 'the middle column is not its tiles turned upwards';
    },
  },
  wayfarer: {
    size: [640, 480],
    compare: { x: 0, y: 0, w: 640, h: 480 },
    // A click on the grass cell (10, 7), 32 pixels a side, plants the goal's
    // flag there: the cell no longer looks as it did before the click.
    click: [10 * 32 + 16, 7 * 32 + 16],
    changed: (before, now) => differs(region(now, 10 * 32, 7 * 32, 32, 32), region(before, 10 * 32, 7 * 32, 32, 32)),
    answered: (before, after) =>
      differs(region(after, 10 * 32, 7 * 32, 32, 32), region(before, 10 * 32, 7 * 32, 32, 32))
        ? null
        : 'no goal marker on the clicked cell',
  },
};

// --- the test ---------------------------------------------------------------

const failures = [];
function check(condition, what) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${program}: ${what}`);
  if (!condition) failures.push(what);
}

async function waitFor(page, test, what, seconds = 60, ...args) {
  try {
    await page.waitForFunction(test, { timeout: seconds * 1000, polling: 100 }, ...args);
    return true;
  } catch (e) {
    check(false, `${what} (waited ${seconds} s)`);
    return false;
  }
}

async function main() {
  const checks = programs[program];
  if (!checks) throw new Error(`no checks for the program ${program}`);
  fs.mkdirSync(outDir, { recursive: true });
  const server = await serve(path.resolve(pagesDir));
  const browser = await launch(outDir);
  try {
    const decoder = await browser.newPage();
    const decode = (unused, png) => decodeIn(decoder, png);
    const page = await browser.newPage();
    // A window as wide as the program and taller: the page scales the canvas
    // by exactly 1, so its pixels compare with the desktop build's.
    await page.setViewport({ width: checks.size[0], height: 900 });
    page.on('console', (m) => { if (m.type() === 'error') console.log(`console: ${m.text()}`); });
    const url = `http://127.0.0.1:${server.address().port}/${program}/?seed=${seed}`;
    const started = Date.now();
    await page.goto(url);
    if (!await waitFor(page, () => document.getElementById('status').textContent === 'Click to start',
                       'the page loads and offers to start')) return;
    console.log(`     ${program}: loaded in ${Date.now() - started} ms`);
    await page.click('#overlay');

    const [width, height] = checks.size;
    if (!await waitFor(page, (w, h) => {
      const c = document.getElementById('canvas');
      return c.width === w && c.height === h && document.getElementById('log').textContent.includes('Init Finalized');
    }, `the program starts and its canvas is ${width} by ${height}`, 60, width, height)) return;
    await sleep(1500);
    const canvas = await page.$('#canvas');
    const firstPng = await canvas.screenshot();
    fs.writeFileSync(path.join(outDir, `${program}-first.png`), firstPng);
    const first = await decode(browser, firstPng);
    const reference = await decode(browser, fs.readFileSync(referencePath));
    check(first.width === width && first.height === height, `the canvas shows ${width} by ${height} pixels`);
    const r = checks.compare;
    const mine = region(first, r.x, r.y, r.w, r.h);
    check(spread(mine) > 40, 'the frame is drawn (not blank)');
    check(!differs(mine, region(reference, r.x, r.y, r.w, r.h)),
          `the frame matches the desktop build's for seed ${seed} (${r.w} by ${r.h} at ${r.x},${r.y})`);

    if (checks.settled) {
      const since = Date.now();
      let shot = await decode(browser, await canvas.screenshot());
      for (;;) {
        await sleep(300);
        const next = await decode(browser, await canvas.screenshot());
        if (checks.settled(shot, next) || Date.now() - since > 60000) break;
        shot = next;
      }
      console.log(`     ${program}: the opening was over after ${Date.now() - since} ms more`);
    }

    // A click: the press held for 120 ms. Where the frames come slowly (a
    // software renderer on a busy machine) a press may fall between two of
    // them; a player then clicks again, and so does the test, up to 3 times.
    const box = await canvas.boundingBox();
    await page.mouse.move(box.x + checks.click[0], box.y + checks.click[1]);
    for (let attempt = 1; attempt <= 3; ++attempt) {
      await page.mouse.down();
      await sleep(120);
      await page.mouse.up();
      await sleep(800);
      if (checks.changed(first, await decode(browser, await canvas.screenshot()))) break;
      console.log(`     ${program}: click ${attempt} not seen yet`);
    }
    await page.mouse.move(box.x + width - 5, box.y + height - 5);
    await sleep(1000);
    const afterPng = await canvas.screenshot();
    fs.writeFileSync(path.join(outDir, `${program}-click.png`), afterPng);
    await page.screenshot({ path: path.join(outDir, `${program}-page.png`) });
    const problem = checks.answered(first, await decode(browser, afterPng));
    check(!problem, `a click answers${problem ? ': ' + problem : ''}`);

    // Another tab in front hides the page: the program pauses until it is back.
    const other = await browser.newPage();
    await other.bringToFront();
    await waitFor(page, () => document.getElementById('log').textContent.includes('pause loop in showscreen'),
                  'hiding the page pauses the program', 15);
    await other.close();
    await page.bringToFront();
    await page.focus('#canvas');
    await waitFor(page, () => {
      const log = document.getElementById('log').textContent;
      return log.split('pause loop in showscreen').length === log.split('pause loop ended').length;
    }, 'showing the page again resumes the program', 15);

    // Escape, held as long as a click.
    await page.keyboard.down('Escape');
    await sleep(120);
    await page.keyboard.up('Escape');
    await waitFor(page, () => document.getElementById('status').textContent.startsWith('The program has ended'),
                  'Escape ends the program and the page says so', 15);
    await sleep(600);
    const log = await page.$eval('#log', (e) => e.textContent);
    const output = await page.$eval('#output', (e) => e.textContent);
    fs.writeFileSync(path.join(outDir, `${program}-ErrorLog.txt`), log);
    fs.writeFileSync(path.join(outDir, `${program}-output.txt`), output);
    check(log.startsWith('Start new log...\n') && log.endsWith('mvn is shut down\n'),
          'the log runs from "Start new log..." to "mvn is shut down"');
    const errors = (log + output).split('\n').filter((line) => line.startsWith('error:'));
    check(errors.length === 0, `no "error:" line${errors.length ? ': ' + errors.join(' | ') : ''}`);
    check(await page.$('#overlay button') !== null, 'the page offers a restart');
  } finally {
    await browser.close();
    server.close();
  }
}

main().then(() => {
  if (failures.length) {
    console.log(`${program}: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log(`${program}: every check passed`);
}, (error) => {
  console.log(`${program}: ${error.stack || error}`);
  process.exit(1);
});
