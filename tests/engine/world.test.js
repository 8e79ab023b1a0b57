// Motion, collision shapes, drawing, backgrounds, the view, input and sounds:
// the engine's functions doing what keywords.dat says, in games built by
// vorlane-build and run in the fake page of support/, whose canvas records
// every drawing call.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { play } = require('./support/small_game.js');

const near = (a, b) => Math.abs(a - b) < 1e-9;
const drawn = (g, name) => g.ctx.calls.filter((c) => c.name === name);

test('speed, direction, hspeed, vspeed, gravity and friction move an instance and stay in step', () => play({
  objects: [{ name: 'obj_a', events: { Creation: 'speed = 2;', Step: 'seen = vspeed;' } }],
  scenes: [{ name: 'room1', instances: [['obj_a', 100, 100, 90]] }],
}, (g) => {
  const o = g.inst('obj_a');
  const set = (code) => g.run('(function() {' + code + '}).call(instance_find(obj_a, 0))');
  // [what the test does, steps, then x, y, hspeed, vspeed, speed, direction]; null: not checked
  const moves = [
    ['', 1, 100, 98, 0, -2, 2, 90],  // direction 90 is up; Step already sees the speed set in Creation
    ['this.hspeed = 3;', 1, 103, 96, 3, -2, Math.sqrt(13), Math.atan2(2, 3) * 180 / Math.PI],
    ['this.speed = 0; this.gravity = 0.5; this.gravity_direction = 270;', 2, null, null, 0, 1, 1, 270],
    ['this.gravity = 0; this.friction = 0.25;', 4, null, null, 0, 0, 0, null],
    ['this.motion_set(180, 4); this.motion_add(90, 4);', 0, null, null, -4, -4, Math.sqrt(32), 135],
    ['this.x = 0; this.y = 0; this.move_towards_point(10, -10, 2);', 0, 0, 0, Math.SQRT2, -Math.SQRT2, 2, 45],
  ];
  for (const [code, steps, ...want] of moves) {
    set(code);
    if (steps) g.step(steps);
    const got = [o.x, o.y, o.hspeed, o.vspeed, o.speed, o.direction];
    want.forEach((w, i) => w === null || assert.ok(near(got[i], w), code + ': ' + got + ' is not ' + want));
    if (code === '') assert.equal(o.seen, -2, 'the first Step already sees the speed Creation set');
  }
  const [up_right, left, distance] = g.json('[point_direction(0, 0, 10, -10), point_direction(0, 0, -1, 0), point_distance(0, 0, 3, 4)]');
  assert.ok(near(up_right, 45) && near(left, 180) && distance === 5);
}));

test('boxes and circles collide as the sprite says, scaled with the instance; nobody meets itself', () => play({
  sprites: {
    box: { w: 20, h: 20, cx: 10, cy: 10, l: 5, rr: 15, t: 5, b: 15 },
    ball: { w: 20, h: 20, shape: 'Circle', r: 5 },
    unset: { w: 16, h: 16, rr: 0, b: 0 },
    unsetball: { w: 16, h: 16, shape: 'Circle', r: 0 },
  },
  objects: [{ name: 'obj_box', sprite: 'box' }, { name: 'obj_ball', sprite: 'ball' }, { name: 'obj_unset', sprite: 'unset' },
    { name: 'obj_unsetball', sprite: 'unsetball' }, { name: 'obj_ghost', sprite: 'box', collision: 0 }],
  scenes: [{ name: 'room1', instances: [['obj_box', 100, 100], ['obj_ball', 200, 200], ['obj_unset', 300, 300],
    ['obj_ghost', 100, 100], ['obj_unsetball', 400, 400]] }],
}, (g) => {
  g.run('var box = instance_find(obj_box, 0), probe = instance_create(0, 0, obj_box);');
  // [expression, whether it finds an instance]
  const cases = [
    // The box covers 95..105: another box meets it only when they overlap.
    ['probe.place_meeting(109, 100, obj_box) === box', true],
    ['probe.place_meeting(110, 100, obj_box)', false],
    ['box.place_meeting(100, 100, obj_box)', false],  // only itself is there
    ['box.place_meeting(100, 100, box)', false],
    ['probe.place_meeting(100, 100, obj_ghost)', false],  // collision checking off
    // A circle of radius 5 around the frame's centre (210, 210); twice as wide it has radius 10.
    ['box.place_meeting(202, 205, obj_ball)', true],
    ['box.place_meeting(200, 201, obj_ball)', false],
    ['box.place_meeting(233, 210, obj_ball)', false],
    ['(instance_find(obj_ball, 0).image_xscale = 2, box.place_meeting(233, 210, obj_ball))', true],
    // A shape never set covers the frame; a circle never set has half the frame's width.
    ['position_meeting(301, 315, obj_unset)', true],
    ['position_meeting(317, 301, obj_unset)', false],
    ['position_meeting(408, 401, obj_unsetball)', true],
    ['position_meeting(401, 401, obj_unsetball)', false],
  ];
  for (const [expression, met] of cases) assert.equal(g.run(expression) !== null, met, expression);
}));

test('instance_nearest and distance_to_object leave out the instance whose event asks', () => play({
  variables: 'var found = [];',
  objects: [
    { name: 'obj_a', events: { Step: 'found.push([distance_to_object(obj_a), instance_nearest(x, y, obj_a).x, distance_to_object(obj_b)]);' } },
    { name: 'obj_b' },
  ],
  scenes: [{ name: 'room1', instances: [['obj_a', 100, 100], ['obj_a', 150, 100], ['obj_b', 100, 130]] }],
}, (g) => {
  g.step();
  assert.deepEqual(g.json('found'), [[50, 150, 30], [50, 100, Math.sqrt(50 * 50 + 30 * 30)]]);
  assert.equal(g.run('instance_nearest(100, 100, obj_a).x'), 100, 'outside any event every instance counts');
}));

test('instances and tile layers are drawn deepest first, instances before tiles of equal depth, tiles from their cut-out', () => play({
  sprites: { s_back: {}, s_mid: {}, s_front: {} },
  backgrounds: { tiles: [64, 32] },
  objects: [{ name: 'obj_front', sprite: 's_front', depth: -10 }, { name: 'obj_mid', sprite: 's_mid', depth: 5 },
    { name: 'obj_back', sprite: 's_back', depth: 100 }],
  scenes: [{ name: 'room1', instances: [['obj_front', 0, 0], ['obj_mid', 0, 0], ['obj_back', 0, 0]],
    tiles: [['tiles', 0, 0, 32, 32, 0, 0, 5], ['tiles', 32, 16, 32, 16, 40, 50, 1000000]] }],
}, (g) => {
  g.ctx.clear();
  g.tick();
  assert.deepEqual(g.ctx.images(), ['img/tiles.png', 'img/s_back_0.png', 'img/s_mid_0.png', 'img/tiles.png', 'img/s_front_0.png']);
  assert.deepEqual(drawn(g, 'drawImage')[0].args.slice(1), [32, 16, 32, 16, 40, 50, 32, 16]);
  g.run('instance_find(obj_back, 0).depth = -20;');
  g.ctx.clear();
  g.tick();
  assert.equal(g.ctx.images().at(-1), 'img/s_back_0.png', 'a changed depth is drawn in its new place');
}));

test('sprites are drawn at their origin with frame, scale, angle and alpha, once per Draw event; hidden ones are not', () => play({
  sprites: { spr: { w: 10, h: 10, cx: 5, cy: 5, frames: 2 } },
  objects: [{ name: 'obj_a', sprite: 'spr', events: { Creation: 'image_speed = 0;' } },
    { name: 'obj_hidden', sprite: 'spr', visible: 0 },
    { name: 'obj_self', sprite: 'spr', events: { Draw: 'image_alpha = 0.5;\nx += 40;\ndraw_self();\nx -= 40;' } }],
  scenes: [{ name: 'room1', instances: [['obj_a', 50, 60], ['obj_hidden', 0, 0], ['obj_self', 200, 0]] }],
}, (g) => {
  g.ctx.clear();
  g.run('__vr.draw()');
  assert.deepEqual(drawn(g, 'drawImage').map((c) => c.args.slice(1).concat(c.alpha)), [[45, 55, 1], [-5, -5, 0.5]]);
  g.run('var a = instance_find(obj_a, 0); a.image_index = 1; a.image_xscale = 2; a.image_angle = 90; a.image_alpha = 0.5;');
  g.ctx.clear();
  g.run('__vr.draw()');
  const calls = drawn(g, 'drawImage');
  assert.deepEqual(calls.map((c) => c.transform[4]), [50, 200], 'draw_self draws nothing more after the sprite was drawn');
  assert.equal(calls[0].args[0].src, 'img/spr_1.png');
  // Turned a quarter counter-clockwise on screen and twice as wide.
  assert.deepEqual(calls[0].transform.map((v) => Math.round(v * 1e9) / 1e9), [0, -2, 1, 0, 50, 60]);
  assert.equal(calls[0].alpha, 0.5);
}));

test('draw_rectangle covers x1..x2 and y1..y2, filled or outlined, corners in either order', () => play({
  objects: [{ name: 'obj_r', events: { Draw: 'draw_rectangle(100, 100, 109, 109, false);\n' +
    'draw_rectangle(200, 100, 209, 109, true);\ndraw_rectangle(309, 109, 300, 100, false);' } }],
  scenes: [{ name: 'room1', instances: [['obj_r', 0, 0]] }],
}, (g) => {
  g.ctx.clear();
  g.run('__vr.draw()');
  assert.deepEqual(g.ctx.calls.filter((c) => /Rect$/.test(c.name)).slice(1).map((c) => [c.name, ...c.args]),
    [['fillRect', 100, 100, 10, 10], ['strokeRect', 200.5, 100.5, 9, 9], ['fillRect', 300, 100, 10, 10]]);
}));

test('backgrounds are drawn tiled or stretched; the view follows an object within its borders and stops at the edges', () => play({
  sprites: { spr: {} },
  backgrounds: { bg: [100, 100] },
  objects: [{ name: 'obj_p', sprite: 'spr' }],
  scenes: [
    { name: 'room1', width: 1000, height: 400, background: 'bg', tilex: true, view: [300, 200, 'obj_p', 50, 40],
      instances: [['obj_p', 100, 100]] },
    { name: 'room2', width: 200, height: 250, background: 'bg', tiley: true },
    { name: 'room3', width: 640, height: 480, background: 'bg', stretch: true },
  ],
}, (g) => {
  const backgrounds = () => {
    g.ctx.clear();
    g.tick();
    return drawn(g, 'drawImage').filter((c) => c.args[0].src === 'img/bg.png').map((c) => c.args.slice(1));
  };
  assert.equal(g.run('view_xview'), 0, 'the view starts clamped to the scene');
  assert.equal(g.canvas.width, 300);
  g.run('instance_find(obj_p, 0).x = 400');
  assert.deepEqual(backgrounds(), [[100, 0], [200, 0], [300, 0], [400, 0]]);
  assert.equal(g.run('view_xview'), 400 - 300 + 50);
  g.run('instance_find(obj_p, 0).x = 990');
  g.step();
  assert.equal(g.run('view_xview'), 700, 'the view stops at the scene edge');
  g.run('room_goto(room2)');
  assert.deepEqual(backgrounds(), [[0, 0], [0, 100], [0, 200]]);
  g.run('room_goto(room3)');
  assert.deepEqual(backgrounds(), [[0, 0, 640, 480]]);
}));

test('sprite_width, sprite_height and image_number follow sprite_index at once', () => play({
  sprites: { spr_small: { w: 16, h: 16 }, spr_big: { w: 48, h: 24, frames: 3 } },
  objects: [{ name: 'obj_s', sprite: 'spr_small' }],
  scenes: [{ name: 'room1', instances: [['obj_s', 10, 10]] }],
}, (g) => {
  const size = (sprite) => g.json('(function(o) { o.sprite_index = ' + sprite + '; return [o.sprite_width, o.sprite_height, o.image_number]; })(instance_find(obj_s, 0))');
  assert.deepEqual([size('spr_small'), size('spr_big'), size('null')], [[16, 16, 1], [48, 24, 3], [0, 0, 0]]);
}));

test('text is drawn with the chosen font, colour, alpha and alignment, one line at a time', () => play({
  fonts: { fnt_big: { family: 'Arial', size: 20, bold: 1, italic: 1 } },
  objects: [{ name: 'obj_a', events: { Draw: 'draw_set_font(fnt_big); draw_set_color(c_red); draw_set_alpha(0.5);' +
    "draw_set_halign(fa_center); draw_text(100, 50, 'one\\ntwo');" +
    "draw_set_alpha(1); draw_set_font(-1); draw_set_halign(fa_left); draw_text(0, 0, 'plain');" } }],
  scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
}, (g) => {
  g.ctx.clear();
  g.tick();
  assert.deepEqual(drawn(g, 'fillText').map((c) => [c.args[0], c.args[2], c.font, c.fill, c.alpha]), [
    ['one', 50, 'italic bold 20pt "Arial", sans-serif', 'rgb(255,0,0)', 0.5],
    ['two', 83, 'italic bold 20pt "Arial", sans-serif', 'rgb(255,0,0)', 0.5],
    ['plain', 0, '12pt sans-serif', 'rgb(255,0,0)', 1]]);
}));

test('a picture that failed to load is skipped and the game runs on', () => play({
  sprites: { spr: { frames: 2 } },
  objects: [{ name: 'obj_a', sprite: 'spr' }],
  scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
}, (g) => {
  g.run('spr.images[1].__vr_ok = false;');
  g.ctx.clear();
  g.tick(2);
  assert.deepEqual(g.ctx.images(), ['img/spr_0.png']);
  assert.deepEqual(g.json('__vr.errors'), []);
}));

test('the first frame waits for the pictures it shows only, those a Draw event names included', () => play({
  sprites: { spr_shown: {}, spr_hud: {}, spr_later: { frames: 2 } },
  objects: [{ name: 'obj_a', sprite: 'spr_shown' }, { name: 'obj_hud', events: { Draw: 'draw_sprite(spr_hud, 0, 100, 10);' } },
    { name: 'obj_b', sprite: 'spr_later' }],
  scenes: [{ name: 'room1', instances: [['obj_a', 10, 10], ['obj_hud', 0, 0]] }],
}, (g) => {
  assert.deepEqual(g.json('[room === room1, instance_number(obj_a), __vr.frames]'), [true, 1, 0], 'the scene started, nothing drawn');
  g.release(/spr_hud/);
  assert.equal(g.run('__vr.frames'), 1);
  assert.deepEqual(g.ctx.images(), ['img/spr_shown_0.png', 'img/spr_hud_0.png']);
  assert.equal(g.run('spr_later.images[0].__vr_done'), false);
  g.release(/spr_later/);
  assert.equal(g.run('__vr.pending'), 0);
}, /spr_(hud|later)/));

test('keys and buttons are held until released and pressed or released for one step; repeats do not undo keyboard_clear', () => play({
  variables: 'var log = [];',
  objects: [{ name: 'obj_a', events: { Step: [
    "if (keyboard_check_pressed(vk_left)) log.push('pressed');",
    "if (keyboard_check(vk_left)) log.push('held');",
    "if (keyboard_check_released(vk_left)) log.push('released');",
    "if (keyboard_check(ord('A')) && keyboard_check(vk_num5) && keyboard_check(vk_f5)) log.push('a5f5');",
    "if (mouse_check_button_pressed(mb_left)) log.push('click ' + mouse_x + ' ' + mouse_y);"] } }],
  scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
}, (g) => {
  const steps = (...actions) => {
    g.run('log.length = 0');
    for (const act of actions) { act(); g.step(); }
    return g.json('log');
  };
  assert.deepEqual(steps(() => g.key('keydown', 'ArrowLeft', 37), () => {}, () => g.key('keyup', 'ArrowLeft', 37), () => {}),
    ['pressed', 'held', 'held', 'released']);
  assert.deepEqual(steps(() => { g.key('keydown', 'KeyA', 65); g.key('keydown', 'Numpad5', 101); g.key('keydown', 'F5', 116); g.mouse('mousedown', 30, 40, 0); }),
    ['a5f5', 'click 30 40']);
  assert.equal(g.run('keyboard_check(vk_anykey) && !keyboard_check(vk_nokey) && mouse_check_button(mb_left) && !mouse_check_button(mb_right)'), true);
  g.mouse('mouseup', 30, 40, 0);
  assert.equal(g.run('mouse_check_button(mb_any)'), false);
  // A finger is the left button, at the place it touches.
  const touch = (type) => { for (const fn of g.canvas.listeners[type]) fn({ changedTouches: [{ clientX: 7, clientY: 9 }], preventDefault() {} }); };
  assert.deepEqual(steps(() => touch('touchstart')), ['a5f5', 'click 7 9']);
  touch('touchend');
  assert.equal(g.run('mouse_check_button(mb_left)'), false);
  // A key held long repeats its keydown; once cleared it stays so until pressed again.
  g.run('keyboard_clear(vk_a)');
  g.key('keydown', 'KeyA', 65, true);
  assert.equal(g.run('keyboard_check(vk_a) || keyboard_check_pressed(vk_a)'), false);
  g.key('keyup', 'KeyA', 65);
  g.key('keydown', 'KeyA', 65);
  assert.equal(g.run('keyboard_check(vk_a) && keyboard_check_pressed(vk_a)'), true);
}));

test('sounds use the first format the browser can play, overlap, stop, and loop only when asked', () => play({
  sounds: { snd_a: { wav: 'a.wav', ogg: 'a.ogg' }, snd_b: { ogg: 'b.ogg' } },
  scenes: [{ name: 'room1' }],
}, (g) => {
  assert.equal(g.run('snd_a.src'), 'aud/a.wav');
  assert.equal(g.run('snd_b.src'), 'aud/b.ogg', 'the only file there is, even when the browser doubts it');
  const calls = [
    ['sound_play(snd_a); sound_play(snd_a)', 'snd_a.players.length === 2 && sound_isplaying(snd_a)'],
    ['sound_stop(snd_a)', '!sound_isplaying(snd_a)'],
    ['sound_loop(snd_a); sound_stop(snd_a); sound_play(snd_a)', '!snd_a.players[0].loop'],
    ['music_play(snd_b)', 'snd_b.players[0].loop && sound_isplaying(snd_b) && __vr.music === snd_b'],
  ];
  for (const [call, holds] of calls) assert.equal(g.run(call + '; ' + holds), true, call);
}));
