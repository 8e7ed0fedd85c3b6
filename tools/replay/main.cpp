// replay [--seed N] [--dir DIR] [--size W H] [--resume PATH] < script
// Plays a script of clicks, commands and ticks on the headless game and prints what it asks.
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/window_system.h"
#include "replay_session.h"

namespace {

int Usage() {
  std::cerr << "usage: replay [--seed N] [--dir DIR] [--size W H] [--resume PATH] < script\n";
  return 2;
}

bool ParseNumber(std::string_view text, long long low, long long high, long long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
  rolvi::replay::SessionOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    long long value = 0;
    long long height = 0;
    if (arg == "--seed" && i + 1 < argc && ParseNumber(argv[i + 1], 0, 0xFFFFFFFFLL, value)) {
      options.seed = static_cast<std::uint32_t>(value);
      i += 1;
    } else if (arg == "--dir" && i + 1 < argc) {
      options.directory = argv[++i];
    } else if (arg == "--resume" && i + 1 < argc) {
      options.resume = argv[++i];
    } else if (arg == "--size") {
      const long long largest = rolvi::platform::kMaxClientSide;
      if (i + 2 >= argc || !ParseNumber(argv[i + 1], 1, largest, value) ||
          !ParseNumber(argv[i + 2], 1, largest, height)) {
        std::cerr << "replay: --size takes a width and a height from 1 to " << largest << "\n";
        return 2;
      }
      options.width = static_cast<int>(value);
      options.height = static_cast<int>(height);
      i += 2;
    } else {
      return Usage();
    }
  }

  rolvi::replay::ReplaySession session(options, std::cout);
  std::string line;
  int number = 0;
  try {
    while (std::getline(std::cin, line)) {
      ++number;
      session.Run(line);
    }
  } catch (const rolvi::replay::ScriptError& error) {
    std::cerr << "line " << number << ": " << error.what() << "\n";
    return 2;
  } catch (const rolvi::platform::NoQueuedAnswer& error) {
    std::cerr << "line " << number << ": " << error.what() << "\n";
    return 2;
  }
  session.Finish();
  return 0;
}
