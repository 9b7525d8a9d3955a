// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// orvane-levelgen: writes the game's content, every level file and picture
// and General.ooo, from the level descriptions of one folder.
#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "level_description.h"
#include "picture.h"

using namespace orvane::levelgen;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Write(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (out.flush()) return true;
    std::cerr << "orvane-levelgen: cannot write " << path.string() << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: orvane-levelgen DESCRIPTIONS DATA\n"
                     "  writes a level file and a picture into DATA for every LevelNNN.level and\n"
                     "  SystemTest.level in DESCRIPTIONS, the picture of Welcome.level, and General.ooo\n";
        return 2;
    }
    const fs::path from = argv[1], to = argv[2];
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(from))
        if (entry.path().extension() == ".level") files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    const Layout layout = GameLayout();
    bool fine = true;
    std::set<int> numbers;
    for (const fs::path& file : files) {
        const std::string name = file.stem().string();
        try {
            const Description d = ParseDescription(name, Read(file));
            std::vector<std::string> problems = LayoutProblems(d, layout);
            for (const std::string& problem : problems) std::cerr << file.filename().string() << ": " << problem << "\n";
            if (!problems.empty()) {
                fine = false;
                continue;
            }
            if (d.kind == Kind::Level && !Write(to / (name + ".ooo"), LevelFileText(d))) return 1;
            if (!Write(to / d.pictureName(), PictureFile(Picture(d, layout)).toStdString())) return 1;
            if (d.kind == Kind::Level && d.number() > 0) numbers.insert(d.number());
            std::cout << "wrote " << name << "\n";
        } catch (const DescriptionError& e) {
            std::cerr << e.what() << "\n";
            fine = false;
        }
    }
    if (!fine) return 1;
    // The game plays levels 1 to General.ooo's number and needs each of them.
    const int count = static_cast<int>(numbers.size());
    if (count > 0 && *numbers.rbegin() != count) {
        std::cerr << "orvane-levelgen: the levels are not numbered 1 to " << count << " without a gap\n";
        return 1;
    }
    if (!Write(to / "General.ooo", GeneralFileText(count))) return 1;
    std::cout << "General.ooo: " << count << (count == 1 ? " level" : " levels") << "\n";
    return 0;
}
