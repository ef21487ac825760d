// The umbrella header compiles on its own and leaves the standard min/max usable.
#include "win/Windows.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(WindowsHeaderTest, MinAndMaxAreNotMacros)
{
#ifdef min
    FAIL() << "min is a macro";
#endif
#ifdef max
    FAIL() << "max is a macro";
#endif
    EXPECT_EQ(std::min(3, 4) + std::max(3, 4), MulDiv(7, 2, 2));
}

}  // namespace
