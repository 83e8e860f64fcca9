#include "ui/ObjectsPage.h"

#include "host/ResourceStrings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

ObjectsPage::ObjectsPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pageObjects"));
    auto *box = new QGroupBox(ResourceStrings::LoadResString(1039), this);
    auto *grid = new QGridLayout(box);
    for (int n = 1; n <= Fields; ++n) {
        const int column = n <= 8 ? 0 : 2;
        const int row = (n - 1) % 8;
        grid->addWidget(new QLabel(QStringLiteral("%1.").arg(n), box), row, column, Qt::AlignRight);
        auto *field = new QLineEdit(box);
        field->setObjectName(QStringLiteral("txtName%1").arg(n));
        // LonMark object names are kept short by the network tools.
        field->setMaxLength(64);
        grid->addWidget(field, row, column + 1);
        m_fields.at(static_cast<size_t>(n - 1)) = field;
        connect(field, &QLineEdit::textEdited, this,
                [this, n](const QString &text) { Q_EMIT NameEdited(n, text); });
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();
}

void ObjectsPage::SetName(int n, const QString &name)
{
    Field(n)->setText(name);
}
