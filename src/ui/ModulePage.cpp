#include "ui/ModulePage.h"

#include "host/ResourceStrings.h"
#include "ui/TitledLine.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <algorithm>

ModulePage::ModulePage(int slot, QWidget *parent)
    : QFrame(parent), m_slot(slot), m_title(new TitledLine(QString(), this))
{
    setObjectName(QStringLiteral("pageModule%1").arg(slot));
    m_title->setObjectName(QStringLiteral("linModule%1").arg(slot));
    m_title->setGeometry(Twips::Rect(120, 120, 6300 - 240, 300));
    LoadCaption();
    struct Header
    {
        const char *tag;
        double left, width;
        const char *name;
    };
    for (const Header &h : {Header{"1041", 240, 465, "lblChannel"}, Header{"1042", 780, 1590, "lblObject"},
                            Header{"1043", 2880, 2490, "lblType"}}) {
        auto *label = new QLabel(ResourceStrings::LoadResString(QString::fromLatin1(h.tag).toInt()), this);
        label->setObjectName(QLatin1String(h.name));
        label->setProperty("tag", QLatin1String(h.tag));
        label->setGeometry(Twips::Rect(h.left, 600, h.width, 255));
    }
}

QList<QWidget *> ModulePage::FocusOrder() const
{
    // The configuration places the rows; a row on its way out is hidden.
    QList<QWidget *> rows;
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && child->findChild<QComboBox *>())
            rows << child;
    }
    const auto above = [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); };
    std::sort(rows.begin(), rows.end(), above);
    QList<QWidget *> order;
    for (const QWidget *row : std::as_const(rows)) {
        QList<QComboBox *> lists = row->findChildren<QComboBox *>();
        std::sort(lists.begin(), lists.end(),
                  [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
        order.append(QList<QWidget *>(lists.cbegin(), lists.cend()));
    }
    return order;
}

void ModulePage::LoadCaption()
{
    m_title->Title()->setText(ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(m_slot)}));
    m_title->update();
}
