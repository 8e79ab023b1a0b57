// The debug run's server against real connections on 127.0.0.1: it serves
// the project folder's regular files to whoever has the token and nothing
// else, adds the debug script to the page, and takes reports only on the
// page's own socket.
#include "generate/debug_server.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>
#include <filesystem>

#include "support/core_app.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

// Only keeps a broken server from hanging the test; nothing is timed.
constexpr int kFailureGuardMs = 10000;

struct Answer {
  int status = 0;
  std::string head, body;
};

// One raw request, so that the path reaches the server as written.
Answer Get(int port, const std::string& path) {
  QTcpSocket socket;
  QByteArray got;
  QEventLoop loop;
  Answer answer;
  QObject::connect(&socket, &QTcpSocket::connected, [&] {
    socket.write(QByteArray::fromStdString("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
  });
  QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
    got += socket.readAll();
    const qsizetype end = got.indexOf("\r\n\r\n");
    if (end < 0) return;
    answer.head = got.left(end).toStdString();
    const QByteArray lower = got.left(end).toLower();
    const qsizetype at = lower.indexOf("content-length:");
    const qsizetype length =
        at < 0 ? 0 : lower.mid(at + 15, lower.indexOf("\r\n", at) - at - 15).trimmed().toLongLong();
    if (got.size() - end - 4 >= length) loop.quit();
  });
  QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
  QTimer::singleShot(kFailureGuardMs, &loop, &QEventLoop::quit);
  socket.connectToHost(QHostAddress::LocalHost, port);
  loop.exec();
  answer.status = QByteArray::fromStdString(answer.head).mid(9, 3).toInt();
  const qsizetype end = got.indexOf("\r\n\r\n");
  if (end >= 0) answer.body = got.mid(end + 4).toStdString();
  return answer;
}

class DebugServerTest : public test::InTempDir {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("proj/img");
    test::WriteAll("proj/index.html",
                   "<html><body>\n<script src=\"game.js\"></script>\n</body></html>\n");
    test::WriteAll("proj/game.js", "var a;\n");
    test::WriteAll("secret.txt", "secret\n");
    ASSERT_EQ(::symlink("../secret.txt", "proj/link.txt"), 0);
    ASSERT_EQ(::symlink("game.js", "proj/inner_link.js"), 0);
    ASSERT_EQ(::symlink("..", "proj/up"), 0);  // a folder link leading out
    GameMap map;
    map.entries.push_back({1, 1, {ScriptKind::Event, "obj_a", "Step", "", 0}});
    test::WriteAll("proj/game.map.json", GameMapText(map));
    std::string error;
    ASSERT_TRUE(server_.Start("proj", "/* debug */", &error)) << error;
    const QUrl url(QString::fromStdString(server_.PageAddress()));
    port_ = url.port();
    token_ = url.path().section('/', 1, 1).toStdString();
  }

  QCoreApplication& app_ = test::CoreApp();
  DebugServer server_;
  int port_ = 0;
  std::string token_;
};

TEST_F(DebugServerTest, ServesOnlyRegularFilesOfTheFolderWithTheToken) {
  const std::string t = "/" + token_ + "/";
  const std::vector<std::pair<std::string, int>> requests = {
      {t + "game.js", 200},
      {t + "__vorlane_debug.js", 200},
      {"/game.js", 403},
      {"/0123456789abcdef0123456789abcdef/game.js", 403},
      {t + "../secret.txt", 403},
      {t + "%2e%2e/secret.txt", 403},
      {t + "img/%2E%2E/%2E%2E/secret.txt", 403},
      {t + "..%5csecret.txt", 403},
      {t + "%2fetc/passwd", 403},
      {t + "link.txt", 404},
      {t + "inner_link.js", 404},
      {t + "up/secret.txt", 404},
      {t + "img", 404},
      {t + "missing.png", 404},
  };
  for (const auto& [path, status] : requests) {
    const Answer answer = Get(port_, path);
    EXPECT_EQ(answer.status, status) << path;
    EXPECT_NE(answer.head.find("Cache-Control: no-store"), std::string::npos) << path;
    EXPECT_EQ(answer.body.find("secret"), std::string::npos) << path;
  }
  EXPECT_EQ(Get(port_, t + "game.js").body, "var a;\n");
  EXPECT_EQ(Get(port_, t + "__vorlane_debug.js").body, "/* debug */");
  EXPECT_NE(Get(port_, t + "index.html")
                .body.find("<script src=\"" + t +
                           "__vorlane_debug.js\"></script><script src=\"game.js\">"),
            std::string::npos);
}

// A socket on another address is closed at once; the page's own socket
// reports, named through the map, and its malformed messages are ignored.
TEST_F(DebugServerTest, TakesReportsOnlyOnThePageSocket) {
  std::vector<std::vector<DebugEntry>> batches;
  QObject::connect(&server_, &DebugServer::Reported,
                   [&](const std::vector<DebugEntry>& entries) { batches.push_back(entries); });
  for (const std::string& path : {std::string("/wrong/socket"), "/" + token_ + "/socket"}) {
    QWebSocket socket;
    QEventLoop loop;
    bool opened = false;
    QObject::connect(&socket, &QWebSocket::connected, [&] {
      opened = true;
      socket.sendTextMessage("{");
      socket.sendTextMessage(
          R"({"type":"report","entries":[{"kind":"debug","text":"hi","lines":[1]}]})");
    });
    QObject::connect(&server_, &DebugServer::Reported, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(kFailureGuardMs, &loop, &QEventLoop::quit);
    socket.open(QUrl(QString::fromStdString("ws://127.0.0.1:" + std::to_string(port_) + path)));
    loop.exec();
    EXPECT_EQ(opened, path != "/wrong/socket") << path;
  }
  ASSERT_EQ(batches.size(), 1u);
  ASSERT_EQ(batches[0].size(), 1u);
  EXPECT_EQ(batches[0][0].text, "hi");
  ASSERT_TRUE(batches[0][0].place);
  EXPECT_EQ(batches[0][0].place->resource, "obj_a");
}

}  // namespace
}  // namespace vorlane
