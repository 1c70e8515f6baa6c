#include "document/BackgroundChoice.h"

BackgroundColor GetBackgroundColor(int32_t choice) {
    switch (choice) {
        case kWhiteBackground:
            return {255, 255, 255};
        case kBlackBackground:
            return {0, 0, 0};
        default:
            return {150, 150, 200};
    }
}

int32_t BackgroundChoiceOfSetting(int32_t bgColor) {
    switch (bgColor) {
        case 0:
            return kWhiteBackground;
        case 1:
            return kBlackBackground;
        default:
            return kGreyBlueBackground;
    }
}
