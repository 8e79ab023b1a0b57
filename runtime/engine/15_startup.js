/* ---------------------------------------------------------------------
 * Start-up and the loop
 * ------------------------------------------------------------------- */

function __vr_now() {
  return typeof performance !== 'undefined' ? performance.now() : Date.now();
}

function __vr_boot() {
  if (__vr.booted) return;
  // A page of the user's own may load the game before its body exists.
  if (typeof document !== 'undefined' && document.createElement && !document.body &&
      !document.getElementById('vorlanegame')) {
    document.addEventListener('DOMContentLoaded', __vr_boot);
    return;
  }
  __vr.booted = true;
  __vr.start_time = __vr_now();
  if (typeof window !== 'undefined' && window.__vr_manual) __vr.manual = true;
  if (typeof document !== 'undefined' && document.createElement) {
    var holder = document.getElementById('vorlanegame') || document.body;
    var c = document.createElement('canvas');
    c.width = 640;
    c.height = 480;
    c.style.display = 'block';
    c.style.margin = '0 auto';
    c.style.imageRendering = 'pixelated';
    c.style.touchAction = 'none';
    holder.appendChild(c);
    __vr.canvas = c;
    __vr.ctx = c.getContext('2d');
    __vr.ctx.imageSmoothingEnabled = false;
  }
  // Pictures load while the first scene is made: all of them when there
  // are no more than a browser loads at once from one server (about six),
  // else those that the scene surely shows. The browser sends for pictures
  // once the running script is over: the scene is made in a microtask
  // after it.
  if (__vr.pending > 0) {
    var early = __vr.asked.length <= 6 ? null : __vr_scene_pictures(vr_room_to_go || vr_scenes[0]);
    if (!early || early.length > 0) {
      __vr_ask_pictures(early, early !== null);
      if (typeof queueMicrotask === 'function') { queueMicrotask(__vr_boot_scene); return; }
    }
  }
  __vr_boot_scene();
}

// The first scene, entered at once or once the pictures it draws are there.
function __vr_boot_scene() {
  __vr_prepare_types();
  __vr_listen();
  if (__vr.pending > 0) {
    // The first scene starts while the pictures load; its first frame is
    // drawn once the pictures it draws are there. The others are asked for
    // after it: asked for with them, they held them up.
    __vr_enter_first_scene();
    __vr.needed = __vr_needed_pictures();
    __vr_ask_pictures(__vr.needed, true);
    // A picture that never answers must not keep the game from starting.
    if (typeof setTimeout !== 'undefined') {
      setTimeout(function() { __vr.rest = null; if (!__vr.started) __vr_start(); else __vr_go(); }, 10000);
    }
    if (__vr_pictures_ready()) { __vr_start(); return; }
    // The fonts are looked up while the pictures load. The loading screen
    // shows only if they are slow: its text would take a font lookup too,
    // just when the pictures come in.
    __vr_request(function() { if (!__vr.started) __vr_find_fonts(); });
    if (typeof setTimeout !== 'undefined') setTimeout(function() { if (!__vr.started) __vr_loading_screen(); }, 100);
  } else {
    __vr_start();
  }
}

function __vr_all_done(list) {
  for (var i = 0; list && i < list.length; i++) if (!list[i].__vr_done) return false;
  return true;
}

function __vr_pictures_ready() {
  return __vr.pending === 0 || (!!__vr.needed && __vr_all_done(__vr.needed));
}

function __vr_loading_screen() {
  var ctx = __vr.ctx;
  if (!ctx) return;
  ctx.fillStyle = '#000';
  ctx.fillRect(0, 0, __vr.canvas.width, __vr.canvas.height);
  ctx.fillStyle = '#888';
  ctx.font = '12pt sans-serif';
  ctx.textAlign = 'center';
  ctx.textBaseline = 'middle';
  ctx.fillText('Loading...', __vr.canvas.width / 2, __vr.canvas.height / 2);
}

// The browser looks a font up the first time text is measured or drawn in
// it, which takes milliseconds each; done while the pictures load, the
// first frame does not wait for it.
function __vr_find_fonts() {
  var ctx = __vr.ctx;
  if (!ctx || !ctx.measureText) return;
  for (var i = 0; i < __vr.fonts.length; i++) {
    ctx.font = __vr.fonts[i].css;
    ctx.measureText('Ag');
  }
}

function __vr_enter_first_scene() {
  if (__vr.entered) return;
  __vr.entered = true;
  var first = vr_room_to_go || vr_scenes[0];
  vr_room_to_go = null;
  if (!first) return;
  __vr.switches++;
  __vr_switch_room(first);
  if (vr_room_to_go) __vr_change_rooms();
}

function __vr_start() {
  if (__vr.started) return;
  __vr.started = true;
  __vr_enter_first_scene();
  if (!__vr.scene) {
    if (__vr.ctx) {
      __vr_loading_screen();
      __vr.ctx.fillStyle = '#000';
      __vr.ctx.fillRect(0, 0, __vr.canvas.width, __vr.canvas.height);
      __vr.ctx.fillStyle = '#ccc';
      __vr.ctx.fillText('This game has no scene.', __vr.canvas.width / 2, __vr.canvas.height / 2);
    }
    return;
  }
  __vr_draw();
  __vr_ask_pictures(__vr.rest);
  if (__vr.manual) { __vr_preload_sounds(); return; }
  __vr.waiting = true;
  __vr_go();
}

// Starts the loop once the pictures the first step waits for are there.
function __vr_go() {
  if (!__vr.waiting || !__vr_all_done(__vr.rest)) return;
  __vr.waiting = false;
  __vr_preload_sounds();
  __vr.running = true;
  __vr.last = -1;
  __vr.fps_time = __vr_now();
  __vr_request(__vr_frame);
}

// Sounds load once the game runs, so that they do not hold up its pictures.
function __vr_preload_sounds() {
  for (var s = 0; s < __vr.sounds.length; s++) {
    for (var p = 0; p < __vr.sounds[s].players.length; p++) __vr.sounds[s].players[p].preload = 'auto';
  }
}

function __vr_request(f) {
  if (typeof requestAnimationFrame !== 'undefined') requestAnimationFrame(f);
  else setTimeout(function() { f(__vr_now()); }, 1000 / 60);
}

// Steps run at the scene's speed whatever the screen's refresh rate; a frame
// is drawn after one or more steps. A long pause does not make the game race.
function __vr_frame(now) {
  if (!__vr.running) return;
  __vr_request(__vr_frame);
  if (__vr.paused) { __vr_paused_frame(now); return; }
  if (__vr.last < 0) __vr.last = now;
  var dt = now - __vr.last;
  __vr.last = now;
  if (dt > 250) dt = 250;
  __vr.acc += dt;
  var ms = 1000 / (room_speed > 0 ? room_speed : 30), n = 0;
  while (__vr.acc >= ms - 0.5 && n < 4) {
    __vr.acc -= ms;
    n++;
    __vr_step();
    __vr.fps_count++;
  }
  if (__vr.acc > ms) __vr.acc = 0;
  if (__vr.acc < -ms) __vr.acc = 0;
  if (now - __vr.fps_time >= 1000) {
    fps = Math.round(__vr.fps_count * 1000 / (now - __vr.fps_time));
    __vr.fps_count = 0;
    __vr.fps_time = now;
  }
  if (n > 0) __vr_draw();
}

// A paused game runs no step and draws nothing new, except one step and
// one drawing when the debug run asked for a step. Its clock stays at now,
// so going on does not make up for the pause.
function __vr_paused_frame(now) {
  __vr.last = now;
  __vr.acc = 0;
  if (!__vr.step_wanted) return;
  __vr.step_wanted = false;
  __vr_step();
  __vr_draw();
}

// The debug run's controls (runtime/debug.js calls them).
__vr.pause = function() { __vr.paused = true; };
__vr.resume = function() { __vr.paused = false; __vr.step_wanted = false; };
__vr.step_paused = function() { if (__vr.paused) __vr.step_wanted = true; };

// For tests and measurements: stop the loop and drive it by hand.
__vr.stop = function() { __vr.running = false; __vr.waiting = false; };
__vr.step = function() { __vr_step(); };
__vr.draw = function() { __vr_draw(); };
__vr.tick = function() { __vr_step(); __vr_draw(); };

