/*
 * Vorlane's debug script. In a debug run (Shift+F5) Vorlane's local server
 * adds it to the game's page, before game.js; the game itself is not
 * changed. It sends Vorlane what the page reports (uncaught errors,
 * rejected promises, console output, debug_message) and carries out
 * Vorlane's commands (reload, pause, step, resume, watch the instances).
 *
 * Transport: one WebSocket to ws://127.0.0.1:PORT/TOKEN/socket, the address
 * this script was loaded from. Vorlane sends plain words ("reload", "pause",
 * "step", "resume", "watch on", "watch off"); the page sends JSON:
 *   {"type":"report","entries":[{"kind":"error"|"log"|"info"|"warning"|"debug",
 *     "text":..., "count":N, "lines":[game.js lines, innermost first],
 *     "stack":...}], "dropped":N}
 *   {"type":"instances","list":[{"object":..,"x":..,"y":..,"depth":..,"vars":{..}}]}
 *   {"type":"paused","paused":true|false}
 * Reports go out in batches at most every 100 ms. A batch is bounded in
 * entries and in the length of each text; an entry equal to the one before
 * it is counted instead of repeated, and what is beyond the bound is only
 * counted ("dropped"), so a game that logs every frame cannot flood Vorlane.
 */
(function() {
  'use strict';
  if (typeof window === 'undefined' || window.__vr_debug) return;

  var SEND_MS = 100;        // how often a batch goes out
  var MAX_ENTRIES = 1000;   // entries in one batch (10,000 a second)
  var MAX_TEXT = 2000;      // characters of an entry's text
  var MAX_STACK = 4000;     // characters of a stack
  var MAX_LINES = 8;        // game.js lines of an entry
  var WATCH_MS = 250;       // how often the instances are sent while watched
  var MAX_INSTANCES = 500;  // instances in one snapshot
  var MAX_MESSAGE = 256 * 1024;  // characters of one message (Vorlane takes up to 1 MiB)
  var MAX_VARS = 40;        // variables of one instance

  var me = document.currentScript;
  var base = me && me.src ? me.src.replace(/__vorlane_debug\.js(?:[?#].*)?$/, '') : '';
  var queue = [];
  var dropped = 0;
  var timer = null;
  var watcher = null;
  var socket = null;

  function cut(text, max) {
    text = String(text);
    return text.length > max ? text.slice(0, max) + '...' : text;
  }

  // The game.js lines of a stack's frames, innermost first.
  function gameLines(stack) {
    var out = [], re = /\/game\.js:(\d+)/g, m;
    while (out.length < MAX_LINES && (m = re.exec(String(stack || ''))) !== null) out.push(Number(m[1]));
    return out;
  }

  function describe(value) {
    if (typeof value === 'string') return value;
    if (value instanceof Error) return String(value);
    try {
      var json = JSON.stringify(value);
      if (json !== undefined) return json;
    } catch (e) { /* a cycle or the like */ }
    return String(value);
  }

  function schedule() {
    if (timer === null) timer = setTimeout(flush, SEND_MS);
  }

  // Sends what is queued, at most MAX_MESSAGE characters of it; the rest
  // goes with the next batch.
  function flush() {
    if (timer !== null) clearTimeout(timer);
    timer = null;
    if (!socket || socket.readyState !== 1) return;  // sent once the socket opens
    if (!queue.length && !dropped) return;
    var parts = [], size = 0, n = 0;
    for (; n < queue.length; n++) {
      var json = JSON.stringify(queue[n]);
      if (n > 0 && size + json.length > MAX_MESSAGE) break;
      parts.push(json);
      size += json.length + 1;
    }
    socket.send('{"type":"report","dropped":' + dropped + ',"entries":[' + parts.join(',') + ']}');
    queue = queue.slice(n);
    dropped = 0;
    if (queue.length) schedule();
  }

  // `where` gives the entry's game.js lines: a stack, or a function that
  // makes one (called only when the entry is kept). An entry equal to the
  // last one (same kind, text and lines, no stack) is counted in it.
  function add(kind, text, where, stack, first_line) {
    text = cut(text, MAX_TEXT);
    var last = queue[queue.length - 1];
    if (queue.length >= MAX_ENTRIES) {
      if (last.kind === kind && last.text === text && !stack) last.count++;
      else dropped++;
      return;
    }
    var lines = gameLines(handlerLines(typeof where === 'function' ? where() : where));
    if (first_line) lines.unshift(first_line);
    if (last && last.kind === kind && last.text === text && !stack && String(last.lines) === String(lines)) {
      last.count++;
      return;
    }
    queue.push({ kind: kind, text: text, count: 1, lines: lines, stack: stack ? cut(handlerLines(stack), MAX_STACK) : '' });
    schedule();
  }

  // The engine rewrites most event handlers into new functions (see
  // __vr_unwith), whose lines are their own, not game.js's. In a debug run it
  // names each after the handler it came from ("vorlane-handler-N.js"); their
  // frames are turned back into game.js lines here. The rewrite keeps the
  // lines of the handler's body, which starts on the line of its "{"; a new
  // function's body starts on its line 3.
  var handlers = [];
  var handlerStart = [];
  var gameText = null;
  function handlerLines(stack) {
    stack = String(stack || '');
    if (stack.indexOf('vorlane-handler-') < 0) return stack;
    return stack.replace(/(?:[^\s(]*\/)?vorlane-handler-(\d+)\.js:(\d+)/g, function(all, k, line) {
      var start = handlerStart[k];
      if (start === undefined) start = handlerStart[k] = findHandler(handlers[k]);
      return start ? base + 'game.js:' + (start + Number(line) - 3) : all;
    });
  }
  // The game.js line of the handler's "{"; 0 when it cannot be found. The
  // page's game.js is read once, when the first such frame comes: a
  // synchronous read, so that the reports keep their order.
  function findHandler(f) {
    if (typeof f !== 'function') return 0;
    if (gameText === null) {
      gameText = '';
      try {
        var request = new XMLHttpRequest();
        request.open('GET', base + 'game.js', false);
        request.send();
        if (request.status === 200) gameText = request.responseText;
      } catch (e) { /* reported without the line */ }
    }
    var source = Function.prototype.toString.call(f);
    var at = gameText.indexOf(source);
    if (at < 0) return 0;
    return gameText.slice(0, at + source.indexOf('{')).split('\n').length;
  }

  function here() {
    return new Error().stack;
  }

  window.addEventListener('error', function(e) {
    var err = e.error;
    var stack = err && err.stack ? String(err.stack) : '';
    var line = /\/game\.js(?:[?#].*)?$/.test(e.filename || '') ? e.lineno : 0;
    add('error', e.message || String(err), stack, stack, line);
  });

  window.addEventListener('unhandledrejection', function(e) {
    var r = e.reason;
    var stack = r && r.stack ? String(r.stack) : '';
    add('error', 'Unhandled rejection: ' + (r instanceof Error ? r.message : describe(r)), stack, stack, 0);
  });

  // The console still does what it did; Vorlane gets a copy.
  [['log', 'log'], ['info', 'info'], ['warn', 'warning'], ['error', 'error'], ['debug', 'log']].forEach(function(pair) {
    var original = console[pair[0]];
    if (typeof original !== 'function') return;
    console[pair[0]] = function() {
      var parts = [];
      for (var i = 0; i < arguments.length; i++) parts.push(describe(arguments[i]));
      add(pair[1], parts.join(' '), here);
      return original.apply(this, arguments);
    };
  });

  function variables(o) {
    var vars = {}, n = 0, keys = Object.keys(o);
    var engine = typeof __vr_defaults !== 'undefined' ? __vr_defaults : {};
    for (var i = 0; i < keys.length && n < MAX_VARS; i++) {
      var k = keys[i];
      // The engine's own fields (x, speed, ...) are left out: the game's variables count.
      if (k.charCodeAt(0) === 95 && k.charCodeAt(1) === 95 || k in engine) continue;
      var v = o[k], t = typeof v;
      if (t === 'number' || t === 'boolean' || t === 'string') {
        vars[k] = t === 'string' ? cut(v, 100) : v;
        n++;
      }
    }
    return vars;
  }

  function sendInstances() {
    if (!socket || socket.readyState !== 1 || typeof __vr === 'undefined') return;
    var list = [], size = 0, all = __vr.instances;
    for (var i = 0; i < all.length && list.length < MAX_INSTANCES && size < MAX_MESSAGE; i++) {
      var o = all[i];
      if (!o.__vr_alive) continue;
      var json = JSON.stringify({ object: o.__vr_type ? String(o.__vr_type.name) : '',
        x: o.x, y: o.y, depth: o.depth, vars: variables(o) });
      list.push(json);
      size += json.length + 1;
    }
    socket.send('{"type":"instances","list":[' + list.join(',') + ']}');
  }

  // What the game reported before it paused goes out first.
  function tellPaused() {
    flush();
    if (socket && socket.readyState === 1 && typeof __vr !== 'undefined')
      socket.send(JSON.stringify({ type: 'paused', paused: !!__vr.paused }));
  }

  // A pause asked for before game.js has run (a page loaded again while the
  // run is paused) waits for the engine.
  var wanted = null;
  function applyPause() {
    if (wanted === null || typeof __vr === 'undefined') return;
    if (wanted) __vr.pause();
    else __vr.resume();
    wanted = null;
    tellPaused();
  }
  // The socket may have opened before the engine was there to ask.
  document.addEventListener('DOMContentLoaded', function() {
    if (wanted === null) tellPaused();
    else applyPause();
  });

  var commands = {
    'reload': function() { location.reload(); },
    'pause': function() { wanted = true; applyPause(); },
    'step': function() { if (typeof __vr !== 'undefined') __vr.step_paused(); },
    'resume': function() { wanted = false; applyPause(); },
    'watch on': function() {
      if (watcher === null) watcher = setInterval(sendInstances, WATCH_MS);
      sendInstances();
    },
    'watch off': function() {
      if (watcher !== null) clearInterval(watcher);
      watcher = null;
    },
  };

  if (base && typeof WebSocket !== 'undefined') {
    socket = new WebSocket(base.replace(/^http/, 'ws') + 'socket');
    socket.onopen = function() {
      flush();
      tellPaused();
    };
    socket.onmessage = function(e) {
      var f = commands[e.data];
      if (f) f();
    };
  }

  window.__vr_debug = {
    message: function(text) { add('debug', text, here); },
    // The name the engine gives a handler it rewrote from `f`.
    handler: function(f) {
      handlers.push(f);
      return 'vorlane-handler-' + (handlers.length - 1) + '.js';
    },
  };
})();
