// The browser build's speed beside the native build's, in one run on one machine:
// 784 x 784 x 100 Delta epochs per second in headless Chromium (WebAssembly SIMD, one
// thread) against the native 128-bit kernels on one thread, and what the page's first load
// transfers, gzip-compressed.
//   node bench/web_speed.mjs        (after scripts/web.sh --build and the native build)
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join, resolve } from 'node:path';
import { createRequire } from 'node:module';

const root = resolve(new URL('..', import.meta.url).pathname);
const webBuild = join(root, process.env.MNEMEX_WEB_BUILD || 'build-web');
const require = createRequire(join(root, 'web/package.json'));
const { chromium } = require('playwright-core');
const { serveSite } = await import(join(root, 'web/serve.mjs'));

const benchCase = 'images100 delta';
const repeats = process.argv[2] || '3';
const rate = (lines) => lines.map((l) => /([0-9.]+) epochs\/s wall/.exec(l)).filter(Boolean).map((m) => Number(m[1]));
const best = (values) => Math.max(...values);

const native = spawnSync(join(root, 'build/bench/epoch_bench'), ['--one-thread-128', '--repeats', repeats, benchCase], { encoding: 'utf8' });
const nativeLines = native.stdout.trim().split('\n');

const server = await serveSite(webBuild, 0);
const base = `http://127.0.0.1:${server.address().port}`;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  await page.goto(`${base}/bench/epoch-bench.mjs`);
  const browserLines = await page.evaluate(async ([name, count]) => {
    const lines = [];
    const create = (await import('/bench/epoch-bench.mjs')).default;
    const bench = await create({ print: (line) => lines.push(line) });
    bench.callMain(['--repeats', count, name]);
    return lines;
  }, [benchCase, repeats]);

  // The first load: every response the page needs until it is ready.
  const loaded = [];
  const first = await browser.newPage();
  first.on('response', (response) => loaded.push(new URL(response.url()).pathname));
  await first.goto(`${base}/site/index.html`, { waitUntil: 'networkidle' });
  let total = 0;
  const sizes = loaded.filter((p, k) => loaded.indexOf(p) === k).map((path) => {
    const bytes = readFileSync(join(webBuild, decodeURIComponent(path)));
    const gzip = gzipSync(bytes).length;
    total += gzip;
    return `  ${path}: ${bytes.length} bytes, ${gzip} gzip`;
  });

  console.log(`native, 128-bit kernels, one thread:\n  ${nativeLines.join('\n  ')}`);
  console.log(`headless Chromium, WebAssembly SIMD, one thread:\n  ${browserLines.join('\n  ')}`);
  const ratio = best(rate(browserLines)) / best(rate(nativeLines));
  console.log(`browser / native, best runs: ${ratio.toFixed(2)}`);
  console.log(`first load (${loaded.length} responses):\n${sizes.join('\n')}`);
  console.log(`first load transferred, gzip: ${(total / 1e6).toFixed(2)} MB`);
} finally {
  await browser.close();
  server.close();
}
