// The JavaScript code generated for each kind of resource, one emitter per
// marker of the engine template. Each is a pure function of the project that
// reads its lists in stored order; the engine template is written against
// the exact argument orders produced here. Line breaks are CR LF.
#pragma once

#include <string>
#include <vector>

#include "generate/extensions.h"
#include "project/model.h"

namespace vorlane {

// "v1.2.9" for 129: the digits of the version joined by dots.
std::string EmitVersion(int version = kVersion);
// The code of the enabled extensions, each with a comment naming it; every
// extension, enabled or not, adds one line break.
std::string EmitExtensions(const std::vector<Extension>& extensions);
std::string EmitGlobalVariables(const Project& project);
std::string EmitGlobalFunctions(const Project& project);
std::string EmitSprites(const Project& project);
std::string EmitSounds(const Project& project);
std::string EmitMusics(const Project& project);
std::string EmitBackgrounds(const Project& project);
std::string EmitFonts(const Project& project);
std::string EmitObjects(const Project& project);
std::string EmitScenes(const Project& project);

// The emitters with the most output also append to `out`, so that their
// code is written straight into the game text.
void EmitSprites(const Project& project, std::string& out);
void EmitObjects(const Project& project, std::string& out);
void EmitScenes(const Project& project, std::string& out);

// A message ("The sprite name 'my sprite' is not a valid name: ...", "The
// object name 'score' is already used by the game engine", "The scene name
// 'level' is already used by the object 'level'") for every name the
// emitters would write as a JavaScript global that cannot be one, in the
// order of the kinds and of their lists (GameNameProblems). Such names come
// from older projects; a game made with them would break. Records that are
// not written (instances, sounds without files, ...) are not checked.
std::vector<std::string> UnusableNames(const Project& project);

// Where the game finds a media file: "<folder>/<file>", or the bare file
// when the project keeps its media in the project folder itself.
std::string MediaPath(const std::string& folder, const std::string& file);
// MediaPath as an address in the page: the characters that would end or
// change it (%, #, ?, blanks, control characters, quotes, backslashes) are
// percent-encoded; any other name stays as it is.
std::string MediaUrl(const std::string& folder, const std::string& file);

}  // namespace vorlane
