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

