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
