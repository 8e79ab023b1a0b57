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

