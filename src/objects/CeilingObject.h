#pragma once

#include "objects/WallObject.h"

// A ceiling panel raised from a closed plan outline: the top cap only,
// wound to face down.
class CCeilingObject : public CWallObject {
public:
    CCeilingObject();
    CCeilingObject(const CCeilingObject& other) = default;

    std::unique_ptr<CDesignObject> Clone() const override;
    void SetNumber(int number) override;
    std::string GetDescription() const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;
};
