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

