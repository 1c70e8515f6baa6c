#include "shell/RecentFileMenuRule.h"

bool RecentFilesGreyed(int showMode, int editMode, bool drawingInProgress) {
    if (showMode != 0) {
        return editMode == 912 || editMode == 914;
    }
    return drawingInProgress;
}
