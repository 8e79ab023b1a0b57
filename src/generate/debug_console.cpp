#include "generate/debug_console.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <functional>

#include "generate/debug_server.h"

namespace vorlane {
namespace {

void PrintLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return text;
}

// Carries out one command line; false for an unknown one.
bool Command(DebugServer& server, const std::string& line, bool* watching) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"pause", [&] { server.Pause(); }},
      {"step", [&] { server.Step(); }},
      {"resume", [&] { server.Resume(); }},
      {"reload", [&] { server.Reload(); }},
      {"instances", [&] { server.WatchInstances(*watching = !*watching); }},
  };
  for (const auto& [name, run] : commands)
    if (line == name) {
      run();
      return true;
    }
  return false;
}

void PrintInstances(const std::vector<DebugInstance>& list) {
  for (const DebugInstance& i : list) {
    std::string line = "INSTANCE " + OneLine(i.object);
    for (double v : {i.x, i.y, i.depth}) line += " " + QString::number(v).toStdString();
    for (const auto& [name, value] : i.variables) line += " " + name + "=" + OneLine(value);
    PrintLine(line);
  }
  PrintLine("INSTANCES END");
}

}  // namespace

std::string DebugConsoleLine(const DebugEntry& entry) {
  std::string line = std::string(DebugKindName(entry.kind)) + "\t";
  if (entry.place) line += PlaceLineText(*entry.place, entry.line) + ": ";
  line += OneLine(entry.text);
  if (entry.count > 1) line += " (" + std::to_string(entry.count) + " times)";
  return line;
}

int RunDebugConsole(const std::string& project_folder, const std::string& debug_script) {
  DebugServer server;
  std::string error;
  if (!server.Start(project_folder, debug_script, &error)) {
    std::fprintf(stderr, "vorlane-build: %s\n", OneLine(error).c_str());
    return 1;
  }
  QObject::connect(&server, &DebugServer::Reported, [](const std::vector<DebugEntry>& entries) {
    for (const DebugEntry& entry : entries) PrintLine(DebugConsoleLine(entry));
  });
  QObject::connect(&server, &DebugServer::PausedChanged,
                   [](bool paused) { PrintLine(paused ? "PAUSED" : "RUNNING"); });
  QObject::connect(&server, &DebugServer::InstancesShown, &PrintInstances);
  PrintLine("ADDRESS " + server.PageAddress());

  bool watching = false;
  std::string pending;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return;
    if (n <= 0) {
      input.setEnabled(false);
      QCoreApplication::quit();
      return;
    }
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && !Command(server, line, &watching))
        std::fprintf(stderr, "vorlane-build: unknown command \"%s\"\n", OneLine(line).c_str());
    }
  });
  QCoreApplication::exec();
  return 0;
}

}  // namespace vorlane
