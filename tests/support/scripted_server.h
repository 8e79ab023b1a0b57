// A one-shot HTTP peer on 127.0.0.1 for tests of the program's network code.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vorlane::test {

// One piece of a scripted answer: wait, then send. The waits only split the
// answer across reads; no outcome depends on their length.
struct Piece {
  int delay_ms;
  std::string bytes;
};

// A server on 127.0.0.1 that takes one connection, records the request and
// plays its script, then closes; with `hold` it keeps the connection open and
// silent until it is destroyed, so only the client's own time-out ends it.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<Piece> script, bool hold = false) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    ::listen(listener_, 1);
    thread_ = std::thread([this, script = std::move(script), hold] {
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0) return;
      char buffer[4096];
      std::string request;
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
      }
      {
        std::lock_guard lock(mutex_);
        request_ = request;
      }
      for (const auto& piece : script) {
        std::this_thread::sleep_for(std::chrono::milliseconds(piece.delay_ms));
        ::send(client, piece.bytes.data(), piece.bytes.size(), MSG_NOSIGNAL);
      }
      if (hold)
        held_ = client;  // closed by the destructor, after the thread ends
      else
        ::close(client);
    });
  }
  ~ScriptedServer() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    if (held_ >= 0) ::close(held_);
    ::close(listener_);
  }
  int port() const { return port_; }
  std::string request() const {
    std::lock_guard lock(mutex_);
    return request_;
  }

 private:
  int listener_ = -1;
  int port_ = 0;
  int held_ = -1;
  mutable std::mutex mutex_;
  std::string request_;
  std::thread thread_;
};

}  // namespace vorlane::test
