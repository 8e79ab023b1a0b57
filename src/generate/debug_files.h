// What the debug run's local server may serve: regular files inside the
// project folder only, named by a request path that cannot climb out of it.
#pragma once

#include <string>

namespace vorlane {

// The largest file the server sends (pictures, sounds and the game): it is
// read whole into memory before it is sent.
inline constexpr long long kMaxServedFileBytes = 256LL << 20;

// The file a request names, from the part of its path after "/TOKEN/"
// (percent-encoded as it came): "img/a.png". False for a path with an empty,
// "." or ".." segment (after decoding, so "%2e%2e" too), a backslash, a NUL
// or a leading "/".
bool ServedName(const std::string& encoded, std::string* name);

// Reads `name` inside `folder` (canonical, no trailing "/"). False, with
// `error` set, for a symbolic link, a file whose canonical path leads out of
// the folder, a folder or any other non-regular file, or a file over
// kMaxServedFileBytes.
bool ReadServedFile(const std::string& folder, const std::string& name, std::string* bytes,
                    std::string* error);

// The Content-Type for a file name by its extension.
std::string ContentTypeOf(const std::string& name);

// `page` with <script src="ADDRESS"></script> inserted before its first
// "<script" tag, else before "</body>", else at its end.
std::string WithDebugScript(const std::string& page, const std::string& script_address);

}  // namespace vorlane
