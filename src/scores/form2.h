// The high-score window. (Filled in with the high-score table.)
#pragma once
#include <memory>

#include "platform/window.h"

namespace orvane {

class Form1;

class Form2 {
public:
    explicit Form2(Form1& form1);
    ~Form2();
};

} // namespace orvane
