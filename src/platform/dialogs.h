// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Modal message and input boxes.
#pragma once
#include <string>

namespace orvane {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Critical, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const std::string& text, const std::string& title,
                              Buttons buttons, Icon icon) = 0;
    // The typed text, or the empty text when the player cancels.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
};

} // namespace orvane
