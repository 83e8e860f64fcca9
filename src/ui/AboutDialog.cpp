#include "ui/AboutDialog.h"

#include "host/AppVersion.h"
#include "host/ProductPicture.h"
#include "host/ResourceStrings.h"
#include "platform/services/MessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), m_picture(new QLabel(this)), m_version(new QLabel(this))
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(ResourceStrings::LoadResString(1850));
    setModal(true);

    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setPixmap(ProductPicture::pixmap());
    m_version->setObjectName(QStringLiteral("versionLine"));
    m_version->setText(versionLine(AppVersion::Major, AppVersion::Minor, AppVersion::Revision));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    row->addWidget(m_picture);
    row->addWidget(m_version, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString AboutDialog::versionLine(int major, int minor, int revision)
{
    return ResourceStrings::LoadResString(1851, 1, {AppVersion::fullVersionText(major, minor, revision)});
}

void AboutDialog::showAbout(QWidget *parent)
{
    AboutDialog dialog(parent);
    MessageBox::showDialog(dialog, dialog.m_version->text());
}
