// The pages on phones, narrow windows and high-DPI displays, in the system's
// headless Chromium:
//   node viewport_test.js PAGES-DIR OUT-DIR PROGRAM...
// For each program and each screen below: the start box has the program's
// shape, the whole canvas is on the page without scrolling and fills it in
// the limiting direction; taps (clicks on the desktop) on each of the game's
// twelve arrows turn the right row or column and leave no arrow lit; a tap on
// a Wayfarer cell walks there; the console holds no error and no warning.
// On the upright phone, a hidden page (and a paused program) has its sound
// suspended and a shown one playing again. Screenshots of the phone views go to OUT-DIR.
'use strict';
const fs = require('fs');
const path = require('path');
const { region, decode, serve, launch, sleep } = require('./pages');

const [pagesDir, outDir, ...programNames] = process.argv.slice(2);
const seed = 1234;

const screens = [
  { name: 'phone-upright', width: 390, height: 844, scale: 3, touch: true },
  { name: 'phone-sideways', width: 844, height: 390, scale: 3, touch: true },
  { name: 'window-700x500', width: 700, height: 500, scale: 1 },
  { name: 'laptop-1366x768', width: 1366, height: 768, scale: 1 },
  { name: 'desktop-1920x1080', width: 1920, height: 1080, scale: 1 },
  { name: 'hidpi-1440x900', width: 1440, height: 900, scale: 2 },
];
// How far the canvas may fall short of the page in the limiting direction.
const fillTolerance = 4;

// The program's pixels are read back at a quarter of the program's size: the
// browser's own averaging then hides how each scale resamples a tile at each
// place, and the shots are quick. Two areas show the same thing when their
// channels differ by less than 8 on average; different tiles or an arrow lit
// against one unlit differ by several times that.
const shrink = 4;
function area(img, x, y, w, h) {
  const q = (v) => Math.round(v / shrink);
  return region(img, q(x), q(y), q(w), q(h));
}
function differs(a, b) {
  let sum = 0;
  for (let i = 0; i < a.data.length; i += 4)
    for (let c = 0; c < 3; ++c) sum += Math.abs(a.data[i + c] - b.data[i + c]);
  return sum / (a.width * a.height * 3) >= 8;
}

// The game's arrows (program pixels): the 60-pixel buttons above and below
// each column of the 3 by 3 grid (tiles of 120 from 60, 60) and beside each
// row, and how a press on each moves the tiles: the tile now at (column, row)
// is the one that was at from(column, row).
const tile = (img, column, row) => area(img, 60 + 120 * column, 60 + 120 * row, 120, 120);
const arrows = [];
for (let i = 0; i < 3; ++i) {
  const centre = 120 + 120 * i;
  arrows.push({ name: `up ${i}`, at: [centre, 30], line: { column: i }, from: (c, r) => [c, (r + 1) % 3] });
  arrows.push({ name: `down ${i}`, at: [centre, 450], line: { column: i }, from: (c, r) => [c, (r + 2) % 3] });
  arrows.push({ name: `left ${i}`, at: [30, centre], line: { row: i }, from: (c, r) => [(c + 1) % 3, r] });
  arrows.push({ name: `right ${i}`, at: [450, centre], line: { row: i }, from: (c, r) => [(c + 2) % 3, r] });
}
// The middle of an arrow's disc, which is lit when the pointer is on it.
const arrowArea = ({ at: [x, y] }) => [x - 16, y - 16, 32, 32];

// What went wrong with a press on the arrow: null when the tiles of its line
// moved as it says and every other tile stayed.
function turnProblem(arrow, before, after) {
  for (let row = 0; row < 3; ++row) {
    for (let column = 0; column < 3; ++column) {
      const onLine = arrow.line.column === column || arrow.line.row === row;
      const [c, r] = onLine ? arrow.from(column, row) : [column, row];
      if (differs(tile(after, column, row), tile(before, c, r)))
        return onLine ? `tile ${column},${row} is not the one from ${c},${r}` : `tile ${column},${row} moved`;
    }
  }
  return null;
}

const failures = [];
function check(condition, what) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
  if (!condition) failures.push(what);
  return condition;
}

async function waitFor(page, test, what, seconds, ...args) {
  try {
    await page.waitForFunction(test, { timeout: seconds * 1000, polling: 100 }, ...args);
    return true;
  } catch (e) {
    return check(false, `${what} (waited ${seconds} s)`);
  }
}

// One program on one screen.
async function visit(browser, decoder, base, program, screen) {
  const label = `${program} on ${screen.name} (${screen.width}x${screen.height} at ${screen.scale}x${screen.touch ? ', touch' : ''})`;
  const page = await browser.newPage();
  const complaints = [];
  page.on('console', (m) => {
    if (['error', 'warn', 'warning', 'assert'].includes(m.type())) complaints.push(`${m.type()}: ${m.text()}`);
  });
  page.on('pageerror', (e) => complaints.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => complaints.push(`request failed: ${r.url()}`));
  if (program === 'wayfarer') {
    // Wayfarer says where it walks (on the page's output) with WAYFARER_TRACE
    // set: the page's Module gets it before the program's environment is made.
    await page.evaluateOnNewDocument(() => {
      let module;
      Object.defineProperty(window, 'Module', {
        configurable: true,
        get: () => module,
        set: (value) => {
          module = value;
          module.preRun.push(() => { module.ENV.WAYFARER_TRACE = '1'; });
        },
      });
    });
  }
  await page.setViewport({ width: screen.width, height: screen.height, deviceScaleFactor: screen.scale,
                           isMobile: !!screen.touch, hasTouch: !!screen.touch });
  await page.goto(`${base}/${program}/?seed=${seed}`);
  const offer = screen.touch ? 'Tap to start' : 'Click to start';
  if (!await waitFor(page, (text) => document.getElementById('status').textContent === text,
                     `${label}: the page loads and says "${offer}"`, 60, offer)) return page.close();
  const hint = await page.$eval('#hint', (e) => e.textContent);
  check(screen.touch ? hint === '' : hint.includes('Escape'), `${label}: ${screen.touch ? 'no' : 'the'} Escape hint`);

  // The layout, before the start and once the program runs.
  const layout = () => page.evaluate(() => {
    const box = document.getElementById('stage').getBoundingClientRect();
    const c = document.getElementById('canvas');
    return { x: box.x, y: box.y, w: box.width, h: box.height, program: [c.width, c.height],
             page: [document.documentElement.clientWidth, document.documentElement.clientHeight],
             scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight,
                      scrollX, scrollY] };
  });
  const size = program === 'quadrivolant' ? [800, 480] : [640, 480];
  const fits = (l, when) => {
    const [pw, ph] = l.page;
    const shown = l.x >= 0 && l.y >= 0 && l.x + l.w <= pw + 0.5 && l.y + l.h <= ph + 0.5;
    const noScroll = l.scroll[0] <= pw && l.scroll[1] <= ph && l.scroll[2] === 0 && l.scroll[3] === 0;
    const shape = Math.abs(l.w / l.h - size[0] / size[1]) < 0.01;
    const fill = Math.abs(pw - l.w) <= fillTolerance || Math.abs(ph - l.h) <= fillTolerance;
    check(shown && noScroll && shape && fill,
          `${label}: ${when}, the canvas (${l.w.toFixed(1)}x${l.h.toFixed(1)} at ${l.x.toFixed(1)},${l.y.toFixed(1)}) ` +
          `is whole on the ${pw}x${ph} page without scrolling, has the program's shape and fills the page ` +
          `within ${fillTolerance} px`);
  };
  fits(await layout(), 'before the start');

  const press = async (x, y) => {  // page coordinates
    if (screen.touch) {
      await page.touchscreen.tap(x, y);
    } else {
      await page.mouse.click(x, y);
      // Then, a moment later, off the canvas to a corner of the page it does
      // not cover.
      await sleep(250);
      const l = await layout();
      const [pw, ph] = l.page;
      const corner = [[1, 1], [pw - 2, 1], [1, ph - 2], [pw - 2, ph - 2]].find(
        ([cx, cy]) => cx < l.x || cx > l.x + l.w || cy < l.y || cy > l.y + l.h);
      await page.mouse.move(corner[0], corner[1]);
    }
  };
  const box = await page.$eval('#overlay', (e) => { const b = e.getBoundingClientRect(); return [b.x, b.y, b.width, b.height]; });
  if (screen.touch) await page.touchscreen.tap(box[0] + box[2] / 2, box[1] + box[3] / 2);
  else await page.mouse.click(box[0] + box[2] / 2, box[1] + box[3] / 2);
  if (!await waitFor(page, (w, h) => {
    const c = document.getElementById('canvas');
    return c.width === w && c.height === h && document.getElementById('log').textContent.includes('Init Finalized');
  }, `${label}: the program starts`, 60, ...size)) return page.close();
  await sleep(500);
  const l = await layout();
  fits(l, 'running');

  // The program's pixels, read back from the page at the program's size.
  const cdp = await page.createCDPSession();
  const toPage = ([x, y]) => [l.x + (x + 0.5) * l.w / size[0], l.y + (y + 0.5) * l.h / size[1]];
  const shot = async () => {
    const { data } = await cdp.send('Page.captureScreenshot', {
      format: 'png', captureBeyondViewport: false,
      clip: { x: l.x, y: l.y, width: l.w, height: l.h, scale: size[0] / shrink / l.w } });
    const img = await decoder(Buffer.from(data, 'base64'));
    if (img.width !== size[0] / shrink || img.height !== size[1] / shrink)
      throw new Error(`a shot of ${img.width}x${img.height}`);
    return img;
  };

  if (program === 'quadrivolant') {
    // The opening static is over when the small picture stays as it is for
    // a second and a half (on a busy machine frames may come seconds apart).
    let before = await shot();
    for (let since = Date.now(), stableSince = Date.now(); Date.now() - since < 60000;) {
      await sleep(300);
      const next = await shot();
      if (differs(area(next, 540, 150, 180, 180), area(before, 540, 150, 180, 180))) stableSince = Date.now();
      before = next;
      if (Date.now() - stableSince >= 1500) break;
    }
    const unlit = before;  // no pointer on any arrow yet
    let turned = 0, lit = [];
    for (const arrow of arrows) {
      // The turn shows within a few frames. The game takes no press for ten
      // frames after a turn: where the frames come slowly (a software
      // renderer on a busy machine) a tap may fall in them and change
      // nothing; a player then taps again, and so does the test, up to 3
      // times. The pointer leaves a quarter of a second after the tap: the
      // arrows are unlit a few frames later.
      const moved = (img) => [0, 1, 2].some((r) => [0, 1, 2].some((c) => differs(tile(img, c, r), tile(before, c, r))));
      const litIn = (img) => arrows.filter((a) => differs(area(img, ...arrowArea(a)), area(unlit, ...arrowArea(a))));
      let after = before;
      for (let attempt = 1; attempt <= 3 && !moved(after); ++attempt) {
        if (attempt > 1) console.log(`     ${label}: ${arrow.name}: tap ${attempt - 1} changed nothing`);
        await press(...toPage(arrow.at));
        for (const since = Date.now(); Date.now() - since < 5000;) {
          await sleep(200);
          after = await shot();
          if (moved(after)) break;
        }
      }
      for (const since = Date.now(); litIn(after).length && Date.now() - since < 3000;) {
        await sleep(200);
        after = await shot();
      }
      const problem = moved(after) ? turnProblem(arrow, before, after) : 'three taps changed nothing';
      if (problem) console.log(`     ${label}: ${arrow.name}: ${problem}`);
      else ++turned;
      const litNow = litIn(after);
      if (litNow.length) lit.push(`after ${arrow.name}: ${litNow.map((a) => a.name).join(', ')}`);
      before = after;
    }
    check(turned === arrows.length, `${label}: each of the twelve arrows turns its row or column (${turned} did)`);
    check(lit.length === 0, `${label}: no arrow stays lit${lit.length ? ': ' + lit.join('; ') : ''}`);
  } else {
    // Wayfarer: the walker stands on cell 5,7; a tap on the grass of 10,7
    // walks there.
    await waitFor(page, () => document.getElementById('output').textContent.includes('ready 5 7'),
                  `${label}: Wayfarer is ready`, 15);
    await press(...toPage([10 * 32 + 16, 7 * 32 + 16]));
    if (await waitFor(page, () => /^at 10 7$/m.test(document.getElementById('output').textContent),
                      `${label}: a tap on cell 10,7 walks there`, 15))
      check(true, `${label}: a tap on cell 10,7 walks there`);
  }

  if (screen.touch) {
    await page.screenshot({ path: path.join(outDir, `${program}-${screen.name}.png`) });
  }

  // The log opens at the bottom of the page with the canvas whole above it,
  // and closes again.
  const tapOn = (selector) => (screen.touch ? page.tap(selector) : page.click(selector));
  await tapOn('#log-open');
  await sleep(200);
  const opened = await page.evaluate(() => {
    const logs = document.getElementById('logs'), stage = document.getElementById('stage');
    const panel = logs.getBoundingClientRect(), box = stage.getBoundingClientRect();
    return { shown: !logs.hidden && panel.height > 0, clear: box.bottom <= panel.top + 0.5 && box.top >= 0,
             text: document.getElementById('log').textContent.includes('Init Finalized') };
  });
  check(opened.shown && opened.clear && opened.text,
        `${label}: the log opens below the canvas, which stays whole above it, and shows ErrorLog.txt`);
  await tapOn('#log-close');
  await sleep(200);
  fits(await layout(), 'the log closed again');

  if (screen.name === 'phone-upright') {
    // Turned sideways, the canvas fits again.
    await page.setViewport({ width: screen.height, height: screen.width, deviceScaleFactor: screen.scale,
                             isMobile: true, hasTouch: true });
    await sleep(300);
    fits(await layout(), 'turned sideways');
  }
  if (screen.name === 'phone-upright') {
    // A hidden page is silent; shown again, it plays.
    const state = () => page.evaluate(() => Module.SDL2 && Module.SDL2.audioContext && Module.SDL2.audioContext.state);
    await waitFor(page, () => Module.SDL2 && Module.SDL2.audioContext && Module.SDL2.audioContext.state === 'running',
                  `${label}: the sound plays`, 10);
    const other = await browser.newPage();
    await other.bringToFront();
    await waitFor(page, () => document.hidden && Module.SDL2.audioContext.state === 'suspended',
                  `${label}: a hidden page has its sound suspended`, 10);
    await other.close();
    await page.bringToFront();
    await waitFor(page, () => !document.hidden && Module.SDL2.audioContext.state === 'running',
                  `${label}: a page shown again has its sound playing`, 10);
    check((await state()) === 'running', `${label}: hidden, the sound was suspended; shown, it plays`);
    // A window that loses the focus pauses the program, which is silent
    // until the focus is back.
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
    await waitFor(page, () => / <pause>$/.test(document.title) && Module.SDL2.audioContext.state === 'suspended',
                  `${label}: a paused program has its sound suspended`, 10);
    await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
    await waitFor(page, () => !/<pause>/.test(document.title) && Module.SDL2.audioContext.state === 'running',
                  `${label}: the program going on has its sound playing`, 10);
    check((await state()) === 'running', `${label}: paused, the sound was suspended; going on, it plays`);
  }
  check(complaints.length === 0, `${label}: no error or warning in the console${complaints.length ? ': ' + complaints.join(' | ') : ''}`);
  await page.close();
}

async function main() {
  fs.mkdirSync(outDir, { recursive: true });
  const server = await serve(path.resolve(pagesDir));
  const browser = await launch(outDir);
  const started = Date.now();
  try {
    const decoder = await browser.newPage();
    const base = `http://127.0.0.1:${server.address().port}`;
    for (const program of programNames)
      for (const screen of screens) await visit(browser, (png) => decode(decoder, png), base, program, screen);
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`     viewports: ${((Date.now() - started) / 1000).toFixed(0)} s`);
}

main().then(() => {
  if (failures.length) {
    console.log(`viewports: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log('viewports: every check passed');
}, (error) => {
  console.log(`viewports: ${error.stack || error}`);
  process.exit(1);
});
