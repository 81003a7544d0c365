// The memory program in its own thread: the page asks, the session answers. A run is
// trained in slices of about 40 ms, with a pause for messages between them, so the page
// stays responsive and a Stop ends the run within a slice.
import createMnemex from './mnemex-core.mjs';

let session = null;
let running = false;

const ready = createMnemex().then((M) => {
  session = new M.WebSession();
  return M;
});
ready.then(
  () => postMessage({ type: 'ready' }),
  (error) => postMessage({ type: 'failed', message: String(error && error.message || error) }));

const sliceTarget = 40; // milliseconds per slice
const pause = () => new Promise((resume) => setTimeout(resume, 0));

function answer(text) {
  return typeof text === 'string' ? JSON.parse(text) : text;
}

// Trains the prepared run to its end, posting the display and new SSE rows after every slice.
async function train() {
  running = true;
  let epochs = 1;
  try {
    for (;;) {
      const begun = performance.now();
      const slice = answer(session.advance(epochs));
      const took = performance.now() - begun;
      postMessage({ type: 'slice', slice });
      if (!slice.ok || slice.ended) break;
      // The next slice sized from this one's pace: about sliceTarget ms, never more than
      // doubling, so one slow epoch cannot make a slice that outlasts a Stop.
      const perEpoch = Math.max(took, 0.01) / epochs;
      epochs = Math.max(1, Math.min(epochs * 2, Math.floor(sliceTarget / perEpoch), 1e9));
      await pause();
    }
  } catch (error) {
    postMessage({ type: 'slice', slice: { ok: false, ended: true, outcome: 'failed',
      message: String(error && error.message || error) } });
  } finally {
    running = false;
  }
}

self.onmessage = async (event) => {
  const { id, cmd, args = [] } = event.data;
  if (cmd === 'stop') {
    if (running && session) session.requestStop();
    return;
  }
  try {
    await ready;
    if (cmd === 'train') {
      if (running) throw new Error('Training is under way: stop it first.');
      const prepared = answer(session.prepare(args[0]));
      postMessage({ id, result: prepared });
      if (prepared.ok && prepared.accepted) train();
      return;
    }
    if (typeof session[cmd] !== 'function') throw new Error(`unknown request ${cmd}`);
    const result = session[cmd](...args);
    postMessage({ id, result: result === undefined ? null : answer(result) });
  } catch (error) {
    postMessage({ id, error: String(error && error.message || error) });
  }
};
