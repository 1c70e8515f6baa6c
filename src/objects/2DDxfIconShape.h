#pragma once

#include "objects/2DPictureShape.h"

// A DXF symbol the user placed on the plan. Its record keeps the symbol's
// file path, not the symbol: the file is read again when a design opens.
class C2DDxfIconShape : public C2DPictureShape {
public:
    C2DDxfIconShape();

    void SetOwnerObject(CDesignObject* /*owner*/) override {}
    CDesignObject* GetOwnerObject() const override { return nullptr; }

    std::unique_ptr<CDesignObject> Clone() const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    // A file no longer at its path is looked for by name under the 2D-icon
    // folder; one found nowhere is listed as missing and the shape is kept
    // with an empty symbol.
    HRESULT Read(CBinaryReader& reader) override;
};
