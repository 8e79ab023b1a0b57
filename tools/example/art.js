// The example game's pictures, drawn in code.
'use strict';
const { Picture, hex, rng } = require('./raster.js');

const OUTLINE = hex('#2a1f1a');

function player(frame) {
  const p = new Picture(32, 32);
  const bob = frame % 2;           // body lifts on the stepping frames
  const stride = [0, 2, 0, -2][frame];
  // feet
  p.ellipse(12 - stride, 28, 4, 2.5, hex('#7a4a2a'));
  p.ellipse(20 + stride, 28, 4, 2.5, hex('#7a4a2a'));
  // body
  p.ellipse(16, 17 - bob, 10.5, 10, hex('#f4c542'));
  p.ellipse(18, 19 - bob, 8, 7.5, hex('#e8b030'));
  p.ellipse(14, 15 - bob, 7, 6.5, hex('#f7d25e'));
  p.ellipse(12, 11 - bob, 2.5, 1.5, hex('#fff3c4'));
  // scarf with its tail blowing back
  p.rect(7, 21 - bob, 18, 3, hex('#d94040'));
  p.rect(4, 22 - bob + (frame % 2), 4, 2, hex('#d94040'));
  p.rect(8, 21 - bob, 16, 1, hex('#f06a6a'));
  // eyes looking right
  for (const ex of [17, 22]) {
    p.ellipse(ex, 14 - bob, 2, 2.8, hex('#ffffff'));
    p.rect(ex, 13 - bob, 1.6, 3, hex('#2b2b2b'));
  }
  // hat leaf
  p.poly([[13, 8 - bob], [19, 2 - bob], [21, 7 - bob]], hex('#4caf50'));
  p.line(14, 7 - bob, 19, 3 - bob, hex('#2e7d32'));
  p.outline(OUTLINE);
  return p;
}

function slime(frame) {
  const p = new Picture(32, 32);
  const shapes = [[12, 9], [13.5, 7.5], [12, 9], [10.5, 10.5]];
  const [rx, ry] = shapes[frame];
  const base = 28;
  p.ellipse(16, base + 1, rx + 1, 2, [0, 0, 0, 70]);
  p.ellipse(16, base - ry + 1, rx, ry, hex('#d94a5a'));
  p.rect(16 - rx + 1, base - 2, rx * 2 - 2, 2, hex('#d94a5a'));
  p.ellipse(17, base - ry + 3, rx - 2, ry - 2.5, hex('#c23a4b'));
  p.ellipse(12, base - ry * 1.5 + 2, 3, 2, hex('#f58a95'));
  p.set(11, base - ry * 1.5 + 1, hex('#ffd0d5'));
  for (const ex of [13, 20]) {
    p.ellipse(ex, base - ry + 1, 2.2, 2.6, hex('#ffffff'));
    p.rect(ex, base - ry, 1.5, 2.5, hex('#2b1216'));
  }
  p.outline(hex('#3a1418'));
  return p;
}

function beetle(frame) {
  const p = new Picture(32, 32);
  const leg = frame % 2 ? 1 : -1;
  const legc = hex('#2d1b3d');
  for (const [y, s] of [[12, 1], [17, -1], [22, 1]]) {
    p.line(9, y, 5, y + leg * s * 2, legc);
    p.line(23, y, 27, y - leg * s * 2, legc);
  }
  p.ellipse(16, 7, 4.5, 3.5, hex('#3b2450'));           // head, facing up
  p.line(14, 4, 12, 1, legc);
  p.line(18, 4, 20, 1, legc);
  p.ellipse(16, 18, 8.5, 10, hex('#7d4bbf'));
  p.ellipse(14, 15, 4, 5, hex('#9d6fdb'));
  p.line(16, 9, 16, 27, hex('#4e2b7a'));
  p.set(13, 13, hex('#e0cff7'));
  p.set(12, 14, hex('#e0cff7'));
  p.outline(hex('#1b1026'));
  return p;
}

function gem(frame) {
  const p = new Picture(32, 32);
  const dy = [0, -1, -1, 0, 1, 1][frame];
  const pts = (a) => a.map(([x, y]) => [x, y + dy]);
  p.ellipse(16, 27, 6, 1.5, [0, 0, 0, 60]);
  p.poly(pts([[16, 5], [26, 14], [16, 25], [6, 14]]), hex('#2bb5cf'));
  p.poly(pts([[16, 5], [26, 14], [16, 14]]), hex('#7de6f2'));
  p.poly(pts([[6, 14], [16, 14], [16, 25]]), hex('#1b86a8'));
  p.poly(pts([[16, 5], [16, 14], [6, 14]]), hex('#b5f4fa'));
  // a glint that runs across the stone
  const gx = 8 + frame * 3;
  if (frame < 5) p.line(gx, 14 + dy - 2, gx + 2, 14 + dy - 4, hex('#ffffff'));
  if (frame === 2) { p.set(24, 7 + dy, hex('#ffffff')); p.set(24, 5 + dy, hex('#ffffff')); p.set(23, 6 + dy, hex('#ffffff')); p.set(25, 6 + dy, hex('#ffffff')); }
  p.outline(hex('#0d3b4a'));
  return p;
}

function sparkle(frame) {
  const p = new Picture(32, 32);
  const r = 3 + frame * 3, a = 255 - frame * 45;
  for (let k = 0; k < 8; k++) {
    const ang = k * Math.PI / 4 + frame * 0.2;
    const x = 16 + Math.cos(ang) * r, y = 16 + Math.sin(ang) * r;
    p.rect(Math.round(x) - 1, Math.round(y), 3, 1, [255, 245, 170, a]);
    p.rect(Math.round(x), Math.round(y) - 1, 1, 3, [255, 245, 170, a]);
    p.set(x, y, [255, 255, 255, a]);
  }
  if (frame < 2) p.circle(16, 16, 4 - frame * 2, [255, 255, 255, 220]);
  return p;
}

function wall() {
  const p = new Picture(32, 32);
  const rand = rng(7);
  p.rect(0, 0, 32, 32, hex('#5f646c'));
  const rows = [[0, 0, 15], [0, 16, 15]];
  for (let r = 0; r < 2; r++) {
    const y0 = r * 16, off = r ? 8 : 0;
    for (let bx = -off; bx < 32; bx += 16) {
      const x0 = Math.max(0, bx + 1), x1 = Math.min(32, bx + 16);
      p.rect(x0, y0 + 1, x1 - x0, 14, hex('#8d939c'));
      p.rect(x0, y0 + 1, x1 - x0, 2, hex('#b3b8bf'));
      p.rect(x0, y0 + 13, x1 - x0, 2, hex('#767b84'));
      for (let k = 0; k < 4; k++) p.set(x0 + Math.floor(rand() * (x1 - x0)), y0 + 4 + Math.floor(rand() * 8), hex('#7a8089'));
    }
  }
  void rows;
  return p;
}

function heart() {
  const p = new Picture(16, 16);
  p.circle(5, 6, 3.6, hex('#e04848'));
  p.circle(11, 6, 3.6, hex('#e04848'));
  p.poly([[1.5, 7], [14.5, 7], [8, 14]], hex('#e04848'));
  p.rect(4, 4, 2, 2, hex('#ff9b9b'));
  p.outline(hex('#4a1010'));
  return p;
}

function grass() {
  const p = new Picture(64, 64);
  const rand = rng(11);
  p.rect(0, 0, 64, 64, hex('#5da64c'));
  for (let k = 0; k < 140; k++) {
    const x = Math.floor(rand() * 64), y = Math.floor(rand() * 64);
    const c = rand() < 0.5 ? hex('#4f9440') : hex('#6fb85a');
    p.set(x, y, c);
    p.set(x, (y + 1) % 64, c);
  }
  return p;
}

function tileSet() {
  const p = new Picture(128, 128);
  const rand = rng(23);
  // (0,0) path, (32,0) path with stones
  for (const ox of [0, 32]) {
    p.rect(ox, 0, 32, 32, hex('#c9a46c'));
    for (let k = 0; k < 30; k++) p.set(ox + Math.floor(rand() * 32), Math.floor(rand() * 32), rand() < 0.5 ? hex('#b38d58') : hex('#d9b883'));
  }
  for (const [x, y] of [[38, 6], [52, 20], [44, 25], [56, 8]]) {
    p.ellipse(x, y, 2.5, 2, hex('#8f8a80'));
    p.set(x - 1, y - 1, hex('#c4beb3'));
  }
  // (64,0) flowers on transparent ground
  const petals = [hex('#ff6b8b'), hex('#ffd84d'), hex('#ffffff'), hex('#8fb3ff')];
  for (let k = 0; k < 7; k++) {
    const x = 64 + 4 + Math.floor(rand() * 24), y = 4 + Math.floor(rand() * 24), c = petals[k % 4];
    p.set(x, y + 2, hex('#3f7f33'));
    p.set(x - 1, y, c); p.set(x + 1, y, c); p.set(x, y - 1, c); p.set(x, y + 1, c);
    p.set(x, y, hex('#ffcf33'));
  }
  // (96,0) tuft of tall grass
  for (let k = 0; k < 9; k++) {
    const x = 100 + k * 3, h = 8 + Math.floor(rand() * 10);
    p.line(x, 28, x + (k % 3) - 1, 28 - h, k % 2 ? hex('#3f8a35') : hex('#77c25e'));
  }
  // (0,32) bush, drawn over whatever walks beneath it
  const bush = (ox, oy) => {
    p.circle(ox + 16, oy + 17, 14, hex('#2f6b35'));
    p.circle(ox + 10, oy + 12, 8, hex('#3f8a45'));
    p.circle(ox + 21, oy + 14, 8, hex('#3f8a45'));
    p.circle(ox + 15, oy + 22, 8, hex('#3a8040'));
    for (let k = 0; k < 10; k++) p.set(ox + 6 + Math.floor(rand() * 20), oy + 6 + Math.floor(rand() * 20), hex('#5aa85e'));
  };
  bush(0, 32);
  // (32,32) rock
  p.ellipse(48, 52, 11, 8, hex('#7d8188'));
  p.ellipse(45, 49, 7, 4, hex('#a4a8ae'));
  p.ellipse(48, 58, 11, 2, [0, 0, 0, 50]);
  // (64,32) tree canopy, 64 x 64
  p.circle(96, 64, 31, hex('#24582b'));
  p.circle(84, 54, 16, hex('#2f6b35'));
  p.circle(108, 56, 16, hex('#2f6b35'));
  p.circle(96, 74, 17, hex('#2f6b35'));
  p.circle(86, 50, 9, hex('#3f8a45'));
  p.circle(104, 48, 8, hex('#3f8a45'));
  for (let k = 0; k < 40; k++) {
    const a = rand() * Math.PI * 2, r = rand() * 26;
    p.set(96 + Math.cos(a) * r, 64 + Math.sin(a) * r, hex('#5aa85e'));
  }
  // (0,64) stump, (32,64) small blue flowers
  p.ellipse(16, 80, 10, 7, hex('#7a4a2a'));
  p.ellipse(16, 78, 9, 5, hex('#c9975e'));
  p.ellipse(16, 78, 4, 2, hex('#a87844'));
  for (let k = 0; k < 6; k++) {
    const x = 36 + Math.floor(rand() * 24), y = 68 + Math.floor(rand() * 24);
    p.set(x, y, hex('#6fa8ff')); p.set(x + 1, y, hex('#6fa8ff')); p.set(x, y + 1, hex('#3f78d9'));
  }
  // (0,96) stone wall
  p.draw(wall(), 0, 96);
  return p;
}

function titleBackdrop() {
  const p = new Picture(320, 240);
  for (let y = 0; y < 240; y++) {
    const t = y / 240;
    const c = [Math.round(110 + 90 * t), Math.round(190 + 50 * t), 255, 255];
    p.rect(0, y, 320, 1, c);
  }
  p.circle(262, 46, 18, hex('#fff4b0'));
  p.circle(262, 46, 14, hex('#ffe066'));
  for (const [x, y, s] of [[50, 40, 1], [150, 28, 0.8], [210, 70, 0.7]]) {
    p.ellipse(x, y, 22 * s, 7 * s, hex('#ffffff'));
    p.ellipse(x - 8 * s, y - 4 * s, 10 * s, 7 * s, hex('#ffffff'));
    p.ellipse(x + 7 * s, y - 5 * s, 12 * s, 8 * s, hex('#ffffff'));
  }
  for (let x = 0; x < 320; x++) {
    const far = 150 + Math.round(14 * Math.sin(x / 37) + 8 * Math.sin(x / 13 + 1));
    p.rect(x, far, 1, 240 - far, hex('#7cbf6a'));
    const near = 180 + Math.round(10 * Math.sin(x / 29 + 2) + 5 * Math.sin(x / 11));
    p.rect(x, near, 1, 240 - near, hex('#5aa84b'));
    const ground = 206;
    p.rect(x, ground, 1, 240 - ground, hex('#4a9140'));
  }
  const rand = rng(5);
  for (let k = 0; k < 160; k++) p.set(Math.floor(rand() * 320), 206 + Math.floor(rand() * 34), hex('#3f8035'));
  return p;
}

module.exports = { player, slime, beetle, gem, sparkle, wall, heart, grass, tileSet, titleBackdrop };
