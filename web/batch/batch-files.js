// batch(args, files): mnemex-batch run inside the module. `args` is its argument list (the
// training file's name first); `files` maps names (relative to the run's folder) to their
// contents, bytes or strings. The answer: { exit, stdout, stderr, files }, where files maps
// each name the run wrote or changed to its bytes.
Module['batch'] = function (args, files) {
  files = files || {};
  var encoder = new TextEncoder();
  var root = '/batch-run-' + (Module['batchRuns'] = (Module['batchRuns'] || 0) + 1);
  FS.mkdir(root);
  var given = {};
  Object.keys(files).forEach(function (name) {
    var content = files[name];
    var bytes = typeof content === 'string' ? encoder.encode(content) : new Uint8Array(content);
    var parts = name.split('/').filter(function (part) { return part.length > 0; });
    var folder = root;
    for (var k = 0; k + 1 < parts.length; ++k) {
      folder += '/' + parts[k];
      if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
    }
    FS.writeFile(root + '/' + parts.join('/'), bytes);
    given[parts.join('/')] = bytes;
  });

  var streams = Module['capturedStreams'];
  streams.out.length = 0;
  streams.err.length = 0;
  var list = new Module['StringList']();
  var exit;
  FS.chdir(root);
  try {
    args.forEach(function (arg) { list.push_back(String(arg)); });
    exit = Module['runBatchCommand'](list);
  } finally {
    list.delete();
    FS.chdir('/');
  }

  var written = {};
  var sameBytes = function (a, b) {
    if (!a || a.length !== b.length) return false;
    for (var i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
    return true;
  };
  var collect = function (folder, prefix) {
    FS.readdir(folder).forEach(function (entry) {
      if (entry === '.' || entry === '..') return;
      var path = folder + '/' + entry;
      var name = prefix + entry;
      var mode = FS.stat(path).mode;
      if (FS.isDir(mode)) {
        collect(path, name + '/');
        FS.rmdir(path);
        return;
      }
      if (FS.isFile(mode)) {
        var bytes = FS.readFile(path);
        if (!sameBytes(given[name], bytes)) written[name] = bytes;
      }
      FS.unlink(path);
    });
  };
  collect(root, '');
  FS.rmdir(root);
  return {
    exit: exit,
    stdout: Uint8Array.from(streams.out),
    stderr: Uint8Array.from(streams.err),
    files: written,
  };
};
