#include "widgets/ctlChannel.h"

#include "widgets/DropDownComboBox.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

namespace {
// Design sizes, in twips.
QRect FrameRect()
{
    return Twips::Rect(0, 0, 5700, 510);
}
QRect LabelRect()
{
    return Twips::Rect(180, 60, 255, 195);
}
QRect ObjectComboRect()
{
    return Twips::Rect(600, 0, 1800, 315);
}
QRect TypeComboRect()
{
    return Twips::Rect(2700, 0, 2700, 315);
}

const QColor InvalidText(255, 0, 0);

// Colours arrive as 0x00BBGGRR.
QColor colourOf(quint32 bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}
quint32 bgrOf(const QColor &colour)
{
    return static_cast<quint32>(colour.red()) | (static_cast<quint32>(colour.green()) << 8) |
           (static_cast<quint32>(colour.blue()) << 16);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// "text:itemData"; a missing colon gives empty item data, anything after a
// second colon is dropped.
std::pair<QString, QString> splitEntry(const QString &entry)
{
    const QStringList fields = entry.split(QLatin1Char(':'));
    return {fields.value(0), fields.value(1)};
}
} // namespace

ctlChannel::ctlChannel(QWidget *parent) : QWidget(parent)
{
    // The frame is the background only. The label and the lists lie in front
    // of it as its siblings, so that the frame's colour cannot reach the lists
    // through palette inheritance.
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setFrameShape(QFrame::NoFrame);
    m_frame->setAutoFillBackground(true);

    m_lblChannel = new QLabel(this);
    m_lblChannel->setObjectName(QStringLiteral("lblChannel"));
    m_lblChannel->setText(QString::number(m_channelNo));

    m_cboObject = new DropDownComboBox(this);
    m_cboObject->setObjectName(QStringLiteral("cboObject"));
    m_cboType = new DropDownComboBox(this);
    m_cboType->setObjectName(QStringLiteral("cboType"));

    connect(m_cboObject, &DropDownComboBox::aboutToChoose, this, &ctlChannel::RefreshObjectList);
    connect(m_cboType, &DropDownComboBox::aboutToChoose, this, &ctlChannel::refreshTypeList);
    connect(m_cboObject, &QComboBox::activated, this, &ctlChannel::onObjectActivated);
    connect(m_cboType, &QComboBox::activated, this, &ctlChannel::onTypeActivated);

    placeChildren();
}

ctlChannel::~ctlChannel() = default;

void ctlChannel::placeChildren()
{
    m_frame->setGeometry(FrameRect());
    m_lblChannel->setGeometry(LabelRect());
    m_cboObject->setGeometry(ObjectComboRect());
    m_cboType->setGeometry(TypeComboRect());
    m_frame->lower();
    // A container's layout cannot stretch or squeeze a row.
    setFixedSize(FrameRect().size());
}

quint8 ctlChannel::ChannelNo() const
{
    return m_channelNo;
}

void ctlChannel::setChannelNo(quint8 channelNo)
{
    m_channelNo = channelNo;
    m_lblChannel->setText(QString::number(channelNo));
}

const QVariant &ctlChannel::Tag() const
{
    return m_tag;
}

void ctlChannel::setTag(const QVariant &tag)
{
    m_tag = tag;
}

// --- object list ---------------------------------------------------------------

void ctlChannel::setObjectComboEnabled(bool enabled)
{
    m_cboObject->setEnabled(enabled);
}

bool ctlChannel::ObjectComboEnabled() const
{
    // The row's own state: a page out of sight disables everything on it.
    return m_cboObject->isEnabledTo(this);
}

void ctlChannel::ClearObjectCombo()
{
    m_objectItemData = QStringList();
    m_cboObject->clear();
}

void ctlChannel::AddObjectComboItem(const QString &text, const QString &itemData)
{
    m_objectItemData.append(itemData);
    addEntry(m_cboObject, text, static_cast<int>(m_objectItemData.size()));
}

void ctlChannel::SetObjectComboItem(qint16 itemIndex)
{
    selectSilently(m_cboObject, itemIndex);
}

void ctlChannel::SetObjectComboItemByItemData(const QString &itemData)
{
    const qsizetype position = m_objectItemData.indexOf(itemData);
    if (position >= 0) {
        SetObjectComboItem(static_cast<qint16>(position));
        return;
    }
    // Without its object the channel has no type to choose from.
    SetObjectComboItem(-1);
    SetTypeComboItem(-1);
    setTypeComboEnabled(false);
}

const QStringList &ctlChannel::ObjectItemData() const
{
    return m_objectItemData;
}

QString ctlChannel::GetCurrentObjectComboItemData() const
{
    return itemDataOf(m_cboObject, m_cboObject->currentIndex(), m_objectItemData);
}

// --- type list -------------------------------------------------------------------

void ctlChannel::setTypeComboEnabled(bool enabled)
{
    m_cboType->setEnabled(enabled);
}

bool ctlChannel::TypeComboEnabled() const
{
    return m_cboType->isEnabledTo(this);
}

void ctlChannel::setTypeComboValid(bool valid)
{
    if (valid) {
        // Back to the colours the list inherits, whatever the theme is now.
        m_cboType->setPalette(QPalette());
        return;
    }
    QPalette palette = m_cboType->palette();
    palette.setColor(QPalette::ButtonText, InvalidText);
    palette.setColor(QPalette::Text, InvalidText);
    m_cboType->setPalette(palette);
}

bool ctlChannel::TypeComboValid() const
{
    // The text colour itself is the state, so nothing else can drift from
    // it. Read in the active group: a row on a page out of sight is disabled.
    return m_cboType->palette().color(QPalette::Active, QPalette::ButtonText) ==
           QApplication::palette(m_cboType).color(QPalette::Active, QPalette::ButtonText);
}

const QStringList &ctlChannel::TypeComboItemData() const
{
    return m_typeItemData;
}

void ctlChannel::ClearTypeCombo()
{
    m_typeItemData = QStringList();
    m_cboType->clear();
}

void ctlChannel::AddTypeComboItem(const QString &text, const QString &itemData)
{
    m_typeItemData.append(itemData);
    addEntry(m_cboType, text, static_cast<int>(m_typeItemData.size()));
}

void ctlChannel::SetTypeComboItem(qint16 itemIndex)
{
    selectSilently(m_cboType, itemIndex);
}

void ctlChannel::SetTypeComboItemByItemData(const QString &itemData)
{
    const qsizetype position = m_typeItemData.indexOf(itemData);
    SetTypeComboItem(position >= 0 ? static_cast<qint16>(position) : qint16(-1));
}

QString ctlChannel::GetCurrentTypeComboItemText() const
{
    return m_cboType->currentIndex() < 0 ? QString() : m_cboType->currentText();
}

QString ctlChannel::GetCurrentTypeComboItemData() const
{
    return itemDataOf(m_cboType, m_cboType->currentIndex(), m_typeItemData);
}

// --- appearance and state -----------------------------------------------------

quint32 ctlChannel::BackColor() const
{
    return bgrOf(m_frame->palette().color(m_frame->backgroundRole()));
}

void ctlChannel::setBackColor(quint32 colour)
{
    setBackground(m_frame, colourOf(colour));
    setBackground(m_lblChannel, colourOf(colour));
}

bool ctlChannel::SuppressEvents() const
{
    return m_suppressEvents;
}

// --- private -------------------------------------------------------------------

void ctlChannel::addEntry(DropDownComboBox *combo, const QString &text, int itemValue)
{
    // The combo box would select the first entry of an empty list by itself;
    // a new entry never changes the selection.
    const int selected = combo->currentIndex();
    combo->addItem(text, itemValue);
    if (combo->currentIndex() != selected)
        selectSilently(combo, static_cast<qint16>(selected));
}

void ctlChannel::selectSilently(DropDownComboBox *combo, qint16 itemIndex)
{
    m_suppressEvents = true;
    combo->setCurrentIndex(itemIndex);
    m_suppressEvents = false;
}

QString ctlChannel::itemDataOf(const DropDownComboBox *combo, int index, const QStringList &itemData)
{
    if (index < 0)
        return {};
    // Each entry carries its 1-based position in the item-data list.
    return itemData.value(combo->itemData(index).toInt() - 1);
}

void ctlChannel::RefreshObjectList()
{
    if (m_suppressEvents)
        return;
    const QString selected = GetCurrentObjectComboItemData();
    QStringList entries;
    Q_EMIT ObjectComboDropDown(entries);
    ClearObjectCombo();
    for (const QString &entry : std::as_const(entries)) {
        const auto [text, itemData] = splitEntry(entry);
        AddObjectComboItem(text, itemData);
    }
    if (!selected.isEmpty())
        SetObjectComboItemByItemData(selected);
}

void ctlChannel::refreshTypeList()
{
    if (m_suppressEvents)
        return;
    const QString selected = GetCurrentTypeComboItemData();
    QStringList entries;
    Q_EMIT TypeComboDropDown(entries);
    ClearTypeCombo();
    for (const QString &entry : std::as_const(entries)) {
        const auto [text, itemData] = splitEntry(entry);
        AddTypeComboItem(text, itemData);
    }
    if (!selected.isEmpty())
        SetTypeComboItemByItemData(selected);
}

void ctlChannel::onObjectActivated(int index)
{
    if (m_suppressEvents || index < 0)
        return;
    Q_EMIT ObjectChanged(m_cboObject->itemText(index), itemDataOf(m_cboObject, index, m_objectItemData));
}

void ctlChannel::onTypeActivated(int index)
{
    if (m_suppressEvents || index < 0)
        return;
    Q_EMIT TypeChanged(m_cboType->itemText(index), itemDataOf(m_cboType, index, m_typeItemData));
}
