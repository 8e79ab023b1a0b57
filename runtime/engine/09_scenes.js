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

