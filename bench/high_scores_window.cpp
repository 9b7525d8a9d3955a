// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Opening the high-score window on a file of 10,000 entries and saving it
// again, in the real window's lists and on the real disk: the figures a
// player with a long table feels, beside the in-memory ones of the logic.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "scores/form2.h"
#include "scores/score_file.h"
#include "shell/form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    orvane::qt::QtPlatform platform;
    orvane::Form1 form(platform);
    form.DataPath = folder.path().toStdString() + "/";

    constexpr int Entries = 10'000;
    std::vector<orvane::ScoreEntry> table;
    for (int i = 0; i < Entries; ++i) table.push_back({"Player number " + std::to_string(i), Entries - i});
    if (!platform.files().replaceFile(form.DataPath + "HighScores.ooo", orvane::FormatScores(table))) return 1;

    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::vector<double> loads, saves;
    for (int run = 0; run < 15; ++run) {
        auto start = Clock::now();
        orvane::Form2 window(form);
        auto loaded = Clock::now();
        window.SaveHighScores();
        auto saved = Clock::now();
        if (window.List1->count() != Entries) return 1;
        loads.push_back(ms(loaded - start));
        saves.push_back(ms(saved - loaded));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("high-score window, %d entries, median of 15: open (file to lists) %.1f ms, "
                "save (lists to disk, flushed) %.1f ms\n",
                Entries, median(loads), median(saves));
    return 0;
}
