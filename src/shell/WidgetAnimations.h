#pragma once

// The toolkit fades a widget into a new state (enabled, shown, pressed)
// over a fifth of a second, repainting it all the while; after a design
// opens, the bars would keep the whole frame repainting that long. Widgets
// here take their new state at once. After the toolkit started.
void TurnOffWidgetAnimations();
