#pragma once

#include <QDialog>

class QLabel;

// Names the product and its version: the product picture, the title and the
// version line in the current language, closed with its OK button.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The version line, "velto tarvina RX24 (2.0.15)".
    static QString versionLine(int major, int minor, int revision);

    // Shows the dialog modally (through the dialog seam: nothing blocks
    // where nobody could close it).
    static void showAbout(QWidget *parent = nullptr);

private:
    QLabel *m_picture;
    QLabel *m_version;
};
