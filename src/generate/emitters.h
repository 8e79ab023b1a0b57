// The JavaScript code generated for each kind of resource, one emitter per
// marker of the engine template. Each is a pure function of the project that
// reads its lists in stored order; the engine template is written against
// the exact argument orders produced here. Line breaks are CR LF.
#pragma once

#include <string>
#include <vector>

#include "generate/extensions.h"
#include "generate/script_place.h"
#include "project/model.h"

namespace vorlane {

// Where an emitter wrote a user's script: its first byte in the emitter's
// output, and where it came from. Collected only when asked for (a debug
// run's map); the text written is the same either way.
struct CodeMark {
  size_t offset = 0;
  ScriptPlace place;
  const std::string* code = nullptr;
};
using CodeMarks = std::vector<CodeMark>;

// "v1.2.9" for 129: the digits of the version joined by dots.
std::string EmitVersion(int version = kVersion);
// The code of the enabled extensions, each with a comment naming it; every
// extension, enabled or not, adds one line break.
std::string EmitExtensions(const std::vector<Extension>& extensions, CodeMarks* marks = nullptr);
std::string EmitGlobalVariables(const Project& project);
std::string EmitGlobalFunctions(const Project& project, CodeMarks* marks = nullptr);
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
void EmitObjects(const Project& project, std::string& out, CodeMarks* marks = nullptr);
void EmitScenes(const Project& project, std::string& out, CodeMarks* marks = nullptr);

// The event scripts EmitObjects writes, in the order it writes them: objects
// in list order, events by kind, scripts in list order; a Collision only
// with an object the game defines.
std::vector<const Script*> EmittedEventScripts(const Project& project);

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
