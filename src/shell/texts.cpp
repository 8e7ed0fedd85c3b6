#include "shell/texts.h"

#include "resource_ids.h"

namespace rolvi::shell {

std::string_view FileProblemTexts::Reason(platform::FileError error) const {
  switch (error) {
    case platform::FileError::kNotFound:
      return not_found;
    case platform::FileError::kDenied:
      return denied;
    case platform::FileError::kReadOnly:
      return read_only;
    case platform::FileError::kFull:
      return full;
    case platform::FileError::kNotAFile:
      return not_a_file;
    case platform::FileError::kNone:
    case platform::FileError::kFailed:
      break;
  }
  return failed;
}

Texts LoadTexts(const platform::ResourceLookup& resources) {
  const auto text = [&resources](int id) { return resources.String(id); };
  return {
      .title = text(IDS_TITLE),
      .game = {.title = text(IDS_TITLE), .game_over = text(IDS_GAME_OVER)},
      .default_names = {.king = text(IDS_KING_NAME), .vacant = text(IDS_VACANT_NAME)},
      .header = {.next_group = text(IDS_NEXT_GROUP), .colours = text(IDS_COLOURS)},
      .player_plate = text(IDS_PLAYER_PLATE),
      .name_check = {.caption = text(IDS_NAME_ERROR),
                     .empty = text(IDS_NAME_EMPTY),
                     .too_long = text(IDS_NAME_TOO_LONG),
                     .not_latin = text(IDS_NAME_NOT_LATIN)},
      .stats_removed = text(IDS_STATS_REMOVED),
      .file_problems = {.not_read = text(IDS_RECORDS_NOT_READ),
                        .not_saved = text(IDS_RECORDS_NOT_SAVED),
                        .not_found = text(IDS_FILE_NO_FOLDER),
                        .denied = text(IDS_FILE_DENIED),
                        .read_only = text(IDS_FILE_READ_ONLY),
                        .full = text(IDS_FILE_FULL),
                        .not_a_file = text(IDS_FILE_NOT_A_FILE),
                        .failed = text(IDS_FILE_FAILED)},
  };
}

}  // namespace rolvi::shell
