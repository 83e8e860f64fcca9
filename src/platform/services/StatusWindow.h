#pragma once

#include <QWidget>

class QLabel;
class QPixmap;
class QProgressBar;

// The small window that tells what the plug-in is doing while it starts:
// the product picture, one text line and a progress bar. Its widgets are
// named "picture", "statusText" and "progress".
class StatusWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StatusWindow(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    // Progress in percent; values outside 0..100 are clamped.
    void setProgress(int percent);
    int progress() const;
    // Empties the text line and sets the progress back to 0.
    void clear();
    void setPicture(const QPixmap &picture);

private:
    QLabel *m_picture;
    QLabel *m_text;
    QProgressBar *m_progress;
};
