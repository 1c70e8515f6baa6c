#pragma once

#include <memory>
#include <string>

class C3DObject;
class CDesignObject;
class CDesignScene;
class CHousDoc;
struct LibraryDropPoint;

// The steps that placing a model and placing a photo share.

// The scene of the document's 3D view; null without one.
CDesignScene* PlacingScene(const CHousDoc& doc);

// A scale factor that brings extent to size; 1 where the object has no
// extent on that axis (no mesh), so nothing is divided by zero.
float ScaleToSize(float size, float extent);

// The object's real size becomes width (x), depth (z) and height (y), each
// axis scaled against its extent.
void ScaleToRealSize(C3DObject& object, float width, float depth, float height);

// A drop point that counts moves the object there: its centre with the
// centre flag, else the corner of its footprint at scale 1; y is the floor
// elevation.
void ApplyDropPoint(C3DObject& object, const LibraryDropPoint& drop);

// An add (operation 0) or delete (1) record of one object. A deleted object
// goes into the record's keeping.
void PushAddRecord(CHousDoc& doc, int count, int type, CDesignObject* object);
void PushDeleteRecord(CHousDoc& doc, int count, int type, CDesignObject* object);

// A model is a door when its file lies under the model folder's door
// category or its catalogue name starts with "M16", case ignored either way.
bool IsDoorModel(const std::string& modelFolder, const std::string& filePath,
                 const std::string& entryName);
