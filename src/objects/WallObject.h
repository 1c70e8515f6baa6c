#pragma once

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "foundation/LittleEndianCursor.h"
#include "foundation/MeshVertex.h"
#include "foundation/Vector2D.h"
#include "foundation/Vector2F.h"
#include "foundation/WallFaceItem.h"
#include "objects/3DObject.h"
#include "objects/ObjectSnapshot.h"
#include "platform/draw/Brush.h"

class CBinaryReader;
class CBinaryWriter;
struct CostItemRecord;
struct RefinementRecord;

// The texture coordinates a mesh vertex has now, and the part that owns it.
// They survive mesh rebuilds; the vertex buffer is refreshed from them.
struct VertexTextureRecord {
    int part = 0;
    float u = 0.0f;
    float v = 0.0f;
};

// Pieces cut from a face that are not grid cells.
struct SplitRecord {
    int kind = 0;  // 0 a split area's piece, 1 the inner faces of a hole through the wall
    std::vector<int> parts;
};

// First and last mesh vertex a refinement or a cut appended; (0, 0) none.
struct VertexRange {
    int first = 0;
    int last = 0;
};

struct RefineRecord {
    int flag = 0;
    int level = 4;
};

// The wall snapshot adds what a wall's colour edits change besides the base
// state.
class CWallSnapshot : public CObjectSnapshot {
public:
    explicit CWallSnapshot(const CWallObject& wall);
    [[nodiscard]] bool IsEqual(const CObjectSnapshot& other) const override;

    int reflective = 0;
    draw::COLORREF planColour = 0;
    int mirror = 0;
};

// A prism raised from a closed plan outline: walls, beams and columns, and
// the base of floors, ceilings and photos. Face 0 is the top cap, face 1 the
// bottom cap (full builds only), face 2 + k the side of outline edge k.
// Every face, and every piece later cut from one, is a part with its own
// material; a triangle's mesh attribute is its part.
class CWallObject : public C3DObject {
public:
    static constexpr float kMirrorAlpha = 0.86f;

    CWallObject();
    CWallObject(const CWallObject& other);
    ~CWallObject() override;

    std::unique_ptr<CDesignObject> Clone() const override;
    CIntBoundingBox2D GetBoundingBox() const override;
    void Draw(draw::DrawContext& dc, int rop2) const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;
    void SetNumber(int number) override;
    void SetMirror(int mirror) override { m_mirror = mirror; }
    int IsMirror() const override { return m_mirror; }
    MaterialRecord GetMaterialRecord(int index) const override;
    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;
    void RestoreColoursFromSnapshot(const CObjectSnapshot& snapshot) override;
    std::string GetDescription() const override;
    void UpdatePlanOutline() override;
    void ApplyTextureMapping(int part, const TextureMappingRecord& mapping,
                             bool recordUndo) override;
    // Stores a part's refine switch and level; switching it on refines the
    // part (a design read from a file refines its parts again), switching
    // it off keeps the refined geometry until the part is toggled or cut.
    void SetFaceRefineFlag(int part, int flag, int level) override;
    // Area, tiles and catalogue texts of a part for the cost estimate;
    // nothing when item is null.
    virtual void GetFaceInfo(int part, CostItemRecord* item) const;

    // ---- Geometry set-up

    // Appends the plan points relative to the first, y negated.
    void SetOutline(const std::vector<CVector2D>& points);
    // full: both caps and the sides; else the top cap only. 0 when the mesh
    // could not be made (no per-part arrays then). A long top cap asks
    // keepGoing now and then and is left unfinished when it says no.
    int BuildMesh(int full, float height, const std::function<bool()>& keepGoing = {});
    // Fills the base arrays and texture records; the number of faces.
    int BuildCapsAndSides(int full, float height, const std::function<bool()>& keepGoing);
    // The mesh from the current arrays; 0 (the old mesh kept) on failure.
    int RebuildD3DMesh();
    // The vertex texture records back into the mesh, in a progress window.
    void RestoreTextureCoords();

    // ---- Holes through the wall, and the doors and windows in openings

    // The turn that stands an object on a face, looking out of it.
    struct FaceRotation {
        float elevation = 0.0f;
        float heading = 0.0f;
        float roll = 0.0f;
    };
    // Gives the face's new holes their twins on the other side of the wall
    // and marks the twins of its deleted holes deleted; the faces that
    // changed, each once. Floors and ceilings have no other side.
    std::vector<int> CreateTwinItems(int face);
    // Appends the twin of item on the face its way through the wall meets;
    // that face, or -1 (no twin) when the way meets no face, or its points
    // meet different faces.
    int CreateTwinItem(WallFaceItem& item, float faceHeight);
    // The nearest point where the line from `from` through `to`, drawn
    // inwards from the side face, meets another edge of the outline over
    // the face's own span; false when it meets none.
    bool FindOppositeFace(int face, const CVector2F& from, const CVector2F& to, CVector2F* hit,
                          int* hitFace) const;
    [[nodiscard]] WallFaceItem* FindTwinItem(const WallFaceItem& item) const;
    // The inner faces across the wall of the face's new holes, one part per
    // edge of the hole (one for a round hole).
    void BuildHoleTunnels(int face);
    // The wall's thickness at a hole through it; 0 for any other item.
    [[nodiscard]] float GetHoleThickness(const WallFaceItem& item) const;
    [[nodiscard]] FaceRotation GetFaceRotation(int part) const;
    // A point of the face in world space; thickness > 0 moves a side
    // face's point half of it into the wall.
    [[nodiscard]] gfx::Vector3 FacePointToWorld(int part, float x, float y, float thickness) const;
    // Turns, sizes and moves model into item's opening.
    void PlaceOpeningModel(const WallFaceItem& item, C3DObject& model) const;
    // Places the models of every opening again; a model the scene no
    // longer holds is let go.
    void UpdateOpeningModels();

    // ---- Faces and parts

    [[nodiscard]] int GetOwningFace(int part) const;
    [[nodiscard]] CVector2F GetFaceOrigin(int part) const;
    [[nodiscard]] CVector2F GetFaceSize(int part) const;
    [[nodiscard]] float GetFaceHeading(int part) const;
    // The part of a mesh triangle; -1 when there is no such triangle.
    [[nodiscard]] int GetFaceMaterialIndex(int triangle) const;
    [[nodiscard]] std::array<float, 3> GetPartCentre(int part) const;
    // The first cut part whose centre lies within 0.01 on every axis, else -1.
    [[nodiscard]] int FindPartByCentre(float x, float y, float z) const;
    [[nodiscard]] int HasCutOutItems() const;
    // 0 face, 1 split piece or grid cell, 2 a hole's inner face, -1 none.
    [[nodiscard]] int GetPartKind(int part) const;
    // The real size over which a part's texture coordinates run; width and
    // height stay as given for a part of unknown kind.
    void GetPartTextureSize(int part, float* width, float* height) const;
    // Texture coordinates of a new mesh point on a face, continuing the
    // face's current mapping.
    void InterpolateFaceUV(int part, const float point[3], float* u, float* v) const;
    [[nodiscard]] std::string FormatPickedFaceSize(int part) const;
    // 0 when a copied item may not go onto face, whose height is
    // faceHeight: a vertical split line, or a horizontal one at or above the
    // top or where the face already has one; else 1.
    [[nodiscard]] int CanPasteOpening(const WallFaceItem& item, int face, float faceHeight) const;

    // ---- Refinement (WallObjectRefine.cpp): every triangle of a part split
    // into four at its edge midpoints, once per level, and undone exactly.

    // At most this many passes, whatever level a part holds.
    static constexpr int kMaxRefinePasses = 10;
    // toggle: flip the part between plain and refined; else bring it to the
    // state its flag says. A refinement the mesh cannot hold leaves the part
    // plain and its flag as it was, and answers 0; 1 when the part switched,
    // which recordUndo then records.
    int ToggleRefinement(int part, int toggle, int recordUndo);
    // Splits every triangle of the part into four, passes times (once for
    // passes of 0 or less, at most kMaxRefinePasses, ending early when the
    // part has no triangle). 0, with the passes done so far kept, when a pass
    // would take the mesh past 65535 indices or vertices.
    int Subdivide(int part, int passes, int showProgress);
    // The part's triangles from before its refinement again, and the
    // vertices the refinement appended removed.
    void UndoRefinement(int part);
    // The refine command on the part of a picked triangle; type is the
    // caller's and not used. 1 when the part switched.
    int FinishRefinement(int type, int triangle);
    // Brings the part to the recorded state, as undo and redo replay it.
    void RestoreFaceRefinement(int part, const RefinementRecord& record);
    void SetRefineLevel(int part, int level);
    // ---- Cutting openings, holes and splits into faces
    // A face's cut is all or nothing: when a region cannot be cut or the
    // mesh cannot be rebuilt, every array returns to what it held before,
    // the face's new items stay unapplied, and 0 is returned.

    // Cuts the face again, rebuilds the mesh and keeps the face's mapping.
    int RebuildFace(int face);
    // The cut without the mesh rebuild; 0 when some item could not be cut.
    int ReCutFace(int face);
    int CutFace(int face);
    // The face's plain triangles in its own frame, three points each.
    void GetFaceTriangles(std::vector<CVector2F>& triangles, int face) const;
    // The item's outline in its face's frame, oriented; empty for a line.
    [[nodiscard]] static std::vector<CVector2F> GetItemPolygon(const WallFaceItem& item);
    // Removes the outlines of the face's items from its triangles; false
    // (failedItem set) when an item's region could not be re-triangulated.
    bool ClipFaceByItems(const std::vector<WallFaceItem*>& items, std::vector<CVector2F>& triangles,
                         int face, const WallFaceItem** failedItem) const;
    // Which edges of the triangle the polygon crosses (4: v1-v2, 2: v2-v3,
    // 1: v1-v3), 7 when it lies inside the triangle, 0 when apart.
    [[nodiscard]] static int ClassifyTriangle(const CVector2F& v1, const CVector2F& v2,
                                              const CVector2F& v3,
                                              std::span<const CVector2F> polygon);
    // The region with the hole taken out, triangulated onto triangles;
    // false when no bridge or no triangulation was found.
    static bool BridgeHole(std::vector<CVector2F> region, std::vector<CVector2F> hole,
                           std::vector<CVector2F>& triangles);
    [[nodiscard]] static int SegmentCrossesPolygons(const CVector2F& a, const CVector2F& b,
                                                    std::span<const CVector2F> first,
                                                    std::span<const CVector2F> second);
    // One triangle list per split area of the face not yet applied.
    [[nodiscard]] std::vector<std::vector<CVector2F>> BuildItemAreaPolygons(
        int face, const std::vector<WallFaceItem*>& items) const;
    // Cuts the triangles along the face's split lines; cells gets each
    // triangle's cell. The highest empty cell, or the last one; 0 without
    // lines; -1 when the pieces would be more than a mesh can hold.
    int SplitByLines(const std::vector<WallFaceItem*>& items, std::vector<CVector2F>& triangles,
                     int face, std::vector<int>& cells) const;
    // Appends the pieces of the triangle beyond the first to out and puts
    // the first in its place; the number of pieces.
    static int CutTriangleByLine(int mode, float value, CVector2F* triangle,
                                 std::vector<CVector2F>& out);
    void AssignCellParts(int face, const std::vector<int>& cells);
    void BuildFaceGeometry(int face, const std::vector<CVector2F>& triangles,
                           const std::vector<std::vector<CVector2F>>& areas,
                           const std::vector<int>& removed,
                           const std::vector<WallFaceItem*>& items);
    [[nodiscard]] std::vector<std::array<float, 3>> FaceLocalToMesh(
        int face, std::span<const CVector2F> points) const;
    void RemovePartGeometry(int part);
    void CompactParts(const std::vector<int>& parts);
    void CompactPartsAndRemap(const std::vector<int>& parts, std::vector<int>& other);
    void SwapParts(int a, int b, int withOpenings);
    // Every mesh index, vertex range and refinement triangle above first
    // lowered by count, after count vertices from first on were removed.
    void ShiftIndicesAfter(int first, int count);
    // After a read: the faces cut, the stored part order back, the mesh
    // rebuilt. 1 when the mesh could not be rebuilt.
    void ReCutAllFaces();
    void RestorePartOrder();
    int RebuildAfterRead();
    // The face editor's workflow on the face of the picked triangle; FALSE
    // when the editor was cancelled.
    int EditFaceOpenings(int triangle);
    void MarkOpeningsApplied();
    [[nodiscard]] int HasSplitLines() const;
    [[nodiscard]] int HasPendingSplitLines() const;
    void PushOpeningUndo(int face);
    void PushRemovedOpeningUndo(int face);
    void PushMappingUndo();
    // Items of the face, in list order.
    [[nodiscard]] std::vector<WallFaceItem*> GetFaceItemsOf(int face) const;
    std::list<std::unique_ptr<WallFaceItem>>& EditFaceItems() { return m_faceItems; }
    std::vector<std::vector<SplitRecord>>& EditSplitRecords() { return m_splitRecords; }
    // Every array a cut changes, kept so that a refused cut can be undone.
    struct CutState;
    [[nodiscard]] std::unique_ptr<CutState> SaveCutState() const;
    // Puts the kept arrays back; the face's unapplied items stay so.
    void RestoreCutState(CutState& state, int face);

    // ---- Plain state

    [[nodiscard]] const std::vector<CVector2F>& GetOutline() const { return m_outline; }
    [[nodiscard]] const std::vector<MeshVertex>& GetMeshVertices() const { return m_meshVertices; }
    [[nodiscard]] const std::vector<uint16_t>& GetMeshIndices() const { return m_meshIndices; }
    [[nodiscard]] const std::vector<uint32_t>& GetMeshAttributes() const {
        return m_meshAttributes;
    }
    [[nodiscard]] const std::vector<VertexTextureRecord>& GetVertexTextureRecords() const {
        return m_vertexTextureRecords;
    }
    [[nodiscard]] const std::list<std::unique_ptr<WallFaceItem>>& GetFaceItems() const {
        return m_faceItems;
    }
    void AddFaceItem(std::unique_ptr<WallFaceItem> item) { m_faceItems.push_back(std::move(item)); }
    [[nodiscard]] const std::vector<std::vector<SplitRecord>>& GetSplitRecords() const {
        return m_splitRecords;
    }
    [[nodiscard]] const std::vector<std::vector<int>>& GetCellParts() const { return m_cellParts; }
    [[nodiscard]] const std::vector<RefineRecord>& GetRefineRecords() const {
        return m_refineRecords;
    }
    [[nodiscard]] int GetFillMode() const { return m_fillMode; }
    void SetFillMode(int mode) { m_fillMode = mode; }
    [[nodiscard]] int GetHatchStyle() const { return m_hatchStyle; }
    void SetHatchStyle(int style) { m_hatchStyle = style; }
    [[nodiscard]] draw::COLORREF GetHatchColour() const { return m_hatchColour; }
    void SetHatchColour(draw::COLORREF colour) { m_hatchColour = colour; }
    [[nodiscard]] draw::COLORREF GetFillColour() const { return m_fillColour; }
    void SetFillColour(draw::COLORREF colour) { m_fillColour = colour; }
    [[nodiscard]] int GetReflective() const { return m_reflective; }
    void SetReflective(int flag) { m_reflective = flag; }
    // The diffuse alpha a face takes when it becomes a mirror.
    [[nodiscard]] float GetMirrorAlpha() const { return m_mirrorAlpha; }

protected:
    // A record's fixed block, before the outline.
    static constexpr int kFixedFieldsSize = 260;
    using FixedFields = std::array<uint8_t, kFixedFieldsSize>;
    // The fixed block's fields up to the price, the same in the records of
    // walls, floors and ceilings; the mesh's height range comes first.
    void WriteRecordHead(CBinaryWriter& writer) const;
    // Reads the fixed block into fixed and takes its head; the cursor is
    // left at the fields that follow, nothing on a short read.
    std::optional<LittleEndianCursor> ReadRecordHead(CBinaryReader& reader, FixedFields& fixed,
                                                     float* minY, float* maxY);
    // The record fields common to walls, floors and ceilings from offset
    // 260: outline, texts, shadow lights, materials, legacy arrays, face
    // count (read into the base part count) and face items. wallNames:
    // texture names of 100 bytes or more follow the wall's "c:" rule; else
    // they are cut to 100 bytes. Reading fails, with the reader's error
    // flag raised, on a count the rest of the file cannot hold.
    HRESULT WriteRecordBody(CBinaryWriter& writer, bool wallNames) const;
    HRESULT ReadRecordBody(CBinaryReader& reader);
    // The centres of the parts cut from the faces, which files of version
    // 6.04 on hold after the face items.
    void WritePartCentres(CBinaryWriter& writer) const;
    HRESULT ReadPartCentres(CBinaryReader& reader);
    // The stored materials of the parts a file cut from the faces beyond
    // those this object has: the faces are not cut here, so those parts are
    // written back as they were read, with their stored centres.
    [[nodiscard]] std::span<const MaterialRecord> GetUncutPartMaterials() const;
    // Mesh, scale, mirror and materials from what a record held. flat: the
    // top cap only, and the height never scales.
    HRESULT RestoreAfterRead(bool flat, float height);
    // The record floors and ceilings share (cap-only mesh, height never
    // scaled, mirror flag in the fixed block).
    HRESULT WriteFlatSurfaceRecord(CBinaryWriter& writer) const;
    HRESULT ReadFlatSurfaceRecord(CBinaryReader& reader);
    // After the geometry is rebuilt: the stored materials go to the parts,
    // the stored power to every material.
    void ApplyStoredMaterials();

    // Allocates the per-part arrays for count parts (new entries empty).
    void ResizePartArrays(int count);
    // A surface with openings mirrors its cut mesh, else its plain one.
    [[nodiscard]] const gfx::Mesh* GetMirrorSurfaceMesh() const override;

    std::vector<std::vector<int>> m_refinementTriangles;
    std::vector<VertexRange> m_refinementVertexRanges;
    std::vector<VertexRange> m_cutVertexRanges;
    int m_allocatedPartCount = 0;
    std::vector<MeshVertex> m_baseVertices;
    std::vector<MeshVertex> m_meshVertices;
    std::vector<uint16_t> m_baseIndices;
    std::vector<uint16_t> m_meshIndices;
    std::vector<uint32_t> m_baseAttributes;
    std::vector<uint32_t> m_meshAttributes;
    std::vector<VertexTextureRecord> m_vertexTextureRecords;
    int m_fillMode = 0;
    int m_hatchStyle = 1;
    draw::COLORREF m_hatchColour = 0;
    draw::COLORREF m_fillColour = 0xFFFFFF;
    int m_mirror = 0;
    int m_reflective = 0;
    std::vector<CVector2F> m_outline;
    float m_mirrorAlpha = kMirrorAlpha;
    std::vector<RefineRecord> m_refineRecords;
    std::list<std::unique_ptr<WallFaceItem>> m_faceItems;
    std::vector<std::vector<SplitRecord>> m_splitRecords;
    std::vector<std::vector<int>> m_cellParts;
    float m_storedSpecularPower = 0.0f;
    std::vector<MaterialRecord> m_storedMaterials;
    std::vector<std::array<float, 3>> m_storedPartCentres;

    // Items whose face could not be cut; marking leaves them unapplied.
    std::vector<const WallFaceItem*> m_uncutItems;

private:
    // The part's texture made again for a tile or seam change; a failed
    // tile build keeps the old texture.
    void RefreshTileTexture(int part, const TextureMappingRecord& mapping);
    // The plan fill of the fill mode; none for a mode without one.
    [[nodiscard]] std::optional<draw::Brush> MakeFillBrush() const;
};
