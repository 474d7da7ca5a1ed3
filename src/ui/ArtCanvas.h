#pragma once
// What every picture is painted on: a transparent image of its logical size times the device
// pixel ratio.
#include <QColor>
#include <QImage>

#include "game/Model.h"

namespace tavorin::art {

inline QImage canvas(Size s, qreal dpr) {
    QImage img(qRound(s.w * dpr), qRound(s.h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

inline QColor withAlpha(QColor c, int a) {
    c.setAlpha(a);
    return c;
}

}  // namespace tavorin::art
