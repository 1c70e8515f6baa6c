#pragma once

class LibraryOutput;

// The files the program names itself: the "NoPic.bmp" placeholder thumbnail,
// the plan symbols of the "2dicon" folder and the light glyph meshes, all in
// the program folder.
void WriteFixedFiles(LibraryOutput& output);
