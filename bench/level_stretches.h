// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stretches of play the window benches measure, and their table. Each
// round plays every shipped level, set up as the game sets up a level after
// the last one, with the ball shown, Display Margins off and then on; level
// 1 also with the ball hidden. The speed test runs before, between and
// after the levels, set up as the click on the start area sets it up.
// Rounds take turns.
//
// On a shared machine other programs only ever take passes away, by up to a
// third in a second: far more than the difference looked for. A second is
// seldom undisturbed throughout, a fifth of one often is; so a stretch
// counts its passes in windows of a fifth of a second and keeps its best,
// what its passes cost undisturbed. A level is weighed against the test's
// stretches just before its own.
//
// A stretch's passes are counted once its level has been loaded and its
// new screen painted: a player's minutes on a level pay that once, a
// stretch of a second would pay it in full.
#pragma once
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "shell/form1.h"

namespace orvane::bench {

// What shows of a level: its ball hidden, or shown with Display Margins
// off or on, or shown, margins off, while the player draws a stroke.
enum class Showing { Hidden, MarginsOff, MarginsOn, Stroke };

inline constexpr double SettleSeconds = 0.2;
inline constexpr double StretchSeconds = 1.0;
inline constexpr double WindowSeconds = 0.2;
inline constexpr int Rounds = 3;
// The level number the speed test stands under.
inline constexpr int SpeedTest = 0;

struct Stretch {
    int level;
    Showing showing;
};

inline std::vector<Stretch> OneRound(int levels)
{
    const Stretch test{SpeedTest, Showing::Hidden};
    std::vector<Stretch> round{test, {1, Showing::Hidden}, test};
    for (int level = 1; level <= levels; ++level) {
        for (Showing showing : {Showing::MarginsOff, Showing::MarginsOn}) round.push_back({level, showing});
        round.push_back(test);
    }
    return round;
}

// The level loaded and started afresh for each stretch, its ball scaled by
// the speed factor as in play: no stretch runs out of time or has its ball
// reach the goal by itself. The test's ball, unscaled, is seconds from
// its goal, so a stretch of it never sets the speed factor anew.
inline void Begin(Form1& form, const Stretch& stretch)
{
    form.Paused = true;
    if (stretch.level == SpeedTest) {
        form.Testing = true;
        form.Timer1->setEnabled(false);
        if (form.mnuMargins->checked()) form.mnuMargins->setChecked(false);
        form.LoadLevel("SystemTest.ooo");
        form.Shape1->setVisible(false);
        form.Label1->setCaption("Testing system performance. Please wait...");
        form.Label1->setVisible(true);
        form.Paused = false;
        return;
    }
    form.Testing = false;
    form.CurrentLevel = static_cast<std::int16_t>(stretch.level - 1);
    form.LevelCompleted();
    if (form.mnuMargins->checked() != (stretch.showing == Showing::MarginsOn)) form.mnuMargins_Click();
    form.Label1_Click();
    form.Shape1->setVisible(stretch.showing != Showing::Hidden);
}

// The seconds a stretch counts, once settled. The test's ball reaches its
// goal in the time the test took, which under Wine is little more than a
// stretch, and on a machine that may run faster later: so the test's
// stretches end at three fifths of it.
inline double CountSeconds(const Stretch& stretch, double testSeconds)
{
    if (stretch.level != SpeedTest) return StretchSeconds;
    return std::min(StretchSeconds, 0.6 * testSeconds - SettleSeconds);
}

// Whether the speed factor is still the one the game's own test set; if
// not, a stretch of the test reached its goal and the run says so.
inline bool FactorHeld(const Form1& form, float gameFactor)
{
    if (form.SpeedFactor == gameFactor) return true;
    std::fprintf(stderr, "a stretch of the speed test reached its goal and timed the test anew: no figures\n");
    return false;
}

// The best rate of a stretch's windows. Times are seconds of a steady clock.
class BestWindow {
public:
    void start(double now, long long passes) { from_ = now, passes_ = passes, best_ = 0; }
    void look(double now, long long passes)
    {
        if (now - from_ < WindowSeconds) return;
        best_ = std::max(best_, static_cast<double>(passes - passes_) / (now - from_));
        from_ = now, passes_ = passes;
    }
    double best() const { return best_; }

private:
    double from_ = 0, best_ = 0;
    long long passes_ = 0;
};

// The stretches' best rates, in the order they ran.
class RateTable {
public:
    void add(const Stretch& stretch, double passesPerSecond) { runs_.push_back({stretch, passesPerSecond}); }
    // The best of a stretch's rounds, or 0 where none ran.
    double best(const Stretch& stretch) const
    {
        double best = 0;
        for (const auto& [s, rate] : runs_)
            if (same(s, stretch)) best = std::max(best, rate);
        return best;
    }
    // The best of a level's rounds against the best of the test's
    // stretches that ran just before them.
    double ofTest(const Stretch& stretch) const
    {
        double best = 0, test = 0;
        for (std::size_t i = 0; i < runs_.size(); ++i) {
            if (!same(runs_[i].first, stretch)) continue;
            best = std::max(best, runs_[i].second);
            for (std::size_t j = i; j-- > 0;)
                if (runs_[j].first.level == SpeedTest) {
                    test = std::max(test, runs_[j].second);
                    break;
                }
        }
        return test > 0 ? best / test : 0;
    }
    // Every level's play against the test, and the spread over the levels.
    void print(int levels) const
    {
        std::printf("play against the speed test, passes a second, the ball shown (best windows of %d rounds):\n"
                    "  level  margins off  margins on\n",
                    Rounds);
        double low = 1e9, high = 0;
        for (int level = 1; level <= levels; ++level) {
            const double off = ofTest({level, Showing::MarginsOff});
            const double on = ofTest({level, Showing::MarginsOn});
            std::printf("  %5d  %11.3f  %10.3f\n", level, off, on);
            low = std::min({low, off, on});
            high = std::max({high, off, on});
        }
        std::printf("  every level: %.3f to %.3f of the test; level 1 with the ball hidden: %.3f\n", low, high,
                    ofTest({1, Showing::Hidden}));
    }

private:
    static bool same(const Stretch& a, const Stretch& b) { return a.level == b.level && a.showing == b.showing; }
    std::vector<std::pair<Stretch, double>> runs_;
};

} // namespace orvane::bench
