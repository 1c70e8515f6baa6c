#include "output/ConfiguredPrinterQueries.h"

namespace {

constexpr std::int32_t kPortrait = 1;

}  // namespace

CConfiguredPrinterQueries::CConfiguredPrinterQueries(const PrinterPaperSettings& settings)
    : m_settings(settings) {}

POINT CConfiguredPrinterQueries::GetDefaultPaperSize() {
    const POINT& paper = m_settings.paperSize;
    if (m_settings.orientation == kPortrait) {
        return paper;
    }
    return POINT{paper.y, paper.x};
}

POINT CConfiguredPrinterQueries::GetPrinterPhysicalOffset() {
    return m_settings.physicalOffset;
}
