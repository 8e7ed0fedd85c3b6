// Pictures for reviewing the ball symbols: the seven balls as each kind of eye sees them, with
// and without symbols, and every frame of every ball with its symbol, enlarged.
#pragma once

#include <string>

namespace rolvi::colour {

// Writes ball-symbols-views.png and ball-symbols-frames.png into `directory`; false when a
// file could not be written.
bool WriteReviewPictures(const std::string& directory);

}  // namespace rolvi::colour
