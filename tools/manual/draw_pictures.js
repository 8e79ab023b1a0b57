// Draws the manual's pictures of what the drawing functions produce: each
// sample's code runs in the real engine (a small game built by vorlane-build,
// opened in headless Chromium) and the canvas is saved as a PNG.
// Usage: node tools/manual/draw_pictures.js OUTPUT-FOLDER
// (VORLANE_BUILD names vorlane-build when it is not in build/src/).
'use strict';
const fs = require('fs');
const path = require('path');
const engine = path.join(__dirname, '../../tests/engine/support');
const { serve, launch, openGame } = require(path.join(engine, 'browser.js'));
const { buildProject, removeFolder } = require(path.join(engine, 'program.js'));
const { projectOf } = require(path.join(engine, 'small_game.js'));

// The small game built into a scratch program folder, served and opened,
// waiting after its first frame.
async function openSmallGame(browser, plan) {
  const { dir } = buildProject('pictures', projectOf(plan));
  const site = await serve(path.join(dir, 'Projects', 'pictures'));
  const { page, errors } = await openGame(browser, site.url + 'index.html', { manual: true });
  return { page, errors, async close() { await page.close(); await site.close(); removeFolder(dir); } };
}

const W = 200, H = 110;

// The samples: file name and the code the manual shows beside the picture.
const SAMPLES = [
  ['draw-rectangle', 'draw_set_color(c_orange);\ndraw_rectangle(20, 20, 90, 90, false);\n' +
    'draw_set_color(c_navy);\ndraw_rectangle(110, 20, 180, 90, true);'],
  ['draw-circle', 'draw_set_color(c_teal);\ndraw_circle(55, 55, 35, false);\n' +
    'draw_set_color(c_maroon);\ndraw_circle(145, 55, 35, true);'],
  ['draw-line', 'draw_set_color(c_purple);\ndraw_line(20, 90, 90, 20, 1);\n' +
    'draw_line(110, 90, 180, 20, 6);'],
  ['draw-text', 'draw_set_color(c_black);\ndraw_set_font(fnt_big);\ndraw_set_halign(fa_center);\n' +
    'draw_text(100, 30, "Score: 120");\ndraw_set_halign(fa_left);'],
  ['draw-sprite-ext', 'draw_sprite(spr_box, 0, 30, 55);\n' +
    'draw_sprite_ext(spr_box, 0, 100, 55, 1.5, 1.5, 30, 1);\ndraw_sprite_ext(spr_box, 0, 165, 55, 1, 1, 0, 0.4);'],
  ['draw-set-alpha', 'draw_set_color(c_red);\ndraw_rectangle(30, 20, 110, 80, false);\n' +
    'draw_set_alpha(0.5);\ndraw_set_color(c_blue);\ndraw_rectangle(80, 40, 170, 100, false);\ndraw_set_alpha(1);'],
];

async function main() {
  const out = process.argv[2];
  if (!out) throw new Error('usage: node tools/manual/draw_pictures.js OUTPUT-FOLDER');
  fs.mkdirSync(out, { recursive: true });
  const browser = await launch();
  const game = await openSmallGame(browser, {
    sprites: { spr_box: { w: 32, h: 32, cx: 16, cy: 16, rgba: [230, 160, 40, 255] } },
    fonts: { fnt_big: { family: 'Arial', size: 20, bold: 1, italic: 0 } },
    objects: [{ name: 'obj_none' }],
    scenes: [{ name: 'room1', width: W, height: H }],
  });
  try {
    for (const [name, code] of SAMPLES) {
      // The canvas's own pixels, whatever size the page shows it at.
      const url = await game.page.evaluate(([code, w, h]) => {
        __vr.ctx.fillStyle = '#ffffff';
        __vr.ctx.fillRect(0, 0, w, h);
        (0, eval)(code);
        const crop = document.createElement('canvas');
        crop.width = w;
        crop.height = h;
        crop.getContext('2d').drawImage(__vr.canvas, 0, 0, w, h, 0, 0, w, h);
        return crop.toDataURL('image/png');
      }, [code, W, H]);
      fs.writeFileSync(path.join(out, name + '.png'), Buffer.from(url.split(',')[1], 'base64'));
    }
    if (game.errors.length) throw new Error(game.errors.join('\n'));
  } finally {
    await game.close();
    await browser.close();
  }
  console.log(SAMPLES.length + ' drawing pictures written to ' + out);
}

module.exports = { SAMPLES };
if (require.main === module) main().catch((e) => { console.error(e); process.exit(1); });
