#pragma once

// Versions of the design file. The version is stored as a float and every
// gate compares it with these float constants: against double literals a
// stored 6.05f reads as newer than 6.05 and 6.02f or 6.04f as older than
// they are.
namespace DesignFileVersion {

inline constexpr float k600 = 6.00f;  // header and object sections only
inline constexpr float k601 = 6.01f;  // the view-point table follows the header
inline constexpr float k602 = 6.02f;  // the plan-state and document blocks come first
inline constexpr float k603 = 6.03f;
inline constexpr float k604 = 6.04f;
inline constexpr float k605 = 6.05f;

// The version this program writes and the newest it reads.
inline constexpr float kCurrent = k605;

}  // namespace DesignFileVersion
