// The student's page: a training file, the setup settings, a run with its live display and
// error curve, probing, the report, the chart, a look inside the weights, saving and
// opening a network and CSV exports. The memory program itself runs in worker.js.

const $ = (id) => document.getElementById(id);

// ---- The worker and its answers ---------------------------------------------------------

const worker = new Worker('worker.js', { type: 'module' });
const pending = new Map();
let nextId = 1;
let onReady = null;
const workerReady = new Promise((resolve, reject) => { onReady = { resolve, reject }; });

worker.onmessage = (event) => {
  const m = event.data;
  if (m.type === 'ready') return onReady.resolve();
  if (m.type === 'failed') return onReady.reject(new Error(m.message));
  if (m.type === 'slice') return onSlice(m.slice);
  const waiting = pending.get(m.id);
  if (!waiting) return;
  pending.delete(m.id);
  if ('error' in m) waiting.reject(new Error(m.error));
  else waiting.resolve(m.result);
};
worker.onerror = (event) => onReady.reject(new Error(event.message || 'the worker could not start'));

function call(cmd, ...args) {
  return new Promise((resolve, reject) => {
    const id = nextId++;
    pending.set(id, { resolve, reject });
    worker.postMessage({ id, cmd, args });
  });
}

// ---- State of the page ------------------------------------------------------------------

const state = {
  info: null,       // the session's Info()
  running: false,
  examples: [],
  live: [],         // the run's SSE rows as they arrive: [epoch, total SSE]
  sort: { key: 'pattern', ascending: true },
  measures: null,   // the test-all rows when shown
  picturesShown: false,
};

const numberSigns = (() => {
  const parts = new Intl.NumberFormat().formatToParts(12345.6);
  const find = (type, otherwise) => (parts.find((p) => p.type === type) || { value: otherwise }).value;
  return { decimal: find('decimal', '.'), group: find('group', '') };
})();

// ---- Small helpers ----------------------------------------------------------------------

function show(element, visible) { element.hidden = !visible; }

function setText(element, text) {
  element.textContent = text;
  show(element, text !== '');
}

function download(name, text, type) {
  const url = URL.createObjectURL(new Blob([text], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 30000);
}

function fourDigits(v) { return String(Number(v.toPrecision(4))); }
function sixDigits(v) { return String(Number(v.toPrecision(6))); }

function wholeNumber(text) {
  const t = text.trim();
  return /^\+?\d{1,9}$/.test(t) ? Number(t) : NaN;
}

function failure(error) {
  return `The memory program could not do this: ${error.message}`;
}

// ---- Messages of the setup form ---------------------------------------------------------

function showMessage(title, text, warning = false) {
  const box = $('message');
  $('message-title').textContent = title || 'Mnemex';
  $('message-text').textContent = text;
  box.classList.toggle('warning', warning);
  show(box, text !== '');
}

function clearMessage() {
  show($('message'), false);
  $('hint').textContent = '';
}

const focusTargets = {
  epochs: 'epochs', print_interval: 'print-interval', rate: 'rate', min_error: 'min-error',
  stopping: 'test-epochs', seed: 'seed',
};

// The form's answer to a refused Start or Continue: boxes put back, the message, the focus.
function applyAnswer(a) {
  if (a.epochs_text !== undefined) $('epochs').value = a.epochs_text;
  if (a.rate_text !== undefined) $('rate').value = a.rate_text;
  if (a.seed_text !== undefined) $('seed').value = a.seed_text;
  if (a.tick_both) {
    $('test-epochs').checked = true;
    $('test-error').checked = true;
  }
  if (a.message) showMessage(a.title, a.message, a.warning);
  $('hint').textContent = a.hint || '';
  const target = focusTargets[a.focus];
  if (target) {
    const box = $(target);
    box.focus();
    if (box.select) box.select();
  }
}

// ---- The training display ---------------------------------------------------------------

function showDisplay(d) {
  if (!d) return;
  $('display').classList.toggle('shown', d.shown);
  for (let k = 0; k < 4; k += 1) {
    const line = $(`line-${k}`);
    line.textContent = d.shown ? d.lines[k] : '';
    line.classList.remove('green', 'red');
    if (k >= 2 && (d.colours[k] === 'green' || d.colours[k] === 'red')) line.classList.add(d.colours[k]);
  }
  const bar = $('progress');
  show(bar, d.progress.visible && d.progress.maximum > 0);
  if (d.progress.maximum > 0) {
    bar.max = d.progress.maximum;
    bar.value = Math.min(d.progress.value, d.progress.maximum);
  }
}

// ---- Buttons and entries ----------------------------------------------------------------

const entryIds = ['rule-hebb', 'rule-delta', 'test-epochs', 'test-error', 'epochs',
  'print-interval', 'rate', 'min-error', 'order'];
const networkButtons = ['reset', 'probe', 'download-report', 'show-pictures', 'test-all',
  'explain', 'csv-weights', 'csv-measures', 'csv-history'];

function updateControls() {
  const info = state.info;
  const hasFile = Boolean(info && info.file);
  const idle = !state.running;
  for (const id of entryIds) $(id).disabled = !idle;
  $('seed').disabled = !idle || $('order').value !== 'permuted';
  $('start').disabled = !hasFile || !idle;
  $('continue').disabled = !idle || !(info && info.can_continue);
  $('save-network').disabled = !idle || !(info && info.can_save);
  for (const id of networkButtons) $(id).disabled = !hasFile || !idle;
  // A saved network of a shipped example brings its training file along.
  $('open-network-button').disabled = !idle || !state.ready;
  $('load-example').disabled = !idle || state.examples.length === 0;
  $('example').disabled = !idle;
  $('file').disabled = !idle;
  show($('start'), idle);
  show($('stop'), !idle);
}

function setRunning(running) {
  const hadFocus = document.activeElement;
  state.running = running;
  // While a run trains, its display changes many times a second: it is drawn, not read out.
  $('display').setAttribute('aria-busy', running ? 'true' : 'false');
  $('display').setAttribute('aria-live', running ? 'off' : 'polite');
  updateControls();
  // The pressed button gives way to the other one: the focus follows it.
  if (running && (hadFocus === $('start') || hadFocus === $('continue'))) $('stop').focus();
  if (!running && hadFocus === $('stop')) $('start').focus();
}

function setInfo(info) {
  if (!info) return;
  state.info = info;
  show($('file-info'), Boolean(info.file));
  $('info-file').textContent = info.file;
  $('info-outputs').textContent = info.outputs;
  $('info-inputs').textContent = info.inputs;
  $('info-patterns').textContent = info.patterns;
  updateControls();
}

// ---- Opening training files -------------------------------------------------------------

async function openTrainingBytes(name, bytes) {
  setText($('file-message'), '');
  let r;
  try {
    r = await call('openTrainingFile', name, bytes);
  } catch (error) {
    setText($('file-message'), failure(error));
    return false;
  }
  if (!r.ok) {
    setText($('file-message'), r.message);
    return false;
  }
  setInfo(r.info);
  clearMessage();
  showDisplay({ shown: false, lines: ['', '', '', ''], colours: [], progress: { visible: false, maximum: 0, value: 0 } });
  state.live = [];
  state.measures = null;
  state.picturesShown = false;
  $('probe-text').textContent = '';
  show($('test-all-table'), false);
  show($('explain-text'), false);
  show($('report-text'), false);
  clearPictures();
  drawLive();
  await refreshFigures();
  return true;
}

async function openExample(name) {
  if (!state.examples.includes(name)) {
    setText($('file-message'), `There is no example called "${name}".`);
    return false;
  }
  try {
    const response = await fetch(`examples/${encodeURIComponent(name)}`);
    if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
    return await openTrainingBytes(name, new Uint8Array(await response.arrayBuffer()));
  } catch (error) {
    setText($('file-message'), `The example "${name}" could not be loaded: ${error.message}`);
    return false;
  }
}

async function openLocalFile(file) {
  if (!file) return;
  const bytes = new Uint8Array(await file.arrayBuffer());
  await openTrainingBytes(file.name, bytes);
}

// ---- Training ---------------------------------------------------------------------------

function settingsText(mode) {
  return JSON.stringify({
    mode,
    rule: $('rule-delta').checked ? 'delta' : 'hebb',
    rate: $('rate').value,
    epochs: $('epochs').value,
    min_error: $('min-error').value,
    print_interval: $('print-interval').value,
    epoch_test: $('test-epochs').checked,
    error_test: $('test-error').checked,
    order: $('order').value,
    seed: $('seed').value,
  });
}

async function train(mode) {
  if (state.running) return;
  clearMessage();
  let a;
  try {
    a = await call('train', settingsText(mode));
  } catch (error) {
    showMessage('', failure(error));
    return;
  }
  if (!a.ok) {
    showMessage('', a.message);
    setInfo(await call('info'));
    return;
  }
  showDisplay(a.display);
  if (!a.accepted) {
    // A refused Start has cleared the network all the same: Continue and Save follow that.
    setInfo(await call('info'));
    applyAnswer(a);
    return;
  }
  if (mode === 'start') state.live = [];
  setRunning(true);
  drawLive();
}

let liveFrame = 0;
function onSlice(s) {
  if (s.display && !s.ended) showDisplay(s.display);
  if (s.history) {
    state.live.length = Math.min(state.live.length, s.history_from);
    state.live.push(...s.history);
    if (!liveFrame) liveFrame = requestAnimationFrame(() => { liveFrame = 0; drawLive(); });
  }
  if (!s.ended) return;
  setRunning(false);
  // The display speaks again, and its final lines are written anew a frame later, so that
  // they are announced even when they read as the last printout did.
  for (let k = 0; k < 4; k += 1) $(`line-${k}`).textContent = '';
  requestAnimationFrame(() => {
    showDisplay(s.display);
    // How many runs have ended on this page: something to wait for besides the lines.
    $('display').dataset.runs = String(Number($('display').dataset.runs || 0) + 1);
  });
  if (s.info) setInfo(s.info);
  if (s.outcome === 'failed') {
    showMessage('', s.message || 'The run failed.');
    $('hint').textContent = s.hint || '';
  }
  refreshFigures();
}

function stop() {
  if (state.running) worker.postMessage({ cmd: 'stop' });
}

async function reset() {
  const r = await call('reset');
  if (!r.ok) return showMessage('', r.message);
  setInfo(r.info);
  $('hint').textContent = 'Every weight is 0 again; the epoch count and the SSE history stay.';
  refreshFigures();
}

// ---- Charts -----------------------------------------------------------------------------

function prepareCanvas(canvas) {
  const ratio = window.devicePixelRatio || 1;
  const width = Math.max(1, canvas.clientWidth);
  const height = Math.max(1, canvas.clientHeight);
  canvas.width = Math.round(width * ratio);
  canvas.height = Math.round(height * ratio);
  const g = canvas.getContext('2d');
  g.setTransform(ratio, 0, 0, ratio, 0, 0);
  g.clearRect(0, 0, width, height);
  return { g, width, height };
}

// Total SSE (up) against epochs (across), from 0 to the largest value.
function drawCurve(canvas, rows, what) {
  const { g, width, height } = prepareCanvas(canvas);
  const left = 56, right = 12, top = 12, bottom = 34;
  g.fillStyle = '#ffffff';
  g.fillRect(0, 0, width, height);
  g.strokeStyle = '#333333';
  g.lineWidth = 1;
  g.beginPath();
  g.moveTo(left, top);
  g.lineTo(left, height - bottom);
  g.lineTo(width - right, height - bottom);
  g.stroke();
  g.fillStyle = '#222222';
  g.font = '12px system-ui, sans-serif';
  g.fillText('Epochs', width / 2 - 20, height - 4);
  g.save();
  g.translate(14, (height - bottom) / 2 + 28);
  g.rotate(-Math.PI / 2);
  g.fillText('Total SSE', 0, 0);
  g.restore();
  if (rows.length === 0) {
    g.fillStyle = '#4a4a4a';
    g.fillText('The total SSE is drawn here as the memory trains.', left + 12, (height - bottom) / 2);
    canvas.setAttribute('aria-label', `${what}: no history yet`);
    return;
  }
  const firstEpoch = rows[0][0];
  const lastEpoch = rows[rows.length - 1][0];
  const top2 = Math.max(...rows.map((r) => r[1]));
  const maxY = top2 > 0 ? top2 : 1;
  const spanX = lastEpoch > firstEpoch ? lastEpoch - firstEpoch : 1;
  const x = (e) => left + ((e - firstEpoch) / spanX) * (width - left - right);
  const tall = height - top - bottom;
  let y = (v) => height - bottom - (v / maxY) * tall;
  let lowLabel = '0', highLabel = fourDigits(maxY);
  const logarithmic = $('log-scale').checked;
  if (logarithmic) {
    // Whole powers of ten from below the smallest positive total to above the largest; a
    // total of 0 sits on the floor.
    const positive = rows.map((r) => r[1]).filter((v) => v > 0);
    const high = Math.ceil(Math.log10(maxY));
    const low = Math.min(high - 1, Math.floor(Math.log10(positive.length ? Math.min(...positive) : maxY)));
    y = (v) => height - bottom - ((Math.log10(Math.max(v, 10 ** low)) - low) / (high - low)) * tall;
    lowLabel = `1e${low}`;
    highLabel = `1e${high}`;
  }
  g.fillText(highLabel, left - 6 - g.measureText(highLabel).width, top + 10);
  g.fillText(lowLabel, left - 6 - g.measureText(lowLabel).width, height - bottom);
  g.fillText(String(firstEpoch), left, height - bottom + 14);
  const lastLabel = String(lastEpoch);
  g.fillText(lastLabel, width - right - g.measureText(lastLabel).width, height - bottom + 14);
  g.strokeStyle = '#1d4f91';
  g.lineWidth = 2;
  g.beginPath();
  rows.forEach((r, k) => (k === 0 ? g.moveTo(x(r[0]), y(r[1])) : g.lineTo(x(r[0]), y(r[1]))));
  g.stroke();
  if (rows.length === 1) {
    g.fillStyle = '#1d4f91';
    g.fillRect(x(rows[0][0]) - 2, y(rows[0][1]) - 2, 4, 4);
  }
  const last = rows[rows.length - 1];
  canvas.setAttribute('aria-label',
    `${what}${logarithmic ? ' (logarithmic axis)' : ''}: ${rows.length} recorded epochs, from ${fourDigits(rows[0][1])} at epoch ${firstEpoch} to ${fourDigits(last[1])} at epoch ${last[0]}`);
}

// The history keeps a fixed number of rows; a run that fills them is said to go on beyond.
const historyRows = 2000;
function historyNote(rows) {
  return rows.length >= historyRows
    ? `The SSE history holds ${historyRows} recorded epochs; later ones are not drawn. More epochs between printouts record a longer run.`
    : '';
}

function drawLive() {
  drawCurve($('live-chart'), state.live, 'Total SSE while training');
  $('live-note').textContent = historyNote(state.live);
}

async function refreshChart() {
  const { rows } = await call('history');
  drawCurve($('sse-chart'), rows, 'Total SSE by epoch');
  $('chart-note').textContent = historyNote(rows);
  const body = $('sse-table').tBodies[0];
  body.replaceChildren(...rows.map(([epoch, sse]) => {
    const tr = document.createElement('tr');
    const a = document.createElement('td');
    a.textContent = epoch;
    const b = document.createElement('td');
    b.textContent = String(sse);
    tr.append(a, b);
    return tr;
  }));
}

// ---- Look inside ------------------------------------------------------------------------

// Blue at -limit, white at 0, red at +limit.
function diverging(v, limit) {
  if (!(limit > 0)) return [255, 255, 255];
  const t = Math.max(-1, Math.min(1, v / limit));
  const pale = Math.round(255 * (1 - Math.abs(t)));
  return t < 0 ? [pale, pale, 255] : [255, pale, pale];
}

function grey(v, low, high) {
  const level = high > low ? Math.round((255 * (v - low)) / (high - low)) : 128;
  const c = Math.max(0, Math.min(255, level));
  return [c, c, c];
}

// Cells of `columns` across, each coloured by `colour`, fitting `maxWidth` CSS pixels.
function drawCells(canvas, values, columns, colour, maxWidth, maxCell) {
  const rows = columns > 0 ? Math.ceil(values.length / columns) : 0;
  const cell = Math.max(2, Math.min(maxCell, Math.floor(maxWidth / Math.max(1, columns))));
  canvas.width = Math.max(1, columns * cell);
  canvas.height = Math.max(1, rows * cell);
  const g = canvas.getContext('2d');
  g.fillStyle = '#ffffff';
  g.fillRect(0, 0, canvas.width, canvas.height);
  values.forEach((v, k) => {
    const [r, gr, b] = colour(v);
    g.fillStyle = `rgb(${r},${gr},${b})`;
    g.fillRect((k % columns) * cell, Math.floor(k / columns) * cell, cell, cell);
  });
  return cell;
}

// The weights as one picture per output unit, laid out as the input patterns are (one row
// per output unit when an input is a single row): blue negative, white 0, red positive.
let heat = null;
function heatLayout(w, room) {
  const across = w.input_width > 0 && w.input_width < w.inputs ? w.input_width : w.inputs;
  const down = across > 0 ? Math.ceil(w.inputs / across) : 0;
  if (across === w.inputs) {
    const cell = Math.max(2, Math.min(24, Math.floor(room / Math.max(1, across))));
    return { across, down: 1, cell, gap: 0, label: 0, perRow: 1, tileW: across * cell, tileH: cell };
  }
  const gap = 10, label = 16;
  const fits = (c) => Math.max(1, Math.floor((room + gap) / (across * c + gap)));
  // Every unit in one row while the cells stay large enough to see; else at least four
  // units a row, as large as they can be.
  let cell = 14;
  while (cell > 8 && fits(cell) < w.outputs) cell -= 1;
  if (fits(cell) < w.outputs) {
    cell = 14;
    while (cell > 3 && fits(cell) < Math.min(w.outputs, 4)) cell -= 1;
  }
  const perRow = fits(cell);
  return { across, down, cell, gap, label, perRow, tileW: across * cell, tileH: down * cell };
}

// Beyond this many weights a picture has more cells than a screen has pixels.
const mostWeightsDrawn = 1000000;

async function refreshWeights() {
  const info = state.info;
  if (info.inputs * info.outputs > mostWeightsDrawn) {
    heat = null;
    const canvas = $('heatmap');
    canvas.width = 1;
    canvas.height = 1;
    canvas.setAttribute('aria-label', 'Weights: too many to draw');
    $('heat-note').textContent = `This network has ${(info.inputs * info.outputs).toLocaleString()} weights, too many to draw here: the weights CSV holds them all.`;
    $('heat-scale').textContent = '';
    return;
  }
  const w = await call('weights');
  const canvas = $('heatmap');
  const room = Math.max(120, canvas.parentElement.clientWidth - 8);
  const L = heatLayout(w, room);
  heat = { ...w, layout: L, chosen: null };
  drawHeat();
  canvas.classList.toggle('tiles', L.label > 0);
  $('heat-note').textContent = L.label
    ? `One picture per output unit: its weights from the ${w.inputs} input units, laid out as the input patterns are. Blue for negative weights, white for 0, red for positive ones.`
    : 'One row per output unit, one column per input unit: blue for negative weights, white for 0, red for positive ones.';
  canvas.setAttribute('aria-label',
    `Weights of ${w.outputs} output units from ${w.inputs} input units, from blue ${fourDigits(-w.limit)} to red ${fourDigits(w.limit)}. Arrow keys choose a weight to read.`);
  $('heat-scale').textContent = w.limit > 0
    ? `Scale: ${fourDigits(-w.limit)} blue, 0 white, ${fourDigits(w.limit)} red. Choose a cell (or use the arrow keys) to read its weight.`
    : 'Every weight is 0.';
}

// Where the weight from input unit i to output unit j (from 0) is drawn.
function heatSpot(j, i) {
  const L = heat.layout;
  const x0 = (j % L.perRow) * (L.tileW + L.gap);
  const y0 = Math.floor(j / L.perRow) * (L.tileH + L.label + L.gap);
  return { x: x0 + (i % L.across) * L.cell, y: y0 + Math.floor(i / L.across) * L.cell, x0, y0 };
}

function drawHeat() {
  const canvas = $('heatmap');
  const L = heat.layout;
  const rowsOfTiles = Math.ceil(heat.outputs / L.perRow);
  canvas.width = Math.max(1, Math.min(heat.outputs, L.perRow) * (L.tileW + L.gap) - L.gap);
  canvas.height = Math.max(1, rowsOfTiles * (L.tileH + L.label + L.gap));
  const g = canvas.getContext('2d');
  g.fillStyle = '#ffffff';
  g.fillRect(0, 0, canvas.width, canvas.height);
  g.font = '12px system-ui, sans-serif';
  heat.weights.forEach((row, j) => {
    row.forEach((v, i) => {
      const [r, gr, b] = diverging(v, heat.limit);
      const at = heatSpot(j, i);
      g.fillStyle = `rgb(${r},${gr},${b})`;
      g.fillRect(at.x, at.y, L.cell, L.cell);
    });
    if (L.label) {
      const { x0, y0 } = heatSpot(j, 0);
      g.strokeStyle = '#999999';
      g.strokeRect(x0 + 0.5, y0 + 0.5, L.tileW - 1, L.tileH - 1);
      g.fillStyle = '#222222';
      g.fillText(`Unit ${j + 1}`, x0, y0 + L.tileH + 12);
    }
  });
  if (heat.chosen) {
    const at = heatSpot(heat.chosen.j, heat.chosen.i);
    g.strokeStyle = '#000000';
    g.lineWidth = 2;
    g.strokeRect(at.x + 1, at.y + 1, Math.max(1, L.cell - 2), Math.max(1, L.cell - 2));
  }
}

function chooseWeight(at) {
  heat.chosen = at;
  drawHeat();
  $('heat-scale').textContent =
    `Output unit ${at.j + 1}, input unit ${at.i + 1}: weight ${heat.weights[at.j][at.i]}`;
  $('explain-unit').value = at.j + 1;
}

// The output unit and input unit under a point of the weights' picture, from 0, or nothing.
function heatCell(x, y) {
  const L = heat.layout;
  if (!L.label) {
    const i = Math.floor(x / L.cell), j = Math.floor(y / L.cell);
    return j < heat.outputs && i < heat.inputs ? { j, i } : null;
  }
  const col = Math.floor(x / (L.tileW + L.gap)), row = Math.floor(y / (L.tileH + L.label + L.gap));
  const cx = x - col * (L.tileW + L.gap), cy = y - row * (L.tileH + L.label + L.gap);
  if (col >= L.perRow || cx >= L.tileW || cy >= L.tileH) return null;
  const j = row * L.perRow + col;
  const i = Math.floor(cy / L.cell) * L.across + Math.floor(cx / L.cell);
  return j < heat.outputs && i < heat.inputs ? { j, i } : null;
}

function scaleText(s) {
  return s.diverging ? `${fourDigits(s.low)} blue to ${fourDigits(s.high)} red`
    : `${fourDigits(s.low)} black to ${fourDigits(s.high)} white`;
}

function clearPictures() {
  for (const id of ['pic-input', 'pic-desired', 'pic-recalled', 'pic-error']) {
    const c = $(id);
    c.width = 1;
    c.height = 1;
  }
}

async function showPictures() {
  const p = wholeNumber($('picture-pattern').value);
  const patterns = state.info ? state.info.patterns : 0;
  if (!(p >= 1 && p <= patterns)) {
    setText($('pictures-message'), `Please enter a whole pattern number from 1 to ${patterns}.`);
    $('picture-pattern').focus();
    $('picture-pattern').select();
    return;
  }
  const r = await call('patternPictures', p);
  if (!r.ok) return setText($('pictures-message'), r.message);
  setText($('pictures-message'), '');
  state.picturesShown = true;
  const pictures = [
    ['input', r.input, r.input_width, r.input_scale, 'Input'],
    ['desired', r.desired, r.output_width, r.output_scale, 'Desired output'],
    ['recalled', r.recalled, r.output_width, r.output_scale, 'Recalled output'],
    ['error', r.error, r.output_width, r.error_scale, 'Error (desired - recalled)'],
  ];
  for (const [id, values, width, s, title] of pictures) {
    const colour = s.diverging ? (v) => diverging(v, s.high) : (v) => grey(v, s.low, s.high);
    drawCells($(`pic-${id}`), values, width, colour, 150, 24);
    const text = `${title} of pattern ${p}: ${scaleText(s)}`;
    $(`pic-${id}`).setAttribute('aria-label', `${text}. Values: ${values.map(sixDigits).join(', ')}`);
    $(`cap-${id}`).textContent = text;
  }
}

function renderMeasures() {
  const { key, ascending } = state.sort;
  const rows = [...state.measures].sort((a, b) =>
    (ascending ? a[key] - b[key] : b[key] - a[key]) || a.pattern - b.pattern);
  const body = $('test-all-table').tBodies[0];
  body.replaceChildren(...rows.map((row) => {
    const tr = document.createElement('tr');
    for (const k of ['pattern', 'sse', 'ndp', 'nvl', 'vcor']) {
      const td = document.createElement(k === 'pattern' ? 'th' : 'td');
      if (k === 'pattern') td.scope = 'row';
      td.textContent = k === 'pattern' ? row[k] : sixDigits(row[k]);
      td.title = String(row[k]);
      tr.append(td);
    }
    return tr;
  }));
  for (const th of $('test-all-table').tHead.rows[0].cells) {
    const button = th.querySelector('button');
    if (button.dataset.key === key) th.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
    else th.removeAttribute('aria-sort');
  }
  show($('test-all-table'), true);
}

async function testAll() {
  const r = await call('testAll');
  if (!r.ok) return showMessage('', r.message);
  state.measures = r.rows;
  renderMeasures();
}

async function explain() {
  const p = wholeNumber($('explain-pattern').value);
  const j = wholeNumber($('explain-unit').value);
  const info = state.info;
  const out = $('explain-text');
  if (!(p >= 1 && p <= info.patterns)) {
    out.textContent = `Please enter a whole pattern number from 1 to ${info.patterns}.`;
  } else if (!(j >= 1 && j <= info.outputs)) {
    out.textContent = `Please enter a whole output unit number from 1 to ${info.outputs}.`;
  } else {
    const r = await call('explainUnit', p, j);
    out.textContent = r.ok ? r.lines.join('\n') : r.message;
    out.title = r.ok ? r.exact.join('\n') : '';
  }
  show(out, true);
}

async function refreshFigures() {
  try {
    await refreshChart();
    await refreshWeights();
    if (state.measures) await testAll();
    if (state.picturesShown) await showPictures();
  } catch (error) {
    showMessage('', failure(error));
  }
}

// ---- Probe, report, save and open, exports ----------------------------------------------

async function probe() {
  const r = await call('probe', $('pattern').value);
  if (!r.ok) {
    setText($('probe-message'), `${r.title}: ${r.message}`);
    $('pattern').focus();
    $('pattern').select();
    return;
  }
  setText($('probe-message'), '');
  $('probe-text').textContent = r.text;
}

function analysisTime(now = new Date()) {
  return {
    date: new Intl.DateTimeFormat(undefined, { dateStyle: 'short' }).format(now),
    time: new Intl.DateTimeFormat(undefined, { timeStyle: 'medium' }).format(now),
  };
}

async function report() {
  const sections = [...document.querySelectorAll('input[name=section]:checked')].map((c) => c.value);
  const when = analysisTime();
  const r = await call('report', JSON.stringify({ sections: sections.join(','), ...when }));
  if (!r.ok) return setText($('report-message'), r.message);
  setText($('report-message'), '');
  $('report-text').textContent = r.text;
  show($('report-text'), true);
  download(r.name, r.text, 'text/plain');
}

async function saveNetwork() {
  const r = await call('saveNetwork');
  if (!r.ok) return ($('network-message').textContent = r.message);
  download(r.name, r.text, 'application/json');
  $('network-message').textContent = `Network saved as ${r.name} (in your downloads).`;
}

function fillForm(form) {
  $(form.rule === 'delta' ? 'rule-delta' : 'rule-hebb').checked = true;
  $('test-epochs').checked = form.epoch_test;
  $('test-error').checked = form.error_test;
  $('epochs').value = form.epochs;
  $('print-interval').value = form.print_interval;
  $('rate').value = form.rate;
  $('min-error').value = form.min_error;
  $('order').value = form.order;
  $('seed').value = form.seed;
}

async function openSavedNetwork(file) {
  if (!file) return;
  const bytes = new Uint8Array(await file.arrayBuffer());
  let r = await call('openSavedNetwork', file.name, bytes);
  let note = '';
  // A network of a shipped example opens that example first.
  if (!r.ok && r.wrong_training_file && state.examples.includes(r.training_name) &&
      !(state.info && state.info.file === r.training_name)) {
    const name = r.training_name;
    if (await openExample(name)) {
      r = await call('openSavedNetwork', file.name, bytes);
      note = `, with the example ${name} it was trained on`;
    }
  }
  if (!r.ok) {
    $('network-message').textContent = '';
    showMessage('Open Saved Network', r.message);
    return;
  }
  clearMessage();
  fillForm(r.form);
  showDisplay(r.display);
  setInfo(r.info);
  state.live = [];
  drawLive();
  $('network-message').textContent = `Opened the saved network ${file.name}${note}.`;
  await refreshFigures();
}

async function exportCsv(cmd) {
  const r = await call(cmd);
  if (!r.ok) return showMessage('', r.message);
  download(r.name, r.text, 'text/csv');
}

// ---- Exercise links ---------------------------------------------------------------------

// index.html?example=letters.net&rule=delta&rate=0.1&epochs=100&run=1
function applyLinkSettings(params) {
  const rule = params.get('rule');
  if (rule === 'hebb' || rule === 'delta') $(`rule-${rule}`).checked = true;
  const boxes = { rate: 'rate', epochs: 'epochs', min_error: 'min-error', print_interval: 'print-interval', seed: 'seed' };
  for (const [name, id] of Object.entries(boxes)) {
    if (params.has(name)) $(id).value = params.get(name);
  }
  const stopping = params.get('stop');
  if (['epochs', 'error', 'both'].includes(stopping)) {
    $('test-epochs').checked = stopping !== 'error';
    $('test-error').checked = stopping !== 'epochs';
  }
  const order = params.get('order');
  if (order === 'file' || order === 'permuted') $('order').value = order;
}

// ---- Wiring -----------------------------------------------------------------------------

function wire() {
  $('load-example').addEventListener('click', () => openExample($('example').value));
  $('file').addEventListener('change', async (e) => {
    await openLocalFile(e.target.files[0]);
    e.target.value = ''; // the same file chosen again is read again
  });
  const drop = $('drop');
  drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (e) => {
    e.preventDefault();
    drop.classList.remove('over');
    if (!state.running) openLocalFile(e.dataTransfer.files[0]);
  });
  $('setup').addEventListener('submit', (e) => { e.preventDefault(); train('start'); });
  $('continue').addEventListener('click', () => train('continue'));
  $('stop').addEventListener('click', stop);
  $('reset').addEventListener('click', reset);
  document.addEventListener('keydown', (e) => { if (e.key === 'Escape') stop(); });
  $('order').addEventListener('change', updateControls);
  $('log-scale').addEventListener('change', () => {
    drawLive();
    if (state.info) refreshChart();
  });
  $('probe-form').addEventListener('submit', (e) => { e.preventDefault(); probe(); });
  $('download-report').addEventListener('click', report);
  $('pictures-form').addEventListener('submit', (e) => { e.preventDefault(); showPictures(); });
  $('test-all').addEventListener('click', testAll);
  $('test-all-table').tHead.addEventListener('click', (e) => {
    const button = e.target.closest('button');
    if (!button || !state.measures) return;
    const key = button.dataset.key;
    state.sort = { key, ascending: state.sort.key === key ? !state.sort.ascending : true };
    renderMeasures();
  });
  $('explain-form').addEventListener('submit', (e) => { e.preventDefault(); explain(); });
  $('heatmap').addEventListener('click', (e) => {
    if (!heat) return;
    const box = e.target.getBoundingClientRect();
    const scale = e.target.width / box.width;
    const at = heatCell((e.clientX - box.left) * scale, (e.clientY - box.top) * scale);
    if (at) chooseWeight(at);
  });
  // Left and right choose the input unit, up and down the output unit.
  $('heatmap').addEventListener('keydown', (e) => {
    const steps = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] };
    if (!heat || !steps[e.key] || heat.outputs === 0 || heat.inputs === 0) return;
    e.preventDefault();
    const from = heat.chosen || { j: 0, i: 0 };
    const [dj, di] = heat.chosen ? steps[e.key] : [0, 0];
    chooseWeight({
      j: Math.max(0, Math.min(heat.outputs - 1, from.j + dj)),
      i: Math.max(0, Math.min(heat.inputs - 1, from.i + di)),
    });
  });
  $('save-network').addEventListener('click', saveNetwork);
  $('open-network-button').addEventListener('click', () => $('open-network').click());
  $('open-network').addEventListener('change', (e) => {
    openSavedNetwork(e.target.files[0]);
    e.target.value = '';
  });
  $('csv-weights').addEventListener('click', () => exportCsv('weightsCsv'));
  $('csv-measures').addEventListener('click', () => exportCsv('measuresCsv'));
  $('csv-history').addEventListener('click', () => exportCsv('historyCsv'));
  let resizeFrame = 0;
  window.addEventListener('resize', () => {
    cancelAnimationFrame(resizeFrame);
    resizeFrame = requestAnimationFrame(() => {
      drawLive();
      if (state.info) refreshFigures();
    });
  });
}

async function start() {
  wire();
  updateControls();
  drawLive();
  drawCurve($('sse-chart'), [], 'Total SSE by epoch');
  if ('serviceWorker' in navigator &&
      (location.protocol === 'https:' || ['localhost', '127.0.0.1', '[::1]'].includes(location.hostname))) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
  try {
    await workerReady;
    await call('setNumberSigns', numberSigns.decimal, numberSigns.group);
  } catch (error) {
    $('loading').textContent = `The memory program could not be started in this browser: ${error.message}`;
    $('loading').classList.add('problem');
    return;
  }
  try {
    const response = await fetch('examples/index.json');
    state.examples = response.ok ? await response.json() : [];
  } catch {
    state.examples = [];
  }
  $('example').replaceChildren(...state.examples.map((name) => new Option(name, name)));
  // The letters show the most inside; any other list starts at its first file.
  if (state.examples.includes('letters.net')) $('example').value = 'letters.net';
  $('loading').textContent = 'Ready: choose a training file.';
  state.ready = true;
  updateControls();

  const params = new URLSearchParams(location.search);
  applyLinkSettings(params);
  updateControls();
  if (params.has('example')) {
    const name = params.get('example');
    if (state.examples.includes(name)) $('example').value = name;
    if (await openExample(name) && params.get('run') === '1') train('start');
  }
  document.body.dataset.ready = 'true';
}

start();
