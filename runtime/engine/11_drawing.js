/* ---------------------------------------------------------------------
 * Drawing
 * ------------------------------------------------------------------- */

function __vr_resize_canvas(w, h) {
  var c = __vr.canvas;
  if (!c) return;
  if (c.width !== w) c.width = w;
  if (c.height !== h) c.height = h;
  // Resizing resets the context: pixel art stays sharp when scaled.
  __vr.ctx.imageSmoothingEnabled = false;
  __vr_fit_canvas();
}

// Scales the canvas to the window: by whole steps when it fits, so that
// pixel art stays sharp.
function __vr_fit_canvas() {
  var c = __vr.canvas;
  if (!c || !c.style || typeof window === 'undefined' || !window.innerWidth) return;
  var s = Math.min(window.innerWidth / c.width, (window.innerHeight - 18) / c.height);
  if (s >= 1) s = Math.floor(s);
  if (!(s > 0)) s = 1;
  c.style.width = Math.round(c.width * s) + 'px';
  c.style.height = Math.round(c.height * s) + 'px';
}

var __vr_css_cache = {};
function __vr_css(col) {
  var s = __vr_css_cache[col];
  if (s === undefined) {
    s = 'rgb(' + (col & 255) + ',' + ((col >> 8) & 255) + ',' + ((col >> 16) & 255) + ')';
    __vr_css_cache[col] = s;
  }
  return s;
}

function __vr_frame_image(spr, index) {
  var n = spr.number;
  if (n === 0) return null;
  var f = Math.floor(index) % n;
  if (f < 0) f += n;
  var img = spr.images[f];
  return (img && img.__vr_ok) ? img : null;
}

function __vr_draw_image(spr, index, x, y, xs, ys, angle, alpha) {
  var img = __vr_frame_image(spr, index);
  if (!img) return;
  var ctx = __vr.ctx;
  if (xs === 1 && ys === 1 && angle === 0 && alpha === 1) {
    ctx.drawImage(img, Math.round(x - spr.xoffset), Math.round(y - spr.yoffset));
    return;
  }
  if (alpha <= 0) return;
  // Positive angles turn counter-clockwise, as in the scene editor.
  var r = -angle * Math.PI / 180, c = Math.cos(r), s = Math.sin(r);
  ctx.globalAlpha = alpha < 1 ? alpha : 1;
  ctx.setTransform(c * xs, s * xs, -s * ys, c * ys, x - __vr.vx, y - __vr.vy);
  ctx.drawImage(img, -spr.xoffset, -spr.yoffset);
  ctx.setTransform(1, 0, 0, 1, -__vr.vx, -__vr.vy);
  ctx.globalAlpha = 1;
}

// Draws the instance's sprite at its place with its frame, scale, angle and
// alpha. The generated Draw events call it before their own code.
function __handle_sprite__(o) {
  __vr.drawn = o;
  var spr = o && o.sprite_index;
  if (!spr || !spr.__vr_sprite || !__vr.ctx) return;
  __vr_draw_image(spr, o.image_index, o.x, o.y, o.image_xscale, o.image_yscale, o.image_angle, o.image_alpha);
}

function __vr_by_depth(a, b) { return b.depth - a.depth; }

// Instances and tile layers together, deepest first; equal depths keep
// instances before tiles and creation order, as the scene editor shows them.
function __vr_draw_order() {
  var order = __vr.order, i;
  if (!__vr.order_dirty) {
    for (i = 1; i < order.length; i++) {
      if (order[i - 1].depth < order[i].depth) { __vr.order_dirty = true; break; }
    }
  }
  if (__vr.order_dirty) {
    order = __vr.instances.concat(__vr.layers);
    order.sort(__vr_by_depth);
    __vr.order = order;
    __vr.order_dirty = false;
  }
  return order;
}

function __vr_draw_background(ctx) {
  var bg = __vr.bg;
  if (!bg || !bg.image.__vr_ok) return;
  var img = bg.image, w = img.naturalWidth, h = img.naturalHeight;
  if (bg.stretch) { ctx.drawImage(img, 0, 0, room_width, room_height); return; }
  if (!bg.tilex && !bg.tiley) { ctx.drawImage(img, 0, 0); return; }
  var x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (bg.tilex) {
    x0 = Math.max(0, Math.floor(__vr.vx / w) * w);
    x1 = Math.min(room_width, __vr.vx + view_wview);
  }
  if (bg.tiley) {
    y0 = Math.max(0, Math.floor(__vr.vy / h) * h);
    y1 = Math.min(room_height, __vr.vy + view_hview);
  }
  for (var y = y0; y <= y1; y += h) {
    for (var x = x0; x <= x1; x += w) ctx.drawImage(img, x, y);
  }
}

function __vr_draw_layer(ctx, layer) {
  var t = layer.tiles, vx = __vr.vx, vy = __vr.vy, vr = vx + view_wview, vb = vy + view_hview;
  for (var i = 0; i < t.length; i += 7) {
    var img = t[i], w = t[i + 3], h = t[i + 4], x = t[i + 5], y = t[i + 6];
    if (!img || !img.__vr_ok || x >= vr || y >= vb || x + w <= vx || y + h <= vy) continue;
    ctx.drawImage(img, t[i + 1], t[i + 2], w, h, x, y, w, h);
  }
}

function __vr_draw() {
  var ctx = __vr.ctx;
  if (!ctx) return;
  var vx = Math.round(view_xview), vy = Math.round(view_yview);
  __vr.vx = vx;
  __vr.vy = vy;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalAlpha = 1;
  ctx.fillStyle = __vr_css(background_color);
  ctx.fillRect(0, 0, __vr.canvas.width, __vr.canvas.height);
  ctx.setTransform(1, 0, 0, 1, -vx, -vy);
  __vr_draw_background(ctx);
  var order = __vr_draw_order();
  try {
    for (var i = 0; i < order.length; i++) {
      var o = order[i];
      if (o.__vr_layer === true) { __vr_draw_layer(ctx, o); continue; }
      if (!o.__vr_alive) continue;
      var h = o.__vr_type.h.on_draw;
      if (h !== null) { __vr.self = o; __vr.drawn = null; h.call(o); continue; }
      if (o.visible != 1) continue;
      var spr = o.sprite_index;
      if (spr === null || spr === undefined || !spr.__vr_sprite) continue;
      if (o.image_xscale === 1 && o.image_yscale === 1 && o.image_angle === 0 && o.image_alpha === 1) {
        var img = __vr_frame_image(spr, o.image_index);
        if (img !== null) ctx.drawImage(img, Math.round(o.x - spr.xoffset), Math.round(o.y - spr.yoffset));
      } else {
        __vr_draw_image(spr, o.image_index, o.x, o.y, o.image_xscale, o.image_yscale, o.image_angle, o.image_alpha);
      }
    }
  } finally {
    __vr.self = null;
    __vr.drawn = null;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
  }
  __vr.frames++;
  if (__vr.first_frame_ms < 0 && typeof performance !== 'undefined') __vr.first_frame_ms = performance.now();
}

function __vr_fill_style() {
  var ctx = __vr.ctx;
  ctx.fillStyle = __vr.color_css;
  ctx.strokeStyle = __vr.color_css;
  ctx.globalAlpha = __vr.alpha;
  return ctx;
}

function draw_set_color(col) {
  __vr.color = col;
  __vr.color_css = __vr_css(col);
}

function draw_get_color() { return __vr.color; }

function draw_set_alpha(a) { __vr.alpha = a < 0 ? 0 : (a > 1 ? 1 : a); }

function draw_get_alpha() { return __vr.alpha; }

function draw_set_font(fnt) { __vr.font = (fnt && fnt.__vr_font) ? fnt : null; }

function draw_set_halign(a) { __vr.halign = a; }

function draw_set_valign(a) { __vr.valign = a; }

function make_color_rgb(r, g, b) {
  return (clamp(Math.round(r), 0, 255)) + 256 * clamp(Math.round(g), 0, 255) +
      65536 * clamp(Math.round(b), 0, 255);
}

function color_get_red(col) { return col & 255; }
function color_get_green(col) { return (col >> 8) & 255; }
function color_get_blue(col) { return (col >> 16) & 255; }

function draw_rectangle(x1, y1, x2, y2, outline) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  var l = Math.min(x1, x2), t = Math.min(y1, y2), w = Math.abs(x2 - x1), h = Math.abs(y2 - y1);
  // Both cover the pixels x1..x2 and y1..y2, the last ones included.
  if (outline) { ctx.lineWidth = 1; ctx.strokeRect(l + 0.5, t + 0.5, w, h); } else ctx.fillRect(l, t, w + 1, h + 1);
  ctx.globalAlpha = 1;
}

function draw_circle(x, y, r, outline) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  ctx.beginPath();
  ctx.arc(x, y, Math.abs(r), 0, 2 * Math.PI);
  if (outline) { ctx.lineWidth = 1; ctx.stroke(); } else ctx.fill();
  ctx.globalAlpha = 1;
}

function draw_line(x1, y1, x2, y2, width) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  ctx.lineWidth = width > 0 ? width : 1;
  ctx.beginPath();
  ctx.moveTo(x1, y1);
  ctx.lineTo(x2, y2);
  ctx.stroke();
  ctx.globalAlpha = 1;
}

function draw_point(x, y) {
  if (!__vr.ctx) return;
  __vr_fill_style().fillRect(Math.floor(x), Math.floor(y), 1, 1);
  __vr.ctx.globalAlpha = 1;
}

function __vr_font_css() { return __vr.font ? __vr.font.css : '12pt sans-serif'; }
function __vr_line_height() { return __vr.font ? __vr.font.line : 20; }

function draw_text(x, y, text) {
  if (!__vr.ctx) return;
  var ctx = __vr_fill_style();
  var lines = String(text).split('\n'), lh = __vr_line_height();
  ctx.font = __vr_font_css();
  ctx.textAlign = __vr.halign === fa_center ? 'center' : (__vr.halign === fa_right ? 'right' : 'left');
  ctx.textBaseline = 'top';
  var top = y;
  if (__vr.valign === fa_middle) top = y - lines.length * lh / 2;
  else if (__vr.valign === fa_bottom) top = y - lines.length * lh;
  for (var i = 0; i < lines.length; i++) ctx.fillText(lines[i], x, top + i * lh);
  ctx.globalAlpha = 1;
}

function string_width(text) {
  if (!__vr.ctx) return 0;
  __vr.ctx.font = __vr_font_css();
  var lines = String(text).split('\n'), w = 0;
  for (var i = 0; i < lines.length; i++) w = Math.max(w, __vr.ctx.measureText(lines[i]).width);
  return w;
}

function string_height(text) {
  return String(text).split('\n').length * __vr_line_height();
}

function draw_sprite(spr, subimg, x, y) {
  if (spr && spr.__vr_sprite && __vr.ctx) __vr_draw_image(spr, subimg, x, y, 1, 1, 0, 1);
}

function draw_sprite_ext(spr, subimg, x, y, xscale, yscale, angle, alpha) {
  if (spr && spr.__vr_sprite && __vr.ctx) {
    __vr_draw_image(spr, subimg, x, y, xscale, yscale, angle || 0, alpha === undefined ? 1 : alpha);
  }
}

function draw_background(bg, x, y) {
  if (bg && bg.__vr_background && bg.image.__vr_ok && __vr.ctx) __vr.ctx.drawImage(bg.image, x, y);
}

function sprite_get_width(spr) { return spr && spr.__vr_sprite ? spr.width : 0; }
function sprite_get_height(spr) { return spr && spr.__vr_sprite ? spr.height : 0; }
function sprite_get_number(spr) { return spr && spr.__vr_sprite ? spr.number : 0; }

