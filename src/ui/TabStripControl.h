#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QWidget>

class QFrame;
class TabRows;

// A tab strip whose tabs carry a key ("KEY:n"), a caption, a tool tip and a
// tag (a number, a text or an object). It only draws the tabs and the framed
// panel under them; the window lays its page frames over ClientArea().
// Positions are 0-based.
class TabStripControl : public QWidget
{
    Q_OBJECT
public:
    explicit TabStripControl(QWidget *parent = nullptr);

    int Count() const;
    QString Key(int position) const;
    QString Caption(int position) const;
    QString ToolTipText(int position) const;
    // A QObject* for an object tag, any other value as given.
    QVariant Tag(int position) const;

    // position == Count() (or beyond) appends; returns the position taken.
    int InsertTab(int position, const QString &key, const QString &caption, const QString &toolTip,
                  const QVariant &tag);
    // The selected tab's neighbour becomes selected when it is removed.
    void RemoveTab(int position);
    // -1 when no tab has this key.
    int PositionOfKey(const QString &key) const;
    void SetCaption(int position, const QString &caption);
    void SetToolTipText(int position, const QString &toolTip);
    void SetTag(int position, const QVariant &tag);

    // -1 when there are no tabs.
    int SelectedPosition() const;
    // Selecting by program does not count as a click.
    void Select(int position);
    QString SelectedKey() const;

    // The inside of the panel below the tabs, in the parent widget's
    // coordinates (the control's own when it has no parent).
    QRect ClientArea() const;
    TabRows *Bar() const;

    // The number after ":" of a key ("KEY:7" gives 7); -1 without ":" or
    // without a number after it.
    static int KeyNumber(const QString &key);

Q_SIGNALS:
    // The user selected a tab (or clicked the selected one): its key number.
    void TabClicked(int keyNo);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TabData
    {
        QString key;
        QVariant tag;
    };

    bool validPosition(int position) const;
    void arrange();
    void onCurrentChanged(int position);
    void onBarClicked(int position);

    TabRows *m_bar = nullptr;
    QFrame *m_panel = nullptr;
    QList<TabData> m_tabs;
    // Set while the program changes the tabs, so the bar's own selection
    // changes are not taken for the user's.
    bool m_programChange = false;
};
