// The page around the game: the canvas picture, the message box, the saved folder in
// IndexedDB, importing and downloading levels. Runs before the game (--pre-js).
var TobuPage = {
  testMode: new URLSearchParams(location.search).has('test'),
  changed: false,
  saving: null,
  canvas: null,
  firstFrameAt: 0,  // ms after navigation started (the tests report it)
  context: null,

  showFrame: function (pointer) {
    if (!this.context) {
      this.canvas = document.getElementById('canvas');
      this.context = this.canvas.getContext('2d');
    }
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, pointer, 640 * 480 * 4);
    this.context.putImageData(new ImageData(pixels, 640, 480), 0, 0);
    if (!this.firstFrameAt) this.firstFrameAt = performance.now();
  },

  stopped: false,        // another tab plays: this one runs no tick
  writesStopped: false,  // ... and, once its files are saved, writes nothing

  // The game's message box; messages that come while one is shown follow it in turn.
  messages: [],
  showMessage: function (message) {
    console.error('tobu: ' + message);
    var dialog = document.getElementById('message');
    if (dialog.open) {
      this.messages.push(message);
      return;
    }
    dialog.querySelector('p').textContent = message;
    dialog.showModal();
    if (!dialog.tobuWatched) {
      dialog.tobuWatched = true;
      var page = this;
      dialog.addEventListener('close', function () {
        if (page.messages.length) page.showMessage(page.messages.shift());
      });
    }
  },
  // Full screen as asked: the request is answered later, and the player's own key (or
  // the browser) may leave it at any time.
  fullScreenAsked: null,
  setFullScreen: function (on) {
    var page = this;
    var settled = function () { page.fullScreenAsked = null; };
    this.fullScreenAsked = on;
    var asked = on ? (document.fullscreenElement ? null : document.documentElement.requestFullscreen())
                   : (document.fullscreenElement ? document.exitFullscreen() : null);
    if (asked) asked.then(settled, settled); else settled();
  },
  fullScreen: function () {
    return this.fullScreenAsked !== null ? this.fullScreenAsked : !!document.fullscreenElement;
  },
  messageOpen: function () { return document.getElementById('message').open || this.messages.length > 0; },
  showPointer: function (shown) { document.getElementById('canvas').style.cursor = shown ? 'default' : 'none'; },
  // The game closed (Escape on the first menu): a card over the frame, and a key or a
  // tap starts the game afresh from its saved files, as starting the program would.
  showClosed: function () {
    document.getElementById('ended').hidden = false;
    var page = this;
    // Listening at once: a key pressed right after the card shows must not be lost to a
    // timer the browser may hold back. The Escape that closed the game, still on its way
    // through the page, is older than the card and is left alone.
    var shownAt = performance.now();
    var again = function (event) {
      if (event.repeat || event.timeStamp <= shownAt) return;
      event.preventDefault();
      ['keydown', 'pointerdown'].forEach(function (n) { document.removeEventListener(n, again, true); });
      page.filesSaved().then(function () { location.reload(); });
    };
    ['keydown', 'pointerdown'].forEach(function (n) { document.addEventListener(n, again, true); });
  },

  // Every write ends in a close, a rename or an unlink; any of them marks the folder changed.
  watchFiles: function () {
    var page = this;
    ['close', 'rename', 'unlink', 'rmdir', 'mkdir'].forEach(function (name) {
      var original = FS[name];
      FS[name] = function () {
        var stream = arguments[0];
        if (name !== 'close' || (stream && (stream.flags & 3) !== 0)) page.changed = true;
        return original.apply(FS, arguments);
      };
    });
  },

  // Writes the saved folder to IndexedDB; a write during a save is saved right after it.
  saveFilesIfChanged: function () {
    if (!this.changed || this.saving || this.writesStopped) return;
    this.changed = false;
    var page = this;
    this.saving = new Promise(function (resolve) {
      FS.syncfs(false, function (error) {
        if (error) console.error('tobu: cannot save the files: ' + error);
        page.saving = null;
        resolve();
        page.saveFilesIfChanged();
      });
    });
  },
  // Resolves when every change so far is in IndexedDB (the tests wait for it).
  filesSaved: async function () {
    this.saveFilesIfChanged();
    while (this.saving) await this.saving;
  },

  importLevels: async function (files) {
    for (var i = 0; i < files.length; i++) {
      var name = files[i].name.replace(/^.*[\\/]/, '');
      if (!/^[^\/]+\.vel$/i.test(name)) {
        this.showMessage('Not a level file: ' + name);
        continue;
      }
      var bytes = new Uint8Array(await files[i].arrayBuffer());
      FS.writeFile('/tobu/Levels/' + name, bytes);
    }
    this.changed = true;
    await this.filesSaved();
  },

  downloadLevels: function () {
    var names = FS.readdir('/tobu/Levels').filter(function (n) { return /\.vel$/i.test(n); }).sort();
    var files = names.map(function (n) { return { name: n, bytes: FS.readFile('/tobu/Levels/' + n) }; });
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([TobuPage.tar(files)], { type: 'application/x-tar' }));
    link.download = 'tobu-levels.tar';
    link.click();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  },

  // A plain ustar archive: a 512-byte header per file, the bytes padded to 512, two empty blocks.
  tar: function (files) {
    var size = 1024;
    files.forEach(function (f) { size += 512 + Math.ceil(f.bytes.length / 512) * 512; });
    var out = new Uint8Array(size);
    var at = 0;
    function put(text, offset) { for (var i = 0; i < text.length; i++) out[at + offset + i] = text.charCodeAt(i); }
    function octal(value, width) { return value.toString(8).padStart(width - 1, '0') + '\0'; }
    files.forEach(function (f) {
      put(f.name.slice(0, 99), 0);
      put(octal(420, 8), 100);
      put(octal(0, 8), 108);
      put(octal(0, 8), 116);
      put(octal(f.bytes.length, 12), 124);
      put(octal(Math.floor(Date.now() / 1000), 12), 136);
      put('        ', 148);
      put('0', 156);
      put('ustar\0' + '00', 257);
      var sum = 0;
      for (var i = 0; i < 512; i++) sum += out[at + i];
      put(sum.toString(8).padStart(6, '0') + '\0 ', 148);
      out.set(f.bytes, at + 512);
      at += 512 + Math.ceil(f.bytes.length / 512) * 512;
    });
    return out;
  },
};

// The game's sounds through Web Audio: each event's WAV decoded by the browser, one voice
// an event (a new sound cuts the event's previous one), all through one volume; the music
// comes in blocks from the game, played back to back through its own volume, ducked under
// the sounds the game says duck it, as the desktop's mixer does. Everything passes the
// desktop's headroom and a limiter, so nothing clips.
var TobuSound = {
  context: null,
  gain: null,
  musicGain: null,
  duck: null,
  volume: 1,
  musicVolume: 0.6,
  buffers: [],
  voices: [],
  music: [],     // the blocks queued or playing
  musicTime: 0,  // where the next block starts
  started: [],   // sounds started for each event (the tests read it)
  queued: 0,     // music blocks queued so far (the tests read it)
  duckUntil: 0,  // when the last ducking sound ends

  start: function () {
    if (this.context || !window.AudioContext) return;
    // The browser's smallest buffer that it plays without a gap: 10 ms in headless
    // Chromium, where the desktop's 512 frames as a number gave 11.6 ms.
    this.context = new AudioContext({ latencyHint: 'interactive' });
    var headroom = this.context.createGain();
    headroom.gain.value = 0.71;
    headroom.connect(this.limiter(this.context));
    this.gain = this.context.createGain();
    this.gain.gain.value = this.volume;
    this.gain.connect(headroom);
    this.duck = this.context.createGain();
    this.duck.connect(headroom);
    this.musicGain = this.context.createGain();
    this.musicGain.gain.value = this.musicVolume;
    this.musicGain.connect(this.duck);
  },
  // What keeps the mix under -1 dBFS, ahead of the context's output. A curve, not a
  // compressor: the browsers' compressor looks 6 ms ahead, and so delays every sound by
  // that much. The headroom leaves it straight for all but the rarest peaks, which it
  // bends smoothly towards the ceiling.
  limiter: function (context) {
    var ceiling = 0.891, knee = 0.8, curve = new Float32Array(4097);
    for (var i = 0; i < curve.length; i++) {
      var x = i / 2048 - 1, size = Math.abs(x);
      if (size > knee) size = knee + (ceiling - knee) * Math.tanh((size - knee) / (ceiling - knee));
      curve[i] = x < 0 ? -size : size;
    }
    var shaper = context.createWaveShaper();
    shaper.curve = curve;
    shaper.oversample = 'none';  // oversampling would delay the sound too
    shaper.connect(context.destination);
    return shaper;
  },
  // Browsers let sound start only from the player's own key or click.
  resume: function () {
    this.start();
    if (this.context && this.context.state === 'suspended') this.context.resume();
  },
  load: function (index, bytes) {
    this.start();
    if (!this.context) return;
    var sound = this;
    this.context.decodeAudioData(bytes).then(function (buffer) { sound.buffers[index] = buffer; },
      function (error) { console.error('tobu: cannot decode sound ' + index + ': ' + error); });
  },
  // `lift` is the sound's own gain; a sound that ducks the music takes it down to `ducked`
  // in `duckIn` seconds (none when 0) and lets it back up in `duckOut` once it ends.
  play: function (index, lift, duckIn, duckOut, ducked) {
    var buffer = this.buffers[index];
    if (!buffer || !this.context || this.context.state !== 'running') return;
    this.stop(index);
    var voice = this.context.createBufferSource(), through = this.gain;
    voice.buffer = buffer;
    if (lift !== undefined && lift !== 1) {
      through = this.context.createGain();
      through.gain.value = lift;
      through.connect(this.gain);
    }
    voice.connect(through);
    voice.onended = function () { if (TobuSound.voices[index] === voice) TobuSound.voices[index] = null; };
    voice.start();
    this.voices[index] = voice;
    this.started[index] = (this.started[index] || 0) + 1;
    if (duckIn > 0) this.duckMusic(buffer.duration, duckIn, duckOut, ducked);
  },
  // Straight ramps at the desktop mixer's rates, held down until every ducking sound ends.
  duckMusic: function (seconds, duckIn, duckOut, ducked) {
    var now = this.context.currentTime, duck = this.duck.gain, from = duck.value;
    var down = now + duckIn * Math.max(0, from - ducked) / (1 - ducked);
    this.duckUntil = Math.max(this.duckUntil, now + seconds, down);
    duck.cancelScheduledValues(now);
    duck.setValueAtTime(from, now);
    duck.linearRampToValueAtTime(ducked, down);
    duck.setValueAtTime(ducked, this.duckUntil);
    duck.linearRampToValueAtTime(1, this.duckUntil + duckOut);
  },
  stop: function (index) {
    var voice = this.voices[index];
    this.voices[index] = null;
    if (voice) voice.stop();
  },
  stopAll: function () {
    for (var i = 0; i < this.voices.length; i++) this.stop(i);
    this.music.forEach(function (block) { block.stop(); });
    this.music = [];
    this.musicTime = 0;
  },
  setVolume: function (gain) {
    this.volume = gain;
    if (this.gain) this.gain.gain.value = gain;
  },
  setMusicVolume: function (gain) {
    this.musicVolume = gain;
    if (this.musicGain) this.musicGain.gain.value = gain;
  },
  // Seconds of music queued beyond what plays now; -1 while the page cannot play.
  musicAhead: function () {
    if (!this.context || this.context.state !== 'running') return -1;
    return Math.max(0, this.musicTime - this.context.currentTime);
  },
  queueMusic: function (samples) {
    if (!this.context) return;
    var buffer = this.context.createBuffer(1, samples.length, 44100);
    buffer.copyToChannel(samples, 0);
    var block = this.context.createBufferSource();
    block.buffer = buffer;
    block.connect(this.musicGain);
    this.musicTime = Math.max(this.musicTime, this.context.currentTime + 0.02);
    block.start(this.musicTime);
    this.musicTime += buffer.duration;
    this.music.push(block);
    this.queued++;
    block.onended = function () { TobuSound.music = TobuSound.music.filter(function (b) { return b !== block; }); };
  },
};
['keydown', 'mousedown', 'touchstart'].forEach(function (name) {
  document.addEventListener(name, function () { TobuSound.resume(); }, true);
});

// The saved folder is read once this tab plays (web_tabs.js).
Module.preRun = (Module.preRun || []).concat([function () {
  TobuPage.watchFiles();
  addRunDependency('tobu-saved-folder');
  TobuTabs.playing().then(function () {
    FS.mkdir('/tobu');
    FS.mount(IDBFS, {}, '/tobu');
    FS.syncfs(true, function (error) {
      if (error) console.error('tobu: cannot read the saved files: ' + error);
      removeRunDependency('tobu-saved-folder');
    });
  });
}]);
// While the message box is open the game hears no key: Enter and Escape close it (the
// dialog's own keys), every other key keeps only the browser's action, and a key's
// keypress and release follow it. Runs before the game's handlers on the document.
(function () {
  var swallowed = {};
  function dialogKeys(event) {
    var dialog = document.getElementById('message');
    var open = dialog && dialog.open;
    if (event.type === 'keydown' && open) {
      swallowed[event.code] = true;
      if (event.key === 'Enter' || event.key === 'Escape') {
        event.preventDefault();
        if (!event.repeat) dialog.close();
      }
    } else if (!open && !swallowed[event.code]) {
      return;
    }
    if (event.type === 'keyup') delete swallowed[event.code];
    event.stopImmediatePropagation();
  }
  ['keydown', 'keypress', 'keyup'].forEach(function (name) { window.addEventListener(name, dialogKeys, true); });
})();

// A roster that failed to write is written again as the tab goes, and saved. A phone
// closes a tab it has hidden without telling it: hiding counts too.
function tobuPageHidden() {
  if (!TobuPage.ready || TobuPage.stopped) return;
  Module._tobu_page_hidden();
  TobuPage.saveFilesIfChanged();
}
window.addEventListener('pagehide', tobuPageHidden);
document.addEventListener('visibilitychange', function () { if (document.hidden) tobuPageHidden(); });

Module.postRun = (Module.postRun || []).concat([function () { TobuPage.ready = true; }]);
