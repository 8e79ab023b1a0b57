// The files shipped beside the program: export.js, keywords.dat, the
// extensions and the example project.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const vm = require('vm');
const { execFileSync } = require('child_process');
const { RUNTIME, ROOT } = require('./support/program.js');

// The markers and key constants the program itself knows.
const source = (file) => fs.readFileSync(path.join(ROOT, 'src', file), 'latin1');
const MARKERS = source('generate/game_page.h').match(/"\/\/VORLANE_\w+"/g).map((m) => m.slice(1, -1));
const BUILT_IN_KEYS = source('code/keyword_list.cpp').match(/"vk_\w+"/g).map((k) => k.slice(1, -1));

// The defaults that generated objects point at (on_step_i, ...): part of the
// generated code's contract, not names for users to type.
const GENERATED_ONLY = new Set(source('generate/emitters_objects.cpp').match(/"on_\w+_i"/g).map((k) => k.slice(1, -1)));

const engineText = fs.readFileSync(path.join(RUNTIME, 'export.js'), 'latin1');

// The engine's globals, loaded with nothing filled in at the markers.
function loadEngine() {
  const context = vm.createContext({ __vr_manual: true });
  const before = new Set(Object.getOwnPropertyNames(vm.runInContext('this', context)));
  vm.runInContext(engineText, context);
  const global = vm.runInContext('this', context);
  const names = Object.getOwnPropertyNames(global).filter((n) => !before.has(n) && !n.startsWith('__'));
  const instance = vm.runInContext('__vr_Instance.prototype', context);
  return { global, names, instance };
}

// keywords.dat: three-line records, a head of kind and name, two help lines.
function readKeywords() {
  const lines = fs.readFileSync(path.join(RUNTIME, 'keywords.dat'), 'latin1').split(/\r\n|\r|\n/);
  if (lines[lines.length - 1] === '') lines.pop();
  assert.equal(lines.length % 3, 0);
  const records = [];
  for (let i = 0; i < lines.length; i += 3) records.push({ head: lines[i], help: [lines[i + 1], lines[i + 2]] });
  return records;
}

test('export.js is plain ASCII, not strict, and holds each of the eleven markers once, in order', () => {
  assert.equal(MARKERS.length, 11);
  assert.equal(GENERATED_ONLY.size, 9);
  assert.doesNotMatch(engineText, /[^\x09\x0a\x0d\x20-\x7e]/);
  assert.doesNotMatch(engineText, /['"]use strict['"]/);
  let last = -1;
  for (const m of MARKERS) {
    const at = engineText.indexOf(m);
    assert.ok(at > last, m + ' in its place');
    assert.equal(engineText.indexOf(m, at + 1), -1, m + ' only once');
    last = at;
  }
  for (const name of ['__sprite_init__', '__audio_init__', '__background_init__', '__font_init__',
    '__instance_init__', '__room_start__', '__handle_sprite__', 'place_meeting', 'vr_scenes', 'vr_room_to_go',
    ...GENERATED_ONLY]) {
    assert.match(engineText, new RegExp('(function|var) ' + name.replace(/\$/g, '\\$') + '\\b'), name);
  }
});

test('keywords.dat names each engine function, variable and constant once, as what it is, with help', () => {
  const { global, names, instance } = loadEngine();
  const documented = new Map();
  for (const r of readKeywords()) {
    assert.match(r.head, /^[!.#][A-Za-z_][A-Za-z0-9_]*$/, r.head);
    const [kind, name] = [r.head[0], r.head.slice(1)];
    assert.ok(!documented.has(name), name + ' twice');
    documented.set(name, kind);
    for (const help of r.help) assert.match(help, /^[\x20-\x7e]+$/, name + ': help lines');
    const value = name in global ? global[name] : instance[name];
    assert.ok(name in global || Object.prototype.hasOwnProperty.call(instance, name), name + ' exists');
    assert.equal(kind === '!', typeof value === 'function', name + ' is ' + (kind === '!' ? '' : 'not ') + 'a function');
    if (kind === '#') assert.equal(typeof value, 'number', name + ' is a number');
  }
  assert.deepEqual(names.filter((n) => !GENERATED_ONLY.has(n) && !documented.has(n)), []);
  assert.deepEqual(Object.keys(instance).filter((n) => typeof instance[n] !== 'function' && !documented.has(n)), []);
});

test('the 82 key constants the program knows are distinct key codes of the engine', () => {
  const { global } = loadEngine();
  const codes = BUILT_IN_KEYS.map((k) => global[k]);
  assert.equal(BUILT_IN_KEYS.length, 82);
  for (const [i, c] of codes.entries()) assert.ok(Number.isInteger(c) && c > 0 && c < 256, BUILT_IN_KEYS[i]);
  assert.equal(new Set(codes).size, 82);
  assert.deepEqual([global.vk_left, global.vk_a, global.vk_f12], [37, 65, 123]);
});

test('each extension has all five sections and code that loads after the engine', () => {
  const dir = path.join(RUNTIME, 'Extensions');
  const files = fs.readdirSync(dir).filter((f) => f.endsWith('.tex'));
  assert.ok(files.length >= 2);
  for (const f of files) {
    const text = fs.readFileSync(path.join(dir, f), 'latin1');
    assert.doesNotMatch(text, /[^\x09\x0a\x0d\x20-\x7e]/, f);
    const lines = text.split(/\r\n|\r|\n/);
    for (const section of ['[EXTENSION]', '[AUTHOR]', '[DESCRIPTION]', '[HELP]', '[CODE]']) {
      assert.ok(lines.includes(section), f + ' ' + section);
    }
    const code = lines.slice(lines.indexOf('[CODE]') + 1).join('\n');
    const context = vm.createContext({ __vr_manual: true });
    vm.runInContext(engineText.replace('//VORLANE_EXTENSIONS', code), context);
  }
});

test('the example project is exactly what its scripts make, with every file it names', () => {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlane-example-'));
  const shipped = path.join(RUNTIME, 'Projects');
  try {
    fs.mkdirSync(path.join(out, 'Projects'));
    execFileSync(process.execPath, [path.join(ROOT, 'tools', 'example', 'make_example.js'), out], { stdio: 'pipe' });
    const made = fs.readdirSync(path.join(out, 'Projects'), { recursive: true });
    for (const f of made.filter((f) => !fs.statSync(path.join(out, 'Projects', f)).isDirectory())) {
      assert.ok(fs.readFileSync(path.join(out, 'Projects', f)).equals(fs.readFileSync(path.join(shipped, f))), f + ' is up to date');
    }
    assert.ok(made.includes('gem_garden.xml') && made.includes('gem_garden.png'));
    const xml = fs.readFileSync(path.join(shipped, 'gem_garden.xml'), 'utf8');
    const named = [...xml.matchAll(/<frame file="(\d+)" sprite="(\w+)"\/>/g)].map((m) => 'img/' + m[2] + '_' + m[1] + '.png')
      .concat([...xml.matchAll(/<background name="\w+" file="([^"]+)"/g)].map((m) => 'img/' + m[1]),
        [...xml.matchAll(/<(?:sound|music) name="\w+" wav="([^"]+)"/g)].map((m) => 'aud/' + m[1]));
    for (const f of named) assert.ok(fs.existsSync(path.join(shipped, 'gem_garden', f)), f);
    const exts = fs.readFileSync(path.join(shipped, 'gem_garden', 'extensions.dat'), 'utf8').split('\n').filter(Boolean);
    for (const e of exts) assert.ok(fs.existsSync(path.join(RUNTIME, 'Extensions', e + '.tex')), e);
  } finally {
    fs.rmSync(out, { recursive: true, force: true });
  }
});

test('the program reads the example project and writes it back byte for byte', () => {
  const { makeProgramFolder, vorlaneBuild, removeFolder } = require('./support/program.js');
  const dir = makeProgramFolder(true);
  try {
    execFileSync(vorlaneBuild(), ['--resave', 'gem_garden'], { cwd: dir, stdio: 'pipe' });
    const saved = fs.readFileSync(path.join(dir, 'Projects', 'gem_garden.xml'));
    assert.ok(saved.equals(fs.readFileSync(path.join(RUNTIME, 'Projects', 'gem_garden.xml'))));
  } finally {
    removeFolder(dir);
  }
});

test('the manual\'s drawing page shows each drawing sample\'s picture beside the very code that drew it', () => {
  const { SAMPLES } = require('../../tools/manual/draw_pictures.js');
  const page = fs.readFileSync(path.join(RUNTIME, 'manual', 'drawing.html'), 'utf8');
  const esc = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
  for (const [name, code] of SAMPLES) {
    assert.ok(page.includes('<img src="img/' + name + '.png"'), name);
    assert.ok(page.includes('<pre><code>' + esc(code) + '</code></pre>'), name + ': the page shows other code');
    assert.ok(fs.existsSync(path.join(RUNTIME, 'manual', 'img', name + '.png')), name);
  }
});

test('the getting-started walk-through adds a scene before its first save', () => {
  // Saving a project without scenes warns "There is no scene added."
  const page = fs.readFileSync(path.join(RUNTIME, 'manual', 'getting-started.html'), 'utf8');
  const scene = page.indexOf('Add new scene');
  assert.ok(scene >= 0 && scene < page.indexOf('File &gt; Save'));
});
