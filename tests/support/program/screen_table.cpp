// The screen tests open screens as the program does, through the table it fills at start: it is
// filled here once for the whole run, by the program's own call.
#include "app/screens.h"

#include <gtest/gtest.h>

namespace {

class ScreenTable : public testing::Environment {
public:
    void SetUp() override { app::inscrireEcrans(); }
};

[[maybe_unused]] testing::Environment* const table =
    testing::AddGlobalTestEnvironment(new ScreenTable);

} // namespace
