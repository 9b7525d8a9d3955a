// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Names in the high-score file are UTF-8; older copies of the game wrote
// the Windows code page.
#pragma once
#include <string>

namespace orvane {

bool IsValidUtf8(const std::string& text);
std::string Windows1252ToUtf8(const std::string& text);

} // namespace orvane
