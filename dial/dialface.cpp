#include "dial/dialface.h"

#include <array>
#include <limits>

namespace dial {

namespace {

constexpr std::array<FaceBand, 4> FaceBands {{
    {2000, "arial", true, 8, 80, 30, 100},
    {1700, "arial", true, 7, 70, 20, 80},
    {1350, "arial", true, 6, 60, 15, 70},
    {-std::numeric_limits<double>::infinity(), "small fonts", false, 5, 50, 27, 50},
}};

} // namespace

const FaceBand &faceBandFor(double faceSize)
{
    for (const FaceBand &band : FaceBands)
        if (faceSize > band.above)
            return band;
    return FaceBands.back();
}

} // namespace dial
