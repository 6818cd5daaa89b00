// One playing tab: the tab holding the Web Lock plays and writes the saved folder; any
// other shows "tobu is open in another tab" and waits. Its button asks the playing tab
// to stop: that tab saves its files, stops (no tick, no write after) and lets the lock
// go, and the waiting tab reads the folder only then. A tab that stopped starts afresh
// from the files when it takes the game back. (--pre-js, after web_page.js.)
var TobuTabs = {
  lockName: 'tobu-playing',
  channel: null,
  hold: null,  // resolving it lets the lock go

  // Resolves once this tab holds the lock (at once where the browser has no locks).
  playing: function () {
    var tabs = this;
    if (!navigator.locks) return Promise.resolve();
    this.channel = new BroadcastChannel('tobu-tabs');
    this.channel.onmessage = function (event) { if (event.data === 'stop') tabs.stop(); };
    var takeOver = sessionStorage.getItem('tobu-take-over') === '1';
    sessionStorage.removeItem('tobu-take-over');
    return new Promise(function (granted) {
      var keep = function () {
        tabs.showElsewhere(false);
        granted();
        return new Promise(function (release) { tabs.hold = release; });
      };
      navigator.locks.request(tabs.lockName, { ifAvailable: true }, function (lock) {
        if (lock) return keep();
        tabs.showElsewhere(true);
        // Waits for the playing tab to stop, or to be closed.
        navigator.locks.request(tabs.lockName, keep);
        if (takeOver) tabs.channel.postMessage('stop');
        return null;
      });
    });
  },

  // The other tab asked: save, stop, then let go.
  stop: function () {
    if (!this.hold || TobuPage.stopped) return;
    var tabs = this;
    TobuPage.stopped = true;
    TobuSound.stopAll();
    TobuPage.filesSaved().then(function () {
      TobuPage.writesStopped = true;
      tabs.showElsewhere(true);
      tabs.hold();
      tabs.hold = null;
    });
  },

  takeOver: function () {
    if (TobuPage.stopped) {  // this tab's game is gone: start afresh, then ask
      sessionStorage.setItem('tobu-take-over', '1');
      location.reload();
    } else {
      this.channel.postMessage('stop');
    }
  },

  showElsewhere: function (shown) {
    document.getElementById('elsewhere').hidden = !shown;
  },
};
