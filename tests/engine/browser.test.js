// The example game in headless Chromium, as players get it: exported by
// vorlane-build --export, unpacked into a fresh folder and served by a plain
// web server (a file the script needs missing from the zip is an error in
// the page); also opened from its project folder by a file: address, as
// "Run game" does. The engine's logic is the Node tests' business.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { makeProgramFolder, removeFolder, vorlaneBuild } = require('./support/program.js');
const { serve, launch, openGame } = require('./support/browser.js');
const { unzipInto } = require('./support/unzip.js');

const NAME = 'gem_garden';
const SHOTS = process.env.VORLANE_SCREENSHOTS || os.tmpdir();

let dir, site, server, browser, page, errors;

test.before(async () => {
  dir = makeProgramFolder(true);
  execFileSync(vorlaneBuild(), ['--export', 'game.zip', NAME], { cwd: dir, stdio: ['ignore', 'pipe', 'pipe'] });
  site = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlane-site-'));
  unzipInto(path.join(dir, 'game.zip'), site);
  server = await serve(site);
  browser = await launch();
  ({ page, errors } = await openGame(browser, server.url + 'index.html'));
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) await server.close();
  for (const folder of [site, dir]) if (folder) removeFolder(folder);
});

const waitSteps = async (n) => {
  const s0 = await page.evaluate(() => __vr.steps);
  await page.waitForFunction((s) => __vr.steps >= s, s0 + n);
};
const player = () => page.evaluate(() => { const p = instance_find(obj_player, 0); return { x: p.x, y: p.y }; });
const screenshot = async (name) => {
  await page.screenshot({ path: path.join(SHOTS, name) });
  assert.ok(fs.statSync(path.join(SHOTS, name)).size > 1000, name);
};

test('the unpacked game shows its title scene in a canvas inside div#vorlanegame, without a script error', async (t) => {
  assert.equal(await page.evaluate(() => document.querySelector('#vorlanegame > canvas') !== null), true);
  assert.deepEqual(await page.evaluate(() => [room === scene_title, vr_version, __vr.canvas.width, __vr.canvas.height]),
    [true, 'v1.2.9', 640, 480]);
  t.diagnostic('first frame drawn ' + (await page.evaluate(() => __vr.first_frame_ms)).toFixed(0) + ' ms after the page started loading');
  await page.waitForTimeout(300);
  await screenshot('vorlane-gem-garden-title.png');
  assert.deepEqual(errors, [], 'no script error and no file missing');
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

test('a key press starts the level: its scene code and music run, and its creatures walk at 60 steps a second', async () => {
  await page.keyboard.press('Space');
  await page.waitForFunction(() => room === scene_level);
  assert.deepEqual(await page.evaluate(() => [gems_total, __vr.music === mus_theme, instance_number(obj_title), room_speed]),
    [12, true, 0, 60]);
  const where = () => page.evaluate(() => [instance_find(obj_slime, 0).x, instance_find(obj_beetle, 0).y]);
  const before = await where();
  await waitSteps(10);
  const after = await where();
  assert.ok(after[0] !== before[0] && after[1] !== before[1], 'moved from ' + before + ' to ' + after);
});

test('holding an arrow key moves the player; letting go stops it', async () => {
  await page.evaluate(() => { const p = instance_find(obj_player, 0); p.x = 400; p.y = 80; p.hurt = 1000; });
  const start = await player();
  await page.keyboard.down('ArrowRight');
  await waitSteps(20);
  await page.keyboard.up('ArrowRight');
  await waitSteps(2);
  const moved = await player();
  assert.ok(moved.x > start.x + 40 && moved.y === start.y, 'moved from ' + start.x + ' to ' + moved.x);
  await waitSteps(5);
  assert.equal((await player()).x, moved.x);
});

test('walking into a gem runs its Collision event: the score goes up and the gem goes', async () => {
  const before = await page.evaluate(() => [score, instance_number(obj_gem)]);
  await page.evaluate(() => { const g = instance_find(obj_gem, 0), p = instance_find(obj_player, 0); p.x = g.x; p.y = g.y; });
  await page.waitForFunction((n) => instance_number(obj_gem) < n, before[1]);
  assert.deepEqual(await page.evaluate(() => [score, instance_number(obj_gem)]), [before[0] + 10, before[1] - 1]);
});

test('on screen the player covers the ground and the path tiles, and a tree top covers the player', async () => {
  await page.evaluate(() => __vr.stop());
  // The colour where the player's body is, drawn with the loop stopped.
  const colourAt = (x, y) => page.evaluate(([x, y]) => {
    const p = instance_find(obj_player, 0);
    p.x = x; p.y = y; p.hurt = 0; p.image_alpha = 1;
    view_xview = x - 320; view_yview = y - 240;
    __vr.draw();
    return Array.from(__vr.ctx.getImageData(320, 242, 1, 1).data.slice(0, 3));
  }, [x, y]);
  for (const [x, y, where] of [[400, 80, 'open ground'], [144, 80, 'the path tiles']]) {
    const [r, g, b] = await colourAt(x, y);
    assert.ok(r > 200 && g > 150 && b < 120, 'the player shows on ' + where + ': ' + [r, g, b]);
  }
  const [r, g, b] = await colourAt(256, 288);
  assert.ok(g > r && g > b && r < 120, 'the tree top hides the player: ' + [r, g, b]);
  await page.evaluate(() => {
    const p = instance_find(obj_player, 0);
    p.x = 400; p.y = 80;
    __vr_follow_view(true);
    __vr.running = true;
    __vr.last = -1;
    requestAnimationFrame(__vr_frame);
  });
  await waitSteps(30);
  await screenshot('vorlane-gem-garden-level.png');
});

test('leaving the level runs its Room end, which keeps the best score with the Save data extension', async () => {
  await page.evaluate(() => { score = 120; message = 'test'; room_goto(scene_title); });
  await page.waitForFunction(() => room === scene_title);
  assert.deepEqual(await page.evaluate(() => [best, load_value('best', 0), __vr.music]), [120, 120, null]);
  assert.deepEqual(errors, []);
});

test('the game runs from a file: address of its project folder, and from a page of the user\'s own', async () => {
  const folder = path.join(dir, 'Projects', NAME);
  fs.writeFileSync(path.join(site, 'own.html'), "<html><head><script src='game.js'></script></head><body><p>My page</p></body></html>\n");
  for (const [url, canvas] of [['file://' + path.join(folder, 'index.html'), '#vorlanegame > canvas'], [server.url + 'own.html', 'body > canvas']]) {
    const opened = await openGame(browser, url);
    await opened.page.waitForFunction(() => __vr.steps > 5);
    assert.equal(await opened.page.evaluate((c) => room === scene_title && document.querySelector(c) !== null, canvas), true, url);
    assert.deepEqual(opened.errors, [], url);
    await opened.page.close();
  }
});
