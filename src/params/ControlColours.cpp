#include "params/ControlColours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {
// Text boxes and combo lists draw their text in Text, captions in
// WindowText or ButtonText depending on the style: set all three.
constexpr QPalette::ColorRole TextRoles[] = {QPalette::Text, QPalette::WindowText, QPalette::ButtonText};
} // namespace

QColor ControlColours::toQColor(quint32 bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

void ControlColours::setBackground(QWidget *control, bool buttonFace)
{
    if (!control)
        return;
    const QPalette standard = QApplication::palette(control);
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, standard.color(buttonFace ? QPalette::Button : QPalette::Base));
    control->setPalette(palette);
    control->setProperty("buttonFace", buttonFace);
}

void ControlColours::setTextColour(QWidget *control, quint32 bgr)
{
    if (!control)
        return;
    QPalette palette = control->palette();
    for (const QPalette::ColorRole role : TextRoles)
        palette.setColor(role, toQColor(bgr));
    control->setPalette(palette);
}

void ControlColours::setNormalTextColour(QWidget *control)
{
    if (!control)
        return;
    const QPalette standard = QApplication::palette(control);
    QPalette palette = control->palette();
    for (const QPalette::ColorRole role : TextRoles) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, standard.color(group, role));
    }
    control->setPalette(palette);
}

QColor ControlColours::textColour(const QWidget *control)
{
    return control ? control->palette().color(QPalette::Active, QPalette::Text) : QColor();
}
