// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The playfield window: the game's whole state and its event handlers.
// The handlers are defined beside the subsystem they belong to (levels/,
// sim/, draw/, play/, scores/); this class only gathers them, as the one
// window of the game owns all of its variables.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "levels/segments.h"
#include "platform/platform.h"
#include "platform/sequential_files.h"
#include "scores/score_place.h"
#include "sim/row_filter.h"

namespace orvane {

class Form2;

class Form1 {
public:
    explicit Form1(Platform& platform);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // --- Program-wide values, set once at start-up ---
    std::string AppPath;
    std::string DataPath;
    std::int16_t LevelCount = 0;
    std::int16_t CurrentLevel = 0;

    // --- Play state ---
    bool Paused = true;
    bool Testing = true;

    // The ball, in playfield pixels and pixels per step. Held at double
    // precision: at hundreds of thousands of steps a second a step is a
    // small fraction of a pixel, which single precision would round away.
    double BallX = 0, BallY = 0;
    double BallVX = 0, BallVY = 0;
    double BallRadius = 0;

    SegmentTable Segments;        // no rows until the first level is loaded
    std::int16_t LastSegment = -1;
    RowFilter SegmentFilter;      // the ball's first look at the rows

    // The player's drawing
    std::int16_t LineIndex = 0;
    std::int32_t LastX = 0, LastY = 0;
    // Shared by the main loop and the drawing; the line work is drawn again
    // each time it wraps to 0.
    std::int32_t FrameCounter = 0;
    static constexpr int RepaintPeriod = 30;

    std::int32_t SecondsLeft = 0;
    std::int32_t PointsPerSecond = 0;
    std::int32_t TotalScore = 0;

    // The speed calibration
    double TestStartTime = 0;
    float SpeedFactor = 0;

    // --- Controls ---
    Window* window = nullptr;
    Shape* Shape1 = nullptr;
    Frame* FrameLevelInfo = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Label* Label6 = nullptr;
    ImageArea* ImageClickToStart = nullptr;
    Timer* Timer1 = nullptr;
    MenuItem* mnuExit = nullptr;
    MenuItem* mnuAbout = nullptr;
    MenuItem* mnuWebsite = nullptr;
    MenuItem* mnuOptions = nullptr;
    MenuItem* mnuMargins = nullptr;
    MenuItem* mnuHighScores = nullptr;
    MenuItem* mnuPause = nullptr;
    MenuItem* mnuRestart = nullptr;

    // --- Start-up and the shell (shell/) ---
    void Form_Load();
    void Form_Unload();
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnuWebsite_Click();

    // --- Levels (levels/) ---
    // Returns whether the whole level was read; the player has been told
    // of a failure already.
    bool LoadLevel(const std::string& FileName);
    void RemoveAll();
    // What made the last LoadLevel fail (empty after a success), for tools.
    std::string LoadError;
    std::string PictureName; // as the level file names it

    // --- Ball simulation (sim/) ---
    enum class StepOutcome { Moved, Goal, Stuck };
    void ImageClickToStart_Click();
    // The machine woke from sleep.
    void System_Resume();
    void MainLoop();
    // One pass of the main loop; tools run passes of their own with it.
    void MainLoopPass();
    // Goal: the goal line was crossed and LevelCompleted has run. Stuck:
    // the step's bounces did not settle within the retry bound, and the ball
    // stayed where it was.
    StepOutcome MoveBall();
    bool InMainLoop = false;
    long long SegmentBounces = 0; // bounces off segments since the start

    // --- Drawing (draw/) ---
    void Redraw();
    // Counts a pass or a stroke; true on every RepaintPeriod-th.
    bool FrameDue();
    void mnuMargins_Click();

    // --- Play control (play/) ---
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_MouseUp(int Button, int Shift, float X, float Y);
    void Timer1_Timer();
    void PauseAll();
    void ResumeAll();
    void mnuPause_Click();
    void Label1_Click();
    void mnuRestart_Click();
    void Restart();
    void LevelCompleted();
    void UpdateLevelInfo();

    // --- High scores (scores/) ---
    void GameOver();
    void mnuHighScores_Click();
    // The high-score window while it is loaded.
    std::unique_ptr<Form2> form2;
    // A game's end loads the table to save it at once.
    void LoadHighScores(bool toSave = false);
    // Where the high-score file lives, found at the first look this run:
    // Windows tells the player of every try to write in a folder that
    // Controlled folder access guards.
    ScorePlace ScoresPlace;
    // The player has been told this run that the scores are kept in their
    // own copy, the data folder being closed to writing.
    bool ToldScoresElsewhere = false;

    Platform& platform;
    SequentialFiles files;

    // The error box of every failed file operation.
    void ShowError(const std::string& text);
    // Sets the window's picture from a data file; a file that is not a
    // regular file of a picture's size is never handed to the platform.
    // Returns false when it cannot be shown; the caller has cleared the old
    // picture, so none is left.
    bool ShowPicture(const std::string& path);
    // Welcome.gif, else Welcome.jpg: at start-up, and again when the speed
    // test cannot start.
    bool ShowWelcome();

private:
    void BuildWindow();
    std::unique_ptr<Window> ownWindow_;
};

} // namespace orvane
