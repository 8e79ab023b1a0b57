// Event code without with(this): the engine's rewrite at start, checked on
// its own and through games whose code must mean what it meant inside the
// with.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const vm = require('vm');
const { RUNTIME, buildProject, removeFolder } = require('./support/program.js');
const { projectOf } = require('./support/small_game.js');
const { loadGame } = require('./support/fake_browser.js');

// The rewriter on its own: its part of the engine, without the rest.
const engine = vm.createContext({});
vm.runInContext(fs.readFileSync(path.join(RUNTIME, 'engine', '04_rewriter.js'), 'latin1'), engine);

const FIELDS = new Set(['x', 'y', 'hspeed', 'vspeed', 'place_meeting', 'other', 'hp']);
function rewrite(code) {
  const r = engine.__vr_unwith_code(code + '\n}\n};', (n) => FIELDS.has(n), (n) => n === 'bonus', () => true);
  return r ? r.code.trimEnd() : null;
}

// [event code, what it becomes: the instance's names (x, y, hspeed, vspeed,
// place_meeting, other, hp) get __vr_w., strings, comments, members and keys
// stay as written; null: code the rewrite cannot be sure of keeps its
// with(this), such as a field's name declared or used as a label, nested
// functions, or a name (bonus) other code sets on instances].
const REWRITES = JSON.parse(fs.readFileSync(path.join(__dirname, 'corpus', 'unwith_rewrites.json'), 'utf8'));

test('the rewrite prefixes the instance\'s names, or leaves code it cannot be sure of', () => {
  for (const [code, expected] of REWRITES) assert.equal(rewrite(code), expected, code);
});

// The differential corpus: small games whose obj_a stands at (10, 20) and
// obj_b at (30, 40) with the events given, and a global array `out`.
const CORPUS = JSON.parse(fs.readFileSync(path.join(__dirname, 'corpus', 'unwith_games.json'), 'utf8'));

// What three steps of `game` leave: `out`, every instance's fields, and the
// errors; and how many handlers run without with(this).
function play(game, folder) {
  const g = loadGame(game, folder);
  const errors = g.errors.map(String);
  for (let i = 0; i < 3; i++) {
    try { g.run('__vr.tick()'); } catch (e) { errors.push(String(e)); }
  }
  const state = g.run(`JSON.stringify([out, __vr.instances.map(function(o) {
    var r = {};
    Object.keys(o).forEach(function(k) {
      var v = o[k];
      r[k] = typeof v === 'function' ? 'function' : v && typeof v === 'object' ? String(v.id) :
        typeof v === 'number' || v === undefined ? String(v) : v;
    });
    return r;
  })])`);
  const rewritten = g.run(`__vr.types.reduce(function(n, t) { return n + __vr_events.filter(function(e) {
    return t.h[e] && Function.prototype.toString.call(t.h[e]).indexOf('with(this)') < 0; }).length; }, 0)`);
  return { result: [JSON.parse(state), errors], rewritten };
}

test('event code gives the same results with the rewrite as inside with(this)', () => {
  let rewritten = 0;
  for (const c of CORPUS) {
    const p = projectOf({
      variables: 'var out = []; ' + (c.variables || ''), functions: c.functions, fns: c.fns,
      objects: [{ name: 'obj_a', events: c.a || {} }, { name: 'obj_b', events: c.b || {} }],
      scenes: [{ name: 'room1', code: c.code, instances: [['obj_a', 10, 20], ['obj_b', 30, 40]] }],
    });
    const { dir, game } = buildProject('t', p);
    try {
      const folder = path.join(dir, 'Projects', 't');
      const kept = game.replace(/function __vr_unwith\(.*?\) \{/, '$& return null;');
      assert.notEqual(kept, game);
      const got = play(game, folder);
      rewritten += got.rewritten;
      assert.deepEqual(got.result, play(kept, folder).result, JSON.stringify(c));
    } finally { removeFolder(dir); }
  }
  assert.ok(rewritten >= 10, 'the corpus runs rewritten code: ' + rewritten);
});
