// Opening and saving through the browser's file handles, where it has them
// (Chromium-based browsers, Edge among them): a file opened so can be saved
// back into itself. Everything here can be refused by the browser or by the
// player; each refusal comes back as a reason, and the page then saves as a
// download as before, nothing lost. Browsers without handles never get here.
(() => {
'use strict';

// The reasons a browser gives, by the name of the error it throws.
const reasonOf = (error) => ({ NotAllowedError: 'not-allowed', SecurityError: 'protected',
  AbortError: 'cancelled', NoModificationAllowedError: 'read-only' }[error && error.name] || 'failed');

Module.pellimoreFiles = {
  // Whether this browser can open a file for saving back into it.
  canKeepFiles: () => typeof window.showOpenFilePicker === 'function',

  // Asks the browser for a settings file: { handle, file } or { refused: reason }.
  async pick() {
    try {
      const [handle] = await window.showOpenFilePicker({ multiple: false,
        types: [{ description: 'Pellimore.ini', accept: { 'text/plain': ['.ini', '.txt'] } }] });
      return { handle, file: await handle.getFile() };
    } catch (error) {
      return { refused: reasonOf(error) };
    }
  },

  // The handle of a dropped file, where the browser grants one; it must be asked before the drop event ends.
  handleOfDrop(event) {
    const item = event.dataTransfer.items && event.dataTransfer.items[0];
    return item && typeof item.getAsFileSystemHandle === 'function' ? item.getAsFileSystemHandle() : null;
  },

  // Writes the bytes into the file the handle names, after the browser's own permission prompt:
  // '' when written, or the reason it was not.
  async write(handle, bytes) {
    try {
      const options = { mode: 'readwrite' };
      if (handle.queryPermission && (await handle.queryPermission(options)) !== 'granted' &&
          (await handle.requestPermission(options)) !== 'granted')
        return 'not-allowed';
      const writable = await handle.createWritable();
      await writable.write(bytes);
      await writable.close();
      return '';
    } catch (error) {
      return reasonOf(error);
    }
  },
};
})();
