#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// The bar left of the tab strip: one group, captioned with the product name,
// whose button "Configuration" (key "0") selects the configuration tab strip.
class ButtonBar : public QFrame
{
    Q_OBJECT
public:
    explicit ButtonBar(QWidget *parent = nullptr);
    QToolButton *Button() const { return m_button; }
    QString SelectedKey() const { return QStringLiteral("0"); }
    void LoadCaptions();

Q_SIGNALS:
    void ButtonClicked(const QString &key);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_group;
    QToolButton *m_button;
};
