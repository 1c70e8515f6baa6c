#include <wx/defs.h>

#include "foundation/NavigationKey.h"
#include "view3d/HousViewInput.h"

namespace view_input {

int VirtualKeyOfToolkitKey(int toolkitKeyCode) {
    if (toolkitKeyCode >= 'a' && toolkitKeyCode <= 'z') {
        return toolkitKeyCode - 'a' + 'A';
    }
    if (toolkitKeyCode >= 'A' && toolkitKeyCode <= 'Z') {
        return toolkitKeyCode;
    }
    switch (toolkitKeyCode) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return kVkReturn;
        case WXK_CONTROL:
            return kVkControl;
        case WXK_ESCAPE:
            return kVkEscape;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return kVkPrior;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return kVkNext;
        case WXK_END:
        case WXK_NUMPAD_END:
            return kVkEnd;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return kVkHome;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return kVkLeft;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return kVkUp;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return kVkRight;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return kVkDown;
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
            return kVkDelete;
        case ',':
            return kVkComma;
        case '.':
            return kVkPeriod;
        default:
            return 0;
    }
}

bool IsViewKey(int virtualKey) {
    switch (virtualKey) {
        case kVkReturn:
        case kVkEscape:
        case kVkDelete:
        case 'A':
        case 'G':
            return true;
        default:
            return IsNavigationKey(virtualKey);
    }
}

}  // namespace view_input
