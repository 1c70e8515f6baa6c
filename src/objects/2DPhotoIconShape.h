#pragma once

#include "objects/2DPictureShape.h"

// The plan symbol of a photo object; the photo creates, updates and stores it.
class C2DPhotoIconShape : public C2DPictureShape {
public:
    C2DPhotoIconShape();

    std::unique_ptr<CDesignObject> Clone() const override;
};
