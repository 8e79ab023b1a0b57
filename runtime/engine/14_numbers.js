/* ---------------------------------------------------------------------
 * Numbers, text and time
 * ------------------------------------------------------------------- */

function random(n) { return Math.random() * n; }
function random_range(a, b) { return a + Math.random() * (b - a); }
function irandom(n) { return Math.floor(Math.random() * (Math.floor(n) + 1)); }
function irandom_range(a, b) {
  a = Math.ceil(a); b = Math.floor(b);
  return a + Math.floor(Math.random() * (b - a + 1));
}
function choose() { return arguments[Math.floor(Math.random() * arguments.length)]; }
function abs(v) { return Math.abs(v); }
function sign(v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
function round(v) { return Math.round(v); }
function floor(v) { return Math.floor(v); }
function ceil(v) { return Math.ceil(v); }
function frac(v) { return v - Math.trunc(v); }
function sqr(v) { return v * v; }
function sqrt(v) { return Math.sqrt(v); }
function power(v, e) { return Math.pow(v, e); }
function min() { return Math.min.apply(Math, arguments); }
function max() { return Math.max.apply(Math, arguments); }
function clamp(v, lo, hi) { return v < lo ? lo : (v > hi ? hi : v); }
function lerp(a, b, t) { return a + (b - a) * t; }
function degtorad(d) { return d * Math.PI / 180; }
function radtodeg(r) { return r * 180 / Math.PI; }
function dsin(d) { return Math.sin(d * Math.PI / 180); }
function dcos(d) { return Math.cos(d * Math.PI / 180); }

function point_distance(x1, y1, x2, y2) {
  var dx = x2 - x1, dy = y2 - y1;
  return Math.sqrt(dx * dx + dy * dy);
}

// Degrees counter-clockwise from the right, as screen y grows downwards.
function point_direction(x1, y1, x2, y2) {
  var d = Math.atan2(y1 - y2, x2 - x1) * 180 / Math.PI;
  return d < 0 ? d + 360 : d;
}

function lengthdir_x(len, dir) { return len * Math.cos(dir * Math.PI / 180); }
function lengthdir_y(len, dir) { return -len * Math.sin(dir * Math.PI / 180); }

// The turn from angle a to angle b, between -180 and 180 degrees.
function angle_difference(a, b) {
  var d = ((b - a) % 360 + 540) % 360 - 180;
  return d;
}

function string(v) { return String(v); }
function real(s) { var v = parseFloat(s); return isNaN(v) ? 0 : v; }
// In a debug run the page's debug script takes the message to Vorlane's
// Output panel; elsewhere it goes to the console.
function show_debug_message(msg) { debug_message(msg); }
function debug_message(text) {
  var d = typeof window !== 'undefined' ? window.__vr_debug : undefined;
  if (d && typeof d.message === 'function') d.message(String(text));
  else if (typeof console !== 'undefined') console.log(String(text));
}

// Milliseconds since the game started.
function get_timer() {
  return (typeof performance !== 'undefined' ? performance.now() : Date.now()) - __vr.start_time;
}

