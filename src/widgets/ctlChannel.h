#pragma once

#include <QFrame>
#include <QStringList>
#include <QVariant>

class DropDownComboBox;
class QLabel;

// One channel row of a module page: the channel number, the list of LonMark
// objects the channel can be bound to and the list of functions ("types") of
// the bound object. It holds no configuration logic: the channel of the
// model fills and selects the lists and answers the four signals. Each entry
// keeps an item-data string beside its text; a list asks its owner for fresh
// contents before every choice, whether it is opened or changed closed by a
// key or the wheel. The row always keeps its design size.
class ctlChannel : public QWidget
{
    Q_OBJECT
public:
    explicit ctlChannel(QWidget *parent = nullptr);
    ~ctlChannel() override;

    quint8 ChannelNo() const;
    void setChannelNo(quint8 channelNo);
    const QVariant &Tag() const;
    void setTag(const QVariant &tag);

    void setObjectComboEnabled(bool enabled);
    bool ObjectComboEnabled() const;
    void ClearObjectCombo();
    void AddObjectComboItem(const QString &text, const QString &itemData = QString());
    // 0-based; -1 clears the selection. Never signals the owner.
    void SetObjectComboItem(qint16 itemIndex);
    // The first entry with exactly this item data; none: object and type
    // selection cleared and the type list disabled.
    void SetObjectComboItemByItemData(const QString &itemData);
    const QStringList &ObjectItemData() const;
    // Item data of the selected object entry; empty when none.
    QString GetCurrentObjectComboItemData() const;

    void setTypeComboEnabled(bool enabled);
    bool TypeComboEnabled() const;
    // Valid: the default text colour; invalid: red text.
    void setTypeComboValid(bool valid);
    bool TypeComboValid() const;
    const QStringList &TypeComboItemData() const;
    void ClearTypeCombo();
    void AddTypeComboItem(const QString &text, const QString &itemData = QString());
    void SetTypeComboItem(qint16 itemIndex);
    // The first entry with exactly this item data; none: no type selected.
    void SetTypeComboItemByItemData(const QString &itemData);
    QString GetCurrentTypeComboItemText() const;
    QString GetCurrentTypeComboItemData() const;

    // 0x00BBGGRR; colours the frame and the channel number, not the lists.
    quint32 BackColor() const;
    void setBackColor(quint32 colour);

    bool SuppressEvents() const;

    // Asks the owner for the object entries again, as before a choice: a
    // renamed object shows its new name in the closed list. The selected
    // entry stays.
    void RefreshObjectList();

Q_SIGNALS:
    // Asked before the user chooses from a list, open or closed: fill list
    // with the "text:itemData" entries offered.
    void ObjectComboDropDown(QStringList &list);
    void TypeComboDropDown(QStringList &list);
    // The user picked an entry (also the one already selected).
    void ObjectChanged(const QString &text, const QString &itemData);
    void TypeChanged(const QString &text, const QString &itemData);

private:
    void placeChildren();
    // Refills the type list from its owner's answer, keeping the selected
    // entry when the answer still holds it.
    void refreshTypeList();
    void onObjectActivated(int index);
    void onTypeActivated(int index);
    void addEntry(DropDownComboBox *combo, const QString &text, int itemValue);
    void selectSilently(DropDownComboBox *combo, qint16 itemIndex);
    static QString itemDataOf(const DropDownComboBox *combo, int index, const QStringList &itemData);

    QFrame *m_frame = nullptr;
    QLabel *m_lblChannel = nullptr;
    DropDownComboBox *m_cboObject = nullptr;
    DropDownComboBox *m_cboType = nullptr;
    quint8 m_channelNo = 0;
    QVariant m_tag;
    QStringList m_objectItemData;
    QStringList m_typeItemData;
    bool m_suppressEvents = false;
};
