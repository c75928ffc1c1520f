// The three browser engines behind one set of calls, the subset of Playwright's page the
// page test uses: Debian's Chromium through Playwright, Firefox ESR through Puppeteer
// over WebDriver BiDi, and WebKitGTK through its own WebDriver server. None downloads a
// browser. What an engine's automation cannot do is named in `can`, so that the test
// skips it in the open.
'use strict';
const net = require('net');
const { spawn } = require('child_process');

const READY = 'html[data-ready]';

// Playwright's and Puppeteer's pages alike: errors and requests heard from the start,
// then the page loaded and ready.
async function visit(page, url, onError, requests) {
  page.on('pageerror', (e) => onError(e.message));
  if (requests) page.on('request', (q) => requests.push(q.url()));
  await page.goto(url);
  await page.ready();
  return page;
}

async function chromium() {
  const { chromium } = require('../../node_modules/playwright-core');
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  return {
    name: 'Chromium',
    // cdp: the accessibility tree, installability, raw touches; clock: a clock of the
    // test's own; subpixel: clicks at fractions of a CSS pixel; ratio: which pixel ratios;
    // requests: what a page from disk asks for; buttons: the right and middle buttons.
    can: { cdp: true, clock: true, touch: true, subpixel: true, ratio: () => true, requests: true, buttons: true },
    async open(url, ratio, { touch = false, width = 480, height = 360, clock = 0, requests } = {}, onError = () => {}) {
      const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio, hasTouch: touch });
      if (clock) { await context.clock.install({ time: clock }); await context.clock.pauseAt(clock + 1000); }
      const page = await context.newPage();
      page.done = () => context.close();
      page.ready = () => page.waitForSelector(READY, { state: 'attached', timeout: 10000 });
      page.shot = async (clip) => ({ png: await page.screenshot({ clip }), at: [0, 0] });
      return visit(page, url, onError, requests);
    },
    close: () => browser.close(),
  };
}

async function firefox() {
  const puppeteer = require('../../node_modules/puppeteer-core');
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
  return {
    name: 'Firefox',
    // requests: it reports none for a page from disk.
    can: { cdp: false, clock: false, touch: true, subpixel: false, ratio: () => true, requests: false, buttons: true },
    async open(url, ratio, { touch = false, width = 480, height = 360, requests } = {}, onError = () => {}) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch });
      page.done = () => context.close();
      page.ready = () => page.waitForSelector(READY, { timeout: 10000 });
      page.shot = async (clip) => ({ png: Buffer.from(await page.screenshot({ clip })), at: [0, 0] });
      page.viewportSize = () => ({ width: page.viewport().width, height: page.viewport().height });
      page.setViewportSize = (size) => page.setViewport({ ...page.viewport(), ...size });
      return visit(page, url, onError, requests);
    },
    close: () => browser.close(),
  };
}

// WebKitGTK: a WebDriver server and its MiniBrowser for each page, since the pixel ratio
// is the toolkit's whole-number GDK_SCALE, fixed when the browser starts. It needs an X
// display. Its automation clicks at whole CSS pixels, never releases a button but the
// left one, and reports no page errors.
const KEYS = {
  Escape: '\uE00C', Enter: '\uE007', Tab: '\uE004', Shift: '\uE008', Space: ' ', F10: '\uE03A',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
};
const BUTTONS = { left: 0, middle: 1, right: 2 };
const freePort = () => new Promise((done) => {
  const s = net.createServer().listen(0, '127.0.0.1', () => { const { port } = s.address(); s.close(() => done(port)); });
});

// WebKitGTK's automation on a loaded machine now and then fails a step with an error
// matching `failed`: the step is noted, `between` tidies up, and it is tried once more.
async function once(failed, what, step, between = async () => {}) {
  try {
    return await step();
  } catch (e) {
    if (!failed.test(e.message)) throw e;
    console.log(`note: WebKitGTK ${what} (${e.message}), tried again`);
    await between();
    return step();
  }
}

async function webkit() {
  return {
    name: 'WebKitGTK',
    can: { cdp: false, clock: false, touch: false, subpixel: false, ratio: Number.isInteger, requests: false, buttons: false },
    // Its web process now and then dies as a page loads. A page that dies twice is a fault.
    open(url, ratio, size) {
      return once(/page crash or hang/, 'lost the page as it loaded', () => this.start(url, ratio, size));
    },
    async start(url, ratio, { width = 480, height = 360 } = {}) {
      const port = await freePort();
      const driver = spawn('WebKitWebDriver', [`--port=${port}`], { env: { ...process.env, GDK_SCALE: String(ratio) }, stdio: 'ignore' });
      const call = async (method, where, body) => {
        for (let tries = 0; ; tries++) {
          try {
            const answer = await fetch(`http://127.0.0.1:${port}${where}`, { method, headers: { 'content-type': 'application/json' }, body: body && JSON.stringify(body) });
            const { value } = await answer.json();
            if (value && value.error) throw Object.assign(new Error(`${value.error}: ${value.message}`), { webdriver: value.error });
            return value;
          } catch (e) {
            // Until the server listens, its port refuses.
            if (e.webdriver || tries > 50) throw e;
            await new Promise((done) => setTimeout(done, 100));
          }
        }
      };
      const { sessionId } = await call('POST', '/session', { capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
        binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] } } } });
      const session = (method, where, body) => call(method, `/session/${sessionId}${where}`, body);
      // It now and then loses a script's result. Of the test's scripts that change the
      // page, a second focus or event changes nothing, and a second click would show.
      const evaluate = (fn, arg) => once(/parse script result/, 'lost a script\'s result', () =>
        session('POST', '/execute/sync', { script: `return (${fn})(arguments[0])`, args: [arg ?? null] }));
      let at = [0, 0];
      // On a loaded machine its input now and then fails with an unknown error, having
      // done nothing: it is released and tried once more. Had it done something, the test
      // would see it done twice.
      const perform = (actions) => once(/^unknown error:/, 'input failed', () => session('POST', '/actions', { actions }),
        () => session('DELETE', '/actions'));
      const act = (type, steps) => perform([{ type: 'pointer', id: type, parameters: { pointerType: type }, actions: steps }]);
      const move = (x, y) => { at = [Math.round(x), Math.round(y)]; return { type: 'pointerMove', x: at[0], y: at[1], origin: 'viewport' }; };
      const mouse = {
        move: (x, y) => act('mouse', [move(x, y)]),
        // Each call starts the pointer anew at the view's corner: it is moved back first.
        down: ({ button = 'left' } = {}) => act('mouse', [move(...at), { type: 'pointerDown', button: BUTTONS[button] }]),
        up: ({ button = 'left' } = {}) => act('mouse', [move(...at), { type: 'pointerUp', button: BUTTONS[button] }]),
        click: (x, y, { button = 'left' } = {}) =>
          act('mouse', [move(x, y), { type: 'pointerDown', button: BUTTONS[button] }, { type: 'pointerUp', button: BUTTONS[button] }]),
      };
      const keys = (steps) => perform([{ type: 'key', id: 'keys', actions: steps }]);
      const key = (name) => KEYS[name] || name;
      const page = {
        evaluate, mouse,
        keyboard: {
          press: (name) => keys([{ type: 'keyDown', value: key(name) }, { type: 'keyUp', value: key(name) }]),
          down: (name) => keys([{ type: 'keyDown', value: key(name) }]),
          up: (name) => keys([{ type: 'keyUp', value: key(name) }]),
        },
        url: () => session('GET', '/url'),
        reload: () => session('POST', '/refresh', {}),
        async ready() {
          for (let i = 0; i < 100; i++) {
            if (await evaluate(() => !!document.documentElement.dataset.ready)) return;
            await new Promise((done) => setTimeout(done, 100));
          }
          throw new Error('the page never got ready');
        },
        // Its screenshots cannot be clipped, and an element's own cuts off as much again as
        // lies above it: the whole view, with where the clip starts in it.
        shot: async ({ x, y }) => ({ png: Buffer.from(await session('GET', '/screenshot'), 'base64'), at: [x * ratio, y * ratio] }),
        viewportSize: () => evaluate(() => ({ width: innerWidth, height: innerHeight })),
        // The window's size less what the browser's own frame takes.
        async setViewportSize({ width: w, height: h }) {
          const outer = await session('GET', '/window/rect'), inner = await page.viewportSize();
          await session('POST', '/window/rect', { width: w + outer.width - inner.width, height: h + outer.height - inner.height });
        },
        async done() {
          await session('DELETE', '').catch(() => {});
          driver.kill();
        },
        on() {},
      };
      try {
        await page.setViewportSize({ width, height });
        await session('POST', '/url', { url });
        await page.ready();
      } catch (e) {
        driver.kill();
        throw e;
      }
      return page;
    },
    close: async () => {},
  };
}

module.exports = { launch: (name) => ({ chromium, firefox, webkit })[name]() };
