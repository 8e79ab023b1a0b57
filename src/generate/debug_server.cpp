#include "generate/debug_server.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTime>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "generate/debug_files.h"
#include "gui/file_util.h"

namespace vorlane {

namespace {

// A page's message is a batch bounded by the debug script; this bounds what
// a broken or hostile one costs.
constexpr quint64 kMaxMessageBytes = 1 << 20;
constexpr char kScriptName[] = "__vorlane_debug.js";
constexpr char kSocketName[] = "socket";

std::string NewToken() {
  quint32 words[4];
  QRandomGenerator::system()->fillRange(words);
  std::string token;
  char hex[9];
  for (quint32 w : words) {
    std::snprintf(hex, sizeof hex, "%08x", w);
    token += hex;
  }
  return token;
}

}  // namespace

// The HTTP side: every request is answered here, none by a router, so
// nothing is served that these checks did not let through.
class DebugHttpServer : public QAbstractHttpServer {
 public:
  explicit DebugHttpServer(DebugServer* owner) : owner_(owner) {}

 protected:
  // A WebSocket request taken without an answer goes on to the socket side
  // (Qt 6.4); one not taken is refused by missingHandler. Only the page's
  // own socket address is taken.
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
      return request.url().path(QUrl::FullyEncoded).toStdString() == owner_->SocketPath();
    Answer(request, makeResponder(request, socket));
    return true;
  }
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
    Refuse(makeResponder(request, socket), QHttpServerResponder::StatusCode::NotFound);
  }

 private:
  static void Refuse(QHttpServerResponder&& responder, QHttpServerResponder::StatusCode status) {
    responder.write(QByteArray("Not served.\n"),
                    {{"Content-Type", "text/plain"}, {"Cache-Control", "no-store"}}, status);
  }

  void Answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    using Status = QHttpServerResponder::StatusCode;
    if (request.method() != QHttpServerRequest::Method::Get)
      return Refuse(std::move(responder), Status::MethodNotAllowed);
    const std::string path = request.url().path(QUrl::FullyEncoded).toStdString();
    const std::string prefix = "/" + owner_->token_ + "/";
    if (path.compare(0, prefix.size(), prefix) != 0)
      return Refuse(std::move(responder), Status::Forbidden);
    const std::string rest = path.substr(prefix.size());
    std::string name, bytes, error;
    if (rest == kScriptName) {
      name = rest;
      bytes = owner_->script_;
    } else if (!ServedName(rest, &name)) {
      return Refuse(std::move(responder), Status::Forbidden);
    } else if (!ReadServedFile(owner_->folder_, name, &bytes, &error)) {
      return Refuse(std::move(responder), Status::NotFound);
    } else if (name == "index.html") {
      bytes = WithDebugScript(bytes, prefix + kScriptName);
    }
    const QByteArray type = QByteArray::fromStdString(ContentTypeOf(name));
    responder.write(QByteArray::fromStdString(bytes),
                    {{"Content-Type", type}, {"Cache-Control", "no-store"}}, Status::Ok);
  }

  DebugServer* owner_;
};

DebugServer::DebugServer(QObject* parent) : QObject(parent) {}

DebugServer::~DebugServer() { Stop(); }

bool DebugServer::Start(const std::string& project_folder, const std::string& debug_script_text,
                        std::string* error) {
  Stop();
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(project_folder.c_str(), nullptr),
                                                   &std::free);
  if (!real || !IsDirectory(real.get())) {
    *error = "The project folder \"" + project_folder + "\" is missing.";
    return false;
  }
  folder_ = real.get();
  script_ = debug_script_text;
  token_ = NewToken();
  auto http = std::make_unique<DebugHttpServer>(this);
  port_ = http->listen(QHostAddress::LocalHost, 0);
  if (port_ == 0) {
    *error = "The debug server could not listen on 127.0.0.1.";
    return false;
  }
  connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this,
          &DebugServer::TakeSockets);
  http_ = std::move(http);
  ReadMap();
  return true;
}

void DebugServer::Stop() {
  for (QWebSocket* socket : std::exchange(sockets_, {})) {
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
  }
  http_.reset();
  port_ = 0;
  paused_ = false;
  watching_ = false;
}

std::string DebugServer::Base() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/" + token_ + "/";
}

std::string DebugServer::SocketPath() const { return "/" + token_ + "/" + kSocketName; }

std::string DebugServer::PageAddress() const { return running() ? Base() + "index.html" : ""; }

void DebugServer::ReadMap() {
  std::string text;
  GameMap map;
  if (ReadFile(folder_ + "/" + kGameMapFile, &text, kMaxOtherFileBytes) && ReadGameMap(text, &map))
    map_ = std::move(map);
  else
    map_ = GameMap{};
}

void DebugServer::TakeSockets() {
  while (http_ && http_->hasPendingWebSocketConnections()) {
    QWebSocket* socket = http_->nextPendingWebSocketConnection().release();
    if (socket->requestUrl().path(QUrl::FullyEncoded).toStdString() != SocketPath()) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    socket->setParent(this);  // gone with the server even if no event loop deletes it later
    socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
    sockets_.push_back(socket);
    connect(socket, &QWebSocket::textMessageReceived, this, &DebugServer::Received);
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
      sockets_.erase(std::remove(sockets_.begin(), sockets_.end(), socket), sockets_.end());
      socket->deleteLater();
    });
    // A page loaded again carries on as the run was.
    if (paused_) socket->sendTextMessage("pause");
    if (watching_) socket->sendTextMessage("watch on");
  }
}

void DebugServer::Received(const QString& text) {
  DebugMessage message;
  const std::string time = QTime::currentTime().toString("HH:mm:ss").toStdString();
  if (!ParseDebugMessage(text.toStdString(), map_, time, &message)) return;
  if (!message.entries.empty()) emit Reported(message.entries);
  if (message.instances) emit InstancesShown(*message.instances);
  if (message.paused) {
    paused_ = *message.paused;
    emit PausedChanged(paused_);
  }
}

void DebugServer::Send(const char* command) {
  for (QWebSocket* socket : sockets_) socket->sendTextMessage(QString::fromLatin1(command));
}

void DebugServer::Reload() {
  ReadMap();
  Send("reload");
}

// A page that opens meanwhile starts paused too; PausedChanged waits for
// the page to say it has paused.
void DebugServer::Pause() {
  paused_ = true;
  Send("pause");
}

void DebugServer::Step() { Send("step"); }

void DebugServer::Resume() {
  paused_ = false;
  Send("resume");
}

void DebugServer::WatchInstances(bool on) {
  watching_ = on;
  Send(on ? "watch on" : "watch off");
}

}  // namespace vorlane
