// The code of the example game: global variables and functions, the events
// of its objects and the level's scene code, as a user would type them.
'use strict';

const variables = [
  '// Shared by every object and kept from scene to scene.',
  "var best = load_value('best', 0);",
  "var message = '';",
  'var gems_total = 0;',
].join('\n');

const functions = '';

const comments = [
  'Gem Garden: walk with the arrow keys or WASD (or hold the mouse button or a finger on the screen),',
  'collect every gem and keep away from the slimes and beetles.',
  'The best score is kept by the Save data extension.',
].join('\n');

const userFunctions = [{
  name: 'draw_text_shadow',
  params: 'x, y, text',
  description: 'Draws text with a dark shadow so that it reads well on any background.',
  code: [
    'var colour = draw_get_color();',
    'draw_set_color(c_black);',
    'draw_text(x + 2, y + 2, text);',
    'draw_set_color(colour);',
    'draw_text(x, y, text);',
  ].join('\n'),
}];

const levelCode = 'gems_total = instance_number(obj_gem);';

const lines = (...l) => l.join('\n');

// [object, event, parameter, code] in the order they were added.
const events = [
  ['obj_enemy', 'Step', '', lines(
    '// Turn round at walls and at the edges of the scene.',
    'if (!place_free(x + hspeed, y) || x + hspeed < 16 || x + hspeed > room_width - 16) {',
    '  hspeed = -hspeed;',
    '}',
    'if (!place_free(x, y + vspeed) || y + vspeed < 16 || y + vspeed > room_height - 16) {',
    '  vspeed = -vspeed;',
    '}',
    'if (hspeed != 0) image_xscale = sign(hspeed);',
    'if (vspeed != 0) image_yscale = -sign(vspeed);')],
  ['obj_slime', 'Creation', '', lines(
    '// Each slime sets off in the direction it was given in the scene.',
    'speed = 1.5;',
    'image_speed = 0.15;')],
  ['obj_beetle', 'Creation', '', lines(
    'speed = 1.2;',
    'image_speed = 0.3;')],
  ['obj_gem', 'Creation', '', lines(
    'image_speed = 0.2;',
    'image_index = irandom(5);')],
  ['obj_sparkle', 'Creation', '', 'image_speed = 0.5;'],
  ['obj_sparkle', 'Animation end', '', 'instance_destroy();'],
  ['obj_player', 'Creation', '', lines(
    'walk_speed = 3;',
    'hurt = 0;',
    'image_speed = 0;')],
  ['obj_player', 'Step', '', lines(
    '// Arrow keys or WASD; holding the mouse button or a finger walks towards it.',
    'var dx = 0, dy = 0;',
    'if (keyboard_check(vk_left) || keyboard_check(vk_a)) dx -= 1;',
    'if (keyboard_check(vk_right) || keyboard_check(vk_d)) dx += 1;',
    'if (keyboard_check(vk_up) || keyboard_check(vk_w)) dy -= 1;',
    'if (keyboard_check(vk_down) || keyboard_check(vk_s)) dy += 1;',
    'if (mouse_check_button(mb_left) && point_distance(x, y, mouse_x, mouse_y) > 6) {',
    '  dx = mouse_x - x;',
    '  dy = mouse_y - y;',
    '}',
    'if (dx != 0 || dy != 0) {',
    '  var len = point_distance(0, 0, dx, dy);',
    '  var mx = dx / len * walk_speed, my = dy / len * walk_speed;',
    '  // One axis at a time, so that the player slides along walls (the',
    '  // tiles of the scene\'s solid layer).',
    '  if (place_free(x + mx, y)) x += mx;',
    '  if (place_free(x, y + my)) y += my;',
    '  if (mx != 0) image_xscale = sign(mx);',
    '  image_speed = 0.25;',
    '} else {',
    '  image_speed = 0;',
    '  image_index = 0;',
    '}',
    'if (hurt > 0) {',
    '  hurt -= 1;',
    '  image_alpha = (hurt % 10 < 5) ? 0.35 : 1;',
    '} else {',
    '  image_alpha = 1;',
    '}')],
  ['obj_player', 'Collision', 'obj_gem', lines(
    'sound_play(snd_gem);',
    'score += 10;',
    'instance_create(other.x, other.y, obj_sparkle);',
    'instance_destroy(other);',
    'if (instance_number(obj_gem) == 0) {',
    "  message = 'You found every gem!';",
    '  room_goto(scene_title);',
    '}')],
  ['obj_player', 'Collision', 'obj_enemy', lines(
    '// obj_enemy is the parent of slimes and beetles: this meets them all.',
    'if (hurt == 0) {',
    '  sound_play(snd_hurt);',
    '  lives -= 1;',
    '  hurt = 90;',
    '  if (lives <= 0) {',
    "    message = 'Game over! Try again.';",
    '    room_goto(scene_title);',
    '  } else {',
    '    x = xstart;',
    '    y = ystart;',
    '  }',
    '}')],
  ['obj_hud', 'Room start', '', 'music_play(mus_theme);'],
  ['obj_hud', 'Draw', '', lines(
    '// A bar along the top of the view.',
    'var left = view_xview, top = view_yview;',
    'draw_set_alpha(0.5);',
    'draw_set_color(c_black);',
    'draw_rectangle(left, top, left + view_wview, top + 34, false);',
    'draw_set_alpha(1);',
    'draw_set_font(fnt_hud);',
    'draw_set_valign(fa_middle);',
    'draw_set_halign(fa_left);',
    'draw_set_color(c_white);',
    "draw_text_shadow(left + 12, top + 17, 'Score ' + score);",
    'for (var i = 0; i < lives; i++) {',
    '  draw_sprite(spr_heart, 0, left + 130 + i * 22, top + 9);',
    '}',
    'draw_set_halign(fa_right);',
    "draw_text_shadow(left + view_wview - 12, top + 17, 'Gems ' + (gems_total - instance_number(obj_gem)) + ' / ' + gems_total);",
    'draw_set_halign(fa_left);',
    'draw_set_valign(fa_top);')],
  ['obj_hud', 'Room end', '', lines(
    'if (score > best) {',
    '  best = score;',
    "  save_value('best', best);",
    '}',
    'music_stop();')],
  ['obj_title', 'Creation', '', 't = 0;'],
  ['obj_title', 'Step', '', lines(
    't += 1;',
    'if (keyboard_check_pressed(vk_space) || keyboard_check_pressed(vk_enter) || mouse_check_button_pressed(mb_left)) {',
    '  score = 0;',
    '  lives = 3;',
    "  message = '';",
    '  room_goto(scene_level);',
    '}')],
  ['obj_title', 'Draw', '', lines(
    'var cx = room_width / 2;',
    'draw_set_halign(fa_center);',
    'draw_set_valign(fa_middle);',
    'draw_set_font(fnt_title);',
    'draw_set_color(make_color_rgb(255, 214, 90));',
    "draw_text_shadow(cx, 110 + dsin(t * 3) * 6, 'Gem Garden');",
    '// The hero, twice the size, walking on the spot.',
    'draw_sprite_ext(spr_player, floor(t / 6), cx, 178, 2, 2, 0, 1);',
    'draw_set_font(fnt_hud);',
    'draw_set_color(c_white);',
    "if (message != '') draw_text_shadow(cx, 232, message);",
    "draw_text_shadow(cx, 260, 'Best score ' + best);",
    "if (floor(t / 20) % 2 == 0) draw_text_shadow(cx, 305, 'Press SPACE or click to play');",
    'draw_set_font(fnt_small);',
    "draw_text_shadow(cx, 340, 'Arrow keys or WASD to walk. Collect every gem, keep away from slimes and beetles.');",
    'draw_set_halign(fa_left);',
    'draw_set_valign(fa_top);')],
];

module.exports = { variables, functions, comments, userFunctions, levelCode, events };
