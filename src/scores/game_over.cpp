#include "scores/form2.h"
#include "shell/form1.h"

namespace orvane {

Form2::Form2(Form1&) {}
Form2::~Form2() = default;

void Form1::GameOver() {}
void Form1::mnuHighScores_Click() {}

} // namespace orvane
