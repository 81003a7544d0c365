// The module's standard output and error, captured byte by byte through the file system's
// own streams (no line callbacks, which would lose a last line without its newline), and an
// empty standard input.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Module['capturedStreams'] = { out: [], err: [] };
  FS.init(
    function () { return null; },
    function (byte) { if (byte !== null && byte !== undefined) Module['capturedStreams'].out.push(byte); },
    function (byte) { if (byte !== null && byte !== undefined) Module['capturedStreams'].err.push(byte); }
  );
});
