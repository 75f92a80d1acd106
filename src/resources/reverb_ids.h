// Identifiers of the reverb dialog REVERB.
#pragma once

namespace pelkit::id::reverb {

inline constexpr int kDelayField = 1501;
inline constexpr int kDelayBar = 1502;
inline constexpr int kReset = 1503;
inline constexpr int kFeedback = 40008;

}  // namespace pelkit::id::reverb
