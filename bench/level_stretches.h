// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stretches of play the window benches measure, and their table. Each
// round plays every shipped level, set up as the game sets up a level after
// the last one, with the ball shown, Display Margins off and then on; level
// 1 also with the ball hidden, as the speed test runs. Rounds take turns so
// that the machine's drift over the run falls on every level alike.
//
// A stretch's passes are counted once its level has been loaded and its
// new screen painted: a player's minutes on a level pay that once, a
// stretch of a second would pay it in full.
#pragma once
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/form1.h"

namespace orvane::bench {

enum class Showing { Hidden, MarginsOff, MarginsOn };

inline constexpr double SettleSeconds = 0.2;
inline constexpr double StretchSeconds = 1.0;
inline constexpr int Rounds = 3;

struct Stretch {
    int level;
    Showing showing;
};

inline std::vector<Stretch> OneRound(int levels)
{
    std::vector<Stretch> round{{1, Showing::Hidden}};
    for (int level = 1; level <= levels; ++level)
        for (Showing showing : {Showing::MarginsOff, Showing::MarginsOn}) round.push_back({level, showing});
    return round;
}

// The level loaded and started afresh for each stretch, its ball scaled by
// the speed factor as in play: no stretch runs out of time or has its ball
// reach the goal by itself.
inline void Begin(Form1& form, const Stretch& stretch)
{
    form.CurrentLevel = static_cast<std::int16_t>(stretch.level - 1);
    form.LevelCompleted();
    if (form.mnuMargins->checked() != (stretch.showing == Showing::MarginsOn)) form.mnuMargins_Click();
    form.Label1_Click();
    form.Shape1->setVisible(stretch.showing != Showing::Hidden);
}

class RateTable {
public:
    void add(const Stretch& stretch, double passesPerSecond) { rates_[key(stretch)].push_back(passesPerSecond); }
    double median(const Stretch& stretch) const
    {
        auto found = rates_.find(key(stretch));
        if (found == rates_.end() || found->second.empty()) return 0;
        std::vector<double> v = found->second;
        std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
        return v[v.size() / 2];
    }
    // Every level's play against the test, and the spread over the levels.
    void print(int levels, double testRate) const
    {
        std::printf("play against the test, passes a second, the ball shown (median of each level's stretches):\n"
                    "  level  margins off  margins on\n");
        double low = 1e9, high = 0;
        for (int level = 1; level <= levels; ++level) {
            const double off = median({level, Showing::MarginsOff}) / testRate;
            const double on = median({level, Showing::MarginsOn}) / testRate;
            std::printf("  %5d  %11.3f  %10.3f\n", level, off, on);
            low = std::min({low, off, on});
            high = std::max({high, off, on});
        }
        std::printf("  every level: %.3f to %.3f of the test; level 1 with the ball hidden: %.3f\n", low, high,
                    median({1, Showing::Hidden}) / testRate);
    }

private:
    static std::pair<int, int> key(const Stretch& s) { return {s.level, static_cast<int>(s.showing)}; }
    std::map<std::pair<int, int>, std::vector<double>> rates_;
};

} // namespace orvane::bench
