#include "app/ui/version_check_ui.h"

#include <gtest/gtest.h>

#include "gui/file_util.h"
#include "support/qt_app.h"
#include "support/scripted_server.h"

namespace vorlane {
namespace {

class VersionCheckUiTest : public test::DialogTest {
 protected:
  // Runs `check` against a server answering `body` with status `status`.
  std::vector<std::string> Boxes(const std::string& status, const std::string& body,
                                 const std::function<void(const VersionServer&)>& check) {
    test::ScriptedServer server({{0, "HTTP/1.1 " + status + "\r\nContent-Length: " +
                                         std::to_string(body.size()) + "\r\n\r\n" + body}});
    VersionServer where{"127.0.0.1", server.port(), {}};
    where.timeouts.wait_ms = where.timeouts.connect_ms = 5000;  // the server answers at once
    dialogs_.Clear();
    check(where);
    EXPECT_FALSE(FileExists(kVersionDownloadFile));
    return dialogs_.Boxes();
  }
};

TEST_F(VersionCheckUiTest, MessagesAtStartUpAndOnDemand) {
  Preferences prefs;
  const auto startup = [&](const VersionServer& s) { CheckNewVersionAtStartup(nullptr, prefs, s); };
  const auto on_demand = [](const VersionServer& s) { CheckNewVersion(nullptr, s); };
  const std::vector<std::string> released{"Version information: A new version has been released."};
  const std::vector<std::string> latest{"Version information: You are using the latest version."};
  const std::vector<std::string> none;

  // Which answer gives which message is the version check test's.
  EXPECT_EQ(Boxes("200 OK", "129", startup), none);
  EXPECT_EQ(Boxes("200 OK", "129", on_demand), latest);
  EXPECT_EQ(Boxes("200 OK", "130\n", startup), released);
  EXPECT_EQ(Boxes("404 Not Found", "130", on_demand), none);
}

TEST_F(VersionCheckUiTest, StartUpCheckCanBeSwitchedOff) {
  Preferences prefs;
  prefs.CheckProgramVersion = 0;
  test::ScriptedServer server({{0, "HTTP/1.1 200 OK\r\n\r\n130"}});
  CheckNewVersionAtStartup(nullptr, prefs, {"127.0.0.1", server.port(), {}});
  EXPECT_TRUE(server.request().empty());  // no connection was made
  EXPECT_TRUE(dialogs_.Boxes().empty());
  CheckNewVersion(nullptr, {"127.0.0.1", server.port(), {}});  // the menu item still checks
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
}

}  // namespace
}  // namespace vorlane
