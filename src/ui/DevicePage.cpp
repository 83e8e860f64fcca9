#include "ui/DevicePage.h"

#include "host/ResourceStrings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DevicePage::DevicePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pageDevice"));
    auto *box = new QGroupBox(ResourceStrings::LoadResString(1030), this);
    m_grid = new QGridLayout(box);
    for (int n = 1; n <= Slots; ++n) {
        auto *label =
            new QLabel(ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(n)}), box);
        label->setObjectName(QStringLiteral("lblSlot%1").arg(n));
        m_grid->addWidget(label, n - 1, 0);
        auto *button = new QPushButton(ResourceStrings::LoadResString(1032), box);
        button->setObjectName(QStringLiteral("cmdConfigure%1").arg(n));
        button->setVisible(false);
        connect(button, &QPushButton::clicked, this, [this, n] { Q_EMIT ConfigureClicked(n); });
        m_grid->addWidget(button, n - 1, 2);
        m_buttons.at(static_cast<size_t>(n - 1)) = button;
    }
    m_grid->setColumnMinimumWidth(1, 180);
    m_grid->setColumnMinimumWidth(2, 130);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();
}

void DevicePage::AttachSlotList(int slot, QComboBox *list)
{
    m_lists.at(static_cast<size_t>(slot - 1)) = list;
    m_grid->addWidget(list, slot - 1, 1);
}
