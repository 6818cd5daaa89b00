// The online panel beside the canvas, on a page served by tobu-server (its own origin is
// the server): the board of the level shown (top ten, the player's rank, the world record
// to watch), the shared levels with their pictures to download into Levels/, and the
// editor's level to share. A page served by anything else gets no panel: one quiet
// request to api/levels decides. No request runs on the game's tick; the game is asked
// for the level shown once a second. Runs before the game (--pre-js).
var TobuOnline = {
  panel: null,
  shown: '',      // the game's answer for the level shown, as last read
  level: null,    // {id, name, player, inEditor}
  holder: null,   // the world record's player on the board shown

  probe: async function () {
    try {
      var answer = await fetch('api/levels', { cache: 'no-store' });
      if (!answer.ok || !Array.isArray(await answer.json())) return;
    } catch (error) {
      return;  // no server here: the page stays as it is
    }
    this.build();
    this.showLevels();
    setInterval(function () { TobuOnline.follow(); }, 1000);
  },

  element: function (tag, text, parent) {
    var made = document.createElement(tag);
    if (text) made.textContent = text;
    if (parent) parent.appendChild(made);
    return made;
  },
  button: function (text, parent, action) {
    var made = this.element('button', text, parent);
    made.type = 'button';
    made.addEventListener('click', function () {
      action();
      document.getElementById('canvas').focus();  // Space and Return go to the game again
    });
    return made;
  },
  time: function (stored) {  // minutes * 10000 + seconds * 100 + hundredths, as the game writes it
    function two(n) { return String(n).padStart(2, '0'); }
    return two(Math.floor(stored / 10000)) + ':' + two(Math.floor(stored / 100) % 100) + ':' + two(stored % 100);
  },
  say: function (text) { this.status.textContent = text; },

  build: function () {
    var style = this.element('style', '#online { flex: none; width: 300px; overflow-y: auto; padding: 0 10px; ' +
      'background: #111; border-left: 1px solid #333; } #online h2 { font-size: 16px; margin: 12px 0 6px; } ' +
      '#online ol, #online ul { margin: 0; padding-left: 1.5em; } #online ul { list-style: none; padding: 0; } ' +
      '#online li.level { display: flex; gap: 8px; margin-bottom: 8px; align-items: center; } ' +
      '#online img { width: 126px; height: 98px; image-rendering: pixelated; background: #000; } ' +
      '#online input { width: 11em; } body.touch #online { display: none; }', document.head);
    style.id = 'online-style';
    var panel = this.panel = this.element('aside', '', document.getElementById('stage'));
    panel.id = 'online';
    // Keys typed into the panel are the panel's: the game listens on the whole document,
    // before its children, so they stop at the window.
    ['keydown', 'keypress', 'keyup'].forEach(function (name) {
      addEventListener(name, function (event) {
        if (panel.contains(event.target)) event.stopPropagation();
      }, true);
    });
    this.element('h2', 'Board', panel);
    this.boardTitle = this.element('p', 'Choose a level', panel);
    this.board = this.element('ol', '', panel);
    this.mine = this.element('p', '', panel);
    this.watch = this.button('Watch the world record', panel, function () { TobuOnline.watchRecord(); });
    this.watch.hidden = true;
    this.element('h2', 'Share the editor\'s level', panel);
    this.name = this.element('input', '', panel);
    this.name.placeholder = 'Level name';
    this.name.maxLength = 20;
    this.button('Upload', panel, function () { TobuOnline.upload(); });
    this.status = this.element('p', '', panel);
    this.status.id = 'online-status';
    this.element('h2', 'Online levels', panel);
    this.levels = this.element('ul', '', panel);
    TobuLayout.layOut();
  },

  // The level the game shows, read from the game; its board asked for when it changes.
  follow: function () {
    if (!TobuPage.ready || TobuPage.stopped) return;
    var shown = UTF8ToString(_tobu_online_level());
    if (shown === this.shown) return;
    this.shown = shown;
    var parts = shown.split('\t');
    this.level = shown ? { id: parts[0], name: parts[1], player: parts[2], inEditor: parts[3] === '1' } : null;
    if (this.level && this.level.inEditor && !this.name.value) this.name.value = this.level.name;
    this.showBoard();
  },

  request: async function (path, options) {
    var answer;
    try {
      answer = await fetch(path, Object.assign({ cache: 'no-store' }, options || {}));
    } catch (error) {
      throw new Error('The server cannot be reached');
    }
    if (answer.ok) return answer;
    var message = 'The server answers ' + answer.status;
    try { message = (await answer.json()).error || message; } catch (error) { /* not JSON */ }
    throw new Error(message);
  },

  showBoard: async function () {
    var level = this.level;
    this.board.textContent = '';
    this.mine.textContent = '';
    this.watch.hidden = true;
    this.holder = null;
    if (!level) return void (this.boardTitle.textContent = 'Choose a level');
    this.boardTitle.textContent = (level.inEditor ? (level.name || 'new level') + ' (editor)' : level.name) +
                                  ' ' + level.id;
    var board;
    try {
      var query = level.player ? '?player=' + encodeURIComponent(level.player) : '';
      board = await (await this.request('api/levels/' + level.id + '/records' + query)).json();
    } catch (error) {
      if (this.level === level) this.mine.textContent = /^No level/.test(error.message) ? 'Not on the server' : error.message;
      return;
    }
    if (this.level !== level) return;  // another level was chosen meanwhile
    var online = this;
    board.records.slice(0, 10).forEach(function (r) {
      online.element('li', r.player + '  ' + online.time(r.time), online.board);
    });
    if (!board.records.length) this.mine.textContent = 'No record yet';
    else if (board.player) this.mine.textContent = 'You: ' + board.player.rank + '. ' + online.time(board.player.time);
    else if (level.player) this.mine.textContent = 'You have no time here yet';
    if (board.records.length && !level.inEditor) {
      this.holder = board.records[0].player;
      this.watch.hidden = false;
    }
  },

  // The world record's replay into Replays/, then played as W plays a level's record.
  watchRecord: async function () {
    var level = this.level, holder = this.holder;
    try {
      var path = 'api/records/' + level.id + '/' + encodeURIComponent(holder);
      var bytes = new Uint8Array(await (await this.request(path)).arrayBuffer());
      if (!FS.analyzePath('/tobu/Replays').exists) FS.mkdir('/tobu/Replays');
      FS.writeFile('/tobu/Replays/world-record.tbr', bytes);
      this.say(_tobu_watch_world_record() ? 'The world record of ' + holder : 'Choose the level in the level list first');
    } catch (error) {
      this.say(error.message);
    }
  },

  showLevels: async function () {
    var list;
    try {
      list = await (await this.request('api/levels?order=newest')).json();
    } catch (error) {
      return this.say(error.message);
    }
    var online = this;
    this.levels.textContent = '';
    if (!list.length) this.element('li', 'No levels are shared yet', this.levels);
    list.forEach(function (level) {
      var row = online.element('li', '', online.levels);
      row.className = 'level';
      var picture = online.element('img', '', row);
      picture.loading = 'lazy';
      picture.alt = level.name;
      picture.src = 'api/levels/' + level.id + '/picture';
      var words = online.element('div', '', row);
      online.element('div', level.name, words);
      if (level.author) online.element('div', 'by ' + level.author, words);
      online.element('div', level.record ? 'record ' + level.record.player + ' ' + online.time(level.record.time)
                                         : 'no record yet', words);
      online.button('Download', words, function () { online.download(level); });
    });
  },

  // The level checked by the game's reader and written into Levels/ (never over a file).
  download: async function (level) {
    try {
      var bytes = new Uint8Array(await (await this.request('api/levels/' + level.id)).arrayBuffer());
      FS.writeFile('/tmp/online-level.vel', bytes);
      FS.writeFile('/tmp/online-level.txt', level.id + ' ' + level.name);
      this.say(UTF8ToString(_tobu_save_online_level()));
    } catch (error) {
      this.say(error.message);
    }
  },

  upload: async function () {
    this.follow();  // the player and the level as they are now, not a second ago
    var at = _tobu_editor_level();
    if (!at) return this.say('Open the level in the editor first');
    var bytes = HEAPU8.slice(at, at + _tobu_editor_level_size());
    var token = UTF8ToString(_tobu_online_token());
    if (!token) return;
    var query = '?name=' + encodeURIComponent(this.name.value);
    if (this.level && this.level.player) query += '&author=' + encodeURIComponent(this.level.player);
    try {
      var answer = await this.request('api/levels' + query, {
        method: 'POST', body: bytes,
        headers: { 'Content-Type': 'application/octet-stream', 'Authorization': 'Bearer ' + token } });
      this.say((answer.status === 201 ? 'Shared as ' : 'Shared already as ') + (await answer.json()).id);
    } catch (error) {
      return this.say(error.message);
    }
    this.showLevels();
    this.shown = '';  // the board of the level, now on the server
  },
};
TobuOnline.probing = TobuOnline.probe();  // the tests wait for it
