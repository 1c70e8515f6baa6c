#include "XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace {

void Pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A CARDINAL property's first value, or -1.
long CardinalProperty(Display* display, Window window, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return -1;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long value = -1;
    if (XGetWindowProperty(display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && count == 1 && format == 32) {
        value = *reinterpret_cast<long*>(data);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

std::string Title(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

ScreenRect RectOnScreen(Display* display, Window window, const XWindowAttributes& attributes) {
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

std::vector<Window> Children(Display* display, Window window) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> list;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0 &&
        children != nullptr) {
        list.assign(children, children + count);
        XFree(children);
    }
    return list;
}

}  // namespace

XSession::XSession() : m_display(XOpenDisplay(nullptr)) {}

XSession::~XSession() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

std::vector<ShownWindow> XSession::WindowsOf(pid_t pid) {
    std::vector<ShownWindow> shown;
    for (Window window : Children(m_display, DefaultRootWindow(m_display))) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, window, &attributes) == 0 ||
            attributes.map_state != IsViewable || attributes.override_redirect) {
            continue;
        }
        if (CardinalProperty(m_display, window, "_NET_WM_PID") != pid) {
            continue;
        }
        Window owner = None;
        ShownWindow item;
        item.id = window;
        item.title = Title(m_display, window);
        item.rect = RectOnScreen(m_display, window, attributes);
        item.transient = XGetTransientForHint(m_display, window, &owner) != 0 && owner != None;
        shown.push_back(item);
    }
    return shown;
}

std::vector<ShownWindow> XSession::NativeChildren(unsigned long window) {
    std::vector<ShownWindow> found;
    for (Window child : Children(m_display, window)) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, child, &attributes) == 0 ||
            attributes.map_state != IsViewable) {
            continue;
        }
        ShownWindow item;
        item.id = child;
        item.rect = RectOnScreen(m_display, child, attributes);
        found.push_back(item);
        for (const ShownWindow& below : NativeChildren(child)) {
            found.push_back(below);
        }
    }
    return found;
}

ScreenImage XSession::Capture(const ScreenRect& rect) {
    ScreenImage image;
    XImage* grabbed = XGetImage(m_display, DefaultRootWindow(m_display), rect.x, rect.y,
                                static_cast<unsigned>(rect.width),
                                static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (grabbed == nullptr) {
        return image;
    }
    image.width = rect.width;
    image.height = rect.height;
    image.pixels.resize(static_cast<size_t>(rect.width) * rect.height);
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            image.pixels[static_cast<size_t>(y) * rect.width + x] =
                static_cast<uint32_t>(XGetPixel(grabbed, x, y) & 0xFFFFFF);
        }
    }
    XDestroyImage(grabbed);
    return image;
}

void XSession::Sync() {
    XSync(m_display, False);
    Pause(30);
}

void XSession::MoveTo(int x, int y) {
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    Sync();
}

void XSession::Click(int x, int y, int button) {
    MoveTo(x, y);
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), True, CurrentTime);
    Sync();
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), False, CurrentTime);
    Sync();
}

void XSession::DoubleClick(int x, int y) {
    MoveTo(x, y);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    }
    Sync();
}

void XSession::Drag(int fromX, int fromY, int toX, int toY) {
    MoveTo(fromX, fromY);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    Sync();
    constexpr int kSteps = 10;
    for (int step = 1; step <= kSteps; ++step) {
        MoveTo(fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps);
    }
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    Sync();
}

void XSession::PressKey(const char* keysym, bool control) {
    const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(keysym));
    const KeyCode ctrl = XKeysymToKeycode(m_display, XK_Control_L);
    if (control) {
        XTestFakeKeyEvent(m_display, ctrl, True, CurrentTime);
    }
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (control) {
        XTestFakeKeyEvent(m_display, ctrl, False, CurrentTime);
    }
    Sync();
}

void XSession::PressMenu(const char* menu, const char* item) {
    const KeyCode alt = XKeysymToKeycode(m_display, XK_Alt_L);
    const KeyCode menuKey = XKeysymToKeycode(m_display, XStringToKeysym(menu));
    XTestFakeKeyEvent(m_display, alt, True, CurrentTime);
    XTestFakeKeyEvent(m_display, menuKey, True, CurrentTime);
    XTestFakeKeyEvent(m_display, menuKey, False, CurrentTime);
    XTestFakeKeyEvent(m_display, alt, False, CurrentTime);
    Sync();
    Pause(300);
    PressKey(item);
}

void XSession::CloseWindow(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    Sync();
}
