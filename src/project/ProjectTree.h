#pragma once

#include <QTreeWidget>

// The networks of the project and, below each, its system and subsystem
// levels as the device names show them ("LNS System" › "Floor 1" › "Room 2").
class ProjectTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ProjectTree(QWidget *parent = nullptr);

    // paths: the subsystem paths of each network, "LNS System.Floor 1".
    void fill(const QList<std::pair<QString, QStringList>> &networks);
    // The chosen network and subsystem path (empty: the whole network).
    QString network() const;
    QString path() const;
    // Chooses the level; false when the tree has no such level.
    bool choose(const QString &network, const QString &path = QString());

Q_SIGNALS:
    void chosen(const QString &network, const QString &path);

private:
    QTreeWidgetItem *itemOf(const QString &network, const QString &path) const;
};
