#pragma once

#include "params/cParamTextBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

// A text box wired to its parameter the way the main form wires it: changes,
// typed keys (a key the parameter turns into 0 is dropped) and focus loss.
class TextBoxHarness : public QObject
{
public:
    explicit TextBoxHarness(cParamTextBox &param) : m_param(param)
    {
        param.setTextBoxControl(&edit);
        QObject::connect(&edit, &QLineEdit::textChanged, &edit, [this] { m_param.TextBox_Change_Event(); });
        edit.installEventFilter(this);
    }

    QLineEdit edit;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &edit && event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (text.size() == 1) {
                int key = text.at(0).unicode();
                m_param.TextBox_KeyPress_Event(key);
                if (key == 0)
                    return true;
            }
        }
        if (watched == &edit && event->type() == QEvent::FocusOut)
            m_param.TextBox_LostFocus_Event();
        return QObject::eventFilter(watched, event);
    }

private:
    cParamTextBox &m_param;
};
