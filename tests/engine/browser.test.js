// The example game, built by vorlane-build, played in headless Chromium.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { makeProgramFolder, runBuild, removeFolder } = require('./support/program.js');
const { serve, launch, openGame } = require('./support/browser.js');

const NAME = 'gem_garden';
const SHOTS = process.env.VORLANE_SCREENSHOTS || os.tmpdir();

let dir, server, browser, page, errors;

test.before(async () => {
  dir = makeProgramFolder(true);
  runBuild(dir, NAME);
  server = await serve(path.join(dir, 'Projects', NAME));
  browser = await launch();
  ({ page, errors } = await openGame(browser, server.url + 'index.html'));
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) await server.close();
  if (dir) removeFolder(dir);
});

const steps = () => page.evaluate(() => __vr.steps);
const waitSteps = async (n) => {
  const s0 = await steps();
  await page.waitForFunction((s) => __vr.steps >= s, s0 + n);
};
const player = () => page.evaluate(() => {
  const p = instance_find(obj_player, 0);
  return p && { x: p.x, y: p.y };
});

// The colour on the canvas where the instance's body is, drawn with the loop
// stopped so that nothing moves between drawing and reading.
function pixelAtPlayer(x, y) {
  return page.evaluate(([x, y]) => {
    const p = instance_find(obj_player, 0);
    p.x = x; p.y = y; p.hurt = 0; p.image_alpha = 1;
    view_xview = x - 320; view_yview = y - 240;
    __vr.draw();
    const d = __vr.ctx.getImageData(320, 242, 1, 1).data;
    return [d[0], d[1], d[2]];
  }, [x, y]);
}

test('the page shows the title scene in a canvas inside div#vorlanegame, without a script error', async (t) => {
  assert.equal(await page.evaluate(() => document.querySelector('#vorlanegame > canvas') !== null), true);
  assert.equal(await page.evaluate(() => room === scene_title && vr_version), 'v1.2.9');
  assert.equal(await page.evaluate(() => [__vr.canvas.width, __vr.canvas.height].join('x')), '640x480');
  const first = await page.evaluate(() => __vr.first_frame_ms);
  t.diagnostic('first frame drawn ' + first.toFixed(0) + ' ms after the page started loading');
  await page.waitForTimeout(300);
  await page.screenshot({ path: path.join(SHOTS, 'vorlane-gem-garden-title.png') });
  assert.deepEqual(errors, []);
});

test('the pictures the title scene shows are asked for before all others, sounds after the first frame', async () => {
  const order = await page.evaluate(() => performance.getEntriesByType('resource')
    .filter((e) => /\.(png|wav)$/.test(e.name)).map((e) => e.name.split('/').slice(-2).join('/')));
  const needed = await page.evaluate(() => __vr.needed.map((img) => img.src.split('/').slice(-2).join('/')));
  assert.ok(needed.length > 0 && needed.length < order.length);
  assert.deepEqual(new Set(order.slice(0, needed.length)), new Set(needed));
  assert.equal(order[0], 'img/title.png', 'the background first');
  const firstSound = order.findIndex((name) => name.endsWith('.wav'));
  assert.ok(firstSound < 0 || firstSound >= needed.length);
  assert.deepEqual(await page.evaluate(() => __vr.sounds.map((s) => s.players[0].preload)), ['auto', 'auto', 'auto']);
});

test('the loop runs in the page (its pace is loop.test.js\'s)', async () => {
  await waitSteps(10);
});

test('a key press starts the game: the level\'s scene code and Room start run', async () => {
  await page.keyboard.press('Space');
  await page.waitForFunction(() => room === scene_level);
  assert.equal(await page.evaluate(() => gems_total), 12, 'scene code ran after Creation');
  assert.equal(await page.evaluate(() => __vr.music === mus_theme), true);
  assert.equal(await page.evaluate(() => instance_number(obj_title)), 0);
});

test('the level runs at its own speed of 60 steps a second', async () => {
  assert.equal(await page.evaluate(() => room_speed), 60);
});

test('an instance\'s Step moves it: slimes and beetles walk on their own', async () => {
  const before = await page.evaluate(() => [instance_find(obj_slime, 0).x, instance_find(obj_beetle, 0).y]);
  await waitSteps(10);
  const after = await page.evaluate(() => [instance_find(obj_slime, 0).x, instance_find(obj_beetle, 0).y]);
  assert.notEqual(after[0], before[0]);
  assert.notEqual(after[1], before[1]);
});

test('holding an arrow key moves the player; letting go stops it', async () => {
  await page.evaluate(() => { const p = instance_find(obj_player, 0); p.x = 400; p.y = 80; p.hurt = 1000; });
  const start = await player();
  await page.keyboard.down('ArrowRight');
  await waitSteps(20);
  await page.keyboard.up('ArrowRight');
  await waitSteps(2);
  const moved = await player();
  assert.ok(moved.x > start.x + 40, 'moved right from ' + start.x + ' to ' + moved.x);
  assert.equal(moved.y, start.y);
  await waitSteps(5);
  assert.equal((await player()).x, moved.x);
});

test('walking into a gem runs the Collision event: the score goes up and the gem goes', async () => {
  const gem = await page.evaluate(() => { const g = instance_find(obj_gem, 0); return { x: g.x, y: g.y }; });
  const before = await page.evaluate(() => [score, instance_number(obj_gem)]);
  await page.evaluate((g) => { const p = instance_find(obj_player, 0); p.x = g.x; p.y = g.y; }, gem);
  await page.waitForFunction((n) => instance_number(obj_gem) < n, before[1]);
  assert.deepEqual(await page.evaluate(() => [score, instance_number(obj_gem)]), [before[0] + 10, before[1] - 1]);
});

test('depth order on screen: the player covers the ground, a tree top covers the player', async () => {
  await page.evaluate(() => __vr.stop());
  const open = await pixelAtPlayer(400, 80);
  assert.ok(open[0] > 200 && open[1] > 150 && open[2] < 120, 'the player shows on open ground: ' + open);
  const path_ = await pixelAtPlayer(144, 80);
  assert.ok(path_[0] > 200 && path_[1] > 150 && path_[2] < 120, 'the player shows over the path tiles: ' + path_);
  const under = await pixelAtPlayer(256, 288);
  assert.ok(under[1] > under[0] && under[1] > under[2] && under[0] < 120, 'the tree top hides the player: ' + under);
  await page.evaluate(() => {
    const p = instance_find(obj_player, 0);
    p.x = 400; p.y = 80;
    __vr_follow_view(true);
    __vr.running = true;
    __vr.last = -1;
    requestAnimationFrame(__vr_frame);
  });
  await waitSteps(30);
  await page.screenshot({ path: path.join(SHOTS, 'vorlane-gem-garden-level.png') });
});

test('leaving the level runs its Room end, which keeps the best score', async () => {
  await page.evaluate(() => { score = 120; message = 'test'; room_goto(scene_title); });
  await page.waitForFunction(() => room === scene_title);
  assert.equal(await page.evaluate(() => best), 120);
  assert.equal(await page.evaluate(() => load_value('best', 0)), 120, 'kept by the Save data extension');
  assert.equal(await page.evaluate(() => __vr.music), null, 'the music stopped');
  assert.deepEqual(errors, []);
});

test('the game also runs from a file: address, as "Run game" opens it', async () => {
  const file = await openGame(browser, 'file://' + path.join(dir, 'Projects', NAME, 'index.html'));
  await file.page.waitForFunction(() => typeof __vr !== 'undefined' && __vr.steps > 5);
  assert.equal(await file.page.evaluate(() => room === scene_title), true);
  assert.deepEqual(file.errors, []);
  await file.page.close();
});

test('screenshots are where the log says', () => {
  for (const f of ['vorlane-gem-garden-title.png', 'vorlane-gem-garden-level.png']) {
    assert.ok(fs.statSync(path.join(SHOTS, f)).size > 1000, f);
  }
});

test('a page of the user\'s own that loads game.js in its head still gets the game', async () => {
  const file = path.join(dir, 'Projects', NAME, 'own.html');
  fs.writeFileSync(file, "<html><head><script src='game.js'></script></head><body><p>My page</p></body></html>\n");
  const own = await openGame(browser, server.url + 'own.html');
  assert.equal(await own.page.evaluate(() => document.querySelector('body > canvas') !== null), true);
  assert.deepEqual(own.errors, []);
  await own.page.close();
});
