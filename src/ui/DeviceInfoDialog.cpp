#include "ui/DeviceInfoDialog.h"

#include "host/DeviceAccess.h"
#include "host/LnsAncestor.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsLonMarkObject.h"
#include "platform/lns/LnsSubsystem.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int Texts = 1380;

QString text(int item)
{
    return ResourceStrings::LoadResString(Texts, item);
}
} // namespace

DeviceInfoDialog::DeviceInfoDialog(const QString &title, QWidget *owner)
    : QDialog(owner), m_name(new QLabel(this)), m_programId(new QLabel(this)), m_subsystem(new QLabel(this)),
      m_state(new QLabel(this)), m_objects(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmDeviceInfo"));
    setWindowTitle(title.isEmpty() ? text(1) : title + QStringLiteral(" - ") + text(1));
    m_name->setObjectName(QStringLiteral("lblDeviceName"));
    m_programId->setObjectName(QStringLiteral("lblProgramId"));
    m_subsystem->setObjectName(QStringLiteral("lblSubsystem"));
    m_state->setObjectName(QStringLiteral("lblState"));
    m_objects->setObjectName(QStringLiteral("lstObjects"));
    for (QLabel *label : {m_name, m_programId, m_subsystem, m_state})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *form = new QFormLayout;
    form->addRow(text(2), m_name);
    form->addRow(text(3), m_programId);
    form->addRow(text(4), m_subsystem);
    form->addRow(text(5), m_state);
    form->addRow(text(6), m_objects);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(text(9), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    fill();
}

void DeviceInfoDialog::fill()
{
    const LnsRef<LnsAppDevice> device = PlugInGlobals::Session.device;
    if (!device)
        return;
    // Each fact on its own: a device that stopped answering still has a name.
    try {
        m_name->setText(device->name());
        m_programId->setText(device->programId());
        const auto subsystem = LnsAncestor::findAs<LnsSubsystem>(device, LnsClassId::Subsystem);
        m_subsystem->setText(subsystem ? subsystem->path() : QString());
    } catch (const std::exception &) {
    }
    try {
        const auto objects = device->lonMarkObjects();
        // Numbered as on the Objects page: the node object comes first and
        // has no number, channel object n lies at position n + 1.
        for (int position = 1; objects && position <= objects->count(); ++position) {
            const QString name = objects->item(position)->name();
            m_objects->addItem(position == 1 ? name : QStringLiteral("%1. %2").arg(position - 1).arg(name));
        }
    } catch (const std::exception &) {
    }
    // Asked now, not taken from an earlier check: the user wants to know.
    m_state->setText(text(DeviceAccess::DeviceIsAccessible(device, true) ? 7 : 8));
}

void DeviceInfoDialog::showDeviceInfo(const QString &title, QWidget *owner)
{
    DeviceInfoDialog dialog(title, owner);
    dialog.exec();
}
