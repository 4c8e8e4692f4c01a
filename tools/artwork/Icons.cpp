#include "tools/artwork/Icons.h"

#include "assets/PictureTable.h"
#include "tools/artwork/ArtworkStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <numbers>

namespace corvane::artwork {

namespace {

// Toolbar icons are drawn pixel by pixel at 16: a 1-pixel outline runs through pixel centres
// (x.5), so that shapes whose edges sit there stay sharp with antialiasing on.

const QColor kInk(0x3A, 0x3A, 0x3A);
const QColor kPaperShade(0xD8, 0xD8, 0xD8);
const QColor kTextLine(0x9A, 0x9A, 0x9A);
const QColor kGreen(0x3C, 0xB8, 0x3C);
const QColor kGreenLine(0x17, 0x66, 0x17);
const QColor kRed(0xE2, 0x2A, 0x2A);
const QColor kRedLine(0x80, 0x10, 0x10);
const QColor kBlue(0x2F, 0x74, 0xD0);
const QColor kBlueLine(0x14, 0x3C, 0x7C);
const QColor kYellow(0xFF, 0xD2, 0x3A);
const QColor kYellowLine(0x9A, 0x66, 0x00);

QRectF Centres(const QRect& r) {
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

void Fill(QPainter& p, const QPainterPath& shape, const QBrush& fill, const QColor& line) {
    p.setPen(QPen(line, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(shape);
}

void Box(QPainter& p, const QRect& r, const QBrush& fill, const QColor& line) {
    QPainterPath shape;
    shape.addRect(Centres(r));
    Fill(p, shape, fill, line);
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath shape;
    shape.addPolygon(QPolygonF(QList<QPointF>(points)));
    shape.closeSubpath();
    return shape;
}

// Sets the pixels marked '#', for glyphs too small to be lettered with a font.
void Pixels(QPainter& p, int x, int y, std::initializer_list<const char*> rows, const QColor& c) {
    for (const char* row : rows) {
        for (int i = 0; row[i] != '\0'; ++i) {
            if (row[i] == '#') {
                p.fillRect(x + i, y, 1, 1, c);
            }
        }
        ++y;
    }
}

void TextLines(QPainter& p, int x, int y, int width, int count) {
    for (int i = 0; i < count; ++i) {
        p.fillRect(x, y + 2 * i, width, 1, kTextLine);
    }
}

QPainterPath Stroke(const QPainterPath& line, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(line).simplified();
}

// A sheet of paper with its top right corner folded down.
void Page(QPainter& p, const QRect& r) {
    constexpr int fold = 4;
    const QRectF c = Centres(r);
    const double corner = c.right() - fold;
    Fill(p,
         Polygon({c.topLeft(),
                  {corner, c.top()},
                  {c.right(), c.top() + fold},
                  c.bottomRight(),
                  c.bottomLeft()}),
         Qt::white, kInk);
    Fill(p, Polygon({{corner, c.top()}, {corner, c.top() + fold}, {c.right(), c.top() + fold}}),
         kPaperShade, kInk);
}

// A straight arrow; shaft and head are widths across, measured between outline centres.
QPainterPath Arrow(QPointF tail, QPointF tip, double shaft, double head, double headLength) {
    const QPointF along = (tip - tail) / QLineF(tail, tip).length();
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * headLength;
    return Polygon({tail + across * (shaft / 2), base + across * (shaft / 2),
                    base + across * (head / 2), tip, base - across * (head / 2),
                    base - across * (shaft / 2), tail - across * (shaft / 2)});
}

// An arc around centre ending in an arrow head; angles in degrees, counter-clockwise.
QPainterPath CircularArrow(QPointF centre, double radius, double start, double sweep, double width,
                           double head) {
    QPainterPath arc;
    const QRectF circle(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    arc.arcMoveTo(circle, start);
    arc.arcTo(circle, start, sweep);
    const double end = (start + sweep) * std::numbers::pi / 180;
    const QPointF outward(std::cos(end), -std::sin(end));
    const QPointF forward = (sweep < 0 ? 1 : -1) * QPointF(-outward.y(), outward.x());
    const QPointF base = arc.currentPosition();
    return Stroke(arc, width)
        .united(Polygon({base + outward * (head / 2), base + forward * (head / 2),
                         base - outward * (head / 2)}));
}

QPainterPath Star(QPointF centre, int points, double outer, double inner) {
    QPolygonF star;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = i * std::numbers::pi / points - std::numbers::pi / 2;
        const double radius = i % 2 == 0 ? outer : inner;
        star << centre + radius * QPointF(std::cos(angle), std::sin(angle));
    }
    QPainterPath shape;
    shape.addPolygon(star);
    shape.closeSubpath();
    return shape;
}

// A framed landscape: sky, sun and two hills; clouds and a mat inside the frame when large.
void Landscape(QPainter& p, const QRect& frame) {
    const bool detailed = frame.width() >= 24;
    Box(p, frame, Qt::white, kInk);
    const int mat = detailed ? frame.width() / 16 + 1 : 1;
    const QRect view = frame.adjusted(mat, mat, -mat, -mat);
    QLinearGradient sky(view.topLeft(), view.bottomLeft());
    sky.setColorAt(0, QColor(0x3E, 0x8E, 0xEA));
    sky.setColorAt(1, QColor(0xB8, 0xDE, 0xFF));
    p.fillRect(view, sky);
    p.save();
    p.setClipRect(view);
    const double w = view.width();
    const double h = view.height();
    const auto at = [&](double x, double y) { return QPointF(view.x() + x * w, view.y() + y * h); };
    p.setPen(detailed ? QPen(QColor(0xE0, 0x8A, 0x00), 1) : Qt::NoPen);
    p.setBrush(kYellow);
    const double sun = std::max(1.6, 0.15 * h);
    p.drawEllipse(at(0.74, 0.3), sun, sun);
    if (detailed) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(at(0.24, 0.24), 0.12 * w, 0.07 * h);
        p.drawEllipse(at(0.34, 0.2), 0.09 * w, 0.08 * h);
    }
    const QColor hillLine = detailed ? QColor(0x1E, 0x5E, 0x1E) : Qt::transparent;
    QPainterPath back;
    back.addEllipse(at(0.85, 1.05), 0.55 * w, 0.5 * h);
    Fill(p, back, QColor(0x2E, 0x8B, 0x3A), hillLine);
    QPainterPath front;
    front.addEllipse(at(0.2, 1.2), 0.7 * w, 0.6 * h);
    Fill(p, front, QColor(0x5C, 0xC8, 0x48), hillLine);
    p.restore();
    if (detailed) {
        p.setPen(QPen(kTextLine, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Centres(view.adjusted(-1, -1, 1, 1)));
    }
}

void DrawQuit(QPainter& p) {
    QPainterPath ring;
    const QRectF circle(2.5, 3, 11, 11);
    ring.arcMoveTo(circle, 128);
    ring.arcTo(circle, 128, 284);
    QPainterPath bar;
    bar.addRect(QRectF(6.5, 0.5, 3, 8));
    Fill(p, Stroke(ring, 3), kRed, kRedLine);
    Fill(p, bar, kRed, kRedLine);
}

void DrawPdf(QPainter& p) {
    Page(p, QRect(2, 0, 13, 16));
    TextLines(p, 4, 3, 6, 2);
    p.fillRect(0, 8, 14, 7, kRed);
    p.fillRect(0, 14, 14, 1, kRedLine);
    Pixels(p, 1, 9, {"###.##..###", "#.#.#.#.#..", "###.#.#.##.", "#...#.#.#..", "#...##..#.."},
           Qt::white);
}

void DrawGrid(QPainter& p) {
    Box(p, QRect(0, 1, 16, 14), Qt::white, kInk);
    p.fillRect(1, 2, 14, 2, kBlue);
    // Each row of the grid has one of its four levels chosen.
    const int chosen[] = {1, 3, 4};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int level = column + 1;
            const QColor cell = level == chosen[row] ? LevelColour(level) : kPaperShade;
            p.fillRect(2 + 3 * column, 5 + 3 * row, 3, 2, cell);
        }
    }
}

void DrawCalculator(QPainter& p) {
    Box(p, QRect(2, 0, 12, 16), QColor(0x6A, 0x7A, 0x90), kInk);
    Box(p, QRect(4, 2, 8, 4), QColor(0xC8, 0xEA, 0xA8), kInk);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 2 && column == 2;
            p.fillRect(4 + 3 * column, 7 + 3 * row, 2, 2,
                       equals ? QColor(0xFF, 0x98, 0x20) : QColor(Qt::white));
        }
    }
}

void DrawNew(QPainter& p) {
    Page(p, QRect(4, 0, 11, 16));
    Fill(p, Star({4.5, 4.5}, 4, 4.5, 1.6), kYellow, kYellowLine);
}

void DrawRefresh(QPainter& p) {
    for (const double start : {150.0, -30.0}) {
        Fill(p, CircularArrow({8, 8}, 4.8, start, -130, 2.5, 6), kGreen, kGreenLine);
    }
}

void DrawSave(QPainter& p) {
    Fill(p, Polygon({{0.5, 0.5}, {13.5, 0.5}, {15.5, 2.5}, {15.5, 15.5}, {0.5, 15.5}}), kBlue,
         kBlueLine);
    Box(p, QRect(4, 0, 8, 6), QColor(0xD8, 0xDC, 0xE2), kBlueLine);
    p.fillRect(8, 1, 2, 4, kBlueLine);
    Box(p, QRect(3, 9, 10, 7), Qt::white, kBlueLine);
    TextLines(p, 5, 11, 6, 2);
}

void DrawFolder(QPainter& p) {
    const QColor line(0x8A, 0x5A, 0x00);
    Fill(p, Polygon({{0.5, 2.5}, {5.5, 2.5}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}}),
         QColor(0xE3, 0xA9, 0x2B), line);
    Box(p, QRect(2, 6, 10, 8), Qt::white, kInk);
    QLinearGradient flap(0, 7, 0, 14);
    flap.setColorAt(0, QColor(0xFF, 0xE0, 0x70));
    flap.setColorAt(1, QColor(0xF2, 0xB4, 0x30));
    Fill(p, Polygon({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {0.5, 13.5}}), flap, line);
}

void DrawRecycle(QPainter& p) {
    const QColor body(0x8F, 0xB3, 0x9A);
    const QColor line(0x34, 0x50, 0x3C);
    Fill(p, Polygon({{3.5, 7.5}, {12.5, 7.5}, {11.5, 15.5}, {4.5, 15.5}}), body, line);
    p.fillRect(6, 9, 1, 5, line);
    p.fillRect(9, 9, 1, 5, line);
    Box(p, QRect(2, 5, 12, 3), body.lighter(115), line);
    Fill(p, Arrow({8, 0.5}, {8, 9.5}, 3, 7, 4), kGreen, kGreenLine);
}

void DrawDelete(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(2.5, 2.5);
    cross.lineTo(13.5, 13.5);
    cross.moveTo(13.5, 2.5);
    cross.lineTo(2.5, 13.5);
    Fill(p, Stroke(cross, 3.5), kRed, kRedLine);
}

void DrawViewMode(QPainter& p) {
    for (const int y : {1, 9}) {
        for (const int x : {1, 9}) {
            Box(p, QRect(x, y, 6, 6), kBlue, kBlueLine);
            p.fillRect(x + 1, y + 1, 2, 1, QColor(0x9C, 0xC4, 0xF4));
        }
    }
}

void DrawOpenFile(QPainter& p) {
    Page(p, QRect(1, 0, 12, 15));
    TextLines(p, 3, 5, 6, 2);
    Fill(p, Arrow({7.5, 14.5}, {15, 7}, 3, 7, 3.5), kGreen, kGreenLine);
}

void DrawProperties(QPainter& p) {
    Page(p, QRect(2, 0, 13, 16));
    for (const int y : {3, 7, 11}) {
        Pixels(p, 3, y, {"....#", "#..##", "####.", ".##.."}, kGreenLine);
        p.fillRect(9, y + 2, 4, 1, kTextLine);
    }
}

void DrawHelp(QPainter& p) {
    QRadialGradient ball(5, 4, 12);
    ball.setColorAt(0, QColor(0x6A, 0xAE, 0xF8));
    ball.setColorAt(1, QColor(0x1A, 0x56, 0xB0));
    QPainterPath disc;
    disc.addEllipse(QRectF(0.5, 0.5, 15, 15));
    Fill(p, disc, ball, kBlueLine);
    Pixels(
        p, 5, 3,
        {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##.."},
        Qt::white);
}

void DrawPicture(QPainter& p) {
    Landscape(p, QRect(0, 2, 16, 12));
}

void DrawPictureProperties(QPainter& p) {
    Landscape(p, QRect(0, 1, 14, 11));
    QPainterPath disc;
    disc.addEllipse(QRectF(8.5, 8.5, 7, 7));
    Fill(p, disc, kBlue, kBlueLine);
    Pixels(p, 11, 10, {"##", "..", "##", "##", "##"}, Qt::white);
}

// The only icon drawn at several sizes: the geometry scales, the outlines stay one pixel wide.
void DrawOpenPicture(QPainter& p, int side) {
    const double s = side / 16.0;
    Landscape(p, QRectF(0, s, 14 * s, 11 * s).toRect());
    const double shaft = side >= 32 ? 2.5 : 3;
    Fill(p, Arrow(QPointF(7.5, 14.5) * s, QPointF(15, 7) * s, shaft * s, (shaft + 4) * s, 3.5 * s),
         kGreen, kGreenLine);
}

void DrawMail(QPainter& p) {
    Box(p, QRect(0, 1, 14, 10), QColor(0xFF, 0xF6, 0xD8), kInk);
    QPainterPath flap;
    flap.moveTo(0.5, 1.5);
    flap.lineTo(7, 7);
    flap.lineTo(13.5, 1.5);
    p.setPen(kInk);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    Fill(p, Arrow({6.5, 12}, {15.5, 12}, 3, 7, 4), kGreen, kGreenLine);
}

QImage Blank(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage DrawIcon(int number, int side) {
    if (number == kAboutPicture) {
        return DrawProgramIcon(side);
    }
    static const std::map<int, void (*)(QPainter&)> drawings = {
        {kQuitPicture, DrawQuit},
        {kDocumentPicture, DrawPdf},
        {kGridTabPicture, DrawGrid},
        {kExplainTabPicture, DrawCalculator},
        {kNewEvaluationPicture, DrawNew},
        {kCheckUpdatePicture, DrawRefresh},
        {kSaveEvaluationPicture, DrawSave},
        {kEvaluationsPicture, DrawFolder},
        {kRecycleBinPicture, DrawRecycle},
        {kDeleteForeverPicture, DrawDelete},
        {kViewModePicture, DrawViewMode},
        {kOpenFilePicture, DrawOpenFile},
        {kPropertiesPicture, DrawProperties},
        {kHelpPicture, DrawHelp},
        {kImagesPicture, DrawPicture},
        {kImagePropertiesPicture, DrawPictureProperties},
        {kSupportMailPicture, DrawMail}};
    const auto found = drawings.find(number);
    if (number != kOpenImagePicture && found == drawings.end()) {
        return {};
    }
    QImage image = Blank(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (number == kOpenImagePicture) {
        DrawOpenPicture(p, side);
    } else {
        // These icons exist at 16 pixels only; any other size is the same drawing scaled.
        p.scale(side / 16.0, side / 16.0);
        found->second(p);
    }
    return image;
}

// A white plus on a deep blue tile; from 32 pixels up an orange checked disc in a free corner.
QImage DrawProgramIcon(int side) {
    QImage image = Blank(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, side);
    tile.setColorAt(0, QColor(0x2F, 0x66, 0xC0));
    tile.setColorAt(1, QColor(0x1A, 0x43, 0x88));
    QPainterPath square;
    square.addRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side * 0.2, side * 0.2);
    Fill(p, square, tile, QColor(0x0E, 0x2C, 0x60));
    const int arm = 2 * static_cast<int>(std::lround(side * 0.105));
    const int margin = static_cast<int>(std::lround(side * 0.19));
    const int middle = (side - arm) / 2;
    p.fillRect(middle, margin, arm, side - 2 * margin, Qt::white);
    p.fillRect(margin, middle, side - 2 * margin, arm, Qt::white);
    if (side >= 32) {
        const double u = side / 32.0;
        const QPointF centre(25.5 * u, 25.5 * u);
        QPainterPath disc;
        disc.addEllipse(centre, 4.5 * u, 4.5 * u);
        Fill(p, disc, QColor(0xFF, 0x9A, 0x1C), QColor(0x7A, 0x40, 0x00));
        QPainterPath tick;
        tick.moveTo(centre + QPointF(-2.2, 0) * u);
        tick.lineTo(centre + QPointF(-0.6, 1.8) * u);
        tick.lineTo(centre + QPointF(2.3, -1.8) * u);
        p.setPen(QPen(Qt::white, 1.6 * u));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return image;
}

} // namespace corvane::artwork
