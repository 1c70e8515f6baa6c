#pragma once

// The Windows virtual-key code of a wx key code, as the plan's key handling
// and the navigation bar speak them; 0 for keys with no counterpart.
int VirtualKeyFromWx(int wxKeyCode);
