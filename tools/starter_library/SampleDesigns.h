#pragma once

#include <string>
#include <vector>

class LibraryOutput;

inline constexpr const char* kShowFolder = "Show";
inline constexpr const char* kSampleGroupFile = "S0_Show.ini";
inline constexpr const char* kSampleGroupName = "範例設計";

// One model of a sample design: a starter model, where its footprint's
// centre stands on the plan, how high it stands and its turn in degrees.
// Plan points are in cm, x to the right and y up the plan (the 3D z is -y).
struct SamplePiece {
    std::string model;  // the .qvx file name
    float x = 0;
    float y = 0;
    float height = 0;
    float headingDegrees = 0;
};

// A sample design: one room outline walled, floored and ceiled, dressed with
// starter textures and furnished with starter models.
struct SampleDesign {
    std::string fileName;  // in the "Show" folder; its thumbnail is the .bmp beside it
    std::string showName;
    std::string introduction;
    // The room's corners on the plan (x, y >= 0), in order.
    std::vector<std::pair<float, float>> outline;
    std::string floorTexture;  // a .qvp of the starter textures
    std::string wallTexture;
    std::vector<SamplePiece> pieces;
};

const std::vector<SampleDesign>& StarterSampleDesigns();

// Writes each sample design with its thumbnail into the "Show" folder and
// lists them in the locked group file the start-up design manager offers.
// Needs the starter models and textures written first.
void WriteSampleDesigns(LibraryOutput& output);
