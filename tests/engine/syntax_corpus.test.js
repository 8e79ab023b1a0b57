// The syntax check's corpus of valid JavaScript is what a browser's engine
// takes: each piece compiles as a function body, as event code does.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const path = require('path');

test('every piece of the corpus is valid JavaScript', () => {
  const text = fs.readFileSync(path.join(__dirname, '../generate/golden/modern_syntax.txt'), 'utf8');
  const pieces = text.split('\n').slice(2).join('\n').replace(/\n$/, '').split('\n----\n');
  assert.ok(pieces.length > 20);
  for (const piece of pieces) assert.doesNotThrow(() => new Function(piece), piece);
});
