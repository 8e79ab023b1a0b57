// Small projects for the engine's tests, written in a few lines: objects
// with their event code, scenes with instances and tiles. Built with
// vorlane-build and loaded into the fake browser.
'use strict';
const path = require('path');
const { buildProject, removeFolder } = require('./program.js');
const { loadGame } = require('./fake_browser.js');

// plan = {
//   sprites: { spr: { w, h, cx, cy, shape: 'Box'|'Circle', r, l, rr, t, b, frames, rgba } },
//   objects: [{ name, sprite, parent, depth, visible, collision, events: { Step: code,
//               'Collision obj_b': code, 'Key pressed|Space': code, ... } }],
//   scenes: [{ name, width, height, speed, view: [w, h, follow, xb, yb], background, stretch,
//              tilex, tiley, code, instances: [[obj, x, y, direction, angle]],
//              tiles: [[background, left, top, w, h, x, y, depth]], solid: [depth] }],
//   backgrounds: { bg: [w, h, rgba, file] }, sounds: { snd: { wav, mp3, ogg } },
//   fonts: { fnt: { family, size, bold, italic } }, variables, functions,
//   fns: [{ name, params, code }], advanced, extensions: ['savedata'] }
// The project records of a plan, as buildProject takes them.
function projectOf(plan) {
  let uid = 1;
  const p = { variables: plan.variables || '', functions: plan.functions || '',
    advancedscriptmode: plan.advanced ? 1 : 0, sprites: [], frames: [], sounds: [], musics: [],
    backgrounds: [], fonts: [], objects: [], scripts: [], scenes: [], layers: [], tiles: [], fns: plan.fns || [],
    frameSizes: {}, files: {}, extensions: plan.extensions };
  const { solidPng } = require('./program.js');
  for (const [name, s] of Object.entries(plan.sprites || {})) {
    const w = s.w || 32, h = s.h || 32;
    p.sprites.push({ name, centerx: s.cx || 0, centery: s.cy || 0, collisionshape: s.shape || 'Box',
      collisionradius: s.r || 0, collisionleft: s.l || 0, collisionright: s.rr === undefined ? w : s.rr,
      collisiontop: s.t || 0, collisionbottom: s.b === undefined ? h : s.b });
    for (let i = 0; i < (s.frames || 1); i++) p.frames.push({ file: String(i), sprite: name });
    p.frameSizes[name] = [w, h, s.rgba || [200, 40, 40, 255]];
  }
  for (const [name, [w, h, rgba, file = name + '.png']] of Object.entries(plan.backgrounds || {})) {
    p.backgrounds.push({ name, file, tile: 1 });
    p.files['img/' + file] = solidPng(w, h, rgba || [0, 0, 255, 255]);
  }
  for (const [name, s] of Object.entries(plan.sounds || {})) p.sounds.push(Object.assign({ name }, s));
  for (const [name, f] of Object.entries(plan.fonts || {})) p.fonts.push(Object.assign({ name }, f));
  for (const o of plan.objects || []) {
    p.objects.push({ name: o.name, prototype: 1, sprite: o.sprite || '', parent: o.parent || '',
      depth: o.depth || 0, visible: o.visible === undefined ? 1 : o.visible,
      collision: o.collision === undefined ? 1 : o.collision });
    for (const [key, code] of Object.entries(o.events || {})) {
      const [event, parameter] = key.includes('|') ? key.split('|')
        : key.startsWith('Collision ') ? ['Collision', key.slice(10)] : [key, ''];
      for (const c of [].concat(code)) p.scripts.push({ name: 'scr_' + ++uid, object: o.name, event, parameter, code: c });
    }
  }
  const objectDepth = Object.fromEntries((plan.objects || []).map((o) => [o.name, o.depth || 0]));
  for (const s of plan.scenes || []) {
    const [vw, vh, follow, xb, yb] = s.view || [s.width || 640, s.height || 480, '', 50, 50];
    p.scenes.push({ name: s.name, width: s.width || 640, height: s.height || 480, speed: s.speed || 30,
      red: s.red || 0, green: s.green || 0, blue: s.blue || 0, background: s.background || '',
      backgroundstretch: s.stretch ? 1 : 0, backgroundtilex: s.tilex ? 1 : 0, backgroundtiley: s.tiley ? 1 : 0,
      viewportwidth: vw, viewportheight: vh, viewportxborder: xb, viewportyborder: yb, viewportobject: follow,
      code: s.code || '' });
    p.layers.push({ name: 'layer_' + ++uid, scene: s.name, value: 1000000 });
    for (const depth of s.solid || []) p.layers.push({ name: 'layer_' + ++uid, scene: s.name, value: depth, solid: 1 });
    for (const [obj, x, y, direction, angle] of s.instances || []) {
      p.objects.push({ name: 'SceneObject' + ++uid, template: obj, prototype: 0, scene: s.name, x, y,
        depth: objectDepth[obj] || 0, direction: direction || 0, image_angle: angle || 0 });
    }
    for (const [background, left, top, width, height, x, y, depth] of s.tiles || []) {
      p.tiles.push({ name: 'tile_' + ++uid, background, left, top, width, height, x, y, depth, scene: s.name });
    }
  }
  p.uid = uid;
  return p;
}

// The game of `plan` built and loaded into the fake page (`hold`: see
// loadGame). Inside the game `__t` drives it: steps, frames, input, and what
// the last frames drew (pictures as their file names).
function makeGame(plan, hold) {
  const { dir, game } = buildProject('t', projectOf(plan));
  const g = loadGame(game, path.join(dir, 'Projects', 't'), hold);
  g.close = () => removeFolder(dir);
  const times = (code) => (n) => { for (let i = 0; i < (n || 1); i++) g.run(code); };
  const drawn = (name) => g.ctx.calls.filter((c) => (typeof name === 'string' ? c.name === name : name.test(c.name)))
    .map((c) => Object.assign({}, c, { args: c.args.map((a) => (a && a.src !== undefined ? a.src : a)) }));
  g.window.__t = {
    source: game, step: times('__vr.step()'), tick: times('__vr.tick()'), draw: times('__vr.draw()'),
    key: g.key, mouse: g.mouse, release: (pattern) => g.release(new RegExp(pattern)), clear: () => g.ctx.clear(),
    drawn, images: () => drawn('drawImage').map((c) => c.args[0]),
    touch(type, x, y) { for (const fn of g.canvas.listeners[type]) fn({ changedTouches: [{ clientX: x, clientY: y }], preventDefault() {} }); },
  };
  return g;
}

module.exports = { makeGame, projectOf };
