// Starts the whole program headless, as the process entry does but without
// an event loop, and releases it again after each test.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <array>
#include <initializer_list>
#include <utility>

#include "challenge/window_recon_challenge.h"
#include "designer/window_main.h"
#include "framework/application.h"
#include "framework/graphics.h"
#include "overlay_check.h"
#include "resource_ids.h"
#include "shell/app.h"
#include "shell/startup.h"
#include "support/program_driver.h"
#include "windows/splash/window_splash.h"

class ProgramTest : public ::testing::Test, public ProgramDriver {
protected:
    void SetUp() override {
        unhandledAtStart = fw::Application::UnhandledCount();
        StartHeadless();
    }
    void TearDown() override {
        // The framework swallows what a handler raises; no handler may raise here.
        EXPECT_EQ(Unhandled(), 0);
        ReleaseGlobals();
    }

    static fw::Color PixelAt(const fw::Window& w, int x, int y) {
        return fw::Color::FromRgb32(w.Image().pixel(x, y));
    }
    static fw::Color PixelOf(const fw::PicturePtr& p, int x, int y) {
        return fw::Color::FromRgb32(p->Image().pixel(x, y));
    }
    // Exceptions the framework caught since the test began.
    int Unhandled() const { return fw::Application::UnhandledCount() - unhandledAtStart; }

    // A resource picture read straight from the embedded artwork, 32 bits.
    static QImage Art(int id) {
        return QImage(QStringLiteral(":/pictures/%1.png").arg(id)).convertToFormat(QImage::Format_RGB32);
    }

    // The trait pictures' resource numbers, in trait order.
    static constexpr int kOverlayId[8] = {res::kDewlap, res::kHeadCrest,  res::kBackCrest,   res::kTailCrest,
                                          res::kCollar, res::kSideBlotch, res::kSideStripes, res::kTailSpots};
    // The lizard of these trait flags, composed from the artwork: white body
    // ground, body, then each set overlay's non-white pixels in trait order;
    // then stored at 5-6-5 as a lizard's cache holds it.
    static QImage ExpectedLizard(const std::array<bool, 8>& traits) {
        QImage out = Art(res::kTheLizard).copy(0, 0, 110, 44);
        for (int u = 0; u < 8; ++u) {
            if (!traits[u]) continue;
            const QImage o = Art(kOverlayId[u]);
            for (int y = 0; y < 44 && y < o.height(); ++y)
                for (int x = 0; x < 110 && x < o.width(); ++x)
                    if ((o.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) out.setPixel(x, y, o.pixel(x, y));
        }
        return out.convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_RGB32);
    }
    static QImage CacheImage(const LizardCan& l) { return l.Cache->Image().convertToFormat(QImage::Format_RGB32); }
    static bool AllWhite(const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) return false;
        return true;
    }

    int unhandledAtStart = 0;
};

// What the tests of an activity window share: the window, a tool choice, the
// lizards as shown and the state of the trait panel.
template <class W>
class ActivityTest : public ProgramTest, public WindowDriver<W> {
protected:
    void TearDown() override {
        w.reset();
        ProgramTest::TearDown();
    }

    using WindowDriver<W>::w;
    using typename WindowDriver<W>::Tool;
    using WindowDriver<W>::kArrow;
    using WindowDriver<W>::kHand;
    using WindowDriver<W>::kMarker;
    using WindowDriver<W>::ChooseTool;
    using WindowDriver<W>::Gain;

    // Closes the splash with a click, opens the window from the "Window" menu
    // (the default window needs no item) and checks that it is in front.
    void OpenInFront(const char* windowMenuItem) {
        if (auto splash = Find<WindowSplashClass>()) Click(*splash, 5, 5);
        if (windowMenuItem) App().ChooseMenuItem(windowMenuItem);
        w = Find<W>();
        ASSERT_TRUE(w);
        ASSERT_EQ(App().FrontWindow(), w);
    }

    // The lizard k as the window shows it.
    QImage OnScreen(int k) const {
        const auto& l = *w->MyLizardCan[k];
        return w->Image().copy(l.Left(), l.Top(), l.Width(), l.Height());
    }
    // Equal outside the lizard's bottom-right corner, where its arrow lies.
    static bool SameBesideArrow(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (!(x >= 100 && y >= 34) && a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    }
    // Every marker stroke in the overlay is on screen; says where one is not.
    ::testing::AssertionResult StrokesShown() const {
        if (auto p = OverlayHiddenAt(*w)) return ::testing::AssertionFailure() << "stroke hidden at " << p->x() << "," << p->y();
        return ::testing::AssertionSuccess();
    }
    bool PanelShown() const {
        bool any = w->RectangleTraits->Visible();
        for (auto& b : w->CheckBoxTraits) EXPECT_EQ(b->Visible(), any) << "panel and boxes go together";
        return any;
    }
    // Facing of every arrow, 0 closed, 3 open.
    std::array<int, 7> Facings() const {
        std::array<int, 7> f{};
        for (int i = 0; i < 7; ++i) f[i] = w->PopupArrowTraits[i]->Facing();
        return f;
    }
};

// The Designer Lizards window in front, the splash window gone by a click.
class DesignerTest : public ActivityTest<WindowMainClass> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenInFront(nullptr));
    }
};

// The Challenge window opened from the "Window" menu, in front.
class ChallengeTest : public ActivityTest<WindowReconChallengeClass> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenInFront("WindowChallenge"));
    }
};
