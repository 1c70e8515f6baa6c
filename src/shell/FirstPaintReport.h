#pragma once

class wxWindow;

// For start-up measurements: when VELMORA_FIRST_PAINT_FILE names a file, the
// time the window's first paint has been handled is written there once, as
// CLOCK_MONOTONIC nanoseconds on one line. Without the variable nothing is
// bound and nothing is written.
void ReportFirstPaintOf(wxWindow& window);
