#include "platform/quit_signals.h"
#include "support/event_loop.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace keldoran {

// A process may hold more than one listener (the tray application and an in-process agent run, as in
// the simulated year): each is told of a signal, and one going away leaves the others working.
TEST(QuitSignals, everyLiveListenerIsToldAndOneGoingAwayLeavesTheOthersListening) {
    auto older = std::make_unique<QuitSignals>();
    auto newer = std::make_unique<QuitSignals>();
    int olderTold = 0;
    int newerTold = 0;
    QObject::connect(older.get(), &QuitSignals::quitRequested, [&] { ++olderTold; });
    QObject::connect(newer.get(), &QuitSignals::quitRequested, [&] { ++newerTold; });

    std::raise(SIGTERM);
    ASSERT_TRUE(spinUntil([&] { return olderTold == 1 && newerTold == 1; }, 2000));

    // The newer one goes first, then the older one; a third one comes and goes in between.
    newer.reset();
    auto third = std::make_unique<QuitSignals>();
    third.reset();
    spinUntil([] { return false; }, 100);
    EXPECT_EQ(olderTold, 1) << "a listener going away told the others to quit";

    std::raise(SIGINT);
    ASSERT_TRUE(spinUntil([&] { return olderTold == 2; }, 2000));
    older.reset();
}

} // namespace keldoran
