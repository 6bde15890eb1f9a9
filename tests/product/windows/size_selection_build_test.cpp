// The size list built in the background: the window answers meanwhile, a
// progress bar shows for long builds, a new criterion abandons the running
// build, and Close does not wait for one.

#include "product/windows/size_selection_dialog.h"

#include "product/windows/tavro_window.h"
#include "tests/support/tavro_window_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace tavro {
namespace {

using Dialog = TFormBaugroessen_Tavro;

// A list builder held by the test: it reports `progress` candidates done
// and then waits until released or abandoned, at most ten seconds, and
// counts how its builds ended.
struct HeldBuilder {
    std::atomic<bool> release{false};
    std::atomic<int> started{0};
    std::atomic<int> abandoned{0};
    int progress = 5;

    static Dialog::ListBuilder Of(const std::shared_ptr<HeldBuilder>& self) {
        return [self](TDatenREK&, const SizeCriteria&, const SizeListRun& run) {
            ++self->started;
            run.progress->fetch_add(self->progress);
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!self->release && std::chrono::steady_clock::now() < end) {
                if (run.cancel->load()) {
                    ++self->abandoned;
                    SizeList list;
                    list.cancelled = true;
                    return list;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            SizeList list;
            list.rows.resize(3);
            return list;
        };
    }
};

class SizeListBuild : public test::TavroWindowTest {
protected:
    int OnModal(TVkForm& form) override {
        if (auto* d = dynamic_cast<Dialog*>(&form)) {
            EXPECT_TRUE(d->WaitForList());
            if (body_) body_(*d);
        }
        return mrCancel;
    }
    void Open(std::function<void(Dialog&)> body) {
        TFormTavro& w = Start();
        body_ = std::move(body);
        w.Button_Vorauswahl->click();
        body_ = nullptr;
        ASSERT_NE(SizeSelectionDialog(), nullptr);
        SizeSelectionDialog()->Builder = nullptr;
    }
    // Processes events until `done` holds, at most five seconds.
    static bool Until(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }

    std::function<void(Dialog&)> body_;
};

// Four units in series make the longest real list; a timer of the window
// must fire while it is built.
TEST_F(SizeListBuild, WindowAnswersWhileTheListIsBuilt) {
    Open([](Dialog& d) {
        d.PendingUnits = 4;
        d.BuildList(false);
        ASSERT_TRUE(d.Building());
        EXPECT_EQ(d.ListView1->topLevelItemCount(), 0);
        int ticksWhileBuilding = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (d.Building()) ++ticksWhileBuilding;
        });
        tick.start(1);
        ASSERT_TRUE(d.WaitForList());
        EXPECT_GT(ticksWhileBuilding, 0);
        EXPECT_GT(d.ListView1->topLevelItemCount(), 0);
        EXPECT_FALSE(d.ProgressBar_Liste->isVisible());
    });
}

TEST_F(SizeListBuild, ProgressBarShowsForALongBuildOnly) {
    auto held = std::make_shared<HeldBuilder>();
    Open([&](Dialog& d) {
        d.Builder = HeldBuilder::Of(held);
        QElapsedTimer clock;
        clock.start();
        d.BuildList(false);
        // Not at once: a short build shows no bar.
        EXPECT_FALSE(d.ProgressBar_Liste->isVisible());
        ASSERT_TRUE(Until([&] { return d.ProgressBar_Liste->isVisible(); }));
        EXPECT_GE(clock.elapsed(), Dialog::kProgressDelayMs);
        EXPECT_EQ(d.ProgressBar_Liste->value(), held->progress);
        EXPECT_EQ(d.ProgressBar_Liste->maximum(), SizeListCandidates(d.Criteria()));
        held->release = true;
        ASSERT_TRUE(d.WaitForList());
        EXPECT_FALSE(d.ProgressBar_Liste->isVisible());
        EXPECT_EQ(d.ListView1->topLevelItemCount(), 3);
    });
}

TEST_F(SizeListBuild, NewCriterionAbandonsTheRunningBuild) {
    auto held = std::make_shared<HeldBuilder>();
    Open([&](Dialog& d) {
        d.Builder = HeldBuilder::Of(held);
        const int shown = d.ListBuilds;
        d.BuildList(false);
        ASSERT_TRUE(Until([&] { return held->started == 1; }));
        d.Builder = nullptr;
        d.Combo_MinPHI->setCurrentIndex(0);
        ASSERT_TRUE(Until([&] { return held->abandoned == 1; }));
        ASSERT_TRUE(d.WaitForList());
        // Only the list of the new criterion was shown, and it is the
        // whole list for that criterion.
        EXPECT_EQ(d.ListBuilds, shown + 1);
        TDatenREK r = *d.Owner->Daten;
        const SizeList list = BuildSizeList(r, d.Criteria());
        EXPECT_EQ(d.ListView1->topLevelItemCount(), static_cast<int>(list.rows.size()));
    });
}

// The held build ignores nothing but its release and the cancel flag; a
// Close that waited for it would take the builder's ten seconds.
TEST_F(SizeListBuild, CloseDoesNotWaitForABuild) {
    auto held = std::make_shared<HeldBuilder>();
    int shown = 0;
    Open([&](Dialog& d) {
        d.Builder = HeldBuilder::Of(held);
        shown = d.ListBuilds;
        d.BuildList(false);
        ASSERT_TRUE(Until([&] { return held->started == 1; }));
        QElapsedTimer clock;
        clock.start();
        d.Button_Close->click();
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.Building());
    });
    EXPECT_TRUE(Until([&] { return held->abandoned == 1; }));
    QApplication::processEvents();
    EXPECT_EQ(SizeSelectionDialog()->ListBuilds, shown);
}

} // namespace
} // namespace tavro
