#pragma once

#include <cstdint>

// Result codes of the object records and file streams: negative values are
// failures, zero and positive values successes.
using HRESULT = int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<int32_t>(0x80004001u);
inline constexpr HRESULT E_FAIL = static_cast<int32_t>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<int32_t>(0x8000FFFFu);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}
