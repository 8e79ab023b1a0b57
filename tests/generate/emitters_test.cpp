#include "generate/emitters.h"

#include <gtest/gtest.h>

#include "support/sample_project.h"

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

ImageRef Picture(int width, int height) { return ShareImage(Image::Transparent(width, height)); }

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

Tile MakeTile(const std::string& scene, const std::string& set, int depth, int left) {
  return {"", set, left, 0, 16, 16, 0, 0, depth, scene, nullptr, 0};
}

TEST(EmittersTest, EmptyProjectGivesOnlyVersionAndOneLineBreak) {
  const Project p;
  EXPECT_EQ(EmitVersion(), "v1.2.9");
  EXPECT_EQ(EmitGlobalFunctions(p), "\r\n");
  for (const std::string& out :
       {EmitExtensions({}), EmitGlobalVariables(p), EmitSprites(p), EmitSounds(p), EmitMusics(p),
        EmitBackgrounds(p), EmitFonts(p), EmitObjects(p), EmitScenes(p)})
    EXPECT_EQ(out, "");
}

TEST(EmittersTest, ExtensionsGiveCodeWhenEnabledAndALineBreakEach) {
  Extension on{"shake", "Screen shake", "Ann", "", "", "\r\nshake();\r\n", 1, ""};
  Extension off{"other", "Other", "Bob", "", "", "\r\nother();\r\n", 0, ""};
  EXPECT_EQ(EmitExtensions({off}), "\r\n");
  EXPECT_EQ(EmitExtensions({on, off}), Crlf("/* Screen shake by Ann */\n\nshake();\n\n\n"));
}

TEST(EmittersTest, SampleProjectGivesEveryPartExactly) {
  const Project p = test::SampleProject();
  EXPECT_EQ(EmitGlobalVariables(p), "var score = 0;");
  EXPECT_EQ(EmitGlobalFunctions(p),
            Crlf("function f() {}\nfunction add(a, b) { \nreturn a + b;\n}\n"));
  // The size is the last frame's.
  EXPECT_EQ(EmitSprites(p),
            Crlf("function __spr_hero() { \n"
                 "__sprite_init__(this, spr_hero, 24, 20, 6, 7, 'Circle', 5, 1, 2, 3, 4, "
                 "['img/spr_hero_0.png','img/spr_hero_1.png']);\n"
                 "}; var spr_hero = new __spr_hero();\n\n"));
  EXPECT_EQ(EmitSounds(p),
            Crlf("function __snd_jump() { \n"
                 "__audio_init__(this, snd_jump, 'aud/jump.wav', '', 'aud/jump.ogg');\n"
                 "}; var snd_jump = new __snd_jump();\n\n"));
  EXPECT_EQ(EmitMusics(p),
            Crlf("function __mus_theme() { \n"
                 "__audio_init__(this, mus_theme, '', 'aud/theme.mp3', '');\n"
                 "}; var mus_theme = new __mus_theme();\n\n"));
  EXPECT_EQ(EmitBackgrounds(p),
            Crlf("function __bg_tiles() { \n"
                 "__background_init__(this, bg_tiles, 'img/tiles.png')}; "
                 "var bg_tiles = new __bg_tiles();\n\n"));
  EXPECT_EQ(EmitFonts(p),
            Crlf("function __fnt_score() { \n"
                 "__font_init__(this, fnt_score, 'Sans', 20, 1, 0)}; "
                 "var fnt_score = new __fnt_score();\n\n"));
  // Each object's index is its place in the whole list, instances included;
  // script code goes in as it is, with its own line breaks. The handlers'
  // layout is pinned below.
  const std::string objects = EmitObjects(p);
  EXPECT_EQ(objects.find(Crlf(
                "function __obj_player() {\n"
                "__instance_init__(this, obj_player, null, 1, -10, spr_hero, 1, 0);\n"
                "this.on_creation = function() {\nwith(this) {\nspeed = 4;\n}\n};\n")),
            0u);
  EXPECT_NE(objects.find(Crlf("this.other = this.place_meeting(this.x, this.y, obj_wall);\n"
                              "if(this.other != null) {\n") +
                         "if (a < b && c) {\n}" + Crlf("\n}\n}\n};\n")),
            std::string::npos);
  EXPECT_NE(objects.find(Crlf(
                "}; var obj_player = new __obj_player();\n\nfunction __obj_wall() {\n"
                "__instance_init__(this, obj_wall, obj_player, 0, 5, null, 1, 2);\n")),
            std::string::npos);
  EXPECT_EQ(EmitScenes(p),
            Crlf("function __level() { \n"
                 "this.tiles = [\n"
                 "[500,\n"
                 "[bg_tiles,\n"
                 "[4,8,16,24,32,48],\n"
                 "[20,8,16,24,48,48]]]];\n"
                 "this.objects = [\n"
                 "[{o:obj_player, x:32, y:48}],\n"
                 "[{o:obj_wall, x:64, y:48, d:180, a:-30}]];\n"
                 "this.start = function() {\n"
                 "__room_start__(this, level, 1000, 800, 60, 1, 2, 3, bg_tiles.image, 1, 0, 1, "
                 "320, 240, obj_player, 11, 12);\n"
                 "\nstart();\n"
                 "};\n}\nvar level = new __level();\nvr_scenes.push(level);\n"
                 "vr_room_to_go = level;\n"));
}

TEST(EmittersTest, EdgesOfTheResourceLists) {
  const Project sample = test::SampleProject();
  Project p = sample;
  // Records without files are left out; texts in quotes are escaped.
  p.sounds.push_back({"silent", "", "", ""});
  p.musics.push_back({"none", "", "", ""});
  p.backgrounds.push_back({"unused", "", nullptr});
  p.fonts[0].family = "O'Neil \\ \"x\"\n\x01\u2028";
  p.sounds[0].ogg = "don't.ogg";
  p.sounds[0].wav = "a #1?%\t\"\xc3\xa9.wav";  // percent-encoded in the address
  p.fonts[0].size = -3;
  p.fns.push_back({"noop", "", "", ""});
  std::string sounds = EmitSounds(sample);
  sounds.replace(sounds.find("jump.ogg"), 8, "don\\'t.ogg");
  sounds.replace(sounds.find("jump.wav"), 8, "a%20%231%3F%25%09%22\xc3\xa9.wav");
  EXPECT_EQ(EmitSounds(p), sounds);
  EXPECT_EQ(EmitMusics(p), EmitMusics(sample));
  EXPECT_EQ(EmitBackgrounds(p), EmitBackgrounds(sample));
  EXPECT_NE(EmitFonts(p).find("'O\\'Neil \\\\ \"x\"\\n\\x01\\u2028', -3, 1, 0)"), std::string::npos);
  EXPECT_EQ(EmitGlobalFunctions(p),
            EmitGlobalFunctions(sample) + "function noop() { \r\n\r\n}\r\n");

  // Another sprite's frame in between is not ours; a last frame without a
  // picture counts as 0 x 0; a sprite without frames lists none.
  p.frames.insert(p.frames.begin() + 1, {"7", "other", Picture(5, 5), "", 0, -1});
  p.frames.back().image = nullptr;
  p.sprites.push_back({"empty", nullptr, "Box", 0, -1, 2, -3, 4, -5, 6});
  EXPECT_EQ(EmitSprites(p),
            Crlf("function __spr_hero() { \n"
                 "__sprite_init__(this, spr_hero, 0, 0, 6, 7, 'Circle', 5, 1, 2, 3, 4, "
                 "['img/spr_hero_0.png','img/spr_hero_1.png']);\n"
                 "}; var spr_hero = new __spr_hero();\n\n"
                 "function __empty() { \n"
                 "__sprite_init__(this, empty, 0, 0, -5, 6, 'Box', 0, -1, 2, -3, 4, []);\n"
                 "}; var empty = new __empty();\n\n"));

  // Without media sub-folders the files sit beside the page.
  p = sample;
  p.imgfolder = "";
  p.audfolder = "";
  EXPECT_NE(EmitSprites(p).find("['spr_hero_0.png','spr_hero_1.png']"), std::string::npos);
  EXPECT_NE(EmitBackgrounds(p).find("'tiles.png')"), std::string::npos);
  EXPECT_NE(EmitSounds(p).find("'jump.wav', '', 'jump.ogg'"), std::string::npos);

  // An angle alone is written alone; a second, empty scene does not become
  // the first one to go to.
  p = sample;
  p.objects[1].image_angle = 15;
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "second";
  std::string scenes = EmitScenes(sample);
  scenes.replace(scenes.find("y:48}"), 5, "y:48, a:15}");
  scenes.insert(scenes.find("vr_room_to_go"),
                Crlf("function __second() { \n"
                     "this.tiles = [\n];\n"
                     "this.objects = [\n];\n"
                     "this.start = function() {\n"
                     "__room_start__(this, second, 640, 480, 30, 0, 0, 0, null, 0, 0, 0, 640, 480, "
                     "null, 50, 50);\n"
                     "};\n}\nvar second = new __second();\nvr_scenes.push(second);\n"));
  EXPECT_EQ(EmitScenes(p), scenes);
}

// One script of each kind in turn fills that handler only; advanced mode
// drops the with(this) wrapper and its brace, and nothing else.
TEST(EmittersTest, EachEventKindFillsItsOwnHandler) {
  const std::string run = "go();\n";
  const struct {
    const char* event;
    std::string handler, guard, body;  // the guard goes around the wrapper
  } kinds[] = {  // in the order the engine lists them
      {"Creation", "on_creation", "", run},
      {"Destroy", "on_destroy", "", run},
      {"Step", "on_step", "", run},
      {"End step", "on_end_step", "", run},
      {"Collision", "on_collision", "",
       "this.other = this.place_meeting(this.x, this.y, wall);\nif(this.other != null) {\n" + run +
           "}\n"},
      {"Room start", "on_roomstart", "", run},
      {"Room end", "on_roomend", "", run},
      {"Animation end", "on_animationend", "if(this.image_index >= this.image_number - 1) {\n",
       run},
      {"Draw", "on_draw", "if (this.visible == 1) {\n__handle_sprite__(this);\n", run},
  };
  for (const auto& kind : kinds) {
    for (int advanced : {0, 1}) {
      SCOPED_TRACE(std::string(kind.event) + (advanced ? ", advanced" : ""));
      Project p;
      p.settings.advancedscriptmode = advanced;
      p.objects = {Object("a"), Object("wall")};
      p.scripts = {{"s", "a", kind.event, "wall", "go();"}};
      std::string expected =
          "function __a() {\n__instance_init__(this, a, null, 1, 0, null, 1, 0);\n";
      for (const auto& other : kinds) {
        if (&other != &kind) {
          expected += "this." + other.handler + " = " + other.handler + "_i;\n";
          continue;
        }
        expected += "this." + kind.handler + " = function() {\n" + kind.guard +
                    (advanced ? kind.body : "with(this) {\n" + kind.body + "}\n") +
                    (kind.guard.empty() ? "" : "}\n") + "};\n";
      }
      const std::string out = EmitObjects(p);
      EXPECT_EQ(out.substr(0, out.find("function __wall")),
                Crlf(expected + "}; var a = new __a();\n\n"));
    }
  }
}

TEST(EmittersTest, HandlersJoinTheirObjectsScriptsInListOrder) {
  Project p;
  p.objects = {Object("a"), Object("b")};
  p.scripts = {{"s1", "a", "Step", "", "one();"},
               {"s2", "b", "Step", "", "not_mine();"},
               {"s3", "a", "Keyboard", "", "unknown_kind();"},
               {"s4", "a", "Step", "", "two();"},
               {"s5", "a", "Collision", "", "no_other();"}};
  const std::string out = EmitObjects(p);
  const std::string a = out.substr(0, out.find("function __b"));
  EXPECT_NE(a.find(Crlf("this.on_step = function() {\nwith(this) {\none();\ntwo();\n}\n};\n")),
            std::string::npos);
  // A collision with no other object has an empty body.
  EXPECT_NE(a.find(Crlf("this.on_collision = function() {\nwith(this) {\n}\n};\n")),
            std::string::npos);
  EXPECT_EQ(out.find("unknown_kind"), std::string::npos);
  EXPECT_NE(out.find("not_mine", a.size()), std::string::npos);
}

// The "with" field is typed freely: blanks around a partner's name do not
// lose the event, and the bare name is what the game reads.
TEST(EmittersTest, CollisionPartnerIsNamedWithoutBlanksAround) {
  Project p;
  p.objects = {Object("a"), Object("b")};
  p.scripts = {{"s1", "a", "Collision", "b ", "one();"}, {"s2", "a", "Collision", "\tb", "two();"},
               {"s3", "a", "Collision", " ", "never();"}};
  EXPECT_NE(EmitObjects(p).find(Crlf("with(this) {\n"
                                     "this.other = this.place_meeting(this.x, this.y, b);\n"
                                     "if(this.other != null) {\none();\n}\n"
                                     "this.other = this.place_meeting(this.x, this.y, b);\n"
                                     "if(this.other != null) {\ntwo();\n}\n}\n};\n")),
            std::string::npos);
  EXPECT_EQ(EmitObjects(p).find("never"), std::string::npos);
}

TEST(EmittersTest, TilesGroupByDepthThenTileSetInOrderOfFirstAppearance) {
  Project p;
  p.scenes.push_back(Scene{});
  p.scenes.back().name = "r";
  p.backgrounds = {{"setA", "a.png", nullptr}, {"setB", "b.png", nullptr}};
  p.tiles = {MakeTile("r", "setB", 10, 1), MakeTile("r", "setA", 20, 2),
             MakeTile("r", "setA", 10, 3), MakeTile("r", "setB", 20, 4),
             MakeTile("r", "setB", 10, 5)};
  const std::string out = EmitScenes(p);
  EXPECT_EQ(out.substr(0, out.find("this.objects")),
            Crlf("function __r() { \n"
                 "this.tiles = [\n"
                 "[10,\n[setB,\n[1,0,16,16,0,0],\n[5,0,16,16,0,0]],\n[setA,\n[3,0,16,16,0,0]]],\n"
                 "[20,\n[setB,\n[4,0,16,16,0,0]],\n[setA,\n[2,0,16,16,0,0]]]];\n"));
}

TEST(EmittersTest, NamesOfDeletedResourcesBecomeNullInsteadOfBreakingTheGame) {
  Project p;
  GameObject o = Object("hero", "gone_sprite");
  o.parent = "gone_parent";
  p.objects.push_back(o);
  p.scripts.push_back({"s", "hero", "Collision", "gone_enemy", "never();"});
  p.backgrounds.push_back({"no_picture", "", nullptr});
  Scene s;
  s.name = "r";
  s.background = "no_picture";
  s.viewportobject = "gone_object";
  p.scenes.push_back(s);
  p.objects.push_back(Instance("gone_object", "r", 1, 1));
  p.objects.push_back(Instance("hero", "r", 2, 2));
  p.tiles = {MakeTile("r", "no_picture", 10, 0)};

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

// Saving skips media whose names are not plain file names; the game does
// not ask for them either, as if they had been deleted.
TEST(EmittersTest, MediaThatSavingSkipsAreLeftOut) {
  Project p = test::SampleProject();
  p.frames[1].file = "1/x";  // the last frame: the size is the one left's
  p.sounds[0].wav = "../jump.wav";
  p.musics[0].mp3 = "sub\\theme.mp3";
  p.backgrounds[0].file = "..";
  EXPECT_EQ(EmitSprites(p),
            Crlf("function __spr_hero() { \n"
                 "__sprite_init__(this, spr_hero, 16, 16, 6, 7, 'Circle', 5, 1, 2, 3, 4, "
                 "['img/spr_hero_0.png']);\n"
                 "}; var spr_hero = new __spr_hero();\n\n"));
  EXPECT_NE(EmitSounds(p).find("(this, snd_jump, '', '', 'aud/jump.ogg');"), std::string::npos);
  EXPECT_EQ(EmitMusics(p) + EmitBackgrounds(p), "");
  const std::string scenes = EmitScenes(p);
  EXPECT_NE(scenes.find(Crlf("this.tiles = [\n];\n")), std::string::npos);
  EXPECT_NE(scenes.find("60, 1, 2, 3, null, 1, 0, 1,"), std::string::npos);
}

// Only names written as variables count: instances, tiles, layers and
// scripts keep theirs in the project, and records left out are not written.
TEST(EmittersTest, UnusableNamesAreTheOnesWrittenAsVariables) {
  Project p = test::SampleProject();
  EXPECT_EQ(UnusableNames(p), std::vector<std::string>{});
  p.objects[1].name = p.tiles[0].name = p.layers[0].name = p.scripts[0].name = "not a name";
  p.sounds.push_back({"no files", "", "", "../x.ogg"});
  p.backgrounds.push_back({"no file", "", nullptr});
  EXPECT_EQ(UnusableNames(p), std::vector<std::string>{});
  p.fns[0].name = "do";
  p.sprites[0].name = "my sprite";
  p.objects[2].name = "v\xc3\xa9";  // fine
  p.musics[0].name = "1up";
  p.fonts[0].name = "Math";
  p.scenes[0].name = "obj_player";
  EXPECT_EQ(
      UnusableNames(p),
      (std::vector<std::string>{
          "The sprite name 'my sprite' is not a valid name: use letters, digits and _, not "
          "starting with a digit",
          "The music name '1up' is not a valid name: use letters, digits and _, not starting with "
          "a digit",
          "The font name 'Math' is already used by the browser",
          "The scene name 'obj_player' is already used by the object 'obj_player'",
          "The function name 'do' is not a valid name: it is a word JavaScript keeps for itself"}));
}

}  // namespace
}  // namespace vorlane
