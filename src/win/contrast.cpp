#include "win/contrast.h"

#include <windows.h>

namespace {

std::optional<bool>& Override() {
    static std::optional<bool> on;
    return on;
}

}  // namespace

bool IsHighContrast() {
    if (Override()) return *Override();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) {
    Override() = on;
}
