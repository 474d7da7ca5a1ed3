// The dice and the window icon: a cube in three-quarter view, painted with QPainter and also
// written out as SVG from the same list of shapes.
#include "DieArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "ArtCanvas.h"
#include "Artwork.h"

namespace tavorin::art {
namespace {

// ---- Dice --------------------------------------------------------------------------------------

// A cube with corners at +-1, turned about the vertical and seen from above at an angle.
constexpr double kTurn = 24.0 * std::numbers::pi / 180.0;
constexpr double kTilt = 40.0 * std::numbers::pi / 180.0;

QPointF project(double x, double y, double z) {
    const double xr = x * std::cos(kTurn) + z * std::sin(kTurn);
    const double zr = -x * std::sin(kTurn) + z * std::cos(kTurn);
    const double yr = y * std::cos(kTilt) - zr * std::sin(kTilt);
    return {xr, -yr};
}

// The affine map from a face's own square [-1, 1]^2 to the projected cube.
QTransform faceMap(QPointF origin, QPointF sAxis, QPointF tAxis) {
    return QTransform(sAxis.x() - origin.x(), sAxis.y() - origin.y(), tAxis.x() - origin.x(),
                      tAxis.y() - origin.y(), origin.x(), origin.y());
}

// The cube fitted into a box: its outline and the maps of its faces.
struct Cube {
    QPolygonF outline;  // six corners, clockwise from the back left of the top face
    QTransform top, front, side, floor;
};

Cube cubeIn(const QRectF& box) {
    Cube c;
    c.outline = QPolygonF({project(-1, 1, -1), project(1, 1, -1), project(1, 1, 1),
                           project(1, -1, 1), project(-1, -1, 1), project(-1, -1, -1)});
    const QRectF b = c.outline.boundingRect();
    const qreal s = std::min(box.width() / b.width(), box.height() / b.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(s, s);
    fit.translate(-b.center().x(), -b.center().y());
    c.outline = fit.map(c.outline);
    c.top = faceMap(project(0, 1, 0), project(1, 1, 0), project(0, 1, 1)) * fit;
    c.front = faceMap(project(0, 0, 1), project(1, 0, 1), project(0, -1, 1)) * fit;
    c.side = faceMap(project(-1, 0, 0), project(-1, 0, 1), project(-1, -1, 0)) * fit;
    c.floor = faceMap(project(0, -1, 0), project(1, -1, 0), project(0, -1, 1)) * fit;
    return c;
}

// The outline with its corners rounded off by about `radius`.
QPainterPath roundedOutline(const QPolygonF& poly, qreal radius) {
    QPainterPath path;
    const int n = poly.size();
    for (int i = 0; i < n; ++i) {
        const QPointF v = poly[i], prev = poly[(i + n - 1) % n], next = poly[(i + 1) % n];
        auto towards = [&](QPointF to) {
            const QPointF d = to - v;
            const qreal len = std::hypot(d.x(), d.y());
            return v + d * std::min(0.45, radius / len);
        };
        const QPointF a = towards(prev), b = towards(next);
        if (i == 0)
            path.moveTo(a);
        else
            path.lineTo(a);
        path.quadTo(v, b);
    }
    path.closeSubpath();
    return path;
}

// Pip centres on the top face, in face units.
QList<QPointF> pipCentres(int pips) {
    const qreal a = 0.52;
    switch (pips) {
        case 1:
            return {{0, 0}};
        case 2:
            return {{-a, -a}, {a, a}};
        case 3:
            return {{-a, -a}, {0, 0}, {a, a}};
        case 4:
            return {{-a, -a}, {a, -a}, {-a, a}, {a, a}};
        case 5:
            return {{-a, -a}, {a, -a}, {0, 0}, {-a, a}, {a, a}};
        default:
            return {{-a, -a}, {-a, 0}, {-a, a}, {a, -a}, {a, 0}, {a, a}};
    }
}

// One filled shape of a die: a path in its own coordinates, placed by `map`, with a brush whose
// gradient lies in the same coordinates. The same list paints the pictures and writes the SVG.
struct Fill {
    QTransform map;
    QPainterPath path;
    QBrush brush;
};

struct DieScene {
    Fill shadow;              // on the table, outside the body
    QPainterPath body;        // the rounded outline: clips the parts, then is stroked
    std::vector<Fill> parts;  // faces and pips, clipped to the body
    QPen outline;
};

QPainterPath ellipse(QPointF c, qreal r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

// How a face shades towards each of its four edges (s = -1, s = +1, t = -1, t = +1): a crease
// towards a neighbouring face blends to a shared colour, an outer edge darkens as it turns away.
struct FaceLook {
    QColor body;
    std::array<QColor, 4> edge;
};

void addFace(DieScene& s, const QTransform& map, const FaceLook& look) {
    QPainterPath square;
    square.addRect(-1.05, -1.05, 2.1, 2.1);
    s.parts.push_back({map, square, look.body});
    constexpr qreal kBand = 0.3;  // the width of the rounded edge, in face units
    const std::array<QLineF, 4> across = {{{-1, 0, -1 + kBand, 0},
                                           {1, 0, 1 - kBand, 0},
                                           {0, -1, 0, -1 + kBand},
                                           {0, 1, 0, 1 - kBand}}};
    for (int e = 0; e < 4; ++e) {
        QLinearGradient g(across[e].p1(), across[e].p2());
        g.setColorAt(0, look.edge[e]);
        g.setColorAt(1, withAlpha(look.edge[e], 0));
        s.parts.push_back({map, square, g});
    }
}

void addPips(DieScene& s, const QTransform& map, int pips) {
    const qreal r = pips == 1 ? 0.3 : 0.19;
    const QColor ink = pips == 1 ? QColor(215, 20, 25) : QColor(22, 22, 26);
    for (const QPointF& c : pipCentres(pips)) {
        // A hollow: its far wall is shaded, its near wall catches the light.
        QRadialGradient hollow(c + QPointF(0.25 * r, 0.3 * r), 1.2 * r);
        hollow.setColorAt(0.0, ink.lighter(pips == 1 ? 125 : 260));
        hollow.setColorAt(0.7, ink);
        hollow.setColorAt(1.0, ink.darker(160));
        s.parts.push_back({map, ellipse(c, r), hollow});
    }
}

DieScene dieScene(const QRectF& box, int pips) {
    const qreal margin = std::max(1.0, box.width() * 0.04);
    const Cube c = cubeIn(box.adjusted(margin, margin, -margin, -margin * 1.6));
    DieScene s;
    // The shadow it casts on the table, falling back and to the right.
    QRadialGradient shadow(0.25, -0.15, 1.35);
    shadow.setColorAt(0.6, QColor(0, 0, 0, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    s.shadow = {c.floor, ellipse({0.25, -0.15}, 1.35), shadow};

    const qreal unit = std::hypot(c.top.m11(), c.top.m12());  // half an edge, in pixels
    s.body = roundedOutline(c.outline, unit * 0.32);
    s.parts.push_back({QTransform(), s.body, QColor(200, 200, 206)});
    const QColor topFront(234, 234, 240), topSide(244, 244, 248), sideFront(202, 202, 212);
    addFace(s, c.side,
            {QColor(222, 222, 228),
             {QColor(196, 196, 204), sideFront, topSide, QColor(188, 188, 198)}});
    addFace(s, c.front,
            {QColor(178, 178, 190),
             {sideFront, QColor(150, 150, 162), topFront, QColor(146, 146, 158)}});
    addFace(
        s, c.top,
        {QColor(253, 253, 253), {topSide, QColor(226, 226, 232), QColor(230, 230, 236), topFront}});
    addPips(s, c.top, pips);
    s.outline = QPen(QColor(60, 60, 70, 170), std::max(0.8, unit * 0.03));
    return s;
}

void paintScene(QPainter& p, const DieScene& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QTransform base = p.transform();
    const auto fill = [&](const Fill& f) {
        p.setTransform(f.map * base);
        p.fillPath(f.path, f.brush);
    };
    fill(s.shadow);
    p.setTransform(base);
    p.setClipPath(s.body);
    for (const Fill& f : s.parts)
        fill(f);
    p.setTransform(base);
    p.setClipping(false);
    p.strokePath(s.body, s.outline);
    p.restore();
}

QImage die(Pic pic, qreal dpr) {
    const Size s = pictureSize(pic);
    QImage img = canvas(s, dpr);
    QPainter p(&img);
    const int pips = static_cast<int>(pic) - static_cast<int>(Pic::Die1) + 1;
    paintScene(p, dieScene(QRectF(0, 0, s.w, s.h), pips));
    return img;
}

// ---- The scene as SVG --------------------------------------------------------------------------

QString num(qreal v) {
    return QString::number(v, 'g', 6);
}

QString pathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                d += (i ? "Z M" : "M");
                break;
            case QPainterPath::LineToElement:
                d += " L";
                break;
            case QPainterPath::CurveToElement:
                d += " C";
                break;
            case QPainterPath::CurveToDataElement:
                break;
        }
        d += " " + num(e.x) + " " + num(e.y);
    }
    return d + " Z";
}

QString matrix(const QTransform& t) {
    return QString("matrix(%1 %2 %3 %4 %5 %6)")
        .arg(num(t.m11()), num(t.m12()), num(t.m21()), num(t.m22()), num(t.dx()), num(t.dy()));
}

class SvgWriter {
public:
    // A <path> filling `f`; its gradient, if any, goes to the definitions.
    QString fill(const Fill& f) {
        return QString("<path transform=\"%1\" d=\"%2\" %3/>\n")
            .arg(matrix(f.map), pathData(f.path), paint(f.brush));
    }
    QString defs() const { return defs_; }

private:
    QString paint(const QBrush& b) {
        const QGradient* g = b.gradient();
        if (!g) return colour("fill", b.color());
        const QString id = QString("g%1").arg(++count_);
        const bool linear = g->type() == QGradient::LinearGradient;
        defs_ += linear ? openLinear(id, *static_cast<const QLinearGradient*>(g))
                        : openRadial(id, *static_cast<const QRadialGradient*>(g));
        for (const QGradientStop& stop : g->stops()) {
            defs_ += QString("<stop offset=\"%1\" %2/>\n")
                         .arg(num(stop.first), colour("stop-color", stop.second));
        }
        defs_ += linear ? "</linearGradient>\n" : "</radialGradient>\n";
        return QString("fill=\"url(#%1)\"").arg(id);
    }

    static QString openLinear(const QString& id, const QLinearGradient& l) {
        return QString(
                   "<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                   "x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">\n")
            .arg(id, num(l.start().x()), num(l.start().y()), num(l.finalStop().x()),
                 num(l.finalStop().y()));
    }

    static QString openRadial(const QString& id, const QRadialGradient& r) {
        return QString(
                   "<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                   "cx=\"%2\" cy=\"%3\" r=\"%4\" fx=\"%5\" fy=\"%6\">\n")
            .arg(id, num(r.center().x()), num(r.center().y()), num(r.radius()),
                 num(r.focalPoint().x()), num(r.focalPoint().y()));
    }

    static QString colour(const QString& attr, const QColor& c) {
        const QString opacity = attr == "fill" ? "fill-opacity" : "stop-opacity";
        return QString("%1=\"%2\" %3=\"%4\"").arg(attr, c.name(), opacity, num(c.alphaF()));
    }

    QString defs_;
    int count_ = 0;
};

}  // namespace

QImage dieImage(Pic p, qreal dpr) {
    return die(p, dpr);
}

QImage drawIcon(int pixels) {
    QImage img = canvas({pixels, pixels}, 1.0);
    QPainter p(&img);
    paintScene(p, dieScene(QRectF(0, 0, pixels, pixels), 1));
    return img;
}

QByteArray iconSvg() {
    constexpr int kSize = 256;
    const DieScene s = dieScene(QRectF(0, 0, kSize, kSize), 1);
    SvgWriter w;
    QString shapes = w.fill(s.shadow);
    shapes += "<g clip-path=\"url(#body)\">\n";
    for (const Fill& f : s.parts)
        shapes += w.fill(f);
    shapes += "</g>\n";
    const QColor ink = s.outline.color();
    shapes += QString(
                  "<path d=\"%1\" fill=\"none\" stroke=\"%2\" stroke-opacity=\"%3\" "
                  "stroke-width=\"%4\"/>\n")
                  .arg(pathData(s.body), ink.name(), num(ink.alphaF()), num(s.outline.widthF()));
    const QString svg =
        QString(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
            "viewBox=\"0 0 %1 %1\">\n<defs>\n"
            "<clipPath id=\"body\"><path d=\"%2\"/></clipPath>\n%3</defs>\n%4</svg>\n")
            .arg(QString::number(kSize), pathData(s.body), w.defs(), shapes);
    return svg.toUtf8();
}

}  // namespace tavorin::art
