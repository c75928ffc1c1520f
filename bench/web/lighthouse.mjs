// Lighthouse on the served site, in Debian's Chromium, headless: the mobile audit with
// its default throttling, then the desktop one. Prints each category's score and the
// metrics behind performance, beside the goals.
//   (cd bench/web/lighthouse && npm ci)   # once: Lighthouse 12.2.3, no browser
//   node bench/web/lighthouse.mjs BUILD_WEB [--runs N]
import { createRequire } from 'module';
import path from 'path';
import { fileURLToPath } from 'url';

const here = path.dirname(fileURLToPath(import.meta.url));
const require = createRequire(path.join(here, 'lighthouse', 'package.json'));
const { default: lighthouse } = await import(require.resolve('lighthouse'));
const chromeLauncher = await import(require.resolve('chrome-launcher'));
const { serve } = createRequire(import.meta.url)('../../scripts/serve.js');

const build = path.resolve(process.argv[2] || 'build-web');
const runs = Number(process.argv[process.argv.indexOf('--runs') + 1]) || 3;
const goals = { mobile: { performance: 0.95 }, desktop: { performance: 1 } };
const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];

const server = await serve(path.join(build, 'site'));
const url = `http://127.0.0.1:${server.address().port}/`;
const chrome = await chromeLauncher.launch({ chromePath: '/usr/bin/chromium',
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'] });
try {
  for (const form of ['mobile', 'desktop']) {
    const config = form === 'desktop' ? (await import(require.resolve('lighthouse/core/config/desktop-config.js'))).default : undefined;
    const seen = {};
    for (let i = 0; i < runs; i++) {
      const { lhr } = await lighthouse(url, { port: chrome.port, output: 'json', logLevel: 'error' }, config);
      for (const c of Object.values(lhr.categories)) (seen[c.id] ||= []).push(c.score);
      for (const m of ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time', 'cumulative-layout-shift'])
        (seen[m] ||= []).push(lhr.audits[m].numericValue);
    }
    console.log(`${form} (median of ${runs}):`);
    for (const [name, values] of Object.entries(seen)) {
      const metric = !(name in goals.desktop) && !['accessibility', 'best-practices', 'seo'].includes(name);
      const goal = metric ? undefined : goals[form][name] ?? 1;
      const value = median(values);
      const shown = !metric ? value.toFixed(2) : name.endsWith('shift') ? value.toFixed(3) : `${Math.round(value)} ms`;
      console.log(`  ${name.padEnd(26)} ${shown.padStart(8)}${goal === undefined ? '' : `   goal ${goal.toFixed(2)}${value >= goal ? '' : '  below'}`}`);
    }
  }
} finally {
  await chrome.kill();
  server.close();
}
