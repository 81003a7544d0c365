// Pictures of the browser page at each step of the student's road, for docs/screenshots/:
// web-*.png. Needs the built site (MNEMEX_WEB_SITE, default build-web-page/site) and the
// test tools (npm ci --prefix web).
//   node tools/web-screenshots.mjs
import { mkdirSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '..');
const require = createRequire(join(root, 'web/package.json'));
const { chromium } = require('playwright-core');
const { serveSite } = await import(join(root, 'web/serve.mjs'));
const site = resolve(root, process.env.MNEMEX_WEB_SITE || 'build-web-page/site');
const out = join(root, 'docs/screenshots');
mkdirSync(out, { recursive: true });

const server = await serveSite(site, 0);
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const scratch = mkdtempSync(join(tmpdir(), 'mnemex-shots-'));

const section = (page, heading) => page.locator(`section:has(#${heading})`);
async function shot(target, name) {
  await target.screenshot({ path: join(out, `web-${name}.png`) });
  console.log(`docs/screenshots/web-${name}.png`);
}
const ended = (page, count = 1) => page.waitForFunction((n) =>
  Number(document.getElementById('display').dataset.runs || 0) >= n, count);

try {
  const context = await browser.newContext({ viewport: { width: 1100, height: 900 }, acceptDownloads: true });
  const page = await context.newPage();
  await page.goto(`${origin}/index.html`);
  await page.waitForSelector('body[data-ready=true]');
  await shot(page, '1-start');

  await page.selectOption('#example', 'letters.net');
  await page.click('#load-example');
  await page.waitForFunction(() => document.getElementById('info-file').textContent === 'letters.net');
  await shot(section(page, 'file-heading'), '2-file');

  await page.fill('#epochs', '0');
  await page.click('#start');
  await page.waitForSelector('#message:not([hidden])');
  await shot(section(page, 'setup-heading'), '3-refused');

  await page.check('#rule-delta');
  await page.fill('#epochs', '200000');
  await page.fill('#print-interval', '5');
  await page.fill('#rate', '0.02');
  await page.click('#start');
  await page.waitForFunction(() => Number(document.getElementById('line-1').textContent.replace(/\D/g, '')) > 300);
  await shot(section(page, 'setup-heading'), '4-training');
  await page.click('#stop');
  await ended(page);
  await shot(section(page, 'setup-heading'), '5-stopped');

  await page.fill('#pattern', '2');
  await page.click('#probe');
  await page.fill('#pattern', '5');
  await page.click('#probe');
  await page.waitForFunction(() => document.getElementById('probe-text').textContent.startsWith('Pattern: 5'));
  await shot(section(page, 'probe-heading'), '6-probe');

  await Promise.all([page.waitForEvent('download'), page.click('#download-report')]);
  await page.waitForSelector('#report-text:not([hidden])');
  await shot(section(page, 'report-heading'), '7-report');
  await shot(section(page, 'chart-heading'), '8-chart');
  await page.check('#log-scale');
  await page.waitForFunction(() => document.getElementById('sse-chart').getAttribute('aria-label').includes('logarithmic'));
  await shot(section(page, 'chart-heading'), '8-chart-log');
  await page.uncheck('#log-scale');

  await page.fill('#picture-pattern', '3');
  await page.click('#show-pictures');
  await page.click('#test-all');
  await page.click('#test-all-table button[data-key=sse]');
  await page.click('#explain');
  await page.waitForSelector('#explain-text:not([hidden])');
  await shot(section(page, 'inside-heading'), '9-inside');

  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save-network')]);
  const saved = join(scratch, download.suggestedFilename());
  await download.saveAs(saved);
  await page.click('#reset');
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.click('#open-network-button')]);
  await chooser.setFiles(saved);
  await page.waitForFunction(() => document.getElementById('network-message').textContent.startsWith('Opened'));
  await shot(section(page, 'network-heading'), '10-opened');
  await shot(section(page, 'export-heading'), '11-exports');
  await context.close();

  const narrow = await browser.newContext({ viewport: { width: 375, height: 800 } });
  const phone = await narrow.newPage();
  await phone.goto(`${origin}/index.html?example=letters.net&rule=delta&rate=0.1&epochs=50&run=1`);
  await phone.waitForSelector('body[data-ready=true]');
  await ended(phone);
  await phone.click('#show-pictures');
  await phone.click('#test-all');
  await phone.waitForSelector('#test-all-table:not([hidden])');
  await phone.screenshot({ path: join(out, 'web-12-narrow.png'), fullPage: true });
  console.log('docs/screenshots/web-12-narrow.png');
  await narrow.close();

  const zoomed = await browser.newContext({ viewport: { width: 640, height: 450 }, deviceScaleFactor: 2 });
  const big = await zoomed.newPage();
  await big.goto(`${origin}/index.html?example=letters.net&rule=delta&rate=0.1&epochs=50&run=1`);
  await big.waitForSelector('body[data-ready=true]');
  await ended(big);
  await shot(big, '13-zoom-200');
  await zoomed.close();

  const teacher = await browser.newPage({ viewport: { width: 1000, height: 900 } });
  await teacher.goto(`${origin}/teacher.html`);
  await teacher.waitForFunction(() => document.getElementById('built-link').textContent.includes('example='));
  await teacher.screenshot({ path: join(out, 'web-14-teacher.png'), fullPage: true });
  console.log('docs/screenshots/web-14-teacher.png');
} finally {
  await browser.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
