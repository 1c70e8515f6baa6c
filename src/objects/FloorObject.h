#pragma once

#include "objects/WallObject.h"

// A floor slab raised from a closed plan outline: the top cap only. It
// receives shadows and shows mirror images by default, and its height never
// scales.
class CFloorObject : public CWallObject {
public:
    CFloorObject();
    CFloorObject(const CFloorObject& other) = default;

    std::unique_ptr<CDesignObject> Clone() const override;
    void SetNumber(int number) override;
    std::string GetDescription() const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;
};
