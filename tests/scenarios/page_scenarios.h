// The regulator pages as rows of steps, run on the real window of every
// backend: the default calculation of each page, a warning of each kind,
// the accurate search (with a tab switch while it runs), the tab strip.
#pragma once

#include <vector>

#include "scenarios/scenario.h"
#include "runtime/system_ops.h"

inline constexpr uint32_t kWarning = MbOk | MbIconWarning;
inline constexpr uint32_t kError = MbOk | MbIconError;

// LM317 Voltage (tab 0).
inline const TAddress kLvVout{0, 315, 15}, kLvR2{0, 310, 75}, kLvRload{0, 310, 100}, kLvIload{0, 310, 125};
// LM317 Current (tab 1).
inline const TAddress kLcIout{1, 315, 15}, kLcR{1, 330, 55}, kLcP{1, 330, 75}, kLcRating{1, 345, 100};
// L200 (tab 2).
inline const TAddress kL2Vout{2, 315, 15}, kL2Iout{2, 315, 40}, kL2R1{2, 315, 65}, kL2R2{2, 325, 95}, kL2R3{2, 325, 115},
    kL2P{2, 325, 135}, kL2Rating{2, 345, 160};
// TL431 (tab 3).
inline const TAddress kShVinMin{3, 285, 15}, kShVout{3, 335, 40}, kShIout{3, 335, 65}, kShRatio{3, 335, 90},
    kShR1{3, 325, 120}, kShP{3, 325, 140}, kShR2{3, 325, 160}, kShR3{3, 325, 180};
// TL431+LM317 (tab 4).
inline const TAddress kTlVout{4, 335, 15}, kTlIout{4, 335, 40}, kTlRatio{4, 335, 65}, kTlR1{4, 325, 95}, kTlR2{4, 325, 115},
    kTlR3{4, 325, 135}, kTlC1Low{4, 325, 155}, kTlC1High{4, 325, 175};
// M5237 (tab 5).
inline const TAddress kMVout{5, 315, 15}, kMR1{5, 315, 40}, kMR2{5, 325, 80};
// 78xx Voltage (tab 6).
inline const TAddress kXvType{6, 315, 15}, kXvVout{6, 315, 40}, kXvR2{6, 310, 105};
// 78xx Current (tab 7).
inline const TAddress kXcType{7, 315, 15}, kXcLoad{7, 315, 40}, kXcR1{7, 330, 80}, kXcP{7, 330, 100}, kXcRating{7, 345, 125};
// uA723 (tab 8).
inline const TAddress kUIout{8, 315, 40}, kUR1{8, 315, 65}, kUR2{8, 325, 95}, kUR3{8, 325, 115}, kUP{8, 325, 135},
    kURating{8, 345, 160};

const std::vector<TScenario>& PageScenarios();
