// A plan symbol read from memory, as a packaged model's symbol is, then placed
// and drawn as the plan does.
#include <cstddef>
#include <cstdint>
#include <span>

#include "objects/DxfSymbol.h"
#include "platform/draw/RecordingDrawContext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDxfSymbol symbol;
    symbol.LoadFromMemory(std::span<const std::uint8_t>(data, size));
    symbol.Transform(CVector2D(2.0, 0.5), 30.0, CVector2D(100.0, 100.0));
    draw::RecordingDrawContext dc;
    symbol.Draw(dc, 0, 0, 0);
    symbol.HitTestRect(CRect2D(0.0, 0.0, 50.0, 50.0));
    symbol.HitTestPoint(CVector2D(10.0, 10.0), 3);
    return 0;
}
