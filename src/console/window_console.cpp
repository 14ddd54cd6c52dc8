#include "console/window_console.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "console/compose.h"
#include "console/palette.h"

namespace console {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPumpInterval = std::chrono::microseconds(1000);  // while the program draws
constexpr int kWaitTimeoutMs = 10;   // longest sleep of a program waiting for a key
constexpr size_t kMaxQueuedKeys = 64;
constexpr int kMinCheckInterval = 1;
constexpr int kMaxCheckInterval = 1 << 26;
constexpr int kFirstCheckInterval = 1000;
constexpr int kBandRows = kScreenHeight / 4;  // screen rows sent at once

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// At the end of this file, with the few Xlib calls they need.
void TolerateLateWakeups();
bool FullScreenIsCarriedOut(SDL_Window* window);

// The smallest rectangle that holds every pixel in which two composed
// pictures differ; w is 0 when they are alike.
SDL_Rect ChangedArea(const std::vector<uint8_t>& now, const std::vector<uint8_t>& before) {
  int top = -1, bottom = -1, left = kScreenWidth, right = -1;
  for (int y = 0; y < kScreenHeight; ++y) {
    const uint8_t* a = &now[static_cast<size_t>(y) * kScreenWidth];
    const uint8_t* b = &before[static_cast<size_t>(y) * kScreenWidth];
    if (std::memcmp(a, b, kScreenWidth) == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int x = 0;
    while (a[x] == b[x]) ++x;
    left = std::min(left, x);
    x = kScreenWidth - 1;
    while (a[x] == b[x]) --x;
    right = std::max(right, x);
  }
  if (top < 0) return SDL_Rect{0, 0, 0, 0};
  return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

// The picture in the window: the composed screen zoomed into the window's
// surface, centred on a black border. Only the rectangle that changed since
// the last frame goes to the display, so a frame stays cheap while the
// program draws, even where every pixel has to be copied by the CPU (as
// under a virtual X server).
class WindowPicture {
 public:
  // Draws everything afresh, borders included. False when the window has
  // no surface to draw on at the moment.
  bool Redraw(SDL_Window* window, const Screen& screen) {
    target_ = SDL_GetWindowSurface(window);
    if (target_ == nullptr) return false;
    Layout();
    for (size_t i = 0; i < colours_.size(); ++i) {
      const Rgb c = kPalette[i];
      colours_[i] = SDL_MapRGB(target_->format, c.r, c.g, c.b);
    }
    SDL_FillRect(target_, nullptr, SDL_MapRGB(target_->format, 0, 0, 0));
    ComposeScreen(screen, true, composed_);
    Draw(SDL_Rect{0, 0, kScreenWidth, kScreenHeight});
    std::swap(composed_, shown_);
    return SDL_UpdateWindowSurface(window) == 0;
  }

  // Sends what changed since the last frame, if anything did, calling
  // `between` between the bands of a large change. False when the
  // window's surface has gone (resized) and wants a Redraw.
  template <class Between>
  bool Update(SDL_Window* window, const Screen& screen, Between between) {
    if (target_ == nullptr) return false;
    ComposeScreen(screen, true, composed_);
    const SDL_Rect area = ChangedArea(composed_, shown_);
    if (area.w == 0) return true;
    if (scale_ == 0) {
      const SDL_Rect onWindow = Draw(SDL_Rect{0, 0, kScreenWidth, kScreenHeight});
      std::swap(composed_, shown_);
      return SDL_UpdateWindowSurfaceRects(window, &onWindow, 1) == 0;
    }
    // The display may take a while to copy a large change; in bands, keys
    // are taken in between.
    for (int top = area.y; top < area.y + area.h; top += kBandRows) {
      if (top > area.y) between();
      const SDL_Rect onWindow = Draw(SDL_Rect{area.x, top, area.w, std::min(kBandRows, area.y + area.h - top)});
      if (SDL_UpdateWindowSurfaceRects(window, &onWindow, 1) != 0) return false;
    }
    std::swap(composed_, shown_);
    return true;
  }

  void Release() {
    if (frame_ != nullptr) SDL_FreeSurface(frame_);
    frame_ = nullptr;
    target_ = nullptr;  // owned by the window
  }

 private:
  // A whole-number zoom where the screen fits and the surface holds 32-bit
  // pixels; otherwise (scale_ 0) SDL shrinks or converts the picture.
  void Layout() {
    const int whole = std::min(target_->w / kScreenWidth, target_->h / kScreenHeight);
    if (whole >= 1 && target_->format->BytesPerPixel == 4) {
      scale_ = whole;
      fitted_ = SDL_Rect{(target_->w - kScreenWidth * whole) / 2, (target_->h - kScreenHeight * whole) / 2,
                         kScreenWidth * whole, kScreenHeight * whole};
      return;
    }
    scale_ = 0;
    int w = target_->w, h = target_->h;
    if (w * kScreenHeight < h * kScreenWidth) h = w * kScreenHeight / kScreenWidth;
    else w = h * kScreenWidth / kScreenHeight;
    fitted_ = SDL_Rect{(target_->w - w) / 2, (target_->h - h) / 2, w, h};
    if (frame_ == nullptr)
      frame_ = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  }

  // Puts `area` of the composed picture on the surface; returns where it
  // went in window pixels.
  SDL_Rect Draw(const SDL_Rect& area) {
    if (scale_ == 0) {
      DrawShrunk();
      return fitted_;
    }
    if (SDL_MUSTLOCK(target_)) SDL_LockSurface(target_);
    const size_t rowBytes = static_cast<size_t>(area.w * scale_) * sizeof(uint32_t);
    for (int y = area.y; y < area.y + area.h; ++y) {
      uint8_t* row = static_cast<uint8_t*>(target_->pixels) +
                     static_cast<ptrdiff_t>(fitted_.y + y * scale_) * target_->pitch;
      auto* out = reinterpret_cast<uint32_t*>(row) + fitted_.x + area.x * scale_;
      const uint8_t* in = &composed_[static_cast<size_t>(y) * kScreenWidth + static_cast<size_t>(area.x)];
      uint32_t* p = out;
      for (int x = 0; x < area.w; ++x) {
        const uint32_t colour = colours_[in[x] & 15u];
        for (int k = 0; k < scale_; ++k) *p++ = colour;
      }
      for (int k = 1; k < scale_; ++k) std::memcpy(row + static_cast<ptrdiff_t>(k) * target_->pitch +
                                                       static_cast<ptrdiff_t>(fitted_.x + area.x * scale_) * 4,
                                                   out, rowBytes);
    }
    if (SDL_MUSTLOCK(target_)) SDL_UnlockSurface(target_);
    return SDL_Rect{fitted_.x + area.x * scale_, fitted_.y + area.y * scale_, area.w * scale_, area.h * scale_};
  }

  void DrawShrunk() {
    if (frame_ == nullptr) return;
    SDL_LockSurface(frame_);
    for (int y = 0; y < kScreenHeight; ++y) {
      auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(frame_->pixels) +
                                              static_cast<ptrdiff_t>(y) * frame_->pitch);
      const uint8_t* in = &composed_[static_cast<size_t>(y) * kScreenWidth];
      for (int x = 0; x < kScreenWidth; ++x) {
        const Rgb c = PaletteColour(in[x]);
        out[x] = 0xFF000000u | static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
      }
    }
    SDL_UnlockSurface(frame_);
    SDL_Rect destination = fitted_;
    SDL_BlitScaled(frame_, nullptr, target_, &destination);
  }

  SDL_Surface* target_ = nullptr;  // the window's surface
  SDL_Surface* frame_ = nullptr;   // the picture at its own size, for SDL to shrink
  std::vector<uint8_t> composed_;
  std::vector<uint8_t> shown_;
  std::array<uint32_t, 16> colours_{};  // the palette in the surface's pixel format
  int scale_ = 0;
  SDL_Rect fitted_{};  // where the picture lies on the surface
};

}  // namespace

struct WindowConsole::Impl {
  SDL_Window* window = nullptr;

  std::deque<int> keys;
  bool quit = false;

  WindowPicture picture;
  bool mustRedraw = true;   // the window needs the whole picture, not just what changed
  // Whether the program may have changed the screen since the last frame.
  // A program that only waits for keys changes nothing, so the waiting
  // window composes nothing either.
  bool activity = true;
  bool gaveKey = false;     // the last NextKey returned a key
  bool coveringDisplay = false;  // full screen made by hand, without a window manager
  SDL_Rect windowedArea{};       // where the window was before that
  Clock::duration frameInterval = std::chrono::microseconds(16667);
  Clock::time_point nextFrame{};

  // Pacing of Service: it wants to be called about every kPumpInterval.
  int checkInterval = kFirstCheckInterval;
  Clock::time_point lastServiceStart{};
  Clock::time_point lastServiceEnd{};
  bool waitedSinceService = true;  // NextKey ran since the last Service

  // Figures for --stats
  Clock::time_point lastPumpEnd{};
  bool pumped = false;
  Clock::duration longestPumpGap{};
  Clock::duration busyTime{};
  int64_t busyFrames = 0;

  ~Impl() {
    picture.Release();
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_Quit();
  }

  void Open(const WindowOptions& options, const Screen& blank) {
    // SDL falls back to drivers that draw nowhere; without a display and
    // without a driver asked for by name, there is no window to open.
    const char* askedDriver = SDL_getenv("SDL_VIDEODRIVER");
    if (askedDriver == nullptr && SDL_getenv("DISPLAY") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr)
      throw NoDisplay("DISPLAY is not set");
    TolerateLateWakeups();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) throw NoDisplay(SDL_GetError());
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (askedDriver == nullptr && (driver == "offscreen" || driver == "dummy"))
      throw NoDisplay("the display could not be opened");
    // On X11 the window's pixels go straight to the server (shared memory
    // where it can), rectangle by rectangle; the default would send every
    // frame whole through an OpenGL texture.
    if (driver == "x11") SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

    int scale = std::max(1, options.scale);
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
      while (scale > 1 && (kScreenWidth * scale > usable.w || kScreenHeight * scale > usable.h)) --scale;
    }
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate >= 30 && mode.refresh_rate <= 240)
      frameInterval = std::chrono::microseconds(1000000 / mode.refresh_rate);

    window = SDL_CreateWindow("ifsdraw", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth * scale,
                              kScreenHeight * scale, SDL_WINDOW_RESIZABLE);
    if (window == nullptr) throw std::runtime_error(std::string("cannot open the window: ") + SDL_GetError());
    SDL_SetWindowMinimumSize(window, kScreenWidth / 2, kScreenHeight / 2);
    if (options.fullscreen) ToggleFullscreen();
    SDL_StartTextInput();
    // The first picture costs the most (the server sets up the window's
    // pixels); it is the blank screen, shown before the program starts.
    mustRedraw = !picture.Redraw(window, blank);
  }

  // --- Keys ---

  void Queue(int key) {
    if (keys.size() < kMaxQueuedKeys) keys.push_back(key);
  }

  // Handles one event; function keys go straight to the console.
  void Handle(const SDL_Event& event, WindowConsole& console) {
    switch (event.type) {
      case SDL_QUIT:
        quit = true;
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) quit = true;
        else mustRedraw = true;  // exposed, resized, restored: draw it afresh
        break;
      case SDL_TEXTINPUT:
        for (const char* p = event.text.text; *p != '\0'; ++p)
          if (*p >= 32 && *p < 127) Queue(*p);
        break;
      case SDL_KEYDOWN:
        HandleKeyDown(event.key, console);
        break;
      default:
        break;
    }
  }

  void HandleKeyDown(const SDL_KeyboardEvent& key, WindowConsole& console) {
    const SDL_Keycode sym = key.keysym.sym;
    if (sym == SDLK_q && (key.keysym.mod & KMOD_CTRL) != 0) {
      quit = true;
      return;
    }
    switch (sym) {
      case SDLK_RETURN:
      case SDLK_KP_ENTER: Queue(kKeyReturn); return;
      case SDLK_BACKSPACE: Queue(kKeyBackspace); return;
      case SDLK_RIGHT: Queue(kKeyRight); return;
      case SDLK_LEFT: Queue(kKeyLeft); return;
      case SDLK_UP: Queue(kKeyUp); return;
      case SDLK_DOWN: Queue(kKeyDown); return;
      default: break;
    }
    if (key.repeat != 0) return;  // a held function key acts once
    if (sym >= SDLK_F1 && sym <= SDLK_F3) {
      console.PressFunctionKey(static_cast<int>(sym - SDLK_F1) + 1);
      activity = true;
    } else if (sym == SDLK_F11) {
      ToggleFullscreen();
    }
  }

  void ToggleFullscreen() {
    mustRedraw = true;
    if (coveringDisplay) {
      SDL_SetWindowBordered(window, SDL_TRUE);
      SDL_SetWindowSize(window, windowedArea.w, windowedArea.h);
      SDL_SetWindowPosition(window, windowedArea.x, windowedArea.y);
      coveringDisplay = false;
      return;
    }
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (full || FullScreenIsCarriedOut(window)) {
      SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
      return;
    }
    // Without a window manager a request for full screen goes unanswered,
    // though SDL would draw for the display's size all the same: the
    // window covers the display itself instead.
    SDL_Rect display;
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &display) != 0) return;
    SDL_GetWindowPosition(window, &windowedArea.x, &windowedArea.y);
    SDL_GetWindowSize(window, &windowedArea.w, &windowedArea.h);
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, display.x, display.y);
    SDL_SetWindowSize(window, display.w, display.h);
    coveringDisplay = true;
  }

  // Gaps count while the program draws; a program waiting for a key is
  // pumping all the time it waits.
  void NotePumpStart(Clock::time_point now) {
    if (pumped && !waitedSinceService) longestPumpGap = std::max(longestPumpGap, now - lastPumpEnd);
  }
  void NotePumpEnd() {
    lastPumpEnd = Clock::now();
    pumped = true;
  }

  // Takes every event that has arrived.
  void Pump(WindowConsole& console, Clock::time_point now) {
    NotePumpStart(now);
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Handle(event, console);
    NotePumpEnd();
  }

  // --- Presentation ---

  bool FrameDue(Clock::time_point now) const { return now >= nextFrame; }

  void StartFrameClock(Clock::time_point now) {
    // Keeps a steady rhythm, but never tries to catch up on missed frames.
    nextFrame = now - nextFrame < frameInterval ? nextFrame + frameInterval : now + frameInterval;
  }

  void Present(WindowConsole& console) {
    const Screen& screen = console.screen();
    const bool redraw = mustRedraw;
    mustRedraw = false;  // a pump between bands may ask for it again
    const bool ok = redraw ? picture.Redraw(window, screen)
                           : picture.Update(window, screen, [&] { Pump(console, Clock::now()); });
    if (!ok) mustRedraw = true;  // a window without a surface gets another try at the next frame
    activity = false;
  }

  // --- Pacing ---

  // Scales the number of CheckEvents calls between two Service calls so
  // that they come about every kPumpInterval while the program draws.
  void Calibrate(Clock::duration work) {
    if (work <= Clock::duration::zero()) {
      checkInterval = std::min(kMaxCheckInterval, checkInterval * 4);
      return;
    }
    const double ratio = std::clamp(std::chrono::duration<double>(kPumpInterval) / work, 0.25, 4.0);
    const double next = std::clamp(static_cast<double>(checkInterval) * ratio, static_cast<double>(kMinCheckInterval),
                                   static_cast<double>(kMaxCheckInterval));
    checkInterval = static_cast<int>(next);
  }
};

WindowConsole::WindowConsole(const WindowOptions& options) : impl_(std::make_unique<Impl>()) {
  impl_->Open(options, screen());
  impl_->lastServiceEnd = Clock::now();
}

WindowConsole::~WindowConsole() = default;

int WindowConsole::NextKey() {
  Impl& w = *impl_;
  // The program ran since the last frame if it was served events or given
  // a key since the last wait.
  if (!w.waitedSinceService || w.gaveKey) w.activity = true;
  w.waitedSinceService = true;
  w.Pump(*this, Clock::now());
  if (w.quit) throw RunEnded{};
  if (w.keys.empty() && !FunctionKeyPending()) {
    // Nothing to do but show what changed and sleep until something happens.
    const Clock::time_point now = Clock::now();
    int timeoutMs = kWaitTimeoutMs;
    if (w.activity || w.mustRedraw) {
      if (w.FrameDue(now)) {
        w.Present(*this);
        w.StartFrameClock(now);
      } else {
        const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(w.nextFrame - now).count();
        timeoutMs = static_cast<int>(std::clamp<long long>(untilDue, 1, kWaitTimeoutMs));
      }
    }
    // A large picture goes out with pumps between its bands, which may
    // have brought something already.
    if (w.keys.empty() && !FunctionKeyPending() && !w.quit) {
      SDL_Event event;
      w.NotePumpStart(Clock::now());
      const bool got = SDL_WaitEventTimeout(&event, timeoutMs) != 0;
      w.NotePumpEnd();
      if (got) {
        w.Handle(event, *this);
        w.Pump(*this, Clock::now());
      }
    }
    if (w.quit) throw RunEnded{};
  }
  // A function key pressed before the queued keys acts before them.
  w.gaveKey = !w.keys.empty() && !FunctionKeyPending();
  if (!w.gaveKey) return kNoKey;
  const int key = w.keys.front();
  w.keys.pop_front();
  return key;
}

int WindowConsole::Service() {
  Impl& w = *impl_;
  const Clock::time_point now = Clock::now();
  const bool busy = !w.waitedSinceService;
  if (busy) {
    w.busyTime += now - w.lastServiceStart;
    w.Calibrate(now - w.lastServiceEnd);
  }
  w.lastServiceStart = now;
  w.Pump(*this, now);
  if (w.FrameDue(now)) {
    w.Present(*this);
    w.StartFrameClock(now);
    if (busy) ++w.busyFrames;
    w.Pump(*this, Clock::now());  // a key that came while presenting is not kept waiting
  }
  if (w.quit) throw RunEnded{};
  w.waitedSinceService = false;
  w.lastServiceEnd = Clock::now();
  return w.checkInterval;
}

void WindowConsole::PlotBudgetSpent() {
  // The window sets no budget of its own: the initial one of INT64_MAX
  // points is spent only after centuries of drawing; it is simply renewed.
  SetPlotBudget(INT64_MAX);
}

WindowStats WindowConsole::Stats() const {
  WindowStats stats;
  stats.busySeconds = std::chrono::duration<double>(impl_->busyTime).count();
  stats.busyFrames = impl_->busyFrames;
  stats.longestPumpGapMs = Milliseconds(impl_->longestPumpGap);
  stats.points = PointsPlotted();
  return stats;
}

}  // namespace console

// Xlib's headers define short macro names (None, Bool, Status, ...), so they
// come after everything else.
#ifdef IFSDRAW_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace console {
namespace {

XErrorHandler previousXErrorHandler = nullptr;

// SDL ends its own wait for events by sending an event to the window over
// a second connection to the X server. One sent just before the window is
// closed can reach the server after the window is gone, and Xlib's default
// handler would then end a clean exit with status 1. That error alone is
// let pass; SDL installs its own handler over this one and hands errors on.
int IgnoreLateWakeup(Display* display, XErrorEvent* error) {
  if (error->request_code == X_SendEvent && error->error_code == BadWindow) return 0;
  return previousXErrorHandler != nullptr ? previousXErrorHandler(display, error) : 0;
}

void TolerateLateWakeups() {
  if (previousXErrorHandler == nullptr) previousXErrorHandler = XSetErrorHandler(IgnoreLateWakeup);
}

// SDL asks the window manager for full screen. Under X a session may run
// without one (a kiosk, a bare xinit), and then nobody answers: a window
// manager announces itself on the root window.
bool FullScreenIsCarriedOut(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool announced = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                            &type, &format, &count, &after, &data) == Success &&
                         count == 1;
  if (data != nullptr) XFree(data);
  return announced;
}

}  // namespace
}  // namespace console
#else
namespace console {
namespace {
void TolerateLateWakeups() {}
bool FullScreenIsCarriedOut(SDL_Window*) { return true; }
}  // namespace
}  // namespace console
#endif
