#pragma once

// The X display as a person at it sees and uses it: the windows a process
// shows, their pixels, and the pointer and keys, sent through the XTEST
// extension so the program receives real input events.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
};

struct ShownWindow {
    unsigned long id = 0;
    std::string title;
    ScreenRect rect;         // on the screen
    bool transient = false;  // a dialog over another window
};

// Pixels of a part of the screen, 0xRRGGBB, rows top-down.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ScreenImage&) const = default;
};

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Ok() const { return m_display != nullptr; }

    // The mapped top-level windows of the process, menus and tool tips aside.
    std::vector<ShownWindow> WindowsOf(pid_t pid);
    // The window's mapped descendants that are X windows of their own (a GL
    // canvas is one), on the screen.
    std::vector<ShownWindow> NativeChildren(unsigned long window);

    ScreenImage Capture(const ScreenRect& rect);

    void MoveTo(int x, int y);
    void Click(int x, int y, int button = 1);
    void DoubleClick(int x, int y);
    // Button 1 pressed at the start, moved in steps, released at the end.
    void Drag(int fromX, int fromY, int toX, int toY);
    // A key by its keysym name ("Up", "z"), with Control held when asked.
    void PressKey(const char* keysym, bool control = false);
    // Asks the window to close, as its title bar's close button does.
    void CloseWindow(unsigned long window);
    // Opens a menu of the menu bar by its mnemonic (Alt held) and chooses
    // the item of the mnemonic.
    void PressMenu(const char* menu, const char* item);

private:
    void Sync();

    _XDisplay* m_display = nullptr;
};
