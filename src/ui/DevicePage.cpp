#include "ui/DevicePage.h"

#include "ui/TitledLine.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
// Twips: a row every 480, the list 60 above its label's top.
constexpr double RowPitch = 480;
double rowTop(int slot)
{
    return 540 + RowPitch * (slot - 1);
}
} // namespace

DevicePage::DevicePage(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pageDevice"));
    auto *title = new TitledLine(QStringLiteral("1030"), this);
    title->setObjectName(QStringLiteral("linDevice"));
    title->setGeometry(Twips::Rect(120, 120, 6300 - 240, 300));
    for (int n = 1; n <= Slots; ++n) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblSlot%1").arg(n));
        // The window captions the slot labels for their slot number.
        label->setProperty("tag", QStringLiteral("1031"));
        label->setGeometry(Twips::Rect(360, 600 + RowPitch * (n - 1), 1100, 255));
        m_labels.at(static_cast<size_t>(n - 1)) = label;
        auto *container = new QFrame(this);
        container->setObjectName(QStringLiteral("fraConfigure%1").arg(n));
        container->setProperty("container", true);
        container->setGeometry(Twips::Rect(4020, rowTop(n), 1800, 315));
        auto *button = new QPushButton(container);
        button->setObjectName(QStringLiteral("cmdConfigure%1").arg(n));
        button->setProperty("tag", QStringLiteral("1032"));
        button->setGeometry(Twips::Rect(0, 0, 1800, 315));
        button->setVisible(false);
        connect(button, &QPushButton::clicked, this, [this, n] { Q_EMIT ConfigureClicked(n); });
        m_buttons.at(static_cast<size_t>(n - 1)) = button;
    }
}

QList<QWidget *> DevicePage::FocusOrder() const
{
    QList<QWidget *> order;
    for (int n = 1; n <= Slots; ++n) {
        if (QComboBox *list = SlotList(n))
            order << list;
        order << ConfigureButton(n);
    }
    return order;
}

void DevicePage::AttachSlotList(int slot, QComboBox *list)
{
    m_lists.at(static_cast<size_t>(slot - 1)) = list;
    list->setParent(this);
    list->setGeometry(Twips::Rect(1500, rowTop(slot), 2400, 315));
    list->show();
}
