#include "project/ProjectTree.h"

#include "project/ProjectTexts.h"

#include <QHeaderView>

namespace {
constexpr int NetworkRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;
} // namespace

ProjectTree::ProjectTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("projectTree"));
    setHeaderLabel(ProjectTexts::caption(ProjectTexts::TreeHeading));
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            Q_EMIT chosen(item->data(0, NetworkRole).toString(), item->data(0, PathRole).toString());
    });
}

void ProjectTree::fill(const QList<std::pair<QString, QStringList>> &networks)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const auto &[network, paths] : networks) {
        auto *top = new QTreeWidgetItem(this, {network});
        top->setData(0, NetworkRole, network);
        QHash<QString, QTreeWidgetItem *> levels;
        for (const QString &path : paths) {
            // Every level on the way gets an item, also one that holds no subsystem row.
            QTreeWidgetItem *parent = top;
            QString sofar;
            for (const QString &level : path.split(QLatin1Char('.'))) {
                sofar += (sofar.isEmpty() ? QString() : QStringLiteral(".")) + level;
                QTreeWidgetItem *&item = levels[sofar];
                if (!item) {
                    item = new QTreeWidgetItem(parent, {level});
                    item->setData(0, NetworkRole, network);
                    item->setData(0, PathRole, sofar);
                }
                parent = item;
            }
        }
        top->setExpanded(true);
        if (top->childCount() == 1)
            top->child(0)->setExpanded(true);
    }
}

QString ProjectTree::network() const
{
    return currentItem() ? currentItem()->data(0, NetworkRole).toString() : QString();
}

QString ProjectTree::path() const
{
    return currentItem() ? currentItem()->data(0, PathRole).toString() : QString();
}

bool ProjectTree::choose(const QString &network, const QString &path)
{
    QTreeWidgetItem *item = itemOf(network, path);
    if (item)
        setCurrentItem(item);
    return item != nullptr;
}

QTreeWidgetItem *ProjectTree::itemOf(const QString &network, const QString &path) const
{
    for (QTreeWidgetItemIterator it(const_cast<ProjectTree *>(this)); *it; ++it) {
        if ((*it)->data(0, NetworkRole).toString() == network && (*it)->data(0, PathRole).toString() == path)
            return *it;
    }
    return nullptr;
}
