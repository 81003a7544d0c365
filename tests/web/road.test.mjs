// The student's road through the browser page, in headless Chromium against the built site:
// open an example or a file of one's own, train, stop, continue, probe, download the report
// (the same bytes as the batch command's, apart from the date and time lines), save and
// reopen a network, look inside; once with the mouse and once by keyboard alone; then
// accessibility, small screens, exercise links and working offline.
//
//   node --test tests/web/road.test.mjs
// MNEMEX_WEB_SITE names the built site (default build-web-page/site), MNEMEX_BATCH the
// native batch command (default build/cli/mnemex-batch).
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const require = createRequire(join(root, 'web/package.json'));
const { chromium } = require('playwright-core');
const axeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const { serveSite } = await import(join(root, 'web/serve.mjs'));

const site = resolve(root, process.env.MNEMEX_WEB_SITE || 'build-web-page/site');
const batch = resolve(root, process.env.MNEMEX_BATCH || 'build/cli/mnemex-batch');
const examples = join(root, 'examples');
const built = existsSync(join(site, 'mnemex-core.wasm')) && existsSync(batch);

let server, origin, browser, scratch;

before(async () => {
  if (!built) return;
  scratch = mkdtempSync(join(tmpdir(), 'mnemex-road-'));
  server = await serveSite(site, 0);
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (scratch) rmSync(scratch, { recursive: true, force: true });
});

// ---- Helpers ---------------------------------------------------------------------------

// A page of its own context that records every request it makes to a host other than ours.
async function openPage(query = '', options = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  const page = await context.newPage();
  page.foreign = [];
  page.problems = [];
  page.on('request', (r) => {
    const url = r.url();
    if (!url.startsWith(origin) && !url.startsWith('blob:') && !url.startsWith('data:')) page.foreign.push(url);
  });
  page.on('pageerror', (e) => page.problems.push(e.message));
  // A refused script, style or request (the page's own policy) shows as a console error.
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(m.text()); });
  // File choosers are caught from the start, so a key press cannot beat the catching.
  page.on('filechooser', () => {});
  await page.goto(`${origin}/index.html${query}`);
  await page.waitForSelector('body[data-ready=true]');
  return page;
}

// The batch command's display lines and report for the same run.
function batchRun(args, sections = 'all') {
  const report = join(scratch, `report-${Math.random().toString(36).slice(2)}.txt`);
  const weights = `${report}.csv`;
  const run = spawnSync(batch, [join(examples, args[0]), ...args.slice(1), '--report', report,
    '--sections', sections, '--weights-csv', weights], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  // After --continue the command prints each run's final lines: the page shows the last.
  const printed = run.stdout.split('\n').filter(Boolean);
  const result = { lines: [printed[0], ...printed.slice(1).slice(-3)], report: readFileSync(report),
    weights: readFileSync(weights, 'utf8') };
  rmSync(report);
  rmSync(weights);
  return result;
}

// A report without its date and time lines, which each side writes in its own forms.
const undated = (bytes) => bytes.toString('latin1').split('\n')
  .filter((line) => !/^(Date|Time) Of Analysis:/.test(line)).join('\n');

const displayLines = (page) => page.$$eval('#display .line', (lines) =>
  lines.map((l) => l.textContent).filter((t) => t !== ''));

const runsEnded = (page) => page.evaluate(() => Number(document.getElementById('display').dataset.runs || 0));

// Waits until `count` runs have ended on the page.
const runsHaveEnded = (page, count = 1) => page.waitForFunction((n) =>
  Number(document.getElementById('display').dataset.runs || 0) >= n, count);

// Does `action`, which starts a run, and waits for that run's end.
async function trainedBy(page, action) {
  const before = await runsEnded(page);
  await action();
  await runsHaveEnded(page, before + 1);
}

async function downloaded(page, action) {
  const [download] = await Promise.all([page.waitForEvent('download'), action()]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}

async function chooseFile(page, action, path) {
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), action()]);
  await chooser.setFiles(path);
}

async function fill(page, values) {
  for (const [id, value] of Object.entries(values)) await page.fill(`#${id}`, value);
}

async function tabTo(page, id) {
  for (let k = 0; k < 200; k += 1) {
    if (await page.evaluate(() => document.activeElement?.id) === id) return;
    await page.keyboard.press('Tab');
  }
  throw new Error(`#${id} cannot be reached with Tab`);
}

async function typeInto(page, id, text) {
  await tabTo(page, id);
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

// The time from a Stop (a click on Stop, or the Escape key) to the run's end, measured in
// the page from the moment the press reached it.
async function stopTime(page, press) {
  await page.evaluate(() => {
    const display = document.getElementById('display');
    window.stopped = new Promise((done) => {
      let begun = null;
      const runs = Number(display.dataset.runs || 0);
      const pressed = (e) => { begun ??= e.timeStamp; };
      document.addEventListener('keydown', pressed, true);
      document.addEventListener('click', pressed, true);
      new MutationObserver(() => {
        if (Number(display.dataset.runs || 0) > runs) done(performance.now() - begun);
      }).observe(display, { attributes: true });
    });
  });
  if (press === 'key') await page.keyboard.press('Escape');
  else await page.click('#stop');
  return page.evaluate(() => window.stopped);
}

const epochsShown = async (page) => Number((await page.textContent('#line-1')).replace(/\D/g, ''));

// ---- The road --------------------------------------------------------------------------

describe('the student\'s road', { skip: !built && `no built site in ${site} or no ${batch}` }, () => {
  it('with the mouse: files, training, stop, continue, probe, report, save, open, inside', async () => {
    const page = await openPage();
    // A file of one's own, chosen and then dropped: it is read in the page.
    const own = join(scratch, 'my orthogonal.net');
    writeFileSync(own, readFileSync(join(examples, 'orthogonal.net')));
    await chooseFile(page, () => page.click('#file'), own);
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'my orthogonal.net');
    assert.deepEqual(await page.$$eval('#file-info dd', (d) => d.map((x) => x.textContent)),
      ['my orthogonal.net', '3', '4', '4']);
    const dropped = readFileSync(join(examples, 'independent.net'), 'latin1');
    await page.evaluate((text) => {
      const data = new DataTransfer();
      data.items.add(new File([text], 'dropped.net'));
      document.getElementById('drop').dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true }));
    }, dropped);
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'dropped.net');
    await page.setInputFiles('#file', { name: 'broken.net', mimeType: 'text/plain', buffer: Buffer.from('2, 0, x') });
    await page.waitForSelector('#file-message:not([hidden])');
    assert.equal(await page.textContent('#info-file'), 'dropped.net', 'a refused file changes nothing');

    await page.selectOption('#example', 'letters.net');
    await page.click('#load-example');
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'letters.net');
    await page.check('#rule-delta');
    for (const box of await page.$$('input[name=section]')) await box.check();
    await fill(page, { rate: '0.1', epochs: '20' });
    await trainedBy(page, () => page.click('#start'));
    await fill(page, { epochs: '10' });
    await trainedBy(page, () => page.click('#continue'));
    const cli = batchRun(['letters.net', '--rule', 'delta', '--rate', '0.1', '--epochs', '20', '--continue', '10']);
    assert.deepEqual(await displayLines(page), cli.lines);
    const report = await downloaded(page, () => page.click('#download-report'));
    assert.equal(report.name, 'letters-report.txt');
    assert.equal(undated(report.bytes), undated(cli.report));
    assert.equal((await downloaded(page, () => page.click('#csv-weights'))).bytes.toString(), cli.weights);

    // A long run: the display is busy (not announced) while it trains, and Stop ends it fast.
    await fill(page, { epochs: '1000000' });
    await page.click('#continue');
    await page.waitForFunction(() => Number(document.getElementById('line-1').textContent.replace(/\D/g, '')) > 40);
    assert.deepEqual(await page.$eval('#display', (d) => [d.getAttribute('aria-busy'), d.getAttribute('aria-live')]),
      ['true', 'off']);
    const took = await stopTime(page, 'click');
    assert.ok(took < 200, `Stop took ${took} ms`);
    const stoppedAt = await epochsShown(page);
    await fill(page, { epochs: '5' });
    await trainedBy(page, () => page.click('#continue'));
    assert.equal(await epochsShown(page), stoppedAt + 5);
    assert.deepEqual(await page.$eval('#display', (d) => [d.getAttribute('aria-busy'), d.getAttribute('aria-live')]),
      ['false', 'polite']);

    await fill(page, { pattern: '9' });
    await page.click('#probe');
    await page.waitForSelector('#probe-message:not([hidden])');
    assert.equal(await page.textContent('#probe-message'), 'Pattern Number: Please enter a whole pattern number from 1 to 8.');
    await fill(page, { pattern: '3' });
    await page.click('#probe');
    await page.waitForSelector('#probe-message[hidden]', { state: 'attached' });
    assert.match(await page.textContent('#probe-text'), /^Pattern: 3\t/);

    // Saved, reset, opened again: the same network and display.
    const shown = await displayLines(page);
    const weights = (await downloaded(page, () => page.click('#csv-weights'))).bytes.toString();
    const saved = await downloaded(page, () => page.click('#save-network'));
    assert.equal(saved.name, `letters-${stoppedAt + 5}.json`);
    await page.click('#reset');
    await page.waitForFunction(() => document.getElementById('heat-scale').textContent === 'Every weight is 0.');
    // Opened while another example is open, the network brings back the example it needs.
    await page.selectOption('#example', 'orthogonal.net');
    await page.click('#load-example');
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'orthogonal.net');
    const savedPath = join(scratch, saved.name);
    writeFileSync(savedPath, saved.bytes);
    await chooseFile(page, () => page.click('#open-network-button'), savedPath);
    await page.waitForFunction(() => document.getElementById('network-message').textContent.startsWith('Opened'));
    assert.equal(await page.textContent('#network-message'),
      `Opened the saved network ${saved.name}, with the example letters.net it was trained on.`);
    assert.deepEqual(await displayLines(page), shown);
    assert.equal((await downloaded(page, () => page.click('#csv-weights'))).bytes.toString(), weights);
    assert.equal(await page.inputValue('#rate'), '0.1');
    assert.ok(await page.isChecked('#rule-delta'));

    await page.check('#log-scale');
    await page.waitForFunction(() => /^Total SSE by epoch \(logarithmic axis\): \d+ recorded epochs/
      .test(document.getElementById('sse-chart').getAttribute('aria-label')));

    // Inside: pictures on their scales, every pattern measured and sorted, one unit explained.
    await fill(page, { 'picture-pattern': '2' });
    await page.click('#show-pictures');
    await page.waitForFunction(() => document.getElementById('cap-input').textContent.includes('pattern 2'));
    assert.equal(await page.textContent('#cap-input'), 'Input of pattern 2: 0 black to 1 white');
    await page.click('#test-all');
    await page.waitForSelector('#test-all-table:not([hidden])');
    assert.equal(await page.$$eval('#test-all-table tbody tr', (r) => r.length), 8);
    await page.click('#test-all-table button[data-key=sse]');
    const sorted = await page.$$eval('#test-all-table tbody td:nth-child(2)', (c) => c.map((x) => Number(x.title)));
    assert.deepEqual(sorted, [...sorted].sort((a, b) => a - b));
    assert.equal(await page.getAttribute('#test-all-table th:nth-child(2)', 'aria-sort'), 'ascending');
    await fill(page, { 'explain-pattern': '1', 'explain-unit': '1' });
    await page.click('#explain');
    await page.waitForSelector('#explain-text:not([hidden])');
    assert.match(await page.textContent('#explain-text'), /^Output unit 1, pattern 1: net input = sum of weight x input/);
    assert.deepEqual(page.foreign, []);
    assert.deepEqual(page.problems, []);
    await page.context().close();
  });

  it('by keyboard alone', async () => {
    const page = await openPage();
    await tabTo(page, 'file');
    await chooseFile(page, () => page.keyboard.press('Space'), join(examples, 'orthogonal.net'));
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'orthogonal.net');
    await tabTo(page, 'example');
    await page.keyboard.type('letters');
    await tabTo(page, 'load-example');
    const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.notEqual(outline, 'none', 'the focus is visible');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'letters.net');
    await tabTo(page, 'rule-hebb');
    await page.keyboard.press('ArrowDown');
    assert.ok(await page.isChecked('#rule-delta'));
    await typeInto(page, 'epochs', '20');
    await typeInto(page, 'rate', '0.1');
    await trainedBy(page, () => page.keyboard.press('Enter'));
    assert.deepEqual(await displayLines(page),
      batchRun(['letters.net', '--rule', 'delta', '--rate', '0.1', '--epochs', '20']).lines);

    await typeInto(page, 'epochs', '1000000');
    await tabTo(page, 'continue');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => Number(document.getElementById('line-1').textContent.replace(/\D/g, '')) > 40);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'stop', 'the focus follows to Stop');
    const took = await stopTime(page, 'key');
    assert.ok(took < 200, `Escape took ${took} ms`);

    await typeInto(page, 'pattern', '4');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('probe-text').textContent.startsWith('Pattern: 4'));
    await tabTo(page, 'download-report');
    const report = await downloaded(page, () => page.keyboard.press('Enter'));
    assert.match(report.bytes.toString(), /Results Of Training With File: letters\.net/);
    await tabTo(page, 'save-network');
    const saved = await downloaded(page, () => page.keyboard.press('Enter'));
    const savedPath = join(scratch, `keys-${saved.name}`);
    writeFileSync(savedPath, saved.bytes);
    await tabTo(page, 'reset');
    await page.keyboard.press('Enter');
    await tabTo(page, 'open-network-button');
    await chooseFile(page, () => page.keyboard.press('Enter'), savedPath);
    await page.waitForFunction(() => document.getElementById('network-message').textContent.startsWith('Opened'));
    // The first arrow picks the first weight; then they move through inputs and outputs.
    await tabTo(page, 'heatmap');
    for (const key of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowDown']) await page.keyboard.press(key);
    assert.match(await page.textContent('#heat-scale'), /^Output unit 2, input unit 3: weight -?\d/);
    assert.equal(await page.inputValue('#explain-unit'), '2');
    await tabTo(page, 'show-pictures');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('cap-input').textContent.includes('pattern 1'));
    await tabTo(page, 'test-all');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#test-all-table:not([hidden])');
    await tabTo(page, 'explain');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('explain-text').textContent.startsWith('Output unit 2'));
    assert.deepEqual(page.problems, []);
    await page.context().close();
  });

  it('a network saved by the batch command opens in the page, and the page\'s continues there', async () => {
    const state = join(scratch, 'batch-letters.json');
    const saving = spawnSync(batch, [join(examples, 'letters.net'), '--rule', 'delta', '--rate', '0.1', '--epochs', '20',
      '--save-state', state], { encoding: 'utf8' });
    assert.equal(saving.status, 0, saving.stderr);
    // Opened before any training file: the example it was trained on comes with it.
    const page = await openPage();
    await chooseFile(page, () => page.click('#open-network-button'), state);
    await page.waitForFunction(() => document.getElementById('network-message').textContent.startsWith('Opened'));
    assert.equal(await page.textContent('#info-file'), 'letters.net');
    assert.deepEqual(await displayLines(page), saving.stdout.split('\n').filter(Boolean));
    assert.equal(await page.inputValue('#epochs'), '20');

    await fill(page, { epochs: '15' });
    await trainedBy(page, () => page.click('#continue'));
    const saved = await downloaded(page, () => page.click('#save-network'));
    const path = join(scratch, 'page-letters.json');
    writeFileSync(path, saved.bytes);
    const going = spawnSync(batch, [join(examples, 'letters.net'), '--load-state', path, '--epochs', '5'], { encoding: 'utf8' });
    assert.equal(going.status, 0, going.stderr);
    await fill(page, { epochs: '5' });
    await trainedBy(page, () => page.click('#continue'));
    // A continued run prints no training line: the numbers are the same.
    assert.deepEqual((await displayLines(page)).slice(1), going.stdout.split('\n').filter(Boolean));
    await page.context().close();
  });

  it('exercise links fill the form and train, or answer as the setup page does', async () => {
    const letters = ['letters.net', '--rule', 'delta', '--rate', '0.1'];
    const cases = [
      { query: 'example=letters.net&rule=delta&rate=0.1&epochs=100&run=1', cli: [...letters, '--epochs', '100'] },
      { query: 'example=letters.net&rule=delta&rate=0.1&min_error=0.01&stop=error&run=1',
        cli: [...letters, '--min-error', '0.01', '--stop', 'error'] },
      { query: 'example=independent.net&rule=hebb&rate=0.25&epochs=3&print_interval=1&order=permuted&seed=7&run=1',
        cli: ['independent.net', '--rule', 'hebb', '--rate', '0.25', '--epochs', '3', '--print-interval', '1',
          '--order', 'permuted', '--seed', '7'] },
      // Numbers are read in the browser's language; a point still reads as a decimal point
      // unless it could group thousands there.
      { query: 'example=letters.net&rule=delta&rate=0,1&epochs=20&run=1', locale: 'de-DE', cli: [...letters, '--epochs', '20'] },
      { query: 'example=letters.net&rule=delta&rate=1.000&run=1', locale: 'de-DE', focus: 'rate',
        text: 'This version of the code has encountered an error.',
        hint: 'Learning rate: not a number. Type a number such as 0.1, then start again.' },
      { query: 'example=letters.net&epochs=0&run=1', focus: 'epochs', title: 'Maximum Epochs',
        text: 'Maximum number of training epochs must be greater than zero.', box: ['epochs', '1'] },
      { query: 'example=letters.net&order=permuted&seed=x&run=1', focus: 'seed', title: 'Seed',
        text: 'The seed must be a whole number from 0 to 9223372036854775807.', box: ['seed', '1'] },
      { query: 'example=letters.net&rule=delta&rate=0.5&epochs=100&run=1', failed: 'Overflow',
        hint: 'The weights grew too large: the learning rate may be too large for this file. Try a smaller rate, such as 0.1, and start again.' },
    ];
    for (const c of cases) {
      const page = await openPage(`?${c.query}`, c.locale ? { locale: c.locale } : {});
      if (c.cli) {
        await runsHaveEnded(page);
        assert.deepEqual(await displayLines(page), batchRun(c.cli).lines, c.query);
      } else {
        await page.waitForSelector('#message:not([hidden])');
        if (c.failed) await runsHaveEnded(page);
        if (c.title) assert.equal(await page.textContent('#message-title'), c.title, c.query);
        if (c.text) assert.ok((await page.textContent('#message-text')).startsWith(c.text), c.query);
        if (c.failed) assert.ok((await page.textContent('#message-text')).trimEnd().endsWith(c.failed), c.query);
        if (c.hint) assert.equal(await page.textContent('#hint'), c.hint, c.query);
        if (c.box) assert.equal(await page.inputValue(`#${c.box[0]}`), c.box[1], c.query);
        if (c.focus) assert.equal(await page.evaluate(() => document.activeElement.id), c.focus, c.query);
      }
      await page.context().close();
    }
  });

  it('a link built on the teacher\'s page opens and trains the exercise it describes', async () => {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(`${origin}/teacher.html`);
    await page.waitForFunction(() => document.getElementById('b-example').options.length > 0);
    await page.selectOption('#b-example', 'independent.net');
    await page.selectOption('#b-rule', 'hebb');
    await page.selectOption('#b-stop', 'both');
    await page.selectOption('#b-order', 'permuted');
    await fill(page, { 'b-rate': '0.25', 'b-epochs': '3', 'b-min-error': '0.5', 'b-print': '1', 'b-seed': '9' });
    await page.check('#b-run');
    const link = await page.getAttribute('#built-link', 'href');
    assert.equal(new URL(link).search, '?example=independent.net&rule=hebb&rate=0.25&epochs=3&min_error=0.5&stop=both&print_interval=1&order=permuted&seed=9&run=1');
    await page.click('#built-link');
    await page.waitForSelector('body[data-ready=true]');
    await runsHaveEnded(page);
    assert.deepEqual(await displayLines(page), batchRun(['independent.net', '--rule', 'hebb', '--rate', '0.25',
      '--epochs', '3', '--min-error', '0.5', '--stop', 'both', '--print-interval', '1', '--order', 'permuted',
      '--seed', '9']).lines);
    await context.close();
  });

  it('has no serious accessibility violation and no sideways scrolling at 375 px or 200% zoom', async () => {
    const sizes = [
      { viewport: { width: 1280, height: 900 } },
      { viewport: { width: 375, height: 800 } },
      { viewport: { width: 640, height: 450 }, deviceScaleFactor: 2 }, // 1280 x 900 at 200%
    ];
    for (const size of sizes) {
      const page = await openPage('?example=letters.net&rule=delta&epochs=30&run=1', size);
      await runsHaveEnded(page);
      await page.click('#show-pictures');
      await page.click('#test-all');
      await page.click('#explain');
      await page.waitForSelector('#explain-text:not([hidden])');
      const wide = await page.evaluate(() => ({
        page: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        main: document.getElementById('main').scrollWidth - document.getElementById('main').clientWidth,
      }));
      assert.deepEqual(wide, { page: 0, main: 0 }, JSON.stringify(size));
      for (const path of ['index.html', 'teacher.html']) {
        if (path === 'teacher.html') {
          await page.goto(`${origin}/teacher.html`);
          await page.waitForFunction(() => document.getElementById('built-link').textContent.includes('example='));
          assert.equal(await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth),
            0, `teacher.html ${JSON.stringify(size)}`);
        }
        await page.evaluate(axeSource);
        const { violations } = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
        const serious = violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
          .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
        assert.deepEqual(serious, [], `${path} ${JSON.stringify(size)}`);
      }
      await page.context().close();
    }
  });

  it('can be installed, and works offline once it has been opened', async () => {
    const page = await openPage();
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The test's browser profile is a private one, which alone keeps it from installing.
    const client = await page.context().newCDPSession(page);
    assert.deepEqual((await client.send('Page.getAppManifest')).errors, []);
    const { installabilityErrors } = await client.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito'), []);
    await page.reload();
    await page.waitForSelector('body[data-ready=true]');
    await page.evaluate(async () => {
      const names = ['index.html', 'app.js', 'worker.js', 'mnemex-core.wasm', 'examples/letters.net'];
      const cache = await caches.open((await caches.keys())[0]);
      for (const name of names) if (!(await cache.match(name))) throw new Error(`${name} is not kept`);
    });
    await page.context().setOffline(true);
    await page.reload();
    await page.waitForSelector('body[data-ready=true]');
    await page.selectOption('#example', 'orthogonal.net');
    await page.click('#load-example');
    await page.waitForFunction(() => document.getElementById('info-file').textContent === 'orthogonal.net');
    await page.context().close();
  });
});
