// The debug run's local server: serves the project folder on 127.0.0.1 to
// the browser, with the debug script (runtime/debug.js) added to the page,
// and talks with that script over a WebSocket: reports come in, commands
// (reload, pause, step, resume, watch the instances) go out.
//
// Every address starts with a random token, so no other page or program on
// the machine can read the project or send reports.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "generate/debug_report.h"
#include "generate/game_map.h"

class QWebSocket;

namespace vorlane {

// The debug script, shipped beside export.js in the program folder.
inline constexpr char kDebugScriptFile[] = "debug.js";

class DebugHttpServer;

class DebugServer : public QObject {
  Q_OBJECT

 public:
  explicit DebugServer(QObject* parent = nullptr);
  ~DebugServer() override;

  // Serves `project_folder` on a free port; `debug_script_text` is what the
  // page's added script tag loads. False, with `error` set, when the folder
  // is missing or no port could be had. A running server is stopped first.
  bool Start(const std::string& project_folder, const std::string& debug_script_text,
             std::string* error);
  void Stop();
  bool running() const { return http_ != nullptr; }
  // "http://127.0.0.1:PORT/TOKEN/index.html"; "" when not running.
  std::string PageAddress() const;
  bool paused() const { return paused_; }

  // Tells the open pages to load again and reads game.map.json again.
  void Reload();
  void Pause();
  void Step();  // one step and one drawing of a paused game
  void Resume();
  void WatchInstances(bool on);

 signals:
  void Reported(const std::vector<vorlane::DebugEntry>& entries);
  void InstancesShown(const std::vector<vorlane::DebugInstance>& instances);
  // The page paused or went on (it says so after every pause and resume,
  // and when it opens).
  void PausedChanged(bool paused);

 private:
  friend class DebugHttpServer;
  void ReadMap();
  void TakeSockets();
  void Received(const QString& message);
  void Send(const char* command);
  std::string Base() const;        // "http://127.0.0.1:PORT/TOKEN/"
  std::string SocketPath() const;  // "/TOKEN/socket"

  std::unique_ptr<DebugHttpServer> http_;
  std::vector<QWebSocket*> sockets_;  // children, deleted when they close
  std::string folder_;                // canonical
  std::string script_;
  std::string token_;
  int port_ = 0;
  GameMap map_;
  bool paused_ = false;
  bool watching_ = false;
};

}  // namespace vorlane
