// A media file chosen in a property dialog and not yet part of the project:
// the sound and background dialogs keep, per source, either the stored bare
// name or the full path of a newly chosen file until "Done".
#pragma once

#include <cstdint>
#include <string>

namespace vorlane {

// The part after the last "/": what the project stores.
std::string BareName(const std::string& pending);

// Copies a newly chosen file into the working folder, replacing a file of
// that name there. Nothing is copied for a stored bare name (the file is
// already there) or an empty file (0 bytes, whose name is stored all the
// same). Returns "" when the source may be stored, otherwise the message for
// an "Error" box naming the file and the reason (it disappeared, it could
// not be read or written); the project must then not name it.
std::string CopyPendingFile(const std::string& pending, const std::string& tempfolder,
                            std::int64_t max_bytes);

}  // namespace vorlane
