// The number text of messages and saved games.
#include <gtest/gtest.h>

#include "core/NumberText.h"

namespace tavorin::test {
namespace {

TEST(NumberText, OneBlankOrTheMinusSign) {
    const std::pair<int, const char*> cases[] = {{0, " 0"},  {3, " 3"},          {15, " 15"},
                                                 {-1, "-1"}, {-32768, "-32768"}, {32767, " 32767"}};
    for (const auto& [v, text] : cases)
        EXPECT_EQ(numberText(v), text) << v;
}

}  // namespace
}  // namespace tavorin::test
