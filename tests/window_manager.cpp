// The least window manager that full screen needs, for the window tests: a
// bare X server leaves a request for full screen unanswered, so no window
// would ever change. This one maps and configures windows as they ask, and
// makes a window that asks for _NET_WM_STATE_FULLSCREEN (as a message, or
// in its state when it is mapped) cover the screen, and gives it back its
// own place when it asks to leave. It writes a line to file 3 once it
// manages the screen.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

Display* display = nullptr;
Window root = 0;
Atom wmState = 0;
Atom fullScreen = 0;
std::map<Window, XWindowChanges> placeBeforeFullScreen;
bool otherManager = false;

int NoteOtherManager(Display*, XErrorEvent* error) {
  if (error->error_code == BadAccess) otherManager = true;
  return 0;
}

// Errors about windows that have gone in the meantime are not ours.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

bool AsksForFullScreen(Window window) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool full = false;
  if (XGetWindowProperty(display, window, wmState, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) full = full || atoms[i] == fullScreen;
  }
  if (data != nullptr) XFree(data);
  return full;
}

void SetFullScreen(Window window, bool full) {
  const bool isFull = placeBeforeFullScreen.count(window) != 0;
  if (full && !isFull) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return;
    XWindowChanges place{};
    place.x = attributes.x;
    place.y = attributes.y;
    place.width = attributes.width;
    place.height = attributes.height;
    placeBeforeFullScreen[window] = place;
    const Screen* screen = DefaultScreenOfDisplay(display);
    XMoveResizeWindow(display, window, 0, 0, static_cast<unsigned>(WidthOfScreen(screen)),
                      static_cast<unsigned>(HeightOfScreen(screen)));
  } else if (!full && isFull) {
    XWindowChanges place = placeBeforeFullScreen[window];
    placeBeforeFullScreen.erase(window);
    XConfigureWindow(display, window, CWX | CWY | CWWidth | CWHeight, &place);
  }
  std::vector<Atom> state;
  if (full) state.push_back(fullScreen);
  XChangeProperty(display, window, wmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(state.data()), static_cast<int>(state.size()));
}

void Handle(const XEvent& event) {
  switch (event.type) {
    case MapRequest: {
      const Window window = event.xmaprequest.window;
      if (AsksForFullScreen(window)) SetFullScreen(window, true);
      XMapWindow(display, window);
      break;
    }
    case ConfigureRequest: {
      const XConfigureRequestEvent& request = event.xconfigurerequest;
      XWindowChanges changes{};
      changes.x = request.x;
      changes.y = request.y;
      changes.width = request.width;
      changes.height = request.height;
      changes.border_width = request.border_width;
      changes.sibling = request.above;
      changes.stack_mode = request.detail;
      XConfigureWindow(display, request.window, static_cast<unsigned>(request.value_mask), &changes);
      break;
    }
    case ClientMessage: {
      const XClientMessageEvent& message = event.xclient;
      if (message.message_type != wmState || message.format != 32) break;
      if (static_cast<Atom>(message.data.l[1]) != fullScreen && static_cast<Atom>(message.data.l[2]) != fullScreen)
        break;
      const long action = message.data.l[0];  // 0 remove, 1 add, 2 toggle
      const bool isFull = placeBeforeFullScreen.count(message.window) != 0;
      SetFullScreen(message.window, action == 1 || (action == 2 && !isFull));
      break;
    }
    case DestroyNotify:
      placeBeforeFullScreen.erase(event.xdestroywindow.window);
      break;
    default:
      break;
  }
}

}  // namespace

int main() {
  display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window manager: cannot open the display\n");
    return 1;
  }
  root = DefaultRootWindow(display);
  wmState = XInternAtom(display, "_NET_WM_STATE", False);
  fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);

  XSetErrorHandler(NoteOtherManager);
  XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
  XSync(display, False);
  if (otherManager) {
    std::fprintf(stderr, "window manager: another one manages the screen\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);

  // What a client may look up to learn that full screen is understood.
  const Window check = XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
  const Atom supportingCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  XChangeProperty(display, root, supportingCheck, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&check), 1);
  XChangeProperty(display, check, supportingCheck, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&check), 1);
  const Atom supported[] = {wmState, fullScreen};
  XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(supported), 2);
  XSync(display, False);

  if (write(3, "\n", 1) != 1) return 1;
  close(3);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    Handle(event);
    XFlush(display);
  }
}
