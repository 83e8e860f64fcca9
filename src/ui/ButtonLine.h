#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The line under the pages: the status text and OK, Cancel and Apply.
// While a workflow runs it is busy, and says so.
class ButtonLine : public QWidget
{
    Q_OBJECT
public:
    explicit ButtonLine(QWidget *parent = nullptr);
    QPushButton *Ok() const { return m_ok; }
    QPushButton *Cancel() const { return m_cancel; }
    QPushButton *Apply() const { return m_apply; }
    QLabel *Status() const { return m_status; }
    void LoadCaptions();
    void setBusy(bool busy);
    bool Busy() const { return m_busy; }

Q_SIGNALS:
    void BusyChanged(bool busy);

private:
    QLabel *m_status;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_apply;
    bool m_busy = false;
};
