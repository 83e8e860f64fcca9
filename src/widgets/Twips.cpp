#include "widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
constexpr double TwipsPerInch = 1440.0;
double g_pixelsPerInch = 0.0;
} // namespace

double Twips::PixelsPerInch()
{
    if (g_pixelsPerInch <= 0.0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        g_pixelsPerInch = screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    }
    return g_pixelsPerInch;
}

void Twips::setPixelsPerInch(double pixelsPerInch)
{
    g_pixelsPerInch = pixelsPerInch;
}

int Twips::ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips * PixelsPerInch() / TwipsPerInch));
}

double Twips::FromPixels(int pixels)
{
    return pixels * TwipsPerInch / PixelsPerInch();
}

QRect Twips::Rect(double left, double top, double width, double height)
{
    return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}
