#include "service/VersionNumber.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const char* text;
    double number;
};

TEST(versionNumber, FollowsTheNumberRuleWithoutOverflow)
{
    const VersionCase cases[] = {
        {"2.0.33", 2000000033.0},
        {"2.0.9", 2000000009.0},
        {"3.0.0", 3000000000.0},   // beyond 32 bits, still counted
        {"12.5.7", 12005000007.0},
        {"1.2.3.4", 1002000003.0}, // fields after the third are ignored
        {"2.0", 0},                // fewer than three fields
        {"2", 0},
        {"", 0},
        {"x.y.z", 0},              // fields that are not numbers
        {"2.0.z", 0},
        {"2..1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionNumber(c.text), c.number) << c.text;
    EXPECT_GT(versionNumber("2.1.0"), versionNumber("2.0.999"));
}

} // namespace
