// The frame's size and the touch controls around it. (--pre-js, after web_page.js.)
//
// The frame is sized as the desktop's window sizes it: a whole multiple of 640 x 480
// device pixels when that fills most of the space, otherwise as large as the aspect
// allows; on a phone held upright it takes the whole width. The canvas is always drawn
// nearest-neighbour.
var TobuLayout = {
  touch: navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches,

  wholeOnly: false,  // tobu.ini's scale = integer: any whole multiple that fits

  setWholeMultiplesOnly: function (on) {
    this.wholeOnly = on;
    if (document.getElementById('screen')) this.layOut();
  },

  // The desktop's rule, in device pixels: [width, height].
  fit: function (width, height) {
    width = Math.max(1, width);
    height = Math.max(1, height);
    var whole = Math.min(Math.floor(width / 640), Math.floor(height / 480));
    var stretched = Math.min(width, Math.floor(height * 640 / 480));
    if (whole >= 1 && (this.wholeOnly || 100 * whole * 640 >= 85 * stretched)) return [whole * 640, whole * 480];
    if (width * 480 <= height * 640) return [width, Math.max(1, Math.floor(width * 480 / 640))];
    return [Math.max(1, Math.floor(height * 640 / 480)), height];
  },

  layOut: function () {
    var body = document.body;
    var portrait = innerHeight > innerWidth;
    body.classList.toggle('touch', this.touch);
    body.classList.toggle('portrait', portrait);
    var screen = document.getElementById('screen');
    var canvas = document.getElementById('canvas');
    var ratio = devicePixelRatio || 1;
    var size = this.fit(Math.floor(screen.clientWidth * ratio), Math.floor(screen.clientHeight * ratio));
    if (this.touch && portrait) size = [screen.clientWidth * ratio, screen.clientWidth * ratio * 3 / 4];
    canvas.style.width = size[0] / ratio + 'px';
    canvas.style.height = size[1] / ratio + 'px';
  },
};

// The touch buttons press the game's keys while a finger is on them, any number at once.
var TobuTouch = {
  held: {},  // pointerId -> key

  press: function (key, down) {
    if (TobuPage.ready) Module._tobu_control_key(key, down ? 1 : 0);
  },

  watch: function (button) {
    var touch = this;
    var key = Number(button.dataset.key);
    button.addEventListener('pointerdown', function (event) {
      event.preventDefault();
      button.releasePointerCapture(event.pointerId);  // a finger sliding off lets go
      touch.held[event.pointerId] = key;
      button.classList.add('held');
      touch.press(key, true);
    });
    var lift = function (event) {
      if (touch.held[event.pointerId] !== key) return;
      delete touch.held[event.pointerId];
      if (!Object.values(touch.held).includes(key)) {
        button.classList.remove('held');
        touch.press(key, false);
      }
    };
    ['pointerup', 'pointercancel', 'pointerleave'].forEach(function (n) { button.addEventListener(n, lift); });
  },

  // Names are typed in a real text field, which opens the phone's keyboard; what it
  // types reaches the game as the keyboard's characters and the field stays empty.
  watchField: function (field) {
    field.addEventListener('input', function (event) {
      if (event.inputType === 'deleteContentBackward') {
        TobuTouch.press(8, true);
        TobuTouch.press(8, false);
      }
      for (var c of field.value) {
        if (TobuPage.ready) Module._tobu_type(c.codePointAt(0));
      }
      field.value = '';
    });
    // A keyboard's keypress would type the character twice: the field's input types it.
    window.addEventListener('keypress', function (event) {
      if (event.target === field) event.stopImmediatePropagation();
    }, true);
  },
};

// A tap on the frame chooses the menu row under it; where a name is typed it opens the
// phone's keyboard. (The editor takes taps as the mouse's clicks.)
document.getElementById('canvas').addEventListener('pointerup', function (event) {
  if (event.pointerType !== 'touch' || !TobuPage.ready) return;
  var box = event.target.getBoundingClientRect();
  if (Module._tobu_tap(Math.floor((event.clientX - box.left) * 640 / box.width),
                       Math.floor((event.clientY - box.top) * 480 / box.height))) {
    document.getElementById('type').focus();
  }
});

// The editor on a touch screen: a tap paints or places (the browser's click), a long
// press removes (the right button), two fingers scroll as held arrows while they lean
// from where they touched.
var TobuEditorTouch = {
  fingers: {},  // pointerId -> [x, y]
  longPress: 0,
  pressed: false,  // a long press removed: the mouse events that follow are the finger's
  start: null,  // two fingers: their centre as they touched
  arrows: {},   // virtual key -> held

  framePoint: function (event) {
    var box = event.target.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * 640 / box.width),
            Math.floor((event.clientY - box.top) * 480 / box.height)];
  },
  centre: function () {
    var points = Object.values(this.fingers);
    return [(points[0][0] + points[1][0]) / 2, (points[0][1] + points[1][1]) / 2];
  },
  hold: function (key, held) {
    if (!!this.arrows[key] === held) return;
    this.arrows[key] = held;
    TobuTouch.press(key, held);
  },
  down: function (event) {
    this.pressed = false;
    if (event.pointerType !== 'touch' || !TobuPage.ready || !Module._tobu_editor_view()) return;
    this.fingers[event.pointerId] = [event.clientX, event.clientY];
    clearTimeout(this.longPress);
    var count = Object.keys(this.fingers).length;
    if (count === 1) {
      var at = this.framePoint(event);
      this.longPress = setTimeout(function () {
        TobuEditorTouch.pressed = true;  // the finger's click, if the browser sends one, is not the editor's
        Module._tobu_mouse(2, 1, at[0], at[1]);
        Module._tobu_mouse(2, 0, at[0], at[1]);
      }, 500);
    } else if (count === 2) {
      this.start = this.centre();
    }
  },
  move: function (event) {
    if (!this.fingers[event.pointerId]) return;
    var from = this.fingers[event.pointerId];
    if (Math.abs(event.clientX - from[0]) + Math.abs(event.clientY - from[1]) > 10) clearTimeout(this.longPress);
    if (!this.start) return;
    this.fingers[event.pointerId] = [event.clientX, event.clientY];
    var now = this.centre(), dx = now[0] - this.start[0], dy = now[1] - this.start[1];
    this.hold(37, dx > 24);  // the level follows the fingers
    this.hold(39, dx < -24);
    this.hold(38, dy > 24);
    this.hold(40, dy < -24);
  },
  up: function (event) {
    if (!this.fingers[event.pointerId]) return;
    delete this.fingers[event.pointerId];
    clearTimeout(this.longPress);
    if (this.start && Object.keys(this.fingers).length < 2) {
      this.start = null;
      [37, 38, 39, 40].forEach(function (key) { TobuEditorTouch.hold(key, false); });
    }
  },
};

(function () {
  var view = document.getElementById('canvas');
  view.addEventListener('pointerdown', function (e) { TobuEditorTouch.down(e); });
  ['mousedown', 'mouseup', 'mousemove'].forEach(function (name) {
    addEventListener(name, function (e) { if (TobuEditorTouch.pressed) e.stopImmediatePropagation(); }, true);
  });
  view.addEventListener('pointermove', function (e) { TobuEditorTouch.move(e); });
  ['pointerup', 'pointercancel'].forEach(function (n) { view.addEventListener(n, function (e) { TobuEditorTouch.up(e); }); });
})();

(function () {
  document.querySelectorAll('[data-key]').forEach(function (b) { TobuTouch.watch(b); });
  TobuTouch.watchField(document.getElementById('type'));
  addEventListener('resize', function () { TobuLayout.layOut(); });
  TobuLayout.layOut();
})();
