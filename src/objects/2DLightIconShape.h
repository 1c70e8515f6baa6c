#pragma once

#include "objects/2DPictureShape.h"

// The plan symbol of a light; the light creates, updates and stores it.
class C2DLightIconShape : public C2DPictureShape {
public:
    C2DLightIconShape();

    std::unique_ptr<CDesignObject> Clone() const override;
};
