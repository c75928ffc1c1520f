// The page's small server answers a bad request with 400 and goes on serving.
//   serve_test.js SITE
'use strict';
const http = require('http');
const { serve } = require('../../scripts/serve.js');

const status = (port, p) => new Promise((resolve, reject) => {
  http.get({ host: '127.0.0.1', port, path: p }, (r) => { r.resume(); resolve(r.statusCode); }).on('error', reject);
});

(async () => {
  const server = await serve(process.argv[2]);
  const port = server.address().port;
  let passed = 0, failed = 0;
  // In order: each bad request, then a good one that shows the server still up.
  for (const [p, want] of [['/%E0%A4%A', 400], ['/index.html%00.png', 400], ['/index.html', 200],
    ['/%2e%2e/%2e%2e/etc/passwd', 404], ['/no-such-file', 404], ['/', 200]]) {
    const got = await status(port, p).catch((e) => e.code);
    const ok = got === want;
    if (ok) passed++; else failed++;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${p}: ${got}${ok ? '' : `, want ${want}`}`);
  }
  server.close();
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
})();
