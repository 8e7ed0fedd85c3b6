// rolvi_window_watch: starts a program on the X display and reports, in milliseconds from the
// start, when its top-level window named TITLE is mapped and when that window first shows a
// pixel that is not black (its first painted frame). The program is left running; its pid
// and the window's id are printed with the times:
//   pid=1234 window=0x200007 mapped_ms=612.3 first_frame_ms=618.9
// Usage: rolvi_window_watch TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The window's name, or an empty string.
std::string NameOf(Display* display, Window window) {
  char* name = nullptr;
  std::string result;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    result = name;
    XFree(name);
  }
  return result;
}

// The top-level window under `window` (itself, or a child when a window manager framed it)
// whose name is `title`; None when there is none.
Window FindNamed(Display* display, Window window, const char* title, int depth) {
  if (NameOf(display, window) == title) return window;
  if (depth == 0) return None;
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return None;
  Window found = None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    found = FindNamed(display, children[i], title, depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

// True when some pixel of the window is not black.
bool ShowsPixels(Display* display, Window window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0 ||
      attributes.map_state != IsViewable) {
    return false;
  }
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool shown = false;
  for (int y = 0; y < image->height && !shown; ++y) {
    for (int x = 0; x < image->width && !shown; ++x) {
      shown = (XGetPixel(image, x, y) & 0xFFFFFFu) != 0;
    }
  }
  XDestroyImage(image);
  return shown;
}

// Milliseconds of CPU the process has used so far, all its threads, from the scheduler's
// statistics; -1 when they cannot be read.
double CpuMilliseconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* directory = opendir(tasks.c_str());
  if (directory == nullptr) return -1;
  double total_ns = 0;
  while (const dirent* entry = readdir(directory)) {
    if (entry->d_name[0] == '.') continue;
    std::FILE* file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r");
    if (file == nullptr) continue;
    unsigned long long running_ns = 0;
    if (std::fscanf(file, "%llu", &running_ns) == 1) total_ns += static_cast<double>(running_ns);
    std::fclose(file);
  }
  closedir(directory);
  return total_ns / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s TITLE TIMEOUT_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  const char* title = argv[1];
  const double timeout_ms = std::strtod(argv[2], nullptr);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "rolvi_window_watch: cannot open the display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    close(ConnectionNumber(display));
    dup2(STDERR_FILENO, STDOUT_FILENO);  // the report alone goes to standard output
    execvp(argv[3], argv + 3);
    std::perror("rolvi_window_watch: exec");
    _exit(127);
  }

  // Mapped: a map of a top-level window (or of the frame a window manager put around it)
  // after which the named window is found viewable.
  Window window = None;
  double mapped_ms = -1;
  while (window == None && MillisecondsSince(start) < timeout_ms) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify || window != None) continue;
      const Window found = FindNamed(display, event.xmap.window, title, 2);
      if (found != None) {
        window = found;
        mapped_ms = MillisecondsSince(start);
      }
    }
    if (window != None) break;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 5);
  }
  double frame_ms = -1;
  double cpu_ms = -1;
  while (window != None && MillisecondsSince(start) < timeout_ms) {
    if (ShowsPixels(display, window)) {
      frame_ms = MillisecondsSince(start);
      cpu_ms = CpuMilliseconds(child);
      break;
    }
    usleep(1000);
  }
  std::printf("pid=%d window=0x%lx mapped_ms=%.1f first_frame_ms=%.1f cpu_ms=%.1f\n",
              static_cast<int>(child), window, mapped_ms, frame_ms, cpu_ms);
  XCloseDisplay(display);
  return window != None && frame_ms >= 0 ? 0 : 1;
}
