// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Everything the game logic needs of the machine, in one place.
#pragma once
#include <memory>

#include "platform/dialogs.h"
#include "platform/system.h"
#include "platform/window.h"

namespace orvane {

class Platform {
public:
    virtual ~Platform() = default;
    virtual std::unique_ptr<Window> createWindow(const WindowDesign& design) = 0;
    virtual Dialogs& dialogs() = 0;
    virtual FileSystem& files() = 0;
    virtual Clock& clock() = 0;
    virtual Shell& shell() = 0;
    virtual EventLoop& events() = 0;
};

} // namespace orvane
