#pragma once

#include <QString>
#include <QVariant>

class QObject;
class cTabs;

// The lasting record of one designed tab: it keeps the tab's place, key,
// caption, tool tip and tag while the tab is removed from its strip.
class cTab
{
public:
    cTabs *Parent() const { return m_parent; }

    // The 1-based position the tab had when it was recorded.
    int Index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    QString Key() const { return m_key; }
    void setKey(const QString &key) { m_key = key; }
    QString ToolTipText() const { return m_toolTipText; }
    void setToolTipText(const QString &toolTip) { m_toolTipText = toolTip; }

    // An object tag comes back as the same QObject*; the record does not own it.
    QVariant Tag() const { return m_tag; }
    void setTag(QObject *object);
    void setTag(const QVariant &value) { m_tag = value; }

    QString Caption() const { return m_caption; }
    // Also renames the tab with this record's key when the strip shows it.
    void setCaption(const QString &caption);

private:
    friend class cTabs;
    explicit cTab(cTabs *parent) : m_parent(parent) {}

    cTabs *m_parent;
    int m_index = 0;
    QString m_key;
    QString m_caption;
    QString m_toolTipText;
    QVariant m_tag;
};
