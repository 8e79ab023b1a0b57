#include "app/version_check.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "gui/file_util.h"
#include "gui/handles.h"
#include "gui/number_text.h"

namespace vorlane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadSize = 2048;
constexpr size_t kMaxBody = 1 << 20;  // a version file is one line; stop a runaway server
constexpr size_t kMaxHeaders = 1 << 16;
constexpr int kSlice = 50;  // milliseconds between calls of the keep-alive

void Poke(const KeepAlive& keep_alive) {
  if (keep_alive) keep_alive();
}

// The system resolver has no time-out of its own, so it runs on a helper
// thread; when it takes too long the check gives up and the thread finishes
// on its own later.
std::optional<in_addr> Resolve(const std::string& host, const HttpTimeouts& t,
                               const KeepAlive& keep_alive) {
  in_addr address{};
  if (::inet_pton(AF_INET, host.c_str(), &address) == 1) return address;
  auto task = std::make_shared<std::packaged_task<std::optional<in_addr>()>>([host] {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
      return std::optional<in_addr>();
    const in_addr result = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return std::optional<in_addr>(result);
  });
  auto answer = task->get_future();
  std::thread([task] { (*task)(); }).detach();
  const auto deadline = Clock::now() + std::chrono::milliseconds(t.resolve_ms);
  while (answer.wait_for(std::chrono::milliseconds(kSlice)) != std::future_status::ready) {
    if (Clock::now() >= deadline) return std::nullopt;
    Poke(keep_alive);
  }
  return answer.get();
}

class Connection {
 public:
  Connection(const HttpTimeouts& t, const KeepAlive& keep_alive) : t_(t), keep_alive_(keep_alive) {}

  bool Open(in_addr address, int port) {
    socket_.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket_.valid()) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr = address;
    if (::connect(socket_.get(), reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) return true;
    if (errno != EINPROGRESS || !Wait(POLLOUT, t_.connect_ms)) return false;
    int error = 0;
    socklen_t size = sizeof error;
    return ::getsockopt(socket_.get(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }

  bool SendAll(const std::string& bytes) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(t_.send_ms);
    size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n =
          ::send(socket_.get(), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<size_t>(n);
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0 || !Wait(POLLOUT, static_cast<int>(left.count()))) return false;
    }
    return true;
  }

  // Up to 2048 bytes, waiting up to `timeout_ms`. An empty result means the
  // wait ran out or the server closed the connection (see closed()).
  std::string Read(int timeout_ms) {
    if (closed_ || !Wait(POLLIN, timeout_ms)) return {};
    char buffer[kReadSize];
    const ssize_t n = ::recv(socket_.get(), buffer, sizeof buffer, 0);
    if (n <= 0) {
      closed_ = true;
      return {};
    }
    return std::string(buffer, static_cast<size_t>(n));
  }

  bool closed() const { return closed_; }

 private:
  // Waits in short slices so the caller's window stays painted.
  bool Wait(short events, int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd p{socket_.get(), events, 0};
      const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, kSlice)));
      if (ready > 0) return true;
      if (ready < 0 && errno != EINTR) return false;
      Poke(keep_alive_);
    }
  }

  const HttpTimeouts& t_;
  const KeepAlive& keep_alive_;
  UniqueFd socket_;
  bool closed_ = false;
};

bool StartsWithNoCase(std::string_view line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != prefix[i]) return false;
  return true;
}

// A chunk's size: the leading hexadecimal number of its line.
long long ChunkSize(std::string_view line) {
  long long size = 0;
  for (const char c : line) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : std::isxdigit(static_cast<unsigned char>(c))
                          ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                          : -1;
    if (digit < 0) break;
    size = std::min<long long>(size * 16 + digit, static_cast<long long>(INT_MAX));
  }
  return size;
}

// Decodes a chunked body as far as the bytes given reach. True once the
// closing zero-size chunk has been seen.
bool Dechunk(const std::string& raw, std::string* body) {
  body->clear();
  size_t at = 0;
  for (;;) {
    const size_t line_end = raw.find("\r\n", at);
    if (line_end == std::string::npos) return false;
    const long long size = ChunkSize(std::string_view(raw).substr(at, line_end - at));
    if (size <= 0) return true;
    const size_t data = line_end + 2;
    const size_t take = std::min<size_t>(static_cast<size_t>(size), raw.size() - data);
    body->append(raw, data, take);
    if (take < static_cast<size_t>(size)) return false;
    at = data + static_cast<size_t>(size) + 2;
    if (at > raw.size()) return false;
  }
}

}  // namespace

std::string VersionRequest(const std::string& host, int port) {
  std::string host_field = host;
  if (port != 80) host_field += ":" + std::to_string(port);
  return "GET /version.txt HTTP/1.1\r\nAccept: */*\r\nHost: " + host_field +
         "\r\nConnection: close\r\n\r\n";
}

bool DownloadVersionFile(const std::string& host, int port, const std::string& file,
                         const HttpTimeouts& t, const KeepAlive& keep_alive) {
  DeleteFile(file);
  const auto address = Resolve(host, t, keep_alive);
  if (!address) return false;
  Connection connection(t, keep_alive);
  if (!connection.Open(*address, port) || !connection.SendAll(VersionRequest(host, port)))
    return false;

  // The status line and headers, however the server splits them up.
  std::string received;
  size_t header_end;
  while ((header_end = received.find("\r\n\r\n")) == std::string::npos) {
    const std::string more = connection.Read(t.wait_ms);
    if (more.empty() || received.size() > kMaxHeaders) return false;
    received += more;
  }
  const std::string_view head(received.data(), header_end);
  const std::string_view status = head.substr(0, head.find("\r\n"));
  if (status.find("200") == std::string_view::npos && status.find("302") == std::string_view::npos)
    return false;

  long long length = -1;
  bool chunked = false;
  for (size_t at = status.size() + 2; at < head.size();) {
    size_t end = head.find("\r\n", at);
    if (end == std::string_view::npos) end = head.size();
    const std::string_view line = head.substr(at, end - at);
    if (StartsWithNoCase(line, "content-length:")) {
      length = std::max(0, LeadingInt(line.substr(15)));
    } else if (StartsWithNoCase(line, "transfer-encoding:")) {
      chunked = true;
    }
    at = end + 2;
  }

  std::string raw = received.substr(header_end + 4);
  std::string body;
  for (;;) {
    if (chunked) {
      if (Dechunk(raw, &body)) break;
    } else {
      body = raw;
      if (length >= 0 && static_cast<long long>(body.size()) >= length) {
        body.resize(static_cast<size_t>(length));
        break;
      }
    }
    if (raw.size() > kMaxBody || connection.closed()) break;
    // Without a length the body ends when the server falls quiet.
    const std::string more = connection.Read(length < 0 && !chunked ? t.quiet_ms : t.wait_ms);
    if (more.empty()) break;  // a time-out keeps what arrived
    raw += more;
  }
  if (body.empty()) return false;
  return WriteProgramFile(file, body);
}

int FetchNewestVersion(const std::string& host, int port, const HttpTimeouts& timeouts,
                       const KeepAlive& keep_alive) {
  if (!DownloadVersionFile(host, port, kVersionDownloadFile, timeouts, keep_alive)) return -1;
  std::string text;
  const bool read = ReadFile(kVersionDownloadFile, &text, kMaxSettingsFileBytes);
  DeleteFile(kVersionDownloadFile);
  if (!read) return -1;
  const std::string_view first = std::string_view(text).substr(0, text.find_first_of("\r\n"));
  return LeadingInt(first);
}

std::string StartupVersionMessage(int newest, int version) {
  return newest > version ? "A new version has been released." : "";
}

std::string OnDemandVersionMessage(int newest, int version) {
  if (newest < 0) return "";
  return newest > version ? "A new version has been released."
                          : "You are using the latest version.";
}

}  // namespace vorlane
