// A small RGBA picture with the drawing operations the example's pixel art
// needs. Deterministic: the same script always makes the same bytes.
'use strict';
const { encodePng } = require('./png.js');

function hex(c, a) {
  const v = parseInt(c.replace('#', ''), 16);
  return [(v >> 16) & 255, (v >> 8) & 255, v & 255, a === undefined ? 255 : a];
}

// Seeded pseudo-random numbers (mulberry32).
function rng(seed) {
  let s = seed >>> 0;
  return () => {
    s = (s + 0x6d2b79f5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

class Picture {
  constructor(w, h) {
    this.w = w;
    this.h = h;
    this.px = new Uint8Array(w * h * 4);
  }
  get(x, y) {
    if (x < 0 || y < 0 || x >= this.w || y >= this.h) return [0, 0, 0, 0];
    const i = (y * this.w + x) * 4;
    return Array.from(this.px.subarray(i, i + 4));
  }
  // Paints colour c over the pixel with c's alpha.
  set(x, y, c) {
    x = Math.round(x); y = Math.round(y);
    if (x < 0 || y < 0 || x >= this.w || y >= this.h) return;
    const i = (y * this.w + x) * 4, a = c[3] / 255;
    if (a >= 1 || this.px[i + 3] === 0) { this.px.set(c, i); return; }
    const da = this.px[i + 3] / 255, oa = a + da * (1 - a);
    for (let k = 0; k < 3; k++) this.px[i + k] = Math.round((c[k] * a + this.px[i + k] * da * (1 - a)) / oa);
    this.px[i + 3] = Math.round(oa * 255);
  }
  rect(x, y, w, h, c) {
    for (let j = y; j < y + h; j++) for (let i = x; i < x + w; i++) this.set(i, j, c);
  }
  ellipse(cx, cy, rx, ry, c) {
    for (let j = Math.floor(cy - ry); j <= Math.ceil(cy + ry); j++) {
      for (let i = Math.floor(cx - rx); i <= Math.ceil(cx + rx); i++) {
        const dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
        if (dx * dx + dy * dy <= 1) this.set(i, j, c);
      }
    }
  }
  circle(cx, cy, r, c) { this.ellipse(cx, cy, r, r, c); }
  line(x0, y0, x1, y1, c) {
    const n = Math.max(Math.abs(x1 - x0), Math.abs(y1 - y0), 1);
    for (let k = 0; k <= n; k++) this.set(x0 + (x1 - x0) * k / n, y0 + (y1 - y0) * k / n, c);
  }
  poly(points, c) {
    let minY = Infinity, maxY = -Infinity;
    for (const [, y] of points) { minY = Math.min(minY, y); maxY = Math.max(maxY, y); }
    for (let y = Math.floor(minY); y <= Math.ceil(maxY); y++) {
      const xs = [];
      for (let k = 0; k < points.length; k++) {
        const [ax, ay] = points[k], [bx, by] = points[(k + 1) % points.length];
        const yy = y + 0.5;
        if ((ay <= yy && by > yy) || (by <= yy && ay > yy)) xs.push(ax + (yy - ay) * (bx - ax) / (by - ay));
      }
      xs.sort((a, b) => a - b);
      for (let k = 0; k + 1 < xs.length; k += 2) {
        for (let x = Math.round(xs[k]); x < Math.round(xs[k + 1]); x++) this.set(x, y, c);
      }
    }
  }
  // A one-pixel outline in colour c around every opaque pixel.
  outline(c) {
    const copy = new Uint8Array(this.px);
    const opaque = (x, y) => x >= 0 && y >= 0 && x < this.w && y < this.h && copy[(y * this.w + x) * 4 + 3] > 40;
    for (let y = 0; y < this.h; y++) {
      for (let x = 0; x < this.w; x++) {
        if (opaque(x, y)) continue;
        if (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1)) {
          this.px.set(c, (y * this.w + x) * 4);
        }
      }
    }
  }
  // Copies picture p onto this one at (x, y), alpha-blended.
  draw(p, x, y) {
    for (let j = 0; j < p.h; j++) for (let i = 0; i < p.w; i++) {
      const c = p.get(i, j);
      if (c[3] > 0) this.set(x + i, y + j, c);
    }
  }
  mirrored() {
    const m = new Picture(this.w, this.h);
    for (let j = 0; j < this.h; j++) for (let i = 0; i < this.w; i++) m.px.set(this.get(i, j), (j * this.w + this.w - 1 - i) * 4);
    return m;
  }
  png() { return encodePng(this.w, this.h, this.px); }
}

module.exports = { Picture, hex, rng };
