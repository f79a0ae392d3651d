// Runs before the WebAssembly runtime starts: the page begins from the
// runtime's documented ready hook, once the plug-in's code can be called.
Module['onRuntimeInitialized'] = () => Module.startEditor();
