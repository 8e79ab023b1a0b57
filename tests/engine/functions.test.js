// Engine functions and variables doing what their help lines in
// keywords.dat say, in small games built by vorlane-build and played in
// headless Chromium. The games run in manual mode: each test takes the steps
// and draws the frames it needs, so nothing depends on the clock.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openSmallGame } = require('./support/browser.js');

let browser;

test.before(async () => { browser = await launch(); });
test.after(async () => { if (browser) await browser.close(); });

// Opens the game of `plan`, runs `body(page)` and checks that the page
// reported no script error.
async function play(plan, body) {
  const game = await openSmallGame(browser, plan);
  try {
    await body(game.page);
    assert.deepEqual(game.errors, []);
  } finally {
    await game.close();
  }
}

const step = (page, n) => page.evaluate((n) => { for (let i = 0; i < n; i++) __vr.step(); }, n || 1);

test('distance_to_object and instance_nearest leave the calling instance out', async () => {
  await play({
    sprites: { spr: { w: 16, h: 16 } },
    variables: 'var found = {};',
    objects: [
      { name: 'obj_a', sprite: 'spr', events: {
        Step: 'found[id] = { d: distance_to_object(obj_a), near: instance_nearest(x, y, obj_a).id, ' +
              'b: distance_to_object(obj_b), self: instance_nearest(x, y, obj_b) };' } },
      { name: 'obj_b', sprite: 'spr' },
    ],
    scenes: [{ name: 'room1', instances: [['obj_a', 100, 100], ['obj_a', 150, 100], ['obj_b', 100, 130]] }],
  }, async (page) => {
    await step(page);
    const r = await page.evaluate(() => {
      const a = instance_find(obj_a, 0), b = instance_find(obj_a, 1);
      return { a: found[a.id], b: found[b.id], ids: [a.id, b.id], bid: instance_find(obj_b, 0).id,
        outside: instance_nearest(100, 100, obj_a).id };
    });
    assert.equal(r.a.d, 50);
    assert.equal(r.b.d, 50);
    assert.equal(r.a.near, r.ids[1], 'the other instance is the nearest one');
    assert.equal(r.b.near, r.ids[0]);
    assert.equal(r.a.b, 30, 'another object is measured as before');
    assert.equal(r.a.self.id, r.bid);
    assert.equal(r.outside, r.ids[0], 'outside any event every instance counts');
  });
});

test('xprevious and yprevious hold the place before the step: a Collision event can undo the Step move', async () => {
  await play({
    sprites: { spr: { w: 32, h: 32 } },
    objects: [
      { name: 'obj_mover', sprite: 'spr', events: { Step: 'x += 10; y += 1;', 'Collision obj_wall': 'x = xprevious; y = yprevious;' } },
      { name: 'obj_wall', sprite: 'spr' },
    ],
    scenes: [{ name: 'room1', instances: [['obj_mover', 100, 100], ['obj_wall', 150, 100]] }],
  }, async (page) => {
    await step(page);
    assert.deepEqual(await page.evaluate(() => { const o = instance_find(obj_mover, 0); return [o.x, o.y, o.xprevious, o.yprevious]; }),
      [110, 101, 100, 100]);
    // At x 120 it would overlap the wall (150..182); the Collision event puts it back.
    await step(page, 4);
    assert.deepEqual(await page.evaluate(() => { const o = instance_find(obj_mover, 0); return [o.x, o.y]; }), [110, 101]);
    // Speeds move it after Step: xprevious is still where the step began.
    await page.evaluate(() => { const o = instance_find(obj_mover, 0); o.x = 0; o.hspeed = 5; });
    await step(page);
    assert.deepEqual(await page.evaluate(() => { const o = instance_find(obj_mover, 0); return [o.x, o.xprevious]; }), [15, 0]);
  });
});

test('sprite_width, sprite_height and image_number follow sprite_index at once', async () => {
  await play({
    sprites: { spr_small: { w: 16, h: 16 }, spr_big: { w: 48, h: 24, frames: 3 } },
    variables: 'var seen = [];',
    objects: [{ name: 'obj_s', sprite: 'spr_small', events: {
      Creation: 'seen.push([sprite_width, sprite_height, image_number]);\nsprite_index = spr_big;\n' +
                'seen.push([sprite_width, sprite_height, image_number]);',
      Step: 'sprite_index = spr_small;\nseen.push([sprite_width, sprite_height, image_number]);',
    } }],
    scenes: [{ name: 'room1', instances: [['obj_s', 10, 10]] }],
  }, async (page) => {
    await step(page);
    assert.deepEqual(await page.evaluate(() => seen), [[16, 16, 1], [48, 24, 3], [16, 16, 1]]);
    assert.deepEqual(await page.evaluate(() => {
      const o = instance_find(obj_s, 0);
      o.sprite_index = spr_big;
      const big = [o.sprite_width, o.sprite_height, o.image_number];
      o.sprite_index = null;
      return [big, [o.sprite_width, o.sprite_height, o.image_number]];
    }), [[48, 24, 3], [0, 0, 0]]);
  });
});

test('a cleared key stays cleared through the key\'s auto-repeat until it is pressed again', async () => {
  await play({
    scenes: [{ name: 'room1' }],
  }, async (page) => {
    const state = () => page.evaluate(() => [keyboard_check(vk_right), keyboard_check_pressed(vk_right), keyboard_check(vk_anykey)]);
    await page.keyboard.down('ArrowRight');
    await page.waitForFunction(() => keyboard_check(vk_right));
    assert.deepEqual(await state(), [true, true, true]);
    await step(page);
    assert.deepEqual(await state(), [true, false, true], 'held, pressed only in its first step');
    await page.keyboard.down('ArrowRight');  // an auto-repeated keydown
    await page.evaluate(() => keyboard_clear(vk_right));
    assert.deepEqual(await state(), [false, false, false]);
    await page.keyboard.down('ArrowRight');
    await page.keyboard.down('ArrowRight');
    // A key event the page has surely seen after the repeats.
    await page.keyboard.down('KeyA');
    await page.waitForFunction(() => keyboard_check(vk_a));
    await page.keyboard.up('KeyA');
    await page.waitForFunction(() => !keyboard_check(vk_a));
    assert.deepEqual(await state(), [false, false, false], 'repeats do not bring the cleared key back');
    await step(page);
    await page.keyboard.up('ArrowRight');
    await page.keyboard.down('ArrowRight');
    await page.waitForFunction(() => keyboard_check(vk_right));
    assert.deepEqual(await state(), [true, true, true], 'a real press counts again');
    await page.keyboard.up('ArrowRight');
  });
});

// The red channel of the canvas at (x, y) after drawing a frame.
const redAt = (page, points) => page.evaluate((points) => {
  __vr.draw();
  return points.map(([x, y]) => __vr.ctx.getImageData(x, y, 1, 1).data[0]);
}, points);

test('draw_self in a Draw event draws the sprite once, with its alpha', async () => {
  await play({
    sprites: { spr_white: { w: 20, h: 20, rgba: [255, 255, 255, 255] } },
    objects: [
      { name: 'obj_once', sprite: 'spr_white', events: { Draw: 'image_alpha = 0.5;\ndraw_self();\ndraw_self();' } },
      { name: 'obj_moved', sprite: 'spr_white', events: { Step: 'draw_self();', Draw: 'image_alpha = 0.5;\nx += 40;\ndraw_self();\nx -= 40;' } },
    ],
    scenes: [{ name: 'room1', instances: [['obj_once', 10, 10], ['obj_moved', 100, 10]] }],
  }, async (page) => {
    const [once, moved, elsewhere] = await redAt(page, [[20, 20], [110, 20], [150, 20]]);
    assert.ok(Math.abs(once - 128) <= 2, 'drawn once at half alpha: ' + once);
    assert.ok(Math.abs(moved - 128) <= 2, 'the handler\'s own drawing stays: ' + moved);
    assert.equal(elsewhere, 0, 'draw_self draws nothing more in the same Draw event');
    await step(page);
    assert.deepEqual(await page.evaluate(() => __vr.errors), []);
  });
});

test('draw_rectangle covers x1..x2 and y1..y2, filled or outlined', async () => {
  await play({
    objects: [{ name: 'obj_r', events: { Draw: 'draw_set_color(c_white);\n' +
      'draw_rectangle(100, 100, 109, 109, false);\ndraw_rectangle(200, 100, 209, 109, true);\n' +
      'draw_rectangle(309, 109, 300, 100, false);' } }],
    scenes: [{ name: 'room1', instances: [['obj_r', 0, 0]] }],
  }, async (page) => {
    const box = await page.evaluate(() => {
      __vr.draw();
      const bounds = (x0) => {
        const d = __vr.ctx.getImageData(x0 - 5, 95, 20, 20).data;
        let l = 99, r = -1, t = 99, b = -1, lit = 0;
        for (let y = 0; y < 20; y++) {
          for (let x = 0; x < 20; x++) {
            if (d[(y * 20 + x) * 4] < 128) continue;
            lit++;
            l = Math.min(l, x); r = Math.max(r, x); t = Math.min(t, y); b = Math.max(b, y);
          }
        }
        return [l + x0 - 5, t + 95, r + x0 - 5, b + 95, lit];
      };
      return [bounds(100), bounds(200), bounds(300)];
    });
    assert.deepEqual(box[0], [100, 100, 109, 109, 100]);
    assert.deepEqual(box[1], [200, 100, 209, 109, 36]);
    assert.deepEqual(box[2], [300, 100, 309, 109, 100], 'corners given in either order');
  });
});

test('variables first given a value in any event belong to each instance; global variables stay global', async () => {
  await play({
    sprites: { spr: { w: 16, h: 16 } },
    variables: 'var total = 0;',
    objects: [
      { name: 'obj_base', events: { 'End step': 'if (laps === undefined) laps = 0;\nlaps += 1;' } },
      { name: 'obj_v', sprite: 'spr', parent: 'obj_base', events: {
        Step: 'if (mine === undefined) mine = id;\ntotal += 1;',
        Draw: 'drawn_at = x;',
        'Collision obj_v': 'touched = other.id;',
      } },
    ],
    scenes: [{ name: 'room1', instances: [['obj_v', 100, 100], ['obj_v', 110, 100]] }],
  }, async (page) => {
    await step(page);
    await page.evaluate(() => __vr.draw());
    const r = await page.evaluate(() => {
      const a = instance_find(obj_v, 0), b = instance_find(obj_v, 1);
      return { a: [a.id, a.mine, a.laps, a.drawn_at, a.touched], b: [b.id, b.mine, b.laps, b.drawn_at, b.touched],
        total, shared: ['mine', 'laps', 'drawn_at', 'touched'].filter((n) => Object.prototype.hasOwnProperty.call(window, n)) };
    });
    assert.deepEqual(r.a, [r.a[0], r.a[0], 1, 100, r.b[0]]);
    assert.deepEqual(r.b, [r.b[0], r.b[0], 1, 110, r.a[0]]);
    assert.equal(r.total, 2, 'the global variable is shared');
    assert.deepEqual(r.shared, [], 'no page-wide variable was made');
  });
});

test('alarms count down the steps; alarm_fired is true in the step an alarm reaches 0', async () => {
  await play({
    variables: 'var fires = [];',
    objects: [{ name: 'obj_t', events: {
      Creation: 'alarm_set(0, 3);\nalarm_set(11, 1);',
      Step: 'for (var n = 0; n < 12; n++) if (alarm_fired(n)) fires.push([id, n, alarm_get(n)]);\n' +
            'if (alarm_fired(0)) alarm_set(0, 2);',
    } }],
    scenes: [{ name: 'room1', instances: [['obj_t', 0, 0]] }],
  }, async (page) => {
    const state = () => page.evaluate(() => {
      const o = instance_find(obj_t, 0);
      return { a0: o.alarm_get(0), a11: o.alarm_get(11), fires: fires.map((f) => [f[1], f[2]]) };
    });
    assert.deepEqual(await state(), { a0: 3, a11: 1, fires: [] });
    await step(page);
    assert.deepEqual(await state(), { a0: 2, a11: -1, fires: [[11, -1]] });
    await step(page);
    assert.deepEqual(await state(), { a0: 1, a11: -1, fires: [[11, -1]] });
    await step(page);
    assert.deepEqual(await state(), { a0: 2, a11: -1, fires: [[11, -1], [0, -1]] }, 'fired after 3 steps, then set again');
    await step(page, 2);
    assert.equal((await state()).fires.length, 3);
    const other = await page.evaluate(() => {
      const o = instance_find(obj_t, 0), p = instance_create(0, 0, obj_t);
      p.alarm_set(5, 1);
      p.alarm_set(0, 0);
      p.alarm_set(12, 4);
      p.alarm_set(-1, 4);
      __vr.step();
      return { own: [p.alarm_get(0), p.alarm_get(5), p.alarm_get(11), p.alarm_get(12)],
        fired: fires.filter((f) => f[0] === p.id).map((f) => f[1]), first: o.alarm_get(0) };
    });
    assert.deepEqual(other.own, [-1, -1, -1, -1], 'set to 0 an alarm is off; there are alarms 0 to 11 only');
    assert.deepEqual(other.fired, [5, 11]);
    assert.equal(other.first, 1, 'each instance has its own alarms');
  });
});

test('the first frame waits for the pictures it shows only; the others load behind it', async () => {
  // The answers for some pictures wait until the test lets them go.
  const routes = {};
  const request = (file) => {
    if (!routes[file]) {
      let resolve;
      routes[file] = { promise: new Promise((r) => { resolve = r; }) };
      routes[file].resolve = resolve;
    }
    return routes[file];
  };
  const opened = await openSmallGame(browser, {
    sprites: { spr_shown: { w: 16, h: 16, rgba: [255, 255, 255, 255] }, spr_hud: { w: 8, h: 8, rgba: [0, 255, 0, 255] },
      spr_later: { w: 16, h: 16, frames: 2 } },
    objects: [
      { name: 'obj_a', sprite: 'spr_shown' },
      { name: 'obj_hud', events: { Draw: 'draw_sprite(spr_hud, 0, 100, 10);' } },
      { name: 'obj_b', sprite: 'spr_later' },
    ],
    scenes: [{ name: 'room1', instances: [['obj_a', 10, 10], ['obj_hud', 0, 0]] }],
  }, async (url) => {
    const page = await browser.context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    await page.addInitScript(() => { window.__vr_manual = true; });
    await page.route(/spr_(hud|later)_\d\.png$/, (route) => request(route.request().url().split('/').pop()).resolve(route));
    // The page's load event waits for the pictures held back.
    await page.goto(url, { waitUntil: 'commit' });
    return { page, errors };
  });
  const page = opened.page;
  try {
    // The page is only committed: its script may not have run yet.
    await page.waitForFunction(() => typeof spr_shown !== 'undefined' && spr_shown.images[0].__vr_done);
    assert.equal(await page.evaluate(() => room === room1 && instance_number(obj_a)), 1, 'the scene has started');
    assert.equal(await page.evaluate(() => __vr.frames), 0, 'a picture the Draw event names is waited for');
    await (await request('spr_hud_0.png').promise).continue();
    await page.waitForFunction(() => __vr.frames > 0);
    assert.deepEqual(await page.evaluate(() => [spr_later.images[0].__vr_done, spr_later.images[1].__vr_done]), [false, false]);
    const px = await page.evaluate(() => [__vr.ctx.getImageData(12, 12, 1, 1).data[0], __vr.ctx.getImageData(102, 12, 1, 1).data[1]]);
    assert.deepEqual(px, [255, 255], 'the first frame shows both pictures');
    for (const f of ['spr_later_0.png', 'spr_later_1.png']) await (await request(f).promise).continue();
    await page.waitForFunction(() => __vr.pending === 0);
    assert.equal(await page.evaluate(() => spr_later.images[1].__vr_ok), true);
    assert.deepEqual(opened.errors, []);
  } finally {
    await opened.close();
  }
});

test('a picture whose file name holds a blank, #, ? or % loads', async () => {
  await play({
    backgrounds: { bg: [8, 8, [0, 0, 255, 255], 'a #1?%.png'] },
    scenes: [{ name: 'room1', background: 'bg' }],
  }, async (page) => {
    assert.deepEqual(await page.evaluate(() => [bg.image.__vr_ok, bg.image.naturalWidth]), [true, 8]);
  });
});
