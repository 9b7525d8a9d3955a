// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A game on the in-memory platform, with its data folder in memory.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/memory/memory_platform.h"
#include "shell/form1.h"

namespace orvane::testing {

inline const std::string DataFolder = "/game/Data/";

// The worked example of a level file: two walls and a short goal line.
inline const std::string ExampleLevel = "\"Example.gif\"\r\n300,350\r\n0,-2.5\r\n60,50\r\n255,255,0\r\n3\r\n"
                                        "200,100,200,300\r\n400,100,400,300\r\n250,20,350,20\r\n";

// A level with these margins, the last its goal, and this ball.
inline std::string LevelWith(const std::string& margins, int count, const std::string& ball = "100,100,3,-2")
{
    return "Pic.gif," + ball + ",60,50,255,255,255," + std::to_string(count) + "," + margins + "\r\n";
}

// A speed test that ends after 105 passes of the main loop and scores nothing.
inline const std::string SpeedTestLevel = "Pic.gif,194,200,1,0,60,0,0,0,0,2,0,0,0,0,300,100,300,300\r\n";

class GameTest : public ::testing::Test {
protected:
    GameTest()
    {
        files()[DataFolder + "General.ooo"] = "3\r\n";
        for (const char* picture : {"Welcome.gif", "Example.gif", "Pic.gif"}) files()[DataFolder + picture] = "GIF89a";
        game.DataPath = DataFolder, game.LevelCount = 3, game.BallRadius = 5, window().screen = {1280, 1024};
    }

    std::map<std::string, std::string>& files() { return platform.memoryFiles().files; }
    memory::MemoryWindow& window() { return *platform.find("Form1"); }
    std::vector<memory::ShownBox>& boxes() { return platform.boxes().shown; }
    memory::MemoryEvents& events() { return platform.memoryEvents(); }
    std::string Caption(const std::string& label) { return window().label(label)->caption(); }

    void Load(const std::string& text, const std::string& name = "Test.ooo")
    {
        files()[DataFolder + name] = text;
        ASSERT_TRUE(game.LoadLevel(name)) << game.LoadError;
    }

    // The game after the speed test, waiting for the click on level 1's prompt.
    void ReachLevel1(const std::string& level1 = ExampleLevel)
    {
        files()[DataFolder + "SystemTest.ooo"] = LevelWith("0,0,0,0", 1, "300,200,1,0");
        files()[DataFolder + "Level001.ooo"] = level1;
        game.Testing = false, game.SpeedFactor = 1, game.Restart();
    }

    void EndGame(int total, const std::string& name) { game.TotalScore = total, platform.boxes().inputs.push_back(name), game.GameOver(); }

    memory::MemoryPlatform platform;
    Form1 game{platform};
};

} // namespace orvane::testing
