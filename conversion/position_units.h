#pragma once

#include <cstdint>

namespace lagewandler {

// Ten-thousandths of a degree, the unit of a position code's offsets and of
// every exact position the tool holds.
inline constexpr std::int32_t kTenThousandthsPerDegree = 10000;

}  // namespace lagewandler
