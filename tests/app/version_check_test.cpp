#include "app/version_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "gui/file_util.h"
#include "support/scripted_server.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::Piece;
using test::ScriptedServer;

// Short waits keep the suite quick; the rules are the same as with the
// ten-second defaults. The server's pauses between pieces (30 ms) stay far
// below every wait, so a busy machine cannot turn a pause into silence.
HttpTimeouts Quick() {
  HttpTimeouts t;
  t.resolve_ms = t.connect_ms = t.send_ms = t.wait_ms = 1000;
  t.quiet_ms = 500;
  return t;
}

class VersionCheckTest : public test::InTempDir {
 protected:
  // With `hold` the server never closes: the answer must come from the
  // client's own rules (length, chunks, quiet or time-out).
  int Fetch(std::vector<Piece> script, bool hold = false) {
    ScriptedServer server(std::move(script), hold);
    const int newest = FetchNewestVersion("127.0.0.1", server.port(), Quick(), [] {});
    EXPECT_EQ(server.request(), VersionRequest("127.0.0.1", server.port()));
    EXPECT_FALSE(FileExists(kVersionDownloadFile));
    return newest;
  }
};

// The request names the host, with its port unless it is 80.
TEST(VersionRequestTest, IsExact) {
  EXPECT_EQ(VersionRequest("www.vorlane.example", 80),
            "GET /version.txt HTTP/1.1\r\nAccept: */*\r\nHost: www.vorlane.example\r\n"
            "Connection: close\r\n\r\n");
  EXPECT_NE(VersionRequest("127.0.0.1", 8080).find("Host: 127.0.0.1:8080\r\n"), std::string::npos);
}

TEST(VersionMessagesTest, StartUpSpeaksOnlyOfNewsOnDemandAlwaysAnswers) {
  const struct {
    int newest;  // -1: no answer
    std::string startup, on_demand;
  } cases[] = {{129, "", "You are using the latest version."},
               {130, "A new version has been released.", "A new version has been released."},
               {0, "", "You are using the latest version."},
               {-1, "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(StartupVersionMessage(c.newest, 129), c.startup) << c.newest;
    EXPECT_EQ(OnDemandVersionMessage(c.newest, 129), c.on_demand) << c.newest;
  }
}

// How the number is found in each shape of answer. With `hold` the server
// never closes, so the end must come from the answer itself or the quiet.
TEST_F(VersionCheckTest, AnswerShapes) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  const struct {
    const char* what;
    int newest;
    bool hold;
    std::vector<Piece> script;
  } cases[] = {
      {"a line break after the number", 129, false, {{0, ok + "Content-Length: 5\r\n\r\n129\r\n"}}},
      {"HTTP/1.0, a header in any case, notes after the number", 130, false,
       {{0, "HTTP/1.0 200 OK\r\ncontent-LENGTH: 9\r\n\r\n130\nnotes"}}},
      {"words", 0, false, {{0, ok + "Content-Length: 5\r\n\r\nhello"}}},
      {"not found", -1, false, {{0, "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\n130"}}},
      {"a redirection is not followed: its body is the answer", 131, false,
       {{0, "HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 3\r\n\r\n131"}}},
      {"garbage", -1, false, {{0, "\x01\x02garbage\xff\r\n\r\n130"}}},
      {"empty body", -1, false, {{0, ok + "Content-Length: 0\r\n\r\n"}}},
      {"chunked, hexadecimal size, split", 132, true,
       {{0, ok + "Transfer-Encoding: chunked\r\n\r\n2\r\n13"},
        {30, "\r\na\r\n2\r\nrelease\r\n0\r\n\r\n"}}},
      {"a chunk of ten (A) bytes", 137, true,
       {{0, ok + "Transfer-Encoding: chunked\r\n\r\nA\r\n0000000137\r\n0\r\n\r\n"}}},
      {"no length: until the server falls quiet", 133, true, {{0, ok + "\r\n133"}}},
      {"headers in pieces", 134, true,
       {{0, "HTTP/1.1 20"}, {30, "0 OK\r\nContent-Len"}, {30, "gth: 3\r\n\r\n134"}}},
      {"shorter than its length: the part that came counts", 135, true,
       {{0, ok + "Content-Length: 100\r\n\r\n135"}}},
      {"silent: accepts, never answers", -1, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Fetch(c.script, c.hold), c.newest);
  }
}

TEST_F(VersionCheckTest, UnreachableHostsFailQuietly) {
  int closed_port = 0;
  {
    test::ScriptedServer gone({});
    closed_port = gone.port();
  }
  EXPECT_EQ(FetchNewestVersion("127.0.0.1", closed_port, Quick(), nullptr), -1);
  EXPECT_EQ(FetchNewestVersion("no-such-host.invalid", 80, Quick(), nullptr), -1);
  EXPECT_FALSE(FileExists(kVersionDownloadFile));
}

}  // namespace
}  // namespace vorlane
