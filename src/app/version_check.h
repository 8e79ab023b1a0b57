// Asks the product's web server for the newest release number
// (http://<host>/version.txt) and compares it with the program's own.
#pragma once

#include <functional>
#include <string>

namespace vorlane {

// The product's web server.
inline constexpr char kVersionHost[] = "www.vorlane.example";
inline constexpr int kVersionPort = 80;
// The body is stored here while it is read, then deleted.
inline constexpr char kVersionDownloadFile[] = "__ver__";

struct HttpTimeouts {
  int resolve_ms = 10000;  // looking the host name up
  int connect_ms = 10000;
  int send_ms = 10000;
  int wait_ms = 10000;     // each wait for more of the answer
  int quiet_ms = 1000;     // a body without a length ends after this silence
};

// Called often while the check waits, so the caller can keep its window
// painted; may be empty.
using KeepAlive = std::function<void()>;

// The exact request the check sends.
std::string VersionRequest(const std::string& host, int port);

// Downloads the version file's body into `file`. True when a body (even a
// partial one, cut short by a time-out) was stored; false on any failure,
// leaving no file behind.
bool DownloadVersionFile(const std::string& host, int port, const std::string& file,
                         const HttpTimeouts& timeouts, const KeepAlive& keep_alive);

// Downloads, reads the leading number of the first line (0 when it is not a
// number) and deletes the file. -1 when nothing could be downloaded.
int FetchNewestVersion(const std::string& host, int port, const HttpTimeouts& timeouts,
                       const KeepAlive& keep_alive);

// What the check tells the user: "" for nothing, else the text for a
// "Version information" box. `newest` is FetchNewestVersion's answer.
std::string StartupVersionMessage(int newest, int version);
std::string OnDemandVersionMessage(int newest, int version);

}  // namespace vorlane
