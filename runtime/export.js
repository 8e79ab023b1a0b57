//# allFunctionsCalledOnLoad
// (The line above has Chromium compile every function of game.js while the
// file downloads, on another thread, rather than each one on the page's
// thread when first called: the code made from a large scene is one long
// function, whose compiling held up the start of the game.)
/*
 * Vorlane game engine.
 *
 * Vorlane copies this file into every game it builds and puts the code made
 * from the project in place of the marker comments near the end. Plain
 * JavaScript without libraries; deliberately not in strict mode, because
 * event code runs inside with(this) so that instance variables can be used
 * by their bare names (at start the engine rewrites what it safely can to
 * plain property access, which is much faster: see __vr_unwith).
 *
 * Names starting with two underscores are the engine's own; everything else
 * that is global is for games to use and is listed in keywords.dat.
 */

var vr_version = '//VORLANE_VERSION';

/* ---------------------------------------------------------------------
 * Engine state. One object, so that it stays out of the way of game code.
 * ------------------------------------------------------------------- */

var __vr = {
  canvas: null,
  ctx: null,
  overlay: null,
  types: [],            // object resources, in project order
  instances: [],        // live instances in creation order
  dead: 0,              // destroyed instances still in the lists
  next_id: 100001,
  self: null,           // the instance whose event is running
  partner: null,        // the object the running Collision block is for
  only_partner: null,   // set: only that partner's Collision blocks run
  scene: null,
  layers: [],           // tile layers of the scene
  solid_layers: 0,      // how many of them are solid
  solid_grid: null,     // their tiles by cell, made when first needed
  order: [],            // instances and tile layers in drawing order
  order_dirty: true,
  bg: null,             // background image of the scene and how to lay it out
  bg_css: 'rgb(0,0,0)',
  follow: null,         // object type the view follows
  xborder: 0,
  yborder: 0,
  keys: [],
  pressed: [],
  released: [],
  any_down: 0,
  buttons: [0, 0, 0, 0],
  buttons_pressed: [0, 0, 0, 0],
  buttons_released: [0, 0, 0, 0],
  screen_x: 0,          // pointer position on the canvas
  screen_y: 0,
  pending: 0,           // pictures still loading
  asked: [],            // pictures named before start, not yet asked for
  booted: false,
  entered: false,       // the first scene has started
  needed: null,         // the pictures its first frame waits for
  rest: null,           // other frames of its sprites, which its first step waits for
  started: false,       // the first frame is drawn
  waiting: false,       // and the loop waits for `rest`
  running: false,
  manual: false,        // tests drive steps themselves
  paused: false,        // the debug run paused the loop
  step_wanted: false,   // and asked for one step
  acc: 0,
  last: -1,
  steps: 0,             // steps run since the game started
  frames: 0,            // frames drawn since the game started
  first_frame_ms: -1,   // page time of the first drawn frame
  fps_count: 0,
  fps_time: 0,
  switches: 0,
  alarmed: [],          // instances with an alarm set
  more_types: [],       // objects with alarm, keyboard or mouse events
  ev: null,             // the event running, for event_inherited
  drawn: null,          // the instance whose Draw event has drawn its sprite
  errors: [],
  color: 0,
  color_css: 'rgb(0,0,0)',
  alpha: 1,
  font: null,
  halign: 0,
  valign: 0,
  sounds: [],
  fonts: [],
  music: null,
  music_wanted: null,
  start_time: 0,
  script_complete: false
};

/* ---------------------------------------------------------------------
 * Constants
 * ------------------------------------------------------------------- */

var vk_nokey = 0, vk_anykey = 1;
var vk_backspace = 8, vk_tab = 9, vk_enter = 13, vk_shift = 16, vk_ctrl = 17,
    vk_alt = 18, vk_pause = 19, vk_escape = 27, vk_space = 32, vk_pageup = 33,
    vk_pagedown = 34, vk_end = 35, vk_home = 36, vk_left = 37, vk_up = 38,
    vk_right = 39, vk_down = 40, vk_insert = 45, vk_delete = 46;
var vk_0 = 48, vk_1 = 49, vk_2 = 50, vk_3 = 51, vk_4 = 52, vk_5 = 53, vk_6 = 54,
    vk_7 = 55, vk_8 = 56, vk_9 = 57;
var vk_a = 65, vk_b = 66, vk_c = 67, vk_d = 68, vk_e = 69, vk_f = 70, vk_g = 71,
    vk_h = 72, vk_i = 73, vk_j = 74, vk_k = 75, vk_l = 76, vk_m = 77, vk_n = 78,
    vk_o = 79, vk_p = 80, vk_q = 81, vk_r = 82, vk_s = 83, vk_t = 84, vk_u = 85,
    vk_v = 86, vk_w = 87, vk_x = 88, vk_y = 89, vk_z = 90;
var vk_num0 = 96, vk_num1 = 97, vk_num2 = 98, vk_num3 = 99, vk_num4 = 100,
    vk_num5 = 101, vk_num6 = 102, vk_num7 = 103, vk_num8 = 104, vk_num9 = 105,
    vk_multiply = 106, vk_add = 107, vk_subtract = 109, vk_decimal = 110,
    vk_divide = 111;
var vk_f1 = 112, vk_f2 = 113, vk_f3 = 114, vk_f4 = 115, vk_f5 = 116, vk_f6 = 117,
    vk_f7 = 118, vk_f8 = 119, vk_f9 = 120, vk_f10 = 121, vk_f11 = 122, vk_f12 = 123;

var mb_any = -1, mb_none = 0, mb_left = 1, mb_middle = 2, mb_right = 3;

var fa_left = 0, fa_center = 1, fa_right = 2, fa_top = 0, fa_middle = 1, fa_bottom = 2;

// Colours are red + 256 * green + 65536 * blue, as in the rest of Vorlane.
var c_black = 0, c_white = 16777215, c_red = 255, c_lime = 65280, c_blue = 16711680,
    c_yellow = 65535, c_aqua = 16776960, c_fuchsia = 16711935, c_gray = 8421504,
    c_silver = 12632256, c_dkgray = 4210752, c_ltgray = 13882323, c_maroon = 128,
    c_green = 32768, c_navy = 8388608, c_olive = 32896, c_purple = 8388736,
    c_teal = 8421376, c_orange = 4235519;

var pi = Math.PI;

/* ---------------------------------------------------------------------
 * Global game variables
 * ------------------------------------------------------------------- */

var room = null, room_width = 0, room_height = 0, room_speed = 30;
var background_color = 0;
var view_xview = 0, view_yview = 0, view_wview = 0, view_hview = 0;
var mouse_x = 0, mouse_y = 0;
var keyboard_lastkey = 0;
var fps = 0;
var score = 0, lives = 3;

// Filled by the generated code: every scene in project order, and the scene
// to go to at the end of the current step (the first scene at start-up).
var vr_scenes = [];
var vr_room_to_go = null;

/* ---------------------------------------------------------------------
 * Errors: shown on the page, since players of a broken game see no console.
 * ------------------------------------------------------------------- */

function __vr_show_error(text) {
  // An error in every step must not fill the memory or the screen.
  if (__vr.errors.length >= 100) return;
  __vr.errors.push(String(text));
  if (typeof document === 'undefined' || !document.createElement) return;
  if (!__vr.overlay) {
    var box = document.createElement('pre');
    box.style.cssText = 'position:fixed;left:0;right:0;bottom:0;margin:0;padding:6px;' +
      'max-height:40%;overflow:auto;background:rgba(0,0,0,0.8);color:#ff6060;' +
      'font:12px monospace;white-space:pre-wrap;z-index:10;';
    (document.body || document.documentElement).appendChild(box);
    __vr.overlay = box;
  }
  if (__vr.errors.length <= 20) __vr.overlay.textContent += String(text) + '\n';
}

if (typeof window !== 'undefined' && window.addEventListener) {
  window.addEventListener('error', function(e) {
    var where = e.lineno ? ' (line ' + e.lineno + ')' : '';
    __vr_show_error('Error: ' + (e.message || e.error || 'unknown') + where);
  });
}

/* ---------------------------------------------------------------------
 * Resources: the initialisers that the generated constructors call.
 * The resource's own variable is still undefined while its constructor
 * runs, so every initialiser works on `self` and takes the name from the
 * constructor (__spr_ball makes spr_ball).
 * ------------------------------------------------------------------- */

function __vr_name_of(self) {
  var ctor = self && self.constructor;
  var n = ctor && ctor.name;
  return (typeof n === 'string' && n.slice(0, 2) === '__') ? n.slice(2) : '';
}

// Pictures named while the script runs are asked for once the game starts,
// those the first frame draws first and the others once it is drawn (a
// browser loads only a few at a time from one server; see __vr_boot), and
// load while the page goes on. A loaded picture is
// decoded by the browser away from the page's own work before it counts as
// there, so that drawing it the first time does not hold up the game;
// except those the first frame waits for (see onload).
function __vr_load_image(src) {
  var img = new Image();
  img.__vr_ok = false;
  img.__vr_done = false;
  __vr.pending++;
  var done = function(ok) {
    if (img.__vr_done) return;
    img.__vr_done = true;
    img.__vr_ok = ok && img.naturalWidth > 0;
    __vr.pending--;
    if (__vr.entered && !__vr.started && __vr_pictures_ready()) __vr_start();
    else if (__vr.waiting) __vr_go();
  };
  img.onload = function() {
    // The browser decodes a picture elsewhere on the way to the screen, a
    // frame away: the first frame draws its own pictures as they come.
    var first = !__vr.started && __vr.needed && __vr.needed.indexOf(img) >= 0;
    if (typeof img.decode !== 'function' || first) { done(true); return; }
    img.decode().then(function() { done(true); }, function() { done(true); });
  };
  img.onerror = function() { done(false); };
  if (__vr.booted) img.src = src;
  else { img.__vr_src = src; __vr.asked.push(img); }
  return img;
}

// Asks for the pictures in `list` that wait, backgrounds (the largest)
// first, then for all the others unless `only`.
function __vr_ask_pictures(list, only) {
  var ask = function(img, backgrounds) {
    if (img.__vr_src === undefined || !!img.__vr_background !== backgrounds) return;
    img.src = img.__vr_src;
    delete img.__vr_src;
  };
  for (var pass = 0; pass < 2; pass++) {
    for (var i = 0; list && i < list.length; i++) ask(list[i], pass === 0);
  }
  var all = __vr.asked;
  __vr.asked = [];
  for (i = 0; i < all.length; i++) {
    if (!only) ask(all[i], !!all[i].__vr_background);
    else if (all[i].__vr_src !== undefined) __vr.asked.push(all[i]);
  }
}

function __sprite_init__(self, unused, w, h, cx, cy, shape, radius, left, right, top, bottom, frames) {
  self.__vr_sprite = true;
  self.name = __vr_name_of(self);
  self.width = w;
  self.height = h;
  self.xoffset = cx;
  self.yoffset = cy;
  self.circle = String(shape).toLowerCase() === 'circle';
  // A shape that was never set (an empty box, a circle of radius 0) collides
  // with the whole frame rather than never.
  self.radius = radius > 0 ? radius : Math.floor(w / 2);
  if (right <= left || bottom <= top) { left = 0; right = w; top = 0; bottom = h; }
  self.left = left;
  self.right = right;
  self.top = top;
  self.bottom = bottom;
  self.images = [];
  for (var i = 0; i < frames.length; i++) self.images.push(__vr_load_image(frames[i]));
  self.number = frames.length;
}

function __vr_pick_audio(wav, mp3, ogg) {
  var files = [wav, mp3, ogg], types = ['audio/wav', 'audio/mpeg', 'audio/ogg'];
  var probe = (typeof document !== 'undefined' && document.createElement) ?
      document.createElement('audio') : null;
  for (var i = 0; i < 3; i++) {
    if (files[i] && probe && probe.canPlayType && probe.canPlayType(types[i]) !== '') return files[i];
  }
  for (i = 0; i < 3; i++) if (files[i]) return files[i];
  return '';
}

function __audio_init__(self, unused, wav, mp3, ogg) {
  self.__vr_audio = true;
  self.name = __vr_name_of(self);
  self.src = __vr_pick_audio(wav, mp3, ogg);
  self.volume = 1;
  self.players = [];
  if (self.src && typeof Audio !== 'undefined') {
    var a = new Audio();
    // Loaded ahead once the first frame is drawn, so that it does not hold
    // up the pictures; playing it earlier loads it at once.
    a.preload = __vr.started ? 'auto' : 'none';
    a.src = self.src;
    self.players.push(a);
  }
  __vr.sounds.push(self);
}

function __background_init__(self, unused, file) {
  self.__vr_background = true;
  self.name = __vr_name_of(self);
  self.image = __vr_load_image(file);
  self.image.__vr_background = true;
}

function __font_init__(self, unused, family, size, bold, italic) {
  self.__vr_font = true;
  self.name = __vr_name_of(self);
  self.size = size;
  var fam = String(family).replace(/["\\;{}]/g, '');
  self.css = (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + size + 'pt "' + fam + '", sans-serif';
  self.line = Math.round(size * 4 / 3 * 1.25);
  __vr.fonts.push(self);
}

/* ---------------------------------------------------------------------
 * Objects and instances
 * ------------------------------------------------------------------- */

// Every instance inherits from its object resource, which inherits these
// defaults and methods. Methods here are also global functions: called as
// bare names inside with(this) they receive the instance as `this`.
function __vr_Instance() {}

var __vr_defaults = {
  id: 0, x: 0, y: 0, xstart: 0, ystart: 0, xprevious: 0, yprevious: 0,
  hspeed: 0, vspeed: 0, speed: 0, direction: 0, gravity: 0, gravity_direction: 270,
  friction: 0, sprite_index: null, image_index: 0, image_speed: 1,
  image_xscale: 1, image_yscale: 1, image_angle: 0, image_alpha: 1,
  visible: 1, depth: 0, collision: 1, object_index: null, other: null
};
for (var __k in __vr_defaults) __vr_Instance.prototype[__k] = __vr_defaults[__k];

// Read from the sprite itself, so that they change with sprite_index at
// once; giving them a value does nothing.
function __vr_sprite_field(name, field) {
  Object.defineProperty(__vr_Instance.prototype, name, {
    enumerable: true,
    configurable: true,
    get: function() {
      var spr = this.sprite_index;
      return (spr && spr.__vr_sprite) ? spr[field] : 0;
    },
    set: function() {}
  });
}
__vr_sprite_field('sprite_width', 'width');
__vr_sprite_field('sprite_height', 'height');
__vr_sprite_field('image_number', 'number');

function __vr_default_handler(prop) {
  var f = function() {
    var h = this && this.__vr_type && this.__vr_type.h[prop];
    if (h) h.call(this);
    else if (prop === 'on_draw' && this && this.visible == 1) __handle_sprite__(this);
  };
  f.__vr_default = true;
  return f;
}

// Defaults for events an object has no code for. At start-up each object
// takes the handler of its nearest parent that has one instead.
var on_creation_i = __vr_default_handler('on_creation');
var on_destroy_i = __vr_default_handler('on_destroy');
var on_step_i = __vr_default_handler('on_step');
var on_end_step_i = __vr_default_handler('on_end_step');
var on_collision_i = __vr_default_handler('on_collision');
var on_roomstart_i = __vr_default_handler('on_roomstart');
var on_roomend_i = __vr_default_handler('on_roomend');
var on_animationend_i = __vr_default_handler('on_animationend');
var on_draw_i = __vr_default_handler('on_draw');

var __vr_events = ['on_creation', 'on_destroy', 'on_step', 'on_end_step', 'on_collision',
                   'on_roomstart', 'on_roomend', 'on_animationend', 'on_draw'];

function __instance_init__(self, unused, parent, visible, depth, sprite, collision, index) {
  var ctor = self.constructor;
  // The parent object may come later in the project and still be undefined
  // here: its name is read from the constructor's text and resolved at start.
  var parent_name = null;
  if (ctor && typeof ctor === 'function') {
    var m = __vr_parent_arg.exec(Function.prototype.toString.call(ctor));
    if (m && m[1] !== 'null') parent_name = m[1];
  }
  if (ctor && ctor !== Object && Object.getPrototypeOf(self) === ctor.prototype) {
    Object.setPrototypeOf(ctor.prototype, __vr_Instance.prototype);
  } else {
    Object.setPrototypeOf(self, __vr_Instance.prototype);
  }
  var type = {
    name: __vr_name_of(self),
    obj: self,
    parent: null,
    parent_ref: parent || null,
    parent_name: parent_name,
    index: index,
    instances: [],
    family: null,   // this type and every type that descends from it
    h: {},          // the handler run for each event, inherited ones included
    ivars: [],
    make: null
  };
  self.__vr_type = type;
  self.object_index = self;
  self.sprite_index = sprite || null;
  self.visible = visible;
  self.depth = depth;
  self.collision = collision;
  self.name = type.name;
  __vr.types.push(type);
}

function __vr_type_of(obj) {
  return (obj && obj.__vr_type) ? obj.__vr_type : null;
}

function __vr_is_instance(o) {
  return o !== null && typeof o === 'object' && o.__vr_alive !== undefined;
}

// The instance a global function acts on: `this` when it is an instance,
// otherwise the instance whose event is running.
function __vr_me(t) {
  return (t !== null && typeof t === 'object' && t.__vr_alive !== undefined) ? t : __vr.self;
}

// Names as JavaScript reads them, Unicode letters and digits included, so
// that an object or variable named with an accented letter is found too.
var __vr_id_part = '[\\p{ID_Continue}$\\u200C\\u200D]';
var __vr_id = '[\\p{ID_Start}$_]' + __vr_id_part + '*';
var __vr_parent_arg = new RegExp('__instance_init__\\(\\s*this\\s*,\\s*' + __vr_id_part +
                                 '+\\s*,\\s*(' + __vr_id_part + '+)', 'u');

var __vr_js_words = {};
('break case catch class const continue debugger default delete do else enum export extends ' +
 'false finally for function if import in instanceof let new null return super switch this ' +
 'throw true try typeof var void while with yield await async of undefined NaN Infinity ' +
 'arguments eval').split(' ').forEach(function(w) { __vr_js_words[w] = true; });

var __vr_strings_and_comments =
  /\/\*[\s\S]*?\*\/|\/\/[^\n\r]*|'(?:\\.|[^'\\\n\r])*'|"(?:\\.|[^"\\\n\r])*"|`(?:\\.|[^`\\])*`/g;

// Names a piece of code assigns by their bare names, less its own local
// variables and parameters. Strings and comments are blanked out first.
function __vr_assigned_names(src) {
  src = src.replace(__vr_strings_and_comments, ' ');
  var locals = {}, names = [], seen = {}, m;
  var id = __vr_id, part = __vr_id_part, word_start = '(?<!' + part + ')';
  var id_at = new RegExp(id, 'uy');
  var decl = new RegExp(word_start + '(?:var|let|const)\\s+', 'gu');
  while ((m = decl.exec(src)) !== null) {
    var i = decl.lastIndex, depth = 0, expect = true;
    while (i < src.length) {
      var c = src.charAt(i);
      if (c === '(' || c === '[' || c === '{') depth++;
      else if (c === ')' || c === ']' || c === '}') { if (--depth < 0) break; }
      else if (depth === 0 && (c === ';' || c === '\n')) break;
      else if (depth === 0 && c === ',') expect = true;
      else if (expect) {
        id_at.lastIndex = i;
        var local = id_at.exec(src);
        if (local) {
          locals[local[0]] = true;
          i += local[0].length;
          expect = false;
          continue;
        }
      }
      i++;
    }
  }
  var fn = new RegExp(word_start + 'function(?!' + part + ')\\s*(' + part + '*)\\s*\\(([^)]*)\\)', 'gu');
  var param = new RegExp('^\\s*(' + id + ')', 'u');
  while ((m = fn.exec(src)) !== null) {
    if (m[1]) locals[m[1]] = true;
    m[2].split(',').forEach(function(p) {
      var name = param.exec(p);
      if (name) locals[name[1]] = true;
    });
  }
  // An identifier not reached through a dot, followed by an assignment or
  // an increment, and not followed by a member access.
  var target = '(?<!\\.\\s*)(' + id + ')';
  var patterns = [
    new RegExp(word_start + target + '\\s*(?:\\*\\*|<<|>>>?|[\\-+*\\/%&|^])?=(?![=>])', 'gu'),
    new RegExp(word_start + target + '\\s*(?:\\+\\+|--)', 'gu'),
    new RegExp('(?:\\+\\+|--)\\s*' + target + '(?!' + part + ')(?!\\s*[.\\[])', 'gu')
  ];
  for (var p = 0; p < patterns.length; p++) {
    var re = patterns[p];
    while ((m = re.exec(src)) !== null) {
      var name = m[1];
      re.lastIndex = m.index + m[0].length;
      if (locals[name] || __vr_js_words[name] || seen[name]) continue;
      seen[name] = true;
      names.push(name);
    }
  }
  return names;
}

// Event code in the usual script mode runs inside with(this), where every
// bare name is a slow lookup through the instance. At start each handler is
// rewritten once, where the rewrite is sure to mean the same: the names of
// the instance's fields and methods become __vr_w.name (__vr_w being the
// instance) and every other name stays as it is. Code the rewrite cannot be
// sure of (nested functions, template strings, HTML-like comments, a
// field's name declared or used as a label, a name other code sets on
// instances, a name that only an instance could give a value) keeps its
// with.
var __vr_with_mark = 'with(this) {';
var __vr_unsure_words = /^(?:function|class|eval|arguments|with|import|export|yield|await|async|get|set|static|__vr_w)$/;
var __vr_unwith_keywords = /^(?:break|case|catch|continue|debugger|default|delete|do|else|false|finally|for|if|in|instanceof|let|new|null|of|return|switch|this|throw|true|try|typeof|var|const|void|while)$/;
var __vr_value_words = /^(?:this|true|false|null)$/;

// Rewrites `code`, which starts just after "with(this) {", up to the brace
// that closes the with. Returns { code, end } (end: the index of that
// brace) or null. `field(name)` tells the instance's names; `shared(name)`
// names that code elsewhere sets on instances; `known(name)` names that
// mean something outside the instance (globals).
function __vr_unwith_code(code, field, shared, known) {
  var out = '', i = 0, n = code.length, t;
  var locals = Object.create(null);
  var id = new RegExp(__vr_id, 'uy');
  var num = /(?:0[xXbBoO][0-9a-fA-F_]+|(?:\d[\d_]*\.?[\d_]*|\.\d[\d_]*)(?:[eE][+-]?\d+)?)n?/y;
  var blank = /\s/;
  var prev = '', value = false;  // the last token, and whether it ends a value
  var stack = [{ kind: 'block', q: 0, key: false }];
  var control = false;  // the last ')' closed the head of an if, while or for
  var decl = 0;         // nesting depth of a var, let or const list; 0: none
  var declare = false;  // the next name is declared ('param': catch's)
  var in_case = false;  // between case and its ':'
  var top = stack[0];
  var next_char = function(j) {
    while (j < n && blank.test(code.charAt(j))) j++;
    return code.charAt(j);
  };
  while (i < n) {
    var c = code.charAt(i), start = i;
    if (blank.test(c)) { out += c; i++; continue; }
    if (c === '/' && (code.charAt(i + 1) === '/' || code.charAt(i + 1) === '*')) {
      var stop = code.charAt(i + 1) === '/' ? code.slice(i).search(/[\n\r]/) : code.indexOf('*/', i + 2);
      if (code.charAt(i + 1) === '/') i = stop < 0 ? n : i + stop;
      else if (stop < 0) return null;
      else i = stop + 2;
      out += code.slice(start, i);
      continue;
    }
    if (c === '`' || c === '\\') return null;
    if (declare && c !== '(' && !/[\p{ID_Start}$_]/u.test(c)) return null;  // destructuring
    if (c === '"' || c === "'") {
      for (i++; i < n && code.charAt(i) !== c; i++) {
        if (code.charAt(i) === '\\') i++;
        else if (code.charAt(i) === '\n' || code.charAt(i) === '\r') return null;
      }
      if (i >= n) return null;
      i++;
      out += code.slice(start, i);
      prev = c; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    if (c === '/' && !value && !(prev === ')' && !control)) {
      if (prev === '}') return null;
      var in_class = false;
      for (i++; i < n; i++) {
        var r = code.charAt(i);
        if (r === '\\') i++;
        else if (r === '\n' || r === '\r') return null;
        else if (r === '[') in_class = true;
        else if (r === ']') in_class = false;
        else if (r === '/' && !in_class) break;
      }
      if (i >= n) return null;
      for (i++; i < n && /[a-z]/.test(code.charAt(i)); i++) {}
      out += code.slice(start, i);
      prev = '/'; value = true;
      continue;
    }
    num.lastIndex = i;
    if (/[0-9.]/.test(c) && (t = num.exec(code)) && t[0] !== '.') {
      i += t[0].length;
      out += t[0];
      prev = t[0]; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    id.lastIndex = i;
    if ((t = id.exec(code))) {
      var w = t[0];
      i += w.length;
      var member = prev === '.' || prev === '?.';
      if (!member && __vr_unsure_words.test(w)) return null;
      if (!member && __vr_unwith_keywords.test(w)) {
        if (w === 'var' || w === 'let' || w === 'const') { decl = stack.length; declare = true; }
        else if (w === 'case') in_case = true;
        out += w;
        prev = w; value = __vr_value_words.test(w);
        continue;
      }
      var after = next_char(i);
      if (declare) {
        declare = false;
        // Inside the with, "var hp = 1" sets the instance's hp if it has one.
        if (field(w) || shared(w)) return null;
        locals[w] = true;
        out += w;
      } else if (top.kind === 'obj' && top.key) {
        // A property name: "name: value" only; shorthand names and methods
        // of the instance's fields are not sure.
        if (after !== ':' && field(w)) return null;
        out += w;
      } else if (member || prev === 'break' || prev === 'continue') {
        out += w;
      } else if (after === ':' && top.kind === 'block' && top.q === 0 && !in_case) {
        if (field(w)) return null;  // a label
        out += w;
      } else if (field(w)) {
        out += '__vr_w.' + w;
      } else {
        // A name no local or global holds would only ever be found on the
        // instance, put there by code the scan may not see.
        if (shared(w) || !(locals[w] || known(w))) return null;
        out += w;
      }
      prev = w; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    var p3 = code.substr(i, 3), p2 = code.substr(i, 2);
    // <!-- and --> start comments in a page's scripts, which the scan
    // would read as code.
    if (p2 === '=>' || p3 === '-->' || code.substr(i, 4) === '<!--') return null;
    if (p3 === '...' || p3 === '===' || p3 === '!==') t = p3;
    else if (p2 === '?.' && !/[0-9]/.test(code.charAt(i + 2))) t = p2;
    else if (/^(?:\?\?|\+\+|--|==|!=|<=|>=|&&|\|\|)$/.test(p2)) t = p2;
    else t = c;
    i += t.length;
    if (t === '(' || t === '[' || t === '{') {
      var kind = t === '[' ? 'bracket' : t === '(' ? ((prev === 'if' || prev === 'while' || prev === 'for') ? 'control' : 'paren')
        : ((value || prev === '' || prev === ';' || prev === '{' || prev === '}' || prev === ')' || prev === 'else' ||
            prev === 'do' || prev === 'try' || prev === 'finally') ? 'block' : 'obj');
      if (t === '(' && prev === 'catch') declare = true;
      stack.push(top = { kind: kind, q: 0, key: kind === 'obj' });
    } else if (t === ')' || t === ']' || t === '}') {
      if (stack.length === 1) {
        if (t !== '}') return null;
        return { code: out, end: start };
      }
      var closed = stack.pop();
      top = stack[stack.length - 1];
      control = closed.kind === 'control';
      if (decl > stack.length) decl = 0;
      if (declare === true && t === ')') declare = false;
    } else if (t === '?') {
      top.q++;
    } else if (t === ':') {
      if (in_case && top.q === 0) in_case = false;
      else if (top.q > 0) top.q--;
    } else if (t === ',') {
      if (top.kind === 'obj') top.key = true;
      if (decl === stack.length) declare = true;
    } else if (t === ';') {
      if (decl === stack.length) decl = 0;
    }
    out += t;
    prev = t;
    value = t === ')' ? !control : (t === ']' || t === '++' || t === '--');
    if (t === '}') value = false;
  }
  return null;
}

// The handler `f` without its with(this), for instances whose fields
// `field` tells; null when it has none or the rewrite is not sure.
function __vr_unwith(f, field, shared, known) {
  var src = Function.prototype.toString.call(f);
  var mark = src.indexOf(__vr_with_mark);
  var open = src.indexOf('{');
  if (mark < 0 || open < 0 || open > mark) return null;
  var inner = __vr_unwith_code(src.slice(mark + __vr_with_mark.length), field, shared, known);
  if (!inner) return null;
  var rest = src.slice(mark + __vr_with_mark.length + inner.end);
  var body = src.slice(open + 1, mark) + '{ var __vr_w = this;' + inner.code + rest;
  body = body.slice(0, body.lastIndexOf('}'));
  try { return new Function(body + __vr_debug_name(f)); } catch (e) { return null; }
}

// In a debug run a rewritten handler is named after the one it came from,
// so that the debug script can name the game.js lines of its errors.
function __vr_debug_name(f) {
  var d = typeof window !== 'undefined' ? window.__vr_debug : undefined;
  return d && typeof d.handler === 'function' ? '\n//# sourceURL=' + d.handler(f) : '';
}

// The global object, whatever the page calls it.
var __vr_global = this;

// Whether a global may hold the game's code. The browser makes each of its
// thousand interface objects (HTMLElement and the like) only when it is
// first read, which for all of them takes tens of milliseconds at start-up,
// and they are native code anyway. They are the hidden capitalised globals;
// what a game's script declares or assigns is enumerable. Among the hidden
// ones the language's namespace objects are still read, since a game may
// give them methods.
var __vr_namespaces = /^(?:JSON|Math|Reflect|Atomics|Intl|WebAssembly)$/;
function __vr_may_hold_code(name) {
  return !/^[A-Z]/.test(name) || __vr_namespaces.test(name) ||
      Object.prototype.propertyIsEnumerable.call(__vr_global, name);
}

// The source of the game's functions: the project's functions, global
// functions and extensions, functions and methods of objects kept in global
// variables, and the generated objects and scenes with their event code.
// The engine's own (__vr_..., the initialisers __name__) are left out.
function __vr_game_sources() {
  var out = [], seen = new Set();
  var take = function(f) {
    if (typeof f !== 'function' || seen.has(f)) return false;
    seen.add(f);
    var s = Function.prototype.toString.call(f);
    if (/\{\s*\[native code\]\s*\}$/.test(s)) return false;
    out.push(__vr_is_scene_maker(f) ? __vr_cut_list(__vr_cut_list(s, 'this.tiles = ['), 'this.objects = [') : s);
    return true;
  };
  var methods = function(o) {
    var own = Object.getOwnPropertyNames(o);
    for (var k = 0; k < own.length; k++) {
      var d = Object.getOwnPropertyDescriptor(o, own[k]);
      if (d && 'value' in d) take(d.value);
    }
  };
  var names = Object.getOwnPropertyNames(__vr_global);
  for (var i = 0; i < names.length; i++) {
    if (/^__(?:vr|.*__$)/.test(names[i]) || !__vr_may_hold_code(names[i])) continue;
    try {
      var d = Object.getOwnPropertyDescriptor(__vr_global, names[i]);
      var v = d && 'value' in d ? d.value : null;
      if (typeof v === 'function') {
        if (take(v) && v.prototype && typeof v.prototype === 'object') methods(v.prototype);
      } else if (v && typeof v === 'object') {
        var proto = Object.getPrototypeOf(v);
        if (proto === Object.prototype || proto === null) methods(v);
      }
    } catch (e) { /* a revoked proxy or the like: nothing to read */ }
  }
  return out.join('\n');
}

// A scene's constructor lists its tiles and placed instances as data, in
// which nothing is set; in a large scene the lists are most of the game's
// code, too long to scan at start for nothing.
function __vr_is_scene_maker(f) {
  for (var i = 0; typeof vr_scenes !== 'undefined' && i < vr_scenes.length; i++) {
    if (vr_scenes[i] && vr_scenes[i].constructor === f) return true;
  }
  return false;
}

// `s` without the items of the list that follows `head`, up to the "];"
// that closes it (the first: items hold no semicolon).
function __vr_cut_list(s, head) {
  var from = s.indexOf(head), to = from < 0 ? -1 : s.indexOf('];', from);
  return to < 0 ? s : s.slice(0, from + head.length) + s.slice(to);
}

// Names that code sets on something other than itself, through a dot or in
// brackets with a constant string (other.hp -= 1, e['hp'] = 3, ++e.hp), in
// `src`; the engine's state (__vr.color) aside. Strings and comments are
// scanned too: a name too many only keeps a with that was not needed.
function __vr_set_names(src, names) {
  var member = '(?<!(?:^|[^$\\p{ID_Continue}])__vr\\s*)(?:\\.\\s*(' + __vr_id + ')|\\[\\s*([\'"`])(' + __vr_id + ')\\2\\s*\\])';
  var after = new RegExp(member + '\\s*(?:(?:\\*\\*|<<|>>>?|&&|\\|\\||\\?\\?|[\\-+*\\/%&|^])?=(?![=>])|\\+\\+|--)', 'gu');
  var before = /(?:\+\+|--)[^;,)}\n\r]*/g;
  var one = new RegExp(member, 'gu'), m, chain;
  while ((m = after.exec(src)) !== null) names[m[1] || m[3]] = true;
  while ((chain = before.exec(src)) !== null) {
    one.lastIndex = 0;
    while ((m = one.exec(chain[0])) !== null) names[m[1] || m[3]] = true;
  }
}

// Names that code anywhere in the game sets on instances: an object whose
// own code never sets one may still find it on its instances, so its code
// keeps with(this) where it names one. `game_sources` is what
// __vr_game_sources() gives.
function __vr_shared_names(types, game_sources) {
  var names = Object.create(null), src = '', i, e;
  for (i = 0; i < types.length; i++)
    for (e = 0; e < __vr_events.length; e++)
      if (types[i].h[__vr_events[e]]) src += Function.prototype.toString.call(types[i].h[__vr_events[e]]) + '\n';
  for (i = 0; i < types.length; i++) src += __vr_more_source(types[i]);
  if (typeof vr_scenes !== 'undefined')
    for (i = 0; i < vr_scenes.length; i++)
      if (vr_scenes[i] && typeof vr_scenes[i].start === 'function') src += Function.prototype.toString.call(vr_scenes[i].start) + '\n';
  __vr_set_names(src + game_sources, names);
  return function(n) { return names[n] === true; };
}

// Whether a bare name means something outside any instance: a global of
// the page, the engine or the game.
function __vr_known_names() {
  var known = Object.create(null);
  return function(n) {
    if (!(n in known)) {
      known[n] = n in __vr_global;
      // let, const and class at the top of a script make globals that are
      // not properties of the global object.
      if (!known[n]) try { Function(n)(); known[n] = true; } catch (e) { /* not defined */ }
    }
    return known[n];
  };
}

// Whether a name is a field or method an instance of `t` has from its start
// (hasOwnProperty and the other methods every object has included).
function __vr_field_test(t) {
  var probe = new t.make(0, 0, 0, t.obj), names = Object.create(null);
  for (var o = probe; o; o = Object.getPrototypeOf(o)) {
    var own = Object.getOwnPropertyNames(o);
    for (var k = 0; k < own.length; k++) names[own[k]] = true;
  }
  return function(n) { return names[n] === true; };
}

// A variable of the game's own (engine, extension or global variable), as
// opposed to a browser attribute of the window such as name or status.
function __vr_is_global(n) {
  if (typeof window === 'undefined') return false;
  for (var o = window; o; o = Object.getPrototypeOf(o)) {
    var d = Object.getOwnPropertyDescriptor(o, n);
    if (d) return 'value' in d;
  }
  return false;
}

// Resolves parents, inherited handlers and instance variables once all
// objects exist.
function __vr_prepare_types() {
  var types = __vr.types, i, j, t;
  __vr.more_types = [];
  for (i = 0; i < types.length; i++) {
    t = types[i];
    var p = t.parent_ref;
    if (!p && t.parent_name && typeof window !== 'undefined') p = window[t.parent_name];
    t.parent = (p && p.__vr_type && p.__vr_type !== t) ? p.__vr_type : null;
  }
  for (i = 0; i < types.length; i++) {
    t = types[i];
    // A parent loop made by hand in the project file is cut where it closes.
    var seen = [t];
    for (var a = t.parent; a; a = a.parent) {
      if (seen.indexOf(a) >= 0) { seen[seen.length - 1].parent = null; break; }
      seen.push(a);
    }
  }
  for (i = 0; i < types.length; i++) {
    t = types[i];
    t.family = [];
    for (j = 0; j < types.length; j++) {
      for (var b = types[j]; b; b = b.parent) if (b === t) { t.family.push(types[j]); break; }
    }
    t.h_def = {};
    for (var e = 0; e < __vr_events.length; e++) {
      var prop = __vr_events[e], h = null;
      for (var c = t; c && !h; c = c.parent) {
        var f = Object.prototype.hasOwnProperty.call(c.obj, prop) ? c.obj[prop] : null;
        if (typeof f === 'function' && !f.__vr_default) { h = f; t.h_def[prop] = c; }
      }
      t.h[prop] = h;
    }
    __vr_prepare_more(t);
    // Names given a value in any event of the object or of its ancestors
    // belong to each instance, which starts with them undefined; the code
    // then finds them through with(this). Global variables keep their
    // global meaning.
    var names = [], src = '';
    for (var d = t; d; d = d.parent) {
      for (var ev = 0; ev < __vr_events.length; ev++) {
        var ef = Object.prototype.hasOwnProperty.call(d.obj, __vr_events[ev]) ? d.obj[__vr_events[ev]] : null;
        if (typeof ef === 'function' && !ef.__vr_default) src += Function.prototype.toString.call(ef) + '\n';
      }
      src += __vr_more_source(d);
    }
    if (src) {
      var found = __vr_assigned_names(src);
      for (j = 0; j < found.length; j++) {
        var n = found[j];
        if (n in __vr_Instance.prototype || __vr_is_global(n)) continue;
        names.push(n);
      }
    }
    t.ivars = names;
    t.make = __vr_maker(t);
  }
  // Reading every function of the game is slow: once for both uses.
  var sources = __vr_game_sources();
  var shared = __vr_shared_names(types, sources), known = __vr_known_names();
  for (i = 0; i < types.length; i++) {
    t = types[i];
    var field = __vr_field_test(t);
    for (var h = 0; h < __vr_events.length; h++) {
      var handler = t.h[__vr_events[h]];
      if (handler) t.h[__vr_events[h]] = __vr_unwith(handler, field, shared, known) || handler;
    }
    for (var key in t.more) t.more[key] = __vr_unwith(t.more[key], field, shared, known) || t.more[key];
  }
  // The engine's own definition is one of the matches.
  if ((sources.match(/\bevent_inherited\s*\(/g) || []).length > 1) __vr_track_events(types);
}

// The fields every instance starts with, in this order so that all
// instances share one shape: 'x' and 'y' stand for the place it is made
// at, 'obj' for the object's own value of the field, anything else is the
// value itself. The object's instance variables follow, undefined.
var __vr_start_fields = [
  ['x', 'x'], ['y', 'y'], ['xstart', 'x'], ['ystart', 'y'], ['xprevious', 'x'], ['yprevious', 'y'],
  ['hspeed', 0], ['vspeed', 0], ['speed', 0], ['direction', 0],
  ['gravity', 0], ['gravity_direction', 270], ['friction', 0],
  ['sprite_index', 'obj'], ['image_index', 0], ['image_speed', 1],
  ['image_xscale', 1], ['image_yscale', 1], ['image_angle', 0], ['image_alpha', 1],
  ['visible', 'obj'], ['depth', 'obj'], ['collision', 'obj'], ['other', null],
  ['__vr_alive', true], ['__vr_sp', 0], ['__vr_dir', 0], ['__vr_hs', 0], ['__vr_vs', 0],
  ['__vr_alarm', null]
];

// Start fields that most games soon give fractions to.
var __vr_fractional = ['x', 'y', 'xprevious', 'yprevious', 'hspeed', 'vspeed', 'speed', 'direction',
                       'image_index', 'image_speed', '__vr_sp', '__vr_dir', '__vr_hs', '__vr_vs'];

// The constructor of the object's instances: new make(id, x, y, obj) gives
// the id and every start field. Fields that a constructor's own body sets
// are laid out inside the object from the start; set one by one on an
// empty object they went to a store that grew again and again, most of the
// time that a scene of thousands of instances took to start.
function __vr_maker(type) {
  var f = __vr_start_fields, iv = type.ivars, body = 'this.id = id;\n', i, Make;
  for (i = 0; i < f.length; i++) {
    var v = f[i][1];
    body += 'this.' + f[i][0] + ' = ' + (v === 'obj' ? 'obj.' + f[i][0] : String(v)) + ';\n';
  }
  for (i = 0; i < iv.length; i++) body += 'this[' + JSON.stringify(iv[i]) + '] = undefined;\n';
  try {
    Make = new Function('id', 'x', 'y', 'obj', body);
  } catch (e) {
    // A page that forbids making code gets the same fields one by one.
    Make = function(id, x, y) { this.id = id; __vr_init_fields(this, type, x, y); };
  }
  Make.prototype = type.obj;
  // The first fraction put in a field that has held only whole numbers
  // changes how every instance keeps it, and each instance then moves its
  // fields over when next used: thousands of Creation events giving
  // speeds, or a first step moving everyone, took longer than everything
  // else at start. One instance given fractions now makes the layout that
  // all instances are made with.
  var probe = new Make(0, 0, 0, type.obj);
  for (i = 0; i < __vr_fractional.length; i++) probe[__vr_fractional[i]] = 0.5;
  return Make;
}

function __vr_init_fields(o, type, x, y) {
  var f = __vr_start_fields, obj = type.obj, i;
  for (i = 0; i < f.length; i++) {
    var v = f[i][1];
    o[f[i][0]] = v === 'x' ? x : v === 'y' ? y : v === 'obj' ? obj[f[i][0]] : v;
  }
  var iv = type.ivars;
  for (i = 0; i < iv.length; i++) o[iv[i]] = undefined;
}

function __vr_new_instance(type, x, y) {
  var o = new type.make(__vr.next_id++, x, y, type.obj);
  __vr.instances.push(o);
  type.instances.push(o);
  __vr.order_dirty = true;
  return o;
}

function __vr_run(o, handler) {
  if (!handler || !o.__vr_alive) return;
  var prev = __vr.self;
  __vr.self = o;
  try { handler.call(o); } finally { __vr.self = prev; }
}

function instance_create(x, y, obj) {
  var type = __vr_type_of(obj);
  if (!type || !type.make) return null;
  var o = __vr_new_instance(type, x, y);
  __vr_run(o, type.h.on_creation);
  return o;
}

function instance_destroy(target) {
  var o = (target !== undefined && target !== null) ? target : __vr_me(this);
  if (__vr_type_of(o) && !__vr_is_instance(o)) {
    // An object given: destroy all of its instances.
    var list = __vr_family_list(o);
    for (var i = 0; i < list.length; i++) instance_destroy(list[i]);
    return;
  }
  if (!__vr_is_instance(o) || !o.__vr_alive) return;
  __vr_run(o, o.__vr_type.h.on_destroy);
  if (!o.__vr_alive) return;
  o.__vr_alive = false;
  __vr.dead++;
  __vr.order_dirty = true;
}

// Live instances of an object and of the objects that descend from it.
function __vr_family_list(obj) {
  var out = [];
  if (__vr_is_instance(obj)) { if (obj.__vr_alive) out.push(obj); return out; }
  var type = __vr_type_of(obj);
  if (!type || !type.family) return out;
  for (var f = 0; f < type.family.length; f++) {
    var list = type.family[f].instances;
    for (var i = 0; i < list.length; i++) if (list[i].__vr_alive) out.push(list[i]);
  }
  return out;
}

function instance_exists(obj) {
  if (__vr_is_instance(obj)) return obj.__vr_alive;
  return __vr_family_list(obj).length > 0;
}

function instance_number(obj) {
  return __vr_family_list(obj).length;
}

function instance_find(obj, n) {
  var list = __vr_family_list(obj);
  return (n >= 0 && n < list.length) ? list[n | 0] : null;
}

// The instance of obj nearest to (x, y), other than `skip`.
function __vr_nearest(x, y, obj, skip) {
  var list = __vr_family_list(obj), best = null, bd = Infinity;
  for (var i = 0; i < list.length; i++) {
    if (list[i] === skip) continue;
    var dx = list[i].x - x, dy = list[i].y - y, d = dx * dx + dy * dy;
    if (d < bd) { bd = d; best = list[i]; }
  }
  return best;
}

// Called from an event, the instance running it is not a candidate.
function instance_nearest(x, y, obj) {
  return __vr_nearest(x, y, obj, __vr.self);
}

/* ---------------------------------------------------------------------
 * Collisions: boxes and circles from the sprite, scaled with the instance.
 * Box sides are given in frame pixels from the frame's top left; a circle
 * is centred on the frame's centre.
 * ------------------------------------------------------------------- */

var __vr_sa = { circle: false, l: 0, t: 0, r: 0, b: 0, cx: 0, cy: 0, rad: 0 };
var __vr_sb = { circle: false, l: 0, t: 0, r: 0, b: 0, cx: 0, cy: 0, rad: 0 };

function __vr_shape(o, x, y, s) {
  var spr = o.sprite_index;
  if (!spr || !spr.__vr_sprite) return false;
  var xs = o.image_xscale, ys = o.image_yscale;
  if (spr.circle) {
    s.circle = true;
    s.cx = x + (spr.width / 2 - spr.xoffset) * xs;
    s.cy = y + (spr.height / 2 - spr.yoffset) * ys;
    s.rad = spr.radius * Math.max(Math.abs(xs), Math.abs(ys));
    return s.rad > 0;
  }
  s.circle = false;
  var l = x + (spr.left - spr.xoffset) * xs, r = x + (spr.right - spr.xoffset) * xs;
  var t = y + (spr.top - spr.yoffset) * ys, b = y + (spr.bottom - spr.yoffset) * ys;
  s.l = l < r ? l : r; s.r = l < r ? r : l;
  s.t = t < b ? t : b; s.b = t < b ? b : t;
  return s.r > s.l && s.b > s.t;
}

function __vr_box_circle(box, c) {
  var nx = c.cx < box.l ? box.l : (c.cx > box.r ? box.r : c.cx);
  var ny = c.cy < box.t ? box.t : (c.cy > box.b ? box.b : c.cy);
  var dx = c.cx - nx, dy = c.cy - ny;
  return dx * dx + dy * dy < c.rad * c.rad;
}

function __vr_overlap(a, b) {
  if (!a.circle && !b.circle) return a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
  if (a.circle && b.circle) {
    var dx = a.cx - b.cx, dy = a.cy - b.cy, rr = a.rad + b.rad;
    return dx * dx + dy * dy < rr * rr;
  }
  return a.circle ? __vr_box_circle(b, a) : __vr_box_circle(a, b);
}

// The first other instance of obj (or of its children) that would touch
// this instance if it stood at (x, y); null when there is none. obj may
// also be one instance.
function place_meeting(x, y, obj) {
  var me = __vr_me(this);
  if (!me || !me.collision || !__vr_shape(me, x, y, __vr_sa)) return null;
  if (__vr_is_instance(obj)) {
    if (obj !== me && obj.__vr_alive && obj.collision && __vr_shape(obj, obj.x, obj.y, __vr_sb) &&
        __vr_overlap(__vr_sa, __vr_sb)) return obj;
    return null;
  }
  var type = __vr_type_of(obj);
  if (!type || !type.family) return null;
  for (var f = 0; f < type.family.length; f++) {
    var list = type.family[f].instances;
    for (var i = 0; i < list.length; i++) {
      var o = list[i];
      if (o === me || !o.__vr_alive || !o.collision) continue;
      if (__vr_shape(o, o.x, o.y, __vr_sb) && __vr_overlap(__vr_sa, __vr_sb)) return o;
    }
  }
  return null;
}

// The first instance of obj whose shape holds the point (x, y), or null.
function position_meeting(x, y, obj) {
  var list = __vr_family_list(obj);
  for (var i = 0; i < list.length; i++) {
    var o = list[i];
    if (!o.collision || !__vr_shape(o, o.x, o.y, __vr_sb)) continue;
    if (__vr_sb.circle) {
      var dx = x - __vr_sb.cx, dy = y - __vr_sb.cy;
      if (dx * dx + dy * dy < __vr_sb.rad * __vr_sb.rad) return o;
    } else if (x >= __vr_sb.l && x < __vr_sb.r && y >= __vr_sb.t && y < __vr_sb.b) {
      return o;
    }
  }
  return null;
}


/* Solid tiles: the tiles of layers marked solid stop place_free and are
 * found by tile_meeting and tile_solid_at; place_meeting and the Collision
 * event look at instances only. The tiles are filed once in a grid of
 * cells, so a query looks only at the cells its box covers, however many
 * tiles the scene has. Like boxes, a tile covers its left and top edges
 * but not its right and bottom ones. */

var __vr_cell = 64;

// The grid of the solid layers' tiles, made when first asked for after the
// scene or a layer's solidity changed: cell key -> flat [x, y, r, b, ...].
function __vr_solid_grid() {
  if (__vr.solid_grid) return __vr.solid_grid;
  var grid = new Map(), c = __vr_cell;
  for (var l = 0; l < __vr.layers.length; l++) {
    var layer = __vr.layers[l];
    if (!layer.solid) continue;
    var t = layer.tiles;
    for (var i = 0; i < t.length; i += 7) {
      var x = t[i + 5], y = t[i + 6], r = x + t[i + 3], b = y + t[i + 4];
      if (!(r > x && b > y)) continue;
      for (var cy = Math.floor(y / c); cy * c < b; cy++) {
        for (var cx = Math.floor(x / c); cx * c < r; cx++) {
          var key = cx * 65536 + cy, cell = grid.get(key);
          if (!cell) grid.set(key, cell = []);
          cell.push(x, y, r, b);
        }
      }
    }
  }
  __vr.solid_grid = grid;
  return grid;
}

// Whether the box [l, r) x [t, b), or with `circle` the circle of s,
// overlaps a solid tile.
function __vr_solid_in(l, t, r, b, s) {
  if (!__vr.solid_layers) return false;
  var grid = __vr_solid_grid(), c = __vr_cell;
  var c0 = Math.floor(l / c), c1 = Math.floor(r / c), r0 = Math.floor(t / c), r1 = Math.floor(b / c);
  for (var cy = r0; cy <= r1; cy++) {
    for (var cx = c0; cx <= c1; cx++) {
      var cell = grid.get(cx * 65536 + cy);
      if (!cell) continue;
      for (var i = 0; i < cell.length; i += 4) {
        if (!(cell[i] < r && l < cell[i + 2] && cell[i + 1] < b && t < cell[i + 3])) continue;
        if (!s || !s.circle) return true;
        __vr_sb.circle = false;
        __vr_sb.l = cell[i]; __vr_sb.t = cell[i + 1]; __vr_sb.r = cell[i + 2]; __vr_sb.b = cell[i + 3];
        if (__vr_box_circle(__vr_sb, s)) return true;
      }
    }
  }
  return false;
}

// True when this instance, standing at (x, y), would overlap a solid tile.
function tile_meeting(x, y) {
  var me = __vr_me(this), s = __vr_sa;
  if (!me || !me.collision || !__vr_shape(me, x, y, s)) return false;
  if (s.circle) return __vr_solid_in(s.cx - s.rad, s.cy - s.rad, s.cx + s.rad, s.cy + s.rad, s);
  return __vr_solid_in(s.l, s.t, s.r, s.b, null);
}

// True when this instance could stand at (x, y) without overlapping a
// solid tile.
function place_free(x, y) {
  return !tile_meeting.call(this, x, y);
}

// True when the point (x, y), or the box from (x, y) to (x2, y2), touches a
// solid tile.
function tile_solid_at(x, y, x2, y2) {
  if (x2 === undefined || y2 === undefined) return __vr_solid_in(x, y, x + 1e-9, y + 1e-9, null);
  return __vr_solid_in(Math.min(x, x2), Math.min(y, y2), Math.max(x, x2), Math.max(y, y2), null);
}

// Marks the scene's tile layer of that depth solid (or not) until the scene
// ends; the scene editor's Solid box does so when the scene starts.
function tile_layer_solid(depth, solid) {
  var n = 0;
  for (var l = 0; l < __vr.layers.length; l++) {
    if (__vr.layers[l].depth == depth) __vr.layers[l].solid = !!solid;
    if (__vr.layers[l].solid) n++;
  }
  __vr.solid_layers = n;
  __vr.solid_grid = null;
}
/* ---------------------------------------------------------------------
 * Motion. speed and direction are kept in step with hspeed and vspeed:
 * whichever pair the game changed last wins at the next step.
 * ------------------------------------------------------------------- */

function __vr_sync_polar(o, hs, vs) {
  o.hspeed = hs; o.vspeed = vs;
  var sp = Math.sqrt(hs * hs + vs * vs);
  o.speed = sp;
  if (sp > 0) {
    var d = Math.atan2(-vs, hs) * 180 / Math.PI;
    o.direction = d < 0 ? d + 360 : d;
  }
  o.__vr_sp = o.speed; o.__vr_dir = o.direction; o.__vr_hs = hs; o.__vr_vs = vs;
}

function __vr_sync_cartesian(o) {
  var r = o.direction * Math.PI / 180, sp = o.speed;
  var hs = sp * Math.cos(r), vs = -sp * Math.sin(r);
  if (hs < 1e-12 && hs > -1e-12) hs = 0;
  if (vs < 1e-12 && vs > -1e-12) vs = 0;
  o.hspeed = hs; o.vspeed = vs;
  o.__vr_sp = sp; o.__vr_dir = o.direction; o.__vr_hs = hs; o.__vr_vs = vs;
}

function __vr_motion(o) {
  if (o.speed !== o.__vr_sp || o.direction !== o.__vr_dir) __vr_sync_cartesian(o);
  else if (o.hspeed !== o.__vr_hs || o.vspeed !== o.__vr_vs) __vr_sync_polar(o, o.hspeed, o.vspeed);
  if (o.gravity !== 0 || o.friction !== 0) {
    var hs = o.hspeed, vs = o.vspeed;
    if (o.gravity !== 0) {
      var g = o.gravity_direction * Math.PI / 180;
      hs += o.gravity * Math.cos(g);
      vs -= o.gravity * Math.sin(g);
    }
    if (o.friction !== 0) {
      var sp = Math.sqrt(hs * hs + vs * vs);
      if (sp <= o.friction) { hs = 0; vs = 0; } else { hs *= (sp - o.friction) / sp; vs *= (sp - o.friction) / sp; }
    }
    __vr_sync_polar(o, hs, vs);
  }
  o.x += o.hspeed;
  o.y += o.vspeed;
}

function motion_set(dir, spd) {
  var o = __vr_me(this);
  if (!o) return;
  o.direction = dir; o.speed = spd;
  __vr_sync_cartesian(o);
}

function motion_add(dir, spd) {
  var o = __vr_me(this);
  if (!o) return;
  if (o.speed !== o.__vr_sp || o.direction !== o.__vr_dir) __vr_sync_cartesian(o);
  var r = dir * Math.PI / 180;
  __vr_sync_polar(o, o.hspeed + spd * Math.cos(r), o.vspeed - spd * Math.sin(r));
}

function move_towards_point(x, y, spd) {
  var o = __vr_me(this);
  if (!o) return;
  motion_set.call(o, point_direction(o.x, o.y, x, y), spd);
}

// Puts an instance that left the scene back in at the other side.
function move_wrap(hor, vert, margin) {
  var o = __vr_me(this);
  if (!o) return;
  margin = margin || 0;
  if (hor) {
    if (o.x < -margin) o.x += room_width + 2 * margin;
    else if (o.x > room_width + margin) o.x -= room_width + 2 * margin;
  }
  if (vert) {
    if (o.y < -margin) o.y += room_height + 2 * margin;
    else if (o.y > room_height + margin) o.y -= room_height + 2 * margin;
  }
}

function distance_to_point(x, y) {
  var o = __vr_me(this);
  return o ? point_distance(o.x, o.y, x, y) : 0;
}

function distance_to_object(obj) {
  var o = __vr_me(this);
  if (!o) return 0;
  var n = __vr_is_instance(obj) ? obj : __vr_nearest(o.x, o.y, obj, o);
  return n ? point_distance(o.x, o.y, n.x, n.y) : Infinity;
}

// The generated Draw event draws the sprite before its own code runs; within
// one Draw event the sprite is drawn once.
function draw_self() {
  var o = __vr_me(this);
  if (o && __vr.drawn !== o) __handle_sprite__(o);
}

var __vr_methods = ['instance_destroy', 'place_meeting', 'position_meeting', 'motion_set',
                    'motion_add', 'move_towards_point', 'move_wrap', 'distance_to_point',
                    'distance_to_object', 'draw_self', 'alarm_set', 'alarm_get', 'alarm_fired',
                    'tile_meeting', 'place_free', 'event_inherited'];
for (var __m = 0; __m < __vr_methods.length; __m++) {
  __vr_Instance.prototype[__vr_methods[__m]] = this[__vr_methods[__m]];
}

/* ---------------------------------------------------------------------
 * Alarms: twelve step counters per instance. Each step first counts down
 * every alarm that is set; one that reaches 0 goes off, and alarm_fired
 * says so until the next step begins.
 * ------------------------------------------------------------------- */

function __vr_alarms_of(o) {
  var a = o.__vr_alarm;
  if (a === null) {
    a = { left: [-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1],
          fired: [-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1], listed: false };
    o.__vr_alarm = a;
  }
  return a;
}

function __vr_alarm_number(n) {
  return (n >= 0 && n < 12) ? Math.floor(n) : -1;
}

function alarm_set(n, steps) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0) return;
  var a = __vr_alarms_of(o);
  steps = Math.ceil(steps);
  a.left[n] = steps >= 1 ? steps : -1;
  if (a.left[n] > 0 && !a.listed && o.__vr_alive) {
    a.listed = true;
    __vr.alarmed.push(o);
  }
}

function alarm_get(n) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0 || o.__vr_alarm === null) return -1;
  return o.__vr_alarm.left[n];
}

function alarm_fired(n) {
  var o = __vr_me(this);
  n = __vr_alarm_number(n);
  if (!o || n < 0 || o.__vr_alarm === null) return false;
  return o.__vr_alarm.fired[n] === __vr.steps;
}

function __vr_count_alarms() {
  var list = __vr.alarmed, j = 0, now = __vr.steps;
  for (var i = 0; i < list.length; i++) {
    var o = list[i], a = o.__vr_alarm, on = false;
    for (var n = 0; n < 12; n++) {
      if (a.left[n] > 0 && --a.left[n] === 0) { a.left[n] = -1; a.fired[n] = now; }
      if (a.left[n] > 0) on = true;
    }
    if (on && o.__vr_alive) list[j++] = o;
    else a.listed = false;
  }
  list.length = j;
}

/* ---------------------------------------------------------------------
 * Scenes
 * ------------------------------------------------------------------- */

function __room_start__(scene, unused, w, h, spd, r, g, b, bgimage, tilex, tiley, stretch,
                        vw, vh, follow, xborder, yborder) {
  room = scene;
  room_width = w;
  room_height = h;
  room_speed = spd > 0 ? spd : 30;
  background_color = r + 256 * g + 65536 * b;
  __vr.bg = (bgimage && typeof bgimage === 'object') ?
      { image: bgimage, tilex: tilex, tiley: tiley, stretch: stretch } : null;
  view_wview = vw > 0 ? vw : w;
  view_hview = vh > 0 ? vh : h;
  __vr.follow = __vr_type_of(follow);
  __vr.xborder = xborder;
  __vr.yborder = yborder;
  __vr_resize_canvas(view_wview, view_hview);

  __vr.layers = [];
  __vr.solid_layers = 0;
  __vr.solid_grid = null;
  var tiles = scene.tiles || [], solid = scene.solid || [];
  for (var d = 0; d < tiles.length; d++) {
    var group = tiles[d], layer = { __vr_layer: true, depth: group[0], tiles: [] };
    if (solid.indexOf(group[0]) >= 0) { layer.solid = true; __vr.solid_layers++; }
    for (var k = 1; k < group.length; k++) {
      var set = group[k], bg = set[0];
      for (var t = 1; t < set.length; t++) {
        var row = set[t];
        layer.tiles.push(bg ? bg.image : null, row[0], row[1], row[2], row[3], row[4], row[5]);
      }
    }
    __vr.layers.push(layer);
  }

  // Every instance of the scene exists before the first Creation event runs,
  // so Creation code can already look at the others.
  var made = [], list = scene.objects || [];
  for (var i = 0; i < list.length; i++) {
    var e = list[i] && list[i].length !== undefined ? list[i][0] : list[i];
    var type = e ? __vr_type_of(e.o) : null;
    if (!type || !type.make) continue;
    var o = __vr_new_instance(type, e.x, e.y);
    if (e.d) { o.direction = e.d; o.__vr_dir = e.d; }
    if (e.a) o.image_angle = e.a;
    made.push(o);
  }
  for (i = 0; i < made.length; i++) __vr_run(made[i], made[i].__vr_type.h.on_creation);
  __vr_follow_view(true);
}

function __vr_clear_instances() {
  for (var i = 0; i < __vr.instances.length; i++) __vr.instances[i].__vr_alive = false;
  __vr.instances = [];
  __vr.alarmed = [];
  for (i = 0; i < __vr.types.length; i++) __vr.types[i].instances = [];
  __vr.dead = 0;
  __vr.order = [];
  __vr.order_dirty = true;
}

// Whether any object has a handler for the event: a scene of many
// instances is not gone through for nothing.
function __vr_handled(ev) {
  for (var i = 0; i < __vr.types.length; i++) if (__vr.types[i].h[ev]) return true;
  return false;
}

function __vr_switch_room(scene) {
  var i, list;
  if (__vr.scene && __vr_handled('on_roomend')) {
    list = __vr.instances.slice();
    for (i = 0; i < list.length; i++) __vr_run(list[i], list[i].__vr_type.h.on_roomend);
  }
  __vr_clear_instances();
  __vr.scene = scene;
  vr_room_to_go = null;
  if (typeof scene.start === 'function') scene.start();
  if (!__vr_handled('on_roomstart')) return;
  list = __vr.instances.slice();
  for (i = 0; i < list.length; i++) __vr_run(list[i], list[i].__vr_type.h.on_roomstart);
}

function __vr_change_rooms() {
  // A chain of scenes that each leave at once is followed a few times only.
  for (var n = 0; n < 8 && vr_room_to_go; n++) {
    var next = vr_room_to_go;
    vr_room_to_go = null;
    if (next && typeof next === 'object') { __vr.switches++; __vr_switch_room(next); }
  }
  vr_room_to_go = null;
}

function room_goto(scene) {
  if (scene && typeof scene === 'object') vr_room_to_go = scene;
}

function room_goto_next() {
  var i = vr_scenes.indexOf(room);
  if (i >= 0 && i + 1 < vr_scenes.length) vr_room_to_go = vr_scenes[i + 1];
}

function room_goto_previous() {
  var i = vr_scenes.indexOf(room);
  if (i > 0) vr_room_to_go = vr_scenes[i - 1];
}

function room_restart() {
  if (room) vr_room_to_go = room;
}

// Back to the first scene with the score and lives of a new game.
function game_restart() {
  score = 0;
  lives = 3;
  if (vr_scenes.length) vr_room_to_go = vr_scenes[0];
}

function __vr_follow_view(jump) {
  var vw = view_wview, vh = view_hview;
  var type = __vr.follow;
  if (type) {
    var f = null;
    for (var k = 0; k < type.family.length && !f; k++) {
      var list = type.family[k].instances;
      for (var i = 0; i < list.length; i++) if (list[i].__vr_alive) { f = list[i]; break; }
    }
    if (f) {
      var xb = Math.min(__vr.xborder, vw / 2), yb = Math.min(__vr.yborder, vh / 2);
      if (jump) {
        view_xview = f.x - vw / 2;
        view_yview = f.y - vh / 2;
      } else {
        if (f.x < view_xview + xb) view_xview = f.x - xb;
        else if (f.x > view_xview + vw - xb) view_xview = f.x - vw + xb;
        if (f.y < view_yview + yb) view_yview = f.y - yb;
        else if (f.y > view_yview + vh - yb) view_yview = f.y - vh + yb;
      }
    }
  } else if (jump) {
    view_xview = 0;
    view_yview = 0;
  }
  if (view_xview > room_width - vw) view_xview = room_width - vw;
  if (view_yview > room_height - vh) view_yview = room_height - vh;
  if (view_xview < 0) view_xview = 0;
  if (view_yview < 0) view_yview = 0;
}

/* ---------------------------------------------------------------------
 * Alarm, keyboard and mouse events, and event_inherited.
 * An object keeps these in __vr_more, keyed "Kind|parameter". They run
 * each step before Step: alarms, keyboard (held, pressed, released), then
 * mouse; within a kind object by object, each object's instances in the
 * order they were made. Only objects with such events are visited.
 * ------------------------------------------------------------------- */

var __vr_more_kinds = ['Alarm', 'Keyboard', 'Key pressed', 'Key released', 'Mouse'];

// The key code a stored key parameter names, or -1.
function __vr_key_code(p) {
  var named = { 'Left': vk_left, 'Right': vk_right, 'Up': vk_up, 'Down': vk_down, 'Space': vk_space,
                'Enter': vk_enter, 'Escape': vk_escape, 'Shift': vk_shift, 'Control': vk_ctrl,
                'Any key': vk_anykey };
  if (Object.prototype.hasOwnProperty.call(named, p)) return named[p];
  if (/^[A-Z0-9]$/.test(p)) return p.charCodeAt(0);
  var f = /^F([1-9]|1[0-2])$/.exec(p);
  return f ? vk_f1 + Number(f[1]) - 1 : -1;
}

// "Global right released" as { global, button, pressed }; null when unknown.
function __vr_mouse_parameter(p) {
  var m = /^(Global )?(Left|Right|Middle) (pressed|released)$/i.exec(p);
  if (!m) return null;
  var b = { left: mb_left, right: mb_right, middle: mb_middle }[m[2].toLowerCase()];
  return { global: !!m[1], button: b, pressed: m[3].toLowerCase() === 'pressed' };
}

// Fills t.more (the handler for each key, inherited ones included),
// t.more_def (the object that defines it) and t.runs (what the step runs).
function __vr_prepare_more(t) {
  t.more = {};
  t.more_def = {};
  t.runs = null;
  for (var c = t; c; c = c.parent) {
    var own = Object.prototype.hasOwnProperty.call(c.obj, '__vr_more') ? c.obj.__vr_more : null;
    for (var key in own) {
      if (t.more[key]) continue;
      t.more[key] = own[key];
      t.more_def[key] = c;
    }
  }
  for (var k in t.more) {
    var bar = k.indexOf('|'), kind = __vr_more_kinds.indexOf(k.slice(0, bar)), p = k.slice(bar + 1);
    var arg = kind === 0 ? __vr_alarm_number(Number(p)) : kind < 4 ? __vr_key_code(p) : __vr_mouse_parameter(p);
    if (kind < 0 || arg === null || arg === -1 || p === '') continue;
    if (!t.runs) { t.runs = [[], [], [], [], []]; __vr.more_types.push(t); }
    t.runs[kind].push({ key: k, arg: arg });
  }
}

function __vr_more_source(t) {
  var src = '';
  var own = Object.prototype.hasOwnProperty.call(t.obj, '__vr_more') ? t.obj.__vr_more : null;
  for (var key in own) src += Function.prototype.toString.call(own[key]) + '\n';
  return src;
}

function __vr_run_event(o, t, key, h) {
  var was = __vr.ev;
  __vr.ev = { def: t.more_def[key] || t, key: key };
  __vr.self = o;
  try { h.call(o); } finally { __vr.ev = was; }
}

function __vr_event_due(kind, arg, o) {
  if (kind === 0) return o.__vr_alarm !== null && o.__vr_alarm.fired[arg] === __vr.steps;
  if (kind === 1) return keyboard_check(arg);
  if (kind === 2) return keyboard_check_pressed(arg);
  if (kind === 3) return keyboard_check_released(arg);
  var list = arg.pressed ? __vr.buttons_pressed : __vr.buttons_released;
  if (list[arg.button] !== 1) return false;
  if (arg.global) return true;
  if (!__vr_shape(o, o.x, o.y, __vr_sb)) return false;
  var s = __vr_sb, x = mouse_x, y = mouse_y;
  if (s.circle) return (x - s.cx) * (x - s.cx) + (y - s.cy) * (y - s.cy) < s.rad * s.rad;
  return x >= s.l && x < s.r && y >= s.t && y < s.b;
}

function __vr_run_more() {
  var types = __vr.more_types;
  for (var kind = 0; kind < 5; kind++) {
    for (var ti = 0; ti < types.length; ti++) {
      var t = types[ti], runs = t.runs[kind];
      if (!runs.length) continue;
      var list = t.instances, n = list.length;
      for (var r = 0; r < runs.length; r++) {
        var h = t.more[runs[r].key];
        for (var i = 0; i < n; i++) {
          var o = list[i];
          if (o.__vr_alive && __vr_event_due(kind, runs[r].arg, o)) __vr_run_event(o, t, runs[r].key, h);
        }
      }
    }
  }
}

// Runs, inside an event, the same event of the parent of the object whose
// code is running (for Collision, the parent's Collision with the same
// partner; for the kinds with a parameter, the one with the same
// parameter); nothing when the parent has none.
function event_inherited() {
  var ev = __vr.ev, o = __vr_me(this);
  if (!ev || !o || !ev.def.parent) return;
  var p = ev.def.parent, more = ev.key.indexOf('|') >= 0;
  var h = more ? p.more[ev.key] : p.h[ev.key];
  if (!h) return;
  var collision = ev.key === 'on_collision', only = __vr.only_partner, other = o.other;
  if (collision) __vr.only_partner = __vr.partner;
  __vr.ev = { def: more ? p.more_def[ev.key] : p.h_def[ev.key], key: ev.key };
  try {
    h.call(o);
  } finally {
    __vr.ev = ev;
    if (collision) { __vr.only_partner = only; o.other = other; }
  }
}

// Each Collision block asks before it runs: it notes its partner, or while
// event_inherited runs a parent's Collision events, lets only the block of
// the partner the child's event was for run.
function __vr_partner(obj) {
  if (__vr.only_partner) return __vr.only_partner === obj;
  __vr.partner = obj;
  return true;
}

// When the game calls event_inherited, the nine older kinds also say which
// object's handler is running; otherwise they run as they are, at no cost.
function __vr_track_events(types) {
  for (var i = 0; i < types.length; i++) {
    var t = types[i];
    for (var e = 0; e < __vr_events.length; e++) {
      var prop = __vr_events[e], h = t.h[prop];
      if (h) t.h[prop] = __vr_tracked(h, t.h_def[prop], prop);
    }
  }
}

function __vr_tracked(h, def, prop) {
  return function() {
    var was = __vr.ev;
    __vr.ev = { def: def, key: prop };
    try { h.call(this); } finally { __vr.ev = was; }
  };
}
/* ---------------------------------------------------------------------
 * The step: alarm, keyboard and mouse events, Step, motion, Collision, End step, animation, then the view.
 * ------------------------------------------------------------------- */

function __vr_animate(o) {
  var spr = o.sprite_index;
  var n = (spr && spr.__vr_sprite) ? spr.number : 0;
  if (n === 0 || o.image_speed === 0) return;
  var old = o.image_index, ni = old + o.image_speed;
  if (ni >= n || ni < 0) {
    var h = o.__vr_type.h.on_animationend;
    if (h && ni >= n) {
      // The handler tests for the last frame, so it must still be showing.
      var shown = old >= n - 1 ? old : n - 1;
      o.image_index = shown;
      __vr.self = o;
      h.call(o);
      if (!o.__vr_alive || o.image_index !== shown || o.sprite_index !== spr) return;
    }
    ni = ni % n;
    if (ni < 0) ni += n;
  }
  o.image_index = ni;
}

function __vr_compact() {
  var list = __vr.instances, j = 0, i;
  for (i = 0; i < list.length; i++) if (list[i].__vr_alive) list[j++] = list[i];
  list.length = j;
  for (var t = 0; t < __vr.types.length; t++) {
    var tl = __vr.types[t].instances;
    j = 0;
    for (i = 0; i < tl.length; i++) if (tl[i].__vr_alive) tl[j++] = tl[i];
    tl.length = j;
  }
  __vr.dead = 0;
}

function __vr_step() {
  var list = __vr.instances, n = list.length, i, o, h;
  __vr.steps++;
  mouse_x = __vr.screen_x + view_xview;
  mouse_y = __vr.screen_y + view_yview;
  try {
    // Where every instance was before any event of this step moved it.
    for (i = 0; i < n; i++) {
      o = list[i];
      o.xprevious = o.x;
      o.yprevious = o.y;
    }
    if (__vr.alarmed.length) __vr_count_alarms();
    if (__vr.more_types.length) __vr_run_more();
    for (i = 0; i < n; i++) {
      o = list[i];
      if (!o.__vr_alive) continue;
      // Speeds set since the last step are seen in both forms by Step.
      if (o.speed !== o.__vr_sp || o.direction !== o.__vr_dir) __vr_sync_cartesian(o);
      else if (o.hspeed !== o.__vr_hs || o.vspeed !== o.__vr_vs) __vr_sync_polar(o, o.hspeed, o.vspeed);
      h = o.__vr_type.h.on_step;
      if (h !== null) { __vr.self = o; h.call(o); }
    }
    n = list.length;
    for (i = 0; i < n; i++) {
      o = list[i];
      if (o.__vr_alive) __vr_motion(o);
    }
    for (i = 0; i < n; i++) {
      o = list[i];
      h = o.__vr_type.h.on_collision;
      if (h !== null && o.__vr_alive) { __vr.self = o; h.call(o); }
    }
    for (i = 0; i < n; i++) {
      o = list[i];
      h = o.__vr_type.h.on_end_step;
      if (h !== null && o.__vr_alive) { __vr.self = o; h.call(o); }
    }
    for (i = 0; i < n; i++) {
      o = list[i];
      if (o.__vr_alive) __vr_animate(o);
    }
  } finally {
    __vr.self = null;
    __vr_clear_pressed();
    if (__vr.dead > 0) __vr_compact();
  }
  if (vr_room_to_go) __vr_change_rooms();
  __vr_follow_view(false);
}

/* ---------------------------------------------------------------------
 * Drawing
 * ------------------------------------------------------------------- */

function __vr_resize_canvas(w, h) {
  var c = __vr.canvas;
  if (!c) return;
  if (c.width !== w) c.width = w;
  if (c.height !== h) c.height = h;
  // Resizing resets the context: pixel art stays sharp when scaled.
  __vr.ctx.imageSmoothingEnabled = false;
  __vr_fit_canvas();
}

// Scales the canvas to the window: by whole steps when it fits, so that
// pixel art stays sharp.
function __vr_fit_canvas() {
  var c = __vr.canvas;
  if (!c || !c.style || typeof window === 'undefined' || !window.innerWidth) return;
  var s = Math.min(window.innerWidth / c.width, (window.innerHeight - 18) / c.height);
  if (s >= 1) s = Math.floor(s);
  if (!(s > 0)) s = 1;
  c.style.width = Math.round(c.width * s) + 'px';
  c.style.height = Math.round(c.height * s) + 'px';
}

var __vr_css_cache = {};
function __vr_css(col) {
  var s = __vr_css_cache[col];
  if (s === undefined) {
    s = 'rgb(' + (col & 255) + ',' + ((col >> 8) & 255) + ',' + ((col >> 16) & 255) + ')';
    __vr_css_cache[col] = s;
  }
  return s;
}

function __vr_frame_image(spr, index) {
  var n = spr.number;
  if (n === 0) return null;
  var f = Math.floor(index) % n;
  if (f < 0) f += n;
  var img = spr.images[f];
  return (img && img.__vr_ok) ? img : null;
}

function __vr_draw_image(spr, index, x, y, xs, ys, angle, alpha) {
  var img = __vr_frame_image(spr, index);
  if (!img) return;
  var ctx = __vr.ctx;
  if (xs === 1 && ys === 1 && angle === 0 && alpha === 1) {
    ctx.drawImage(img, Math.round(x - spr.xoffset), Math.round(y - spr.yoffset));
    return;
  }
  if (alpha <= 0) return;
  // Positive angles turn counter-clockwise, as in the scene editor.
  var r = -angle * Math.PI / 180, c = Math.cos(r), s = Math.sin(r);
  ctx.globalAlpha = alpha < 1 ? alpha : 1;
  ctx.setTransform(c * xs, s * xs, -s * ys, c * ys, x - __vr.vx, y - __vr.vy);
  ctx.drawImage(img, -spr.xoffset, -spr.yoffset);
  ctx.setTransform(1, 0, 0, 1, -__vr.vx, -__vr.vy);
  ctx.globalAlpha = 1;
}

// Draws the instance's sprite at its place with its frame, scale, angle and
// alpha. The generated Draw events call it before their own code.
function __handle_sprite__(o) {
  __vr.drawn = o;
  var spr = o && o.sprite_index;
  if (!spr || !spr.__vr_sprite || !__vr.ctx) return;
  __vr_draw_image(spr, o.image_index, o.x, o.y, o.image_xscale, o.image_yscale, o.image_angle, o.image_alpha);
}

function __vr_by_depth(a, b) { return b.depth - a.depth; }

// Instances and tile layers together, deepest first; equal depths keep
// instances before tiles and creation order, as the scene editor shows them.
function __vr_draw_order() {
  var order = __vr.order, i;
  if (!__vr.order_dirty) {
    for (i = 1; i < order.length; i++) {
      if (order[i - 1].depth < order[i].depth) { __vr.order_dirty = true; break; }
    }
  }
  if (__vr.order_dirty) {
    order = __vr.instances.concat(__vr.layers);
    order.sort(__vr_by_depth);
    __vr.order = order;
    __vr.order_dirty = false;
  }
  return order;
}

function __vr_draw_background(ctx) {
  var bg = __vr.bg;
  if (!bg || !bg.image.__vr_ok) return;
  var img = bg.image, w = img.naturalWidth, h = img.naturalHeight;
  if (bg.stretch) { ctx.drawImage(img, 0, 0, room_width, room_height); return; }
  if (!bg.tilex && !bg.tiley) { ctx.drawImage(img, 0, 0); return; }
  var x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (bg.tilex) {
    x0 = Math.max(0, Math.floor(__vr.vx / w) * w);
    x1 = Math.min(room_width, __vr.vx + view_wview);
  }
  if (bg.tiley) {
    y0 = Math.max(0, Math.floor(__vr.vy / h) * h);
    y1 = Math.min(room_height, __vr.vy + view_hview);
  }
  for (var y = y0; y <= y1; y += h) {
    for (var x = x0; x <= x1; x += w) ctx.drawImage(img, x, y);
  }
}

function __vr_draw_layer(ctx, layer) {
  var t = layer.tiles, vx = __vr.vx, vy = __vr.vy, vr = vx + view_wview, vb = vy + view_hview;
  for (var i = 0; i < t.length; i += 7) {
    var img = t[i], w = t[i + 3], h = t[i + 4], x = t[i + 5], y = t[i + 6];
    if (!img || !img.__vr_ok || x >= vr || y >= vb || x + w <= vx || y + h <= vy) continue;
    ctx.drawImage(img, t[i + 1], t[i + 2], w, h, x, y, w, h);
  }
}

function __vr_draw() {
  var ctx = __vr.ctx;
  if (!ctx) return;
  var vx = Math.round(view_xview), vy = Math.round(view_yview);
  __vr.vx = vx;
  __vr.vy = vy;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalAlpha = 1;
  ctx.fillStyle = __vr_css(background_color);
  ctx.fillRect(0, 0, __vr.canvas.width, __vr.canvas.height);
  ctx.setTransform(1, 0, 0, 1, -vx, -vy);
  __vr_draw_background(ctx);
  var order = __vr_draw_order();
  try {
    for (var i = 0; i < order.length; i++) {
      var o = order[i];
      if (o.__vr_layer === true) { __vr_draw_layer(ctx, o); continue; }
      if (!o.__vr_alive) continue;
      var h = o.__vr_type.h.on_draw;
      if (h !== null) { __vr.self = o; __vr.drawn = null; h.call(o); continue; }
      if (o.visible != 1) continue;
      var spr = o.sprite_index;
      if (spr === null || spr === undefined || !spr.__vr_sprite) continue;
      if (o.image_xscale === 1 && o.image_yscale === 1 && o.image_angle === 0 && o.image_alpha === 1) {
        var img = __vr_frame_image(spr, o.image_index);
        if (img !== null) ctx.drawImage(img, Math.round(o.x - spr.xoffset), Math.round(o.y - spr.yoffset));
      } else {
        __vr_draw_image(spr, o.image_index, o.x, o.y, o.image_xscale, o.image_yscale, o.image_angle, o.image_alpha);
      }
    }
  } finally {
    __vr.self = null;
    __vr.drawn = null;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
  }
  __vr.frames++;
  if (__vr.first_frame_ms < 0 && typeof performance !== 'undefined') __vr.first_frame_ms = performance.now();
}

function __vr_fill_style() {
  var ctx = __vr.ctx;
  ctx.fillStyle = __vr.color_css;
  ctx.strokeStyle = __vr.color_css;
  ctx.globalAlpha = __vr.alpha;
  return ctx;
}

function draw_set_color(col) {
  __vr.color = col;
  __vr.color_css = __vr_css(col);
}

function draw_get_color() { return __vr.color; }

function draw_set_alpha(a) { __vr.alpha = a < 0 ? 0 : (a > 1 ? 1 : a); }

function draw_get_alpha() { return __vr.alpha; }

function draw_set_font(fnt) { __vr.font = (fnt && fnt.__vr_font) ? fnt : null; }

function draw_set_halign(a) { __vr.halign = a; }

function draw_set_valign(a) { __vr.valign = a; }

function make_color_rgb(r, g, b) {
  return (clamp(Math.round(r), 0, 255)) + 256 * clamp(Math.round(g), 0, 255) +
      65536 * clamp(Math.round(b), 0, 255);
}

function color_get_red(col) { return col & 255; }
function color_get_green(col) { return (col >> 8) & 255; }
function color_get_blue(col) { return (col >> 16) & 255; }

function draw_rectangle(x1, y1, x2, y2, outline) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  var l = Math.min(x1, x2), t = Math.min(y1, y2), w = Math.abs(x2 - x1), h = Math.abs(y2 - y1);
  // Both cover the pixels x1..x2 and y1..y2, the last ones included.
  if (outline) { ctx.lineWidth = 1; ctx.strokeRect(l + 0.5, t + 0.5, w, h); } else ctx.fillRect(l, t, w + 1, h + 1);
  ctx.globalAlpha = 1;
}

function draw_circle(x, y, r, outline) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  ctx.beginPath();
  ctx.arc(x, y, Math.abs(r), 0, 2 * Math.PI);
  if (outline) { ctx.lineWidth = 1; ctx.stroke(); } else ctx.fill();
  ctx.globalAlpha = 1;
}

function draw_line(x1, y1, x2, y2, width) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  ctx.lineWidth = width > 0 ? width : 1;
  ctx.beginPath();
  ctx.moveTo(x1, y1);
  ctx.lineTo(x2, y2);
  ctx.stroke();
  ctx.globalAlpha = 1;
}

function draw_point(x, y) {
  if (!__vr.ctx) return;
  __vr_fill_style().fillRect(Math.floor(x), Math.floor(y), 1, 1);
  __vr.ctx.globalAlpha = 1;
}

function __vr_font_css() { return __vr.font ? __vr.font.css : '12pt sans-serif'; }
function __vr_line_height() { return __vr.font ? __vr.font.line : 20; }

function draw_text(x, y, text) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  var lines = String(text).split('\n'), lh = __vr_line_height();
  ctx.font = __vr_font_css();
  ctx.textAlign = __vr.halign === fa_center ? 'center' : (__vr.halign === fa_right ? 'right' : 'left');
  ctx.textBaseline = 'top';
  var top = y;
  if (__vr.valign === fa_middle) top = y - lines.length * lh / 2;
  else if (__vr.valign === fa_bottom) top = y - lines.length * lh;
  for (var i = 0; i < lines.length; i++) ctx.fillText(lines[i], x, top + i * lh);
  ctx.globalAlpha = 1;
}

function string_width(text) {
  if (!__vr.ctx) return 0;
  __vr.ctx.font = __vr_font_css();
  var lines = String(text).split('\n'), w = 0;
  for (var i = 0; i < lines.length; i++) w = Math.max(w, __vr.ctx.measureText(lines[i]).width);
  return w;
}

function string_height(text) {
  return String(text).split('\n').length * __vr_line_height();
}

function draw_sprite(spr, subimg, x, y) {
  if (spr && spr.__vr_sprite && __vr.ctx) __vr_draw_image(spr, subimg, x, y, 1, 1, 0, 1);
}

function draw_sprite_ext(spr, subimg, x, y, xscale, yscale, angle, alpha) {
  if (spr && spr.__vr_sprite && __vr.ctx) {
    __vr_draw_image(spr, subimg, x, y, xscale, yscale, angle || 0, alpha === undefined ? 1 : alpha);
  }
}

function draw_background(bg, x, y) {
  if (bg && bg.__vr_background && bg.image.__vr_ok && __vr.ctx) __vr.ctx.drawImage(bg.image, x, y);
}

function sprite_get_width(spr) { return spr && spr.__vr_sprite ? spr.width : 0; }
function sprite_get_height(spr) { return spr && spr.__vr_sprite ? spr.height : 0; }
function sprite_get_number(spr) { return spr && spr.__vr_sprite ? spr.number : 0; }

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

/* ---------------------------------------------------------------------
 * Sounds and music. Browsers refuse to play before the player has pressed
 * a key or clicked; music asked for earlier starts at that moment.
 * ------------------------------------------------------------------- */

function __vr_quiet(p) {
  if (p && typeof p.catch === 'function') p.catch(function() {});
}

function __vr_player(snd) {
  var list = snd.players;
  for (var i = 0; i < list.length; i++) if (list[i].paused || list[i].ended) return list[i];
  if (list.length >= 8 || !list.length) return list.length ? list[0] : null;
  var a = list[0].cloneNode(true);
  list.push(a);
  return a;
}

function sound_play(snd) {
  if (!snd || !snd.__vr_audio) return;
  var a = __vr_player(snd);
  if (!a) return;
  a.loop = false;
  a.volume = snd.volume;
  try { a.currentTime = 0; } catch (e) { /* not seekable yet */ }
  __vr_quiet(a.play());
}

function sound_loop(snd) {
  if (!snd || !snd.__vr_audio) return;
  var a = __vr_player(snd);
  if (!a) return;
  a.loop = true;
  a.volume = snd.volume;
  __vr_quiet(a.play());
}

function sound_stop(snd) {
  if (!snd || !snd.__vr_audio) return;
  for (var i = 0; i < snd.players.length; i++) {
    snd.players[i].pause();
    try { snd.players[i].currentTime = 0; } catch (e) { /* not seekable yet */ }
  }
  if (__vr.music === snd) { __vr.music = null; __vr.music_wanted = null; }
}

function sound_stop_all() {
  for (var i = 0; i < __vr.sounds.length; i++) sound_stop(__vr.sounds[i]);
  __vr.music = null;
  __vr.music_wanted = null;
}

function sound_volume(snd, v) {
  if (!snd || !snd.__vr_audio) return;
  snd.volume = v < 0 ? 0 : (v > 1 ? 1 : v);
  for (var i = 0; i < snd.players.length; i++) snd.players[i].volume = snd.volume;
}

function sound_isplaying(snd) {
  if (!snd || !snd.__vr_audio) return false;
  for (var i = 0; i < snd.players.length; i++) if (!snd.players[i].paused) return true;
  return false;
}

function music_play(mus) {
  if (!mus || !mus.__vr_audio) return;
  if (__vr.music === mus && sound_isplaying(mus)) return;
  if (__vr.music) sound_stop(__vr.music);
  __vr.music = mus;
  __vr.music_wanted = mus;
  var a = mus.players[0];
  if (!a) return;
  a.loop = true;
  a.volume = mus.volume;
  var p = a.play();
  if (p && typeof p.then === 'function') {
    p.then(function() { if (__vr.music_wanted === mus) __vr.music_wanted = null; }, function() {});
  }
}

function music_stop() {
  if (__vr.music) sound_stop(__vr.music);
  __vr.music = null;
  __vr.music_wanted = null;
}

function __vr_unlock_audio() {
  var m = __vr.music_wanted;
  if (m && m.players[0] && m.players[0].paused) __vr_quiet(m.players[0].play());
  __vr.music_wanted = null;
}

/* ---------------------------------------------------------------------
 * Numbers, text and time
 * ------------------------------------------------------------------- */

function random(n) { return Math.random() * n; }
function random_range(a, b) { return a + Math.random() * (b - a); }
function irandom(n) { return Math.floor(Math.random() * (Math.floor(n) + 1)); }
function irandom_range(a, b) {
  a = Math.ceil(a); b = Math.floor(b);
  return a + Math.floor(Math.random() * (b - a + 1));
}
function choose() { return arguments[Math.floor(Math.random() * arguments.length)]; }
function abs(v) { return Math.abs(v); }
function sign(v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
function round(v) { return Math.round(v); }
function floor(v) { return Math.floor(v); }
function ceil(v) { return Math.ceil(v); }
function frac(v) { return v - Math.trunc(v); }
function sqr(v) { return v * v; }
function sqrt(v) { return Math.sqrt(v); }
function power(v, e) { return Math.pow(v, e); }
function min() { return Math.min.apply(Math, arguments); }
function max() { return Math.max.apply(Math, arguments); }
function clamp(v, lo, hi) { return v < lo ? lo : (v > hi ? hi : v); }
function lerp(a, b, t) { return a + (b - a) * t; }
function degtorad(d) { return d * Math.PI / 180; }
function radtodeg(r) { return r * 180 / Math.PI; }
function dsin(d) { return Math.sin(d * Math.PI / 180); }
function dcos(d) { return Math.cos(d * Math.PI / 180); }

function point_distance(x1, y1, x2, y2) {
  var dx = x2 - x1, dy = y2 - y1;
  return Math.sqrt(dx * dx + dy * dy);
}

// Degrees counter-clockwise from the right, as screen y grows downwards.
function point_direction(x1, y1, x2, y2) {
  var d = Math.atan2(y1 - y2, x2 - x1) * 180 / Math.PI;
  return d < 0 ? d + 360 : d;
}

function lengthdir_x(len, dir) { return len * Math.cos(dir * Math.PI / 180); }
function lengthdir_y(len, dir) { return -len * Math.sin(dir * Math.PI / 180); }

// The turn from angle a to angle b, between -180 and 180 degrees.
function angle_difference(a, b) {
  var d = ((b - a) % 360 + 540) % 360 - 180;
  return d;
}

function string(v) { return String(v); }
function real(s) { var v = parseFloat(s); return isNaN(v) ? 0 : v; }
// In a debug run the page's debug script takes the message to Vorlane's
// Output panel; elsewhere it goes to the console.
function show_debug_message(msg) { debug_message(msg); }
function debug_message(text) {
  var d = typeof window !== 'undefined' ? window.__vr_debug : undefined;
  if (d && typeof d.message === 'function') d.message(String(text));
  else if (typeof console !== 'undefined') console.log(String(text));
}

// Milliseconds since the game started.
function get_timer() {
  return (typeof performance !== 'undefined' ? performance.now() : Date.now()) - __vr.start_time;
}

/* ---------------------------------------------------------------------
 * The pictures a scene shows first, asked for before the others.
 * ------------------------------------------------------------------- */

// Adds to `add` the pictures that the Draw event `h` names: every frame of
// its sprites, and its backgrounds.
function __vr_drawn_by(h, add) {
  var word = new RegExp(__vr_id, 'gu'), src = Function.prototype.toString.call(h), m, j;
  while ((m = word.exec(src)) !== null) {
    var v;
    // Some browser attributes (storage in a sandboxed frame) throw when read.
    try { v = (typeof window !== 'undefined') ? window[m[0]] : undefined; } catch (e) { v = undefined; }
    if (v && typeof v === 'object') {
      if (v.__vr_sprite) for (j = 0; j < v.images.length; j++) add(v.images[j]);
      else if (v.__vr_background) add(v.image);
    }
  }
}

// The pictures the first frame of the scene draws: the frame each of its
// instances shows, every frame of the sprites its Draw events name, its
// background and its tiles. The other frames of its instances' sprites go
// to __vr.rest: the first step waits for them, so that no animation shows
// a frame still missing, but the first frame need not.
function __vr_needed_pictures() {
  var out = [], sprites = [], types = [], last = null, last_spr = null, last_type = null, i, j;
  var add = function(img) { if (img && out.indexOf(img) < 0) out.push(img); };
  // Neighbours in a large scene are mostly of one object: what the one
  // before had is not looked for again.
  for (i = 0; i < __vr.instances.length; i++) {
    var o = __vr.instances[i], spr = o.sprite_index;
    if (!o.__vr_alive) continue;
    if (spr !== last_spr && spr && spr.__vr_sprite && sprites.indexOf(spr) < 0) sprites.push(spr);
    if (spr && spr.__vr_sprite && spr.number > 0) {
      // The frame as drawing picks it.
      var f = Math.floor(o.image_index) % spr.number;
      if (f < 0) f += spr.number;
      if (spr.images[f] !== last) add(last = spr.images[f]);
    }
    last_spr = spr;
    if (o.__vr_type !== last_type && types.indexOf(o.__vr_type) < 0) types.push(o.__vr_type);
    last_type = o.__vr_type;
  }
  for (i = 0; i < types.length; i++) if (types[i].h.on_draw) __vr_drawn_by(types[i].h.on_draw, add);
  if (__vr.bg) add(__vr.bg.image);
  for (i = 0; i < __vr.layers.length; i++) {
    var t = __vr.layers[i].tiles;
    for (j = 0; j < t.length; j += 7) add(t[j]);
  }
  __vr.rest = [];
  for (i = 0; i < sprites.length; i++) {
    for (j = 0; j < sprites[i].images.length; j++) {
      var img = sprites[i].images[j];
      if (out.indexOf(img) < 0 && __vr.rest.indexOf(img) < 0) __vr.rest.push(img);
    }
  }
  return out;
}

// The background of a scene in the call that starts it, which names it
// after seven other arguments: __room_start__(this, scene, w, h, ...).
var __vr_start_background = new RegExp('__room_start__\\(\\s*this\\s*(?:,[^,]*){7},\\s*(' + __vr_id +
                                       ')\\.image\\s*,', 'u');

// The pictures a scene surely shows, read before it starts (its instances'
// Creation events may still change their sprites and frames): its
// background, from the call that starts it, its tiles, and what the Draw
// events of the objects placed in it name.
function __vr_scene_pictures(scene) {
  var out = [], seen = [], i, k;
  var add = function(img) { if (img && out.indexOf(img) < 0) out.push(img); };
  if (!scene || typeof scene !== 'object') return out;
  var m = typeof scene.start === 'function' ?
      __vr_start_background.exec(Function.prototype.toString.call(scene.start)) : null;
  var bg = null;
  try { bg = m && typeof window !== 'undefined' ? window[m[1]] : null; } catch (e) { bg = null; }
  if (bg && bg.__vr_background) add(bg.image);
  var tiles = scene.tiles || [];
  for (i = 0; i < tiles.length; i++) {
    for (k = 1; k < tiles[i].length; k++) {
      var b = tiles[i][k] && tiles[i][k][0];
      if (b && b.__vr_background) add(b.image);
    }
  }
  var list = scene.objects || [], last = null;
  for (i = 0; i < list.length; i++) {
    var e = list[i] && list[i].length !== undefined ? list[i][0] : list[i];
    var obj = e && e.o;
    if (!obj || obj === last) continue;
    last = obj;
    if (seen.indexOf(obj) >= 0) continue;
    seen.push(obj);
    var h = __vr_early_draw(obj);
    if (h) __vr_drawn_by(h, add);
  }
  return out;
}

// The Draw event an object has before the objects are prepared: its own,
// or its nearest parent's.
function __vr_early_draw(obj) {
  for (var o = obj, n = 0; o && typeof o === 'object' && n < 100; n++) {
    var f = Object.prototype.hasOwnProperty.call(o, 'on_draw') ? o.on_draw : null;
    if (typeof f === 'function' && !f.__vr_default) return f;
    var t = o.__vr_type;
    if (!t) return null;
    var p = t.parent_ref;
    try { if (!p && t.parent_name && typeof window !== 'undefined') p = window[t.parent_name]; } catch (e) { p = null; }
    o = p;
  }
  return null;
}

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

/* ---------------------------------------------------------------------
 * The game made by Vorlane
 * ------------------------------------------------------------------- */

//VORLANE_EXTENSIONS

//VORLANE_GLOBAL_VARIABLES

//VORLANE_GLOBAL_FUNCTIONS

//VORLANE_SPRITES

//VORLANE_SOUNDS

//VORLANE_MUSICS

//VORLANE_BACKGROUNDS

//VORLANE_FONTS

//VORLANE_OBJECTS

//VORLANE_SCENES

__vr.script_complete = true;
__vr_boot();
