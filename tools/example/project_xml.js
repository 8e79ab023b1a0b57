// Writes a Vorlane project file (Projects/<name>.xml) in the program's own
// layout: one line, the fifteen lists in their fixed order, attributes in
// their fixed order, counts matching.
'use strict';

const VERSION = 129;

function escAttr(v) {
  return String(v).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;').replace(/'/g, '&apos;');
}

function escText(v) {
  return String(v).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

function element(name, attrs, text, children) {
  let s = '<' + name;
  for (const [k, v] of attrs) s += ' ' + k + '="' + escAttr(v) + '"';
  const body = (text ? escText(text) : '') + (children || []).join('');
  return body === '' ? s + '/>' : s + '>' + body + '</' + name + '>';
}

const num = (v, d) => String(v === undefined ? d : v | 0);
const txt = (v) => (v === undefined || v === null ? '' : String(v));

const RECORDS = {
  sprite: (r) => [['name', txt(r.name)], ['centerx', num(r.centerx, 0)], ['centery', num(r.centery, 0)],
    ['collisionshape', txt(r.collisionshape || 'Box')], ['collisionradius', num(r.collisionradius, 0)],
    ['collisionleft', num(r.collisionleft, 0)], ['collisionright', num(r.collisionright, 0)],
    ['collisiontop', num(r.collisiontop, 0)], ['collisionbottom', num(r.collisionbottom, 0)]],
  frame: (r) => [['file', txt(r.file)], ['sprite', txt(r.sprite)]],
  sound: (r) => [['name', txt(r.name)], ['wav', txt(r.wav)], ['mp3', txt(r.mp3)], ['ogg', txt(r.ogg)]],
  background: (r) => [['name', txt(r.name)], ['file', txt(r.file)], ['tile', num(r.tile, 0)],
    ['tileheight', num(r.tileheight, 32)], ['tilewidth', num(r.tilewidth, 32)],
    ['tilexoffset', num(r.tilexoffset, 0)], ['tileyoffset', num(r.tileyoffset, 0)],
    ['tilexspace', num(r.tilexspace, 0)], ['tileyspace', num(r.tileyspace, 0)]],
  font: (r) => [['name', txt(r.name)], ['family', txt(r.family || 'Arial')], ['size', num(r.size, 12)],
    ['bold', num(r.bold, 0)], ['italic', num(r.italic, 0)]],
  object: (r) => [['name', txt(r.name)], ['template', txt(r.template)], ['prototype', num(r.prototype, 1)],
    ['scene', txt(r.scene)], ['sprite', txt(r.sprite)], ['x', num(r.x, 0)], ['y', num(r.y, 0)],
    ['visible', num(r.visible, 1)], ['depth', num(r.depth, 0)], ['collision', num(r.collision, 1)],
    ['parent', txt(r.parent)], ['direction', num(r.direction, 0)], ['image_angle', num(r.image_angle, 0)]],
  script: (r) => [['name', txt(r.name)], ['object', txt(r.object)], ['event', txt(r.event)],
    ['parameter', txt(r.parameter)]],
  scene: (r) => [['name', txt(r.name)], ['width', num(r.width, 640)], ['height', num(r.height, 480)],
    ['speed', num(r.speed, 30)], ['red', num(r.red, 0)], ['green', num(r.green, 0)], ['blue', num(r.blue, 0)],
    ['background', txt(r.background)], ['backgroundstretch', num(r.backgroundstretch, 0)],
    ['backgroundtilex', num(r.backgroundtilex, 0)], ['backgroundtiley', num(r.backgroundtiley, 0)],
    ['viewportwidth', num(r.viewportwidth, 640)], ['viewportheight', num(r.viewportheight, 480)],
    ['viewportxborder', num(r.viewportxborder, 50)], ['viewportyborder', num(r.viewportyborder, 50)],
    ['viewportobject', txt(r.viewportobject)]],
  layer: (r) => [['name', txt(r.name)], ['scene', txt(r.scene)], ['value', num(r.value, 1000000)]]
    .concat(r.solid ? [['solid', '1']] : []),
  tile: (r) => [['name', txt(r.name)], ['background', txt(r.background)], ['width', num(r.width, 32)],
    ['height', num(r.height, 32)], ['x', num(r.x, 0)], ['y', num(r.y, 0)], ['top', num(r.top, 0)],
    ['left', num(r.left, 0)], ['depth', num(r.depth, 1000000)], ['scene', txt(r.scene)]],
  fn: (r) => [['name', txt(r.name)], ['params', txt(r.params)], ['description', txt(r.description)]],
};

const TEXT_OF = { script: 'code', scene: 'code', fn: 'code' };

const LISTS = [
  ['sprites', 'sprite'], ['frames', 'frame'], ['sounds', 'sound'], ['musics', 'music'],
  ['backgrounds', 'background'], ['fonts', 'font'], ['objects', 'object'], ['scripts', 'script'],
  ['scenes', 'scene'], ['layers', 'layer'], ['tiles', 'tile'], ['fns', 'fn'],
];

// p: { uid, title, advancedscriptmode, imgfolder, audfolder, functions,
// variables, comments, sprites: [...], frames: [...], ... } with records
// named by the project file's attribute names.
function projectXml(p) {
  const children = [
    element('functions', [], txt(p.functions)),
    element('variables', [], txt(p.variables)),
    element('comments', [], txt(p.comments)),
  ];
  for (const [list, rec] of LISTS) {
    const records = p[list] || [];
    const kind = rec === 'music' ? 'sound' : rec;
    children.push(element(list, [['count', String(records.length)]], '',
      records.map((r) => element(rec, RECORDS[kind](r), TEXT_OF[rec] ? txt(r[TEXT_OF[rec]]) : ''))));
  }
  const root = element('vorlane', [['version', String(VERSION)], ['uid', num(p.uid, 1)],
    ['title', txt(p.title)], ['advancedscriptmode', num(p.advancedscriptmode, 0)],
    ['imgfolder', txt(p.imgfolder || 'img')], ['audfolder', txt(p.audfolder || 'aud')]], '', children);
  return '<?xml version="1.0" encoding="UTF-8"?>' + root;
}

module.exports = { projectXml, VERSION };
