#pragma once

#include <QRect>

class QScreen;

// The window's design distances are in twips (1440 to the inch). They are
// turned into Qt's logical pixels with the screen's logical resolution,
// taken once; Qt maps logical pixels to device pixels with the screen's
// device pixel ratio, so a design keeps its size on dense screens.
class Twips
{
public:
    // Logical pixels per inch of the screen (96 when there is none yet).
    static double PixelsPerInch();
    // For tests and for a window that moved to another screen.
    static void setPixelsPerInch(double pixelsPerInch);

    static int ToPixels(double twips);
    static double FromPixels(int pixels);
    static QRect Rect(double left, double top, double width, double height);
};
