#include "foundation/FaceEditorSeam.h"

#include <utility>

namespace {

FaceEditor& InstalledEditor() {
    static FaceEditor editor;
    return editor;
}

}  // namespace

FaceEditor InstallFaceEditor(FaceEditor editor) {
    return std::exchange(InstalledEditor(), std::move(editor));
}

bool IsFaceEditorInstalled() {
    return static_cast<bool>(InstalledEditor());
}

FaceEditorAnswer RunFaceEditor(CWallObject& surface, int face) {
    const FaceEditor& editor = InstalledEditor();
    return editor ? editor(surface, face) : FaceEditorAnswer::Cancel;
}
