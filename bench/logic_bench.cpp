// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What one ball step, one redraw and one level load cost in the game logic,
// on the in-memory platform (the window's own drawing cost is measured
// under a real X server by bench.sh).
#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/memory/memory_platform.h"
#include "scores/form2.h"
#include "scores/score_file.h"
#include "shell/form1.h"

using namespace orvane;

namespace {

// A level of 100 margins, none of them in the ball's way.
std::string HundredMargins()
{
    std::string text = "Pic.gif,300,200,0.0007,0.0003,60,50,255,255,255,100\r\n";
    for (int k = 0; k < 100; ++k) {
        int x = 10 + (k % 50) * 11;
        int y = k < 50 ? 20 : 380;
        text += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 8) + "," +
                std::to_string(y + 5) + "\r\n";
    }
    return text;
}

struct Game {
    Game()
    {
        platform.memoryFiles().files["/d/Pic.gif"] = "GIF89a";
        platform.memoryFiles().files["/d/Hundred.ooo"] = HundredMargins();
        form.DataPath = "/d/";
        form.LoadLevel("Hundred.ooo");
        form.Testing = false;
        form.Paused = false;
        // A full ring of player segments away from the ball.
        for (int row = 0; row <= 50; ++row) form.Segments[row] = {row * 10, 5, row * 10 + 4, 9};
    }
    memory::MemoryPlatform platform;
    Form1 form{platform};
};

void MoveBallOn151Rows(benchmark::State& state)
{
    Game game;
    for (auto _ : state) {
        game.form.MoveBall();
        benchmark::DoNotOptimize(game.form.BallX);
    }
    state.SetLabel("51 player rows + 100 margins");
}
BENCHMARK(MoveBallOn151Rows);

// A shipped level from Data/ (the benchmark runs from the source folder),
// its picture left out, its ball left to itself.
struct ShippedLevel {
    explicit ShippedLevel(const std::string& name) : name(name)
    {
        std::ifstream file("Data/" + name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        platform.memoryFiles().files["/d/" + name] = text.str();
        platform.memoryFiles().files["/d/" + name.substr(0, name.size() - 4) + ".jpg"] = "GIF89a";
        form.DataPath = "/d/";
        found = file.is_open() && start();
    }
    bool start()
    {
        steps = 0;
        if (!form.LoadLevel(name)) return false;
        form.Testing = false;
        form.Paused = false;
        return true;
    }
    // A million steps a load: neither the speed test's ball (7,000,000) nor
    // the numbered levels' (never unaided) reaches its goal in that many.
    void step()
    {
        if (++steps == 1'000'000) start();
        form.MoveBall();
    }
    std::string name;
    memory::MemoryPlatform platform;
    Form1 form{platform};
    bool found = false;
    long long steps = 0;
};

// Each shipped level's ball step against the speed test's, timed one after
// the other for the same number of steps: the calibration holds only if a
// level's pass costs what the test's did.
void MoveBallOnShippedLevel(benchmark::State& state)
{
    char name[32];
    std::snprintf(name, sizeof name, "Level%03d.ooo", static_cast<int>(state.range(0)));
    ShippedLevel level(state.range(0) ? name : "SystemTest.ooo"), test("SystemTest.ooo");
    if (!level.found || !test.found) {
        state.SkipWithError("the shipped Data/ was not found: run from the source folder");
        return;
    }
    for (auto _ : state) level.step();
    // Then the ratio, in processor time (what other programs take of the
    // machine moves it less than the wall clock), over stretches that take
    // turns so that drift falls on both alike.
    std::clock_t levelTime = 0, testTime = 0;
    for (int round = 0; round < 10; ++round) {
        for (auto [who, time] : {std::pair{&level, &levelTime}, std::pair{&test, &testTime}}) {
            const std::clock_t start = std::clock();
            for (int i = 0; i < 100'000; ++i) who->step();
            *time += std::clock() - start;
        }
    }
    benchmark::DoNotOptimize(test.form.BallX);
    state.counters["vs_test"] = static_cast<double>(levelTime) / static_cast<double>(testTime);
    state.SetLabel(level.name + ", " + std::to_string(level.form.LastSegment - 50) + " margins");
}
BENCHMARK(MoveBallOnShippedLevel)->DenseRange(0, 20);

void Redraw(benchmark::State& state)
{
    Game game;
    game.form.mnuMargins->setChecked(state.range(0) != 0);
    auto& window = *game.platform.find("Form1");
    for (auto _ : state) {
        game.form.Redraw();
        window.lines.clear();
    }
    state.SetLabel(state.range(0) ? "margins shown: 151 lines" : "margins hidden: 51 lines");
}
BENCHMARK(Redraw)->Arg(0)->Arg(1);

void LoadLevel(benchmark::State& state)
{
    Game game;
    for (auto _ : state) benchmark::DoNotOptimize(game.form.LoadLevel("Hundred.ooo"));
    state.SetLabel("100 margins");
}
BENCHMARK(LoadLevel);

// A high-score file of this many entries, in the in-memory data folder.
void WriteScores(Game& game, int entries)
{
    std::vector<ScoreEntry> table;
    for (int i = 0; i < entries; ++i) table.push_back({"Player number " + std::to_string(i), entries - i});
    game.platform.memoryFiles().files["/d/HighScores.ooo"] = FormatScores(table);
}

// Opening the high-score window reads the file and fills its lists.
void HighScoresLoad(benchmark::State& state)
{
    Game game;
    WriteScores(game, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Form2(game.form).List1->count());
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("entries, file to lists");
}
BENCHMARK(HighScoresLoad)->Arg(10'000)->Unit(benchmark::kMillisecond);

void HighScoresSave(benchmark::State& state)
{
    Game game;
    WriteScores(game, static_cast<int>(state.range(0)));
    Form2 window(game.form);
    for (auto _ : state) window.SaveHighScores();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("entries, lists to file");
}
BENCHMARK(HighScoresSave)->Arg(10'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
