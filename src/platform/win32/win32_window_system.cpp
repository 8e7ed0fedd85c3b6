#include "platform/win32/win32_window_system.h"

#include "platform/win32/win32_text.h"

namespace rolvi::platform::win32 {
namespace {

constexpr wchar_t kClassName[] = L"RolviWindow";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;  // 0x23

// Low and high word of a message parameter, each an unsigned 16-bit number.
int LowWord(LPARAM value) {
  return static_cast<int>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}
int HighWord(LPARAM value) {
  return static_cast<int>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFFu);
}

// The client's key a WM_KEYDOWN stands for, without Control (Alt makes WM_SYSKEYDOWN);
// nothing for a repeat of a key that acts once a press.
std::optional<ClientKey> ClientKeyOf(WPARAM virtual_key, LPARAM flags) {
  if (GetKeyState(VK_CONTROL) < 0) return std::nullopt;
  std::optional<ClientKey> key;
  switch (virtual_key) {
    case VK_LEFT:
      key = ClientKey::kLeft;
      break;
    case VK_RIGHT:
      key = ClientKey::kRight;
      break;
    case VK_UP:
      key = ClientKey::kUp;
      break;
    case VK_DOWN:
      key = ClientKey::kDown;
      break;
    case VK_HOME:
      key = ClientKey::kHome;
      break;
    case VK_END:
      key = ClientKey::kEnd;
      break;
    case VK_PRIOR:
      key = ClientKey::kPageUp;
      break;
    case VK_NEXT:
      key = ClientKey::kPageDown;
      break;
    case VK_SPACE:
      key = ClientKey::kSpace;
      break;
    case VK_RETURN:
      key = ClientKey::kEnter;
      break;
    default:
      return std::nullopt;
  }
  // Bit 30: the key was already down, an auto-repeat.
  const bool repeat = (static_cast<std::uint32_t>(flags) & (1u << 30)) != 0;
  return repeat && !RepeatsWhileHeld(*key) ? std::nullopt : key;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance, Size outer_size,
                                     const MainWindowIdentity& identity, FileSystem& files,
                                     TickSource ticks)
    : instance_(instance),
      files_(files),
      ticks_(ticks),
      outer_size_(outer_size),
      identity_(identity),
      screen_size_{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} {}

Win32WindowSystem::~Win32WindowSystem() = default;

int Win32WindowSystem::Run(WindowHandlers& handlers, int show_command) {
  handlers_ = &handlers;

  WNDCLASSW window_class{};
  window_class.style = kClassStyle;
  window_class.lpfnWndProc = &Win32WindowSystem::Procedure;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(identity_.icon_id));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszMenuName = MAKEINTRESOURCEW(identity_.menu_id);
  window_class.lpszClassName = kClassName;
  if (RegisterClassW(&window_class) == 0) return 0;

  // Both divisions truncate toward zero: a small screen gives a negative position.
  const Point place = CentreIn(screen_size_, outer_size_);
  const WideText title(identity_.gbk_title);
  HWND window =
      CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, place.x, place.y,
                      outer_size_.width, outer_size_.height, nullptr, nullptr, instance_, this);
  if (window == nullptr) return 1;
  HACCEL accelerators = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(identity_.menu_id));
  ShowWindow(window, show_command);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (stats_window_ != nullptr && IsDialogMessageW(stats_window_, &message)) continue;
    if (accelerators != nullptr && TranslateAcceleratorW(window, accelerators, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32WindowSystem::Procedure(HWND window, UINT message, WPARAM w_param,
                                              LPARAM l_param) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l_param);
    auto* system = static_cast<Win32WindowSystem*>(creation->lpCreateParams);
    system->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(system));
  }
  auto* system = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Messages before WM_NCCREATE (the first WM_GETMINMAXINFO) get the default handling.
  if (system == nullptr || system->handlers_ == nullptr) {
    return DefWindowProcW(window, message, w_param, l_param);
  }
  return system->Handle(message, w_param, l_param);
}

LRESULT Win32WindowSystem::Handle(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_CREATE:
      handlers_->OnCreate();
      return 0;
    case WM_DESTROY:
      destroying_ = true;
      handlers_->OnDestroy();
      window_surface_.reset();
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      handlers_->OnSize(LowWord(l_param), HighWord(l_param));
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(l_param);
      const Size minimum = handlers_->MinimumTrackSize();
      limits->ptMinTrackSize = {minimum.width, minimum.height};
      return 0;
    }
    case WM_COMMAND:
      handlers_->OnCommand(LowWord(static_cast<LPARAM>(w_param)));
      return 0;
    case WM_TIMER:
      handlers_->OnTimer();
      return 0;
    case WM_LBUTTONDOWN:
      handlers_->OnMouseDown(LowWord(l_param), HighWord(l_param));
      return 0;
    case WM_LBUTTONUP:
      handlers_->OnMouseUp(LowWord(l_param), HighWord(l_param));
      return 0;
    case WM_KEYDOWN:  // what the accelerators left; the dialogs' keys never come here
      if (const std::optional<ClientKey> key = ClientKeyOf(w_param, l_param)) {
        handlers_->OnKey(*key);
        return 0;
      }
      return DefWindowProcW(window_, message, w_param, l_param);
    case WM_ENDSESSION:  // the session ends: the process goes without WM_DESTROY
      if (w_param != FALSE) {
        session_ending_ = true;
        handlers_->OnSessionEnding();
      }
      return 0;
    default:
      return DefWindowProcW(window_, message, w_param, l_param);
  }
}

void Win32WindowSystem::Paint() {
  if (IsIconic(window_)) {
    // Nothing to paint; validating keeps the system from asking again and again.
    ValidateRect(window_, nullptr);
    return;
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  {
    GdiSurface surface(dc, fonts_);
    handlers_->OnPaint(surface);
  }
  EndPaint(window_, &paint);
}

Surface* Win32WindowSystem::StartDrawing() {
  if (window_ == nullptr || IsIconic(window_)) return nullptr;
  if (!window_surface_) {
    // The class has its own context (CS_OWNDC): the same one every time, never released,
    // keeping its palette, text colour and background mode between messages.
    HDC dc = GetDC(window_);
    if (dc == nullptr) return nullptr;
    window_surface_ = std::make_unique<GdiSurface>(dc, fonts_);
  }
  return window_surface_.get();
}

Size Win32WindowSystem::ClientSize() const {
  RECT client{};
  if (window_ != nullptr) GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

Rect Win32WindowSystem::WindowRect() const {
  RECT outer{};
  if (window_ != nullptr) GetWindowRect(window_, &outer);
  return {outer.left, outer.top, outer.right, outer.bottom};
}

void Win32WindowSystem::Pause(int milliseconds) {
  GdiFlush();
  Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
}

bool Win32WindowSystem::Beep() {
  return MessageBeep(MB_ICONASTERISK) != FALSE;
}

void Win32WindowSystem::SetMenuCheck(int command, bool checked) {
  CheckMenuItem(GetMenu(window_), static_cast<UINT>(command),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32WindowSystem::StartTimer(int period_ms) {
  SetTimer(window_, kJumpTimerId, static_cast<UINT>(period_ms), nullptr);
}

void Win32WindowSystem::StopTimer() {
  KillTimer(window_, kJumpTimerId);
}

void Win32WindowSystem::DestroyMainWindow() {
  DestroyWindow(window_);
}

void Win32WindowSystem::ShowMessageBox(std::string_view gbk_text, std::string_view gbk_caption,
                                       MessageIcon icon) {
  ShowGbkMessageBox(window_, gbk_text, gbk_caption, icon);
}

void Win32WindowSystem::ReportProblem(std::string_view gbk_text, std::string_view gbk_caption) {
  if (session_ending_) return;  // nobody would read it
  ShowGbkMessageBox(destroying_ ? nullptr : window_, gbk_text, gbk_caption,
                    MessageIcon::kExclamation);
}

void Win32WindowSystem::RunModalDialog(int dialog, DialogHandler& handler) {
  DialogHost host(handler, fonts_, nullptr);
  host.RunModal(instance_, dialog, window_);
}

bool Win32WindowSystem::OpenModelessDialog(int dialog, DialogHandler& handler) {
  CloseModelessDialog();
  stats_host_.emplace(handler, fonts_, &stats_window_);
  return stats_host_->CreateModeless(instance_, dialog, window_) != nullptr;
}

void Win32WindowSystem::CloseModelessDialog() {
  // Destroying the window clears stats_window_ through the host.
  if (stats_window_ != nullptr) DestroyWindow(stats_window_);
  stats_window_ = nullptr;
}

void Win32WindowSystem::InvalidateModelessDialog() {
  if (stats_window_ != nullptr) InvalidateRect(stats_window_, nullptr, FALSE);
}

}  // namespace rolvi::platform::win32
