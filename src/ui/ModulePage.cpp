#include "ui/ModulePage.h"

#include "host/ResourceStrings.h"
#include "ui/TitledLine.h"
#include "widgets/Twips.h"

#include <QLabel>

ModulePage::ModulePage(int slot, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pageModule%1").arg(slot));
    auto *title = new TitledLine(QString(), this);
    title->setObjectName(QStringLiteral("linModule%1").arg(slot));
    title->Title()->setText(ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(slot)}));
    title->setGeometry(Twips::Rect(120, 120, 6300 - 240, 300));
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
