#!/usr/bin/env node
// Start-up of games in headless Chromium: the time from the start of the
// page's navigation to the first drawn frame (__vr.first_frame_ms) for
//   - bunnymark with 50,000 instances made by the scene's code, the same
//     50,000 placed in the scene in the project, and the hand-written canvas
//     loop (bench/bunnymark/raw.html) drawing as many,
//   - the example game gem_garden,
//   - a game of one sprite and one instance.
// Pages are opened in turn, five rounds; the median of each is printed.
//
// Usage (from the repository, after building vorlane-build):
//   node bench/startup/run.js [build-folder]     (default: build)
// Needs what scripts/test-engine.sh installs (chromium, tests/engine/node_modules).
'use strict';
const fs = require('fs');
const path = require('path');
const ROOT = path.resolve(__dirname, '../..');
if (process.argv[2]) process.env.VORLANE_BUILD = path.resolve(process.argv[2], 'src', 'vorlane-build');
const { makeProgramFolder, runBuild, removeFolder, solidPng } = require(path.join(ROOT, 'tests/engine/support/program.js'));
const { serve, launch } = require(path.join(ROOT, 'tests/engine/support/browser.js'));
const { projectXml } = require(path.join(ROOT, 'tools/example/project_xml.js'));
const { writeProject } = require(path.join(ROOT, 'bench/bunnymark/run.js'));

const ROUNDS = 5;
const MANY = 50000;

function writeOneSprite(dir, name) {
  const p = {
    uid: 10,
    sprites: [{ name: 'spr_dot', collisionshape: 'Box', collisionright: 16, collisionbottom: 16 }],
    frames: [{ file: '0', sprite: 'spr_dot' }],
    objects: [{ name: 'obj_dot', prototype: 1, sprite: 'spr_dot' },
      { name: 'SceneObject5', template: 'obj_dot', prototype: 0, scene: 'scene_one', x: 100, y: 100 }],
    scenes: [{ name: 'scene_one', width: 640, height: 480, speed: 30, viewportwidth: 640, viewportheight: 480 }],
    layers: [{ name: 'layer_6', scene: 'scene_one' }],
  };
  fs.mkdirSync(path.join(dir, 'Projects', name, 'img'), { recursive: true });
  fs.writeFileSync(path.join(dir, 'Projects', name, 'img', 'spr_dot_0.png'), solidPng(16, 16, [255, 255, 0, 255]));
  fs.writeFileSync(path.join(dir, 'Projects', name + '.xml'), projectXml(p));
  runBuild(dir, name);
}

// Bunnies as in bunnymark, but `n` of them placed in the scene's file.
function writePlaced(dir, name, n) {
  const objects = [{ name: 'obj_bunny', prototype: 1, sprite: 'spr_bunny', collision: 0 }];
  for (let i = 0; i < n; i++) {
    objects.push({ name: 'SceneObject' + (10 + i), template: 'obj_bunny', prototype: 0, scene: 'scene_bunnies',
      x: (i * 37) % 800, y: (i * 53) % 600 });
  }
  const p = {
    uid: 10 + n,
    sprites: [{ name: 'spr_bunny', centerx: 16, centery: 16, collisionshape: 'Box', collisionright: 32, collisionbottom: 32 }],
    frames: [0, 1, 2, 3].map((i) => ({ file: String(i), sprite: 'spr_bunny' })),
    objects,
    scripts: [{ name: 'scr_3', object: 'obj_bunny', event: 'Creation',
      code: 'hspeed = random_range(-4, 4);\nvspeed = random_range(-4, 4);\nimage_speed = 0.25;' }],
    scenes: [{ name: 'scene_bunnies', width: 800, height: 600, speed: 60, red: 40, green: 44, blue: 52,
      viewportwidth: 800, viewportheight: 600 }],
    layers: [{ name: 'layer_6', scene: 'scene_bunnies' }],
  };
  const img = path.join(dir, 'Projects', name, 'img');
  fs.mkdirSync(img, { recursive: true });
  for (const f of fs.readdirSync(path.join(dir, 'Projects', 'bunnymark', 'img'))) {
    fs.copyFileSync(path.join(dir, 'Projects', 'bunnymark', 'img', f), path.join(img, f));
  }
  fs.writeFileSync(path.join(dir, 'Projects', name + '.xml'), projectXml(p));
  runBuild(dir, name);
}

// Milliseconds from navigation to the first frame of a page in a new tab.
async function firstFrame(browser, url, isRaw) {
  const page = await browser.context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(url);
  const ms = isRaw
    ? await page.waitForFunction(() => window.bench && bench.first() > 0 && bench.first(), null, { timeout: 60000 })
    : await page.waitForFunction(() => window.__vr && __vr.first_frame_ms > 0 && __vr.first_frame_ms, null, { timeout: 60000 });
  const value = await ms.jsonValue();
  await page.close();
  if (errors.length) throw new Error(url + ': ' + errors.join('\n'));
  return value;
}

async function main() {
  const dir = makeProgramFolder(true);
  let server, browser;
  try {
    writeProject(dir, 'bunnymark', false);
    writeOneSprite(dir, 'one_sprite');
    writePlaced(dir, 'bunnies_placed', MANY);
    runBuild(dir, 'gem_garden');
    server = await serve(path.join(dir, 'Projects'));
    browser = await launch();
    const cases = [
      ['50,000 instances, engine', 'bunnymark/index.html#' + MANY, false],
      ['50,000 placed in the scene', 'bunnies_placed/index.html', false],
      ['50,000 instances, raw loop', 'bunnymark/raw.html#' + MANY, true],
      ['gem_garden', 'gem_garden/index.html', false],
      ['one sprite', 'one_sprite/index.html', false],
    ];
    // One visit first, so that the browser's own start-up is not counted.
    await firstFrame(browser, server.url + 'one_sprite/index.html', false);
    const times = cases.map(() => []);
    for (let round = 0; round < ROUNDS; round++) {
      for (let c = 0; c < cases.length; c++) times[c].push(await firstFrame(browser, server.url + cases[c][1], cases[c][2]));
    }
    const median = (a) => a.slice().sort((x, y) => x - y)[a.length >> 1];
    console.log('First frame after navigation, headless Chromium, median of ' + ROUNDS + ' (min..max)');
    for (let c = 0; c < cases.length; c++) {
      const t = times[c];
      console.log(cases[c][0].padEnd(30) + (median(t).toFixed(0) + ' ms').padStart(10) +
        ('  (' + Math.min(...t).toFixed(0) + '..' + Math.max(...t).toFixed(0) + ')'));
    }
  } finally {
    if (browser) await browser.close();
    if (server) await server.close();
    removeFolder(dir);
  }
}

module.exports = { writeOneSprite, writePlaced, MANY };

if (require.main === module) main().catch((e) => { console.error(e); process.exit(1); });
