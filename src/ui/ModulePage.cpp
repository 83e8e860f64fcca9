#include "ui/ModulePage.h"

#include "host/ResourceStrings.h"

#include <QLabel>

namespace {
// Where the channel rows begin and how many a module can have (KW16).
constexpr int RowsTop = 64;
constexpr int RowHeight = 34;
constexpr int MostChannels = 16;
} // namespace

ModulePage::ModulePage(int slot, QWidget *parent) : QScrollArea(parent), m_rows(new QWidget)
{
    setObjectName(QStringLiteral("pageModule%1").arg(slot));
    m_rows->setObjectName(QStringLiteral("rowsModule%1").arg(slot));
    m_rows->setMinimumSize(400, RowsTop + RowHeight * MostChannels + 8);
    struct Header
    {
        int resource, left, width;
        const char *name;
    };
    for (const Header &h : {Header{1041, 16, 40, "lblChannel"}, Header{1042, 56, 150, "lblObject"},
                            Header{1043, 210, 170, "lblType"}}) {
        auto *label = new QLabel(ResourceStrings::LoadResString(h.resource), m_rows);
        label->setObjectName(QLatin1String(h.name));
        label->setGeometry(h.left, 40, h.width, 18);
    }
    setWidget(m_rows);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
}
