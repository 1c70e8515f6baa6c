#pragma once

#include "objects/2DPictureShape.h"

// The plan symbol of a furniture model; the model creates, updates and stores it.
class C2DModelIconShape : public C2DPictureShape {
public:
    C2DModelIconShape();

    std::unique_ptr<CDesignObject> Clone() const override;
};
