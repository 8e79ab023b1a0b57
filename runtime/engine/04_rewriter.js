// Names as JavaScript reads them, Unicode letters and digits included, so
// that an object or variable named with an accented letter is found too.
var __vr_id_part = '[\\p{ID_Continue}$\\u200C\\u200D]';
var __vr_id = '[\\p{ID_Start}$_]' + __vr_id_part + '*';
var __vr_parent_arg = new RegExp('__instance_init__\\(\\s*this\\s*,\\s*' + __vr_id_part +
                                 '+\\s*,\\s*(' + __vr_id_part + '+)', 'u');

var __vr_js_words = {};
('break case catch class const continue debugger default delete do else enum export extends ' +
 'false finally for function if import in instanceof let new null return super switch this ' +
 'throw true try typeof var void while with yield await async of undefined NaN Infinity ' +
 'arguments eval').split(' ').forEach(function(w) { __vr_js_words[w] = true; });

var __vr_strings_and_comments =
  /\/\*[\s\S]*?\*\/|\/\/[^\n\r]*|'(?:\\.|[^'\\\n\r])*'|"(?:\\.|[^"\\\n\r])*"|`(?:\\.|[^`\\])*`/g;

// Names a piece of code assigns by their bare names, less its own local
// variables and parameters. Strings and comments are blanked out first.
function __vr_assigned_names(src) {
  src = src.replace(__vr_strings_and_comments, ' ');
  var locals = {}, names = [], seen = {}, m;
  var id = __vr_id, part = __vr_id_part, word_start = '(?<!' + part + ')';
  var id_at = new RegExp(id, 'uy');
  var decl = new RegExp(word_start + '(?:var|let|const)\\s+', 'gu');
  while ((m = decl.exec(src)) !== null) {
    var i = decl.lastIndex, depth = 0, expect = true;
    while (i < src.length) {
      var c = src.charAt(i);
      if (c === '(' || c === '[' || c === '{') depth++;
      else if (c === ')' || c === ']' || c === '}') { if (--depth < 0) break; }
      else if (depth === 0 && (c === ';' || c === '\n')) break;
      else if (depth === 0 && c === ',') expect = true;
      else if (expect) {
        id_at.lastIndex = i;
        var local = id_at.exec(src);
        if (local) {
          locals[local[0]] = true;
          i += local[0].length;
          expect = false;
          continue;
        }
      }
      i++;
    }
  }
  var fn = new RegExp(word_start + 'function(?!' + part + ')\\s*(' + part + '*)\\s*\\(([^)]*)\\)', 'gu');
  var param = new RegExp('^\\s*(' + id + ')', 'u');
  while ((m = fn.exec(src)) !== null) {
    if (m[1]) locals[m[1]] = true;
    m[2].split(',').forEach(function(p) {
      var name = param.exec(p);
      if (name) locals[name[1]] = true;
    });
  }
  // An identifier not reached through a dot, followed by an assignment or
  // an increment, and not followed by a member access.
  var target = '(?<!\\.\\s*)(' + id + ')';
  var patterns = [
    new RegExp(word_start + target + '\\s*(?:\\*\\*|<<|>>>?|[\\-+*\\/%&|^])?=(?![=>])', 'gu'),
    new RegExp(word_start + target + '\\s*(?:\\+\\+|--)', 'gu'),
    new RegExp('(?:\\+\\+|--)\\s*' + target + '(?!' + part + ')(?!\\s*[.\\[])', 'gu')
  ];
  for (var p = 0; p < patterns.length; p++) {
    var re = patterns[p];
    while ((m = re.exec(src)) !== null) {
      var name = m[1];
      re.lastIndex = m.index + m[0].length;
      if (locals[name] || __vr_js_words[name] || seen[name]) continue;
      seen[name] = true;
      names.push(name);
    }
  }
  return names;
}

// Event code in the usual script mode runs inside with(this), where every
// bare name is a slow lookup through the instance. At start each handler is
// rewritten once, where the rewrite is sure to mean the same: the names of
// the instance's fields and methods become __vr_w.name (__vr_w being the
// instance) and every other name stays as it is. Code the rewrite cannot be
// sure of (nested functions, template strings, HTML-like comments, a
// field's name declared or used as a label, a name other code sets on
// instances, a name that only an instance could give a value) keeps its
// with.
var __vr_with_mark = 'with(this) {';
var __vr_unsure_words = /^(?:function|class|eval|arguments|with|import|export|yield|await|async|get|set|static|__vr_w)$/;
var __vr_unwith_keywords = /^(?:break|case|catch|continue|debugger|default|delete|do|else|false|finally|for|if|in|instanceof|let|new|null|of|return|switch|this|throw|true|try|typeof|var|const|void|while)$/;
var __vr_value_words = /^(?:this|true|false|null)$/;

// Rewrites `code`, which starts just after "with(this) {", up to the brace
// that closes the with. Returns { code, end } (end: the index of that
// brace) or null. `field(name)` tells the instance's names; `shared(name)`
// names that code elsewhere sets on instances; `known(name)` names that
// mean something outside the instance (globals).
function __vr_unwith_code(code, field, shared, known) {
  var out = '', i = 0, n = code.length, t;
  var locals = Object.create(null);
  var id = new RegExp(__vr_id, 'uy');
  var num = /(?:0[xXbBoO][0-9a-fA-F_]+|(?:\d[\d_]*\.?[\d_]*|\.\d[\d_]*)(?:[eE][+-]?\d+)?)n?/y;
  var blank = /\s/;
  var prev = '', value = false;  // the last token, and whether it ends a value
  var stack = [{ kind: 'block', q: 0, key: false }];
  var control = false;  // the last ')' closed the head of an if, while or for
  var decl = 0;         // nesting depth of a var, let or const list; 0: none
  var declare = false;  // the next name is declared ('param': catch's)
  var in_case = false;  // between case and its ':'
  var top = stack[0];
  var next_char = function(j) {
    while (j < n && blank.test(code.charAt(j))) j++;
    return code.charAt(j);
  };
  while (i < n) {
    var c = code.charAt(i), start = i;
    if (blank.test(c)) { out += c; i++; continue; }
    if (c === '/' && (code.charAt(i + 1) === '/' || code.charAt(i + 1) === '*')) {
      var stop = code.charAt(i + 1) === '/' ? code.slice(i).search(/[\n\r]/) : code.indexOf('*/', i + 2);
      if (code.charAt(i + 1) === '/') i = stop < 0 ? n : i + stop;
      else if (stop < 0) return null;
      else i = stop + 2;
      out += code.slice(start, i);
      continue;
    }
    if (c === '`' || c === '\\') return null;
    if (declare && c !== '(' && !/[\p{ID_Start}$_]/u.test(c)) return null;  // destructuring
    if (c === '"' || c === "'") {
      for (i++; i < n && code.charAt(i) !== c; i++) {
        if (code.charAt(i) === '\\') i++;
        else if (code.charAt(i) === '\n' || code.charAt(i) === '\r') return null;
      }
      if (i >= n) return null;
      i++;
      out += code.slice(start, i);
      prev = c; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    if (c === '/' && !value && !(prev === ')' && !control)) {
      if (prev === '}') return null;
      var in_class = false;
      for (i++; i < n; i++) {
        var r = code.charAt(i);
        if (r === '\\') i++;
        else if (r === '\n' || r === '\r') return null;
        else if (r === '[') in_class = true;
        else if (r === ']') in_class = false;
        else if (r === '/' && !in_class) break;
      }
      if (i >= n) return null;
      for (i++; i < n && /[a-z]/.test(code.charAt(i)); i++) {}
      out += code.slice(start, i);
      prev = '/'; value = true;
      continue;
    }
    num.lastIndex = i;
    if (/[0-9.]/.test(c) && (t = num.exec(code)) && t[0] !== '.') {
      i += t[0].length;
      out += t[0];
      prev = t[0]; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    id.lastIndex = i;
    if ((t = id.exec(code))) {
      var w = t[0];
      i += w.length;
      var member = prev === '.' || prev === '?.';
      if (!member && __vr_unsure_words.test(w)) return null;
      if (!member && __vr_unwith_keywords.test(w)) {
        if (w === 'var' || w === 'let' || w === 'const') { decl = stack.length; declare = true; }
        else if (w === 'case') in_case = true;
        out += w;
        prev = w; value = __vr_value_words.test(w);
        continue;
      }
      var after = next_char(i);
      if (declare) {
        declare = false;
        // Inside the with, "var hp = 1" sets the instance's hp if it has one.
        if (field(w) || shared(w)) return null;
        locals[w] = true;
        out += w;
      } else if (top.kind === 'obj' && top.key) {
        // A property name: "name: value" only; shorthand names and methods
        // of the instance's fields are not sure.
        if (after !== ':' && field(w)) return null;
        out += w;
      } else if (member || prev === 'break' || prev === 'continue') {
        out += w;
      } else if (after === ':' && top.kind === 'block' && top.q === 0 && !in_case) {
        if (field(w)) return null;  // a label
        out += w;
      } else if (field(w)) {
        out += '__vr_w.' + w;
      } else {
        // A name no local or global holds would only ever be found on the
        // instance, put there by code the scan may not see.
        if (shared(w) || !(locals[w] || known(w))) return null;
        out += w;
      }
      prev = w; value = true;
      if (top.kind === 'obj') top.key = false;
      continue;
    }
    var p3 = code.substr(i, 3), p2 = code.substr(i, 2);
    // <!-- and --> start comments in a page's scripts, which the scan
    // would read as code.
    if (p2 === '=>' || p3 === '-->' || code.substr(i, 4) === '<!--') return null;
    if (p3 === '...' || p3 === '===' || p3 === '!==') t = p3;
    else if (p2 === '?.' && !/[0-9]/.test(code.charAt(i + 2))) t = p2;
    else if (/^(?:\?\?|\+\+|--|==|!=|<=|>=|&&|\|\|)$/.test(p2)) t = p2;
    else t = c;
    i += t.length;
    if (t === '(' || t === '[' || t === '{') {
      var kind = t === '[' ? 'bracket' : t === '(' ? ((prev === 'if' || prev === 'while' || prev === 'for') ? 'control' : 'paren')
        : ((value || prev === '' || prev === ';' || prev === '{' || prev === '}' || prev === ')' || prev === 'else' ||
            prev === 'do' || prev === 'try' || prev === 'finally') ? 'block' : 'obj');
      if (t === '(' && prev === 'catch') declare = true;
      stack.push(top = { kind: kind, q: 0, key: kind === 'obj' });
    } else if (t === ')' || t === ']' || t === '}') {
      if (stack.length === 1) {
        if (t !== '}') return null;
        return { code: out, end: start };
      }
      var closed = stack.pop();
      top = stack[stack.length - 1];
      control = closed.kind === 'control';
      if (decl > stack.length) decl = 0;
      if (declare === true && t === ')') declare = false;
    } else if (t === '?') {
      top.q++;
    } else if (t === ':') {
      if (in_case && top.q === 0) in_case = false;
      else if (top.q > 0) top.q--;
    } else if (t === ',') {
      if (top.kind === 'obj') top.key = true;
      if (decl === stack.length) declare = true;
    } else if (t === ';') {
      if (decl === stack.length) decl = 0;
    }
    out += t;
    prev = t;
    value = t === ')' ? !control : (t === ']' || t === '++' || t === '--');
    if (t === '}') value = false;
  }
  return null;
}

// The handler `f` without its with(this), for instances whose fields
// `field` tells; null when it has none or the rewrite is not sure.
function __vr_unwith(f, field, shared, known) {
  var src = Function.prototype.toString.call(f);
  var mark = src.indexOf(__vr_with_mark);
  var open = src.indexOf('{');
  if (mark < 0 || open < 0 || open > mark) return null;
  var inner = __vr_unwith_code(src.slice(mark + __vr_with_mark.length), field, shared, known);
  if (!inner) return null;
  var rest = src.slice(mark + __vr_with_mark.length + inner.end);
  var body = src.slice(open + 1, mark) + '{ var __vr_w = this;' + inner.code + rest;
  body = body.slice(0, body.lastIndexOf('}'));
  try { return new Function(body + __vr_debug_name(f)); } catch (e) { return null; }
}

// In a debug run a rewritten handler is named after the one it came from,
// so that the debug script can name the game.js lines of its errors.
function __vr_debug_name(f) {
  var d = typeof window !== 'undefined' ? window.__vr_debug : undefined;
  return d && typeof d.handler === 'function' ? '\n//# sourceURL=' + d.handler(f) : '';
}

// The global object, whatever the page calls it.
var __vr_global = this;

// Whether a global may hold the game's code. The browser makes each of its
// thousand interface objects (HTMLElement and the like) only when it is
// first read, which for all of them takes tens of milliseconds at start-up,
// and they are native code anyway. They are the hidden capitalised globals;
// what a game's script declares or assigns is enumerable. Among the hidden
// ones the language's namespace objects are still read, since a game may
// give them methods.
var __vr_namespaces = /^(?:JSON|Math|Reflect|Atomics|Intl|WebAssembly)$/;
function __vr_may_hold_code(name) {
  return !/^[A-Z]/.test(name) || __vr_namespaces.test(name) ||
      Object.prototype.propertyIsEnumerable.call(__vr_global, name);
}

// The source of the game's functions: the project's functions, global
// functions and extensions, functions and methods of objects kept in global
// variables, and the generated objects and scenes with their event code.
// The engine's own (__vr_..., the initialisers __name__) are left out.
function __vr_game_sources() {
  var out = [], seen = new Set();
  var take = function(f) {
    if (typeof f !== 'function' || seen.has(f)) return false;
    seen.add(f);
    var s = Function.prototype.toString.call(f);
    if (/\{\s*\[native code\]\s*\}$/.test(s)) return false;
    out.push(__vr_is_scene_maker(f) ? __vr_cut_list(__vr_cut_list(s, 'this.tiles = ['), 'this.objects = [') : s);
    return true;
  };
  var methods = function(o) {
    var own = Object.getOwnPropertyNames(o);
    for (var k = 0; k < own.length; k++) {
      var d = Object.getOwnPropertyDescriptor(o, own[k]);
      if (d && 'value' in d) take(d.value);
    }
  };
  var names = Object.getOwnPropertyNames(__vr_global);
  for (var i = 0; i < names.length; i++) {
    if (/^__(?:vr|.*__$)/.test(names[i]) || !__vr_may_hold_code(names[i])) continue;
    try {
      var d = Object.getOwnPropertyDescriptor(__vr_global, names[i]);
      var v = d && 'value' in d ? d.value : null;
      if (typeof v === 'function') {
        if (take(v) && v.prototype && typeof v.prototype === 'object') methods(v.prototype);
      } else if (v && typeof v === 'object') {
        var proto = Object.getPrototypeOf(v);
        if (proto === Object.prototype || proto === null) methods(v);
      }
    } catch (e) { /* a revoked proxy or the like: nothing to read */ }
  }
  return out.join('\n');
}

// A scene's constructor lists its tiles and placed instances as data, in
// which nothing is set; in a large scene the lists are most of the game's
// code, too long to scan at start for nothing.
function __vr_is_scene_maker(f) {
  for (var i = 0; typeof vr_scenes !== 'undefined' && i < vr_scenes.length; i++) {
    if (vr_scenes[i] && vr_scenes[i].constructor === f) return true;
  }
  return false;
}

// `s` without the items of the list that follows `head`, up to the "];"
// that closes it (the first: items hold no semicolon).
function __vr_cut_list(s, head) {
  var from = s.indexOf(head), to = from < 0 ? -1 : s.indexOf('];', from);
  return to < 0 ? s : s.slice(0, from + head.length) + s.slice(to);
}

// Names that code sets on something other than itself, through a dot or in
// brackets with a constant string (other.hp -= 1, e['hp'] = 3, ++e.hp), in
// `src`; the engine's state (__vr.color) aside. Strings and comments are
// scanned too: a name too many only keeps a with that was not needed.
function __vr_set_names(src, names) {
  var member = '(?<!(?:^|[^$\\p{ID_Continue}])__vr\\s*)(?:\\.\\s*(' + __vr_id + ')|\\[\\s*([\'"`])(' + __vr_id + ')\\2\\s*\\])';
  var after = new RegExp(member + '\\s*(?:(?:\\*\\*|<<|>>>?|&&|\\|\\||\\?\\?|[\\-+*\\/%&|^])?=(?![=>])|\\+\\+|--)', 'gu');
  var before = /(?:\+\+|--)[^;,)}\n\r]*/g;
  var one = new RegExp(member, 'gu'), m, chain;
  while ((m = after.exec(src)) !== null) names[m[1] || m[3]] = true;
  while ((chain = before.exec(src)) !== null) {
    one.lastIndex = 0;
    while ((m = one.exec(chain[0])) !== null) names[m[1] || m[3]] = true;
  }
}

// Names that code anywhere in the game sets on instances: an object whose
// own code never sets one may still find it on its instances, so its code
// keeps with(this) where it names one. `game_sources` is what
// __vr_game_sources() gives.
function __vr_shared_names(types, game_sources) {
  var names = Object.create(null), src = '', i, e;
  for (i = 0; i < types.length; i++)
    for (e = 0; e < __vr_events.length; e++)
      if (types[i].h[__vr_events[e]]) src += Function.prototype.toString.call(types[i].h[__vr_events[e]]) + '\n';
  for (i = 0; i < types.length; i++) src += __vr_more_source(types[i]);
  if (typeof vr_scenes !== 'undefined')
    for (i = 0; i < vr_scenes.length; i++)
      if (vr_scenes[i] && typeof vr_scenes[i].start === 'function') src += Function.prototype.toString.call(vr_scenes[i].start) + '\n';
  __vr_set_names(src + game_sources, names);
  return function(n) { return names[n] === true; };
}

// Whether a bare name means something outside any instance: a global of
// the page, the engine or the game.
function __vr_known_names() {
  var known = Object.create(null);
  return function(n) {
    if (!(n in known)) {
      known[n] = n in __vr_global;
      // let, const and class at the top of a script make globals that are
      // not properties of the global object.
      if (!known[n]) try { Function(n)(); known[n] = true; } catch (e) { /* not defined */ }
    }
    return known[n];
  };
}

// Whether a name is a field or method an instance of `t` has from its start
// (hasOwnProperty and the other methods every object has included).
function __vr_field_test(t) {
  var probe = new t.make(0, 0, 0, t.obj), names = Object.create(null);
  for (var o = probe; o; o = Object.getPrototypeOf(o)) {
    var own = Object.getOwnPropertyNames(o);
    for (var k = 0; k < own.length; k++) names[own[k]] = true;
  }
  return function(n) { return names[n] === true; };
}

// A variable of the game's own (engine, extension or global variable), as
// opposed to a browser attribute of the window such as name or status.
function __vr_is_global(n) {
  if (typeof window === 'undefined') return false;
  for (var o = window; o; o = Object.getPrototypeOf(o)) {
    var d = Object.getOwnPropertyDescriptor(o, n);
    if (d) return 'value' in d;
  }
  return false;
}

