#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/LogFontRecord.h"
#include "objects/3DObject.h"
#include "objects/ObjectSnapshot.h"

class CBinaryReader;
class CBinaryWriter;
class CText3DObject;

// A 3D text's snapshot adds its plan colour, text and font.
class CText3DSnapshot : public CObjectSnapshot {
public:
    explicit CText3DSnapshot(const CText3DObject& object);

    // The font compares byte for byte.
    [[nodiscard]] bool IsEqual(const CObjectSnapshot& other) const override;

    draw::COLORREF colour = 0;
    std::string text;
    LogFontRecord font;
};

// A line of extruded text standing in the design: a mesh made from the
// outlines of the text in its font, one material with planar texture
// coordinates, and a plan outline from the mesh's edges.
class CText3DObject : public C3DObject {
public:
    // The depth of the text mesh and how far its curves may stray, in em.
    static constexpr float kExtrusion = 0.1f;
    static constexpr float kDeviation = 0.001f;
    // More characters than anyone types into one 3D text. The mesh costs
    // tens of kilobytes a character, so a longer text in a file is damage.
    static constexpr int kMaxTextLength = 1000;

    CText3DObject();
    // The copy gets its own copy of the mesh.
    CText3DObject(const CText3DObject& other);
    ~CText3DObject() override;

    std::unique_ptr<CDesignObject> Clone() const override;
    // The name follows the number: "文字-n".
    void SetNumber(int number) override;
    [[nodiscard]] static std::string FormatTextName(double number);
    void Draw(draw::DrawContext& dc, int rop2) const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;
    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;

    // One matte white material, then the mesh of the text.
    void Rebuild();
    void SetDefaultMaterials();
    // The mesh of the text in its font, standing on the floor around its
    // centre, with texture coordinates and outline records. Without an
    // outline (an empty text) the object has no mesh and no outline, and
    // its extents stay as they were.
    void CreateTextMesh();
    // One texture repeat covers the text's height; the texture keeps its
    // aspect along the text, on the faces and round the sides.
    void ComputeTextTextureCoords();

    [[nodiscard]] const std::string& GetText() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }
    [[nodiscard]] const LogFontRecord& GetFont() const { return m_font; }
    void SetFont(const LogFontRecord& font) { m_font = font; }

private:
    std::string m_text = "Hello World!";
    LogFontRecord m_font;
};
