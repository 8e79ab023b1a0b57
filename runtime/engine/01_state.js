//# allFunctionsCalledOnLoad
// (The line above has Chromium compile every function of game.js while the
// file downloads, on another thread, rather than each one on the page's
// thread when first called: the code made from a large scene is one long
// function, whose compiling held up the start of the game.)
/*
 * Vorlane game engine.
 *
 * Vorlane copies this file into every game it builds and puts the code made
 * from the project in place of the marker comments near the end. Plain
 * JavaScript without libraries; deliberately not in strict mode, because
 * event code runs inside with(this) so that instance variables can be used
 * by their bare names (at start the engine rewrites what it safely can to
 * plain property access, which is much faster: see __vr_unwith).
 *
 * Names starting with two underscores are the engine's own; everything else
 * that is global is for games to use and is listed in keywords.dat.
 */

var vr_version = '//VORLANE_VERSION';

/* ---------------------------------------------------------------------
 * Engine state. One object, so that it stays out of the way of game code.
 * ------------------------------------------------------------------- */

var __vr = {
  canvas: null,
  ctx: null,
  overlay: null,
  types: [],            // object resources, in project order
  instances: [],        // live instances in creation order
  dead: 0,              // destroyed instances still in the lists
  next_id: 100001,
  self: null,           // the instance whose event is running
  partner: null,        // the object the running Collision block is for
  only_partner: null,   // set: only that partner's Collision blocks run
  scene: null,
  layers: [],           // tile layers of the scene
  solid_layers: 0,      // how many of them are solid
  solid_grid: null,     // their tiles by cell, made when first needed
  order: [],            // instances and tile layers in drawing order
  order_dirty: true,
  bg: null,             // background image of the scene and how to lay it out
  bg_css: 'rgb(0,0,0)',
  follow: null,         // object type the view follows
  xborder: 0,
  yborder: 0,
  keys: [],
  pressed: [],
  released: [],
  any_down: 0,
  buttons: [0, 0, 0, 0],
  buttons_pressed: [0, 0, 0, 0],
  buttons_released: [0, 0, 0, 0],
  screen_x: 0,          // pointer position on the canvas
  screen_y: 0,
  pending: 0,           // pictures still loading
  asked: [],            // pictures named before start, not yet asked for
  booted: false,
  entered: false,       // the first scene has started
  needed: null,         // the pictures its first frame waits for
  rest: null,           // other frames of its sprites, which its first step waits for
  started: false,       // the first frame is drawn
  waiting: false,       // and the loop waits for `rest`
  running: false,
  manual: false,        // tests drive steps themselves
  paused: false,        // the debug run paused the loop
  step_wanted: false,   // and asked for one step
  acc: 0,
  last: -1,
  steps: 0,             // steps run since the game started
  frames: 0,            // frames drawn since the game started
  first_frame_ms: -1,   // page time of the first drawn frame
  fps_count: 0,
  fps_time: 0,
  switches: 0,
  alarmed: [],          // instances with an alarm set
  more_types: [],       // objects with alarm, keyboard or mouse events
  ev: null,             // the event running, for event_inherited
  drawn: null,          // the instance whose Draw event has drawn its sprite
  errors: [],
  color: 0,
  color_css: 'rgb(0,0,0)',
  alpha: 1,
  font: null,
  halign: 0,
  valign: 0,
  sounds: [],
  fonts: [],
  music: null,
  music_wanted: null,
  start_time: 0,
  script_complete: false
};

/* ---------------------------------------------------------------------
 * Constants
 * ------------------------------------------------------------------- */

var vk_nokey = 0, vk_anykey = 1;
var vk_backspace = 8, vk_tab = 9, vk_enter = 13, vk_shift = 16, vk_ctrl = 17,
    vk_alt = 18, vk_pause = 19, vk_escape = 27, vk_space = 32, vk_pageup = 33,
    vk_pagedown = 34, vk_end = 35, vk_home = 36, vk_left = 37, vk_up = 38,
    vk_right = 39, vk_down = 40, vk_insert = 45, vk_delete = 46;
var vk_0 = 48, vk_1 = 49, vk_2 = 50, vk_3 = 51, vk_4 = 52, vk_5 = 53, vk_6 = 54,
    vk_7 = 55, vk_8 = 56, vk_9 = 57;
var vk_a = 65, vk_b = 66, vk_c = 67, vk_d = 68, vk_e = 69, vk_f = 70, vk_g = 71,
    vk_h = 72, vk_i = 73, vk_j = 74, vk_k = 75, vk_l = 76, vk_m = 77, vk_n = 78,
    vk_o = 79, vk_p = 80, vk_q = 81, vk_r = 82, vk_s = 83, vk_t = 84, vk_u = 85,
    vk_v = 86, vk_w = 87, vk_x = 88, vk_y = 89, vk_z = 90;
var vk_num0 = 96, vk_num1 = 97, vk_num2 = 98, vk_num3 = 99, vk_num4 = 100,
    vk_num5 = 101, vk_num6 = 102, vk_num7 = 103, vk_num8 = 104, vk_num9 = 105,
    vk_multiply = 106, vk_add = 107, vk_subtract = 109, vk_decimal = 110,
    vk_divide = 111;
var vk_f1 = 112, vk_f2 = 113, vk_f3 = 114, vk_f4 = 115, vk_f5 = 116, vk_f6 = 117,
    vk_f7 = 118, vk_f8 = 119, vk_f9 = 120, vk_f10 = 121, vk_f11 = 122, vk_f12 = 123;

var mb_any = -1, mb_none = 0, mb_left = 1, mb_middle = 2, mb_right = 3;

var fa_left = 0, fa_center = 1, fa_right = 2, fa_top = 0, fa_middle = 1, fa_bottom = 2;

// Colours are red + 256 * green + 65536 * blue, as in the rest of Vorlane.
var c_black = 0, c_white = 16777215, c_red = 255, c_lime = 65280, c_blue = 16711680,
    c_yellow = 65535, c_aqua = 16776960, c_fuchsia = 16711935, c_gray = 8421504,
    c_silver = 12632256, c_dkgray = 4210752, c_ltgray = 13882323, c_maroon = 128,
    c_green = 32768, c_navy = 8388608, c_olive = 32896, c_purple = 8388736,
    c_teal = 8421376, c_orange = 4235519;

var pi = Math.PI;

/* ---------------------------------------------------------------------
 * Global game variables
 * ------------------------------------------------------------------- */

var room = null, room_width = 0, room_height = 0, room_speed = 30;
var background_color = 0;
var view_xview = 0, view_yview = 0, view_wview = 0, view_hview = 0;
var mouse_x = 0, mouse_y = 0;
var keyboard_lastkey = 0;
var fps = 0;
var score = 0, lives = 3;

// Filled by the generated code: every scene in project order, and the scene
// to go to at the end of the current step (the first scene at start-up).
var vr_scenes = [];
var vr_room_to_go = null;

