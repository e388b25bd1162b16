// Start-up, the menu bar, the window accessors, "Reset" and the resources.
#include <QTemporaryDir>
#include <iterator>
#include <vector>

#include "challenge/window_recon_challenge.h"
#include "evolving/window_tree.h"
#include "framework/qt/menus.h"
#include "program_fixture.h"
#include "resources/pictures.h"
#include "shell/globals.h"
#include "windows/about/window_about.h"

namespace {

class ShellTest : public ProgramTest {
protected:
    static bool Enabled(const char* name) { return App().MenuBar()->Lookup(name)->Enabled; }
    template <class W>
    static int Count() {
        int n = 0;
        for (auto& win : App().Windows()) n += dynamic_cast<W*>(win.get()) != nullptr;
        return n;
    }
};

TEST_F(ShellTest, StartUpBuildsDesignerBeforeOpenThenSplashOverIt) {
    ReleaseGlobals();  // start over, stopping before the application's Open
    StartUp(nullptr);
    auto main = Find<WindowMainClass>();
    ASSERT_TRUE(main);
    EXPECT_EQ(App().FrontWindow(), main);
    EXPECT_FALSE(Find<WindowSplashClass>());
    for (auto& p : Globals::TraitImage) EXPECT_FALSE(p) << "trait pictures wait for the application's Open";
    ASSERT_EQ(Globals::TraitImage.size(), 8u);

    App().Run();
    auto splash = Find<WindowSplashClass>();
    ASSERT_TRUE(splash);
    EXPECT_EQ(App().FrontWindow(), splash);
    EXPECT_EQ(App().Windows().size(), 2u);
    EXPECT_EQ(Find<WindowMainClass>(), main);
    for (auto& p : Globals::TraitImage) EXPECT_TRUE(p);
}

TEST_F(ShellTest, MenuBarHasEveryItemInOrder) {
    struct Row { const char* name; const char* text; const char* shortcut; };
    const std::vector<std::pair<Row, std::vector<Row>>> want = {
        {{"UntitledMenu3", "File", ""}, {{"FileReset", "Reset", ""}, {"FileQuit", "Quit", "Cmd+Q"}}},
        {{"UntitledMenu1", "Edit", ""},
         {{"EditUndo", "Undo", "Cmd+Z"}, {"UntitledMenu2", "-", ""}, {"EditCut", "Cut", "Cmd+X"},
          {"EditCopy", "Copy", "Cmd+C"}, {"EditPaste", "Paste", "Cmd+V"}, {"EditClear", "Clear", ""}}},
        {{"UntitledMenu0", "Window", ""},
         {{"WindowDesignerlizards", "Designer lizards", ""}, {"WindowEvolvinglizards", "Evolving lizards", ""},
          {"WindowChallenge", "Challenge", ""}, {"AppleAboutMyApplication", "About Cladeworks...", ""}}},
    };
    const auto& bar = *App().MenuBar();
    ASSERT_EQ(bar.Items().size(), want.size());
    EXPECT_EQ(App().MenuBar(), Menu());
    for (size_t m = 0; m < want.size(); ++m) {
        const auto& title = *bar.Items()[m];
        EXPECT_EQ(title.Name, want[m].first.name);
        EXPECT_EQ(title.Text, want[m].first.text);
        EXPECT_EQ(title.KeyboardShortcut, "");
        EXPECT_TRUE(title.AutoEnable);
        ASSERT_EQ(title.Items().size(), want[m].second.size()) << title.Text;
        for (size_t i = 0; i < want[m].second.size(); ++i) {
            const auto& item = *title.Items()[i];
            const Row& r = want[m].second[i];
            EXPECT_EQ(item.Name, r.name);
            EXPECT_EQ(item.Text, r.text);
            EXPECT_EQ(item.KeyboardShortcut, r.shortcut) << r.name;
            EXPECT_TRUE(item.AutoEnable) << r.name;
            EXPECT_EQ(item.IsQuitItem(), item.Name == "FileQuit") << r.name;
            EXPECT_EQ(item.IsAboutItem(), item.Name == "AppleAboutMyApplication") << r.name;
        }
    }
    EXPECT_TRUE(bar.Lookup("UntitledMenu2")->IsSeparator());
    EXPECT_EQ(fw::ItemForKey(bar, Qt::ControlModifier | Qt::Key_Q)->Name, "FileQuit");
    // The accessors find the items by name.
    EXPECT_EQ(AppleAboutMyApplication(), bar.Lookup("AppleAboutMyApplication"));
    EXPECT_EQ(FileReset()->Text, "Reset");
    EXPECT_EQ(WindowChallenge()->Text, "Challenge");
    EXPECT_EQ(WindowEvolvinglizards()->Text, "Evolving lizards");
    EXPECT_EQ(WindowDesignerlizards()->Text, "Designer lizards");
}

TEST_F(ShellTest, WindowItemsKeepOneWindowPerClass) {
    auto main = Find<WindowMainClass>();
    EXPECT_TRUE(App().ChooseMenuItem("WindowDesignerlizards"));
    EXPECT_EQ(App().FrontWindow(), main) << "the open Designer window comes to the front";
    EXPECT_EQ(Find<WindowMainClass>(), main);

    App().ChooseMenuItem("WindowEvolvinglizards");
    auto tree = Find<WindowTreeClass>();
    ASSERT_TRUE(tree);
    App().ChooseMenuItem("WindowDesignerlizards");
    App().ChooseMenuItem("WindowEvolvinglizards");
    EXPECT_EQ(Find<WindowTreeClass>(), tree);
    EXPECT_EQ(App().FrontWindow(), tree);
    EXPECT_EQ(Count<WindowTreeClass>(), 1);

    App().ChooseMenuItem("AppleAboutMyApplication");
    auto about = Find<WindowAboutClass>();
    App().ChooseMenuItem("WindowChallenge");
    App().ChooseMenuItem("AppleAboutMyApplication");
    EXPECT_EQ(Find<WindowAboutClass>(), about);
    EXPECT_EQ(App().FrontWindow(), about);
    EXPECT_EQ(Count<WindowAboutClass>(), 1);
    EXPECT_EQ(Count<WindowMainClass>(), 1);
    EXPECT_EQ(Count<WindowReconChallengeClass>(), 1);
}

TEST_F(ShellTest, ClosedWindowIsBuiltAfresh) {
    App().ChooseMenuItem("WindowChallenge");
    auto challenge = Find<WindowReconChallengeClass>();
    ASSERT_TRUE(challenge);
    challenge->HandleCloseBox();
    EXPECT_FALSE(Find<WindowReconChallengeClass>());
    App().ChooseMenuItem("WindowChallenge");
    ASSERT_TRUE(Find<WindowReconChallengeClass>());
    EXPECT_NE(Find<WindowReconChallengeClass>(), challenge);
    EXPECT_EQ(App().FrontWindow(), Find<WindowReconChallengeClass>());

    auto main = Find<WindowMainClass>();
    main->MyLizardCan[2]->SetLeft(400);
    main->HandleCloseBox();
    App().ChooseMenuItem("WindowDesignerlizards");
    auto fresh = Find<WindowMainClass>();
    ASSERT_TRUE(fresh);
    EXPECT_NE(fresh, main);
    EXPECT_EQ(fresh->MyLizardCan[2]->Left(), 225);
}

TEST_F(ShellTest, WindowItemsEnabledWhateverIsInFrontResetOnlyForActivityWindows) {
    const char* windowItems[] = {"WindowDesignerlizards", "WindowEvolvinglizards", "WindowChallenge",
                                 "AppleAboutMyApplication"};
    auto check = [&](const char* front, bool resetEnabled) {
        for (auto* n : windowItems) App().MenuBar()->Lookup(n)->Enabled = false;
        App().UpdateMenus();
        for (auto* n : windowItems) EXPECT_TRUE(Enabled(n)) << n << " with " << front << " in front";
        EXPECT_EQ(Enabled("FileReset"), resetEnabled) << "with " << front << " in front";
    };
    check("splash", false);
    App().ChooseMenuItem("WindowDesignerlizards");
    check("Designer", true);
    App().ChooseMenuItem("WindowEvolvinglizards");
    check("Evolving", true);
    App().ChooseMenuItem("WindowChallenge");
    check("Challenge", true);
    App().ChooseMenuItem("AppleAboutMyApplication");
    check("about", false);
    EXPECT_FALSE(App().ChooseMenuItem("FileReset")) << "nothing handles Reset over the about window";
    EXPECT_TRUE(Find<WindowAboutClass>());

    // The application's own event enables exactly the four, not Reset.
    for (auto* n : windowItems) App().MenuBar()->Lookup(n)->Enabled = false;
    App().MenuBar()->Lookup("FileReset")->Enabled = false;
    App().Event_EnableMenuItems();
    for (auto* n : windowItems) EXPECT_TRUE(Enabled(n)) << n;
    EXPECT_FALSE(Enabled("FileReset"));
}

TEST_F(ShellTest, ResetRebuildsOnlyTheFrontActivityWindow) {
    Click(*Find<WindowSplashClass>(), 5, 5);
    auto main = Find<WindowMainClass>();
    // Designer state: a trait, a moved lizard, a stroke.
    ClickOn(*main->PopupArrowTraits[1]);
    ClickOn(*main->CheckBoxTraits[4]);
    main->MyLizardCan[0]->SetLeft(50);
    main->CanvasSelectCursor->CurrentCursor = "marker";
    Drag(*main, {{300, 250}, {300, 250}, {340, 250}});
    ASSERT_EQ(PixelOf(main->Cache, 320, 250), fw::kBlack);

    App().ChooseMenuItem("WindowEvolvinglizards");
    auto tree = Find<WindowTreeClass>();
    EXPECT_TRUE(App().ChooseMenuItem("FileReset"));
    ASSERT_TRUE(Find<WindowTreeClass>());
    EXPECT_NE(Find<WindowTreeClass>(), tree);
    EXPECT_EQ(App().FrontWindow(), Find<WindowTreeClass>());
    EXPECT_EQ(Find<WindowMainClass>(), main) << "the Designer window is untouched";
    EXPECT_TRUE(main->MyLizardCan[1]->Trait[4]);
    EXPECT_EQ(main->MyLizardCan[0]->Left(), 50);
    EXPECT_EQ(PixelOf(main->Cache, 320, 250), fw::kBlack);

    tree = Find<WindowTreeClass>();
    App().ChooseMenuItem("WindowDesignerlizards");
    App().ChooseMenuItem("FileReset");
    auto fresh = Find<WindowMainClass>();
    ASSERT_TRUE(fresh);
    EXPECT_NE(fresh, main);
    EXPECT_TRUE(main->IsClosed());
    EXPECT_EQ(App().FrontWindow(), fresh);
    EXPECT_EQ(Find<WindowTreeClass>(), tree);
    EXPECT_FALSE(fresh->MyLizardCan[1]->Trait[4]);
    EXPECT_EQ(fresh->MyLizardCan[0]->Left(), 3);
    EXPECT_EQ(fresh->CanvasSelectCursor->CurrentCursor, "arrow");
    EXPECT_EQ(fresh->TargetLizCan, -1);
    EXPECT_EQ(PixelOf(fresh->Cache, 320, 250), fw::kWhite);
    EXPECT_EQ(PixelAt(*fresh, 320, 250), fw::RGB(0xEE, 0xEE, 0xEE));

    App().ChooseMenuItem("WindowChallenge");
    auto challenge = Find<WindowReconChallengeClass>();
    App().ChooseMenuItem("FileReset");
    EXPECT_NE(Find<WindowReconChallengeClass>(), challenge);
    EXPECT_EQ(Find<WindowMainClass>(), fresh);
    EXPECT_EQ(Find<WindowTreeClass>(), tree);
}

TEST_F(ShellTest, QuitItemQuits) {
    EXPECT_FALSE(App().Quitting());
    EXPECT_TRUE(App().ChooseMenuItem("FileQuit"));
    EXPECT_TRUE(App().Quitting());
}

// ---- Resources -------------------------------------------------------------

class ResourcesTest : public ProgramTest {};

TEST_F(ResourcesTest, EachLoaderReadsItsResourceOnceAndKeepsIt) {
    auto& fork = App().ResourceFork();
    const int reads = fork.Reads();
    auto a = TheLizard();
    EXPECT_EQ(TheLizard(), a);
    EXPECT_EQ(fork.Reads(), reads) << "the body was loaded when the lizards opened";

    auto hand = HandCursor();  // not used before the hand tool is chosen
    ASSERT_TRUE(hand);
    EXPECT_EQ(fork.Reads(), reads + 1);
    EXPECT_EQ(HandCursor(), hand);
    EXPECT_NE(MarkerCursor(), hand);
    EXPECT_EQ(fork.Reads(), reads + 2);
    EXPECT_EQ(MarkerCursor(), MarkerCursor());
    EXPECT_EQ(fork.Reads(), reads + 2);

    // Every loader gives its own resource.
    fw::PicturePtr (*loaders[])() = {VeridaneCover, TheLizard, Dewlap, BackCrest, TailCrest,
                                     HeadCrest, Collar, SideBlotch, SideStripes, TailSpots,
                                     CladeworksColors, IconArrow, IconHand, IconMarker};
    static_assert(std::size(loaders) == std::size(res::kPictureIds));
    for (std::size_t i = 0; i < std::size(loaders); ++i) {
        const int id = res::kPictureIds[i];
        auto p = loaders[i]();
        ASSERT_TRUE(p) << id;
        EXPECT_EQ(p->Image(), Art(id)) << id;
    }
    EXPECT_EQ(fork.Reads(), reads + 2);
}

TEST_F(ResourcesTest, TraitImageHoldsTheOverlaysInTraitOrderUntilRelease) {
    fw::PicturePtr (*inOrder[])() = {Dewlap, HeadCrest, BackCrest, TailCrest, Collar, SideBlotch, SideStripes, TailSpots};
    ASSERT_EQ(Globals::TraitImage.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Globals::TraitImage[i], inOrder[i]()) << i;
    EXPECT_EQ(Globals::TraitImage[1]->Image(), Art(res::kHeadCrest));
    EXPECT_EQ(Globals::TraitImage[2]->Image(), Art(res::kBackCrest));

    ReleaseGlobals();
    EXPECT_EQ(Globals::TraitImage.size(), 8u);
    for (auto& p : Globals::TraitImage) EXPECT_FALSE(p);
    EXPECT_EQ(fw::Application::Instance(), nullptr);
}

TEST_F(ResourcesTest, MissingResourceGivesNilAndIsAskedForAgain) {
    auto& fork = App().ResourceFork();
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    struct RestoreRoot {
        fw::ResourceFork& f;
        ~RestoreRoot() { f.SetRoot(QStringLiteral(":/")); }
    } restore{fork};
    ReleaseResourceCaches();
    fork.SetRoot(empty.path() + QLatin1Char('/'));
    EXPECT_EQ(TheLizard(), nullptr);
    EXPECT_EQ(MarkerCursor(), nullptr);

    fork.SetRoot(QStringLiteral(":/"));
    auto body = TheLizard();
    ASSERT_TRUE(body);
    EXPECT_EQ(body->Image(), Art(res::kTheLizard));
    EXPECT_TRUE(MarkerCursor());
}

}  // namespace
