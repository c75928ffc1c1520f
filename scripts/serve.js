#!/usr/bin/env node
// Serves a folder over HTTP on 127.0.0.1, on a free port unless one is given: the page
// for a quick look (`node scripts/serve.js build-web/site`), and for its tests.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };

function serve(root, port = 0) {
  const server = http.createServer((request, response) => {
    // A malformed escape or a NUL byte names no file: the request is refused, and the
    // server goes on.
    let name = null;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {}
    if (name === null || name.includes('\0')) {
      response.writeHead(400, { 'Content-Type': 'text/plain' });
      response.end('bad request\n');
      return;
    }
    const file = path.join(root, path.normalize(name).replace(/\/$/, '/index.html'));
    fs.readFile(file, (error, data) => {
      const headers = { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' };
      // Compressed for a browser that takes it, as web hosts do.
      if (!error && /\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
        data = zlib.gzipSync(data);
        headers['Content-Encoding'] = 'gzip';
      }
      response.writeHead(error ? 404 : 200, headers);
      response.end(error ? '' : data);
    });
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

module.exports = { serve };

if (require.main === module) {
  serve(process.argv[2] || '.', Number(process.argv[3]) || 0).then((server) =>
    console.log(`http://127.0.0.1:${server.address().port}/`));
}
