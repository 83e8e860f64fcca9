#pragma once

class QLineEdit;

// Shows whether the number in a text box lies inside its range: outside, the
// text is red on a light red background; inside, the box takes its normal
// colours again. The box also carries the property "outOfRange" (bool).
class RangeMarker
{
public:
    // Marks edit for value; returns whether min <= value <= max.
    static bool mark(QLineEdit *edit, double value, double min, double max);
    // Marks edit for the number typed into it (an empty or non-numeric text counts as 0).
    static bool mark(QLineEdit *edit, double min, double max);
};
