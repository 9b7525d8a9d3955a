// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

#include "styles.h"

namespace orvane::levelgen {

namespace {

QColor ToQColor(Colour c, int alpha = 255)
{
    return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff), static_cast<int>((c >> 16) & 0xff),
                  alpha);
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    auto part = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(part(a.red(), b.red()), part(a.green(), b.green()), part(a.blue(), b.blue()));
}

// Our own generator, seeded by the picture's name: the standard library's
// distributions may differ between library versions, and the pictures
// must not.
class Dice {
public:
    explicit Dice(const std::string& seed)
    {
        for (unsigned char c : seed) state_ = (state_ ^ c) * 1099511628211ull;
    }
    double next() // within [0, 1)
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return static_cast<double>((z ^ (z >> 31)) >> 11) / 9007199254740992.0;
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    std::uint64_t state_ = 14695981039346656037ull;
};

// Walls and goals are alike in every style.
const QColor WallBody(205, 191, 159), WallLight(246, 236, 212), WallDark(59, 52, 40);
const QColor GoalBright(70, 255, 140), GoalWhite(245, 255, 248);
const QColor TitleWhite(240, 242, 248), HintGrey(178, 190, 210);

QFont Font(double pixels, bool bold)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The largest font up to `pixels` in which the text fits the width.
QFont Fitted(const QString& text, double pixels, bool bold, double width)
{
    QFont font = Font(pixels, bold);
    while (pixels > 8 && QFontMetricsF(font).horizontalAdvance(text) > width) font = Font(--pixels, bold);
    return font;
}

void Floor(QPainter& p, const Style& style, Dice& dice)
{
    const QColor grout = ToQColor(style.grout), dark = ToQColor(style.floor), light = ToQColor(style.floorLight);
    p.fillRect(0, 0, FieldWidth, FieldHeight, grout);
    constexpr int slab = 50;
    for (int row = 0; row * slab < FieldHeight; ++row) {
        // Every other row is laid half a slab over, as flagstones are.
        const int shift = row % 2 ? -slab / 2 : 0;
        for (int x = shift; x < FieldWidth; x += slab) {
            const QRectF r(x + 1.5, row * slab + 1.5, slab - 3, slab - 3);
            const QColor base = Mix(dark, light, dice.between(0.0, 0.7));
            QLinearGradient shade(r.topLeft(), r.bottomRight());
            shade.setColorAt(0, base.lighter(112));
            shade.setColorAt(1, base.darker(112));
            p.setPen(Qt::NoPen);
            p.setBrush(shade);
            p.drawRoundedRect(r, 3, 3);
            // Grit on the stone.
            for (int speck = 0; speck < 14; ++speck) {
                const bool bright = dice.next() < 0.5;
                p.setBrush(bright ? QColor(255, 255, 255, 14) : QColor(0, 0, 0, 28));
                const double size = dice.between(0.8, 2.2);
                p.drawEllipse(QPointF(r.left() + dice.next() * r.width(), r.top() + dice.next() * r.height()), size,
                              size);
            }
            // Now and then a crack.
            if (dice.next() < 0.18) {
                QPainterPath crack(QPointF(r.left() + dice.next() * r.width(), r.top() + dice.next() * r.height()));
                for (int bend = 0; bend < 3; ++bend)
                    crack.lineTo(crack.currentPosition() + QPointF(dice.between(-9, 9), dice.between(-9, 9)));
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(0, 0, 0, 70), 1.0));
                p.drawPath(crack);
                p.setPen(Qt::NoPen);
            }
        }
    }
}

// A lamp's pool of light on the floor.
void Lamp(QPainter& p, QPointF at, double radius, const QColor& colour, int strength)
{
    QRadialGradient pool(at, radius);
    QColor c = colour;
    c.setAlpha(strength);
    pool.setColorAt(0, c);
    c.setAlpha(0);
    pool.setColorAt(1, c);
    p.setPen(Qt::NoPen);
    p.setBrush(pool);
    p.drawEllipse(at, radius, radius);
}

void Vignette(QPainter& p)
{
    QRadialGradient dusk(QPointF(FieldWidth / 2.0, FieldHeight / 2.0), FieldWidth * 0.62);
    dusk.setColorAt(0.45, QColor(0, 0, 0, 0));
    dusk.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(0, 0, FieldWidth, FieldHeight, dusk);
}

// Bevelled stone bars along the segments: the ball turns on their middle
// lines. Layer by layer over all of them, so that where two bars meet
// neither one's shadow or rim falls on the other.
void Walls(QPainter& p, const std::vector<QLineF>& lines)
{
    auto layer = [&](const QPen& pen, QPointF offset) {
        p.setPen(pen);
        for (const QLineF& line : lines) p.drawLine(line.translated(offset));
    };
    // Where a wall stands the floor lies in its shade.
    layer(QPen(QColor(0, 0, 0, 18), 26, Qt::SolidLine, Qt::RoundCap), {});
    layer(QPen(QColor(0, 0, 0, 26), 18, Qt::SolidLine, Qt::RoundCap), {});
    layer(QPen(QColor(0, 0, 0, 95), 12, Qt::SolidLine, Qt::RoundCap), {3, 4});
    layer(QPen(WallDark, 10, Qt::SolidLine, Qt::RoundCap), {});
    layer(QPen(WallBody, 7, Qt::SolidLine, Qt::RoundCap), {});
    // Lit from the top left: the edge facing that way is bright.
    p.setPen(QPen(WallLight, 2, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& line : lines) {
        QPointF normal(-line.dy(), line.dx());
        const double length = std::hypot(normal.x(), normal.y());
        if (length == 0) continue;
        normal /= length;
        if (normal.x() + normal.y() > 0) normal = -normal;
        p.drawLine(line.translated(normal * 2.0));
    }
}

// The goal: a glowing chequered strip that a player finds at once.
void Goal(QPainter& p, QPointF a, QPointF b)
{
    const QLineF line(a, b);
    for (auto [width, alpha] : {std::pair{30, 26}, {20, 44}, {13, 80}}) {
        QColor glow = GoalBright;
        glow.setAlpha(alpha);
        p.setPen(QPen(glow, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(line);
    }
    p.save();
    p.translate(a);
    p.rotate(-line.angle());
    const double length = line.length();
    constexpr double square = 5;
    p.setPen(Qt::NoPen);
    for (int i = 0; i * square < length; ++i) {
        const double w = std::min(square, length - i * square);
        p.setBrush(i % 2 ? GoalBright : GoalWhite);
        p.drawRect(QRectF(i * square, -square, w, square));
        p.setBrush(i % 2 ? GoalWhite : GoalBright);
        p.drawRect(QRectF(i * square, 0, w, square));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 60, 30), 1));
    p.drawRect(QRectF(0, -square, length, 2 * square));
    p.restore();
}

void Rim(QPainter& p)
{
    // The playfield's edges turn the ball as walls do, so they look like one.
    const double in = 1.5;
    const QPointF corners[] = {{in, in}, {FieldWidth - in, in}, {FieldWidth - in, FieldHeight - in}, {in, FieldHeight - in}};
    std::vector<QLineF> rim;
    for (int i = 0; i < 4; ++i) rim.emplace_back(corners[i], corners[(i + 1) % 4]);
    Walls(p, rim);
}

// Where the ball waits and which way it will fly.
void StartMarker(QPainter& p, const Description& level, const QColor& accent)
{
    const QPointF ball(level.ball.x, level.ball.y);
    QColor ring = accent;
    ring.setAlpha(170);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ring, 2));
    p.drawEllipse(ball, MarkerRing, MarkerRing);
    const double length = std::hypot(level.heading.x, level.heading.y);
    const QPointF way(level.heading.x / length, level.heading.y / length), side(-way.y(), way.x());
    const QPointF tip = ball + way * MarkerArrow;
    p.setPen(QPen(ring, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ball + way * 14, tip - way * 6);
    QPolygonF head({tip, tip - way * 10 + side * MarkerHead, tip - way * 10 - side * MarkerHead});
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawPolygon(head);
}

void Plaque(QPainter& p, const Description& level, const Rect& box, const QColor& accent)
{
    const QRectF r(box.x, box.y, box.w, box.h);
    p.setPen(QPen(QColor(accent.red(), accent.green(), accent.blue(), 130), 1));
    p.setBrush(QColor(6, 8, 14, 170));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    double textLeft = r.left() + 10;
    if (int number = level.number(); number > 0) {
        const QRectF badge(r.left() + 6, r.top() + 6, r.height() - 12, r.height() - 12);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(badge, 5, 5);
        p.setPen(QColor(12, 14, 20));
        p.setFont(Fitted(QString::number(number), 20, true, badge.width() - 4));
        p.drawText(badge, Qt::AlignCenter, QString::number(number));
        textLeft = badge.right() + 8;
    }
    const double width = r.right() - 8 - textLeft;
    const QString title = QString::fromStdString(level.title), hint = QString::fromStdString(level.hint);
    p.setPen(TitleWhite);
    p.setFont(Fitted(title, 16, true, width));
    const double titleBottom = hint.isEmpty() ? r.bottom() : r.top() + r.height() * 0.58;
    p.drawText(QRectF(textLeft, r.top(), width, titleBottom - r.top()), Qt::AlignLeft | Qt::AlignVCenter, title);
    if (hint.isEmpty()) return;
    p.setPen(HintGrey);
    p.setFont(Fitted(hint, 11, false, width));
    p.drawText(QRectF(textLeft, titleBottom - 2, width, r.bottom() - titleBottom - 2), Qt::AlignLeft | Qt::AlignTop,
               hint);
}

// The panel's black box covers this corner in play; a recess in the floor
// makes it sit in the room instead of on it.
void PanelRecess(QPainter& p, const Rect& panel)
{
    const QRectF r(panel.x, panel.y, panel.w, panel.h);
    p.setPen(QPen(QColor(0, 0, 0, 120), 6));
    p.setBrush(QColor(0, 0, 0, 200));
    p.drawRoundedRect(r.adjusted(-2, -2, 2, 2), 4, 4);
}

QPointF At(const Segment& s, int end) { return QPointF(s[2 * end], s[2 * end + 1]); }

void LevelScene(QPainter& p, const Description& level, const Layout& layout, const Style& style)
{
    const QColor accent = ToQColor(style.accent);
    const QPointF goal = (At(*level.goal, 0) + At(*level.goal, 1)) / 2;
    Lamp(p, goal, 120, GoalBright, 46);
    Lamp(p, QPointF(FieldWidth / 2.0, FieldHeight / 2.0), 260, accent, 22);
    Vignette(p);
    if (level.number() > 0) PanelRecess(p, layout.panel);
    Rim(p);
    if (level.number() > 0) StartMarker(p, level, accent);
    Goal(p, At(*level.goal, 0), At(*level.goal, 1));
    std::vector<QLineF> walls;
    for (const Segment& wall : level.walls) walls.emplace_back(At(wall, 0), At(wall, 1));
    Walls(p, walls);
    Plaque(p, level, layout.plaque(level.corner), accent);
}

// What the game is about, drawn small: a ball's trace off a drawn line into
// a goal.
void Example(QPainter& p, const QColor& accent)
{
    Goal(p, QPointF(470, 238), QPointF(540, 238));
    QColor trace = accent;
    trace.setAlpha(190);
    QPen dotted(trace, 2.2, Qt::DotLine, Qt::RoundCap);
    p.setPen(dotted);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(90, 300), QPointF(505, 300), QPointF(505, 246)}));
    p.setPen(QPen(QColor(255, 255, 255), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(488, 317), QPointF(522, 283));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(QPointF(90, 300), 5, 5);
}

void WelcomeScene(QPainter& p, const Description& screen, const Layout& layout, const Style& style)
{
    const QColor accent = ToQColor(style.accent);
    Lamp(p, QPointF(FieldWidth / 2.0, 100), 300, accent, 40);
    Vignette(p);
    Rim(p);

    const QString title = QString::fromStdString(screen.title).toUpper();
    const QRectF titleBox(0, 38, FieldWidth, 110);
    p.setFont(Fitted(title, 92, true, FieldWidth - 60));
    QColor glow = accent;
    for (auto [spread, alpha] : {std::pair{6, 22}, {4, 40}, {2, 70}}) {
        glow.setAlpha(alpha);
        p.setPen(glow);
        for (int dx = -spread; dx <= spread; dx += spread)
            for (int dy = -spread; dy <= spread; dy += spread) p.drawText(titleBox.translated(dx, dy), Qt::AlignCenter, title);
    }
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(titleBox.translated(3, 4), Qt::AlignCenter, title);
    p.setPen(accent.lighter(115));
    p.drawText(titleBox, Qt::AlignCenter, title);

    double y = 160;
    for (const std::string& line : screen.text) {
        const QString text = QString::fromStdString(line);
        p.setFont(Fitted(text, 15, false, FieldWidth - 40));
        p.setPen(QColor(0, 0, 0, 150));
        p.drawText(QRectF(1, y + 1, FieldWidth, 24), Qt::AlignCenter, text);
        p.setPen(TitleWhite);
        p.drawText(QRectF(0, y, FieldWidth, 24), Qt::AlignCenter, text);
        y += 24;
    }
    Example(p, accent);

    const QRectF button(layout.startArea.x, layout.startArea.y, layout.startArea.w, layout.startArea.h);
    const QRectF face = button.adjusted(3, 3, -3, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(face.translated(3, 4), 10, 10);
    QLinearGradient lit(face.topLeft(), face.bottomLeft());
    lit.setColorAt(0, accent.lighter(125));
    lit.setColorAt(1, accent.darker(150));
    p.setBrush(lit);
    p.setPen(QPen(WallDark, 2));
    p.drawRoundedRect(face, 10, 10);
    const QString caption = QString::fromStdString(screen.button);
    p.setFont(Fitted(caption, 22, true, face.width() - 20));
    p.setPen(QColor(255, 255, 255, 90));
    p.drawText(face.translated(0, 1), Qt::AlignCenter, caption);
    p.setPen(QColor(16, 18, 26));
    p.drawText(face, Qt::AlignCenter, caption);
}

} // namespace

QImage Picture(const Description& description, const Layout& layout)
{
    QImage image(FieldWidth, FieldHeight, QImage::Format_RGB32);
    const Style& style = *FindStyle(description.style);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Dice dice(description.name);
    Floor(p, style, dice);
    if (description.kind == Kind::Welcome) WelcomeScene(p, description, layout, style);
    else LevelScene(p, description, layout, style);
    p.end();
    return image;
}

QByteArray PictureFile(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 90);
    return bytes;
}

} // namespace orvane::levelgen
