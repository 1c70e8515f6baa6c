#include "foundation/NavigationKey.h"

bool IsNavigationKey(int virtualKey) {
    return (virtualKey >= 33 && virtualKey <= 40) || virtualKey == 188 || virtualKey == 190;
}
