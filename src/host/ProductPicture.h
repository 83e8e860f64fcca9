#pragma once

#include <QPixmap>

// The picture of the controller shown by the status window and the About
// dialog: a DIN-rail housing with its eight module slots, drawn once.
class ProductPicture
{
public:
    static QPixmap pixmap();
};
