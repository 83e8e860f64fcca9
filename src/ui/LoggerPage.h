#pragma once

#include "params/LogService.h"

#include <QListWidget>

// The Logger page: every line the workflows wrote, in its colour and weight,
// the newest in view.
class LoggerPage : public QListWidget
{
    Q_OBJECT
public:
    explicit LoggerPage(QWidget *parent = nullptr);

    // 0x00BBGGRR as the log keeps it.
    static QColor toColor(int colour);

private:
    void addLine(const LogLine &line);
};
