#pragma once
// The category window on the headless backend under the bar, over a data folder of categories
// whose shortcuts point at files that exist; shared by the window's test files.
#include "barwindow/Formbar.h"

#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "tests/Windowfixture.h"

#include <gtest/gtest.h>

namespace barform_testing {

using platform::MouseButton;
using platform::Point;
using platform::Rect;
namespace headless = platform::headless;

inline platform::ShiftState leftHeld() {
    platform::ShiftState shift;
    shift.leftButton = true;
    return shift;
}

class BarFormTest : public ::testing::Test, public testing_support::WindowSet {
protected:
    void SetUp() override { headless::setCursorPos(Point{600, 600}); }

    // Categories as name and shortcut names; every shortcut points at a file that exists.
    void start(const testing_support::Categories& categories) {
        testing_support::writeDataFolder(folder, categories, testing_support::writeLinkToNewFile);
        ASSERT_FALSE(HasFatalFailure());
        open(Windows::All);
        manager->iconLoader().start();
        headless::runIdleWork();
    }
};

} // namespace barform_testing
