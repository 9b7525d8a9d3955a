// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the high-score file lives: in the data folder beside the program,
// or, where that folder cannot be written (a protected program folder, one a
// scanner guards, a read-only install), in the player's own copy, as the
// launcher of the installed game keeps one.
#pragma once
#include <string>

#include "platform/system.h"

namespace orvane {

struct ScorePlace {
    std::string path;          // the file read and written
    std::string closedFolder;  // the data folder, where it cannot be written
};

// The player's copy starts from the table beside the program, once; from
// then on it is the one read and written, for as long as the data folder
// stays closed.
ScorePlace FindScorePlace(FileSystem& files, const std::string& dataPath);

} // namespace orvane
