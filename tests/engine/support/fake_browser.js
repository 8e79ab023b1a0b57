// Just enough of a browser page to run a game's script under Node: a canvas
// whose 2D context records what is drawn, pictures that "load" at once from
// the project folder (their addresses read as a browser reads them), silent
// audio, and window events the test can send.
// The engine runs in manual mode: the test drives steps and frames.
'use strict';
const fs = require('fs');
const path = require('path');
const url = require('url');
const vm = require('vm');
const { pngSize } = require('../../../tools/example/png.js');

class Recorder {
  constructor(canvas) {
    this.canvas = canvas;
    this.calls = [];
    this.fillStyle = '#000';
    this.strokeStyle = '#000';
    this.globalAlpha = 1;
    this.font = '10px sans-serif';
    this.textAlign = 'start';
    this.textBaseline = 'alphabetic';
    this.lineWidth = 1;
    this.transform = [1, 0, 0, 1, 0, 0];
  }
  record(name, args) { this.calls.push({ name, args: Array.from(args), transform: this.transform.slice(), alpha: this.globalAlpha, fill: this.fillStyle, font: this.font }); }
  setTransform(a, b, c, d, e, f) { this.transform = [a, b, c, d, e, f]; }
  drawImage() { this.record('drawImage', arguments); }
  fillRect() { this.record('fillRect', arguments); }
  strokeRect() { this.record('strokeRect', arguments); }
  fillText() { this.record('fillText', arguments); }
  beginPath() {}
  moveTo() {}
  lineTo() {}
  arc() { this.record('arc', arguments); }
  fill() { this.record('fill', arguments); }
  stroke() { this.record('stroke', arguments); }
  measureText(t) { return { width: String(t).length * 8 }; }
  clear() { this.calls = []; }
}

function makeElement(tag) {
  const el = {
    tagName: tag.toUpperCase(), style: {}, children: [], listeners: {}, textContent: '',
    appendChild(c) { this.children.push(c); return c; },
    addEventListener(type, fn) { (this.listeners[type] = this.listeners[type] || []).push(fn); },
    getBoundingClientRect() { return { left: 0, top: 0, width: this.width || 0, height: this.height || 0 }; },
  };
  if (tag === 'canvas') {
    el.width = 300;
    el.height = 150;
    el.getContext = function () { return this.ctx || (this.ctx = new Recorder(this)); };
  }
  if (tag === 'audio') el.canPlayType = (t) => (t === 'audio/wav' ? 'maybe' : '');
  return el;
}

// Loads `gameJs` (the text of a built game.js) as the page at `projectDir`
// would. Pictures whose address matches `hold` wait until release(pattern).
// Returns { window, ctx, canvas, key(type, code, keyCode, repeat), errors }.
function loadGame(gameJs, projectDir, hold) {
  const listeners = {};
  const errors = [];
  const held = [];
  const holder = makeElement('div');
  const body = makeElement('body');
  const document = {
    body,
    documentElement: body,
    getElementById: (id) => (id === 'vorlanegame' ? holder : null),
    createElement: makeElement,
  };
  class Image {
    constructor() { this.onload = null; this.onerror = null; this.naturalWidth = 0; this.naturalHeight = 0; this._src = ''; }
    set src(v) {
      this._src = v;
      if (hold && hold.test(v)) held.push(this);
      else this.load();
    }
    load() {
      const v = this._src;
      let size = null;
      try {
        size = pngSize(fs.readFileSync(url.fileURLToPath(new URL(v, url.pathToFileURL(projectDir + '/')))));
      } catch (e) { size = null; }
      if (size) { this.naturalWidth = size.width; this.naturalHeight = size.height; if (this.onload) this.onload(); }
      else if (this.onerror) this.onerror();
    }
    get src() { return this._src; }
  }
  class Audio {
    constructor() { this.paused = true; this.ended = false; this.loop = false; this.volume = 1; this.currentTime = 0; this.src = ''; this.plays = 0; }
    play() { this.paused = false; this.plays++; return Promise.resolve(); }
    pause() { this.paused = true; }
    cloneNode() { const a = new Audio(); a.src = this.src; return a; }
  }
  const sandbox = {
    document, Image, Audio, console,
    performance: { now: () => Number(process.hrtime.bigint() / 1000n) / 1000 },
    setTimeout: () => 0,
    innerWidth: 0, innerHeight: 0,
    __vr_manual: true,
    addEventListener(type, fn) { (listeners[type] = listeners[type] || []).push(fn); },
  };
  sandbox.window = sandbox;
  const context = vm.createContext(sandbox);
  sandbox.window = vm.runInContext('this', context);
  const win = sandbox.window;
  try {
    vm.runInContext(gameJs, context, { filename: 'game.js' });
  } catch (e) {
    errors.push(e);
  }
  const canvas = holder.children[0];
  const send = (type, ev) => { for (const fn of listeners[type] || []) fn(ev); };
  return {
    window: win,
    context,
    canvas,
    ctx: canvas && canvas.ctx,
    errors: errors.concat(win.__vr ? win.__vr.errors : []),
    run: (code) => vm.runInContext(code, context),
    key(type, code, keyCode, repeat) { send(type, { code, keyCode, repeat: !!repeat, preventDefault() {} }); },
    release(pattern) { for (const img of held.filter((i) => pattern.test(i.src))) img.load(); },
    mouse(type, x, y, button) {
      const fns = (canvas.listeners[type] || []).concat(type === 'mouseup' ? listeners.mouseup || [] : []);
      for (const fn of fns) fn({ clientX: x, clientY: y, button: button || 0, preventDefault() {} });
    },
  };
}

module.exports = { loadGame };
