#include "project/reserved_names.h"

#include <unordered_map>
#include <unordered_set>

#include "project/js_name.h"
#include "project/top_level_names.h"

namespace vorlane {
namespace {

// A resource variable of one of these names would replace, or fail to
// replace, what the page and the engine expect there (window.name keeps only
// text, window.top cannot be set, a window.onload set to an object is null).
constexpr std::string_view kBrowserNames[] = {
    // JavaScript's global object.
    "globalThis", "Infinity", "NaN", "undefined", "eval", "isFinite", "isNaN", "parseFloat",
    "parseInt", "decodeURI", "decodeURIComponent", "encodeURI", "encodeURIComponent", "escape",
    "unescape", "AggregateError", "Array", "ArrayBuffer", "Atomics", "BigInt", "BigInt64Array",
    "BigUint64Array", "Boolean", "DataView", "Date", "Error", "EvalError", "FinalizationRegistry",
    "Float16Array", "Float32Array", "Float64Array", "Function", "Int8Array", "Int16Array",
    "Int32Array", "Iterator", "Map", "Number", "Object", "Promise", "Proxy", "RangeError",
    "ReferenceError", "RegExp", "Set", "SharedArrayBuffer", "String", "Symbol", "SyntaxError",
    "TypeError", "Uint8Array", "Uint8ClampedArray", "Uint16Array", "Uint32Array", "URIError",
    "WeakMap", "WeakRef", "WeakSet", "Intl", "JSON", "Math", "Reflect", "WebAssembly", "console",
    // Inherited by the window and by every instance, whose fields event
    // code reads by their bare names.
    "constructor", "hasOwnProperty", "isPrototypeOf", "propertyIsEnumerable", "toLocaleString",
    "toString", "valueOf", "__proto__", "__defineGetter__", "__defineSetter__", "__lookupGetter__",
    "__lookupSetter__",
    // The window's own properties and methods.
    "window", "self", "document", "name", "location", "history", "navigation", "customElements",
    "locationbar", "menubar", "personalbar", "scrollbars", "statusbar", "toolbar", "status",
    "close", "closed", "stop", "focus", "blur", "frames", "length", "top", "opener", "parent",
    "frameElement", "open", "navigator", "clientInformation", "originAgentCluster", "alert",
    "confirm", "prompt", "print", "postMessage", "event", "external", "origin", "isSecureContext",
    "crossOriginIsolated", "localStorage", "sessionStorage", "setTimeout", "clearTimeout",
    "setInterval", "clearInterval", "queueMicrotask", "structuredClone", "reportError", "atob",
    "btoa", "fetch", "createImageBitmap", "caches", "crypto", "indexedDB", "performance",
    "scheduler", "trustedTypes", "requestAnimationFrame", "cancelAnimationFrame",
    "requestIdleCallback", "cancelIdleCallback", "speechSynthesis", "screen", "visualViewport",
    "innerWidth", "innerHeight", "scrollX", "scrollY", "pageXOffset", "pageYOffset", "scroll",
    "scrollTo", "scrollBy", "screenX", "screenY", "screenLeft", "screenTop", "outerWidth",
    "outerHeight", "devicePixelRatio", "moveTo", "moveBy", "resizeTo", "resizeBy", "matchMedia",
    "getComputedStyle", "getSelection", "addEventListener", "removeEventListener", "dispatchEvent",
    // Constructors the engine and extensions use.
    "Image", "Audio", "Option", "Event", "CustomEvent", "EventTarget", "KeyboardEvent",
    "MouseEvent", "TouchEvent", "PointerEvent", "Node", "Element", "HTMLElement", "Document",
    "Window", "URL", "Blob", "File", "FileReader", "XMLHttpRequest", "WebSocket", "Worker",
    "AudioContext", "webkitAudioContext", "Path2D", "ImageData", "TextEncoder", "TextDecoder",
    "DOMParser", "AbortController", "Request", "Response", "Headers", "FormData"};

// The window's event handlers are "on" + each of these.
// clang-format off
constexpr std::string_view kWindowEvents[] = {
    "abort", "afterprint", "animationend", "animationiteration", "animationstart", "beforeprint",
    "beforeunload", "blur", "canplay", "canplaythrough", "change", "click", "close",
    "contextmenu", "dblclick", "devicemotion", "deviceorientation", "drag", "dragend",
    "dragenter", "dragleave", "dragover", "dragstart", "drop", "durationchange", "emptied",
    "ended", "error", "focus", "gamepadconnected", "gamepaddisconnected", "hashchange", "input",
    "invalid", "keydown", "keypress", "keyup", "languagechange", "load", "loadeddata",
    "loadedmetadata", "loadstart", "message", "messageerror", "mousedown", "mouseenter",
    "mouseleave", "mousemove", "mouseout", "mouseover", "mouseup", "offline", "online",
    "pagehide", "pageshow", "pause", "play", "playing", "pointercancel", "pointerdown",
    "pointerenter", "pointerleave", "pointermove", "pointerout", "pointerover", "pointerup",
    "popstate", "progress", "ratechange", "rejectionhandled", "reset", "resize", "scroll",
    "seeked", "seeking", "select", "stalled", "storage", "submit", "suspend", "timeupdate",
    "toggle", "touchcancel", "touchend", "touchmove", "touchstart", "transitionend",
    "unhandledrejection", "unload", "volumechange", "waiting", "wheel"};
// clang-format on

std::unordered_set<std::string>& EngineNames() {
  static std::unordered_set<std::string> names;
  return names;
}

// The globals a resource declares: its variable, and its constructor unless
// it is a function.
std::vector<std::string> GlobalsOf(const GameName& r) {
  if (r.kind == ResourceKind::Function) return {r.name};
  return {r.name, "__" + r.name};
}

std::string Subject(const GameName& r) {
  return std::string("The ") + KindWord(r.kind) + " name '" + r.name + "'";
}

}  // namespace

void LoadEngineNames(std::string_view engine_template, const std::string& keyword_path) {
  std::unordered_set<std::string>& names = EngineNames();
  names.clear();
  for (std::string& name : TopLevelNames(engine_template)) names.insert(std::move(name));
  std::vector<KeywordFileRecord> records;
  ReadKeywordFile(keyword_path, &records);
  for (KeywordFileRecord& record : records) names.insert(std::move(record.name));
}

bool IsEngineName(std::string_view name) { return EngineNames().count(std::string(name)) > 0; }

bool IsBrowserName(std::string_view name) {
  static const std::unordered_set<std::string_view> names(std::begin(kBrowserNames),
                                                          std::end(kBrowserNames));
  static const std::unordered_set<std::string_view> events(std::begin(kWindowEvents),
                                                           std::end(kWindowEvents));
  return names.count(name) > 0 || (name.substr(0, 2) == "on" && events.count(name.substr(2)) > 0);
}

bool NamesClash(const GameName& a, const GameName& b) {
  for (const std::string& x : GlobalsOf(a))
    for (const std::string& y : GlobalsOf(b))
      if (x == y) return true;
  return false;
}

std::string ReservedNameProblem(const GameName& resource) {
  for (const std::string& global : GlobalsOf(resource)) {
    if (IsEngineName(global)) return Subject(resource) + " is already used by the game engine";
    if (IsBrowserName(global)) return Subject(resource) + " is already used by the browser";
  }
  return "";
}

std::string UsedByProblem(const GameName& resource, const GameName& user) {
  return Subject(resource) + " is already used by the " + KindWord(user.kind) + " '" + user.name +
         "'";
}

std::vector<std::string> GameNameProblems(const std::vector<GameName>& names) {
  std::vector<std::string> problems;
  // Each global with the first resource declaring it.
  std::unordered_map<std::string, const GameName*> declared;
  for (const GameName& resource : names) {
    std::string problem = CheckJsName(KindWord(resource.kind), resource.name);
    if (problem.empty()) problem = ReservedNameProblem(resource);
    for (const std::string& global : GlobalsOf(resource)) {
      const auto [at, added] = declared.emplace(global, &resource);
      if (!added && problem.empty()) problem = UsedByProblem(resource, *at->second);
    }
    if (!problem.empty()) problems.push_back(std::move(problem));
  }
  return problems;
}

}  // namespace vorlane
