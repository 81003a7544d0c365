// The browser module's batch command against the native mnemex-batch: for the same arguments
// and files, the same exit status, standard output, standard error and written files, byte
// for byte (the report's date and time lines aside).
//   node --test tests/web/    (MNEMEX_BATCH and MNEMEX_WEB_SITE name other builds)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync, statSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

const root = resolve(new URL('../..', import.meta.url).pathname);
const nativeBatch = process.env.MNEMEX_BATCH || join(root, 'build/cli/mnemex-batch');
const site = process.env.MNEMEX_WEB_SITE || join(root, 'build-web/site');
const createMnemex = (await import(join(site, 'mnemex-core.mjs'))).default;
const mnemex = await createMnemex();

const example = (name) => readFileSync(join(root, 'examples', name));

// Files the runs below share: a deterministic generator of training files of every shape.
function random(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}
function trainingFile(seed, outputs, inputs, patterns, form) {
  const next = random(seed);
  const value = () => {
    const v = (next() * 4 - 2);
    if (form === 'binary') return next() < 0.5 ? '0' : '1';
    if (form === 'exponent') return `${(v * 10).toFixed(3)}e-1`;
    return v.toFixed(1 + Math.floor(next() * 4));
  };
  const rows = [`${outputs}, 0, ${inputs}, ${patterns}`];
  for (let p = 0; p < patterns; ++p) rows.push(Array.from({ length: inputs }, value).join(', '));
  for (let p = 0; p < patterns; ++p) rows.push(Array.from({ length: outputs }, value).join(', '));
  return rows.join('\n') + '\n';
}

const generated = {
  'small.net': trainingFile(1, 3, 5, 4, 'decimal'),
  'wide.net': trainingFile(2, 9, 40, 12, 'decimal'),
  'binary.net': trainingFile(3, 16, 33, 20, 'binary'),
  'exponent.net': trainingFile(4, 5, 7, 30, 'exponent'),
  'one.net': trainingFile(5, 1, 1, 1, 'decimal'),
  'short.net': trainingFile(6, 3, 5, 4, 'decimal').split('\n').slice(0, 4).join('\n'),
  'word.net': '2, 0, 2, 1\n1, x\n1, 0\n',
};

const all = {
  'letters.net': example('letters.net'),
  'orthogonal.net': example('orthogonal.net'),
  'dependent.net': example('dependent.net'),
  'independent.net': example('independent.net'),
  ...generated,
};

// One case: a name, the argument list, and the files the run starts with (names from `all`).
const cases = [];
for (const file of ['letters.net', 'orthogonal.net', 'dependent.net', 'independent.net', 'small.net', 'wide.net', 'binary.net', 'exponent.net', 'one.net']) {
  for (const rule of ['hebb', 'delta']) {
    cases.push([`${file} ${rule}`, [file, '--rule', rule, '--epochs', '30', '--print-interval', '7',
      '--progress', '--json', 'out.json', '--report', 'report.txt', '--sections', 'all',
      '--weights-csv', 'w.csv', '--weights-npy', 'w.npy']]);
  }
}
cases.push(
  ['permuted order', ['wide.net', '--rule', 'delta', '--order', 'permuted', '--seed', '12345', '--epochs', '25', '--json', '-']],
  ['permuted, continued', ['binary.net', '--rule', 'delta', '--rate', '0.01', '--order', 'permuted', '--seed', '7', '--epochs', '5', '--continue', '3', '--continue', '4', '--progress', '--json', 'out.json']],
  ['error level', ['orthogonal.net', '--rule', 'delta', '--stop', 'error', '--min-error', '0.001', '--rate', '0.2', '--json', 'out.json', '--report', 'r.txt']],
  ['both tests', ['small.net', '--rule', 'delta', '--stop', 'both', '--min-error', '1e-9', '--epochs', '500', '--json', 'out.json']],
  ['overflow', ['wide.net', '--rule', 'delta', '--rate', '1e150', '--epochs', '50', '--json', 'out.json']],
  ['hebb overflow', ['exponent.net', '--rate', '1e300', '--epochs', '50', '--report', 'r.txt']],
  ['test all', ['letters.net', '--rule', 'delta', '--epochs', '40', '--test-all', '--json', 'out.json']],
  ['least squares', ['dependent.net', '--least-squares', '--json', 'out.json', '--weights-csv', 'w.csv']],
  ['least squares, wide', ['wide.net', '--least-squares', '--test-all', '--json', '-']],
  ['negative rate', ['small.net', '--rate', '-1']],
  ['epochs zero', ['small.net', '--epochs', '0']],
  ['rate not a number', ['small.net', '--rate', 'fast']],
  ['unknown option', ['small.net', '--colour', 'red']],
  ['no such file', ['missing.net', '--json', 'out.json']],
  ['file ends early', ['short.net', '--json', 'out.json']],
  ['not a number in the file', ['word.net']],
  ['result names the input', ['small.net', '--json', 'small.net']],
  ['two results, one name', ['small.net', '--json', 'a.json', '--report', 'a.json']],
  ['help', ['--help']],
  ['save a state', ['letters.net', '--rule', 'delta', '--epochs', '12', '--save-state', 'state.json', '--json', 'out.json']],
);

// Runs the native command in a fresh folder holding `files`; what it wrote or changed.
function runNative(args, files) {
  const folder = mkdtempSync(join(tmpdir(), 'mnemex-web-'));
  try {
    for (const [name, bytes] of Object.entries(files)) writeFileSync(join(folder, name), bytes);
    const run = spawnSync(nativeBatch, args, {
      cwd: folder, env: { ...process.env, LC_ALL: 'C', TZ: 'UTC' }, maxBuffer: 1 << 28,
    });
    const written = {};
    for (const name of readdirSync(folder)) {
      if (!statSync(join(folder, name)).isFile()) continue;
      const bytes = readFileSync(join(folder, name));
      if (!(name in files) || !Buffer.from(files[name]).equals(bytes)) written[name] = bytes;
    }
    return { exit: run.status, stdout: run.stdout, stderr: run.stderr, files: written };
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The report's date and time lines differ from run to run.
const undated = (bytes) => Buffer.from(bytes).toString('latin1')
  .replace(/^(Date|Time) Of Analysis: .*$/gm, '$1 Of Analysis: -');

function assertSameRun(name, args, files) {
  const native = runNative(args, files);
  const web = mnemex.batch(args, files);
  assert.equal(web.exit, native.exit, `${name}: exit status`);
  assert.equal(undated(web.stdout), undated(native.stdout), `${name}: standard output`);
  assert.equal(Buffer.from(web.stderr).toString('latin1'), native.stderr.toString('latin1'), `${name}: standard error`);
  assert.deepEqual(Object.keys(web.files).sort(), Object.keys(native.files).sort(), `${name}: files written`);
  for (const file of Object.keys(native.files))
    assert.equal(undated(web.files[file]), undated(native.files[file]), `${name}: ${file}`);
  return web;
}

test('the browser module has the native batch command\'s bytes', { skip: !existsSync(nativeBatch) && 'no native build' }, () => {
  for (const [name, args] of cases) {
    const files = args[0] in all ? { [args[0]]: all[args[0]] } : {};
    assertSameRun(name, args, files);
  }
});

test('a state saved by either build resumes to the same bits in the other', { skip: !existsSync(nativeBatch) && 'no native build' }, () => {
  const first = ['letters.net', '--rule', 'delta', '--order', 'permuted', '--seed', '99', '--epochs', '9', '--save-state', 'state.json'];
  const web = mnemex.batch(first, { 'letters.net': all['letters.net'] });
  const native = runNative(first, { 'letters.net': all['letters.net'] });
  assert.equal(undated(web.files['state.json']), undated(native.files['state.json']));
  const resume = ['letters.net', '--load-state', 'state.json', '--epochs', '6', '--continue', '2', '--json', 'out.json', '--save-state', 'state.json'];
  assertSameRun('resumed', resume, { 'letters.net': all['letters.net'], 'state.json': web.files['state.json'] });
  assertSameRun('resumed with another rate', [...resume, '--rate', '0.05'], { 'letters.net': all['letters.net'], 'state.json': native.files['state.json'] });
  assertSameRun('resumed from the wrong file', ['small.net', '--load-state', 'state.json'], { 'small.net': all['small.net'], 'state.json': web.files['state.json'] });
});

test('the workbook is refused before training, with the reason', () => {
  const web = mnemex.batch(['small.net', '--xlsx', 'summary.xlsx'], { 'small.net': all['small.net'] });
  assert.equal(web.exit, 2);
  assert.match(Buffer.from(web.stderr).toString(), /^mnemex-batch: --xlsx: this build cannot write spreadsheet workbooks/);
  assert.deepEqual(Object.keys(web.files), []);
});

test('a network beyond the browser\'s 4 GB gets the out-of-memory message, and the module goes on', () => {
  const huge = `30000, 0, 30000, 1\n${Array(30000).fill('1').join(', ')}\n${Array(30000).fill('0').join(', ')}\n`;
  const refused = mnemex.batch(['huge.net', '--epochs', '1'], { 'huge.net': huge });
  assert.equal(refused.exit, 1);
  assert.equal(Buffer.from(refused.stderr).toString(),
    'mnemex-batch: Out of memory error: Please try closing some applications and retrying.\n');
  assertSameRun('after it', ['small.net', '--epochs', '3'], { 'small.net': all['small.net'] });
});
