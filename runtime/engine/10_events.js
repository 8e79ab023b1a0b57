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
