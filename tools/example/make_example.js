#!/usr/bin/env node
// Makes the example game "gem_garden" shipped in runtime/Projects: its
// pictures, sounds and project file, all from code in this folder.
// Usage: node tools/example/make_example.js [program-folder]   (default: runtime)
'use strict';
const fs = require('fs');
const path = require('path');
const art = require('./art.js');
const { Picture } = require('./raster.js');
const sound = require('./sound.js');
const { projectXml } = require('./project_xml.js');
const code = require('./example_code.js');

const NAME = 'gem_garden';
const root = path.resolve(process.argv[2] || path.join(__dirname, '../../runtime'));
const projectDir = path.join(root, 'Projects', NAME);

let uid = 1;
const next = () => ++uid;

const p = {
  title: 'Gem Garden', advancedscriptmode: 0, imgfolder: 'img', audfolder: 'aud',
  functions: code.functions, variables: code.variables, comments: code.comments,
  sprites: [], frames: [], sounds: [], musics: [], backgrounds: [], fonts: [],
  objects: [], scripts: [], scenes: [], layers: [], tiles: [], fns: [],
};
const files = {};   // path inside the project folder -> bytes

const firstFrame = {};   // sprite -> its first frame, for the preview picture

function sprite(name, frames, props) {
  next();
  firstFrame[name] = { pic: frames[0], cx: props.centerx, cy: props.centery };
  p.sprites.push(Object.assign({ name }, props));
  frames.forEach((pic, i) => {
    p.frames.push({ file: String(i), sprite: name });
    files['img/' + name + '_' + i + '.png'] = pic.png();
  });
}

sprite('spr_player', [0, 1, 2, 3].map(art.player), { centerx: 16, centery: 16, collisionshape: 'Box',
  collisionradius: 12, collisionleft: 8, collisionright: 24, collisiontop: 6, collisionbottom: 30 });
sprite('spr_slime', [0, 1, 2, 3].map(art.slime), { centerx: 16, centery: 16, collisionshape: 'Circle',
  collisionradius: 11, collisionright: 32, collisionbottom: 32 });
sprite('spr_beetle', [0, 1].map(art.beetle), { centerx: 16, centery: 16, collisionshape: 'Circle',
  collisionradius: 10, collisionright: 32, collisionbottom: 32 });
sprite('spr_gem', [0, 1, 2, 3, 4, 5].map(art.gem), { centerx: 16, centery: 16, collisionshape: 'Box',
  collisionradius: 10, collisionleft: 8, collisionright: 24, collisiontop: 6, collisionbottom: 24 });
sprite('spr_sparkle', [0, 1, 2, 3, 4].map(art.sparkle), { centerx: 16, centery: 16, collisionshape: 'Box',
  collisionradius: 16, collisionright: 32, collisionbottom: 32 });
sprite('spr_heart', [art.heart()], { centerx: 0, centery: 0, collisionshape: 'Box', collisionradius: 8,
  collisionright: 16, collisionbottom: 16 });

next(); p.sounds.push({ name: 'snd_gem', wav: 'gem.wav' });
files['aud/gem.wav'] = sound.gemSound();
next(); p.sounds.push({ name: 'snd_hurt', wav: 'hurt.wav' });
files['aud/hurt.wav'] = sound.hurtSound();
next(); p.musics.push({ name: 'mus_theme', wav: 'theme.wav' });
files['aud/theme.wav'] = sound.themeMusic();

next(); p.backgrounds.push({ name: 'bg_grass', file: 'grass.png' });
files['img/grass.png'] = art.grass().png();
next(); p.backgrounds.push({ name: 'bg_title', file: 'title.png' });
files['img/title.png'] = art.titleBackdrop().png();
next(); p.backgrounds.push({ name: 'bg_tiles', file: 'tiles.png', tile: 1, tilewidth: 32, tileheight: 32 });
files['img/tiles.png'] = art.tileSet().png();

next(); p.fonts.push({ name: 'fnt_title', family: 'Arial', size: 32, bold: 1, italic: 0 });
next(); p.fonts.push({ name: 'fnt_hud', family: 'Arial', size: 14, bold: 1, italic: 0 });
next(); p.fonts.push({ name: 'fnt_small', family: 'Arial', size: 10, bold: 0, italic: 0 });

// Objects, then the instances of the two scenes.
const OBJECTS = [
  ['obj_enemy', '', 0, '', 1],
  ['obj_slime', 'spr_slime', 0, 'obj_enemy', 1],
  ['obj_beetle', 'spr_beetle', 0, 'obj_enemy', 1],
  ['obj_gem', 'spr_gem', 10, '', 1],
  ['obj_player', 'spr_player', 0, '', 1],
  ['obj_sparkle', 'spr_sparkle', -5, '', 0],
  ['obj_hud', '', -1000, '', 0],
  ['obj_title', '', -1000, '', 0],
];
const depthOf = {}, spriteOf = {};
for (const [name, spr, depth, parent, collision] of OBJECTS) {
  next();
  p.objects.push({ name, prototype: 1, sprite: spr, depth, parent, collision, visible: 1 });
  depthOf[name] = depth;
  spriteOf[name] = spr;
}
for (const [object, event, parameter, text] of code.events) {
  p.scripts.push({ name: 'scr_' + next(), object, event, parameter, code: text });
}

function instance(scene, template, x, y, direction) {
  p.objects.push({ name: 'SceneObject' + next(), template, prototype: 0, scene, sprite: spriteOf[template],
    x, y, visible: 1, depth: depthOf[template], collision: 1, direction: direction || 0 });
}

// Tile cut-outs of bg_tiles: [left, top, width, height].
const TILE = {
  p: [0, 0, 32, 32], q: [32, 0, 32, 32], f: [64, 0, 32, 32], t: [96, 0, 32, 32],
  k: [0, 32, 32, 32], r: [32, 32, 32, 32], T: [64, 32, 64, 64], u: [0, 64, 32, 32], v: [32, 64, 32, 32],
  W: [0, 96, 32, 32],
};

function tile(scene, ch, x, y, depth) {
  const [left, top, width, height] = TILE[ch];
  p.tiles.push({ name: 'tile_' + next(), background: 'bg_tiles', left, top, width, height, x, y, depth, scene });
}

function scanMap(rows, width, fn) {
  rows.forEach((row, r) => {
    if (row.length !== width) throw new Error('map row ' + r + ' is ' + row.length + ' wide: ' + row);
    for (let c = 0; c < row.length; c++) if (row[c] !== '.') fn(row[c], c, r);
  });
}

// The title scene: a stretched backdrop, flowers along the ground and a few
// creatures strolling about.
next();
p.scenes.push({ name: 'scene_title', width: 640, height: 480, speed: 30, red: 126, green: 200, blue: 255,
  background: 'bg_title', backgroundstretch: 1, viewportwidth: 640, viewportheight: 480,
  viewportxborder: 50, viewportyborder: 50, viewportobject: '', code: '' });
next(); p.layers.push({ name: 'layer_' + uid, scene: 'scene_title', value: 1000000 });
instance('scene_title', 'obj_title', 0, 0);
instance('scene_title', 'obj_slime', 120, 440, 0);
instance('scene_title', 'obj_slime', 470, 452, 180);
instance('scene_title', 'obj_gem', 300, 436);
instance('scene_title', 'obj_gem', 560, 448);
for (const [ch, x, y] of [['f', 20, 424], ['t', 200, 420], ['v', 380, 440], ['f', 600, 420], ['t', 60, 448]]) {
  tile('scene_title', ch, x, y, 1000000);
}

// The level: 30 x 22 cells of 32 pixels.
const LEVEL = [
  'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW',
  'W............................W',
  'W.P.......G...........G......W',
  'W...............S............W',
  'W....WWWWW...........WWWW..G.W',
  'W....W..................W....W',
  'W..G.W....B.....G.......W....W',
  'W....W..................W....W',
  'W.........................s..W',
  'W.............WW.............W',
  'W...G.........WW.......G.....W',
  'W......S.....................W',
  'W..........b.........WWWWW...W',
  'W...WWW..............W.......W',
  'W.....W.....G........W...G...W',
  'W.....W..............W.......W',
  'W.G...........S..............W',
  'W...................B........W',
  'W.......G..............G.....W',
  'W.........WWWWWW.............W',
  'W............................W',
  'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW',
];
const GROUND = [
  '..............................',
  '..............................',
  '..pppppppp....................',
  '.........p..f.........t.......',
  '.........p.............f......',
  '..t......pppppppppppp.........',
  '....................p...v.....',
  '..f.....r...........p.........',
  '....................p.........',
  '...........t........qppppp....',
  '..........................p...',
  '...v......................p...',
  '..........f.......u.......p...',
  '..........................p...',
  '........t.........f.......p...',
  '...ppppppppppppppppppppppp....',
  '...p..........................',
  '...p.......r.........v........',
  '...p...............t..........',
  '...p..........................',
  '...pf.........................',
  '..............................',
];
// Bushes and tree tops are drawn above the creatures walking beneath them.
const CANOPY = [
  '..............................',
  '..................T...........',
  '..............................',
  '..............................',
  '..............................',
  '..............................',
  '..............................',
  '............kk................',
  '.......T...................k..',
  '...........................k..',
  '..............................',
  '..............................',
  '..............................',
  '.k............................',
  '.k............................',
  '..............................',
  '..........................T...',
  '..............................',
  '..............................',
  '................T.............',
  '..............................',
  '..............................',
];
next();
p.scenes.push({ name: 'scene_level', width: 960, height: 704, speed: 60, red: 93, green: 166, blue: 76,
  background: 'bg_grass', backgroundtilex: 1, backgroundtiley: 1, viewportwidth: 640, viewportheight: 480,
  viewportxborder: 200, viewportyborder: 160, viewportobject: 'obj_player', code: code.levelCode });
next(); p.layers.push({ name: 'layer_' + uid, scene: 'scene_level', value: 1000000 });
next(); p.layers.push({ name: 'layer_' + uid, scene: 'scene_level', value: -100 });
// The walls are tiles of a solid layer: nothing walks through them.
next(); p.layers.push({ name: 'layer_' + uid, scene: 'scene_level', value: 5, solid: 1 });
instance('scene_level', 'obj_hud', 0, 0);
const KIND = { P: ['obj_player', 0], G: ['obj_gem', 0], S: ['obj_slime', 0],
  s: ['obj_slime', 180], B: ['obj_beetle', 270], b: ['obj_beetle', 90] };
scanMap(LEVEL, 30, (ch, c, r) => {
  if (ch === 'W') return tile('scene_level', ch, c * 32, r * 32, 5);
  const [obj, dir] = KIND[ch];
  instance('scene_level', obj, c * 32 + 16, r * 32 + 16, dir);
});
scanMap(GROUND, 30, (ch, c, r) => tile('scene_level', ch, c * 32, r * 32, 1000000));
scanMap(CANOPY, 30, (ch, c, r) => tile('scene_level', ch, c * 32, r * 32, -100));

for (const fn of code.userFunctions) { next(); p.fns.push(fn); }
p.uid = uid;

// The preview the open dialog shows: the level's top left corner at half size.
function preview() {
  const full = new Picture(480, 480), grassPic = art.grass(), tiles = art.tileSet();
  for (let y = 0; y < 480; y += 64) for (let x = 0; x < 480; x += 64) full.draw(grassPic, x, y);
  const items = [];
  p.tiles.filter((t) => t.scene === 'scene_level').forEach((t) => items.push({ depth: t.depth, tile: t }));
  p.objects.filter((o) => o.scene === 'scene_level' && o.sprite).forEach((o) => items.push({ depth: o.depth, obj: o }));
  items.sort((a, b) => b.depth - a.depth);
  for (const it of items) {
    if (it.tile) {
      const t = it.tile, cut = new Picture(t.width, t.height);
      for (let j = 0; j < t.height; j++) for (let i = 0; i < t.width; i++) cut.set(i, j, tiles.get(t.left + i, t.top + j));
      full.draw(cut, t.x, t.y);
    } else {
      const f = firstFrame[it.obj.sprite];
      full.draw(f.pic, it.obj.x - f.cx, it.obj.y - f.cy);
    }
  }
  const half = new Picture(240, 240);
  for (let y = 0; y < 240; y++) for (let x = 0; x < 240; x++) {
    const c = [0, 0, 0, 0];
    for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]]) full.get(2 * x + dx, 2 * y + dy).forEach((v, k) => { c[k] += v / 4; });
    half.px.set(c.map(Math.round), (y * 240 + x) * 4);
  }
  return half.png();
}

fs.mkdirSync(path.join(projectDir, 'img'), { recursive: true });
fs.mkdirSync(path.join(projectDir, 'aud'), { recursive: true });
for (const [file, bytes] of Object.entries(files)) fs.writeFileSync(path.join(projectDir, file), bytes);
fs.writeFileSync(path.join(projectDir, 'extensions.dat'), 'savedata\n');
fs.writeFileSync(path.join(root, 'Projects', NAME + '.xml'), projectXml(p));
fs.writeFileSync(path.join(root, 'Projects', NAME + '.png'), preview());
console.log('Wrote ' + path.join(root, 'Projects', NAME + '.xml') + ' and ' + Object.keys(files).length + ' media files');
