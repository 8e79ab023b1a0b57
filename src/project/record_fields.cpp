#include "project/record_fields.h"

namespace vorlane {
namespace {

constexpr StoredAs kText = StoredAs::kText;

// One field a line, so that adding one is adding a line.
// clang-format off

constexpr Field<Sprite> kSprite[] = {
    {"name", &Sprite::name},
    {"centerx", &Sprite::centerx},
    {"centery", &Sprite::centery},
    {"collisionshape", &Sprite::collisionshape},
    {"collisionradius", &Sprite::collisionradius},
    {"collisionleft", &Sprite::collisionleft},
    {"collisionright", &Sprite::collisionright},
    {"collisiontop", &Sprite::collisiontop},
    {"collisionbottom", &Sprite::collisionbottom},
};

constexpr Field<Frame> kFrame[] = {
    {"file", &Frame::file},
    {"sprite", &Frame::sprite},
};

constexpr Field<Sound> kSound[] = {
    {"name", &Sound::name},
    {"wav", &Sound::wav},
    {"mp3", &Sound::mp3},
    {"ogg", &Sound::ogg},
};

constexpr Field<Background> kBackground[] = {
    {"name", &Background::name},
    {"file", &Background::file},
    {"tile", &Background::tile},
    {"tileheight", &Background::tileheight},
    {"tilewidth", &Background::tilewidth},
    {"tilexoffset", &Background::tilexoffset},
    {"tileyoffset", &Background::tileyoffset},
    {"tilexspace", &Background::tilexspace},
    {"tileyspace", &Background::tileyspace},
};

constexpr Field<Font> kFont[] = {
    {"name", &Font::name},
    {"family", &Font::family},
    {"size", &Font::size},
    {"bold", &Font::bold},
    {"italic", &Font::italic},
};

constexpr Field<GameObject> kObject[] = {
    {"name", &GameObject::name},
    {"template", &GameObject::template_},
    {"prototype", &GameObject::prototype},
    {"scene", &GameObject::scene},
    {"sprite", &GameObject::sprite},
    {"x", &GameObject::x},
    {"y", &GameObject::y},
    {"visible", &GameObject::visible},
    {"depth", &GameObject::depth},
    {"collision", &GameObject::collision},
    {"parent", &GameObject::parent},
    // Older files have no per-instance direction or angle.
    {"direction", &GameObject::direction, 129},
    {"image_angle", &GameObject::image_angle, 129},
};

constexpr Field<Script> kScript[] = {
    {"name", &Script::name},
    {"object", &Script::object},
    {"event", &Script::event},
    {"parameter", &Script::parameter},
    {"code", &Script::code, kText},
};

constexpr Field<Scene> kScene[] = {
    {"name", &Scene::name},
    {"width", &Scene::width},
    {"height", &Scene::height},
    {"speed", &Scene::speed},
    {"red", &Scene::red},
    {"green", &Scene::green},
    {"blue", &Scene::blue},
    {"background", &Scene::background},
    {"backgroundstretch", &Scene::backgroundstretch},
    {"backgroundtilex", &Scene::backgroundtilex},
    {"backgroundtiley", &Scene::backgroundtiley},
    {"viewportwidth", &Scene::viewportwidth},
    {"viewportheight", &Scene::viewportheight},
    {"viewportxborder", &Scene::viewportxborder},
    {"viewportyborder", &Scene::viewportyborder},
    {"viewportobject", &Scene::viewportobject},
    {"code", &Scene::code, kText},
};

constexpr Field<Layer> kLayer[] = {
    {"name", &Layer::name},
    {"scene", &Layer::scene},
    {"value", &Layer::value},
    {"solid", &Layer::solid, StoredAs::kAttributeWhenSet},
};

constexpr Field<Tile> kTile[] = {
    {"name", &Tile::name},
    {"background", &Tile::background},
    {"width", &Tile::width},
    {"height", &Tile::height},
    {"x", &Tile::x},
    {"y", &Tile::y},
    {"top", &Tile::top},
    {"left", &Tile::left},
    {"depth", &Tile::depth},
    {"scene", &Tile::scene},
};

constexpr Field<UserFunction> kFunction[] = {
    {"name", &UserFunction::name},
    {"params", &UserFunction::params},
    {"description", &UserFunction::description},
    {"code", &UserFunction::code, kText},
};

// The text elements are read by position: a new one goes after the others
// and needs a version rule in the reader.
constexpr Field<ProjectSettings> kSettings[] = {
    {"title", &ProjectSettings::title},
    {"advancedscriptmode", &ProjectSettings::advancedscriptmode},
    {"functions", &ProjectSettings::functions, kText},
    {"variables", &ProjectSettings::variables, kText},
    {"comments", &ProjectSettings::comments, kText},
};

// clang-format on

}  // namespace

const AllFieldTables& AllFields() {
  static constexpr AllFieldTables kAll{kSprite, kFrame, kSound, kBackground, kFont,     kObject,
                                       kScript, kScene, kLayer, kTile,       kFunction, kSettings};
  return kAll;
}

}  // namespace vorlane
