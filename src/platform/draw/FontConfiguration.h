#pragma once

namespace draw {

// Makes the program's fontconfig configuration (fonts/velmora-fonts.conf in
// the resource folder) the process's current one, so that the Windows face
// names of designs and of the program resolve to the same installed fonts on
// every machine. Only the first call loads it; the program calls it before
// GTK starts so that dialogs resolve faces the same way as the plan. Returns
// false, after saying why on stderr, when the file could not be loaded and
// the machine's own configuration stays in use.
bool UseProgramFontConfiguration();

}  // namespace draw
