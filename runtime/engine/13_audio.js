/* ---------------------------------------------------------------------
 * Sounds and music. Browsers refuse to play before the player has pressed
 * a key or clicked; music asked for earlier starts at that moment.
 * ------------------------------------------------------------------- */

function __vr_quiet(p) {
  if (p && typeof p.catch === 'function') p.catch(function() {});
}

function __vr_player(snd) {
  var list = snd.players;
  for (var i = 0; i < list.length; i++) if (list[i].paused || list[i].ended) return list[i];
  if (list.length >= 8 || !list.length) return list.length ? list[0] : null;
  var a = list[0].cloneNode(true);
  list.push(a);
  return a;
}

function sound_play(snd) {
  if (!snd || !snd.__vr_audio) return;
  var a = __vr_player(snd);
  if (!a) return;
  a.loop = false;
  a.volume = snd.volume;
  try { a.currentTime = 0; } catch (e) { /* not seekable yet */ }
  __vr_quiet(a.play());
}

function sound_loop(snd) {
  if (!snd || !snd.__vr_audio) return;
  var a = __vr_player(snd);
  if (!a) return;
  a.loop = true;
  a.volume = snd.volume;
  __vr_quiet(a.play());
}

function sound_stop(snd) {
  if (!snd || !snd.__vr_audio) return;
  for (var i = 0; i < snd.players.length; i++) {
    snd.players[i].pause();
    try { snd.players[i].currentTime = 0; } catch (e) { /* not seekable yet */ }
  }
  if (__vr.music === snd) { __vr.music = null; __vr.music_wanted = null; }
}

function sound_stop_all() {
  for (var i = 0; i < __vr.sounds.length; i++) sound_stop(__vr.sounds[i]);
  __vr.music = null;
  __vr.music_wanted = null;
}

function sound_volume(snd, v) {
  if (!snd || !snd.__vr_audio) return;
  snd.volume = v < 0 ? 0 : (v > 1 ? 1 : v);
  for (var i = 0; i < snd.players.length; i++) snd.players[i].volume = snd.volume;
}

function sound_isplaying(snd) {
  if (!snd || !snd.__vr_audio) return false;
  for (var i = 0; i < snd.players.length; i++) if (!snd.players[i].paused) return true;
  return false;
}

function music_play(mus) {
  if (!mus || !mus.__vr_audio) return;
  if (__vr.music === mus && sound_isplaying(mus)) return;
  if (__vr.music) sound_stop(__vr.music);
  __vr.music = mus;
  __vr.music_wanted = mus;
  var a = mus.players[0];
  if (!a) return;
  a.loop = true;
  a.volume = mus.volume;
  var p = a.play();
  if (p && typeof p.then === 'function') {
    p.then(function() { if (__vr.music_wanted === mus) __vr.music_wanted = null; }, function() {});
  }
}

function music_stop() {
  if (__vr.music) sound_stop(__vr.music);
  __vr.music = null;
  __vr.music_wanted = null;
}

function __vr_unlock_audio() {
  var m = __vr.music_wanted;
  if (m && m.players[0] && m.players[0].paused) __vr_quiet(m.players[0].play());
  __vr.music_wanted = null;
}

