#include "platform/sdl/sdl_support.h"

#include <algorithm>
#include <array>

#include "platform/sdl/enlarge.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/window_placement.h"
#include "platform/sdl/x11_window_hints.h"
#include "platform/software/icon_file.h"

namespace rolvi::platform::sdl {

namespace {

// Window pixels that hold 0x00RRGGBB, the software surface's own layout.
bool SameLayoutAsSurfaces(const SDL_PixelFormat& format) {
  return format.BytesPerPixel == 4 && format.Rmask == 0x00FF0000 && format.Gmask == 0x0000FF00 &&
         format.Bmask == 0x000000FF;
}

// Other window pixel layouts: SDL converts, enlarging by nearest neighbour.
void PresentConverted(SDL_Surface* target, int scale, Size covered,
                      std::initializer_list<Layer> layers) {
  const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
  const SDL_Rect right{covered.width * scale, 0, target->w, target->h};
  const SDL_Rect below{0, covered.height * scale, target->w, target->h};
  SDL_FillRect(target, &right, black);
  SDL_FillRect(target, &below, black);
  for (const Layer& layer : layers) {
    if (layer.surface == nullptr || layer.surface->width() <= 0) continue;
    auto pixels = layer.surface->pixels();
    const SurfaceHandle source(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(pixels.data()), layer.surface->width(), layer.surface->height(),
        32, layer.surface->width() * 4, SDL_PIXELFORMAT_RGB888));
    if (source == nullptr) continue;
    SDL_Rect place{layer.x * scale, layer.y * scale, layer.surface->width() * scale,
                   layer.surface->height() * scale};
    if (scale == 1) {
      SDL_BlitSurface(source.get(), nullptr, target, &place);
    } else {
      SDL_BlitScaled(source.get(), nullptr, target, &place);
    }
  }
}

}  // namespace

void Present(SDL_Window* window, int scale, Size covered, std::initializer_list<Layer> layers) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  if (target == nullptr || scale < 1) return;
  if (!SameLayoutAsSurfaces(*target->format)) {
    PresentConverted(target, scale, covered, layers);
  } else if (!SDL_MUSTLOCK(target) || SDL_LockSurface(target) == 0) {
    const PixelTarget view{static_cast<std::uint32_t*>(target->pixels), target->w, target->h,
                           target->pitch / 4};
    FillOutside(view, covered.width * scale, covered.height * scale, 0);
    for (const Layer& layer : layers) {
      if (layer.surface == nullptr || layer.surface->width() <= 0) continue;
      const PixelBlock block{layer.surface->pixels().data(), layer.surface->width(),
                             layer.surface->height(), layer.surface->width()};
      EnlargeInto(block, scale, view, layer.x * scale, layer.y * scale);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  }
  for (const Layer& layer : layers) {
    if (layer.surface != nullptr) layer.surface->ForgetChanges();
  }
  SDL_UpdateWindowSurface(window);
}

PresentedPixels PresentedPixelsOf(SDL_Window* window) {
  const SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return {};
  return {surface, surface->w, surface->h};
}

bool PresentChanges(SDL_Window* window, int scale, std::initializer_list<Layer> layers,
                    const PresentedPixels& last) {
  SDL_Surface* target = SDL_GetWindowSurface(window);
  // A new surface (the window was resized) holds none of the last present.
  if (target == nullptr || scale < 1 || target != last.surface || target->w != last.width ||
      target->h != last.height || !SameLayoutAsSurfaces(*target->format)) {
    return false;
  }
  std::array<SDL_Rect, 2 * SoftSurface::kMaxChanges> shown{};
  int count = 0;
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return false;
  const PixelTarget view{static_cast<std::uint32_t*>(target->pixels), target->w, target->h,
                         target->pitch / 4};
  for (const Layer& layer : layers) {
    if (layer.surface == nullptr) continue;
    SoftSurface& surface = *layer.surface;
    for (const Rect& changed : surface.changes()) {
      const PixelBlock block{surface.pixels().data() +
                                 static_cast<std::ptrdiff_t>(changed.top) * surface.width() +
                                 changed.left,
                             changed.width(), changed.height(), surface.width()};
      const int x = (layer.x + changed.left) * scale;
      const int y = (layer.y + changed.top) * scale;
      EnlargeInto(block, scale, view, x, y);
      if (count < static_cast<int>(shown.size())) {
        shown[static_cast<std::size_t>(count)] =
            SDL_Rect{x, y, changed.width() * scale, changed.height() * scale};
      }
      ++count;
    }
    surface.ForgetChanges();
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  if (count > static_cast<int>(shown.size())) {
    SDL_UpdateWindowSurface(window);  // more layers than the list has room for: show it all
  } else if (count > 0) {
    SDL_UpdateWindowSurfaceRects(window, shown.data(), count);
  }
  return true;
}

FrameSizes FrameOf(SDL_Window* window) {
  FrameSizes frame;
  if (SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0) {
    return FrameSizes{};
  }
  return frame;
}

Rect OuterRect(SDL_Window* window) {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  SDL_GetWindowPosition(window, &x, &y);
  SDL_GetWindowSize(window, &width, &height);
  const FrameSizes frame = FrameOf(window);
  return Rect{x - frame.left, y - frame.top, x + width + frame.right, y + height + frame.bottom};
}

FrameSizes ExpectedFrame(SDL_Window* window) {
  if (const auto frame = RequestFrameExtents(window)) return *frame;
  return FrameOf(window);
}

Point FrameInWorkArea(SDL_Window* window, const FrameSizes& frame, Point wanted) {
  SDL_Rect work{};
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
  if (SDL_GetDisplayUsableBounds(display, &work) != 0) return wanted;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  const Size outer{width + frame.left + frame.right, height + frame.top + frame.bottom};
  return KeepFrameInside(wanted, outer, Rect{work.x, work.y, work.x + work.w, work.y + work.h});
}

void PlaceClient(SDL_Window* window, int x, int y) {
  if (!MoveClientTo(window, x, y)) SDL_SetWindowPosition(window, x, y);
}

void SetWindowIcon(SDL_Window* window, std::span<const std::uint8_t> icon_file) {
  std::optional<IconPicture> icon = ReadIconFile(icon_file);
  if (!icon) return;
  const SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormatFrom(
      icon->argb.data(), icon->width, icon->height, 32, icon->width * 4, SDL_PIXELFORMAT_ARGB8888));
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window, surface.get());
}

}  // namespace rolvi::platform::sdl
