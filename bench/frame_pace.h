// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How evenly a playfield paints: the paints a second, the gaps between
// them and how far the ball moved from one paint to the next, over
// stretches of play. A frame in which the ball bounced is left out of the
// movement: it turned, so the way between its two places is shorter than
// the way it went. The pass-rate benchmarks of both platforms feed it.
//
// The ball moves a step a pass, so its way a frame follows the passes the
// machine gave the game in that frame. MachineFrames counts the same for a
// bare loop that enters the system once a pass, as the game's yield does:
// where that loop's frames are uneven, the machine's are, not the game's.
#pragma once
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace orvane::bench {

class FramePace {
public:
    // A new stretch: its first paint has no gap before it.
    void newStretch() { fresh_ = true; }
    void paint(double seconds, double ballX, double ballY, double ballVX, double ballVY)
    {
        ++paints_;
        if (!fresh_) {
            gaps_.push_back((seconds - lastSeconds_) * 1000);
            if (ballVX == lastVX_ && ballVY == lastVY_) moves_.push_back(std::hypot(ballX - lastX_, ballY - lastY_));
        }
        fresh_ = false;
        lastSeconds_ = seconds;
        lastX_ = ballX, lastY_ = ballY, lastVX_ = ballVX, lastVY_ = ballVY;
    }
    double stretchSeconds = 0;

    std::string summary() const
    {
        if (moves_.empty() || stretchSeconds <= 0) return "no paints seen";
        char text[256];
        std::snprintf(text, sizeof text,
                      "%.1f paints/s; gap p50 %.2f, p95 %.2f, max %.2f ms; the ball a frame p5 %.2f, p50 %.2f, "
                      "p95 %.2f px (%zu gaps, %zu of them without a bounce)",
                      paints_ / stretchSeconds, Quantile(gaps_, 0.5), Quantile(gaps_, 0.95), Quantile(gaps_, 1),
                      Quantile(moves_, 0.05), Quantile(moves_, 0.5), Quantile(moves_, 0.95), gaps_.size(),
                      moves_.size());
        return text;
    }

    // A bare loop's passes a frame, for as many seconds, against their median.
    static std::string MachineFrames(double framePeriod, double seconds)
    {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        std::vector<double> passes;
        double count = 0, due = framePeriod;
        for (double t = 0; t < seconds; ++count) {
            std::this_thread::yield();
            t = std::chrono::duration<double>(Clock::now() - start).count();
            if (t >= due) passes.push_back(count), count = 0, due += framePeriod;
        }
        const double median = Quantile(passes, 0.5);
        char text[160];
        std::snprintf(text, sizeof text,
                      "a bare loop entering the system every pass, its passes a frame: p5 %.2f, p95 %.2f of "
                      "its median",
                      Quantile(passes, 0.05) / median, Quantile(passes, 0.95) / median);
        return text;
    }

private:
    static double Quantile(std::vector<double> v, double q)
    {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, static_cast<std::size_t>(q * (v.size() - 1) + 0.5))];
    }
    long long paints_ = 0;
    bool fresh_ = true;
    double lastSeconds_ = 0, lastX_ = 0, lastY_ = 0, lastVX_ = 0, lastVY_ = 0;
    std::vector<double> gaps_, moves_;
};

} // namespace orvane::bench
