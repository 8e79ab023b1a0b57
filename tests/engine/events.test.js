// When event code runs and what it sees: the order within a step, scenes
// starting and ending, destruction, parents, instance variables, animation,
// alarms and the loop's pace. Games built by vorlane-build, run in the fake
// page of support/ with the steps driven by the test.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { makeGame, play } = require('./support/small_game.js');

const spr = { w: 32, h: 32 };
const log = (text) => "log.push('" + text + "');";

// obj_b destroys itself in its first End step: it is neither stepped nor drawn again.
test('a step runs Step, Collision and End step in that order, then the frame runs Draw; Destroy runs once', () => play({
  variables: 'var log = [];',
  sprites: { spr },
  objects: [
    { name: 'obj_a', sprite: 'spr', events: { Step: log('step'), 'Collision obj_b': log('collision'),
      'End step': log('end step'), Draw: log('draw') } },
    { name: 'obj_b', sprite: 'spr', events: { 'End step': log('b end') + ' instance_destroy();', Destroy: log('destroy'), Draw: log('b draw') } },
  ],
  scenes: [{ name: 'room1', instances: [['obj_a', 10, 10], ['obj_b', 20, 20]] }],
}, (g) => {
  g.run('log.length = 0');
  g.tick(2);
  assert.deepEqual(g.json('log'), ['step', 'collision', 'end step', 'b end', 'destroy', 'draw', 'step', 'end step', 'draw']);
  assert.equal(g.run('instance_number(obj_b)'), 0);
}));

test('a scene starts with Creation, its code, then Room start; Room end runs on leaving, at the end of the step', () => play({
  variables: 'var log = [];',
  objects: [{ name: 'obj_a', events: { Creation: "log.push('create ' + x);",
    'Room start': "log.push('room start ' + x);", 'Room end': "log.push('room end ' + x);" } }],
  scenes: [
    { name: 'room1', instances: [['obj_a', 1, 0], ['obj_a', 2, 0]], code: "log.push('scene code ' + instance_number(obj_a));" },
    { name: 'room2', instances: [['obj_a', 3, 0]] },
  ],
}, (g) => {
  assert.deepEqual(g.json('log'), ['create 1', 'create 2', 'scene code 2', 'room start 1', 'room start 2']);
  g.run('log.length = 0; room_goto(room2)');
  assert.equal(g.run('room === room1'), true, 'not before the step ends');
  g.step();
  assert.deepEqual(g.json('log'), ['room end 1', 'room end 2', 'create 3', 'room start 3']);
  // Each way of moving between scenes: the scene it leads to, with its instances.
  for (const [call, scene, count] of [['room_goto_previous()', 'room1', 2], ['room_goto_next()', 'room2', 1],
    ['room_restart()', 'room2', 1], ['score = 5; lives = 1; game_restart()', 'room1', 2]]) {
    g.run(call);
    g.step();
    assert.equal(g.run('room === ' + scene + ' && instance_number(obj_a)'), count, call);
  }
  assert.equal(g.run('score + "," + lives'), '0,3', 'game_restart starts a new game');
  g.run('log.length = 0; instance_create(7, 0, obj_a)');
  assert.deepEqual(g.json('log'), ['create 7'], 'a created instance runs its Creation');
}));

test('children run their parent\'s handlers unless they have their own; a collision with a parent meets its children', () => play({
  variables: 'var log = [];',
  sprites: { spr },
  objects: [
    // Children come before their parent: it is still undefined while they are made.
    { name: 'obj_child', sprite: 'spr', parent: 'obj_base' },
    { name: 'obj_own', parent: 'obj_base', events: { Step: "log.push('own ' + tag);" } },
    { name: 'obj_grandchild', parent: 'obj_child' },
    { name: 'obj_base', events: { Creation: "tag = 'n' + x;", Step: "log.push('base ' + tag);" } },
    { name: 'obj_player', sprite: 'spr', events: { 'Collision obj_base': 'log.push(other.object_index.name);' } },
  ],
  scenes: [{ name: 'room1', instances: [['obj_child', 1, 0], ['obj_own', 2, 0], ['obj_grandchild', 3, 0], ['obj_player', 20, 10]] }],
}, (g) => {
  g.step();
  assert.deepEqual(g.json('log'), ['base n1', 'own n2', 'base n3', 'obj_child']);
  assert.equal(g.run('instance_number(obj_base) + "," + instance_number(obj_child)'), '3,2', 'descendants count');
}));

test('names first given a value in any event belong to each instance; global variables stay shared; nothing leaks', () => play({
  variables: 'var total = 0;',
  sprites: { spr: { w: 16, h: 16 } },
  objects: [
    // Letters beyond ASCII, and a child listed before its parent.
    { name: 'enfant_ç', sprite: 'spr', parent: 'parent_é', events: {
      Creation: 'hp = x; vé = x * 10; total += 1; var temp = 5; for (i = 0; i < 2; i++) {}',
      Step: 'hp -= 1; total += 10; if (mine === undefined) mine = id;',
      Draw: 'drawn_at = x;', 'Collision enfant_ç': 'touched = other.id;' } },
    { name: 'parent_é', events: { 'End step': 'if (laps === undefined) laps = 0;\nlaps += 1;' } },
  ],
  scenes: [{ name: 'room1', instances: [['enfant_ç', 100, 100], ['enfant_ç', 110, 100]] }],
}, (g) => {
  g.tick();
  const [a, b] = [g.inst('enfant_ç', 0), g.inst('enfant_ç', 1)];
  const fields = (o) => [o.hp, o['vé'], o.mine, o.laps, o.drawn_at, o.touched];
  assert.deepEqual(fields(a), [99, 1000, a.id, 1, 100, b.id]);
  assert.deepEqual(fields(b), [109, 1100, b.id, 1, 110, a.id]);
  assert.equal(g.run('total'), 22);
  assert.equal(g.run('[typeof hp, typeof vé, typeof temp, typeof mine, typeof laps, typeof touched].join()'),
    'undefined,undefined,undefined,undefined,undefined,undefined');
  assert.equal(Object.prototype.hasOwnProperty.call(a, 'temp'), false);
}));

test('advanced script mode runs event code without with(this)', () => play({
  advanced: true,
  objects: [{ name: 'obj_a', events: { Creation: 'this.speed = 2; this.direction = 0;', Step: 'this.count = (this.count || 0) + 1;' } }],
  scenes: [{ name: 'room1', instances: [['obj_a', 0, 0]] }],
}, (g) => {
  assert.doesNotMatch(g.source, /function\(\) \{\r\nwith\(this\)/);
  g.step(3);
  assert.deepEqual([g.inst('obj_a').count, g.inst('obj_a').x], [3, 6]);
}));

test('Animation end runs once each time the animation passes its last frame; destroyed there, the instance is not drawn', () => play({
  variables: 'var ends = [];',
  sprites: { spr: { w: 8, h: 8, frames: 3 }, spr2: { w: 8, h: 8, frames: 2 } },
  objects: [
    { name: 'obj_a', sprite: 'spr', events: { Creation: 'image_speed = 0.5;', 'Animation end': 'ends.push(image_index);' } },
    { name: 'obj_b', sprite: 'spr2', events: { 'Animation end': 'instance_destroy();' } },
  ],
  scenes: [{ name: 'room1', instances: [['obj_a', 0, 0], ['obj_b', 0, 0]] }],
}, (g) => {
  const seen = [];
  for (let i = 0; i < 12; i++) {
    g.ctx.clear();
    g.tick();
    seen.push(g.inst('obj_a').image_index);
    if (i === 1) assert.deepEqual(g.ctx.images(), ['img/spr_1.png'], 'obj_b is gone before the frame');
  }
  assert.deepEqual(seen, [0.5, 1, 1.5, 2, 2.5, 0, 0.5, 1, 1.5, 2, 2.5, 0]);
  assert.deepEqual(g.json('ends'), [2.5, 2.5]);
}));

test('alarms count down steps; alarm_fired holds in the step an alarm reaches 0; each instance has alarms 0 to 11', () => play({
  variables: 'var fires = [];',
  objects: [{ name: 'obj_t', events: {
    Creation: 'alarm_set(0, 3);\nalarm_set(11, 1);',
    Step: 'for (var n = 0; n < 12; n++) if (alarm_fired(n)) fires.push([id, n, alarm_get(n)]);\n' +
          'if (alarm_fired(0)) alarm_set(0, 2);' } }],
  scenes: [{ name: 'room1', instances: [['obj_t', 0, 0]] }],
}, (g) => {
  const state = () => g.json('[instance_find(obj_t, 0).alarm_get(0), instance_find(obj_t, 0).alarm_get(11), fires.map(function(f) { return f[1]; })]');
  const expected = [[3, 1, []], [2, -1, [11]], [1, -1, [11]], [2, -1, [11, 0]]];
  for (const [i, want] of expected.entries()) {
    assert.deepEqual(state(), want, 'after ' + i + ' steps');
    g.step();
  }
  const other = g.json(`(function() {
    var p = instance_create(0, 0, obj_t);
    p.alarm_set(5, 1); p.alarm_set(0, 0); p.alarm_set(12, 4); p.alarm_set(-1, 4);
    __vr.step();
    return [p.alarm_get(0), p.alarm_get(5), p.alarm_get(12), fires.filter(function(f) { return f[0] === p.id; }).map(function(f) { return f[1]; }),
      instance_find(obj_t, 0).alarm_get(0)];
  })()`);
  assert.deepEqual(other, [-1, -1, -1, [5, 11], 2], 'set to 0 an alarm is off; there is no alarm 12 or -1');
}));

test('xprevious and yprevious hold the place before the step: Collision can undo the Step move', () => play({
  sprites: { spr },
  objects: [
    { name: 'obj_mover', sprite: 'spr', events: { Step: 'x += 10; y += 1;', 'Collision obj_wall': 'x = xprevious; y = yprevious;' } },
    { name: 'obj_wall', sprite: 'spr' },
  ],
  scenes: [{ name: 'room1', instances: [['obj_mover', 100, 100], ['obj_wall', 150, 100]] }],
}, (g) => {
  const o = g.inst('obj_mover');
  g.step();
  assert.deepEqual([o.x, o.y, o.xprevious, o.yprevious], [110, 101, 100, 100]);
  g.step(4);
  assert.deepEqual([o.x, o.y], [110, 101], 'put back before the wall');
  g.run('var o = instance_find(obj_mover, 0); o.x = 0; o.hspeed = 5;');
  g.step();
  assert.deepEqual([o.x, o.xprevious], [15, 0], 'speeds move it after Step');
}));

// Frame times are given by the test, so a busy machine cannot change the count.
test('steps run at the scene speed whatever the frame rate; a long pause does not make it race', () => {
  const g = makeGame({ scenes: [{ name: 'room1', speed: 30 }] });
  const stepsOver = (every, ms) => {
    g.run('__vr.running = true; __vr.last = -1; __vr.acc = 0;');
    const before = g.run('__vr.steps');
    for (let t = 0; t <= ms + 1e-6; t += every) g.run('__vr_frame(' + t + ')');
    return g.run('__vr.steps') - before;
  };
  try {
    for (const hz of [60, 144, 30]) {
      const n = stepsOver(1000 / hz, 2000);
      assert.ok(n >= 59 && n <= 61, n + ' steps in 2 s at ' + hz + ' frames a second');
    }
    const n = stepsOver(5000, 5000);
    assert.ok(n >= 1 && n <= 4, n + ' steps after a pause');
    g.run('room_speed = 60');
    assert.equal(stepsOver(1000 / 60, 1000), 60);
  } finally { g.close(); }
});
