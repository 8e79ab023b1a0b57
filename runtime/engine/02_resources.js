/* ---------------------------------------------------------------------
 * Errors: shown on the page, since players of a broken game see no console.
 * ------------------------------------------------------------------- */

function __vr_show_error(text) {
  // An error in every step must not fill the memory or the screen.
  if (__vr.errors.length >= 100) return;
  __vr.errors.push(String(text));
  if (typeof document === 'undefined' || !document.createElement) return;
  if (!__vr.overlay) {
    var box = document.createElement('pre');
    box.style.cssText = 'position:fixed;left:0;right:0;bottom:0;margin:0;padding:6px;' +
      'max-height:40%;overflow:auto;background:rgba(0,0,0,0.8);color:#ff6060;' +
      'font:12px monospace;white-space:pre-wrap;z-index:10;';
    (document.body || document.documentElement).appendChild(box);
    __vr.overlay = box;
  }
  if (__vr.errors.length <= 20) __vr.overlay.textContent += String(text) + '\n';
}

if (typeof window !== 'undefined' && window.addEventListener) {
  window.addEventListener('error', function(e) {
    var where = e.lineno ? ' (line ' + e.lineno + ')' : '';
    __vr_show_error('Error: ' + (e.message || e.error || 'unknown') + where);
  });
}

/* ---------------------------------------------------------------------
 * Resources: the initialisers that the generated constructors call.
 * The resource's own variable is still undefined while its constructor
 * runs, so every initialiser works on `self` and takes the name from the
 * constructor (__spr_ball makes spr_ball).
 * ------------------------------------------------------------------- */

function __vr_name_of(self) {
  var ctor = self && self.constructor;
  var n = ctor && ctor.name;
  return (typeof n === 'string' && n.slice(0, 2) === '__') ? n.slice(2) : '';
}

// Pictures named while the script runs are asked for once the game starts,
// those the first frame draws first and the others once it is drawn (a
// browser loads only a few at a time from one server; see __vr_boot), and
// load while the page goes on. A loaded picture is
// decoded by the browser away from the page's own work before it counts as
// there, so that drawing it the first time does not hold up the game;
// except those the first frame waits for (see onload).
function __vr_load_image(src) {
  var img = new Image();
  img.__vr_ok = false;
  img.__vr_done = false;
  __vr.pending++;
  var done = function(ok) {
    if (img.__vr_done) return;
    img.__vr_done = true;
    img.__vr_ok = ok && img.naturalWidth > 0;
    __vr.pending--;
    if (__vr.entered && !__vr.started && __vr_pictures_ready()) __vr_start();
    else if (__vr.waiting) __vr_go();
  };
  img.onload = function() {
    // The browser decodes a picture elsewhere on the way to the screen, a
    // frame away: the first frame draws its own pictures as they come.
    var first = !__vr.started && __vr.needed && __vr.needed.indexOf(img) >= 0;
    if (typeof img.decode !== 'function' || first) { done(true); return; }
    img.decode().then(function() { done(true); }, function() { done(true); });
  };
  img.onerror = function() { done(false); };
  if (__vr.booted) img.src = src;
  else { img.__vr_src = src; __vr.asked.push(img); }
  return img;
}

// Asks for the pictures in `list` that wait, backgrounds (the largest)
// first, then for all the others unless `only`.
function __vr_ask_pictures(list, only) {
  var ask = function(img, backgrounds) {
    if (img.__vr_src === undefined || !!img.__vr_background !== backgrounds) return;
    img.src = img.__vr_src;
    delete img.__vr_src;
  };
  for (var pass = 0; pass < 2; pass++) {
    for (var i = 0; list && i < list.length; i++) ask(list[i], pass === 0);
  }
  var all = __vr.asked;
  __vr.asked = [];
  for (i = 0; i < all.length; i++) {
    if (!only) ask(all[i], !!all[i].__vr_background);
    else if (all[i].__vr_src !== undefined) __vr.asked.push(all[i]);
  }
}

function __sprite_init__(self, unused, w, h, cx, cy, shape, radius, left, right, top, bottom, frames) {
  self.__vr_sprite = true;
  self.name = __vr_name_of(self);
  self.width = w;
  self.height = h;
  self.xoffset = cx;
  self.yoffset = cy;
  self.circle = String(shape).toLowerCase() === 'circle';
  // A shape that was never set (an empty box, a circle of radius 0) collides
  // with the whole frame rather than never.
  self.radius = radius > 0 ? radius : Math.floor(w / 2);
  if (right <= left || bottom <= top) { left = 0; right = w; top = 0; bottom = h; }
  self.left = left;
  self.right = right;
  self.top = top;
  self.bottom = bottom;
  self.images = [];
  for (var i = 0; i < frames.length; i++) self.images.push(__vr_load_image(frames[i]));
  self.number = frames.length;
}

function __vr_pick_audio(wav, mp3, ogg) {
  var files = [wav, mp3, ogg], types = ['audio/wav', 'audio/mpeg', 'audio/ogg'];
  var probe = (typeof document !== 'undefined' && document.createElement) ?
      document.createElement('audio') : null;
  for (var i = 0; i < 3; i++) {
    if (files[i] && probe && probe.canPlayType && probe.canPlayType(types[i]) !== '') return files[i];
  }
  for (i = 0; i < 3; i++) if (files[i]) return files[i];
  return '';
}

function __audio_init__(self, unused, wav, mp3, ogg) {
  self.__vr_audio = true;
  self.name = __vr_name_of(self);
  self.src = __vr_pick_audio(wav, mp3, ogg);
  self.volume = 1;
  self.players = [];
  if (self.src && typeof Audio !== 'undefined') {
    var a = new Audio();
    // Loaded ahead once the first frame is drawn, so that it does not hold
    // up the pictures; playing it earlier loads it at once.
    a.preload = __vr.started ? 'auto' : 'none';
    a.src = self.src;
    self.players.push(a);
  }
  __vr.sounds.push(self);
}

function __background_init__(self, unused, file) {
  self.__vr_background = true;
  self.name = __vr_name_of(self);
  self.image = __vr_load_image(file);
  self.image.__vr_background = true;
}

function __font_init__(self, unused, family, size, bold, italic) {
  self.__vr_font = true;
  self.name = __vr_name_of(self);
  self.size = size;
  var fam = String(family).replace(/["\\;{}]/g, '');
  self.css = (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + size + 'pt "' + fam + '", sans-serif';
  self.line = Math.round(size * 4 / 3 * 1.25);
  __vr.fonts.push(self);
}

