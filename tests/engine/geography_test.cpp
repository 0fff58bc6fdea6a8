// The birth place's longitude as typed for local mean time.
#include <gtest/gtest.h>

#include <string>

#include "engine/geography.h"

namespace zeitrad {
namespace {

struct Typed {
    const char* text;
    double degrees;
};

class ReadsLongitude : public testing::TestWithParam<Typed> {};

TEST_P(ReadsLongitude, AsDegreesEast) {
    const auto parsed = parseGeoLongitude(GetParam().text);
    ASSERT_TRUE(std::holds_alternative<GeoLongitude>(parsed))
        << GetParam().text << ": " << std::get<Refusal>(parsed).message;
    EXPECT_NEAR(std::get<GeoLongitude>(parsed).degrees, GetParam().degrees, 1e-12)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ReadsLongitude,
    testing::Values(Typed{"13.4", 13.4}, Typed{"13,4", 13.4}, Typed{"-73.99", -73.99},
                    Typed{"+8", 8}, Typed{"13°24'", 13.4}, Typed{"13°24′", 13.4},
                    Typed{"13°24'36\"", 13.41}, Typed{"13 24 O", 13.4}, Typed{"13 24 E", 13.4},
                    Typed{"73 59 W", -(73 + 59 / 60.0)}, Typed{"73 59 w", -(73 + 59 / 60.0)},
                    Typed{"  9.99 ", 9.99}, Typed{"180", 180}, Typed{"180 W", -180}, Typed{"0", 0},
                    Typed{"13 24.5", 13 + 24.5 / 60}));

class RefusesLongitude : public testing::TestWithParam<const char*> {};

TEST_P(RefusesLongitude, WithAGermanReason) {
    const auto parsed = parseGeoLongitude(GetParam());
    ASSERT_TRUE(std::holds_alternative<Refusal>(parsed)) << GetParam();
    EXPECT_NE(std::get<Refusal>(parsed).message.find("Länge"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Unreadable, RefusesLongitude,
                         testing::Values("", "   ", "abc", "13.4.5", "13..4", "-13 W", "13 60",
                                         "13 24 60", "13.5 24", "1 2 3 4", "180.001", "-181",
                                         "200 O", "13 N", ".5", "13x"));

TEST(LocalMeanTime, IsFourMinutesADegree) {
    EXPECT_DOUBLE_EQ(localMeanTimeOffsetSeconds({15}), 3600);
    EXPECT_DOUBLE_EQ(localMeanTimeOffsetSeconds({13.41}), 3218.4);
    EXPECT_DOUBLE_EQ(localMeanTimeOffsetSeconds({-73.5}), -17640);
}

} // namespace
} // namespace zeitrad
