#!/usr/bin/env node
// Solid tiles: the mean time of one step in which 2,000 moving instances
// each ask place_free against a solid layer of 20,000 tiles, next to the
// same game with 20 tiles and with no place_free at all; the grid should
// make the first two alike. Runs in headless Chromium, steps only.
//
// Usage (from the repository, after building vorlane-build):
//   node bench/solid_tiles.js [build-folder]     (default: build)
// Needs what scripts/test-engine.sh installs (chromium, tests/engine/node_modules).
'use strict';
const path = require('path');
const ROOT = path.resolve(__dirname, '..');
process.env.VORLANE_BUILD = path.resolve(process.argv[2] || path.join(ROOT, 'build'), 'src', 'vorlane-build');
const { projectOf } = require(path.join(ROOT, 'tests/engine/support/small_game.js'));
const { buildProject, removeFolder } = require(path.join(ROOT, 'tests/engine/support/program.js'));
const { serve, launch, openGame } = require(path.join(ROOT, 'tests/engine/support/browser.js'));

const INSTANCES = 2000;
const STEPS = 200;

function plan(tileCount, ask) {
  // Tiles of 16 px every 32 px; the instances start in the gaps between them.
  const columns = 200, tiles = [], instances = [];
  for (let i = 0; i < tileCount; i++) tiles.push(['bg', 0, 0, 16, 16, (i % columns) * 32, Math.floor(i / columns) * 32, 1]);
  for (let i = 0; i < INSTANCES; i++) instances.push(['obj_mover', (i % columns) * 32 + 20, Math.floor(i / columns) * 32 + 20]);
  return {
    sprites: { spr: { w: 8, h: 8 } }, backgrounds: { bg: [16, 16] },
    objects: [{ name: 'obj_mover', sprite: 'spr', events: {
      Creation: 'hspeed = random(2) - 1; vspeed = random(2) - 1; tile_layer_solid(1, true);',
      Step: !ask ? 'x = x;' : 'if (!place_free(x + hspeed, y + vspeed)) { hspeed = -hspeed; vspeed = -vspeed; }' } }],
    scenes: [{ name: 'room1', width: 6400, height: 3200, instances, tiles }],
  };
}

async function measure(browser, tileCount, ask) {
  const { dir } = buildProject('t', projectOf(plan(tileCount, ask)));
  const server = await serve(path.join(dir, 'Projects', 't'));
  try {
    const { page, errors } = await openGame(browser, server.url + 'index.html', { manual: true });
    const ms = await page.evaluate((steps) => {
      for (let i = 0; i < 50; i++) __vr.step();
      const t0 = performance.now();
      for (let i = 0; i < steps; i++) __vr.step();
      return (performance.now() - t0) / steps;
    }, STEPS);
    if (errors.length) throw new Error(errors[0]);
    await page.close();
    return ms;
  } finally {
    await server.close();
    removeFolder(dir);
  }
}

(async () => {
  const browser = await launch();
  try {
    const none = await measure(browser, 20000, false);
    const few = await measure(browser, 20, true), many = await measure(browser, 20000, true);
    console.log(`step with ${INSTANCES} moving instances: ${none.toFixed(3)} ms without place_free, ` +
                `${few.toFixed(3)} ms asking it against 20 solid tiles, ${many.toFixed(3)} ms against 20,000`);
  } finally { await browser.close(); }
})();
