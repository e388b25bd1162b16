// The splash window's timer and click, the about window's clicks and buttons.
#include "program_fixture.h"
#include "windows/about/window_about.h"
#include "windows/presentation.h"

namespace {

// A host that only notes, when the browser is asked, whether the about
// window is still open.
class BrowserHost : public fw::Host {
public:
    struct NullWindow : fw::HostWindow {
        void Present(const QRect&) override {}
        void SetCursor(const fw::CursorPtr&) override {}
        void Show() override {}
        void Raise() override {}
        void Close() override {}
    };
    std::unique_ptr<fw::HostWindow> CreateWindow(fw::Window&) override { return std::make_unique<NullWindow>(); }
    void ShowURL(const std::string& url) override {
        urls.push_back(url);
        aboutOpenAtShow = App().FindWindow<WindowAboutClass>() != nullptr;
    }
    int RunLoop() override { return 0; }
    void Quit() override {}
    void LastWindowClosed() override {}

    std::vector<std::string> urls;
    bool aboutOpenAtShow = true;
};

class SplashAboutTest : public ProgramTest {
protected:
    std::shared_ptr<WindowAboutClass> OpenAbout() {
        App().ChooseMenuItem("AppleAboutMyApplication");
        return Find<WindowAboutClass>();
    }
    BrowserHost host;  // outlives the application's release in TearDown
};

TEST_F(SplashAboutTest, SplashClosesByItselfAtSevenSeconds) {
    auto splash = Find<WindowSplashClass>();
    ASSERT_TRUE(splash);
    App().Clock().Advance(6999);
    EXPECT_EQ(Find<WindowSplashClass>(), splash);
    App().Clock().Advance(1);
    EXPECT_FALSE(Find<WindowSplashClass>());
    EXPECT_TRUE(splash->IsClosed());
    EXPECT_EQ(App().FrontWindow(), Find<WindowMainClass>());
    App().Clock().Advance(20000);  // fires once only
    EXPECT_FALSE(Find<WindowSplashClass>());
    EXPECT_EQ(Unhandled(), 0);
}

TEST_F(SplashAboutTest, ClickClosesSplashAtOnceAndTimerStaysQuiet) {
    auto splash = Find<WindowSplashClass>();
    ASSERT_TRUE(splash);
    App().Clock().Advance(3000);
    ClickOn(*splash->CanvasVeridaneCover);
    EXPECT_FALSE(Find<WindowSplashClass>());
    const auto windows = App().Windows();
    App().Clock().Advance(10000);
    EXPECT_EQ(App().Windows(), windows);
    EXPECT_EQ(Unhandled(), 0);

    // Background and title text close it as well.
    for (std::pair<int, int> at : {std::pair{5, 5}, {100, 250}}) {
        auto again = WindowSplash();
        Click(*again, at.first, at.second);
        EXPECT_TRUE(again->IsClosed()) << at.first << "," << at.second;
    }
}

TEST_F(SplashAboutTest, AboutClosesOnAnyClickAndOnOk) {
    auto about = OpenAbout();
    ASSERT_TRUE(about);
    const std::pair<int, int> points[] = {
        {5, 5},                                   // background
        {about->StaticTextAboutBlurb->Left() + 20, about->StaticTextAboutBlurb->Top() + 20},
        {about->LabelTitle->Left() + 5, about->LabelTitle->Top() + 5},
        {about->CanvasVeridaneCover->Left() + 50, about->CanvasVeridaneCover->Top() + 50},
    };
    for (auto [x, y] : points) {
        about = OpenAbout();
        Click(*about, x, y);
        EXPECT_FALSE(Find<WindowAboutClass>()) << x << "," << y;
    }
    about = OpenAbout();
    EXPECT_EQ(about->PushButtonClose->Caption(), "OK");
    ClickOn(*about->PushButtonClose);
    EXPECT_FALSE(Find<WindowAboutClass>());
    EXPECT_TRUE(App().ShownURLs().empty());
}

TEST_F(SplashAboutTest, GoThereClosesAboutBeforeAskingTheBrowser) {
    App().SetHost(&host);
    auto about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_EQ(about->PushButtonGoThere->Caption(), "Go there");
    ClickOn(*about->PushButtonGoThere);
    App().SetHost(nullptr);
    EXPECT_FALSE(Find<WindowAboutClass>());
    ASSERT_EQ(host.urls.size(), 1u);
    EXPECT_FALSE(host.aboutOpenAtShow);
    EXPECT_EQ(host.urls[0], about->LabelWebAddress->Text());
    EXPECT_EQ(host.urls[0], kPublisherAddress);
    EXPECT_EQ(App().ShownURLs(), host.urls);
}

TEST_F(SplashAboutTest, WindowFrames) {
    auto splash = Find<WindowSplashClass>();
    auto about = OpenAbout();
    ASSERT_TRUE(splash && about);
    EXPECT_TRUE(splash->Resizeable);
    EXPECT_TRUE(splash->CloseButton);
    EXPECT_FALSE(about->Resizeable);
    EXPECT_FALSE(about->CloseButton);
    // The same cover, title and address on both.
    EXPECT_EQ(splash->CanvasVeridaneCover->Backdrop()->Image(), Art(res::kVeridaneCover));
    EXPECT_EQ(about->CanvasVeridaneCover->Backdrop(), splash->CanvasVeridaneCover->Backdrop());
    EXPECT_EQ(about->LabelTitle->Text(), splash->LabelTitle->Text());
    EXPECT_EQ(about->LabelWebAddress->Text(), splash->StaticText2->Text());
}

}  // namespace
