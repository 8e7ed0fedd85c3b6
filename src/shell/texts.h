// Every text the program draws or shows outside its dialog templates, taken once, at start,
// from the string table of its resources by the numbers of res/resource_ids.h, and handed to
// the layers that show them. The views point into the resources, which outlive the window.
#pragma once

#include <string_view>

#include "dialogs/name_check.h"
#include "game/view.h"
#include "gfx/board_renderer.h"
#include "platform/file_system.h"
#include "platform/resource_lookup.h"
#include "records/record_table.h"

namespace rolvi::shell {

// A record file that could not be read or written: the message's first line, and why.
struct FileProblemTexts {
  std::string_view not_read;
  std::string_view not_saved;
  std::string_view not_found;
  std::string_view denied;
  std::string_view read_only;
  std::string_view full;
  std::string_view not_a_file;
  std::string_view failed;

  std::string_view Reason(platform::FileError error) const;
};

struct Texts {
  std::string_view title;  // the main window's, and the caption of its message boxes
  game::GameTexts game;
  records::DefaultNames default_names;
  gfx::HeaderLabels header;
  std::string_view player_plate;
  dialogs::NameCheckTexts name_check;
  std::string_view stats_removed;
  FileProblemTexts file_problems;
};

// A text the resources lack comes out empty.
Texts LoadTexts(const platform::ResourceLookup& resources);

}  // namespace rolvi::shell
