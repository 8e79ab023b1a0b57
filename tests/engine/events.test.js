// The order and moments of events, parents and instance variables, run in a
// fake page with games built by vorlane-build.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { makeGame } = require('./support/small_game.js');

const spr = { w: 32, h: 32 };

test('one step runs Step, Collision and End step in that order, then Draw', () => {
  const g = makeGame({
    variables: 'var log = [];',
    sprites: { spr },
    objects: [
      { name: 'obj_a', sprite: 'spr', events: {
        Step: "log.push('step');", 'Collision obj_b': "log.push('collision');",
        'End step': "log.push('end step');", Draw: "log.push('draw');" } },
      { name: 'obj_b', sprite: 'spr' },
    ],
    scenes: [{ name: 'room1', instances: [['obj_a', 10, 10], ['obj_b', 20, 20]] }],
  });
  try {
    assert.deepEqual(g.errors, []);
    g.run('log.length = 0');
    g.tick();
    assert.deepEqual(g.json('log'), ['step', 'collision', 'end step', 'draw']);
  } finally { g.close(); }
});

test('starting a scene runs Creation, then the scene code, then Room start; leaving it runs Room end', () => {
  const g = makeGame({
    variables: 'var log = [];',
    objects: [
      { name: 'obj_a', events: { Creation: "log.push('create ' + x);", 'Room start': "log.push('room start ' + x);",
        'Room end': "log.push('room end ' + x);", Destroy: "log.push('destroy');" } },
    ],
    scenes: [
      { name: 'room1', instances: [['obj_a', 1, 0], ['obj_a', 2, 0]], code: "log.push('scene code ' + instance_number(obj_a));" },
      { name: 'room2', instances: [['obj_a', 3, 0]] },
    ],
  });
  try {
    assert.deepEqual(g.json('log'), ['create 1', 'create 2', 'scene code 2', 'room start 1', 'room start 2']);
    g.run('log.length = 0; room_goto(room2)');
    assert.equal(g.run('room === room1'), true, 'the scene changes at the end of the step');
    g.step();
    assert.deepEqual(g.json('log'), ['room end 1', 'room end 2', 'create 3', 'room start 3']);
    assert.equal(g.run('room === room2 && instance_number(obj_a)'), 1);
    g.run('log.length = 0; room_goto_previous()');
    g.step();
    assert.equal(g.run('room === room1'), true);
    g.run('room_goto_next()');
    g.step();
    assert.equal(g.run('room === room2'), true);
    g.run('room_restart()');
    g.step();
    assert.equal(g.run('room === room2 && instance_number(obj_a)'), 1);
  } finally { g.close(); }
});

test('instance_destroy runs Destroy once and the instance is neither stepped nor drawn again', () => {
  const g = makeGame({
    variables: 'var log = [];',
    sprites: { spr },
    objects: [{ name: 'obj_a', sprite: 'spr', events: { Step: "log.push('step'); instance_destroy();",
      Destroy: "log.push('destroy');" } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    g.ctx.clear();
    g.tick(3);
    assert.deepEqual(g.json('log'), ['step', 'destroy']);
    assert.equal(g.run('instance_number(obj_a)'), 0);
    assert.deepEqual(g.ctx.images(), []);
  } finally { g.close(); }
});

test('a child without a handler runs its parent\'s; its own handler replaces the parent\'s', () => {
  const g = makeGame({
    variables: 'var log = [];',
    objects: [
      // The children come first in the project: their parent is still undefined
      // while they are made.
      { name: 'obj_child', parent: 'obj_base', events: {} },
      { name: 'obj_own', parent: 'obj_base', events: { Step: "log.push('own ' + id_name);" } },
      { name: 'obj_grandchild', parent: 'obj_child' },
      { name: 'obj_base', events: { Creation: "id_name = 'n' + x;", Step: "log.push('base ' + id_name);" } },
    ],
    scenes: [{ name: 'room1', instances: [['obj_child', 1, 0], ['obj_own', 2, 0], ['obj_grandchild', 3, 0]] }],
  });
  try {
    assert.deepEqual(g.errors, []);
    g.step();
    assert.deepEqual(g.json('log'), ['base n1', 'own n2', 'base n3']);
    assert.equal(g.run('instance_number(obj_base)'), 3, 'a parent counts its descendants');
    assert.equal(g.run('instance_number(obj_child)'), 2);
  } finally { g.close(); }
});

test('a collision with a parent object matches its children, and sets other', () => {
  const g = makeGame({
    variables: 'var hits = [];',
    sprites: { spr },
    objects: [
      { name: 'obj_player', sprite: 'spr', events: { 'Collision obj_enemy': 'hits.push(other.object_index.name);' } },
      { name: 'obj_enemy', sprite: 'spr' },
      { name: 'obj_slime', sprite: 'spr', parent: 'obj_enemy' },
      { name: 'obj_far', sprite: 'spr', parent: 'obj_enemy' },
    ],
    scenes: [{ name: 'room1', instances: [['obj_player', 100, 100], ['obj_slime', 120, 110], ['obj_far', 300, 300]] }],
  });
  try {
    g.step();
    assert.deepEqual(g.json('hits'), ['obj_slime']);
  } finally { g.close(); }
});

test('names given a value in Creation belong to each instance; global variables stay shared', () => {
  const g = makeGame({
    variables: 'var total = 0;',
    objects: [{ name: 'obj_a', events: {
      Creation: "hp = x; label = 'n' + x; total += 1; var temp = 5; for (i = 0; i < 2; i++) {}",
      Step: 'hp -= 1; total += 10;' } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 5, 0], ['obj_a', 7, 0]] }],
  });
  try {
    g.step();
    assert.equal(g.inst('obj_a', 0).hp, 4);
    assert.equal(g.inst('obj_a', 1).hp, 6);
    assert.equal(g.inst('obj_a', 1).label, 'n7');
    assert.equal(g.run('total'), 22);
    assert.equal(g.run('typeof hp'), 'undefined', 'no global hp leaked');
    assert.equal(g.run('typeof temp'), 'undefined');
    assert.equal(Object.prototype.hasOwnProperty.call(g.inst('obj_a', 0), 'temp'), false);
  } finally { g.close(); }
});

test('object and variable names with letters beyond ASCII keep their parent and stay per instance', () => {
  const g = makeGame({
    variables: 'var log = [];',
    objects: [
      // The child comes first, so its parent is found by name at start.
      { name: 'enfant_ç', parent: 'parent_é' },
      { name: 'parent_é', events: { Creation: 'vé = x; ñ2 = x * 10;', Step: 'log.push(vé + ñ2);' } },
    ],
    scenes: [{ name: 'room1', instances: [['enfant_ç', 1, 0], ['enfant_ç', 2, 0]] }],
  });
  try {
    assert.deepEqual(g.errors, []);
    g.step();
    assert.deepEqual(g.json('log'), [11, 22]);
    assert.equal(g.run('typeof vé + typeof ñ2'), 'undefinedundefined', 'no global leaked');
  } finally { g.close(); }
});

test('advanced script mode runs event code without with(this)', () => {
  const g = makeGame({
    advanced: true,
    objects: [{ name: 'obj_a', events: { Creation: 'this.speed = 2; this.direction = 0;', Step: 'this.count = (this.count || 0) + 1;' } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    assert.doesNotMatch(g.source, /function\(\) \{\r\nwith\(this\)/);
    g.step(3);
    assert.equal(g.inst('obj_a').count, 3);
    assert.equal(g.inst('obj_a').x, 6);
  } finally { g.close(); }
});

test('Animation end runs once each time the animation passes its last frame', () => {
  const g = makeGame({
    variables: 'var ends = [];',
    sprites: { spr: { w: 8, h: 8, frames: 3 } },
    objects: [{ name: 'obj_a', sprite: 'spr', events: {
      Creation: 'image_speed = 0.5;', 'Animation end': 'ends.push(image_index);' } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    const seen = [];
    for (let i = 0; i < 12; i++) { g.step(); seen.push(g.inst('obj_a').image_index); }
    assert.deepEqual(seen, [0.5, 1, 1.5, 2, 2.5, 0, 0.5, 1, 1.5, 2, 2.5, 0]);
    assert.deepEqual(g.json('ends'), [2.5, 2.5]);
    assert.equal(g.inst('obj_a').image_number, 3);
  } finally { g.close(); }
});

test('an instance destroying itself in Animation end is gone before it is drawn', () => {
  const g = makeGame({
    sprites: { spr: { frames: 2 } },
    objects: [{ name: 'obj_a', sprite: 'spr', events: { 'Animation end': 'instance_destroy();' } }],
    scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
  });
  try {
    g.tick();
    assert.equal(g.run('instance_number(obj_a)'), 1);
    g.ctx.clear();
    g.tick();
    assert.equal(g.run('instance_number(obj_a)'), 0);
    assert.deepEqual(g.ctx.images(), []);
  } finally { g.close(); }
});
