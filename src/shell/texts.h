// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's own texts that more than one place shows.
#pragma once
#include <string>

namespace orvane {

inline const std::string ProgramTitle = "Orvane";
inline const std::string ProgramVersion = "Orvane  v1.20";
inline const std::string WebHost = "orvane.example.org";
inline const std::string WebAddress = "https://orvane.example.org/";
inline const std::string RightsNoticeLine1 = "Copyright (C) 2026 the Orvane developers.";
inline const std::string RightsNoticeLine2 = "Free to play, to copy and to share.";
inline const std::string CrLf = "\r\n";

inline const std::string ErrorTitle = "Error";

} // namespace orvane
