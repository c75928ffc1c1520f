// The page in a browser engine, driven as a player drives it: clicks at device pixels
// (the overlap strips included) with the canvas read back, the menus, the stop box, the
// information windows, the keys, a tap, modality for every input, the accessibility
// tree, the clock after the page was frozen, the single file from disk, and the canvas
// beside the Qt build's pixels. Chromium by default; what another engine's automation
// cannot do is skipped, and said.
//   page_test.js BUILD_WEB [--engine chromium|firefox|webkit] --ratio R | --one-file | --as-qt GRAB_CLIENT
'use strict';
const engines = require('./engines.js');
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

const argv = process.argv.slice(2);
const build = argv.shift();
const engineName = argv[0] === '--engine' ? argv.splice(0, 2)[1] : 'chromium';
const [mode, arg] = argv;
let failed = 0, passed = 0, skipped = 0;
let browser, can;
function check(name, ok, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : ': ' + detail}`);
}
function skip(name, why) {
  skipped++;
  console.log(`skip ${name}: ${browser.name}'s automation ${why}`);
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

// A page at a pixel ratio; with `clock`, on a clock of the test's own stopped before the
// page loads, at that time and a second.
// The page's default size shows the game at its own size, as most checks want it.
const open = (url, ratio, options) => browser.open(url, ratio, options, (e) => check('no error on the page', false, e));

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
// A click in the middle of a device pixel; where the automation clicks at whole CSS
// pixels only, at the pixel's corner if one lies there. Says whether it clicked.
async function clickDevice(page, shot, x, y, r) {
  if (can.subpixel) await page.mouse.click(shot.left + (x + 0.5) / r, shot.top + (y + 0.5) / r);
  else if (Number.isInteger(x / r) && Number.isInteger(y / r)) await page.mouse.click(shot.left + x / r, shot.top + y / r);
  else return false;
  return true;
}
const attr = (page, id, name) => page.evaluate(([i, n]) => document.getElementById(i).getAttribute(n), [id, name]);
// A control's middle, scrolled into view first as a player would.
const middle = (page, selector) => page.evaluate((s) => {
  const e = document.querySelector(s);
  e.scrollIntoView({ block: 'nearest', inline: 'nearest' });
  const b = e.getBoundingClientRect();
  return [b.x + b.width / 2, b.y + b.height / 2];
}, selector);
const clickOn = async (page, selector) => page.mouse.click(...await middle(page, selector));
async function choose(page, ...ids) {
  for (const id of ids) await clickOn(page, '#' + id);
}
const textOf = (page, id) => page.evaluate((i) => document.getElementById(i).textContent, id);
const dialogs = (page) => page.evaluate(() => document.querySelectorAll('[role=dialog],[role=alertdialog]').length);

// How many device pixels of the canvas differ from a picture (the screen's, the Qt
// build's), leaving out the captions over it, which are the browser's own text, and,
// with `still`, the turning icon. The canvas's top left is at `at` in the picture.
function differing(page, png, r, still = '', at = [0, 0]) {
  return page.evaluate(async ([data, r, still, at]) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const c = document.getElementById('canvas');
    const width = Math.min(img.width - at[0], c.width), height = Math.min(img.height - at[1], c.height);
    const ref = Object.assign(document.createElement('canvas'), { width, height }).getContext('2d');
    ref.drawImage(img, -at[0], -at[1]);
    const want = ref.getImageData(0, 0, width, height).data, got = c.getContext('2d').getImageData(0, 0, width, height).data;
    const texts = [...document.querySelectorAll('.caption' + still)].map((e) =>
      [e.offsetLeft * r - 1, e.offsetTop * r - 1, (e.offsetLeft + e.offsetWidth) * r + 1, (e.offsetTop + e.offsetHeight) * r + 1]);
    let n = 0;
    for (let y = 0; y < height; y++) for (let x = 0; x < width; x++) {
      if (texts.some(([l, t, rt, b]) => x >= l && x < rt && y >= t && y < b)) continue;
      const i = 4 * (y * width + x);
      n += want[i] !== got[i] || want[i + 1] !== got[i + 1] || want[i + 2] !== got[i + 2];
    }
    return [width, height, n];
  }, [png.toString('base64'), r, still, at]);
}

// How many canvas pixels the screen shows otherwise. The icon turns five times a second:
// a turn between the screenshot and the read-back is no fault, so the pair is taken again
// (on a loaded machine, many times); a blur would show every time. Where a screenshot
// takes longer than a turn and the automation cannot stop the page's clock, the icon is
// left out.
async function onScreen(page, shot, r, slow = false) {
  let seen;
  if (slow && !can.clock) skip('the turning icon in a large screenshot', 'cannot stop the page\'s clock');
  for (let i = 0; i < 20 && !(seen && seen[2] === 0); i++) {
    const { png, at } = await page.shot({ x: shot.left, y: shot.top, width: shot.width / r, height: shot.height / r });
    seen = await differing(page, png, r, slow && !can.clock ? ',#Picture1' : '', at);
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
  let want = EMPTY, missed = 0;
  for (const [lx, ly, row, col] of clicks) {
    for (const [x, y] of [[dev(lx, r), dev(ly, r)], [dev(lx + 1, r) - 1, dev(ly + 1, r) - 1]]) {
      if (await clickDevice(page, shot, x, y, r)) want = played(want, { row, col }); else missed++;
    }
    same(`clicks at layout pixel ${lx},${ly} play the cell on top`, await board(page), want);
  }
  if (missed) skip(`${missed} clicks on device pixels between CSS pixels`, 'clicks at whole CSS pixels');
  if (can.buttons) {
    await page.mouse.click(shot.left + 24, shot.top + 24, { button: 'right' });
    await page.mouse.click(shot.left + 220, shot.top + 220, { button: 'middle' });
    same('other buttons play nothing', await board(page), want);
  } else skip('other buttons', 'has no other buttons');
  shot = await canvas(page);
  same('the canvas shows the board the game holds', drawnBoard(shot, r), want);
  return want;
}

async function keysAndMarker(page, r, before) {
  await page.evaluate(() => document.getElementById('client').focus());
  for (const key of ['ArrowRight', 'ArrowRight', ' ']) await page.keyboard.press(key);
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
  await page.mouse.move(shot.left + 1, shot.top + 250);  // off the board, on the status bar
  await page.mouse.up();
  same('a mouse button hides the marker', await dots(), 0);
}

async function stopBox(page, r) {
  const before = await board(page);
  await choose(page, 'Game');
  same('New game is greyed while a game runs', await attr(page, 'GameNew', 'aria-disabled'), 'true');
  await choose(page, 'GameNew');
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
    same('its buttons are written in black, not greyed', await page.evaluate(() =>
      ['ok', 'cancel'].map((id) => getComputedStyle(document.getElementById(id)).color)), ['rgb(0, 0, 0)', 'rgb(0, 0, 0)']);
    await modality(page, r, before);
    if (answer === 'Escape') await page.keyboard.press('Escape'); else await choose(page, 'cancel');
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
      await attr(page, 'Picture1', 'aria-label'), await textOf(page, 'Time')],
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
  same('under a modal window nothing reaches the board or the menus',
    [await board(page), await attr(page, 'Load', 'aria-expanded')], [want, 'false']);
  if (!can.cdp) return skip('nor a screen reader finds them', 'shows no accessibility tree');
  const { nodes } = await (await page.context().newCDPSession(page)).send('Accessibility.getFullAXTree');
  const reachable = nodes.filter((n) => !n.ignored && n.role && ['button', 'menuitem'].includes(n.role.value) &&
    !(n.name && [ 'ОК', 'Отмена'].includes(n.name.value))).length;
  same('nor a screen reader finds them', reachable, 0);
}

async function loads(page, r) {
  // From the keyboard: F10, then Загрузить, then its first entry.
  await page.evaluate(() => document.getElementById('client').focus());
  await page.keyboard.press('F10');
  for (const key of ['ArrowRight', 'ArrowDown', 'Enter']) await page.keyboard.press(key);
  same('F10, →, ↓, Enter loads the filled board', [await board(page), await attr(page, 'Process', 'aria-valuenow')], ['XXXXX/XXXXX/XXXXX/XXXXX/XXXXX', '13']);
  const table = [['LoadDem5', 'X..../.X.../..X../...X./....X', '2'], ['LoadDem1', 'X.X.X/.X.X./X.X.X/.X.X./X.X.X', '6']];
  for (const [id, pattern, bar] of table) {
    await choose(page, 'Load', 'LoadDem', id);
    same(`${id} loads its pattern`, [await board(page), drawnBoard(await canvas(page), r), await attr(page, 'Process', 'aria-valuenow')], [pattern, pattern, bar]);
  }
  same('a loaded pattern reads as such', await attr(page, 'Picture1', 'aria-label'), 'игра приостановлена, загружен узор');
  // An entry chosen with the mouse hands the keys back to the board.
  await page.keyboard.press('ArrowDown');
  same('then an arrow shows the marker', await page.evaluate(() => /^rc_\d_\d$/.test(document.activeElement.id)), true);
  // A menu closes as its window loses the focus; one opened by hovering hands over to the
  // next on →, as on the desktop.
  const expanded = () => Promise.all(['Game', 'Load', 'Help'].map((id) => attr(page, id, 'aria-expanded')));
  await choose(page, 'Game');
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  same('the window losing the focus closes the menu', await expanded(), ['false', 'false', 'false']);
  await choose(page, 'Game');
  await page.mouse.move(...await middle(page, '#Load'));
  await page.keyboard.press('ArrowRight');
  same('hovered to Загрузить, → opens Справка alone', await expanded(), ['false', 'false', 'true']);
  await page.keyboard.press('Escape');
}

// The words that begin the second and later lines of each text of more than one line,
// from the bottom of the window up: the same in every engine, at every size, as the Qt
// build's own layout breaks them, at 8 points of 11 whole pixels.
const wrapped = {
  HelpHowToPlay: [['заокрашен', 'этот'], ['с']],
  HelpPro: [['показывающая', 'Рядом', 'показывает'], ['вы', 'Значок'], ['меню', 'загружать', 'меню', 'дополнительную']],
  HelpAuhtor: [],
};
// A text's lines, if the browser shows it in as many: their first words but the first.
const lineStarts = (page) => page.evaluate(() => [...document.querySelectorAll('[role=dialog] .label')].map((e) => {
  const range = document.createRange();
  range.selectNodeContents(e);
  const shown = new Set([...range.getClientRects()].map((r) => Math.round(r.top))).size;
  const lines = e.textContent.split('\n');
  return shown === lines.length ? lines.slice(1).map((l) => l.split(' ')[0]) : `${shown} lines shown of ${lines.length}`;
}).filter((starts) => starts.length));

async function infoWindows(page, r, touch) {
  const before = await board(page);
  for (const [id, caption, how] of [['HelpHowToPlay', 'Как играть', 'click'], ['HelpPro', 'Возможности программы', 'click'], ['HelpAuhtor', 'О Brindle', 'Escape']]) {
    await choose(page, 'Help', id);
    const seen = await page.evaluate(() => {
      const d = document.querySelector('[role=dialog]');
      return d && [d.querySelector('.title').textContent, d.textContent.includes('Quorvane Brindle (версия 1.0)'), !!d.querySelector('.line'), d.querySelectorAll('canvas').length > 0];
    });
    same(`${id} opens its window: caption, heading, rule, pictures`, seen, [caption, true, true, true]);
    same(`${id}: its texts break at the same words`, await lineStarts(page), wrapped[id]);
    await modality(page, r, before, touch);
    const inside = await middle(page, '[role=dialog]');
    if (can.buttons) await page.mouse.click(...inside, { button: 'right' });
    await clickOn(page, '[role=dialog] .title');
    same('a right click, and a click on its title strip, leave it open', await dialogs(page), 1);
    if (!touch) {
      // Tab has nowhere to go but the window, so Escape still reaches it.
      await page.keyboard.press('Tab');
      await page.keyboard.down('Shift');
      await page.keyboard.press('Tab');
      await page.keyboard.up('Shift');
      same('Tab and Shift+Tab keep the focus in the window', await page.evaluate(() => !!document.activeElement.closest('[role=dialog]')), true);
      // A press dragged out and released ends there; a press outside released inside is no click.
      for (const [from, to] of [[inside, [2, 2]], [[2, 2], inside]]) {
        await page.mouse.move(...from); await page.mouse.down(); await page.mouse.move(...to); await page.mouse.up();
      }
      same('presses that start or end outside leave it open', await dialogs(page), 1);
    }
    if (how === 'click') await page.mouse.click(...inside); else await page.keyboard.press('Escape');
    same(`a ${how} closes it`, [await dialogs(page), await board(page)], [0, before]);
  }
}

async function accessibility(page) {
  if (!can.cdp) return skip('the accessibility tree', 'shows none');
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
  const strip = nodes.filter((n) => !n.ignored && n.role && ['image', 'progressbar', 'timer'].includes(n.role.value));
  same('then the strip from the left: the icon, the bar, the clock', strip.map((n) => n.role.value), ['image', 'progressbar', 'timer']);
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
  const big = await open(await page.url(), r, { width: 1001, height: 667, clock: can.clock && Date.now() });
  const shot = await canvas(big);
  same('twice its size, the screen shows the canvas pixel for pixel', await onScreen(big, shot, r, true), [shot.width, shot.height, 0]);
  await big.mouse.click(shot.left + 2 * (48 * 2 + 25), shot.top + 2 * (48 + 25));
  same('twice its size, a click plays the cell under it', await board(big), played(EMPTY, { row: 2, col: 3 }));
  await big.done();
  same('the page has a title and a description', await page.evaluate(() => [document.title, document.querySelector('meta[name=description]').content.length > 40]), ['Quorvane Brindle', true]);
}

// Where the page's memory grows as an information window opens (a large ratio, a fresh
// page), its picture is drawn all the same and the page goes on; on a narrow screen the
// widest windows can be scrolled into view whole.
async function largeAndNarrow(url) {
  if (!can.ratio(8)) return skip('ratio 8', 'cannot set it');
  const page = await open(url, 8);
  const drawn = [];
  for (const id of ['HelpHowToPlay', 'HelpPro', 'HelpAuhtor']) {
    await choose(page, 'Help', id);
    drawn.push(await page.evaluate(() => [...document.querySelectorAll('[role=dialog] canvas')].every((c) => c.getContext('2d').getImageData(0, 0, c.width, c.height).data.some((v) => v !== 0))));
    await page.keyboard.press('Escape');
  }
  same('at ratio 8 every picture is drawn and every window closes', [drawn, await dialogs(page)], [[true, true, true], 0]);
  await page.done();
  const small = await open(url, 1, { width: 320, height: 480 });
  for (const id of ['HelpHowToPlay', 'HelpPro']) {
    await choose(small, 'Help', id);
    const [left, width, room] = await small.evaluate(() => { const d = document.querySelector('[role=dialog]'), b = d.getBoundingClientRect(); return [b.left, b.width, d.parentElement.scrollWidth]; });
    check(`at 320 px ${id} starts on the screen and scrolls into view whole`, left >= 0 && room >= width, `left ${left}, width ${width}, room ${room}`);
    await small.keyboard.press('Escape');
  }
  await small.done();
}

// On a phone (390 x 844 CSS pixels at ratio 3) the game is 1.375 times its size: texts
// of 11 points, cells of 66 CSS pixels; a tap plays the cell under it.
async function phone(url) {
  const page = await open(url, 3, { touch: true, width: 390, height: 844, clock: can.clock && Date.now() });
  const sizes = await page.evaluate(() => [parseFloat(getComputedStyle(document.getElementById('Label1')).fontSize),
    parseFloat(getComputedStyle(document.getElementById('Game')).fontSize), document.getElementById('rc_3_3').getBoundingClientRect().width]);
  check('on a phone the texts are legible and the cells easy taps', sizes[0] >= 14.6 && sizes[1] >= 14.6 && sizes[2] >= 66, JSON.stringify(sizes));
  const shot = await canvas(page);
  same('on a phone the canvas is crisp', await onScreen(page, shot, 3, true), [shot.width, shot.height, 0]);
  if (can.touch) {
    await page.touchscreen.tap(shot.left + (48 * 4 + 25) * 1.375, shot.top + (25 * 1.375));
    same('on a phone a tap plays the cell under it', await board(page), played(EMPTY, { row: 1, col: 5 }));
  } else skip('a tap on a phone', 'has no touch');
  await page.done();
}

// Installable, and once visited it plays with its server gone: on a server of its own,
// which the test stops.
async function installableAndOffline(site) {
  const server = await serve(site);
  const page = await open(`http://127.0.0.1:${server.address().port}/`, 1);
  if (can.cdp) {
    // The test's browser contexts are private ones, which never install: that one error
    // is the automation's, not the page's.
    const cdp = await page.context().newCDPSession(page);
    const errors = (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors.map((e) => e.errorId);
    same('Chromium finds it installable', errors.filter((e) => e !== 'in-incognito'), []);
  } else skip('installable', 'cannot tell');
  same('its worker runs', await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then((r) => !!r.active),
    new Promise((done) => setTimeout(() => done(false), 5000))])), true);
  await new Promise((done) => { server.close(done); server.closeAllConnections(); });
  await page.reload();
  await page.ready();
  const shot = await canvas(page);
  await page.mouse.click(shot.left + 120, shot.top + 120);
  same('with the server gone it starts and plays', await board(page), played(EMPTY, { row: 3, col: 3 }));
  await page.done();
}

// Each finger is a pointer of its own: lifted in either order, each plays its cell.
async function twoFingers(page) {
  const [before, shot] = [await board(page), await canvas(page)];
  const a = { x: shot.left + 25, y: shot.top + 25, id: 1 }, b = { x: shot.left + 217, y: shot.top + 217, id: 2 };
  let first;  // the board once the first finger is lifted
  if (can.cdp) {
    const cdp = await page.context().newCDPSession(page);
    const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
    for (const [type, points] of [['touchStart', [a]], ['touchStart', [a, b]], ['touchEnd', [a]]]) await touch(type, points);
    first = await board(page);
    await touch('touchEnd', [b]);
  } else {
    const one = await page.touchscreen.touchStart(a.x, a.y), two = await page.touchscreen.touchStart(b.x, b.y);
    await one.end();
    first = await board(page);
    await two.end();
  }
  const one = played(before, { row: 1, col: 1 });
  same('two fingers, the first lifted first, play both cells', [first, await board(page)], [one, played(one, { row: 5, col: 5 })]);
}

// Ticks that come late or not at all: the clock shows the time that really passed. The
// page runs on a clock of the test's own, stopped before the page loads; it jumps 5 s at
// once and fires a due timer once, as a page frozen for 5 s and thawed does.
async function catchUp(url) {
  if (!can.clock) return skip('the clock after a freeze', 'has no clock of its own');
  const page = await open(url, 1, { clock: Date.parse('2026-01-01T12:00:00Z') });
  const seconds = async () => { const [m, sec] = (await textOf(page, 'Time')).match(/\d+/g).map(Number); return 60 * m + sec; };
  await page.clock.runFor(2000);
  same('two seconds on time', await seconds(), 2);
  await page.clock.fastForward(5000);
  same('then five at once, with one tick', await seconds(), 7);
  // A tab shown again ticks too, and never runs the clock ahead.
  await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
  same('a shown tab adds no second', await seconds(), 7);
  // Minutes of three digits stay inside their box, drawn narrower.
  await page.clock.fastForward(100 * 60 * 1000);
  await page.clock.runFor(100);
  same('100 minutes on', await seconds(), 6007);
  same('three-digit minutes are drawn inside their box', await page.evaluate(() => {
    const e = document.getElementById('Label1'), text = document.createRange();
    text.selectNodeContents(e);
    const ink = text.getBoundingClientRect(), left = document.getElementById('client').getBoundingClientRect().left + e.offsetLeft;
    return ink.width > 0 && ink.left >= left - 0.1 && ink.right <= left + e.offsetWidth + 0.1;
  }), true);
  await page.done();
}

async function asQt(url) {
  const states = [['LoadFull'], ['LoadDem3'], ['GameStop']];
  for (let i = 1; i <= 15; i++) states.push(['LoadDem' + i]);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-qt-'));
  for (const state of states) {
    const png = path.join(dir, state.join('-') + '.png');
    execFileSync(arg, [png, ...state], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'ignore' });
    const page = await open(url, 1);
    const menu = { LoadFull: ['Load'], GameStop: ['Game'] }[state[0]] || ['Load', 'LoadDem'];
    await choose(page, ...menu, state[0]);
    if (state[0] === 'GameStop') await choose(page, 'ok');
    const differ = await differing(page, fs.readFileSync(png), 1);
    same(`${state[0]}: the canvas is the Qt build's pixels`, differ, [242, 262, 0]);
    await page.done();
  }
  fs.rmSync(dir, { recursive: true });
}

(async () => {
  browser = await engines.launch(engineName);
  can = browser.can;
  const server = await serve(path.join(build, 'site'));  // on a port of this run's own
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    if (mode === '--ratio') {
      const r = Number(arg);
      const page = await open(url, r);
      await accessibility(page);
      await framed(page, r);
      const after = await pixelsAndClicks(page, r);
      await keysAndMarker(page, r, after);
      await stopBox(page, r);
      await loads(page, r);
      await infoWindows(page, r, false);
      await page.done();
      if (can.touch) {
        const touch = await open(url, r, { touch: true });
        const shot = await canvas(touch);
        await touch.touchscreen.tap(shot.left + 120, shot.top + 120);
        same('a tap plays the cell under it', await board(touch), played(EMPTY, { row: 3, col: 3 }));
        await twoFingers(touch);
        await infoWindows(touch, r, true);
        await touch.done();
      } else skip('taps', 'has no touch');
      if (r === 1) {
        await catchUp(url);
        await largeAndNarrow(url);
        await installableAndOffline(path.join(build, 'site'));
        await phone(url);
      }
    } else if (mode === '--one-file') {
      const asked = [];
      const file = 'file://' + path.resolve(build, 'brindle.html');
      const page = await open(file, 1, { requests: asked });
      await page.mouse.click(...await middle(page, '#rc_3_3'));
      same('brindle.html plays from disk', await board(page), played(EMPTY, { row: 3, col: 3 }));
      if (can.requests) same('and asks for nothing beside itself', asked.filter((u) => !u.startsWith('data:')), [file]);
      else skip('what it asks for', 'cannot tell');
      await page.done();
      // The server the README offers for a quick look answers a bad request with 400 and
      // goes on: each bad request, then a good one.
      const status = (p) => new Promise((resolve) => http.get(url + p.slice(1), (q) => { q.resume(); resolve(q.statusCode); }).on('error', (e) => resolve(e.code)));
      for (const [p, want] of [['/%E0%A4%A', 400], ['/index.html%00.png', 400], ['/', 200], ['/%2e%2e/%2e%2e/etc/passwd', 404]]) {
        same(`the server answers ${p}`, await status(p), want);
      }
    } else if (mode === '--as-qt') {
      await asQt(url);
    } else {
      check(`a known mode (${mode})`, false);
    }
  } catch (e) {
    check('the run ends', false, e.stack);
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${browser.name}: ${passed} passed, ${failed} failed, ${skipped} skipped`);
  process.exit(failed || !passed ? 1 : 0);
})();
