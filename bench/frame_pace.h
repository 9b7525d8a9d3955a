// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How evenly a playfield paints: the paints a second, the gaps between
// them and how far the ball moved from one paint to the next, over
// stretches of play. A frame in which the ball bounced is left out of the
// movement: it turned, so the way between its two places is shorter than
// the way it went. The pass-rate benchmarks of both platforms feed it.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
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
