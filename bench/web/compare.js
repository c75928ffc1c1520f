// The page beside a bare page that paints one 242 x 262 picture on a canvas, in Debian's
// Chromium, headless, in turns: time from navigation to the first contentful paint (the
// board), the bytes a visitor downloads gzip'd, and the CPU time of 10 idle seconds.
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
const bare = fs.mkdtempSync('/tmp/brindle-bare-');
fs.copyFileSync(path.join(__dirname, 'bare.html'), path.join(bare, 'index.html'));
// The bare page's picture: the board as the Qt build draws it, if that build is there.
const grab = path.join(build, '..', 'build', 'tests', 'grab_client');
execFileSync(grab, [path.join(bare, 'picture.png')], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: 'ignore' });

const sites = { brindle: path.join(build, 'site'), bare };
const gzipped = (dir) => fs.readdirSync(dir).reduce((n, f) => n + zlib.gzipSync(fs.readFileSync(path.join(dir, f)), { level: 9 }).length, 0);
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[s.length >> 1]; };

(async () => {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
  const servers = {};
  for (const [name, dir] of Object.entries(sites)) servers[name] = await serve(dir);
  const seen = { brindle: { paint: [], cpu: [] }, bare: { paint: [], cpu: [] } };
  for (let i = 0; i < rounds; i++) {
    for (const name of i % 2 ? ['bare', 'brindle'] : ['brindle', 'bare']) {
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
  const bytes = { brindle: gzipped(sites.brindle), bare: gzipped(bare) };
  fs.rmSync(bare, { recursive: true });
  console.log(`medians of ${rounds} rounds     navigation to board painted   gzip'd bytes   CPU over 10 idle s`);
  for (const name of ['brindle', 'bare']) {
    console.log(`${name.padEnd(26)} ${median(seen[name].paint).toFixed(1).padStart(8)} ms ${String(bytes[name]).padStart(20)}  ${median(seen[name].cpu).toFixed(1).padStart(12)} ms`);
  }
  console.log(`ratio (brindle / bare)     ${(median(seen.brindle.paint) / median(seen.bare.paint)).toFixed(2).padStart(8)}`);
})();
