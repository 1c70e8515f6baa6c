#include "platform/text/CLocale.h"

namespace text {

locale_t GetCLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace text
