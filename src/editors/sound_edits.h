// What the sound and music dialogs decide: the words of each source's
// controls and requester, and what "Done" checks, copies and stores.
// Sounds and musics have the same record and differ only in their words.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "project/model.h"
#include "project/resource_kind.h"

namespace vorlane {

// The three sources of a sound, in the order of the dialog's rows.
enum class SoundSource { Wav, Mp3, Ogg };
inline constexpr SoundSource kSoundSources[] = {SoundSource::Wav, SoundSource::Mp3,
                                                SoundSource::Ogg};

// Per source, the stored bare name or the full path of a newly chosen file.
using PendingSources = std::array<std::string, 3>;

PendingSources PendingOf(const Sound& record);

// "WAV", "MP3", "OGG".
const char* SourceWord(SoundSource source);
// "Set WAV file..." and so on.
std::string SetSourceText(SoundSource source);
// "File: " + the bare name ("File: " alone for none).
std::string SourceLabel(const std::string& pending);
// "Remove WAV source?" and so on.
std::string UnsetQuestion(SoundSource source);
// The file requester's title and filter ("display|pattern" pairs) for a
// source of a sound or a music.
std::string SourceRequestTitle(ResourceKind kind, SoundSource source);
std::string SourceRequestFilter(ResourceKind kind, SoundSource source);

// "Done" for record `index` of `kind` (Sound or Music). Marks the project
// modified, then checks the name. A valid name lets the newly chosen files
// be copied into the working folder; only when every copy succeeded are the
// name and the three bare names stored. Returns the messages for "Error"
// boxes: a refused name, or one per file that could not be added, in which
// case the record is left exactly as it was.
std::vector<std::string> StoreSound(Project& project, ResourceKind kind, int index,
                                    const std::string& name, const PendingSources& pending);

}  // namespace vorlane
