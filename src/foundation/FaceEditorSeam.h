#pragma once

#include <functional>

class CWallObject;

// The face editor: it works on the items of one face of a surface and
// answers OK or Cancel. The shell installs the dialog; tests install a
// scripted editor. Without one nothing can be edited.
enum class FaceEditorAnswer { Ok, Cancel };

using FaceEditor = std::function<FaceEditorAnswer(CWallObject& surface, int face)>;

// An empty editor uninstalls. Returns the editor installed before.
FaceEditor InstallFaceEditor(FaceEditor editor);
bool IsFaceEditorInstalled();
// Cancel when no editor is installed.
FaceEditorAnswer RunFaceEditor(CWallObject& surface, int face);

// Installs an editor for its lifetime and puts the one before back.
class CScopedFaceEditor {
public:
    explicit CScopedFaceEditor(FaceEditor editor)
        : m_previous(InstallFaceEditor(std::move(editor))) {}
    ~CScopedFaceEditor() { InstallFaceEditor(std::move(m_previous)); }
    CScopedFaceEditor(const CScopedFaceEditor&) = delete;
    CScopedFaceEditor& operator=(const CScopedFaceEditor&) = delete;

private:
    FaceEditor m_previous;
};
