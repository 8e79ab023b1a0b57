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

