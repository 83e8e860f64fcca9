#pragma once

#include <QColor>

class QWidget;

// The colours a parameter gives its control. Colours travel as 0x00BBGGRR
// values, as in the rest of the program; 255 is red.
namespace ControlColours {
constexpr quint32 Red = 255;

QColor toQColor(quint32 bgr);
// Background of an input control: the window colour, or the button-face
// colour of a greyed control.
void setBackground(QWidget *control, bool buttonFace);
// Text colour of a control (its caption for check boxes and option buttons);
// normal = the style's own text colour again.
void setTextColour(QWidget *control, quint32 bgr);
void setNormalTextColour(QWidget *control);
// The text colour the control shows at the moment.
QColor textColour(const QWidget *control);
} // namespace ControlColours
