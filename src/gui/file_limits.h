// How far the program's reads may reach. The largest file it reads or
// copies, per kind of file: far above what real projects hold, they only
// keep a runaway read (a link to a device, a file that keeps growing) from
// taking all memory or disk. And where a file may lie. A file over its limit
// or in the wrong place is refused with a message naming it.
#pragma once

#include <cstdint>

namespace vorlane {

inline constexpr std::int64_t kMegabyte = std::int64_t{1} << 20;

// Frames, backgrounds, previews, strips: PNG, JPEG or BMP.
inline constexpr std::int64_t kMaxPictureFileBytes = 256 * kMegabyte;
// Sounds and musics, which are copied and never read into memory.
inline constexpr std::int64_t kMaxSoundFileBytes = 1024 * kMegabyte;
// Projects/<name>.xml.
inline constexpr std::int64_t kMaxProjectFileBytes = 256 * kMegabyte;
// Function library files.
inline constexpr std::int64_t kMaxFunctionLibraryBytes = 64 * kMegabyte;
// The engine template export.js.
inline constexpr std::int64_t kMaxEngineTemplateBytes = 64 * kMegabyte;
// Extensions/*.tex.
inline constexpr std::int64_t kMaxExtensionFileBytes = 16 * kMegabyte;
// keywords.dat.
inline constexpr std::int64_t kMaxKeywordFileBytes = 16 * kMegabyte;
// preferences.dat and a project's extensions.dat.
inline constexpr std::int64_t kMaxSettingsFileBytes = 1 * kMegabyte;
// Any other file read without naming its kind.
inline constexpr std::int64_t kMaxOtherFileBytes = 64 * kMegabyte;

// The project's media (frames, backgrounds, sounds, musics) are read from
// inside the program folder only, once every link is followed, so that a
// link in a project cannot bring another file into a save, a game or an
// export. A file the user picked in a requester may lie anywhere.
enum class ReadFrom { Anywhere, ProgramFolder };

}  // namespace vorlane
