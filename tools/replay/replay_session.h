// A replay session: the game created exactly as the program creates it, on the headless
// window system, driven by script lines (clicks, keys, raw presses, commands, ticks, resizes,
// name answers) and printing state dumps, record tables, event logs and screenshots.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/headless/headless_window_system.h"
#include "platform/widgets/table_resource_lookup.h"
#include "shell/main_window.h"

namespace rolvi::replay {

struct SessionOptions {
  std::uint32_t seed = 1;
  std::filesystem::path directory = ".";
  int width = 612;
  int height = 374;
  // A kept game to continue instead of starting a new one (never written).
  std::string resume;
};

// A script line that cannot be run: the message names what is wrong.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ReplaySession final : private platform::HeadlessObserver {
 public:
  ReplaySession(const SessionOptions& options, std::ostream& out);
  ~ReplaySession() override;

  // Runs one script line; throws ScriptError for an unknown or malformed one.
  void Run(std::string_view line);
  // Destroys the window, which saves the records.
  void Finish();

  const game::Game& game() const { return window_.game(); }
  const shell::BoardCursor& cursor() const { return window_.cursor(); }
  // How many message boxes the game has shown so far (the game-over box among them).
  int message_boxes() const { return message_boxes_; }

 private:
  void OnBeep() override;
  void OnMessageBox(std::string_view gbk_text, std::string_view gbk_caption) override;
  void OnProblem(std::string_view gbk_text, std::string_view gbk_caption) override;
  void OnDialog(int dialog) override;
  void OnStatsRefresh() override;

  void Dump();
  void PrintRecords();
  void Shot(const std::string& path);
  void Keep(const std::string& path);

  std::ostream& out_;
  platform::widgets::TableResourceLookup resources_;
  platform::DiskFileSystem files_;
  // Paths as the script and the command line give them, from the current directory.
  platform::DiskFileSystem paths_{""};
  platform::HeadlessWindowSystem system_;
  shell::MainWindow window_;
  bool logging_ = false;
  int message_boxes_ = 0;
  std::string shot_at_message_;  // written when the next message box opens
};

}  // namespace rolvi::replay
