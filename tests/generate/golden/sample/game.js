
/* VORLANE_VERSION */
v1.2.9

/* VORLANE_EXTENSIONS */
/* Shake by Ann */

shake();




/* VORLANE_GLOBAL_VARIABLES */
var score = 0;

/* VORLANE_GLOBAL_FUNCTIONS */
function f() {}
function add(a, b) { 
return a + b;
}


/* VORLANE_SPRITES */
function __spr_hero() { 
__sprite_init__(this, spr_hero, 24, 20, 6, 7, 'Circle', 5, 1, 2, 3, 4, ['img/spr_hero_0.png','img/spr_hero_1.png']);
}; var spr_hero = new __spr_hero();



/* VORLANE_SOUNDS */
function __snd_jump() { 
__audio_init__(this, snd_jump, 'aud/jump.wav', '', 'aud/jump.ogg');
}; var snd_jump = new __snd_jump();



/* VORLANE_MUSICS */
function __mus_theme() { 
__audio_init__(this, mus_theme, '', 'aud/theme.mp3', '');
}; var mus_theme = new __mus_theme();



/* VORLANE_BACKGROUNDS */
function __bg_tiles() { 
__background_init__(this, bg_tiles, 'img/tiles.png')}; var bg_tiles = new __bg_tiles();



/* VORLANE_FONTS */
function __fnt_score() { 
__font_init__(this, fnt_score, 'Sans', 20, 1, 0)}; var fnt_score = new __fnt_score();



/* VORLANE_OBJECTS */
function __obj_player() {
__instance_init__(this, obj_player, null, 1, -10, spr_hero, 1, 0);
this.on_creation = function() {
with(this) {
speed = 4;
}
};
this.on_destroy = on_destroy_i;
this.on_step = on_step_i;
this.on_end_step = on_end_step_i;
this.on_collision = function() {
with(this) {
this.other = this.place_meeting(this.x, this.y, obj_wall);
if(this.other != null && __vr_partner(obj_wall)) {
if (a < b && c) {
}
}
}
};
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var obj_player = new __obj_player();

function __obj_wall() {
__instance_init__(this, obj_wall, obj_player, 0, 5, null, 1, 2);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = function() {
with(this) {
x += 1;
}
};
this.on_end_step = on_end_step_i;
this.on_collision = on_collision_i;
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var obj_wall = new __obj_wall();



/* VORLANE_SCENES */
function __level() { 
this.tiles = [
[500,
[bg_tiles,
[4,8,16,24,32,48],
[20,8,16,24,48,48]]]];
this.objects = [
[{o:obj_player, x:32, y:48}],
[{o:obj_wall, x:64, y:48, d:180, a:-30}]];
this.start = function() {
__room_start__(this, level, 1000, 800, 60, 1, 2, 3, bg_tiles.image, 1, 0, 1, 320, 240, obj_player, 11, 12);

start();
};
}
var level = new __level();
vr_scenes.push(level);
vr_room_to_go = level;

