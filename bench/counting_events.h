// An event loop that counts the main loop's passes: every pass yields once.
// The pass-rate benchmarks wrap the real platform's loop in it.
#pragma once
#include "platform/system.h"

namespace orvane::bench {

class CountingEvents : public EventLoop {
public:
    explicit CountingEvents(EventLoop& inner) : inner_(inner) {}
    void yield() override
    {
        ++passes;
        inner_.yield();
    }
    void waitForEvents() override { inner_.waitForEvents(); }
    void endProgram() override { inner_.endProgram(); }
    bool ending() const override { return inner_.ending(); }

    long long passes = 0;

private:
    EventLoop& inner_;
};

} // namespace orvane::bench
