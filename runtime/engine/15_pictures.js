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

