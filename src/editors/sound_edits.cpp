#include "editors/sound_edits.h"

#include "editors/pending_file.h"
#include "gui/file_limits.h"
#include "project/rename.h"

namespace vorlane {
namespace {

int Slot(SoundSource source) { return static_cast<int>(source); }

Sound& RecordAt(Project& project, ResourceKind kind, int index) {
  return (kind == ResourceKind::Music ? project.musics : project.sounds).at(index);
}

}  // namespace

PendingSources PendingOf(const Sound& record) { return {record.wav, record.mp3, record.ogg}; }

const char* SourceWord(SoundSource source) {
  switch (source) {
    case SoundSource::Wav: return "WAV";
    case SoundSource::Mp3: return "MP3";
    case SoundSource::Ogg: break;
  }
  return "OGG";
}

std::string SetSourceText(SoundSource source) {
  return std::string("Set ") + SourceWord(source) + " file...";
}

std::string SourceLabel(const std::string& pending) { return "File: " + BareName(pending); }

std::string UnsetQuestion(SoundSource source) {
  return std::string("Remove ") + SourceWord(source) + " source?";
}

std::string SourceRequestTitle(ResourceKind kind, SoundSource source) {
  if (kind == ResourceKind::Music)
    return std::string("Select a music (") + SourceWord(source) + ")";
  return "Select a sound";
}

std::string SourceRequestFilter(ResourceKind kind, SoundSource source) {
  static const char* const kExtensions[] = {"wav", "mp3", "ogg"};
  const std::string ext = kExtensions[Slot(source)];
  const std::string shown =
      kind == ResourceKind::Music ? std::string("Music") : std::string(SourceWord(source));
  return shown + " files(*." + ext + ")|*." + ext;
}

std::vector<std::string> StoreSound(Project& project, ResourceKind kind, int index,
                                    const std::string& name, const PendingSources& pending) {
  SetModified(project, 1);
  if (std::string error = CheckResourceName(project, kind, name, index); !error.empty())
    return {error};
  // Every copy is tried before anything is stored, so a failure leaves the
  // record as it was and the dialog can be finished once the file is back.
  std::vector<std::string> errors;
  for (const std::string& source : pending)
    if (std::string error = CopyPendingFile(source, project.tempfolder, kMaxSoundFileBytes);
        !error.empty())
      errors.push_back(error);
  if (!errors.empty()) return errors;
  RenameResource(project, kind, index, name);
  Sound& record = RecordAt(project, kind, index);
  record.wav = BareName(pending[Slot(SoundSource::Wav)]);
  record.mp3 = BareName(pending[Slot(SoundSource::Mp3)]);
  record.ogg = BareName(pending[Slot(SoundSource::Ogg)]);
  return {};
}

}  // namespace vorlane
