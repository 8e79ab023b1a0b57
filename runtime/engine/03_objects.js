/* ---------------------------------------------------------------------
 * Objects and instances
 * ------------------------------------------------------------------- */

// Every instance inherits from its object resource, which inherits these
// defaults and methods. Methods here are also global functions: called as
// bare names inside with(this) they receive the instance as `this`.
function __vr_Instance() {}

var __vr_defaults = {
  id: 0, x: 0, y: 0, xstart: 0, ystart: 0, xprevious: 0, yprevious: 0,
  hspeed: 0, vspeed: 0, speed: 0, direction: 0, gravity: 0, gravity_direction: 270,
  friction: 0, sprite_index: null, image_index: 0, image_speed: 1,
  image_xscale: 1, image_yscale: 1, image_angle: 0, image_alpha: 1,
  visible: 1, depth: 0, collision: 1, object_index: null, other: null
};
for (var __k in __vr_defaults) __vr_Instance.prototype[__k] = __vr_defaults[__k];

// Read from the sprite itself, so that they change with sprite_index at
// once; giving them a value does nothing.
function __vr_sprite_field(name, field) {
  Object.defineProperty(__vr_Instance.prototype, name, {
    enumerable: true,
    configurable: true,
    get: function() {
      var spr = this.sprite_index;
      return (spr && spr.__vr_sprite) ? spr[field] : 0;
    },
    set: function() {}
  });
}
__vr_sprite_field('sprite_width', 'width');
__vr_sprite_field('sprite_height', 'height');
__vr_sprite_field('image_number', 'number');

function __vr_default_handler(prop) {
  var f = function() {
    var h = this && this.__vr_type && this.__vr_type.h[prop];
    if (h) h.call(this);
    else if (prop === 'on_draw' && this && this.visible == 1) __handle_sprite__(this);
  };
  f.__vr_default = true;
  return f;
}

// Defaults for events an object has no code for. At start-up each object
// takes the handler of its nearest parent that has one instead.
var on_creation_i = __vr_default_handler('on_creation');
var on_destroy_i = __vr_default_handler('on_destroy');
var on_step_i = __vr_default_handler('on_step');
var on_end_step_i = __vr_default_handler('on_end_step');
var on_collision_i = __vr_default_handler('on_collision');
var on_roomstart_i = __vr_default_handler('on_roomstart');
var on_roomend_i = __vr_default_handler('on_roomend');
var on_animationend_i = __vr_default_handler('on_animationend');
var on_draw_i = __vr_default_handler('on_draw');

var __vr_events = ['on_creation', 'on_destroy', 'on_step', 'on_end_step', 'on_collision',
                   'on_roomstart', 'on_roomend', 'on_animationend', 'on_draw'];

function __instance_init__(self, unused, parent, visible, depth, sprite, collision, index) {
  var ctor = self.constructor;
  // The parent object may come later in the project and still be undefined
  // here: its name is read from the constructor's text and resolved at start.
  var parent_name = null;
  if (ctor && typeof ctor === 'function') {
    var m = __vr_parent_arg.exec(Function.prototype.toString.call(ctor));
    if (m && m[1] !== 'null') parent_name = m[1];
  }
  if (ctor && ctor !== Object && Object.getPrototypeOf(self) === ctor.prototype) {
    Object.setPrototypeOf(ctor.prototype, __vr_Instance.prototype);
  } else {
    Object.setPrototypeOf(self, __vr_Instance.prototype);
  }
  var type = {
    name: __vr_name_of(self),
    obj: self,
    parent: null,
    parent_ref: parent || null,
    parent_name: parent_name,
    index: index,
    instances: [],
    family: null,   // this type and every type that descends from it
    h: {},          // the handler run for each event, inherited ones included
    ivars: [],
    make: null
  };
  self.__vr_type = type;
  self.object_index = self;
  self.sprite_index = sprite || null;
  self.visible = visible;
  self.depth = depth;
  self.collision = collision;
  self.name = type.name;
  __vr.types.push(type);
}

function __vr_type_of(obj) {
  return (obj && obj.__vr_type) ? obj.__vr_type : null;
}

function __vr_is_instance(o) {
  return o !== null && typeof o === 'object' && o.__vr_alive !== undefined;
}

// The instance a global function acts on: `this` when it is an instance,
// otherwise the instance whose event is running.
function __vr_me(t) {
  return (t !== null && typeof t === 'object' && t.__vr_alive !== undefined) ? t : __vr.self;
}

