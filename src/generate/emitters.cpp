// The emitters of the simple resource kinds and of the project-wide code.
#include "generate/emitters.h"

#include <unordered_map>

#include "generate/emitter_text.h"
#include "project/reserved_names.h"

namespace vorlane {

using emit::Append;
using emit::kNL;

namespace {

// A resource becomes a constructor named after it with two leading
// underscores, whose body calls the engine's initialiser, and a global
// variable of its own name holding an instance. Backgrounds and fonts end
// their initialiser call without a line break, the others with one.
void AppendUnit(std::string& out, const std::string& name, const std::string& init_call) {
  Append(out, "function __", name, "() { ", kNL, init_call, "}; var ", name, " = new __", name,
         "();", kNL, kNL);
}

std::string EmitAudio(const std::vector<Sound>& list, const std::string& audfolder) {
  std::string out;
  std::string call;
  using emit::KeptMedia;
  for (const Sound& sound : list) {
    if (!KeptMedia(sound.wav) && !KeptMedia(sound.mp3) && !KeptMedia(sound.ogg)) continue;
    const auto path = [&](const std::string& file) {
      return KeptMedia(file) ? emit::JsText(MediaUrl(audfolder, file)) : std::string();
    };
    call.clear();
    Append(call, "__audio_init__(this, ", sound.name, ", '", path(sound.wav), "', '",
           path(sound.mp3), "', '", path(sound.ogg), "');", kNL);
    AppendUnit(out, sound.name, call);
  }
  return out;
}

}  // namespace

std::string MediaPath(const std::string& folder, const std::string& file) {
  // An empty folder name keeps the media beside the page; "/file" would
  // point at the root of the web site instead.
  return folder.empty() ? file : folder + "/" + file;
}

std::string MediaUrl(const std::string& folder, const std::string& file) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  for (const char c : MediaPath(folder, file)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7f || std::string_view("%#?\"\\").find(c) != std::string_view::npos)
      Append(url, "%", kHex[byte >> 4], kHex[byte & 15]);
    else
      url += c;
  }
  return url;
}

std::vector<std::string> UnusableNames(const Project& project) {
  using emit::KeptMedia;
  std::vector<GameName> written;
  const auto check = [&](ResourceKind kind, const std::string& name) {
    written.push_back({kind, name});
  };
  const auto audible = [&](const Sound& s) {
    return KeptMedia(s.wav) || KeptMedia(s.mp3) || KeptMedia(s.ogg);
  };
  for (const Sprite& s : project.sprites) check(ResourceKind::Sprite, s.name);
  for (const Sound& s : project.sounds)
    if (audible(s)) check(ResourceKind::Sound, s.name);
  for (const Sound& m : project.musics)
    if (audible(m)) check(ResourceKind::Music, m.name);
  for (const Background& b : project.backgrounds)
    if (KeptMedia(b.file)) check(ResourceKind::Background, b.name);
  for (const Font& f : project.fonts) check(ResourceKind::Font, f.name);
  for (const GameObject& o : project.objects)
    if (o.prototype == 1) check(ResourceKind::Object, o.name);
  for (const Scene& s : project.scenes) check(ResourceKind::Scene, s.name);
  for (const UserFunction& f : project.fns) check(ResourceKind::Function, f.name);
  return GameNameProblems(written);
}

std::string EmitVersion(int version) {
  const std::string digits = std::to_string(version);
  std::string out = "v";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) out += '.';
    out += digits[i];
  }
  return out;
}

std::string EmitExtensions(const std::vector<Extension>& extensions, CodeMarks* marks) {
  std::string out;
  for (size_t i = 0; i < extensions.size(); ++i) {
    const Extension& e = extensions[i];
    if (e.enabled == 1) {
      Append(out, "/* ", e.extension, " by ", e.author, " */", kNL);
      if (marks)
        marks->push_back(
            {out.size(), {ScriptKind::Extension, e.extension, "", "", int(i)}, &e.code});
      out += e.code;
    }
    out += kNL;
  }
  return out;
}

std::string EmitGlobalVariables(const Project& project) { return project.settings.variables; }

std::string EmitGlobalFunctions(const Project& project, CodeMarks* marks) {
  if (marks) marks->push_back({0, {ScriptKind::GlobalFunctions}, &project.settings.functions});
  std::string out = project.settings.functions;
  out += kNL;
  for (size_t i = 0; i < project.fns.size(); ++i) {
    const UserFunction& f = project.fns[i];
    Append(out, "function ", f.name, "(", f.params, ") { ", kNL);
    if (marks)
      marks->push_back({out.size(), {ScriptKind::Function, f.name, "", "", int(i)}, &f.code});
    Append(out, f.code, kNL, "}", kNL);
  }
  return out;
}

std::string EmitSprites(const Project& project) {
  std::string out;
  EmitSprites(project, out);
  return out;
}

void EmitSprites(const Project& project, std::string& out) {
  // Each sprite's frames, in frame-list order, found in one pass.
  std::unordered_map<std::string_view, std::vector<const Frame*>> frames_of;
  for (const Frame& frame : project.frames)
    if (emit::KeptMedia(frame.sprite + "_" + frame.file + ".png"))
      frames_of[frame.sprite].push_back(&frame);

  std::string call;
  for (const Sprite& s : project.sprites) {
    const auto found = frames_of.find(s.name);
    const std::vector<const Frame*>* frames = found == frames_of.end() ? nullptr : &found->second;
    int width = 0;
    int height = 0;
    if (frames && frames->back()->image) {
      width = frames->back()->image->width();
      height = frames->back()->image->height();
    }
    call.clear();
    Append(call, "__sprite_init__(this, ", s.name, ", ", width, ", ", height, ", ", s.centerx, ", ",
           s.centery, ", '", emit::JsText(s.collisionshape), "', ", s.collisionradius, ", ",
           s.collisionleft, ", ", s.collisionright, ", ", s.collisiontop, ", ", s.collisionbottom,
           ", [");
    if (frames) {
      bool first = true;
      for (const Frame* frame : *frames) {
        if (!first) call += ',';
        first = false;
        Append(call, "'",
               emit::JsText(MediaUrl(project.imgfolder, s.name + "_" + frame->file + ".png")),
               "'");
      }
    }
    Append(call, "]);", kNL);
    AppendUnit(out, s.name, call);
  }
}

std::string EmitSounds(const Project& project) {
  return EmitAudio(project.sounds, project.audfolder);
}

std::string EmitMusics(const Project& project) {
  return EmitAudio(project.musics, project.audfolder);
}

std::string EmitBackgrounds(const Project& project) {
  std::string out;
  std::string call;
  for (const Background& b : project.backgrounds) {
    if (!emit::KeptMedia(b.file)) continue;
    call.clear();
    Append(call, "__background_init__(this, ", b.name, ", '",
           emit::JsText(MediaUrl(project.imgfolder, b.file)), "')");
    AppendUnit(out, b.name, call);
  }
  return out;
}

std::string EmitFonts(const Project& project) {
  std::string out;
  std::string call;
  for (const Font& f : project.fonts) {
    call.clear();
    Append(call, "__font_init__(this, ", f.name, ", '", emit::JsText(f.family), "', ", f.size, ", ",
           f.bold, ", ", f.italic, ")");
    AppendUnit(out, f.name, call);
  }
  return out;
}

}  // namespace vorlane
