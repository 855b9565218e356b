// Prepended to the suites built for node: the program sees the environment
// node was started with (TMPDIR and the like), as a native program does.
Module['preRun'] = (Module['preRun'] || []).concat([function () {
  for (var name in process.env) ENV[name] = process.env[name];
}]);
