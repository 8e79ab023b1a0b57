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

const engine = vm.createContext({ __vr_manual: true });
vm.runInContext(fs.readFileSync(path.join(RUNTIME, 'export.js'), 'latin1'), engine);

const FIELDS = new Set(['x', 'y', 'hspeed', 'vspeed', 'place_meeting', 'other', 'hp']);
function rewrite(code) {
  const r = engine.__vr_unwith_code(code + '\n}\n};', (n) => FIELDS.has(n), (n) => n === 'bonus', () => true);
  return r ? r.code.trimEnd() : null;
}

test('the instance\'s names get __vr_w., everything else stays as written', () => {
  const cases = [
    ['if (x < 0 || x > room_width) hspeed = -hspeed;',
      'if (__vr_w.x < 0 || __vr_w.x > room_width) __vr_w.hspeed = -__vr_w.hspeed;'],
    // Strings, comments, member names and object keys are not names.
    ["var s = 'x + y'; // x\n/* y */ x += 1; o.x = y; a = {x: 1, y: y}; b = c ? x : y;",
      "var s = 'x + y'; // x\n/* y */ __vr_w.x += 1; o.x = __vr_w.y; a = {x: 1, y: __vr_w.y}; b = c ? __vr_w.x : __vr_w.y;"],
    ['switch (hp) { case x: break; default: y = 2; }',
      'switch (__vr_w.hp) { case __vr_w.x: break; default: __vr_w.y = 2; }'],
    ['if (place_meeting(x + 1, y, obj_wall)) x = xprevious;',
      'if (__vr_w.place_meeting(__vr_w.x + 1, __vr_w.y, obj_wall)) __vr_w.x = xprevious;'],
    // A regular expression after an if's head, a division after a value.
    ['if (a) /x+/.test(s); z = (a + x) / 2;', 'if (a) /x+/.test(s); z = (a + __vr_w.x) / 2;'],
    ['for (var i = 0, j = x; i < 3; i++) y += i;', 'for (var i = 0, j = __vr_w.x; i < 3; i++) __vr_w.y += i;'],
    ['try { x = 1 } catch (e) { y = e; }', 'try { __vr_w.x = 1 } catch (e) { __vr_w.y = e; }'],
    ['loop: for (;;) { break loop; }', 'loop: for (;;) { break loop; }'],
    ['other.hp -= 1; hp = other?.hp ?? 0;', '__vr_w.other.hp -= 1; __vr_w.hp = __vr_w.other?.hp ?? 0;'],
    ['n = 1.5e3 + .5 + x;', 'n = 1.5e3 + .5 + __vr_w.x;'],
  ];
  for (const [code, expected] of cases) assert.equal(rewrite(code), expected, code);
});

test('code the rewrite cannot be sure of keeps its with(this)', () => {
  for (const code of [
    'var x = 1;',                      // a field's name declared
    'try {} catch (x) {}',
    'x: y = 1;',                       // or used as a label
    'q = {x};',                        // a shorthand property
    'function f() {}',                 // nested functions see other names
    'a = [x].map(function(v) { return v; });',
    'a = b => b;',
    't = `${x}`;',
    'y = bonus;',                      // other code sets bonus on instances
    'eval("x");',
    'z = 1 + {}\n/x/g.test(s);',       // / after a brace
    's = "unterminated;',
  ]) assert.equal(rewrite(code), null, code);
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
