#include "plan2d/VirtualKey.h"

#include <wx/defs.h>

int VirtualKeyFromWx(int wxKeyCode) {
    if ((wxKeyCode >= '0' && wxKeyCode <= '9') || (wxKeyCode >= 'A' && wxKeyCode <= 'Z')) {
        return wxKeyCode;
    }
    if (wxKeyCode >= 'a' && wxKeyCode <= 'z') {
        return wxKeyCode - 'a' + 'A';
    }
    if (wxKeyCode >= WXK_F1 && wxKeyCode <= WXK_F24) {
        return 112 + (wxKeyCode - WXK_F1);
    }
    if (wxKeyCode >= WXK_NUMPAD0 && wxKeyCode <= WXK_NUMPAD9) {
        return 96 + (wxKeyCode - WXK_NUMPAD0);
    }
    switch (wxKeyCode) {
        case WXK_BACK:
            return 8;
        case WXK_TAB:
        case WXK_NUMPAD_TAB:
            return 9;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return 13;
        case WXK_SHIFT:
            return 16;
        case WXK_CONTROL:
            return 17;
        case WXK_ALT:
            return 18;
        case WXK_ESCAPE:
            return 27;
        case WXK_SPACE:
        case WXK_NUMPAD_SPACE:
            return 32;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return 33;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return 34;
        case WXK_END:
        case WXK_NUMPAD_END:
            return 35;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return 36;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return 37;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return 38;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return 39;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return 40;
        case WXK_INSERT:
        case WXK_NUMPAD_INSERT:
            return 45;
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
            return 46;
        case ',':
            return 188;
        case '.':
            return 190;
        default:
            return 0;
    }
}
