// The pictures the windows draw themselves: the help icon, the race navigation and the
// legend of the place colours.
#pragma once

class QPainter;
class QRect;

namespace sg {

void DrawHelpIcon(QPainter& painter, const QRect& area);

// 101 x 26 pixels: a left arrow, "Numéro" over "Dernière", a right arrow. Where each zone
// lies is decided in twips by the navigation rules; the drawing follows them.
void DrawRaceNavigation(QPainter& painter, const QRect& area);

// The five place colours with "1er" to "5ème".
void DrawPlaceLegend(QPainter& painter, const QRect& area);

} // namespace sg
