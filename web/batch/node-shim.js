// Under Node, the module's loader uses require and __dirname, which an ES module does not
// have; in a browser both stay undefined and nothing here runs.
const mnemexOnNode = typeof process === 'object' && typeof process.versions === 'object' &&
  typeof process.versions.node === 'string';
const require = mnemexOnNode ? (await import('module')).createRequire(import.meta.url) : undefined;
const __dirname = mnemexOnNode ?
  require('path').dirname(require('url').fileURLToPath(import.meta.url)) : undefined;
