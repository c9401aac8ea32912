// The points of a hosted scheme are typed by kind, so that an index of one
// kind cannot stand for another: these checks are made by the compiler.
#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <utility>

#include "pages/calc_panel.h"
#include "pages/choice_check.h"
#include "pages/conv_real.h"
#include "pages/points.h"
#include "pages/power_rating.h"
#include "pages/range_check.h"

namespace {

// Whether each accessor takes a point of type P.
template <typename P, typename = void>
struct TakesEvent : std::false_type {};
template <typename P>
struct TakesEvent<P, std::void_t<decltype(On(std::declval<TSchemeHost*>(), std::declval<P>()))>> : std::true_type {};

template <typename P, typename = void>
struct TakesDataIn : std::false_type {};
template <typename P>
struct TakesDataIn<P, std::void_t<decltype(In(std::declval<TSchemeHost*>(), std::declval<P>()))>> : std::true_type {};

template <typename P, typename = void>
struct TakesMethod : std::false_type {};
template <typename P>
struct TakesMethod<P, std::void_t<decltype(Call(std::declval<THIMultiElement*>(), std::declval<P>()))>>
    : std::true_type {};

template <typename P, typename = void>
struct TakesDataOut : std::false_type {};
template <typename P>
struct TakesDataOut<P, std::void_t<decltype(Read(std::declval<THIMultiElement*>(), std::declval<P>()))>>
    : std::true_type {};

template <typename P, typename = void>
struct TakesEntry : std::false_type {};
template <typename P>
struct TakesEntry<P, std::void_t<decltype(Entry(std::declval<THIEditMulti*>(), std::declval<P>()))>>
    : std::true_type {};

template <typename P, typename = void>
struct TakesExit : std::false_type {};
template <typename P>
struct TakesExit<P, std::void_t<decltype(Exit(std::declval<THIEditMulti*>(), std::declval<P>()))>>
    : std::true_type {};

// Whether a host's event slots can be indexed by P, as the pages once did
// with bare point numbers.
template <typename P, typename = void>
struct IndexesEvents : std::false_type {};
template <typename P>
struct IndexesEvents<P, std::void_t<decltype(std::declval<TSchemeHost&>().Events[std::declval<P>()])>>
    : std::true_type {};

using TRangeVoltage = std::decay_t<decltype(kRangeVoltage)>;
using TRangeOnValid = std::decay_t<decltype(kRangeOnValid)>;

// Each accessor takes its own kind.
static_assert(TakesEvent<TRangeOnValid>::value && TakesDataIn<TRangeVoltage>::value);
static_assert(TakesMethod<decltype(kRangeDoCheck)>::value && TakesDataOut<decltype(kRangeValue)>::value);
static_assert(TakesEntry<TMethodPoint>::value && TakesExit<TEventPoint>::value);

// A data input's index used as an event's does not compile (both are 0 in
// the range check), nor the other way round.
static_assert(!TakesEvent<TRangeVoltage>::value, "a data input must not stand for an event");
static_assert(!TakesDataIn<TRangeOnValid>::value, "an event must not stand for a data input");
static_assert(!TakesExit<TDataInPoint>::value, "a data input must not leave as an event");
static_assert(!IndexesEvents<TRangeVoltage>::value && !IndexesEvents<TRangeOnValid>::value,
              "a point reaches a slot only through the accessor of its kind");
static_assert(IndexesEvents<uint16_t>::value, "the trait itself sees a plain index");
// Nor do methods and data outputs mix, nor a point with another kind's.
static_assert(!TakesMethod<TDataOutPoint>::value && !TakesDataOut<TMethodPoint>::value);
static_assert(!TakesEvent<TMethodPoint>::value && !TakesEntry<TEventPoint>::value);
static_assert(!TakesMethod<decltype(kPanelAccurate)>::value && !TakesDataIn<decltype(kRoundResult)>::value);
// A bare number is no point of any kind.
static_assert(!TakesEvent<int>::value && !TakesDataIn<uint16_t>::value && !TakesMethod<int>::value);

// Points of different kinds and the same index reach different slots: a
// host's events and its data inputs are apart.
TEST(Points, KindsReachTheirOwnSlots) {
  THIMultiElement host;
  host.SetEventCount(2);
  host.SetDataCount(2);
  for (uint16_t i = 0; i < 2; ++i) {
    EXPECT_EQ(&On(&host, TEventPoint{i}), &host.Events[i]) << i;
    EXPECT_EQ(&In(&host, TDataInPoint{i}), &host.Datas[i]) << i;
  }
}

}  // namespace
