#pragma once

#include <wx/bmpbndl.h>

#include <string>

// The size the program's tool-bar pictures are drawn at by default.
inline const wxSize kToolIconSize(24, 24);

// What is drawn over a picture: nothing, a plus for a tool that adds what
// the picture shows, or a fading stroke for a layer or a switch that is off.
enum class ToolIconMark { None, Add, Off };

// A picture of the program's own, drawn to any scale from
// res/icons/<name>.svg with its mark; the missing-image picture when the
// file is not there, so a damaged installation still starts.
wxBitmapBundle LoadToolIcon(const std::string& name, ToolIconMark mark = ToolIconMark::None,
                            const wxSize& size = kToolIconSize);
