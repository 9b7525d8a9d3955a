// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An event loop that counts the main loop's passes: every pass yields once.
// The pass-rate benchmarks wrap the real platform's loop in it.
#pragma once
#include <functional>

#include "platform/system.h"

namespace orvane::bench {

class CountingEvents : public EventLoop {
public:
    explicit CountingEvents(EventLoop& inner) : inner_(inner) {}
    void yield() override
    {
        ++passes;
        if (testing && *testing) ++testPasses;
        inner_.yield();
        if (afterYield) afterYield();
    }
    void waitForEvents() override { inner_.waitForEvents(); }
    void endProgram() override { inner_.endProgram(); }
    bool ending() const override { return inner_.ending(); }

    long long passes = 0;
    // Passes while the game's flag says the speed test runs: from the click
    // that starts it to the pass that crosses its goal.
    const bool* testing = nullptr;
    long long testPasses = 0;
    // Looks at what the yield did (a paint, say).
    std::function<void()> afterYield;

private:
    EventLoop& inner_;
};

} // namespace orvane::bench
