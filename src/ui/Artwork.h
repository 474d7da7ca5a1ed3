#pragma once
// The game's pictures, drawn in code so they stay crisp at any device pixel ratio.
#include <QImage>
#include <QPixmap>

#include "game/Model.h"

namespace tavorin::art {

// Draws picture p at logical size pictureSize(p) on a pixmap of that size times dpr, with
// setDevicePixelRatio(dpr), so the window stays crisp on HiDPI screens. Pic::None gives a null
// pixmap.
QPixmap draw(Pic p, qreal dpr);

// The window icon: a white die in three-quarter view showing one red pip on its top face,
// on transparency, drawn for a square of `pixels` (32, 48, 256...).
QImage drawIcon(int pixels);

// The same icon as an SVG document (for the hicolor scalable icon), as text.
QByteArray iconSvg();

}  // namespace tavorin::art
