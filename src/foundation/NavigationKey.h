#pragma once

// True for the keys of keyboard walking, as Windows virtual-key codes: page
// up and down, end, home, the four arrows (33 to 40), comma (188) and period
// (190).
bool IsNavigationKey(int virtualKey);
