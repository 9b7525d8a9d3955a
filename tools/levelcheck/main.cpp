// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// orvane-levelcheck: loads level files with the game's own loader, checks
// them, and lets the ball run by itself to see where it goes.
#include <QCoreApplication>
#include <QImageReader>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "level_check.h"

using namespace orvane::levelcheck;

namespace {

std::optional<orvane::Size> PictureSize(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    if (!reader.canRead()) return std::nullopt;
    QSize size = reader.size();
    if (!size.isValid()) {
        QImage image = reader.read();
        if (image.isNull()) return std::nullopt;
        size = image.size();
    }
    return orvane::Size{size.width(), size.height()};
}

int Usage()
{
    std::cerr << "usage: orvane-levelcheck [--steps N] [--json] [--solution FILE [--rate PASSES]\n"
                 "                         [--tolerance N [--jitter PIXELS] [--timing SECONDS] [--seed S]]] FILE...\n"
                 "  --steps N      let the ball run by itself for at most N steps (default 40000000)\n"
                 "  --json         print one JSON object a file\n"
                 "  --solution F   also play the strokes of F (lines \"at SECONDS x,y x,y ...\")\n"
                 "  --rate R       main loop passes a second of the solution's clock (default 1000000)\n"
                 "  --tolerance N  replay the solution N times as an unsteady hand draws it and\n"
                 "                 count the replays that reach the goal\n"
                 "  --jitter P     pixels a point may move (default 4)\n"
                 "  --timing T     seconds a stroke's moment may move (default 0.15)\n"
                 "  --seed S       the replays' random seed, a whole number (default 1)\n";
    return 2;
}

bool ParseNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(value) && value >= 0;
}

bool Whole(double value) { return value == std::floor(value) && value < 1e15; }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // image format plugins need it
    Options options;
    bool json = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        double value = 0;
        if (arg == "--json") {
            json = true;
        } else if ((arg == "--steps" || arg == "--rate") && i + 1 < argc && ParseNumber(argv[i + 1], value) &&
                   value > 0) {
            if (arg == "--steps") options.steps = static_cast<long long>(value);
            else options.passesPerSecond = value;
            ++i;
        } else if (arg == "--tolerance" && i + 1 < argc && ParseNumber(argv[i + 1], value) && Whole(value) &&
                   value >= 1 && value <= 1e6) {
            options.tolerance = static_cast<int>(value);
            ++i;
        } else if ((arg == "--jitter" || arg == "--timing") && i + 1 < argc && ParseNumber(argv[i + 1], value)) {
            (arg == "--jitter" ? options.jitter : options.timing) = value;
            ++i;
        } else if (arg == "--seed" && i + 1 < argc && ParseNumber(argv[i + 1], value) && Whole(value)) {
            options.seed = static_cast<std::uint64_t>(value);
            ++i;
        } else if (arg == "--solution" && i + 1 < argc) {
            std::ifstream in(argv[++i], std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            if (!in) {
                std::cerr << "orvane-levelcheck: cannot read " << argv[i] << "\n";
                return 2;
            }
            try {
                options.solution = ReadSolution(text.str());
            } catch (const std::exception& e) {
                std::cerr << "orvane-levelcheck: " << argv[i] << ": " << e.what() << "\n";
                return 2;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty() || (options.tolerance > 0 && !options.solution)) return Usage();

    bool allLoaded = true;
    for (const std::string& file : files) {
        Report report = Check(file, options, PictureSize);
        allLoaded = allLoaded && report.ok;
        std::cout << (json ? ToJson(report) + "\n" : ToText(report)) << std::flush;
    }
    return allLoaded ? 0 : 1;
}
