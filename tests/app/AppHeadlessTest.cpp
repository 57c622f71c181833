// What only the headless backend lets a test see: documents handed to the shell and a Run key
// that cannot be opened.
#include "app/App.h"
#include "platform/Registry.h"
#include "platform/headless/Headlessprocess.h"
#include "platform/headless/Headlessregistry.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

TEST(AppHeadless, OpensTheHomePageAndDocumentsThroughTheShell) {
    TempFolder folder;
    const App app(folder.file("Kestrum.exe"));
    auto& opened = platform::headless::openedDocuments();
    opened.clear();
    app.openHomePage();
    App::openDocument("help.htm");
    EXPECT_EQ(opened, (std::vector<std::string>{app.homePage, "help.htm"}));
}

TEST(AppHeadless, HoldsOleForItsWholeLife) {
    TempFolder folder;
    // The category manager outlives its App (the windows reach it while they are torn down) and
    // holds a session of its own: one App first, so that one is there whatever ran before.
    App(folder.file("Kestrum.exe"));
    const int before = platform::headless::oleSessionCount();
    {
        const App app(folder.file("Kestrum.exe"));
        EXPECT_EQ(platform::headless::oleSessionCount(), before + 1);
    }
    EXPECT_EQ(platform::headless::oleSessionCount(), before);
}

TEST(AppHeadless, AnUnwritableRunKeyRaisesTheRegistryError) {
    TempFolder folder;
    folder.write("settings.txt", "[Kestrum]\r\nAutoRun=0\r\n");
    App app(folder.file("Kestrum.exe"));
    auto& store = platform::headless::runKeyStore();
    store.exists = false;
    try {
        app.setAutoRun(true);
        ADD_FAILURE() << "no error";
    } catch (const platform::RegistryError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Kestrum'");
    }
    EXPECT_TRUE(app.autoRun) << "the new setting is kept";
    EXPECT_NO_THROW(app.setAutoRun(false)) << "removing an unseen value does nothing";
    store.exists = true;
}

} // namespace
