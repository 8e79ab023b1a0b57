// The project: the one document the program edits. Plain records in ordered
// lists, cross-referenced by name; list order is the order of the browser,
// the project file and the generated code.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "gui/image.h"

namespace vorlane {

// The program's own version, written into every saved project.
inline constexpr int kVersion = 129;

// Records hold only what the project file stores, so they compare field by
// field; the frames' pictures compare by identity, which is exact because
// shared images are never changed in place. What the program derives from
// them while it runs lives beside the lists (Project::cards, saved_frames)
// or in the editor that shows it.
struct Sprite {
  std::string name;
  std::string collisionshape = "Box";
  int collisionradius = 0;
  int collisionleft = 0;
  int collisionright = 0;
  int collisiontop = 0;
  int collisionbottom = 0;
  int centerx = 0;
  int centery = 0;

  friend bool operator==(const Sprite&, const Sprite&) = default;
};

// One global list holds the frames of every sprite; a sprite's frames are
// those whose `sprite` is its name, in list order (the animation order).
struct Frame {
  std::string file;    // the frame's number as text
  std::string sprite;  // owning sprite
  // The picture; a null picture of its own when it was never loaded and
  // lives only in its file (see SavedFrames), null when there is none.
  ImageRef image;

  friend bool operator==(const Frame&, const Frame&) = default;
};

struct Sound {
  std::string name;
  std::string wav;
  std::string mp3;
  std::string ogg;

  friend bool operator==(const Sound&, const Sound&) = default;
};
using Music = Sound;

struct Background {
  std::string name;
  std::string file;
  int tile = 0;
  int tilewidth = 32;
  int tileheight = 32;
  int tilexoffset = 0;
  int tileyoffset = 0;
  int tilexspace = 0;
  int tileyspace = 0;

  friend bool operator==(const Background&, const Background&) = default;
};

struct Font {
  std::string name;
  std::string family = "Arial";
  int size = 12;
  int bold = 0;
  int italic = 0;

  friend bool operator==(const Font&, const Font&) = default;
};

// Objects (prototype 1) and the instances placed in scenes (prototype 0)
// share one list.
struct GameObject {
  int prototype = 1;
  std::string template_;  // stored as "template"
  std::string name;
  std::string sprite;
  std::string scene;
  int x = 0;
  int y = 0;
  int visible = 1;
  int depth = 0;
  int collision = 1;
  std::string parent;
  int direction = 0;
  int image_angle = 0;

  friend bool operator==(const GameObject&, const GameObject&) = default;
};

// The code of one event of one object.
struct Script {
  std::string name;
  std::string object;
  std::string event;
  std::string parameter;  // for "Collision": the other object's name
  std::string code;

  friend bool operator==(const Script&, const Script&) = default;
};

struct Scene {
  std::string name;
  int width = 640;
  int height = 480;
  int viewportwidth = 640;
  int viewportheight = 480;
  int red = 0;
  int green = 0;
  int blue = 0;
  std::string code;
  int speed = 30;
  std::string background;
  int backgroundtilex = 0;
  int backgroundtiley = 0;
  int backgroundstretch = 0;
  std::string viewportobject;
  int viewportxborder = 50;
  int viewportyborder = 50;

  friend bool operator==(const Scene&, const Scene&) = default;
};

struct Layer {
  std::string name;
  int value = 1000000;  // the layer's depth
  std::string scene;
  int solid = 0;  // 1: the game's instances collide with its tiles

  friend bool operator==(const Layer&, const Layer&) = default;
};

struct Tile {
  std::string name;
  std::string background;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int x = 0;
  int y = 0;
  int depth = 0;
  std::string scene;

  friend bool operator==(const Tile&, const Tile&) = default;
};

struct UserFunction {
  std::string name;
  std::string params;
  std::string description;
  std::string code;

  friend bool operator==(const UserFunction&, const UserFunction&) = default;
};

struct ProjectSettings {
  std::string title;
  std::string variables;
  std::string functions;
  int advancedscriptmode = 0;
  std::string comments;

  friend bool operator==(const ProjectSettings&, const ProjectSettings&) = default;
};

// Browser cards, drawn while the program runs and never stored. A sprite's
// card remembers the picture it shows, so a card whose sprite now starts
// with another picture is drawn again (SpriteCards). A background's card
// is kept by its picture's file name, so a background an undo takes back to
// its earlier file shows that file's card. A scene's card is drawn by the
// scene editor and kept by the scene's name, with a stamp of what it shows,
// so one an undo made stale is drawn again (RedrawStaleSceneCards). Both are drawn by what holds
// the picture (the reader, the background dialog, the scene editor).
struct Cards {
  struct Drawn {
    ImageRef from;  // kept, so that its identity is not reused
    ImageRef card;
  };
  std::unordered_map<std::string, Drawn> sprites;
  std::unordered_map<std::string, ImageRef> backgrounds;  // by file name
  struct SceneDrawn {
    ImageRef card;
    std::uint64_t stamp = 0;  // of what the card shows; 0: the stock card
  };
  std::unordered_map<std::string, SceneDrawn> scenes;
  // The sprite cards in list order as last looked up, and the frames and
  // sprite names they were looked up for, so a browser refresh with neither
  // changed looks nothing up.
  std::vector<ImageRef> listed;
  std::vector<Frame> listed_frames;
  std::vector<std::string> listed_sprites;
};

// What a frame file holds as far as this run read or wrote it, so a save
// leaves files of unchanged frames alone. A picture never loaded is stood
// for by a null picture of its own, which its frame holds wherever undo or
// renames take the record; the file whose entry names that stand-in is
// where the picture is carried from.
struct SavedFile {
  ImageRef stand_in;              // null for a picture that was loaded
  std::uint64_t fingerprint = 0;  // of the loaded picture
  std::int64_t size = -1;
};
using SavedFrames = std::unordered_map<std::string, SavedFile>;  // by path

// The file holding the picture `image` stands in for, preferring `path`;
// "" when `image` is no stand-in.
std::string StandInSource(const SavedFrames& saved, const ImageRef& image,
                          const std::string& path = "");

struct Project {
  // Program-wide values that travel with the project.
  int uid = 1;
  std::string projectname;
  std::string imgfolder = "img";
  std::string audfolder = "aud";
  std::string tempfolder;
  int modified = 0;

  ProjectSettings settings;
  std::vector<Sprite> sprites;
  std::vector<Frame> frames;
  std::vector<Sound> sounds;
  std::vector<Music> musics;
  std::vector<Background> backgrounds;
  std::vector<Font> fonts;
  std::vector<GameObject> objects;
  std::vector<Script> scripts;
  std::vector<Scene> scenes;
  std::vector<Layer> layers;
  std::vector<Tile> tiles;
  std::vector<UserFunction> fns;

  // Beside the lists: derived or learnt while the program runs, never
  // stored, compared or undone.
  mutable Cards cards;
  SavedFrames saved_frames;
};

int NextUID(Project& project);
void SetModified(Project& project, int flag);

// Creation: each marks the project modified, appends a record with its
// defaults and returns the new record's name.
std::string NewSprite(Project& project);
std::string NewSound(Project& project);
std::string NewMusic(Project& project);
std::string NewBackground(Project& project);
std::string NewFont(Project& project);
std::string NewObject(Project& project);
std::string NewScene(Project& project);  // also makes the scene's first layer
std::string NewFunction(Project& project);
std::string NewLayer(Project& project, const std::string& scene);
std::string NewScript(Project& project, const std::string& object, const std::string& event,
                      const std::string& parameter);

// Deletion by name; each rebuilds its list from the survivors.
void DeleteSprite(Project& project, const std::string& name);
void DeleteBackground(Project& project, const std::string& name);
void DeleteObject(Project& project, const std::string& name);
void DeleteScene(Project& project, const std::string& name);
void DeleteLayer(Project& project, const std::string& name);
void DeleteTile(Project& project, const std::string& name);
void DeleteFont(Project& project, const std::string& name);
void DeleteSound(Project& project, const std::string& name);
void DeleteMusic(Project& project, const std::string& name);
void DeleteFunction(Project& project, const std::string& name);

// Appends a copy of the object named `name` + "_dup" with copies of all its
// scripts. No uniqueness test is made, as users expect a plain copy.
void DuplicateObject(Project& project, const std::string& name);

// The picture of the first frame of `sprite`, null when it has no frame or
// the first holds no picture.
ImageRef FirstFrameImage(const Project& project, const std::string& sprite);
// The same for every sprite that has frames at once, keyed by sprite name.
std::unordered_map<std::string, ImageRef> FirstFrameImages(const Project& project);
// A tile's cut-out of its tile set's picture `set`: transparent where the
// tile reaches past the picture, plain red when the picture is not loaded
// (null), so the user sees which tiles lost theirs. The caller checks that
// the tile's size is one it may hold; a size of 0 or less gives null.
ImageRef CutTileImage(const Tile& tile, const Image& set);

// Whether a frame's picture was loaded and holds something (a stand-in for a
// picture left in its file does not).
bool HasPicture(const Frame& frame);

// Settings to their defaults, uid to 1, every list emptied. The program-wide
// folder names, project name, working folder and modified flag are left to
// the caller (the "new project" command).
void ResetProject(Project& project);

// Lookups by name: the first record with that name, or null.
Sprite* FindSprite(Project& project, const std::string& name);
Background* FindBackground(Project& project, const std::string& name);
GameObject* FindObject(Project& project, const std::string& name);  // prototype 1 only
Scene* FindScene(Project& project, const std::string& name);
Sound* FindSound(Project& project, const std::string& name);
Sound* FindMusic(Project& project, const std::string& name);
Font* FindFont(Project& project, const std::string& name);
UserFunction* FindFunction(Project& project, const std::string& name);

}  // namespace vorlane
