
/* VORLANE_VERSION */
v1.2.9

/* VORLANE_EXTENSIONS */
/* Shake by Ann */

shake();




/* VORLANE_GLOBAL_VARIABLES */


/* VORLANE_GLOBAL_FUNCTIONS */



/* VORLANE_SPRITES */


/* VORLANE_SOUNDS */


/* VORLANE_MUSICS */


/* VORLANE_BACKGROUNDS */


/* VORLANE_FONTS */


/* VORLANE_OBJECTS */
function __a() {
__instance_init__(this, a, null, 1, 0, null, 1, 0);
this.on_creation = function() {
with(this) {
on("Creation");
}
};
this.on_destroy = function() {
with(this) {
on("Destroy");
}
};
this.on_step = function() {
with(this) {
on("Step");
second();
}
};
this.on_end_step = function() {
with(this) {
on("End step");
}
};
this.on_collision = function() {
with(this) {
this.other = this.place_meeting(this.x, this.y, wall);
if(this.other != null && __vr_partner(wall)) {
on("Collision");
}
this.other = this.place_meeting(this.x, this.y, wall);
if(this.other != null && __vr_partner(wall)) {
with('wall ');
}
this.other = this.place_meeting(this.x, this.y, wall);
if(this.other != null && __vr_partner(wall)) {
with('	wall');
}
}
};
this.on_roomstart = function() {
with(this) {
on("Room start");
}
};
this.on_roomend = function() {
with(this) {
on("Room end");
}
};
this.on_animationend = function() {
if(this.image_index >= this.image_number - 1) {
with(this) {
on("Animation end");
}
}
};
this.on_draw = function() {
if (this.visible == 1) {
__handle_sprite__(this);
with(this) {
on("Draw");
}
}
};
}; var a = new __a();

function __b() {
__instance_init__(this, b, null, 1, 0, null, 1, 2);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = function() {
with(this) {
not_a();
}
};
this.on_end_step = on_end_step_i;
this.on_collision = on_collision_i;
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var b = new __b();

function __wall() {
__instance_init__(this, wall, null, 1, 0, null, 1, 3);
this.on_creation = on_creation_i;
this.on_destroy = on_destroy_i;
this.on_step = on_step_i;
this.on_end_step = on_end_step_i;
this.on_collision = on_collision_i;
this.on_roomstart = on_roomstart_i;
this.on_roomend = on_roomend_i;
this.on_animationend = on_animationend_i;
this.on_draw = on_draw_i;
}; var wall = new __wall();



/* VORLANE_SCENES */
function __r() { 
this.tiles = [
];
this.objects = [
[{o:a, x:0, y:0}]];
this.start = function() {
__room_start__(this, r, 640, 480, 30, 0, 0, 0, null, 0, 0, 0, 640, 480, null, 50, 50);
};
}
var r = new __r();
vr_scenes.push(r);
vr_room_to_go = r;

