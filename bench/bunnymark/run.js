#!/usr/bin/env node
// Bunnymark: N instances of an animated sprite bouncing off the scene edges,
// run by the engine in headless Chromium, next to a hand-written canvas
// drawImage loop doing the same motion (raw.html). Prints the mean time of a
// frame (one step and one drawing, with the canvas made to finish drawing)
// for N = 1,000, 5,000 and 20,000, the sizes of export.js and of the
// example's game.js, and the time from page load to the first drawn frame.
//
// Usage (from the repository, after building vorlane-build):
//   node bench/bunnymark/run.js [build-folder [counts]]     (default: build 1000,5000,20000)
// Needs what scripts/test-engine.sh installs (chromium, tests/engine/node_modules).
'use strict';
const fs = require('fs');
const path = require('path');
const ROOT = path.resolve(__dirname, '../..');
if (process.argv[2]) process.env.VORLANE_BUILD = path.resolve(process.argv[2], 'src', 'vorlane-build');
const { makeProgramFolder, runBuild, removeFolder } = require(path.join(ROOT, 'tests/engine/support/program.js'));
const { serve, launch, openGame } = require(path.join(ROOT, 'tests/engine/support/browser.js'));
const { projectXml } = require(path.join(ROOT, 'tools/example/project_xml.js'));
const art = require(path.join(ROOT, 'tools/example/art.js'));

// Sprite counts: the second argument may give others, as in 5000,20000.
const COUNTS = process.argv[3] ? process.argv[3].split(',').map(Number) : [1000, 5000, 20000];
const WARMUP = 20;
const FRAMES = 60;
const ROUNDS = 5;

// The bunnymark project; `advanced` writes the same code without with(this).
function writeProject(dir, name, advanced) {
  const step = advanced
    ? 'if (this.x < 0 || this.x > room_width) this.hspeed = -this.hspeed;\nif (this.y < 0 || this.y > room_height) this.vspeed = -this.vspeed;'
    : 'if (x < 0 || x > room_width) hspeed = -hspeed;\nif (y < 0 || y > room_height) vspeed = -vspeed;';
  const create = advanced
    ? 'this.hspeed = random_range(-4, 4);\nthis.vspeed = random_range(-4, 4);\nthis.image_speed = 0.25;'
    : 'hspeed = random_range(-4, 4);\nvspeed = random_range(-4, 4);\nimage_speed = 0.25;';
  const p = {
    uid: 20, advancedscriptmode: advanced ? 1 : 0,
    sprites: [{ name: 'spr_bunny', centerx: 16, centery: 16, collisionshape: 'Box', collisionright: 32, collisionbottom: 32 }],
    frames: [0, 1, 2, 3].map((i) => ({ file: String(i), sprite: 'spr_bunny' })),
    objects: [{ name: 'obj_bunny', prototype: 1, sprite: 'spr_bunny', collision: 0 }],
    scripts: [{ name: 'scr_3', object: 'obj_bunny', event: 'Creation', code: create },
      { name: 'scr_4', object: 'obj_bunny', event: 'Step', code: step }],
    scenes: [{ name: 'scene_bunnies', width: 800, height: 600, speed: 60, red: 40, green: 44, blue: 52,
      viewportwidth: 800, viewportheight: 600,
      code: 'var n = Number(location.hash.slice(1)) || 1000;\nfor (var i = 0; i < n; i++) instance_create(random(room_width), random(room_height), obj_bunny);' }],
    layers: [{ name: 'layer_6', scene: 'scene_bunnies' }],
  };
  const img = path.join(dir, 'Projects', name, 'img');
  fs.mkdirSync(img, { recursive: true });
  [0, 1, 2, 3].forEach((i) => fs.writeFileSync(path.join(img, 'spr_bunny_' + i + '.png'), art.player(i).png()));
  fs.writeFileSync(path.join(dir, 'Projects', name + '.xml'), projectXml(p));
  runBuild(dir, name);
  fs.copyFileSync(path.join(__dirname, 'raw.html'), path.join(dir, 'Projects', name, 'raw.html'));
}

// Mean milliseconds of a frame; getImageData makes the canvas finish drawing
// so that both sides pay for the pixels, not just for queuing draw calls.
function measure(page, tickCode) {
  return page.evaluate(([tickCode, warmup, frames]) => {
    const tick = new Function(tickCode);
    for (let i = 0; i < warmup; i++) tick();
    const t0 = performance.now();
    for (let i = 0; i < frames; i++) tick();
    return (performance.now() - t0) / frames;
  }, [tickCode, WARMUP, FRAMES]);
}

async function main() {
  const dir = makeProgramFolder(true);
  let server, browser;
  try {
    writeProject(dir, 'bunnymark', false);
    writeProject(dir, 'bunnymark_adv', true);
    const example = runBuild(dir, 'gem_garden');
    server = await serve(path.join(dir, 'Projects'));
    browser = await launch();
    const rows = [];
    const median = (a) => a.slice().sort((x, y) => x - y)[a.length >> 1];
    for (const n of COUNTS) {
      const eng = await openGame(browser, server.url + 'bunnymark/index.html#' + n);
      const adv = await openGame(browser, server.url + 'bunnymark_adv/index.html#' + n);
      const raw = await browser.context.newPage();
      await raw.goto(server.url + 'bunnymark/raw.html#' + n);
      await raw.waitForFunction(() => window.bench && bench.ready());
      await eng.page.evaluate(() => __vr.stop());
      await adv.page.evaluate(() => __vr.stop());
      // Rounds taken in turn, so that a slow moment of the machine does not
      // fall on one side only; the median round counts.
      const times = { engine: [], advanced: [], limit: [] };
      for (let round = 0; round < ROUNDS; round++) {
        times.limit.push(await measure(raw, 'bench.tick(); bench.ctx.getImageData(0, 0, 1, 1);'));
        times.engine.push(await measure(eng.page, '__vr.tick(); __vr.ctx.getImageData(0, 0, 1, 1);'));
        times.advanced.push(await measure(adv.page, '__vr.tick(); __vr.ctx.getImageData(0, 0, 1, 1);'));
      }
      if (eng.errors.length || adv.errors.length) throw new Error(eng.errors.concat(adv.errors).join('\n'));
      await eng.page.close();
      await adv.page.close();
      await raw.close();
      rows.push({ n, engine: median(times.engine), advanced: median(times.advanced), limit: median(times.limit) });
    }
    console.log('Bunnymark, mean frame time (one step + one drawing), headless Chromium, software canvas');
    console.log('       N   raw loop   engine   ratio   engine, advanced script mode   ratio');
    for (const r of rows) {
      console.log(String(r.n).padStart(8) + (r.limit.toFixed(2) + ' ms').padStart(11) + (r.engine.toFixed(2) + ' ms').padStart(10) +
        (r.engine / r.limit).toFixed(2).padStart(7) + 'x' + (r.advanced.toFixed(2) + ' ms').padStart(21) +
        (r.advanced / r.limit).toFixed(2).padStart(18) + 'x');
    }
    const firsts = [];
    for (let i = 0; i < 5; i++) {
      const ex = await openGame(browser, server.url + 'gem_garden/index.html');
      firsts.push(await ex.page.evaluate(() => __vr.first_frame_ms));
      await ex.page.close();
    }
    firsts.sort((a, b) => a - b);
    console.log('export.js: ' + fs.statSync(path.join(ROOT, 'runtime', 'export.js')).size + ' bytes; ' +
      'gem_garden game.js: ' + Buffer.byteLength(example) + ' bytes');
    console.log('gem_garden: first frame drawn ' + firsts[2].toFixed(0) + ' ms after the page started loading (median of 5)');
  } finally {
    if (browser) await browser.close();
    if (server) await server.close();
    removeFolder(dir);
  }
}

module.exports = { writeProject };

if (require.main === module) main().catch((e) => { console.error(e); process.exit(1); });
