#include "ui/ObjectsPage.h"

#include "ui/TitledLine.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QRegularExpressionValidator>

ObjectsPage::ObjectsPage(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pageObjects"));
    auto *title = new TitledLine(QStringLiteral("1039"), this);
    title->setObjectName(QStringLiteral("linObjects"));
    title->setGeometry(Twips::Rect(120, 120, 6300 - 240, 300));
    for (int n = 1; n <= Fields; ++n) {
        const double left = n <= 8 ? 660 : 3450;
        const double top = 600 + 480 * ((n - 1) % 8);
        auto *number = new QLabel(QStringLiteral("%1.").arg(n), this);
        number->setObjectName(QStringLiteral("lblName%1").arg(n));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setGeometry(Twips::Rect(left - 480, top, 420, 285));
        auto *field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("txtName%1").arg(n));
        field->setGeometry(Twips::Rect(left, top, 2100, 285));
        // LonMark object names are kept short by the network tools, and "\"
        // separates the levels of an object name: a name must not hold one.
        field->setMaxLength(64);
        field->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\\\]*")), field));
        m_fields.at(static_cast<size_t>(n - 1)) = field;
        connect(field, &QLineEdit::textEdited, this,
                [this, n](const QString &text) { Q_EMIT NameEdited(n, text); });
    }
}

QList<QWidget *> ObjectsPage::FocusOrder() const
{
    return QList<QWidget *>(m_fields.cbegin(), m_fields.cend());
}

void ObjectsPage::SetName(int n, const QString &name)
{
    Field(n)->setText(name);
}
