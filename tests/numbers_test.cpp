// Numbers as the stored files hold them: the leading-blank form, the leading numeric part,
// half-to-even rounding and the values of the settings file.
#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace veltrin::base;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();

TEST(LeadingNumber, ReadsTheNumericPrefix) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"abc", 0},     {" 12abc", 12}, {"-3.5x", -3.5},     {".5", 0.5},
                 {"1.2.3", 1.2}, {"1,5", 1},     {"1.5E3", 1500},     {"2e", 2},
                 {"- 5", 0},     {"\u00a05", 0}, {"1e999", infinity}, {"1e99999999999999999999999", infinity}};
    for (const auto& c : cases) EXPECT_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

// Every half in a range against the definition (half a unit away, and even), then the edges.
TEST(RoundHalfEven, EveryHalfGoesToAnEvenNeighbourAndTheEdgesClamp) {
    for (int whole = -1000; whole <= 1000; ++whole) {
        const double value = whole + 0.5;
        const qint64 rounded = roundHalfEven(value);
        EXPECT_EQ(std::fabs(double(rounded) - value), 0.5) << value;
        EXPECT_EQ(rounded % 2, 0) << value;
    }
    EXPECT_EQ(roundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(roundHalfEven(2.5000000001), 3);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(infinity), int64Max);
    EXPECT_EQ(roundHalfEven(9223372036854775808.0), int64Max);
    EXPECT_EQ(roundHalfEven(9223372036854774784.0), 9223372036854774784);
}

// Rounding and clamping of the leading number are the tests above; the 16-bit form clamps to its own range.
TEST(ReadNumber, RoundsTheLeadingNumberAndClamps) {
    EXPECT_EQ(readNumber(u" 12.5 points"), 12);
    EXPECT_EQ(readInteger16(u"32768"), 32767);
    EXPECT_EQ(readInteger16(u"-40000"), -32768);
    EXPECT_EQ(readInteger16(u"32766.5"), 32766);
}

TEST(ReadField, TakesTheFirstValue) {
    const struct {
        const char* line;
        const char* value;
    } cases[] = {{"  C:\\x\\ , rest", "C:\\x\\"},          {",second", ""},       {"  \" a b \"", " a b "}, {"\"q\" junk, x", "q"},
                 {"\"unclosed, still", "unclosed, still"}, {"a\"b\",c", "a\"b\""}};
    for (const auto& c : cases) EXPECT_EQ(readField(QString::fromUtf8(c.line)), QString::fromUtf8(c.value)) << c.line;
}

}   // namespace
