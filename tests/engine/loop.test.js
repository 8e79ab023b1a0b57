// The main loop's pace, with frame times given by the test instead of a
// clock, so a busy machine cannot change the count.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { makeGame } = require('./support/small_game.js');

// Runs frames `every` ms apart for `ms` ms; returns the steps taken.
function stepsOver(g, every, ms) {
  g.run('__vr.running = true; __vr.last = -1; __vr.acc = 0;');
  const before = g.run('__vr.steps');
  for (let t = 0; t <= ms + 1e-6; t += every) g.run('__vr_frame(' + t + ')');
  return g.run('__vr.steps') - before;
}

test('steps run at the scene speed whatever the frame rate; a long pause does not make it race', () => {
  const g = makeGame({
    objects: [{ name: 'obj_a', events: { Step: 'x += 1;' } }],
    scenes: [{ name: 'room1', speed: 30, instances: [['obj_a', 0, 0]] }],
  });
  try {
    for (const hz of [60, 144, 30]) {
      const n = stepsOver(g, 1000 / hz, 2000);
      assert.ok(n >= 59 && n <= 61, n + ' steps in 2 s at ' + hz + ' frames a second');
    }
    // A frame after a 5 s pause takes a few steps, not 150.
    const n = stepsOver(g, 5000, 5000);
    assert.ok(n >= 1 && n <= 4, n + ' steps after a pause');
    g.run('room_speed = 60');
    assert.equal(stepsOver(g, 1000 / 60, 1000), 60);
  } finally { g.close(); }
});
