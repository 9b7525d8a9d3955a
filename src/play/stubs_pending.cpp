#include "shell/form1.h"
namespace orvane {
void Form1::ImageClickToStart_Click() {}
void Form1::MainLoop() {}
bool Form1::MoveBall() { return true; }
void Form1::Form_MouseDown(int, int, float, float) {}
void Form1::Form_MouseMove(int, int, float, float) {}
void Form1::Form_MouseUp(int, int, float, float) {}
void Form1::Timer1_Timer() {}
void Form1::PauseAll() {}
void Form1::ResumeAll() {}
void Form1::mnuPause_Click() {}
void Form1::Label1_Click() {}
void Form1::mnuRestart_Click() {}
void Form1::Restart() {}
void Form1::LevelCompleted() {}
void Form1::UpdateLevelInfo() {}
}
