#pragma once
// The die faces, drawn as a cube in three-quarter view.
#include <QImage>

#include "game/Model.h"

namespace tavorin::art {

// The face picture p (Die1..Die6) at device pixel ratio dpr.
QImage dieImage(Pic p, qreal dpr);

}  // namespace tavorin::art
