// The page in Debian's Chromium, headless, driven as a player drives it: clicks at
// device pixels (the overlap strips included) with the canvas read back, the menus, the
// stop box, the information windows, the keys, a tap, modality for every input, the
// accessibility tree, the clock after the page was frozen, the single file from disk,
// and the canvas beside the Qt build's pixels.
//   page_test.js BUILD_WEB --ratio R | --one-file | --as-qt GRAB_CLIENT
'use strict';
const { chromium } = require('../../node_modules/playwright-core');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { serve } = require('../../scripts/serve.js');
// What every front end's test expects, from the C++ tests' own header.
const header = fs.readFileSync(path.join(__dirname, '..', 'expected.h'), 'utf8');
const text = (name) => JSON.parse(header.match(new RegExp(`${name}\\[\\] = (".*");`))[1]);
const stopTexts = [text('kStopTitle'), text('kStopText'), 'ok', text('kStopOk'), text('kStopCancel')];
const clicks = [...header.matchAll(/\{(\d+), (\d+), (\d+), (\d+)\}/g)].map((m) => m.slice(1).map(Number));
if (!clicks.length) throw new Error('no clicks in expected.h');

const [build, mode, arg] = process.argv.slice(2);
let failed = 0, passed = 0;
function check(name, ok, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : ': ' + detail}`);
}
const same = (name, got, want) =>
  check(name, JSON.stringify(got) === JSON.stringify(want), `got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);

// The game's own numbers: a layout pixel x starts at device pixel round(x * ratio);
// the board is 5 x 5 cells of 50 pixels on a 48-pixel pitch.
const dev = (x, r) => Math.round(x * r);
const cellBox = (row, col) => ({ left: 48 * (col - 1), top: 48 * (row - 1), size: 50 });
// A click plays a plus: the cell and its neighbours above, below, left and right.
function played(board, { row, col }) {
  const rows = board.split('/').map((r) => [...r]);
  for (const [dr, dc] of [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1]]) {
    const r = row - 1 + dr, c = col - 1 + dc;
    if (r >= 0 && r < 5 && c >= 0 && c < 5) rows[r][c] = rows[r][c] === 'X' ? '.' : 'X';
  }
  return rows.map((r) => r.join('')).join('/');
}
const EMPTY = '...../...../...../...../.....';

async function launch() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}
// A page at a pixel ratio; with `clock`, on a clock of the test's own stopped before the
// page loads, at that time and a second.
// The page's default size shows the game at its own size, as most checks want it.
async function open(browser, url, ratio, { touch = false, width = 480, height = 360, clock = 0 } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio, hasTouch: touch });
  if (clock) { await context.clock.install({ time: clock }); await context.clock.pauseAt(clock + 1000); }
  const page = await context.newPage();
  page.on('pageerror', (e) => check('no error on the page', false, e.message));
  await page.goto(url);
  await page.waitForSelector('html[data-ready]', { state: 'attached', timeout: 10000 });
  return page;
}

// What the page shows: the board as screen readers read it, and the canvas.
const board = (page) => page.evaluate(() => [1, 2, 3, 4, 5].map((r) => [1, 2, 3, 4, 5].map((c) =>
  document.getElementById(`rc_${r}_${c}`).getAttribute('aria-pressed') === 'true' ? 'X' : '.').join('')).join('/'));
async function canvas(page) {
  const shot = await page.evaluate(() => {
    const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
    const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return { width: c.width, height: c.height, left: r.left, top: r.top, data: btoa(text) };
  });
  shot.data = Buffer.from(shot.data, 'base64');
  return shot;
}
// A canvas pixel as 0xRRGGBB.
const at = (shot, x, y) => { const i = 4 * (y * shot.width + x); return shot.data[i] << 16 | shot.data[i + 1] << 8 | shot.data[i + 2]; };
const YELLOW = 0xffff00, WHITE = 0xffffff, BLACK = 0, GREY = 0xc0c0c0;
// The board as the canvas draws it: each cell's colour at its middle.
function drawnBoard(shot, r) {
  return [1, 2, 3, 4, 5].map((row) => [1, 2, 3, 4, 5].map((col) => {
    const p = at(shot, dev(48 * (col - 1) + 25, r), dev(48 * (row - 1) + 25, r));
    return p === YELLOW ? 'X' : p === WHITE ? '.' : '?';
  }).join('')).join('/');
}
async function clickDevice(page, shot, x, y, r) {
  await page.mouse.click(shot.left + (x + 0.5) / r, shot.top + (y + 0.5) / r);
}
const attr = (page, id, name) => page.evaluate(([i, n]) => document.getElementById(i).getAttribute(n), [id, name]);
async function choose(page, ...ids) {
  for (const id of ids) await page.click('#' + id);
}
const dialogs = (page) => page.evaluate(() => document.querySelectorAll('[role=dialog],[role=alertdialog]').length);

// How many device pixels of the canvas differ from a picture (the screen's, the Qt
// build's), leaving out the captions over it, which are the browser's own text.
function differing(page, png, r) {
  return page.evaluate(async ([data, r]) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const c = document.getElementById('canvas');
    const ref = Object.assign(document.createElement('canvas'), { width: img.width, height: img.height }).getContext('2d');
    ref.drawImage(img, 0, 0);
    const want = ref.getImageData(0, 0, img.width, img.height).data, got = c.getContext('2d').getImageData(0, 0, img.width, img.height).data;
    const texts = [...document.querySelectorAll('.caption')].map((e) =>
      [e.offsetLeft * r - 1, e.offsetTop * r - 1, (e.offsetLeft + e.offsetWidth) * r + 1, (e.offsetTop + e.offsetHeight) * r + 1]);
    let n = 0;
    for (let y = 0; y < img.height; y++) for (let x = 0; x < img.width; x++) {
      if (texts.some(([l, t, rt, b]) => x >= l && x < rt && y >= t && y < b)) continue;
      const i = 4 * (y * img.width + x);
      n += want[i] !== got[i] || want[i + 1] !== got[i + 1] || want[i + 2] !== got[i + 2];
    }
    return [img.width, img.height, n];
  }, [png.toString('base64'), r]);
}

// How many canvas pixels the screen shows otherwise. The icon turns five times a second:
// a turn between the screenshot and the read-back is no fault, so the pair is taken again
// (on a loaded machine, many times); a blur would show every time.
async function onScreen(page, shot, r) {
  let seen;
  for (let i = 0; i < 20 && !(seen && seen[2] === 0); i++) {
    const screen = await page.screenshot({ clip: { x: shot.left, y: shot.top, width: shot.width / r, height: shot.height / r } });
    seen = await differing(page, screen, r);
  }
  return seen;
}

async function pixelsAndClicks(page, r) {
  let shot = await canvas(page);
  // The client area is round(242 r) x round(262 r) device pixels; the canvas may be a
  // little larger, so that CSS can give its size exactly (in 64ths of a pixel).
  const exact = (d) => Number.isInteger(d / r * 64);
  check(`the canvas holds the ${dev(242, r)} x ${dev(262, r)} client area`, shot.width >= dev(242, r) && shot.width <= dev(242, r) + 8 &&
    shot.height >= dev(262, r) && shot.height <= dev(262, r) + 8 && exact(shot.width) && exact(shot.height), `${shot.width} x ${shot.height}`);
  same('the screen shows the canvas pixel for pixel', await onScreen(page, shot, r), [shot.width, shot.height, 0]);
  // Clicks at the first and the last device pixel of layout pixels in the middles and
  // on both sides of the overlap strips.
  let want = EMPTY;
  for (const [lx, ly, row, col] of clicks) {
    for (const [x, y] of [[dev(lx, r), dev(ly, r)], [dev(lx + 1, r) - 1, dev(ly + 1, r) - 1]]) {
      await clickDevice(page, shot, x, y, r);
      want = played(want, { row, col });
    }
    same(`clicks at layout pixel ${lx},${ly} play the cell on top`, await board(page), want);
  }
  await page.mouse.click(shot.left + 24, shot.top + 24, { button: 'right' });
  await page.mouse.click(shot.left + 220, shot.top + 220, { button: 'middle' });
  same('other buttons play nothing', await board(page), want);
  shot = await canvas(page);
  same('the canvas shows the board the game holds', drawnBoard(shot, r), want);
  return want;
}

async function keysAndMarker(page, r, before) {
  await page.focus('#client');
  for (const key of ['ArrowRight', 'ArrowRight', 'Space']) await page.keyboard.press(key);
  same('the keys play the marked cell', await board(page), played(before, { row: 3, col: 4 }));
  same('the marked cell has the focus', await page.evaluate(() => document.activeElement.id), 'rc_3_4');
  const dots = async () => {
    const shot = await canvas(page);
    let n = 0;
    const y = dev(96 + 4, r);  // the marker's top edge, 4 pixels inside rc_3_4
    for (let x = dev(144 + 4, r); x < dev(144 + 46, r); x++) n += at(shot, x, y) === BLACK;
    return n;
  };
  check('the marker is drawn', (await dots()) > 5);
  const shot = await canvas(page);
  await page.mouse.down();  // anywhere on the board, the mouse hides it
  await page.mouse.move(shot.left + 1, shot.top + 300 / r);
  await page.mouse.up();
  same('a mouse button hides the marker', await dots(), 0);
}

async function stopBox(page, r) {
  const before = await board(page);
  await choose(page, 'Game');
  same('New game is greyed while a game runs', await attr(page, 'GameNew', 'aria-disabled'), 'true');
  await page.click('#GameNew', { force: true });
  same('and does nothing, the menu staying open', [await board(page), await attr(page, 'Game', 'aria-expanded')], [before, 'true']);
  const { left, top } = await canvas(page);
  await page.mouse.click(left + 120, top + 120);
  same('a click on the board only closes the open menu', [await board(page), await attr(page, 'Game', 'aria-expanded')], [before, 'false']);
  for (const [answer, how] of [['Escape', 'Escape'], ['cancel', 'Отмена']]) {
    await choose(page, 'Game', 'GameStop');
    const box = await page.evaluate(() => { const b = document.querySelector('[role=alertdialog]');
      return b && [b.querySelector('.title').textContent, b.querySelector('p').textContent, document.activeElement.id, ...[...b.querySelectorAll('button')].map((e) => e.textContent)]; });
    same('the stop box: title, text, default button, buttons', box, stopTexts);
    same('opened with the mouse, ОК shows it is the default', await page.evaluate(() =>
      ['ok', 'cancel'].map((id) => getComputedStyle(document.getElementById(id)).borderTopColor).reduce((a, b) => a !== b)), true);
    await modality(page, r, before);
    if (answer === 'Escape') await page.keyboard.press('Escape'); else await page.click('#cancel');
    same(`${how} closes it and stops nothing`, [await dialogs(page), await board(page), await attr(page, 'GameStop', 'aria-disabled')], [0, before, 'false']);
  }
  await choose(page, 'Game', 'GameStop');
  await page.keyboard.press('Enter');
  const shot = await canvas(page);
  same('OK stops the game: the cover over the board', drawnBoard(shot, r), '?????/?????/?????/?????/?????');
  same('drawn in its grey', at(shot, dev(25, r), dev(25, r)), GREY);
  same('the cover and the segments by name', await page.evaluate(() => ['Image9', 'pro1'].map((n) => document.getElementById(n).hidden)), [false, true]);
  same('the menus and what is read aloud',
    [await attr(page, 'GameNew', 'aria-disabled'), await attr(page, 'GameStop', 'aria-disabled'),
      await attr(page, 'Picture1', 'aria-label'), await page.textContent('#Time')],
    ['false', 'true', 'игра остановлена, играть в неё нельзя', '0 мин 0 с']);
  const under = await board(page);
  await clickDevice(page, shot, dev(25, r), dev(25, r), r);
  same('the cover takes clicks', [await board(page), drawnBoard(await canvas(page), r)], [under, '?????/?????/?????/?????/?????']);
  await choose(page, 'Game', 'GameNew');
  same('New game clears the board', [await board(page), drawnBoard(await canvas(page), r)], [EMPTY, EMPTY]);
}

// While a modal window is up nothing reaches the main window: a click, a key, an
// assistive tool's press, the menus.
async function modality(page, r, want, touch = false) {
  // On rc_1_1 and on Загрузить where the window, centred over the game, leaves them
  // clear; else beside both.
  const clear = (id, dx, dy) => page.evaluate(([id, dx, dy]) => {
    const d = document.querySelector('[role=dialog],[role=alertdialog]').getBoundingClientRect();
    const e = document.getElementById(id).getBoundingClientRect(), x = e.left + dx, y = e.top + dy;
    return x >= d.left && x < d.right && y >= d.top && y < d.bottom ? [2, 2] : [x, y];
  }, [id, dx, dy]);
  const spot = await clear('canvas', 25, 25);
  await page.mouse.click(...spot);
  await page.keyboard.press('ArrowDown');
  await page.evaluate(() => document.getElementById('rc_3_3').click());
  if (touch) await page.touchscreen.tap(...spot);
  await page.mouse.click(...await clear('Load', 5, 5));
  const { nodes } = await (await page.context().newCDPSession(page)).send('Accessibility.getFullAXTree');
  const reachable = nodes.filter((n) => !n.ignored && n.role && ['button', 'menuitem'].includes(n.role.value) &&
    !(n.name && [ 'ОК', 'Отмена'].includes(n.name.value))).length;
  same('under a modal window nothing reaches the board or the menus, nor a screen reader finds them',
    [await board(page), await attr(page, 'Load', 'aria-expanded'), reachable], [want, 'false', 0]);
}

async function loads(page, r) {
  // From the keyboard: F10, then Загрузить, then its first entry.
  await page.focus('#client');
  await page.keyboard.press('F10');
  for (const key of ['ArrowRight', 'ArrowDown', 'Enter']) await page.keyboard.press(key);
  same('F10, →, ↓, Enter loads the filled board', [await board(page), await attr(page, 'Process', 'aria-valuenow')], ['XXXXX/XXXXX/XXXXX/XXXXX/XXXXX', '13']);
  const table = [['LoadDem5', 'X..../.X.../..X../...X./....X', '2'], ['LoadDem1', 'X.X.X/.X.X./X.X.X/.X.X./X.X.X', '6']];
  for (const [id, pattern, bar] of table) {
    await choose(page, 'Load', 'LoadDem', id);
    same(`${id} loads its pattern`, [await board(page), drawnBoard(await canvas(page), r), await attr(page, 'Process', 'aria-valuenow')], [pattern, pattern, bar]);
  }
  same('a loaded pattern reads as such', await attr(page, 'Picture1', 'aria-label'), 'игра приостановлена, загружен узор');
  // A menu closes as its window loses the focus; one opened by hovering hands over to the
  // next on →, as on the desktop.
  const expanded = () => Promise.all(['Game', 'Load', 'Help'].map((id) => attr(page, id, 'aria-expanded')));
  await page.click('#Game');
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  same('the window losing the focus closes the menu', await expanded(), ['false', 'false', 'false']);
  await page.click('#Game');
  await page.hover('#Load');
  await page.keyboard.press('ArrowRight');
  same('hovered to Загрузить, → opens Справка alone', await expanded(), ['false', 'false', 'true']);
  await page.keyboard.press('Escape');
}

async function infoWindows(page, r, touch) {
  const before = await board(page);
  for (const [id, caption, how] of [['HelpHowToPlay', 'Как играть', 'click'], ['HelpPro', 'Возможности программы', 'click'], ['HelpAuhtor', 'О Brindle', 'Escape']]) {
    await choose(page, 'Help', id);
    const seen = await page.evaluate(() => {
      const d = document.querySelector('[role=dialog]');
      return d && [d.querySelector('.title').textContent, d.textContent.includes('Quorvane Brindle (версия 1.0)'), !!d.querySelector('.line'), d.querySelectorAll('canvas').length > 0];
    });
    same(`${id} opens its window: caption, heading, rule, pictures`, seen, [caption, true, true, true]);
    await modality(page, r, before, touch);
    const middle = await page.evaluate(() => { const b = document.querySelector('[role=dialog]').getBoundingClientRect(); return [b.x + b.width / 2, b.y + b.height / 2]; });
    await page.mouse.click(...middle, { button: 'right' });
    await page.click('[role=dialog] .title');
    same('a right click, and a click on its title strip, leave it open', await dialogs(page), 1);
    if (!touch) {
      // Tab has nowhere to go but the window, so Escape still reaches it.
      for (const key of ['Tab', 'Shift+Tab']) await page.keyboard.press(key);
      same('Tab and Shift+Tab keep the focus in the window', await page.evaluate(() => !!document.activeElement.closest('[role=dialog]')), true);
      // A press dragged out and released ends there; a press outside released inside is no click.
      for (const [from, to] of [[middle, [2, 2]], [[2, 2], middle]]) {
        await page.mouse.move(...from); await page.mouse.down(); await page.mouse.move(...to); await page.mouse.up();
      }
      same('presses that start or end outside leave it open', await dialogs(page), 1);
    }
    if (how === 'click') await page.mouse.click(...middle); else await page.keyboard.press('Escape');
    same(`a ${how} closes it`, [await dialogs(page), await board(page)], [0, before]);
  }
}

async function accessibility(page) {
  const client = await page.context().newCDPSession(page);
  const { nodes } = await client.send('Accessibility.getFullAXTree');
  const named = (role) => nodes.filter((n) => !n.ignored && n.role && n.role.value === role).map((n) => n.name && n.name.value);
  const cells = nodes.filter((n) => !n.ignored && n.role && n.role.value === 'button' && n.properties && n.properties.some((p) => p.name === 'pressed'));
  same('25 cells are toggle buttons', cells.length, 25);
  const rowByRow = [1, 2, 3, 4, 5].flatMap((r) => [1, 2, 3, 4, 5].map((c) => `Ряд ${r}, столбец ${c}`));
  same('named by their places, read row by row from the top left', cells.map((n) => n.name.value), rowByRow);
  same('the bar', named('progressbar'), ['Заполнение поля']);
  same('the clock', named('timer'), ['Время игры']);
  same('the icon', named('image'), ['игра работает и можно в неё играть']);
  same('the menu bar', named('menuitem').slice(0, 3), ['Игра', 'Загрузить', 'Справка']);
  same('the window\'s caption, a heading', named('heading'), ['Quorvane Brindle']);
}

// The game stands in a framed window centred on the page, its canvas on a whole device
// pixel, however the page is sized. It is shown as large as the page allows: the window
// is 242 layout pixels wide and 306 high with its caption and menus, and with a margin
// of 16 CSS pixels all round it takes the largest eighth of a step that fits, from 1 to
// 3 times its size. The page says what it is.
async function framed(page, r) {
  const placed = () => page.evaluate(() => {
    const w = document.getElementById('window').getBoundingClientRect(), c = document.getElementById('canvas').getBoundingClientRect();
    return [w.left + w.width / 2 - innerWidth / 2, w.top + w.height / 2 - innerHeight / 2, c.left, c.top, c.width];
  });
  const before = await page.viewportSize();
  for (const [width, height, zoom] of [[800, 600, 1.75], [1280, 800, 2.5], [1001, 667, 2], [2000, 1600, 3]]) {
    await page.setViewportSize({ width, height });
    // The page hears of the new size by the next frame.
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    const [dx, dy, left, top, cssWidth] = await placed();
    // Whole device pixels lie every few CSS pixels at a fractional ratio: 4 at 1.25.
    check(`at ${width} x ${height} the window is centred`, Math.abs(dx) <= 4 && Math.abs(dy) <= 4, `${dx}, ${dy} off`);
    same(`at ${width} x ${height} the canvas starts on a device pixel`, [left * r % 1, top * r % 1], [0, 0]);
    check(`at ${width} x ${height} the game is ${zoom} times its size`, Math.abs(cssWidth * r - dev(242 * zoom, r)) <= 8, `${cssWidth} CSS pixels wide`);
  }
  await page.setViewportSize(before);
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  // Twice its size, on a stopped clock, so that the icon stands still while the screen
  // and the canvas are compared.
  const big = await open(page.context().browser(), page.url(), r, { width: 1001, height: 667, clock: Date.now() });
  const shot = await canvas(big);
  same('twice its size, the screen shows the canvas pixel for pixel', await onScreen(big, shot, r), [shot.width, shot.height, 0]);
  await clickDevice(big, shot, dev(2 * (48 * 2 + 25), r), dev(2 * (48 + 25), r), r);
  same('twice its size, a click plays the cell under it', await board(big), played(EMPTY, { row: 2, col: 3 }));
  await big.context().close();
  same('the page has a title and a description', await page.evaluate(() => [document.title, document.querySelector('meta[name=description]').content.length > 40]), ['Quorvane Brindle', true]);
}

// Where the page's memory grows as an information window opens (a large ratio, a fresh
// page), its picture is drawn all the same and the page goes on; on a narrow screen the
// widest windows can be scrolled into view whole.
async function largeAndNarrow(browser, url) {
  const page = await open(browser, url, 8);
  const drawn = [];
  for (const id of ['HelpHowToPlay', 'HelpPro', 'HelpAuhtor']) {
    await choose(page, 'Help', id);
    drawn.push(await page.evaluate(() => [...document.querySelectorAll('[role=dialog] canvas')].every((c) => c.getContext('2d').getImageData(0, 0, c.width, c.height).data.some((v) => v !== 0))));
    await page.keyboard.press('Escape');
  }
  same('at ratio 8 every picture is drawn and every window closes', [drawn, await dialogs(page)], [[true, true, true], 0]);
  await page.context().close();
  const small = await open(browser, url, 1, { width: 320, height: 480 });
  for (const id of ['HelpHowToPlay', 'HelpPro']) {
    await choose(small, 'Help', id);
    const [left, width, room] = await small.evaluate(() => { const d = document.querySelector('[role=dialog]'), b = d.getBoundingClientRect(); return [b.left, b.width, d.parentElement.scrollWidth]; });
    check(`at 320 px ${id} starts on the screen and scrolls into view whole`, left >= 0 && room >= width, `left ${left}, width ${width}, room ${room}`);
    await small.keyboard.press('Escape');
  }
  await small.context().close();
}

// On a phone (390 x 844 CSS pixels at ratio 3) the game is 1.375 times its size: texts
// of 11 points, cells of 66 CSS pixels; a tap plays the cell under it.
async function phone(browser, url) {
  const page = await open(browser, url, 3, { touch: true, width: 390, height: 844, clock: Date.now() });
  const sizes = await page.evaluate(() => [parseFloat(getComputedStyle(document.getElementById('Label1')).fontSize),
    parseFloat(getComputedStyle(document.getElementById('Game')).fontSize), document.getElementById('rc_3_3').getBoundingClientRect().width]);
  check('on a phone the texts are legible and the cells easy taps', sizes[0] >= 14.6 && sizes[1] >= 14.6 && sizes[2] >= 66, JSON.stringify(sizes));
  const shot = await canvas(page);
  same('on a phone the canvas is crisp', await onScreen(page, shot, 3), [shot.width, shot.height, 0]);
  await page.touchscreen.tap(shot.left + (48 * 4 + 25) * 1.375, shot.top + (25 * 1.375));
  same('on a phone a tap plays the cell under it', await board(page), played(EMPTY, { row: 1, col: 5 }));
  await page.context().close();
}

// Installable, and once visited it plays with its server gone: on a server of its own,
// which the test stops.
async function installableAndOffline(browser, site) {
  const server = await serve(site);
  const page = await open(browser, `http://127.0.0.1:${server.address().port}/`, 1);
  const cdp = await page.context().newCDPSession(page);
  // The test's browser contexts are private ones, which never install: that one error
  // is the automation's, not the page's.
  const errors = (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors.map((e) => e.errorId);
  same('Chromium finds it installable', errors.filter((e) => e !== 'in-incognito'), []);
  same('its worker runs', await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then((r) => !!r.active),
    new Promise((done) => setTimeout(() => done(false), 5000))])), true);
  await new Promise((done) => { server.close(done); server.closeAllConnections(); });
  await page.reload();
  await page.waitForSelector('html[data-ready]', { state: 'attached', timeout: 10000 });
  const shot = await canvas(page);
  await page.mouse.click(shot.left + 120, shot.top + 120);
  same('with the server gone it starts and plays', await board(page), played(EMPTY, { row: 3, col: 3 }));
  await page.context().close();
}

// Each finger is a pointer of its own: lifted in either order, each plays its cell.
async function twoFingers(page) {
  const [before, shot, cdp] = [await board(page), await canvas(page), await page.context().newCDPSession(page)];
  const a = { x: shot.left + 25, y: shot.top + 25, id: 1 }, b = { x: shot.left + 217, y: shot.top + 217, id: 2 };
  const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
  for (const [type, points] of [['touchStart', [a]], ['touchStart', [a, b]], ['touchEnd', [a]]]) await touch(type, points);
  const first = await board(page);  // the first finger lifted
  await touch('touchEnd', [b]);
  const one = played(before, { row: 1, col: 1 });
  same('two fingers, the first lifted first, play both cells', [first, await board(page)], [one, played(one, { row: 5, col: 5 })]);
}

// Ticks that come late or not at all: the clock shows the time that really passed. The
// page runs on a clock of the test's own, stopped before the page loads; it jumps 5 s at
// once and fires a due timer once, as a page frozen for 5 s and thawed does.
async function catchUp(browser, url) {
  const page = await open(browser, url, 1, { clock: Date.parse('2026-01-01T12:00:00Z') });
  const seconds = async () => { const [m, sec] = (await page.textContent('#Time')).match(/\d+/g).map(Number); return 60 * m + sec; };
  await page.clock.runFor(2000);
  same('two seconds on time', await seconds(), 2);
  await page.clock.fastForward(5000);
  same('then five at once, with one tick', await seconds(), 7);
  // A tab shown again ticks too, and never runs the clock ahead.
  await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
  same('a shown tab adds no second', await seconds(), 7);
  await page.context().close();
}

async function asQt(browser, url) {
  const states = [['LoadFull'], ['LoadDem3'], ['GameStop']];
  for (let i = 1; i <= 15; i++) states.push(['LoadDem' + i]);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-qt-'));
  for (const state of states) {
    const png = path.join(dir, state.join('-') + '.png');
    execFileSync(arg, [png, ...state], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'ignore' });
    const page = await open(browser, url, 1);
    const menu = { LoadFull: ['Load'], GameStop: ['Game'] }[state[0]] || ['Load', 'LoadDem'];
    await choose(page, ...menu, state[0]);
    if (state[0] === 'GameStop') await page.click('#ok');
    const differ = await differing(page, fs.readFileSync(png), 1);
    same(`${state[0]}: the canvas is the Qt build's pixels`, differ, [242, 262, 0]);
    await page.context().close();
  }
  fs.rmSync(dir, { recursive: true });
}

(async () => {
  const browser = await launch();
  const server = await serve(path.join(build, 'site'));  // on a port of this run's own
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    if (mode === '--ratio') {
      const r = Number(arg);
      const page = await open(browser, url, r);
      await accessibility(page);
      await framed(page, r);
      const after = await pixelsAndClicks(page, r);
      await keysAndMarker(page, r, after);
      await stopBox(page, r);
      await loads(page, r);
      await infoWindows(page, r, false);
      const touch = await open(browser, url, r, { touch: true });
      const shot = await canvas(touch);
      await touch.touchscreen.tap(shot.left + 120, shot.top + 120);
      same('a tap plays the cell under it', await board(touch), played(EMPTY, { row: 3, col: 3 }));
      await twoFingers(touch);
      await infoWindows(touch, r, true);
      if (r === 1) {
        await catchUp(browser, url);
        await largeAndNarrow(browser, url);
        await installableAndOffline(browser, path.join(build, 'site'));
        await phone(browser, url);
      }
    } else if (mode === '--one-file') {
      const page = await browser.newPage();
      const asked = [];
      page.on('request', (q) => asked.push(q.url()));
      const file = 'file://' + path.resolve(build, 'brindle.html');
      await page.goto(file);
      await page.waitForSelector('html[data-ready]', { state: 'attached', timeout: 10000 });
      await page.mouse.click(...await page.evaluate(() => { const b = document.getElementById('rc_3_3').getBoundingClientRect(); return [b.x + b.width / 2, b.y + b.height / 2]; }));
      same('brindle.html plays from disk', await board(page), played(EMPTY, { row: 3, col: 3 }));
      same('and asks for nothing beside itself', asked.filter((u) => !u.startsWith('data:')), [file]);
      // The server the README offers for a quick look answers a bad request with 400 and
      // goes on: each bad request, then a good one.
      const status = (p) => new Promise((resolve) => http.get(url + p.slice(1), (q) => { q.resume(); resolve(q.statusCode); }).on('error', (e) => resolve(e.code)));
      for (const [p, want] of [['/%E0%A4%A', 400], ['/index.html%00.png', 400], ['/', 200], ['/%2e%2e/%2e%2e/etc/passwd', 404]]) {
        same(`the server answers ${p}`, await status(p), want);
      }
    } else if (mode === '--as-qt') {
      await asQt(browser, url);
    } else {
      check(`a known mode (${mode})`, false);
    }
  } catch (e) {
    check('the run ends', false, e.stack);
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed || !passed ? 1 : 0);
})();
