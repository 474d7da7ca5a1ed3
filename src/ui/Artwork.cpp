// Every picture of the game, painted with QPainter in logical pixels. A picture is painted on an
// image of its size times the device pixel ratio, so the same code serves every screen.
#include "Artwork.h"

#include "ArtCanvas.h"
#include "DieArt.h"
#include "core/Texts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace tavorin::art {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kOlive(64, 128, 0);
const QColor kDarkGreen(0, 64, 0);
const QColor kPointLight(255, 255, 128);
const QColor kField(22, 92, 58);
const QColor kTray(16, 74, 46);
const QColor kBallGreen(120, 224, 96);
const QColor kBallRed(222, 34, 30);

// ---- Balls: the checkers and the title's decoration -------------------------------------------

void drawBall(QPainter& p, QPointF c, qreal r, const QColor& base) {
    p.save();
    p.setPen(Qt::NoPen);
    // A soft contact shadow, offset away from the light at the upper left.
    QRadialGradient shadow(c + QPointF(0.08 * r, 0.12 * r), r * 1.08);
    shadow.setColorAt(0.85, QColor(0, 0, 0, 70));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0.08 * r, 0.12 * r), r * 1.08, r * 1.08);

    const QPointF light = c + QPointF(-0.38 * r, -0.42 * r);
    QRadialGradient body(light, 1.5 * r, light);
    body.setColorAt(0.0, base.lighter(155));
    body.setColorAt(0.35, base);
    body.setColorAt(0.8, base.darker(165));
    body.setColorAt(1.0, base.darker(260));
    p.setBrush(body);
    p.drawEllipse(c, r, r);

    // Light bounced back from the table brightens the lower rim.
    QRadialGradient bounce(c + QPointF(0.3 * r, 0.62 * r), 0.55 * r);
    bounce.setColorAt(0.0, withAlpha(base.lighter(140), 110));
    bounce.setColorAt(1.0, withAlpha(base.lighter(140), 0));
    p.setBrush(bounce);
    p.drawEllipse(c, r, r);

    QRadialGradient spec(light, 0.5 * r);
    spec.setColorAt(0.0, QColor(255, 255, 255, 235));
    spec.setColorAt(0.35, QColor(255, 255, 255, 120));
    spec.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(spec);
    p.drawEllipse(light, 0.5 * r, 0.42 * r);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(base.darker(330), 170), std::max(0.7, 0.06 * r)));
    p.drawEllipse(c, r - 0.03 * r, r - 0.03 * r);
    p.restore();
}

QImage checker(const QColor& base, qreal dpr) {
    QImage img = canvas({32, 32}, dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawBall(p, {16.0, 15.5}, 14.5, base);
    return img;
}

// ---- Text --------------------------------------------------------------------------------------

// A text of the table as Qt takes it.
QString lettering(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The outline of `text`, scaled so its ink fills the height of `box` and centred in it; letters
// too wide for the box are narrowed to fit.
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    const qreal sy = box.height() / ink.height();
    const qreal sx = std::min(sy, box.width() / ink.width());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(path);
}

QFont fontPx(const QString& family, int px, bool bold) {
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Raised lettering: a drop shadow, a dark rim and a vertical gradient face.
void drawLettering(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
                   const QColor& rim, qreal rimWidth) {
    const QRectF r = path.boundingRect();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(path.translated(rimWidth + 2, rimWidth + 3));
    p.setPen(QPen(rim, rimWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, top);
    face.setColorAt(0.55, top);
    face.setColorAt(1.0, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(path);
    p.restore();
}

// ---- Title picture -----------------------------------------------------------------------------

constexpr qreal kTitleCentreX = 495.5;  // the middle of the part the window shows

void drawTitleBalls(QPainter& p) {
    for (int i = 0; i < 12; ++i) {
        const qreal x = kTitleCentreX + (i - 5.5) * 80;
        drawBall(p, {x, 55}, 14.5, kBallGreen);
        drawBall(p, {x, 315}, 14.5, kBallGreen);
        drawBall(p, {x - 16, 660}, 15.5, kBallGreen);
        drawBall(p, {x + 16, 660}, 15.5, kBallRed);
    }
}

QImage title(qreal dpr) {
    const Size s = pictureSize(Pic::Title);
    QImage img = canvas(s, dpr);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, s.w, s.h), kGreen);
    p.setRenderHint(QPainter::Antialiasing);
    drawTitleBalls(p);

    const QFont serif = fontPx("DejaVu Serif", 120, true);
    const QPainterPath name =
        fittedText(lettering(texts().titleName), serif, QRectF(0, 130, 2 * kTitleCentreX, 85));
    drawLettering(p, name, QColor(255, 255, 40), QColor(255, 196, 0), QColor(90, 60, 0), 2.5);

    const QColor blueTop(70, 110, 255), blueBottom(20, 30, 190), rim(230, 236, 255);
    QFont narrow = fontPx("DejaVu Serif", 120, true);
    narrow.setStretch(QFont::SemiCondensed);
    drawLettering(p, fittedText(lettering(texts().titleYou), narrow, QRectF(100, 410, 135, 55)),
                  blueTop, blueBottom, rim, 1.5);
    drawLettering(p, fittedText(lettering(texts().titleCom), narrow, QRectF(625, 410, 140, 55)),
                  blueTop, blueBottom, rim, 1.5);
    return img;
}

// ---- Board picture -----------------------------------------------------------------------------

constexpr int kTopBase = 57, kTopTip = 262, kBottomBase = 558, kBottomTip = 362;

// A rectangle by its inclusive pixel ranges.
QRect span(int x0, int x1, int y0, int y1) {
    return QRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

// The four sunken panels: the two halves of the board and the two trays.
const std::array<QRect, 4> kWells = {span(13, 353, 57, 557), span(421, 761, 57, 557),
                                     span(772, 837, 57, 285), span(772, 837, 300, 557)};

// A panel's cloth, a little brighter in its middle as if lit from above.
void fillWell(QPainter& p, const QRect& r, const QColor& c) {
    QRadialGradient light(QRectF(r).center(), 0.75 * std::max(r.width(), r.height()));
    light.setColorAt(0, c.lighter(112));
    light.setColorAt(1, c);
    p.fillRect(r, light);
}

// The panel sinks below the frame: a soft shadow along its top and left inner edges.
void shadeWell(QPainter& p, const QRect& r) {
    QLinearGradient top(0, r.top(), 0, r.top() + 7);
    top.setColorAt(0, QColor(0, 0, 0, 110));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(r.left(), r.top(), r.width(), 7), top);
    QLinearGradient left(r.left(), 0, r.left() + 5, 0);
    left.setColorAt(0, QColor(0, 0, 0, 80));
    left.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(r.left(), r.top(), 5, r.height()), left);
}

void drawFrame(QPainter& p) {
    p.fillRect(span(0, 850, 42, 560), kOlive);
    p.fillRect(span(0, 850, 42, 42), kOlive.lighter(135));    // lit upper edge
    p.fillRect(span(0, 0, 42, 557), kOlive.lighter(125));     // lit left edge
    p.fillRect(span(850, 850, 43, 557), kOlive.darker(140));  // shaded right edge
    p.fillRect(span(13, 837, 48, 55), kDarkGreen);
    p.fillRect(span(0, 850, 558, 560), Qt::black);
    for (int i = 0; i < 4; ++i)
        fillWell(p, kWells[i], i < 2 ? kField : kTray);
    p.fillRect(span(355, 362, 48, 557), kDarkGreen);
    p.fillRect(span(763, 770, 48, 557), kDarkGreen);

    // The bar and the tray divider get a faint rounded sheen.
    QLinearGradient bar(363, 0, 420, 0);
    bar.setColorAt(0, kOlive.lighter(112));
    bar.setColorAt(0.5, kOlive);
    bar.setColorAt(1, kOlive.darker(125));
    p.fillRect(span(363, 419, 56, 557), bar);
    QLinearGradient divider(0, 286, 0, 299);
    divider.setColorAt(0, kOlive.lighter(125));
    divider.setColorAt(1, kOlive.darker(130));
    p.fillRect(span(772, 837, 286, 298), divider);
}

void drawTriangle(QPainter& p, int j) {
    const auto [x0, x1] = triangleX(j);
    const bool top = j >= 12;
    const qreal left = x0, right = x1 + 1, mid = (left + right) / 2;
    const qreal base = top ? kTopBase : kBottomBase, tip = top ? kTopTip : kBottomTip;
    const QPolygonF tri({QPointF(left, base), QPointF(right, base), QPointF(mid, tip)});
    const bool light = j % 2 == 0;  // the top-left point is light, the bottom-left dark
    const QColor fill = light ? kPointLight : QColor(Qt::black);
    p.setPen(QPen(light ? QColor(170, 160, 60) : QColor(60, 70, 60), 1.0));
    p.setBrush(fill);
    p.drawPolygon(tri);
}

void drawPointNumber(QPainter& p, int j) {
    const auto [x0, x1] = triangleX(j);
    const qreal mid = (x0 + x1 + 1) / 2.0;
    const QRectF box = j >= 12 ? QRectF(mid - 20, 24, 40, 12) : QRectF(mid - 20, 567, 40, 12);
    const QFont font = fontPx("DejaVu Sans", 16, true);
    QPainterPath path;
    path.addText(0, 0, font, QString::number(j + 1));
    const QRectF ink = path.boundingRect();
    path.translate(box.center() - ink.center());
    p.setPen(QPen(QColor(40, 0, 0, 200), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 40, 40));
    p.drawPath(path);
}

QImage board(qreal dpr) {
    const Size s = pictureSize(Pic::Board);
    QImage img = canvas(s, dpr);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, s.w, s.h), kGreen);
    drawFrame(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(span(13, 353, 57, 557));
    for (int j : {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17})
        drawTriangle(p, j);
    p.setClipRect(span(421, 761, 57, 557));
    for (int j : {0, 1, 2, 3, 4, 5, 18, 19, 20, 21, 22, 23})
        drawTriangle(p, j);
    p.setClipping(false);
    for (const QRect& r : kWells)
        shadeWell(p, r);
    for (int j = 0; j < kPoints; ++j)
        drawPointNumber(p, j);
    return img;
}

}  // namespace

QPixmap draw(Pic p, qreal dpr) {
    switch (p) {
        case Pic::None:
            return {};
        case Pic::Title:
            return QPixmap::fromImage(title(dpr));
        case Pic::Board:
            return QPixmap::fromImage(board(dpr));
        case Pic::CheckerM:
            return QPixmap::fromImage(checker(kBallGreen, dpr));
        case Pic::CheckerC:
            return QPixmap::fromImage(checker(kBallRed, dpr));
        case Pic::Blank:
            return QPixmap::fromImage(canvas(pictureSize(p), dpr));
        default:
            return QPixmap::fromImage(dieImage(p, dpr));
    }
}

}  // namespace tavorin::art
