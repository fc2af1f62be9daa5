// Centring any window on any work area: no overflow, and a window that fits lands inside
// the work area with margins that differ by at most one pixel.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstdlib>
#include "fuzz_check.h"
#include "ui/shared/centring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    auto coordinate = [&] { return input.ConsumeIntegral<int32_t>(); };
    ScreenRect work = {coordinate(), coordinate(), coordinate(), coordinate()};
    ScreenRect window = {coordinate(), coordinate(), coordinate(), coordinate()};
    ScreenPoint origin = CentredOrigin(work, window);
    long long workWidth = (long long)work.right - work.left, workHeight = (long long)work.bottom - work.top;
    long long width = (long long)window.right - window.left, height = (long long)window.bottom - window.top;
    if (width < 0 || height < 0 || width > workWidth || height > workHeight)
        return 0;
    long long left = origin.x - (long long)work.left, right = workWidth - left - width;
    long long top = origin.y - (long long)work.top, bottom = workHeight - top - height;
    Require(left >= 0 && right >= 0 && top >= 0 && bottom >= 0, "a window that fits lands outside the work area");
    Require(llabs(left - right) <= 1 && llabs(top - bottom) <= 1, "the margins differ by more than a pixel");
    HasNegativeOrigin(window);
    return 0;
}
