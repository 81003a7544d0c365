// Node's fetch cannot read a file path, so under Node the module's code is read from the
// file beside this one (__dirname comes from node-shim.js).
if (typeof require === 'function' && !Module['wasmBinary']) {
  Module['wasmBinary'] = require('fs').readFileSync(require('path').join(__dirname, 'mnemex-core.wasm'));
}
