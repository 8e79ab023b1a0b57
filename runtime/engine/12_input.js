/* ---------------------------------------------------------------------
 * Keyboard, mouse and touch
 * ------------------------------------------------------------------- */

var __vr_codes = {
  Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16,
  ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, Escape: 27,
  Space: 32, PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38,
  ArrowRight: 39, ArrowDown: 40, Insert: 45, Delete: 46, NumpadMultiply: 106,
  NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110, NumpadDivide: 111
};

function __vr_keycode(e) {
  var c = e.code || '';
  if (__vr_codes[c]) return __vr_codes[c];
  var m = /^(?:Key([A-Z])|Digit([0-9])|Numpad([0-9])|F([0-9]{1,2}))$/.exec(c);
  if (m) {
    if (m[1]) return m[1].charCodeAt(0);
    if (m[2]) return 48 + Number(m[2]);
    if (m[3]) return 96 + Number(m[3]);
    var f = Number(m[4]);
    if (f >= 1 && f <= 12) return 111 + f;
  }
  var k = e.keyCode || e.which || 0;
  return (k > 0 && k < 256) ? k : 0;
}

function __vr_key_event(e, down) {
  var k = __vr_keycode(e);
  if (!k) return;
  if (down) {
    // The browser repeats the keydown of a key held long: only the first
    // one presses it, so that a key keyboard_clear let go of stays so.
    if (!e.repeat) {
      if (!__vr.keys[k]) { __vr.pressed[k] = 1; __vr.any_down++; }
      __vr.keys[k] = 1;
    }
    keyboard_lastkey = k;
    __vr_unlock_audio();
  } else {
    if (__vr.keys[k]) __vr.any_down--;
    __vr.keys[k] = 0;
    __vr.released[k] = 1;
  }
  // Arrow keys and space would scroll the page instead of playing.
  if ((k >= 32 && k <= 40) || k === 9 || k === 8) e.preventDefault();
}

function __vr_clear_pressed() {
  if (__vr.pressed.length) __vr.pressed = [];
  if (__vr.released.length) __vr.released = [];
  var b = __vr.buttons_pressed, r = __vr.buttons_released;
  b[1] = b[2] = b[3] = 0;
  r[1] = r[2] = r[3] = 0;
}

function keyboard_check(key) {
  if (key === vk_anykey) return __vr.any_down > 0;
  if (key === vk_nokey) return __vr.any_down === 0;
  return __vr.keys[key] === 1;
}

function keyboard_check_pressed(key) {
  if (key === vk_anykey) return __vr.pressed.some(function(v) { return v === 1; });
  return __vr.pressed[key] === 1;
}

function keyboard_check_released(key) {
  if (key === vk_anykey) return __vr.released.some(function(v) { return v === 1; });
  return __vr.released[key] === 1;
}

function keyboard_clear(key) {
  if (__vr.keys[key]) __vr.any_down--;
  __vr.keys[key] = 0;
  __vr.pressed[key] = 0;
  __vr.released[key] = 0;
}

// The key code of a letter or digit, for keyboard_check(ord('A')).
function ord(ch) {
  return String(ch).toUpperCase().charCodeAt(0) || 0;
}

function __vr_button_check(arr, b) {
  if (b === mb_any) return arr[1] === 1 || arr[2] === 1 || arr[3] === 1;
  if (b === mb_none) return !(arr[1] === 1 || arr[2] === 1 || arr[3] === 1);
  return arr[b] === 1;
}

function mouse_check_button(b) { return __vr_button_check(__vr.buttons, b); }
function mouse_check_button_pressed(b) { return __vr_button_check(__vr.buttons_pressed, b); }
function mouse_check_button_released(b) { return __vr_button_check(__vr.buttons_released, b); }

function __vr_pointer_at(clientX, clientY) {
  var c = __vr.canvas;
  if (!c || !c.getBoundingClientRect) return;
  var r = c.getBoundingClientRect();
  var sx = r.width > 0 ? c.width / r.width : 1, sy = r.height > 0 ? c.height / r.height : 1;
  __vr.screen_x = (clientX - r.left) * sx;
  __vr.screen_y = (clientY - r.top) * sy;
  mouse_x = __vr.screen_x + view_xview;
  mouse_y = __vr.screen_y + view_yview;
}

function __vr_button(b, down) {
  if (b < 1 || b > 3) return;
  if (down) {
    if (!__vr.buttons[b]) __vr.buttons_pressed[b] = 1;
    __vr.buttons[b] = 1;
    __vr_unlock_audio();
  } else {
    if (__vr.buttons[b]) __vr.buttons_released[b] = 1;
    __vr.buttons[b] = 0;
  }
}

function __vr_listen() {
  if (typeof window === 'undefined' || !window.addEventListener) return;
  window.addEventListener('keydown', function(e) { __vr_key_event(e, true); });
  window.addEventListener('keyup', function(e) { __vr_key_event(e, false); });
  window.addEventListener('blur', function() {
    for (var k = 0; k < __vr.keys.length; k++) if (__vr.keys[k]) __vr_key_event({ keyCode: k, preventDefault: function() {} }, false);
    __vr_button(1, false); __vr_button(2, false); __vr_button(3, false);
  });
  window.addEventListener('resize', __vr_fit_canvas);
  var c = __vr.canvas;
  if (!c || !c.addEventListener) return;
  c.addEventListener('mousemove', function(e) { __vr_pointer_at(e.clientX, e.clientY); });
  c.addEventListener('mousedown', function(e) {
    __vr_pointer_at(e.clientX, e.clientY);
    __vr_button(e.button + 1, true);
    e.preventDefault();
  });
  window.addEventListener('mouseup', function(e) { __vr_button(e.button + 1, false); });
  c.addEventListener('contextmenu', function(e) { e.preventDefault(); });
  // One finger acts as the left mouse button.
  var touch = function(e, down) {
    var t = e.changedTouches && e.changedTouches[0];
    if (t) __vr_pointer_at(t.clientX, t.clientY);
    if (down !== null) __vr_button(1, down);
    e.preventDefault();
  };
  c.addEventListener('touchstart', function(e) { touch(e, true); }, { passive: false });
  c.addEventListener('touchmove', function(e) { touch(e, null); }, { passive: false });
  c.addEventListener('touchend', function(e) { touch(e, false); }, { passive: false });
  c.addEventListener('touchcancel', function(e) { touch(e, false); }, { passive: false });
}

