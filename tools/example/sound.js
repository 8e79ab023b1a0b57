// The example game's sounds, synthesised in code.
'use strict';
const { encodeWav } = require('./wav.js');
const { rng } = require('./raster.js');

const note = (n) => 440 * Math.pow(2, (n - 69) / 12);   // MIDI note number to Hz

function tone(out, rate, start, dur, freq, vol, shape) {
  const s0 = Math.round(start * rate), n = Math.round(dur * rate);
  let phase = 0;
  for (let i = 0; i < n && s0 + i < out.length; i++) {
    const t = i / rate;
    const f = typeof freq === 'function' ? freq(t / dur) : freq;
    phase += f / rate;
    const ph = phase % 1;
    let v;
    if (shape === 'square') v = ph < 0.5 ? 1 : -1;
    else if (shape === 'triangle') v = 4 * Math.abs(ph - 0.5) - 1;
    else v = Math.sin(2 * Math.PI * ph);
    const env = Math.min(1, i / (0.005 * rate)) * Math.pow(1 - i / n, 1.5);
    out[s0 + i] += v * vol * env;
  }
}

function gemSound() {
  const rate = 22050, out = new Float32Array(Math.round(0.32 * rate));
  tone(out, rate, 0, 0.08, note(88), 0.35, 'square');
  tone(out, rate, 0.07, 0.25, note(95), 0.35, 'square');
  tone(out, rate, 0.07, 0.25, note(100), 0.15, 'sine');
  return encodeWav(out, rate);
}

function hurtSound() {
  const rate = 22050, out = new Float32Array(Math.round(0.35 * rate)), rand = rng(3);
  tone(out, rate, 0, 0.35, (t) => 420 - 300 * t, 0.4, 'square');
  for (let i = 0; i < out.length; i++) out[i] += (rand() * 2 - 1) * 0.12 * (1 - i / out.length);
  return encodeWav(out, rate);
}

// A short cheerful loop: melody on a triangle wave over a square-wave bass.
function themeMusic() {
  const rate = 11025, beat = 60 / 140, bars = 4;
  const out = new Float32Array(Math.round(bars * 4 * beat * rate));
  const melody = [72, 76, 79, 76, 77, 81, 79, 77, 76, 79, 84, 79, 77, 74, 72, -1,
                  72, 76, 79, 81, 79, 77, 76, 74, 72, 74, 76, 77, 79, 76, 72, -1];
  for (let k = 0; k < melody.length; k++) {
    if (melody[k] > 0) tone(out, rate, k * beat / 2, beat / 2 * 0.95, note(melody[k]), 0.22, 'triangle');
  }
  const bass = [48, 48, 53, 53, 55, 55, 48, 48, 48, 48, 53, 53, 55, 55, 48, 48];
  for (let k = 0; k < bass.length; k++) tone(out, rate, k * beat, beat * 0.9, note(bass[k]), 0.08, 'square');
  return encodeWav(out, rate);
}

module.exports = { gemSound, hurtSound, themeMusic };
