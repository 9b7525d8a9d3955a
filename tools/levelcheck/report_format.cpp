// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The checker's two ways of telling what it found: one JSON object a line
// for scripts, a short text for people.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "level_check.h"

namespace orvane::levelcheck {

namespace {

std::string Number(double v)
{
    char text[40];
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) std::snprintf(text, sizeof text, "%.1f", v);
    else std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') out += '\\', out += static_cast<char>(c);
        else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else out += static_cast<char>(c);
    }
    return out + "\"";
}

std::string Pair(double a, double b) { return "[" + Number(a) + ", " + Number(b) + "]"; }

std::string RunJson(const Run& run)
{
    return "{\"outcome\": " + Quoted(run.outcome) + ", \"steps\": " + std::to_string(run.steps) +
           ", \"bounces\": " + std::to_string(run.bounces) + ", \"ball\": " + Pair(run.ballX, run.ballY) +
           ", \"velocity\": " + Pair(run.velocityX, run.velocityY) +
           ", \"seconds_left\": " + std::to_string(run.secondsLeft) + "}";
}

std::string ToleranceJson(const Tolerance& t)
{
    return "{\"replays\": " + std::to_string(t.replays) + ", \"wins\": " + std::to_string(t.wins) +
           ", \"share\": " + Number(t.share()) + ", \"jitter\": " + Number(t.jitter) +
           ", \"timing\": " + Number(t.timing) + ", \"seed\": " + std::to_string(t.seed) + "}";
}

} // namespace

std::string ToJson(const Report& r)
{
    std::ostringstream o;
    o << "{\"file\": " << Quoted(r.file) << ", \"ok\": " << (r.ok ? "true" : "false")
      << ", \"error\": " << (r.ok ? "null" : Quoted(r.error)) << ", \"picture\": {\"name\": " << Quoted(r.pictureName)
      << ", \"found\": " << (r.pictureFound ? "true" : "false");
    if (r.pictureSize) o << ", \"width\": " << r.pictureSize->width << ", \"height\": " << r.pictureSize->height;
    else o << ", \"width\": null, \"height\": null";
    o << "}, \"ball\": " << Pair(r.ballX, r.ballY) << ", \"velocity\": " << Pair(r.velocityX, r.velocityY)
      << ", \"seconds\": " << r.seconds << ", \"points_per_second\": " << r.pointsPerSecond
      << ", \"prompt_colour\": " << r.promptColour << ", \"margins\": [";
    for (std::size_t i = 0; i < r.margins.size(); ++i) {
        const Segment& m = r.margins[i];
        o << (i ? ", " : "") << "[" << m[0] << "," << m[1] << "," << m[2] << "," << m[3] << "]";
    }
    o << "], \"warnings\": [";
    for (std::size_t i = 0; i < r.warnings.size(); ++i) o << (i ? ", " : "") << Quoted(r.warnings[i]);
    o << "], \"run\": " << (r.run ? RunJson(*r.run) : "null");
    if (r.solution) o << ", \"solution\": " << RunJson(*r.solution);
    if (r.tolerance) o << ", \"tolerance\": " << ToleranceJson(*r.tolerance);
    o << "}";
    return o.str();
}

std::string ToText(const Report& r)
{
    std::ostringstream o;
    o << r.file << ": " << (r.ok ? "loads" : "DOES NOT LOAD: " + r.error) << "\n";
    o << "  picture " << r.pictureName << (r.pictureFound ? "" : " (missing)");
    if (r.pictureSize) o << ", " << r.pictureSize->width << " x " << r.pictureSize->height;
    o << "\n  ball at " << Pair(r.ballX, r.ballY) << " moving " << Pair(r.velocityX, r.velocityY)
      << " per step\n  " << r.seconds << " seconds at " << r.pointsPerSecond << " points a second, "
      << r.margins.size() << " margins (the last is the goal line)\n";
    for (const std::string& w : r.warnings) o << "  warning: " << w << "\n";
    auto describe = [&](const char* what, const Run& run) {
        o << "  " << what << ": " << run.outcome << " after " << run.steps << " steps and " << run.bounces
          << " bounces, the ball at " << Pair(run.ballX, run.ballY) << "\n";
    };
    if (r.run) describe("left to itself", *r.run);
    if (r.solution) describe("with the solution", *r.solution);
    if (const auto& t = r.tolerance) {
        char share[16];
        std::snprintf(share, sizeof share, "%.0f %%", 100 * t->share());
        o << "  by an unsteady hand: " << t->wins << " of " << t->replays << " replays reach the goal (" << share
          << "), points within " << Number(t->jitter) << " px, strokes within " << Number(t->timing)
          << " s, seed " << t->seed << "\n";
    }
    return o.str();
}

} // namespace orvane::levelcheck
