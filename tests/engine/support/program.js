// Builds games the way users get them: a project file in a fresh program
// folder holding the shipped runtime, turned into game.js by vorlane-build.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { projectXml } = require('../../../tools/example/project_xml.js');
const { encodePng } = require('../../../tools/example/png.js');

const ROOT = path.resolve(__dirname, '../../..');
const RUNTIME = path.join(ROOT, 'runtime');

function vorlaneBuild() {
  const exe = process.env.VORLANE_BUILD || path.join(ROOT, 'build', 'src', 'vorlane-build');
  if (!fs.existsSync(exe)) {
    throw new Error('vorlane-build not found at ' + exe + ' (set VORLANE_BUILD or build it first)');
  }
  return exe;
}

// A fresh program folder: export.js, debug.js, keywords.dat, Extensions/ and Projects/.
function makeProgramFolder(withExamples) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlane-engine-'));
  for (const f of ['export.js', 'debug.js', 'keywords.dat']) fs.copyFileSync(path.join(RUNTIME, f), path.join(dir, f));
  fs.cpSync(path.join(RUNTIME, 'Extensions'), path.join(dir, 'Extensions'), { recursive: true });
  if (withExamples) fs.cpSync(path.join(RUNTIME, 'Projects'), path.join(dir, 'Projects'), { recursive: true });
  else fs.mkdirSync(path.join(dir, 'Projects'));
  return dir;
}

function runBuild(dir, name) {
  execFileSync(vorlaneBuild(), [name], { cwd: dir, stdio: ['ignore', 'pipe', 'pipe'] });
  return fs.readFileSync(path.join(dir, 'Projects', name, 'game.js'), 'utf8');
}

// A solid-coloured frame, w x h, colour [r, g, b, a].
function solidPng(w, h, rgba) {
  const px = new Uint8Array(w * h * 4);
  for (let i = 0; i < w * h; i++) px.set(rgba, i * 4);
  return encodePng(w, h, px);
}

// Writes project `p` (records named as in the project file) as
// Projects/<name>.xml with a solid PNG for each frame, builds it and
// returns { dir, game } where game is the text of game.js.
// p.frameSizes maps a sprite name to [w, h, rgba]; frames default to 32 x 32.
function buildProject(name, p, dir) {
  dir = dir || makeProgramFolder(false);
  const img = path.join(dir, 'Projects', name, 'img');
  fs.mkdirSync(img, { recursive: true });
  for (const f of p.frames || []) {
    const [w, h, rgba] = (p.frameSizes && p.frameSizes[f.sprite]) || [32, 32, [200, 40, 40, 255]];
    fs.writeFileSync(path.join(img, f.sprite + '_' + f.file + '.png'), solidPng(w, h, rgba));
  }
  for (const [file, data] of Object.entries(p.files || {})) {
    fs.writeFileSync(path.join(dir, 'Projects', name, file), data);
  }
  if (p.extensions) fs.writeFileSync(path.join(dir, 'Projects', name, 'extensions.dat'), p.extensions.join('\n') + '\n');
  fs.writeFileSync(path.join(dir, 'Projects', name + '.xml'), projectXml(p));
  return { dir, game: runBuild(dir, name) };
}

function removeFolder(dir) {
  fs.rmSync(dir, { recursive: true, force: true });
}

module.exports = { ROOT, RUNTIME, makeProgramFolder, runBuild, buildProject, solidPng, removeFolder, vorlaneBuild };
