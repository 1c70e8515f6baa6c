#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "foundation/Vector2D.h"
#include "objects/2DShape.h"
#include "objects/DxfSymbol.h"

// A symbol or an image on the plan. The source symbol is kept as read from
// its DXF file; the placed symbol is that symbol fitted to the shape's size,
// turned by its angle and moved to its position, in drawing coordinates.
// The concrete kinds are the plan icons of models, lights and photos, which
// their 3D object owns and keeps up to date, and the DXF symbols and raster
// pictures the user places.
class C2DPictureShape : public C2DShape {
public:
    enum Kind : int32_t {
        kModelIcon = 1,
        kLightIcon = 2,
        kDxfIcon = 3,
        kImage = 4,
        kPhotoIcon = 5,
    };

    // The 3D object whose plan symbol this is; not owned.
    virtual void SetOwnerObject(CDesignObject* owner) { m_ownerObject = owner; }
    virtual CDesignObject* GetOwnerObject() const { return m_ownerObject; }

    std::unique_ptr<ShapeGeometryRecord> CopyGeometry() const override;
    void RestoreGeometry(const ShapeGeometryRecord& record) override;
    void MoveBy(float dx, float dy) override;
    void MoveFromSavedPosition(float dx, float dy) override;
    void SavePosition() override;
    CIntBoundingBox2D GetBoundingBox() const override;
    int HitTestRect(const CRect2D& planRect) const override;
    int HitTestPoint(POINT point, int tolerance) const override;
    // The DC's own mix mode is used; rop2 is not applied.
    void Draw(draw::DrawContext& dc, int rop2) const override;

    // Reads the symbol file into the source symbol and places it unfitted;
    // the path is kept either way.
    HRESULT LoadSymbolFile(const std::string& path);
    // The same from DXF text in memory; the path stays as it was.
    HRESULT LoadSymbolFromMemory(std::span<const uint8_t> bytes);
    HRESULT LoadSymbolFileAndRender(const std::string& path);
    // Rebuilds the placed symbol from the source for the size, angle and
    // position.
    void RenderSymbol();

    int32_t GetKind() const { return m_kind; }
    // Width and height in plan units; a change renders again.
    void SetSize(int32_t width, int32_t height);
    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    // Radians; a change renders again.
    void SetAngle(double angle);
    double GetAngle() const { return m_angle; }
    // A plan point (y up). Only translates the placed symbol.
    void SetPosition(double x, double y);
    // Drawing coordinates.
    const CVector2D& GetPosition() const { return m_position; }
    // 1 mirrors x, 2 mirrors y of the source symbol, then renders.
    void MirrorSymbol(int axis);

    const std::string& GetSourcePath() const { return m_sourcePath; }
    const CDxfSymbol& GetPlacedSymbol() const { return m_placedSymbol; }
    const CDxfSymbol& GetSourceSymbol() const { return m_sourceSymbol; }

protected:
    C2DPictureShape(Kind kind, int type);
    C2DPictureShape(const C2DPictureShape& other);

    // The local file a path stored in a design names, when it exists (case
    // ignored); a path of another drive names none.
    static std::optional<std::string> FindStoredFile(std::string_view storedPath);

    int32_t m_kind;
    int32_t m_width = 0;
    int32_t m_height = 0;
    double m_angle = 0.0;
    CVector2D m_position;
    CDxfSymbol m_placedSymbol;
    std::string m_sourcePath;
    CDesignObject* m_ownerObject = nullptr;
    CDxfSymbol m_sourceSymbol;
};
