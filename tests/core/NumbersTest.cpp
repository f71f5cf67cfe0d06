#include "app/Numbers.h"
#include <gtest/gtest.h>
TEST(Numbers, Placeholder) { EXPECT_EQ(sg::LeadingNumberOr0("9/2"), 9.0); }
