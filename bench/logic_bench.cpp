// What one ball step, one redraw and one level load cost in the game logic,
// on the in-memory platform (the window's own drawing cost is measured
// under a real X server by bench.sh).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/memory/memory_platform.h"
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

} // namespace

BENCHMARK_MAIN();
