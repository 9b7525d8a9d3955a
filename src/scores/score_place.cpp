// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/score_place.h"

#include "platform/data_files.h"

namespace orvane {

ScorePlace FindScorePlace(FileSystem& files, const std::string& dataPath)
{
    const std::string name = "HighScores.ooo", own = dataPath + name;
    if (files.canWriteIn(dataPath)) return {own, {}};
    std::string user = files.userFolder();
    if (user.empty()) return {own, dataPath};
    if (user.back() != files.separator()) user += files.separator();
    const std::string copy = user + name;
    if (!files.fileInfo(copy))
        if (std::optional<std::string> table = ReadDataFile(files, own, MaxHighScoreFileBytes))
            files.replaceFile(copy, *table);
    return {copy, dataPath};
}

} // namespace orvane
