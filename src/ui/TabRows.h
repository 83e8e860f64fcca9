#pragma once

#include <QList>
#include <QString>
#include <QWidget>

// The tabs of a tab strip in as many rows as the strip's width needs, the
// row of the selected tab next to the page, as a Windows tab control with
// several rows draws them. A single row never scrolls its tabs out of view.
// Positions are 0-based.
class TabRows : public QWidget
{
    Q_OBJECT
public:
    explicit TabRows(QWidget *parent = nullptr);

    int count() const { return static_cast<int>(m_tabs.size()); }
    int insertTab(int position, const QString &text);
    void removeTab(int position);
    QString tabText(int position) const;
    void setTabText(int position, const QString &text);
    QString tabToolTip(int position) const;
    void setTabToolTip(int position, const QString &toolTip);
    int currentIndex() const { return m_current; }
    // Selects without reporting it: only the user's selection is announced.
    void setCurrentIndex(int position);
    QRect tabRect(int position) const;
    int rowCount() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The user selected another tab.
    void currentChanged(int position);
    // The user pressed a tab, the selected one too.
    void tabBarClicked(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Tab
    {
        QString text;
        QString toolTip;
    };
    struct Layout
    {
        QList<QRect> rects;
        int rows = 0;
        int rowHeight = 0;
    };
    QSize tabSize(int position) const;
    int tabHeight() const;
    // Rows filled from the left; the selected tab's row is moved to the bottom.
    Layout layoutFor(int width) const;
    int tabAt(const QPoint &point) const;
    void userSelects(int position);
    void changed();

    QList<Tab> m_tabs;
    int m_current = -1;
};
