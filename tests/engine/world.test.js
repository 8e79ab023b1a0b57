// Motion, collision shapes, drawing order, backgrounds, the view, input and
// sounds, run in a fake page with games built by vorlane-build.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { makeGame } = require('./support/small_game.js');

const near = (a, b) => Math.abs(a - b) < 1e-9;

test('speed and direction move an instance and stay in step with hspeed and vspeed', () => {
  const g = makeGame({
    objects: [{ name: 'obj_a', events: { Creation: 'speed = 2; seen = -1;', Step: 'seen = hspeed;' } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 100, 100, 90]] }],
  });
  try {
    const o = g.inst('obj_a');
    g.step();
    assert.ok(near(o.seen, 0), 'the first Step already sees the speed set in Creation');
    assert.ok(near(o.x, 100) && near(o.y, 98), 'direction 90 is up');
    g.run('instance_find(obj_a, 0).hspeed = 3');
    g.step();
    assert.ok(near(o.x, 103) && near(o.y, 96));
    assert.ok(near(o.speed, Math.sqrt(13)));
    assert.ok(near(o.direction, Math.atan2(2, 3) * 180 / Math.PI));
    g.run('var a = instance_find(obj_a, 0); a.speed = 0; a.gravity = 0.5; a.gravity_direction = 270;');
    g.step(2);
    assert.ok(near(o.vspeed, 1) && near(o.hspeed, 0), 'gravity pulls down');
    g.run('var a = instance_find(obj_a, 0); a.gravity = 0; a.friction = 0.25;');
    g.step(4);
    assert.ok(near(o.speed, 0), 'friction stops it');
    g.run('var a = instance_find(obj_a, 0); a.motion_set(180, 4); a.motion_add(90, 4);');
    assert.ok(near(o.hspeed, -4) && near(o.vspeed, -4));
    assert.ok(near(o.direction, 135));
  } finally { g.close(); }
});

test('boxes and circles collide as the sprite says, scaled with the instance', () => {
  const g = makeGame({
    sprites: {
      box: { w: 20, h: 20, cx: 10, cy: 10, l: 5, rr: 15, t: 5, b: 15 },
      ball: { w: 20, h: 20, cx: 0, cy: 0, shape: 'Circle', r: 5 },
      unset: { w: 16, h: 16, rr: 0, b: 0 },
      unsetball: { w: 16, h: 16, shape: 'Circle', r: 0 },
    },
    objects: [
      { name: 'obj_box', sprite: 'box' },
      { name: 'obj_ball', sprite: 'ball' },
      { name: 'obj_unset', sprite: 'unset' },
      { name: 'obj_unsetball', sprite: 'unsetball' },
      { name: 'obj_ghost', sprite: 'box', collision: 0 },
    ],
    scenes: [{ name: 'room1', instances: [['obj_box', 100, 100], ['obj_ball', 200, 200], ['obj_unset', 300, 300], ['obj_ghost', 100, 100], ['obj_unsetball', 400, 400]] }],
  });
  try {
    const at = (x, y, other) => g.run('instance_find(obj_box, 0).place_meeting(' + x + ', ' + y + ', ' + other + ') !== null');
    // The box covers x 95..105; another box touches it only when they overlap.
    g.run('var probe = instance_create(0, 0, obj_box);');
    assert.equal(g.run('probe.place_meeting(109, 100, obj_box) === instance_find(obj_box, 0)'), true);
    assert.equal(g.run('probe.place_meeting(110, 100, obj_box)'), null, 'edges that only touch do not collide');
    // Circle of radius 5 centred on the frame centre, (210, 210).
    assert.equal(at(202, 205, 'obj_ball'), true);
    assert.equal(at(200, 201, 'obj_ball'), false);
    assert.equal(at(225, 210, 'obj_ball'), false);
    g.run('instance_find(obj_ball, 0).image_xscale = 2;');
    assert.equal(at(225, 210, 'obj_ball'), true, 'the circle grows with the scale (and its centre moves)');
    // A sprite whose box was never set collides with its whole frame.
    assert.equal(g.run('position_meeting(301, 315, obj_unset) !== null'), true);
    assert.equal(g.run('position_meeting(317, 301, obj_unset)'), null);
    assert.equal(g.run('position_meeting(408, 401, obj_unsetball) !== null'), true, 'a circle never set has half the frame width');
    assert.equal(g.run('position_meeting(401, 401, obj_unsetball)'), null);
    // Instances without collision checking are never met.
    assert.equal(g.run('probe.place_meeting(100, 100, obj_ghost)'), null);
    assert.equal(g.run('instance_nearest(190, 190, obj_ball) === instance_find(obj_ball, 0)'), true);
  } finally { g.close(); }
});

test('instances and tile layers are drawn deepest first; equal depths draw instances before tiles', () => {
  const g = makeGame({
    sprites: { s_back: { rgba: [1, 1, 1, 255] }, s_mid: { rgba: [2, 2, 2, 255] }, s_front: { rgba: [3, 3, 3, 255] } },
    backgrounds: { tiles: [64, 32] },
    objects: [
      { name: 'obj_front', sprite: 's_front', depth: -10 },
      { name: 'obj_mid', sprite: 's_mid', depth: 5 },
      { name: 'obj_back', sprite: 's_back', depth: 100 },
    ],
    scenes: [{ name: 'room1', instances: [['obj_front', 0, 0], ['obj_mid', 0, 0], ['obj_back', 0, 0]],
      tiles: [['tiles', 0, 0, 32, 32, 0, 0, 5], ['tiles', 32, 0, 32, 32, 32, 0, 1000000]] }],
  });
  try {
    g.ctx.clear();
    g.tick();
    assert.deepEqual(g.ctx.images(), ['img/tiles.png', 'img/s_back_0.png', 'img/s_mid_0.png', 'img/tiles.png', 'img/s_front_0.png']);
    g.run('instance_find(obj_back, 0).depth = -20;');
    g.ctx.clear();
    g.tick();
    assert.equal(g.ctx.images().at(-1), 'img/s_back_0.png', 'a changed depth is drawn in its new place');
  } finally { g.close(); }
});

test('sprites are drawn at their origin with frame, scale, angle and alpha; hidden ones are not drawn', () => {
  const g = makeGame({
    sprites: { spr: { w: 10, h: 10, cx: 5, cy: 5, frames: 2 } },
    objects: [{ name: 'obj_a', sprite: 'spr', events: { Creation: 'image_speed = 0;' } },
      { name: 'obj_hidden', sprite: 'spr', visible: 0 }],
    scenes: [{ name: 'room1', instances: [['obj_a', 50, 60], ['obj_hidden', 0, 0]] }],
  });
  try {
    g.ctx.clear();
    g.tick();
    let calls = g.ctx.calls.filter((c) => c.name === 'drawImage');
    assert.equal(calls.length, 1);
    assert.deepEqual(calls[0].args.slice(1), [45, 55]);
    g.run('var a = instance_find(obj_a, 0); a.image_index = 1; a.image_xscale = 2; a.image_angle = 90; a.image_alpha = 0.5;');
    g.ctx.clear();
    g.tick();
    calls = g.ctx.calls.filter((c) => c.name === 'drawImage');
    assert.equal(calls[0].args[0].src, 'img/spr_1.png');
    assert.deepEqual(calls[0].args.slice(1), [-5, -5]);
    const [a, b, c, d, e, f] = calls[0].transform;
    // Turned a quarter counter-clockwise on screen and twice as wide.
    assert.ok(near(a, 0) && near(b, -2) && near(c, 1) && near(d, 0) && e === 50 && f === 60);
    assert.equal(calls[0].alpha, 0.5);
  } finally { g.close(); }
});

test('backgrounds are drawn once, tiled or stretched; the view follows an object within its borders', () => {
  const g = makeGame({
    sprites: { spr: {} },
    backgrounds: { bg: [100, 100] },
    objects: [{ name: 'obj_p', sprite: 'spr' }],
    scenes: [
      { name: 'room1', width: 1000, height: 400, background: 'bg', tilex: true, view: [300, 200, 'obj_p', 50, 40],
        instances: [['obj_p', 100, 100]] },
      { name: 'room2', width: 640, height: 480, background: 'bg', stretch: true },
    ],
  });
  try {
    assert.equal(g.run('view_xview'), 0, 'the view starts clamped to the scene');
    assert.equal(g.canvas.width, 300);
    const p = g.inst('obj_p');
    g.run('instance_find(obj_p, 0).x = 400');
    g.ctx.clear();
    g.tick();
    assert.equal(g.run('view_xview'), 400 - 300 + 50);
    const bg = g.ctx.calls.filter((c) => c.name === 'drawImage' && c.args[0].src === 'img/bg.png');
    assert.deepEqual(bg.map((c) => c.args.slice(1)), [[100, 0], [200, 0], [300, 0], [400, 0]]);
    g.run('instance_find(obj_p, 0).x = 990');
    g.step();
    assert.equal(g.run('view_xview'), 700, 'the view stops at the scene edge');
    assert.equal(p.x, 990);
    g.run('room_goto(room2)');
    g.ctx.clear();
    g.tick();
    const st = g.ctx.calls.filter((c) => c.name === 'drawImage');
    assert.deepEqual(st[0].args.slice(1), [0, 0, 640, 480]);
  } finally { g.close(); }
});

test('keys are held until released and pressed or released for one step only', () => {
  const g = makeGame({
    variables: 'var log = [];',
    objects: [{ name: 'obj_a', events: { Step: [
      "if (keyboard_check_pressed(vk_left)) log.push('pressed');",
      "if (keyboard_check(vk_left)) log.push('held');",
      "if (keyboard_check_released(vk_left)) log.push('released');",
      "if (keyboard_check(ord('A')) && keyboard_check(vk_num5) && keyboard_check(vk_f5)) log.push('a5f5');",
      "if (mouse_check_button_pressed(mb_left)) log.push('click ' + mouse_x + ' ' + mouse_y);"] } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    g.key('keydown', 'ArrowLeft', 37);
    g.step();
    g.step();
    g.key('keyup', 'ArrowLeft', 37);
    g.step();
    g.step();
    assert.deepEqual(g.json('log'), ['pressed', 'held', 'held', 'released']);
    g.run('log.length = 0');
    g.key('keydown', 'KeyA', 65);
    g.key('keydown', 'Numpad5', 101);
    g.key('keydown', 'F5', 116);
    g.mouse('mousedown', 30, 40, 0);
    g.step();
    assert.deepEqual(g.json('log'), ['a5f5', 'click 30 40']);
    assert.equal(g.run('keyboard_check(vk_anykey) && !keyboard_check(vk_nokey)'), true);
    assert.equal(g.run('mouse_check_button(mb_left) && !mouse_check_button(mb_right)'), true);
    g.mouse('mouseup', 30, 40, 0);
    g.step();
    assert.equal(g.run('mouse_check_button(mb_any)'), false);
    // A finger is the left button, at the place it touches.
    const touch = (type, x, y) => { for (const fn of g.canvas.listeners[type]) fn({ changedTouches: [{ clientX: x, clientY: y }], preventDefault() {} }); };
    g.run('log.length = 0');
    touch('touchstart', 7, 9);
    g.step();
    assert.deepEqual(g.json('log'), ['a5f5', 'click 7 9'], 'the keys are still held');
    touch('touchend', 7, 9);
    assert.equal(g.run('mouse_check_button(mb_left)'), false);
  } finally { g.close(); }
});

test('sounds use the first format the browser can play and can overlap', () => {
  const g = makeGame({
    sounds: { snd_a: { wav: 'a.wav', ogg: 'a.ogg' }, snd_b: { ogg: 'b.ogg' } },
    scenes: [{ name: 'room1' }],
  });
  try {
    assert.equal(g.run('snd_a.src'), 'aud/a.wav');
    assert.equal(g.run('snd_b.src'), 'aud/b.ogg', 'the only file there is, even when the browser doubts it');
    g.run('sound_play(snd_a); sound_play(snd_a);');
    assert.equal(g.run('snd_a.players.length'), 2);
    assert.equal(g.run('sound_isplaying(snd_a)'), true);
    g.run('sound_stop(snd_a)');
    assert.equal(g.run('sound_isplaying(snd_a)'), false);
    g.run('music_play(snd_b)');
    assert.equal(g.run('snd_b.players[0].loop && sound_isplaying(snd_b)'), true);
  } finally { g.close(); }
});

test('a missing picture is skipped and the game still runs', () => {
  const g = makeGame({
    sprites: { spr: { frames: 2 } },
    objects: [{ name: 'obj_a', sprite: 'spr' }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    // As if the second frame's file had failed to load.
    g.run('spr.images[1].__vr_ok = false;');
    g.ctx.clear();
    g.tick(2);
    assert.deepEqual(g.errors, []);
    assert.deepEqual(g.ctx.images(), ['img/spr_0.png']);
  } finally { g.close(); }
});

test('text is drawn with the chosen font, colour, alpha and alignment, one line at a time', () => {
  const g = makeGame({
    fonts: { fnt_big: { family: 'Arial', size: 20, bold: 1, italic: 1 } },
    objects: [{ name: 'obj_a', events: { Draw: [
      'draw_set_font(fnt_big); draw_set_color(c_red); draw_set_alpha(0.5);',
      "draw_set_halign(fa_center); draw_text(100, 50, 'one\\ntwo');",
      "draw_set_alpha(1); draw_set_font(-1); draw_set_halign(fa_left); draw_text(0, 0, 'plain');"] } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    g.ctx.clear();
    g.tick();
    const texts = g.ctx.calls.filter((c) => c.name === 'fillText');
    assert.deepEqual(texts.map((c) => c.args[0]), ['one', 'two', 'plain']);
    assert.equal(texts[0].font, 'italic bold 20pt "Arial", sans-serif');
    assert.equal(texts[0].fill, 'rgb(255,0,0)');
    assert.equal(texts[0].alpha, 0.5);
    assert.ok(texts[1].args[2] > texts[0].args[2], 'the second line is lower');
    assert.equal(texts[2].font, '12pt sans-serif');
    assert.equal(g.run('fnt_big.name'), 'fnt_big');
  } finally { g.close(); }
});
