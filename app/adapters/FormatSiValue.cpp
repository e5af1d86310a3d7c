#include "adapters/FormatSiValue.h"

#include <cmath>

#include <strsafe.h>

namespace {

struct SiTier {
    double lowestMagnitude;
    double scale;
    WCHAR prefix;
};

// From the largest bound down; the first tier whose bound the magnitude reaches wins,
// so a magnitude exactly on a bound belongs to the tier above it (1000 is 1k). The top
// tier has no upper bound: a magnitude of 15 or more still shows in T (1e15 is 1000T),
// just as the bottom tier takes everything below 1e-9.
constexpr SiTier kTiers[] = {
    {12, 1e-12, u'T'}, {9, 1e-9, u'G'}, {6, 1e-6, u'M'}, {3, 1e-3, u'k'},
    {0, 1, u' '},      {-3, 1e3, u'm'}, {-6, 1e6, u'u'}, {-9, 1e9, u'n'},
};
constexpr SiTier kSmallestTier = {-HUGE_VAL, 1e12, u'p'};
// Not-a-number has no magnitude; it is shown unscaled.
constexpr SiTier kUnscaledTier = {0, 1, u' '};

const SiTier& TierOf(double magnitude) {
    if (std::isnan(magnitude)) {
        return kUnscaledTier;
    }
    for (const SiTier& tier : kTiers) {
        if (magnitude >= tier.lowestMagnitude) {
            return tier;
        }
    }
    return kSmallestTier;
}

// A double carries about 17 significant digits; more places print only noise, and
// the bound keeps the number within its buffer.
constexpr int kMaxPrecision = 20;
// The largest double has 309 integer digits; with sign, point and fraction it fits.
constexpr int kNumberLength = 320 + kMaxPrecision;

void TrimZeros(std::u16string& number) {
    if (number.find(u'.') == std::u16string::npos) {
        return;
    }
    while (number.back() == u'0') {
        number.pop_back();
    }
    if (number.back() == u'.') {
        number.pop_back();
    }
}

}  // namespace

std::u16string FormatSiValue(double value, LPCWSTR unit, bool spaceBeforePrefix, int precision,
                             bool trimZeros) {
    const double magnitude = (value == 0) ? 0 : std::log10(std::fabs(value));
    const SiTier& tier = TierOf(magnitude);
    // A negative precision means no fraction.
    const int places =
        (precision < 0) ? 0 : (precision > kMaxPrecision ? kMaxPrecision : precision);
    WCHAR format[16] = {};
    wsprintfW(format, TEXT("%%.%dlf"), places);
    WCHAR number[kNumberLength] = {};
    StringCchPrintfW(number, kNumberLength, format, value * tier.scale);

    std::u16string text = number;
    if (trimZeros) {
        TrimZeros(text);
    }
    if (spaceBeforePrefix) {
        text += u' ';
    }
    text += tier.prefix;
    if (unit != nullptr) {
        text += unit;
    }
    return text;
}
