// A static file server for the site folder, on 127.0.0.1 only: what any static web server
// does, with the types a module worker and WebAssembly need.
//   node web/serve.mjs build-web/site 8080
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.net': 'text/plain; charset=utf-8',
};

// Starts serving `root` on 127.0.0.1:`port` (0: any free port); resolves to the server.
export function serveSite(root, port = 0) {
  const top = resolve(root);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      let file = normalize(join(top, path));
      if (file !== top && !file.startsWith(top + sep)) throw new Error('outside the site');
      if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': types[extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end('Not found\n');
    }
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const [root = 'build-web/site', port = '8080'] = process.argv.slice(2);
  const server = await serveSite(root, Number(port));
  console.log(`Mnemex is served on http://127.0.0.1:${server.address().port}/ (Ctrl-C ends it)`);
}
