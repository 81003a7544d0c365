// The teacher's link builder: the form's choices as an exercise link of the trainer.
const $ = (id) => document.getElementById(id);

function build() {
  const params = new URLSearchParams();
  params.set('example', $('b-example').value);
  params.set('rule', $('b-rule').value);
  params.set('rate', $('b-rate').value.trim());
  params.set('epochs', $('b-epochs').value.trim());
  params.set('min_error', $('b-min-error').value.trim());
  params.set('stop', $('b-stop').value);
  params.set('print_interval', $('b-print').value.trim());
  params.set('order', $('b-order').value);
  if ($('b-order').value === 'permuted') params.set('seed', $('b-seed').value.trim());
  if ($('b-run').checked) params.set('run', '1');
  const link = new URL(`index.html?${params}`, location.href);
  $('built-link').href = link.href;
  $('built-link').textContent = link.href;
}

async function start() {
  let names = [];
  try {
    names = await (await fetch('examples/index.json')).json();
  } catch {
    names = ['letters.net'];
  }
  $('b-example').replaceChildren(...names.map((n) => new Option(n, n)));
  if (names.includes('letters.net')) $('b-example').value = 'letters.net';
  $('builder').addEventListener('input', build);
  $('builder').addEventListener('change', build);
  build();
}

start();
