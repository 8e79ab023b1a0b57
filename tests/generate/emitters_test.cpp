#include "generate/emitters.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// Expected texts are written with "\n"; generated code breaks lines with CR LF.
std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

ImageRef Picture(int width, int height) {
  return ShareImage(Image::Transparent(width, height));
}

GameObject Object(const std::string& name, const std::string& sprite = "") {
  GameObject o;
  o.name = name;
  o.sprite = sprite;
  return o;
}

GameObject Instance(const std::string& of, const std::string& scene, int x, int y) {
  GameObject o;
  o.prototype = 0;
  o.template_ = of;
  o.name = "inst_" + of;
  o.scene = scene;
  o.x = x;
  o.y = y;
  return o;
}

Tile MakeTile(const std::string& scene, const std::string& set, int depth, int left, int x) {
  Tile t;
  t.scene = scene;
  t.background = set;
  t.depth = depth;
  t.left = left;
  t.width = t.height = 16;
  t.x = x;
  return t;
}

constexpr char kDefaultHandlers[] =
    "this.on_destroy = on_destroy_i;\n"
    "this.on_step = on_step_i;\n"
    "this.on_end_step = on_end_step_i;\n"
    "this.on_collision = on_collision_i;\n"
    "this.on_roomstart = on_roomstart_i;\n"
    "this.on_roomend = on_roomend_i;\n"
    "this.on_animationend = on_animationend_i;\n"
    "this.on_draw = on_draw_i;\n";

TEST(EmittersTest, EmptyProjectGivesOnlyVersionAndOneLineBreak) {
  const Project p;
  EXPECT_EQ(EmitVersion(), "v1.2.9");
  EXPECT_EQ(EmitExtensions({}), "");
  EXPECT_EQ(EmitGlobalVariables(p), "");
  EXPECT_EQ(EmitGlobalFunctions(p), "\r\n");
  EXPECT_EQ(EmitSprites(p), "");
  EXPECT_EQ(EmitSounds(p), "");
  EXPECT_EQ(EmitMusics(p), "");
  EXPECT_EQ(EmitBackgrounds(p), "");
  EXPECT_EQ(EmitFonts(p), "");
  EXPECT_EQ(EmitObjects(p), "");
  EXPECT_EQ(EmitScenes(p), "");
}

TEST(EmittersTest, ExtensionsGiveCodeWhenEnabledAndALineBreakEach) {
  Extension on{"shake", "Screen shake", "Ann", "", "", "\r\nshake();\r\n", 1};
  Extension off{"other", "Other", "Bob", "", "", "\r\nother();\r\n", 0};
  EXPECT_EQ(EmitExtensions({off}), "\r\n");
  EXPECT_EQ(EmitExtensions({on, off}),
            Crlf("/* Screen shake by Ann */\n\nshake();\n\n\n"));
}

TEST(EmittersTest, GlobalCodeIsInsertedVerbatim) {
  Project p;
  p.settings.variables = "var a = '<&>';\nvar b;";
  p.settings.functions = "function g() {}";
  p.fns.push_back({"clamp", "v, lo, hi", "not emitted", "return v;\nx"});
  p.fns.push_back({"noop", "", "", ""});
  EXPECT_EQ(EmitGlobalVariables(p), "var a = '<&>';\nvar b;");
  EXPECT_EQ(EmitGlobalFunctions(p),
            "function g() {}\r\n"
            "function clamp(v, lo, hi) { \r\nreturn v;\nx\r\n}\r\n"
            "function noop() { \r\n\r\n}\r\n");
}

TEST(EmittersTest, SpritesListTheirFramesAndTakeTheLastFramesSize) {
  Project p;
  p.sprites.push_back({"spr_ball", nullptr, "Circle", 16, 0, 32, 0, 32, 16, 16});
  p.sprites.push_back({"empty", nullptr, "Box", 0, -1, 2, -3, 4, -5, 6});
  p.frames.push_back({"0", "spr_ball", Picture(32, 32)});
  p.frames.push_back({"7", "other", Picture(5, 5)});
  p.frames.push_back({"1", "spr_ball", Picture(32, 32)});
  EXPECT_EQ(EmitSprites(p),
            Crlf("function __spr_ball() { \n"
                 "__sprite_init__(this, spr_ball, 32, 32, 16, 16, 'Circle', 16, 0, 32, 0, 32, "
                 "['img/spr_ball_0.png','img/spr_ball_1.png']);\n"
                 "}; var spr_ball = new __spr_ball();\n\n"
                 "function __empty() { \n"
                 "__sprite_init__(this, empty, 0, 0, -5, 6, 'Box', 0, -1, 2, -3, 4, []);\n"
                 "}; var empty = new __empty();\n\n"));

  // The size is the last frame's, and a frame without a picture counts as 0.
  p.frames[0].image = Picture(10, 20);
  p.frames[2].image = Picture(48, 24);
  EXPECT_NE(EmitSprites(p).find("spr_ball, 48, 24, 16"), std::string::npos);
  p.frames[2].image = nullptr;
  EXPECT_NE(EmitSprites(p).find("spr_ball, 0, 0, 16"), std::string::npos);
}

TEST(EmittersTest, SoundsAndMusicsSkipRecordsWithoutFiles) {
  Project p;
  p.sounds.push_back({"silent", "", "", ""});
  p.sounds.push_back({"snd", "", "", "snd.ogg"});
  p.musics.push_back({"song", "a.wav", "a.mp3", "a.ogg"});
  p.musics.push_back({"none", "", "", ""});
  EXPECT_EQ(EmitSounds(p), Crlf("function __snd() { \n"
                                "__audio_init__(this, snd, '', '', 'aud/snd.ogg');\n"
                                "}; var snd = new __snd();\n\n"));
  EXPECT_EQ(EmitMusics(p),
            Crlf("function __song() { \n"
                 "__audio_init__(this, song, 'aud/a.wav', 'aud/a.mp3', 'aud/a.ogg');\n"
                 "}; var song = new __song();\n\n"));
}

TEST(EmittersTest, BackgroundsWithAFileAndEveryFont) {
  Project p;
  p.backgrounds.push_back({"unused", "", nullptr});
  p.backgrounds.push_back({"bg_sky", "sky.png", nullptr});
  p.fonts.push_back({"fnt_title", "Arial", 12, 1, 0});
  EXPECT_EQ(EmitBackgrounds(p),
            Crlf("function __bg_sky() { \n"
                 "__background_init__(this, bg_sky, 'img/sky.png')}; var bg_sky = new __bg_sky();"
                 "\n\n"));
  EXPECT_EQ(EmitFonts(p),
            Crlf("function __fnt_title() { \n"
                 "__font_init__(this, fnt_title, 'Arial', 12, 1, 0)}; var fnt_title = new "
                 "__fnt_title();\n\n"));
}

TEST(EmittersTest, NamesAndTextsAreNotEscaped) {
  Project p;
  p.fonts.push_back({"f", "It's \"x\"", -3, 0, 1});
  EXPECT_NE(EmitFonts(p).find("'It's \"x\"', -3, 0, 1)"), std::string::npos);
}

TEST(EmittersTest, MediaOfAProjectWithoutSubFoldersSitBesideThePage) {
  Project p;
  p.imgfolder = "";
  p.audfolder = "";
  p.sprites.push_back({"s", nullptr});
  p.frames.push_back({"0", "s", nullptr});
  p.backgrounds.push_back({"b", "b.png", nullptr});
  p.sounds.push_back({"w", "w.wav", "", ""});
  EXPECT_NE(EmitSprites(p).find("['s_0.png']"), std::string::npos);
  EXPECT_NE(EmitBackgrounds(p).find("'b.png')"), std::string::npos);
  EXPECT_NE(EmitSounds(p).find("'w.wav', '', ''"), std::string::npos);
}

TEST(EmittersTest, ObjectExampleCountsInstancesInItsIndex) {
  Project p;
  p.objects.push_back(Instance("x", "room", 0, 0));
  p.objects.push_back(Instance("x", "room", 0, 0));
  p.objects.push_back(Object("obj_ball", "spr_ball"));
  p.sprites.push_back({"spr_ball"});
  p.scripts.push_back({"scr_1", "obj_ball", "Creation", "", "speed = 4;"});
  EXPECT_EQ(EmitObjects(p), Crlf(std::string("function __obj_ball() {\n"
                                             "__instance_init__(this, obj_ball, null, 1, 0, "
                                             "spr_ball, 1, 2);\n"
                                             "this.on_creation = function() {\n"
                                             "with(this) {\n"
                                             "speed = 4;\n"
                                             "}\n"
                                             "};\n") +
                                 kDefaultHandlers + "}; var obj_ball = new __obj_ball();\n\n"));
}

TEST(EmittersTest, ObjectWithoutScriptsParentOrSprite) {
  Project p;
  GameObject o = Object("plain");
  o.visible = 0;
  o.depth = -7;
  o.collision = 0;
  p.objects.push_back(o);
  o = Object("child", "spr");
  o.parent = "plain";
  p.sprites.push_back({"spr"});
  p.objects.push_back(o);
  const std::string out = EmitObjects(p);
  EXPECT_EQ(out.substr(0, out.find("this.on_destroy")),
            Crlf("function __plain() {\n"
                 "__instance_init__(this, plain, null, 0, -7, null, 0, 0);\n"
                 "this.on_creation = on_creation_i;\n"));
  EXPECT_NE(out.find(Crlf("__instance_init__(this, child, plain, 1, 0, spr, 1, 1);\n")),
            std::string::npos);
}

TEST(EmittersTest, HandlersJoinScriptsAndGuardCollisionAnimationAndDraw) {
  Project p;
  p.objects.push_back(Object("a"));
  p.objects.push_back(Object("b"));
  p.objects.push_back(Object("wall"));
  p.scripts.push_back({"s1", "a", "Step", "", "one();"});
  p.scripts.push_back({"s2", "b", "Step", "", "not_mine();"});
  p.scripts.push_back({"s3", "a", "Collision", "", "ignored();"});
  p.scripts.push_back({"s4", "a", "Step", "", "two();"});
  p.scripts.push_back({"s5", "a", "Collision", "wall", "hit();"});
  p.scripts.push_back({"s6", "a", "Animation end", "", "done();"});
  p.scripts.push_back({"s7", "a", "Draw", "", "draw();"});
  p.scripts.push_back({"s8", "a", "Keyboard", "", "unknown_kind();"});
  p.scripts.push_back({"s9", "a", "End step", "", "end();"});
  p.scripts.push_back({"s10", "a", "Destroy", "", "bye();"});
  p.scripts.push_back({"s11", "a", "Room start", "", "rs();"});
  p.scripts.push_back({"s12", "a", "Room end", "", "re();"});
  const std::string handlers =
      "this.on_creation = on_creation_i;\n"
      "this.on_destroy = function() {\nwith(this) {\nbye();\n}\n};\n"
      "this.on_step = function() {\nwith(this) {\none();\ntwo();\n}\n};\n"
      "this.on_end_step = function() {\nwith(this) {\nend();\n}\n};\n"
      "this.on_collision = function() {\nwith(this) {\n"
      "this.other = this.place_meeting(this.x, this.y, wall);\n"
      "if(this.other != null) {\nhit();\n}\n"
      "}\n};\n"
      "this.on_roomstart = function() {\nwith(this) {\nrs();\n}\n};\n"
      "this.on_roomend = function() {\nwith(this) {\nre();\n}\n};\n"
      "this.on_animationend = function() {\n"
      "if(this.image_index >= this.image_number - 1) {\nwith(this) {\ndone();\n}\n}\n};\n"
      "this.on_draw = function() {\n"
      "if (this.visible == 1) {\n__handle_sprite__(this);\nwith(this) {\ndraw();\n}\n}\n};\n";
  const std::string head = "function __a() {\n__instance_init__(this, a, null, 1, 0, null, 1, 0);\n";
  const std::string out = EmitObjects(p);
  EXPECT_EQ(out.substr(0, out.find("function __b")),
            Crlf(head + handlers + "}; var a = new __a();\n\n"));
  EXPECT_EQ(out.find("unknown_kind"), std::string::npos);
  EXPECT_NE(out.find("not_mine"), std::string::npos);

  // Advanced mode drops every with(this) wrapper and its brace only.
  p.settings.advancedscriptmode = 1;
  const std::string adv = EmitObjects(p);
  EXPECT_EQ(adv.find("with(this)"), std::string::npos);
  EXPECT_NE(adv.find(Crlf("this.on_step = function() {\none();\ntwo();\n};\n")), std::string::npos);
  EXPECT_NE(adv.find(Crlf("this.on_animationend = function() {\n"
                          "if(this.image_index >= this.image_number - 1) {\ndone();\n}\n};\n")),
            std::string::npos);
  EXPECT_NE(adv.find(Crlf("this.on_draw = function() {\nif (this.visible == 1) {\n"
                          "__handle_sprite__(this);\ndraw();\n}\n};\n")),
            std::string::npos);
}

TEST(EmittersTest, CollisionWithOnlyAnEmptyParameterHasAnEmptyBody) {
  Project p;
  p.objects.push_back(Object("a"));
  p.scripts.push_back({"s", "a", "Collision", "", "never();"});
  EXPECT_NE(EmitObjects(p).find(Crlf("this.on_collision = function() {\nwith(this) {\n}\n};\n")),
            std::string::npos);
  p.settings.advancedscriptmode = 1;
  EXPECT_NE(EmitObjects(p).find(Crlf("this.on_collision = function() {\n};\n")),
            std::string::npos);
}

TEST(EmittersTest, SceneExampleWithTilesAndInstances) {
  Project p;
  p.objects.push_back(Object("obj_player"));
  p.objects.push_back(Object("obj_enemy"));
  p.objects.push_back(Instance("obj_player", "room1", 32, 48));
  p.objects.push_back(Instance("obj_enemy", "room1", 200, 48));
  p.objects.back().direction = 180;
  p.objects.push_back(Instance("obj_enemy", "elsewhere", 1, 1));
  p.backgrounds.push_back({"bg_sky", "sky.png"});
  p.backgrounds.push_back({"tileset1", "tiles.png"});
  Scene s;
  s.name = "room1";
  s.background = "bg_sky";
  s.backgroundstretch = 1;
  s.viewportobject = "obj_player";
  s.viewportxborder = s.viewportyborder = 32;
  p.scenes.push_back(s);
  Tile a = MakeTile("room1", "tileset1", 1000000, 0, 32);
  a.y = 64;
  Tile b = MakeTile("room1", "tileset1", 1000000, 16, 48);
  b.y = 64;
  p.tiles = {a, MakeTile("elsewhere", "tileset1", 5, 0, 0), b};
  EXPECT_EQ(EmitScenes(p),
            Crlf("function __room1() { \n"
                 "this.tiles = [\n"
                 "[1000000,\n"
                 "[tileset1,\n"
                 "[0,0,16,16,32,64],\n"
                 "[16,0,16,16,48,64]]]];\n"
                 "this.objects = [\n"
                 "[{o:obj_player, x:32, y:48}],\n"
                 "[{o:obj_enemy, x:200, y:48, d:180}]];\n"
                 "this.start = function() {\n"
                 "__room_start__(this, room1, 640, 480, 30, 0, 0, 0, bg_sky.image, 0, 0, 1, 640, "
                 "480, obj_player, 32, 32);\n"
                 "};\n"
                 "}\n"
                 "var room1 = new __room1();\n"
                 "vr_scenes.push(room1);\n"
                 "vr_room_to_go = room1;\n"));
}

TEST(EmittersTest, EmptyScenesCodeAndTheFirstSceneToGoTo) {
  Project p;
  Scene s;
  s.name = "first";
  s.width = -1;
  s.speed = 60;
  s.red = 1;
  s.green = 2;
  s.blue = 3;
  s.backgroundtilex = 4;
  s.backgroundtiley = 5;
  s.viewportwidth = 6;
  s.viewportheight = 7;
  s.viewportxborder = 8;
  s.viewportyborder = 9;
  s.code = "score = 0;";
  p.scenes.push_back(s);
  s = Scene{};
  s.name = "second";
  p.scenes.push_back(s);
  EXPECT_EQ(EmitScenes(p),
            Crlf("function __first() { \n"
                 "this.tiles = [\n];\n"
                 "this.objects = [\n];\n"
                 "this.start = function() {\n"
                 "__room_start__(this, first, -1, 480, 60, 1, 2, 3, null, 4, 5, 0, 6, 7, null, 8, "
                 "9);\n"
                 "\nscore = 0;\n"
                 "};\n}\nvar first = new __first();\nvr_scenes.push(first);\n"
                 "function __second() { \n"
                 "this.tiles = [\n];\n"
                 "this.objects = [\n];\n"
                 "this.start = function() {\n"
                 "__room_start__(this, second, 640, 480, 30, 0, 0, 0, null, 0, 0, 0, 640, 480, "
                 "null, 50, 50);\n"
                 "};\n}\nvar second = new __second();\nvr_scenes.push(second);\n"
                 "vr_room_to_go = first;\n"));
}

TEST(EmittersTest, TilesGroupByDepthThenTileSetInOrderOfFirstAppearance) {
  Project p;
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "r";
  p.backgrounds = {{"setA", "a.png"}, {"setB", "b.png"}};
  p.tiles = {MakeTile("r", "setB", 10, 1, 0), MakeTile("r", "setA", 20, 2, 0),
             MakeTile("r", "setA", 10, 3, 0), MakeTile("r", "setB", 20, 4, 0),
             MakeTile("r", "setB", 10, 5, 0)};
  const std::string out = EmitScenes(p);
  EXPECT_EQ(out.substr(0, out.find("this.objects")),
            Crlf("function __r() { \n"
                 "this.tiles = [\n"
                 "[10,\n"
                 "[setB,\n"
                 "[1,0,16,16,0,0],\n"
                 "[5,0,16,16,0,0]],\n"
                 "[setA,\n"
                 "[3,0,16,16,0,0]]],\n"
                 "[20,\n"
                 "[setB,\n"
                 "[4,0,16,16,0,0]],\n"
                 "[setA,\n"
                 "[2,0,16,16,0,0]]]];\n"));
}

TEST(EmittersTest, InstancesWriteDirectionAndAngleOnlyWhenNotZero) {
  Project p;
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "r";
  p.objects.push_back(Object("o"));
  p.objects.push_back(Instance("o", "r", -5, 0));
  p.objects.push_back(Instance("o", "r", 1, 2));
  p.objects.back().image_angle = -45;
  p.objects.push_back(Instance("o", "r", 3, 4));
  p.objects.back().direction = 90;
  p.objects.back().image_angle = 30;
  EXPECT_NE(EmitScenes(p).find(Crlf("this.objects = [\n"
                                    "[{o:o, x:-5, y:0}],\n"
                                    "[{o:o, x:1, y:2, a:-45}],\n"
                                    "[{o:o, x:3, y:4, d:90, a:30}]];\n")),
            std::string::npos);
}

TEST(EmittersTest, NamesOfDeletedResourcesBecomeNullInsteadOfBreakingTheGame) {
  Project p;
  GameObject o = Object("hero", "gone_sprite");
  o.parent = "gone_parent";
  p.objects.push_back(o);
  p.scripts.push_back({"s", "hero", "Collision", "gone_enemy", "never();"});
  p.backgrounds.push_back({"no_picture", ""});
  Scene s;
  s.name = "r";
  s.background = "no_picture";
  s.viewportobject = "gone_object";
  p.scenes.push_back(s);
  p.objects.push_back(Instance("gone_object", "r", 1, 1));
  p.objects.push_back(Instance("hero", "r", 2, 2));
  p.tiles = {MakeTile("r", "no_picture", 10, 0, 0)};

  const std::string objects = EmitObjects(p);
  EXPECT_NE(objects.find("__instance_init__(this, hero, null, 1, 0, null, 1, 0);"),
            std::string::npos);
  EXPECT_EQ(objects.find("gone_enemy"), std::string::npos);
  EXPECT_EQ(objects.find("never();"), std::string::npos);
  const std::string scenes = EmitScenes(p);
  EXPECT_NE(scenes.find(Crlf("this.tiles = [\n];\nthis.objects = [\n[{o:hero, x:2, y:2}]];\n")),
            std::string::npos);
  EXPECT_NE(scenes.find("0, 0, 0, null, 0, 0, 0, 640, 480, null, 50, 50);"), std::string::npos);
}

}  // namespace
}  // namespace vorlane
