#pragma once

// Whether the recent designs may not be opened now: while a show runs in the
// edit modes that may not be left for another design, or while a drawing is
// in progress outside show mode.
bool RecentFilesGreyed(int showMode, int editMode, bool drawingInProgress);
