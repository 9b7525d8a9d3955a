// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The 600 x 400 picture of a level or of the welcome screen. Needs a
// QGuiApplication for its fonts.
#pragma once
#include <QImage>

#include "level_description.h"

namespace orvane::levelgen {

// The same description always gives the same picture.
QImage Picture(const Description& description, const Layout& layout);

// The picture file as the game is shipped with it: JPEG of quality 90.
QByteArray PictureFile(const QImage& picture);

} // namespace orvane::levelgen
