#pragma once

#include <cstdint>
#include <string>

#include "foundation/DibImage.h"
#include "objects/2DPictureShape.h"

// A raster picture the user placed on the plan, its top-left corner at the
// position. Its record keeps the picture's file path, not the picture: the
// file is decoded again when a design opens.
class C2DImageShape : public C2DPictureShape {
public:
    C2DImageShape();

    void SetOwnerObject(CDesignObject* /*owner*/) override {}
    CDesignObject* GetOwnerObject() const override { return nullptr; }

    std::unique_ptr<CDesignObject> Clone() const override;
    // Inside the displayed rectangle; the tolerance is not used.
    int HitTestPoint(POINT point, int tolerance) const override;
    // The picture stretched to the displayed size, or only its outline while
    // the plan scrolls, when it has no picture and, in red, when selected.
    void Draw(draw::DrawContext& dc, int rop2) const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    // A picture gone from its path is looked for under 2DMap\Der6Era\ of the
    // program folder; missing there too, it is reported and the read fails.
    // A picture that is there but cannot be decoded is listed as missing and
    // the shape kept with its path but without the picture (S_FALSE).
    HRESULT Read(CBinaryReader& reader) override;

    // Keeps the path and decodes the picture there (its extension names the
    // format). E_FAIL, and no picture, when the format is not supported
    // (after telling the user) or the file cannot be decoded (the caller
    // reports that).
    HRESULT LoadImageFile(const std::string& path);
    bool HasImage() const { return m_image.HasImage(); }
    const CDibImage& GetImage() const { return m_image; }

    // The picture's own size when it was added.
    void SetNaturalSize(int32_t width, int32_t height);
    int32_t GetNaturalWidth() const { return m_naturalWidth; }
    int32_t GetNaturalHeight() const { return m_naturalHeight; }

    // 0 while the picture may be moved.
    int32_t GetMoveLock() const { return m_moveLock; }
    void SetMoveLock(int32_t lock) { m_moveLock = lock; }

private:
    // Drawing moves it to where the plan puts it.
    mutable CDibImage m_image;
    int32_t m_naturalWidth = 0;
    int32_t m_naturalHeight = 0;
    int32_t m_moveLock = 0;
};
