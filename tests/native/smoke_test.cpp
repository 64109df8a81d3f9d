#include <gtest/gtest.h>
#include "game/effects.h"
TEST(Effects, SilentDefaultAnswersStop) { EXPECT_EQ(game::Fx().AskResult(game::kWonDialog), 2); }
