#include "BoardView.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "Artwork.h"

namespace tavorin {

namespace {
QRect qrect(const Rect& r) {
    return {r.x, r.y, r.w, r.h};
}

QFont labelFont(const LabelFont& f) {
    QFont font;
    // The designed fonts, then their nearest metric-compatible stand-ins on Linux.
    if (f.family == "Georgia") {
        font.setFamilies({"Georgia", "Gelasio", "DejaVu Serif"});
        font.setStyleHint(QFont::Serif);
    } else {
        font.setFamilies({QString::fromStdString(f.family), "IPAPGothic", "IPAGothic"});
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(static_cast<int>(f.points * 96.0 / 72.0 + 0.5));  // the window is in pixels
    font.setBold(f.bold);
    return font;
}
}  // namespace

// Every image in the order it is painted: later ones lie on top.
template <class Fn>
void forEachImage(const MainModel& m, Fn fn) {
    for (const Image& img : m.PLACE)
        fn(img);
    for (const auto* arr : {&m.MED, &m.CPUD, &m.UPM, &m.UPC})
        for (const Image& img : *arr)
            fn(img);
    for (const Image& img : m.DICE)
        fn(img);
    fn(m.saiY);
    fn(m.saiC);
    for (const Image& img : m.MM)
        fn(img);
    for (const Image& img : m.CM)
        fn(img);
}

// FNV-1a over what the window shows.
uint64_t fingerprint(const MainModel& m) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    mix(static_cast<uint64_t>(m.background));
    forEachImage(m, [&](const Image& i) {
        mix(i.visible ? static_cast<uint64_t>(i.pic) + 1 : 0);
        mix(static_cast<uint64_t>(i.rect.x) << 32 | static_cast<uint32_t>(i.rect.y));
    });
    for (const Shape& s : m.Shape1)
        mix(s.visible);
    for (const Label* l : {&m.Label1, &m.Label2, &m.Label3}) {
        mix(l->visible);
        for (char c : l->text)
            mix(static_cast<unsigned char>(c));
    }
    return h;
}

BoardView::BoardView(const MainModel& model, Sink sink, QWidget* parent)
    : QWidget(parent), model_(model), sink_(std::move(sink)) {
    setFixedSize(model.clientSize.w, model.clientSize.h);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QPixmap& BoardView::picture(Pic p) {
    const qreal dpr = devicePixelRatioF();
    if (dpr != cacheDpr_) {
        cache_.clear();
        cacheDpr_ = dpr;
    }
    auto it = cache_.find(static_cast<int>(p));
    if (it == cache_.end()) it = cache_.insert(static_cast<int>(p), art::draw(p, dpr));
    return *it;
}

void BoardView::paintImage(QPainter& painter, const Image& img) {
    if (!img.visible || img.pic == Pic::None || img.pic == Pic::Blank) return;
    painter.drawPixmap(QPoint(img.rect.x, img.rect.y), picture(img.pic));
}

void BoardView::paintLabel(QPainter& painter, const Label& label) {
    if (!label.visible || label.text.empty()) return;
    painter.setFont(labelFont(label.font));
    painter.setPen(QColor(255, 255, 0));
    painter.drawText(qrect(label.rect), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(label.text));
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 128, 0));
    if (model_.background != Pic::Title)  // the title never comes back in a run
        cache_.remove(static_cast<int>(Pic::Title));
    painter.drawPixmap(0, 0, picture(model_.background));
    forEachImage(model_, [&](const Image& img) { paintImage(painter, img); });
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(Qt::NoBrush);
    for (const Shape& s : model_.Shape1)
        if (s.visible)
            painter.drawRect(QRectF(s.rect.x + 1.5, s.rect.y + 1.5, s.rect.w - 3, s.rect.h - 3));
    for (const Label* l : {&model_.Label1, &model_.Label2, &model_.Label3})
        paintLabel(painter, *l);
}

void BoardView::refresh() {
    const uint64_t now = fingerprint(model_);
    if (now == shown_) return;
    shown_ = now;
    update();
}

BoardView::Hit BoardView::hitTest(QPoint p) const {
    // Later members are drawn on top, so they answer first; transparent parts answer too.
    for (int i = 3; i >= 0; --i)
        if (model_.DICE[i].rect.contains(p.x(), p.y())) return {Control::DICE, i};
    for (int i = 19; i >= 0; --i)
        if (model_.MED[i].rect.contains(p.x(), p.y())) return {Control::MED, i};
    for (int i = 479; i >= 0; --i)
        if (model_.PLACE[i].rect.contains(p.x(), p.y())) return {Control::PLACE, i};
    return {};
}

void BoardView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = hitTest(e->position().toPoint());
    afterDouble_ = false;
}

void BoardView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || afterDouble_) return;
    const Hit h = hitTest(e->position().toPoint());
    const Hit pressed = std::exchange(pressed_, Hit{});  // the handler may run other events
    if (h.control != Control::None && h.control == pressed.control && h.index == pressed.index)
        sink_(Event::click(h.control, h.index));
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const Hit h = hitTest(e->position().toPoint());
    afterDouble_ = true;
    if (h.control == Control::DICE)
        sink_(Event::dblClick(h.control, h.index));
    else if (h.control != Control::None)
        sink_(Event::click(h.control, h.index));
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
    const Hit h = hitTest(e->position().toPoint());
    if (h.control == Control::PLACE || h.control == Control::MED)
        sink_(Event::mouseMove(h.control, h.index));
}

}  // namespace tavorin
