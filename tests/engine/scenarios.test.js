// The engine's functions and events doing what keywords.dat says, in small
// games: corpus/scenarios.json holds each game (a plan of
// support/small_game.js) and its checks, [code run inside the game, the value
// it must give]; a check without a value only acts. The games are built by
// vorlane-build and run in the fake page of support/, whose canvas records
// every drawing call; `__t` in the game drives steps, frames and input.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');
const { makeGame } = require('./support/small_game.js');

const SCENARIOS = JSON.parse(fs.readFileSync(path.join(__dirname, 'corpus', 'scenarios.json'), 'utf8'));

// Plain data, numbers to six places so that 97.99999999 reads 98.
const plain = (v) => JSON.parse(JSON.stringify(v === undefined ? null : v,
  (k, x) => (typeof x === 'number' ? Math.round(x * 1e6) / 1e6 : x)));

for (const s of SCENARIOS) {
  test(s.proves, () => {
    const g = makeGame(s.game, s.hold && new RegExp(s.hold));
    try {
      assert.deepEqual(g.errors, []);
      for (const [code, ...want] of s.checks) {
        const got = plain(g.run(code));
        if (want.length) assert.deepEqual(got, want[0], code);
      }
    } finally { g.close(); }
  });
}
