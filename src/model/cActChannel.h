#pragma once

#include "model/ModelContext.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class cActModule;
class cLmo;
class ctlChannel;

// One channel of a module with its row on the module page and the LonMark
// object bound to it. The channel applies the template's rules: which
// functions ("types") its module type offers on this channel, how many
// channels a function occupies (the ones behind it are locked), and that an
// object is bound to one channel at a time. The binding reaches the
// object's ModuleType, ModuleNumber and ModuleChannel CPs.
class cActChannel : public QObject
{
    Q_OBJECT
public:
    cActChannel(ModelContext &context, cActModule &module);
    ~cActChannel() override;

    quint8 ChannelNo() const { return m_channelNo; }
    void setChannelNo(quint8 channelNo) { m_channelNo = channelNo; }
    quint8 ModuleNumber() const { return m_moduleNumber; }
    void setModuleNumber(quint8 moduleNumber) { m_moduleNumber = moduleNumber; }
    qint32 ModuleType() const { return m_moduleType; }
    void setModuleType(qint32 moduleType) { m_moduleType = moduleType; }
    cActModule &Module() const { return m_module; }

    ctlChannel *ChannelControl() const;
    cLmo *LonmarkObject() const { return m_lmo; }
    // Binds an object (or none): the previous one is let go and, unless it
    // is the new one, marked unused; the row shows the new object and its
    // type; the channels its function occupies are locked.
    void setLonmarkObject(cLmo *lmo);
    bool Available() const { return m_lmo == nullptr; }
    // Lets the object go without touching its CPs (the model is rebuilt).
    void ForgetLonmarkObject();
    // Reading: binds the object the device names for this channel. When
    // another object holds a channel its function needs, it is bound all the
    // same and its type shown invalid; nothing is unbound behind the user's
    // back.
    void BindReadObject(cLmo *lmo, bool neighboursFree);
    // How many channels, from this one, the object's function occupies.
    int UsedChannelsOf(const cLmo &lmo) const { return usedChannels(FptStringOfLmo(lmo)); }

    // The row on the page of the module's slot, its object list filled.
    void CreateChannelControl();
    void RemoveChannelControl();
    void LockChannel();
    void UnlockChannel();

    QStringList SupportedFpts() const;
    QString DefaultFpt() const;
    bool FptSupported(const QString &supportedFpt) const;
    // The supported-FPT string the object's CPs stand for ("21201/3", "21400").
    static QString FptStringOfLmo(const cLmo &lmo);
    // The text a type list shows for a supported-FPT string; empty for a
    // function the channels do not know (it is not offered).
    static QString FptText(const QString &supportedFpt);

    // The row's events.
    void mChannelControl_ObjectChanged(const QString &text, const QString &itemData);
    void mChannelControl_TypeChanged(const QString &text, const QString &itemData);
    void mChannelControl_ObjectComboDropDown(QStringList &list);
    void mChannelControl_TypeComboDropDown(QStringList &list);

private:
    bool fitsChannel(const QString &supportedFpt) const;
    int usedChannels(const QString &supportedFpt) const;
    // Sets the function a supported-FPT string stands for on the object.
    static void applyFpt(cLmo &lmo, const QString &supportedFpt);
    cActChannel *sibling(int offset) const;
    // For a switch object with an event value that no switch sends, why
    // its type cannot be shown; empty otherwise.
    static QString unknownSwitchEvent(const cLmo &lmo);
    bool heldByAnyChannel(const cLmo &lmo) const;
    void fillObjectList();
    void rebuildRow();

    ModelContext &m_context;
    cActModule &m_module;
    quint8 m_channelNo = 0;
    quint8 m_moduleNumber = 0;
    qint32 m_moduleType = -1;
    QPointer<ctlChannel> m_control;
    cLmo *m_lmo = nullptr;
    // Read from the device with a function whose further channels other
    // objects hold: shown invalid until the user chooses.
    bool m_neighboursTaken = false;
};
