#pragma once
// The window's client area: paints the control model and turns mouse input over a control's
// rectangle into that control array's event with the member index.
#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <functional>

#include "game/MainForm.h"

namespace tavorin {

class BoardView : public QWidget {
    Q_OBJECT
public:
    using Sink = std::function<void(const Event&)>;
    BoardView(const MainModel& model, Sink sink, QWidget* parent = nullptr);

    // The control with handlers under a point of the client area, if any.
    struct Hit {
        Control control = Control::None;
        int index = -1;
    };
    Hit hitTest(QPoint p) const;
    // Repaints only when what the model shows has changed since the last paint was asked for.
    void refresh();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    const QPixmap& picture(Pic p);
    void paintImage(QPainter& painter, const Image& img);
    void paintLabel(QPainter& painter, const Label& label);

    const MainModel& model_;
    Sink sink_;
    QHash<int, QPixmap> cache_;
    qreal cacheDpr_ = 0;
    uint64_t shown_ = 0;  // a fingerprint of what was last asked to be painted
    Hit pressed_;
    bool afterDouble_ = false;
};

}  // namespace tavorin
