// The game map's text and search, the page's messages and the Output
// panel's log, without a server.
#include "generate/debug_report.h"

#include <gtest/gtest.h>

#include "generate/debug_log.h"
#include "generate/game_map.h"

namespace vorlane {
namespace {

GameMap TwoScripts() {
  GameMap map;
  map.entries.push_back({120, 3, {ScriptKind::Event, "obj_wall", "Step", "", 4}});
  map.entries.push_back({130, 2, {ScriptKind::Event, "obj_ball", "Collision", "obj_wall", 5}});
  return map;
}

TEST(GameMapTest, TextReadsBackAndFindsLines) {
  GameMap read;
  ASSERT_TRUE(ReadGameMap(GameMapText(TwoScripts()), &read));
  EXPECT_EQ(read, TwoScripts());
  // game.js line -> script resource and its line; 0 for none.
  const std::vector<std::tuple<int, std::string, int>> lines = {
      {119, "", 0}, {120, "obj_wall", 1}, {122, "obj_wall", 3},
      {123, "", 0}, {131, "obj_ball", 2}, {132, "", 0}};
  for (const auto& [game_line, resource, line] : lines) {
    const auto found = read.Find(game_line);
    EXPECT_EQ(found ? found->place.resource : "", resource) << game_line;
    EXPECT_EQ(found ? found->line : 0, line) << game_line;
  }
}

TEST(GameMapTest, BadTextIsRefusedAndLeavesTheMap) {
  const std::string ok =
      R"({"line":1,"lines":2,"kind":"event","resource":"o","event":"Step","parameter":"","index":0})";
  const std::string overlapping =
      R"({"line":2,"lines":1,"kind":"scene","resource":"s","event":"","parameter":"","index":0})";
  for (
      const std::string& text : std::vector<std::string>{
          "not json", "[]", R"({"version":2,"scripts":[]})",
          R"({"version":1,"scripts":[)" + ok + "," + overlapping + "]}",
          R"({"version":1,"scripts":[{"line":1,"lines":2,"kind":"bogus","resource":"o","event":"","parameter":"","index":0}]})",
          R"({"version":1,"scripts":[{"line":1,"lines":2,"kind":"event","resource":"o","parameter":"","index":0}]})",
          R"({"version":1,"scripts":[{"line":0,"lines":2,"kind":"event","resource":"o","event":"","parameter":"","index":0}]})"}) {
    GameMap map = TwoScripts();
    EXPECT_FALSE(ReadGameMap(text, &map)) << text;
    EXPECT_EQ(map, TwoScripts());
  }
}

TEST(DebugMessageTest, MalformedMessagesAreRefused) {
  for (const char* text :
       {"{", "[]", "{}", R"({"type":"report","entries":[{"kind":"shout","text":"x"}]})",
        R"({"type":"report","entries":[{"kind":"log"}]})", R"({"type":"paused"})",
        R"({"type":"instances","list":[{"x":1}]})"}) {
    DebugMessage message;
    EXPECT_FALSE(ParseDebugMessage(text, TwoScripts(), "12:00:00", &message)) << text;
  }
}

// An entry is named by its first line the map knows; stack frames too.
TEST(DebugMessageTest, ReportsAreNamedThroughTheMap) {
  const std::string text = R"({"type":"report","dropped":3,"entries":[{"kind":"error","text":"boom",
    "count":2,"lines":[5,121],"stack":"ReferenceError: boom\n    at f (http://127.0.0.1:9/t/game.js:121:5)\n    at g (http://127.0.0.1:9/t/game.js:7:1)\n    at http://127.0.0.1:9/t/__vorlane_debug.js:3:3"}]})";
  DebugMessage message;
  ASSERT_TRUE(ParseDebugMessage(text, TwoScripts(), "12:00:00", &message));
  ASSERT_EQ(message.entries.size(), 2u);
  const DebugEntry& e = message.entries[0];
  EXPECT_EQ(e.kind, DebugEntry::Kind::Error);
  ASSERT_TRUE(e.place);
  EXPECT_EQ(e.place->resource, "obj_wall");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.count, 2);
  EXPECT_EQ(e.stack, "at " + PlaceLabel(e.place.value()) + ", line 2\nat game.js line 7");
  EXPECT_EQ(message.entries[1].kind, DebugEntry::Kind::Warning);
  EXPECT_EQ(message.entries[1].text.substr(0, 20), "3 more messages were");

  ASSERT_TRUE(ParseDebugMessage(
      R"({"type":"instances","list":[{"object":"o","x":1,"y":2,"depth":-1,"vars":{"name":"a","hp":3,"alive":true}}]})",
      TwoScripts(), "", &message));
  ASSERT_EQ(message.instances->size(), 1u);
  EXPECT_EQ(message.instances->front(),
            (DebugInstance{"o", 1, 2, -1, {{"alive", "true"}, {"hp", "3"}, {"name", "\"a\""}}}));
}

TEST(DebugLogTest, MergesRepeatsAndKeepsTheLastLines) {
  DebugLog log;
  DebugEntry a{DebugEntry::Kind::Log, "a"};
  a.time = "1";
  EXPECT_TRUE(log.Add(a));
  a.time = "2";
  a.count = 2;
  EXPECT_FALSE(log.Add(a));
  EXPECT_TRUE(log.Add(DebugEntry{DebugEntry::Kind::Warning, "a"}));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log.line(0).count, 3);
  EXPECT_EQ(log.line(0).time, "2");
  for (int i = 0; i < static_cast<int>(DebugLog::kMaxLines); ++i)
    log.Add(DebugEntry{DebugEntry::Kind::Log, std::to_string(i)});
  EXPECT_EQ(log.size(), DebugLog::kMaxLines);
  EXPECT_EQ(log.dropped(), 2u);
  EXPECT_EQ(log.line(0).text, "0");
}

}  // namespace
}  // namespace vorlane
