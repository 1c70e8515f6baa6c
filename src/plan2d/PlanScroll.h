#pragma once

// Scroll positions of the plan along one axis, in device pixels.

// After the plan's extent or the ruler changed: 0 when the whole extent fits
// the client width; pulled back when it would show past the extent's end.
// clientWidth counts the client rectangle's right edge as its own pixel.
int FitScrollPosition(int scrollSize, int clientWidth, int position);

// A scroll bar's request limited to 0 .. extent - client size.
int ClampScrollPosition(int scrollSize, int clientSize, int position);

// What a scroll bar asks for.
enum class ScrollAction { Top, Bottom, LineUp, LineDown, PageUp, PageDown, Thumb };

// The position a scroll bar's request aims at before it is limited: a page
// is a tenth of the extent and a line a tenth of a page, each at least 1.
int RequestedScrollPosition(ScrollAction action, int scrollSize, int current, int thumb);
