// The page beside a bare page that paints one 242 x 262 picture on a canvas, and beside
// that page ticking as the game must (an icon turning, a clock), in Debian's Chromium,
// headless, in turns: time from navigation to the first contentful paint (the board),
// the bytes a visitor downloads gzip'd, and the CPU time of 10 idle seconds.
//   node bench/web/compare.js BUILD_WEB [--rounds N]
'use strict';
const { chromium } = require('../../node_modules/playwright-core');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { execFileSync } = require('child_process');
const { serve } = require('../../scripts/serve.js');

const build = path.resolve(process.argv[2]);
const rounds = Number(process.argv[process.argv.indexOf('--rounds') + 1]) || 5;
const bare = fs.mkdtempSync('/tmp/brindle-bare-'), ticking = fs.mkdtempSync('/tmp/brindle-ticking-');
fs.copyFileSync(path.join(__dirname, 'bare.html'), path.join(bare, 'index.html'));
fs.copyFileSync(path.join(__dirname, 'ticking.html'), path.join(ticking, 'index.html'));
// The bare page's picture: the board as the Qt build draws it, if that build is there.
const grab = path.join(build, '..', 'build', 'tests', 'grab_client');
execFileSync(grab, [path.join(bare, 'picture.png')], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'ignore' });
fs.copyFileSync(path.join(bare, 'picture.png'), path.join(ticking, 'picture.png'));

const sites = { brindle: path.join(build, 'site'), bare, ticking };
const names = Object.keys(sites);
const gzipped = (dir) => fs.readdirSync(dir).reduce((n, f) => n + zlib.gzipSync(fs.readFileSync(path.join(dir, f)), { level: 9 }).length, 0);
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[s.length >> 1]; };

(async () => {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
  const servers = {};
  for (const [name, dir] of Object.entries(sites)) servers[name] = await serve(dir);
  const seen = Object.fromEntries(names.map((name) => [name, { paint: [], cpu: [] }]));
  for (let i = 0; i < rounds; i++) {
    for (const name of i % 2 ? [...names].reverse() : names) {
      const context = await browser.newContext({ viewport: { width: 400, height: 400 } });
      const page = await context.newPage();
      await page.goto(`http://127.0.0.1:${servers[name].address().port}/`);
      await page.waitForSelector('html[data-ready]', { state: 'attached' });
      await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length);
      seen[name].paint.push(await page.evaluate(() => performance.getEntriesByName('first-contentful-paint')[0].startTime));
      const cdp = await context.newCDPSession(page);
      await cdp.send('Performance.enable');
      const task = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
      const before = await task();
      await new Promise((done) => setTimeout(done, 10000));
      seen[name].cpu.push((await task() - before) * 1000);
      await context.close();
    }
  }
  await browser.close();
  for (const s of Object.values(servers)) s.close();
  const bytes = Object.fromEntries(names.map((name) => [name, gzipped(sites[name])]));
  for (const dir of [bare, ticking]) fs.rmSync(dir, { recursive: true });
  console.log(`medians of ${rounds} rounds     navigation to board painted   gzip'd bytes   CPU over 10 idle s`);
  for (const name of names) {
    console.log(`${name.padEnd(26)} ${median(seen[name].paint).toFixed(1).padStart(8)} ms ${String(bytes[name]).padStart(20)}  ${median(seen[name].cpu).toFixed(1).padStart(12)} ms`);
  }
  console.log(`ratio (brindle / bare)     ${(median(seen.brindle.paint) / median(seen.bare.paint)).toFixed(2).padStart(8)}`);
})();
