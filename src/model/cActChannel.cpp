#include "model/cActChannel.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "model/FptKeys.h"
#include "model/M_SwitchObject.h"
#include "model/cActModule.h"
#include "model/cLmo.h"
#include "model/cLmos.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "platform/AppError.h"
#include "template/ParamEnums.h"
#include "template/cRX24.h"
#include "widgets/Twips.h"
#include "widgets/ctlChannel.h"

#include <QPalette>
#include <functional>

namespace {
constexpr int NotUsedTextId = 1040;   // item 1: "not used"
constexpr int FunctionNamesId = 1045; // Lighting, Sunblinds
constexpr int HvacNamesId = 1046;     // the actuator kinds
constexpr int AnalogNamesId = 1048;   // the input and output ranges
const QString NotUsedData = QStringLiteral("0");
const QString NoTypeData = QStringLiteral("-1");

// Layout of the rows on a module page, in twips.
constexpr int RowLeft = 180;
constexpr int FirstRowTop = 960;
constexpr int RowHeight = 510;

int keyOf(const QString &supportedFpt)
{
    return supportedFpt.section(QLatin1Char('/'), 0, 0).trimmed().toInt();
}

int subTypeOf(const QString &supportedFpt)
{
    return supportedFpt.section(QLatin1Char('/'), 1, 1).trimmed().toInt();
}

// A step of a rebuild that fails leaves the rest of the row as it was; the
// log keeps what went wrong.
void ignoringErrors(const char *procedure, const std::function<void()> &step)
{
    try {
        step();
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActChannel"), QString::fromLatin1(procedure));
    }
}

// The drop-down entries are "text:data"; a colon of the object's own name
// would cut its entry short and make it "not used".
QString listText(const QString &name)
{
    QString text = name;
    return text.replace(QLatin1Char(':'), QChar(0xA789));
}

quint32 colourOf(const QColor &colour)
{
    return static_cast<quint32>(colour.red()) | (static_cast<quint32>(colour.green()) << 8) |
           (static_cast<quint32>(colour.blue()) << 16);
}
} // namespace

cActChannel::cActChannel(ModelContext &context, cActModule &module) : m_context(context), m_module(module) {}

cActChannel::~cActChannel()
{
    ForgetLonmarkObject();
    RemoveChannelControl();
}

ctlChannel *cActChannel::ChannelControl() const
{
    return m_control;
}

// --- queries ----------------------------------------------------------------

QStringList cActChannel::SupportedFpts() const
{
    if (!m_context.deviceTemplate)
        return {};
    try {
        return m_context.deviceTemplate->SupportedFptsByModuleType(m_moduleType);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActChannel"), QStringLiteral("SupportedFpts"));
        return {};
    }
}

QString cActChannel::DefaultFpt() const
{
    if (!m_context.deviceTemplate)
        return QString();
    try {
        return m_context.deviceTemplate->DefaultFptByModuleType(m_moduleType);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActChannel"), QStringLiteral("DefaultFpt"));
        return QString();
    }
}

bool cActChannel::FptSupported(const QString &supportedFpt) const
{
    return SupportedFpts().contains(supportedFpt);
}

bool cActChannel::fitsChannel(const QString &supportedFpt) const
{
    if (!m_context.deviceTemplate)
        return false;
    try {
        return m_context.deviceTemplate->ModuleChannelSupportsFpt(m_moduleType, m_channelNo, supportedFpt);
    } catch (const AppError &) {
        return false;
    }
}

int cActChannel::usedChannels(const QString &supportedFpt) const
{
    if (!m_context.deviceTemplate)
        return 1;
    try {
        return qMax(1, int(m_context.deviceTemplate->UsedChannelsByModuleTypeAndSupportedFpt(m_moduleType,
                                                                                             supportedFpt)));
    } catch (const AppError &) {
        return 1;
    }
}

QString cActChannel::FptStringOfLmo(const cLmo &lmo)
{
    const int key = lmo.FptIndex()->Value();
    const QString k = QString::number(key);
    switch (key) {
    case FptKeys::Switch:
        return k + QLatin1Char('/') + QString::number(M_SwitchObject::SwitchTypeOfLmo(lmo));
    case FptKeys::AnalogInput:
        return k + QLatin1Char('/') + QString::number(lmo.AnalogInputType()->Value());
    case FptKeys::AnalogOutput:
        return k + QLatin1Char('/') + QString::number(lmo.AnalogOutputType()->Value());
    case FptKeys::Hvac:
        return k + QLatin1Char('/') + QString::number(lmo.ActuateType()->Value());
    default:
        return k;
    }
}

QString cActChannel::FptText(const QString &supportedFpt)
{
    const int s = subTypeOf(supportedFpt);
    switch (keyOf(supportedFpt)) {
    case FptKeys::AnalogInput:
        return s >= 0 && s <= 1 ? ResourceStrings::LoadResString(AnalogNamesId, s + 1) : QString();
    case FptKeys::AnalogOutput:
        return s >= 0 && s <= 3 ? ResourceStrings::LoadResString(AnalogNamesId, s + 3) : QString();
    case FptKeys::Lighting:
        return ResourceStrings::LoadResString(FunctionNamesId, 1);
    case FptKeys::Sunblind:
        return ResourceStrings::LoadResString(FunctionNamesId, 2);
    case FptKeys::Hvac:
        return s >= 0 && s <= 10 ? ResourceStrings::LoadResString(HvacNamesId, s + 1) : QString();
    case FptKeys::Switch:
        return M_SwitchObject::SwitchTypeName(s);
    default:
        return QString();
    }
}

void cActChannel::applyFpt(cLmo &lmo, const QString &supportedFpt)
{
    const int key = keyOf(supportedFpt);
    const int s = subTypeOf(supportedFpt);
    lmo.FptIndex()->setValue(key);
    switch (key) {
    case FptKeys::Hvac:
        lmo.ActuateType()->setValue(s);
        break;
    case FptKeys::Switch:
        M_SwitchObject::ApplySwitchType(s, lmo);
        break;
    case FptKeys::AnalogInput:
        lmo.AnalogInputType()->setValue(s);
        break;
    case FptKeys::AnalogOutput:
        lmo.AnalogOutputType()->setValue(s);
        break;
    default:
        break;
    }
}

QString cActChannel::unknownSwitchEvent(const cLmo &lmo)
{
    if (lmo.FptIndex()->Value() != FptKeys::Switch)
        return QString();
    const QList<int> events = M_SwitchObject::SwitchEventsOfLmo(lmo);
    for (int i = 0; i < events.size(); ++i) {
        if (events.at(i) < EV_SEND_INVALID || events.at(i) > EV_FAN_AUTO)
            return QStringLiteral(": event %1 is %2, which no switch sends").arg(i + 1).arg(events.at(i));
    }
    return QString();
}

cActChannel *cActChannel::sibling(int offset) const
{
    return m_module.FindChannel(m_channelNo + offset);
}

// --- the row ----------------------------------------------------------------

void cActChannel::CreateChannelControl()
{
    QWidget *page = m_context.modulePage ? m_context.modulePage(m_moduleNumber) : nullptr;
    m_control = new ctlChannel(page);
    m_control->setObjectName(QStringLiteral("ctlChannel_%1").arg(m_channelNo));
    m_control->move(Twips::ToPixels(RowLeft), Twips::ToPixels(FirstRowTop + RowHeight * (m_channelNo - 1)));
    connect(m_control, &ctlChannel::ObjectChanged, this, &cActChannel::mChannelControl_ObjectChanged);
    connect(m_control, &ctlChannel::TypeChanged, this, &cActChannel::mChannelControl_TypeChanged);
    connect(m_control, &ctlChannel::ObjectComboDropDown, this,
            &cActChannel::mChannelControl_ObjectComboDropDown);
    connect(m_control, &ctlChannel::TypeComboDropDown, this, &cActChannel::mChannelControl_TypeComboDropDown);
    fillObjectList();
    m_control->SetObjectComboItemByItemData(NotUsedData);
    m_control->SetTypeComboItemByItemData(NoTypeData);
    m_control->setTypeComboEnabled(false);
    m_control->setChannelNo(m_channelNo);
    if (page) {
        m_control->setBackColor(colourOf(page->palette().color(page->backgroundRole())));
        // Shown with its page; a row without a page would be a window of its own.
        m_control->setVisible(true);
    }
}

void cActChannel::fillObjectList()
{
    m_control->ClearObjectCombo();
    m_control->AddObjectComboItem(ResourceStrings::LoadResString(NotUsedTextId, 1), NotUsedData);
    if (!m_context.lmos)
        return;
    for (const auto &lmo : m_context.lmos->Items())
        m_control->AddObjectComboItem(listText(lmo->Name()), QString::number(lmo->Index()));
}

void cActChannel::RemoveChannelControl()
{
    if (!m_control)
        return;
    disconnect(m_control, nullptr, this, nullptr);
    m_control->hide();
    if (!m_control->parentWidget()) {
        // A row on no page (a copy target's model) gets no user events; left
        // to the event loop, the rows of a long copy would pile up unfreed.
        delete m_control.data();
    } else {
        // Not at once: the row may be the sender of the event that got us here.
        m_control->deleteLater();
    }
    m_control = nullptr;
}

void cActChannel::LockChannel()
{
    if (!m_control)
        return;
    m_control->SetObjectComboItemByItemData(NotUsedData);
    m_control->setObjectComboEnabled(false);
    m_control->SetTypeComboItem(-1);
    m_control->setTypeComboEnabled(false);
    m_control->setTypeComboValid(true);
}

void cActChannel::UnlockChannel()
{
    LockChannel();
    if (m_control)
        m_control->setObjectComboEnabled(true);
}

void cActChannel::ForgetLonmarkObject()
{
    if (!m_lmo)
        return;
    if (m_lmo->ActChannel() == this)
        m_lmo->DetachActChannel();
    m_lmo = nullptr;
    if (m_control) {
        m_control->SetObjectComboItemByItemData(NotUsedData);
        m_control->SetTypeComboItem(-1);
        m_control->setTypeComboEnabled(false);
        m_control->setTypeComboValid(true);
    }
}

// --- binding ----------------------------------------------------------------

void cActChannel::BindReadObject(cLmo *lmo, bool neighboursFree)
{
    m_neighboursTaken = !neighboursFree;
    setLonmarkObject(lmo);
}

void cActChannel::setLonmarkObject(cLmo *lmo)
{
    if (cLmo *previous = m_lmo) {
        ignoringErrors("LonmarkObject", [&] {
            previous->setActChannel(nullptr);
            if (previous != lmo)
                previous->FptIndex()->setValue(FptKeys::Unused);
        });
    }
    if (lmo)
        ignoringErrors("LonmarkObject", [&] { lmo->setActChannel(this); });
    m_lmo = lmo;
    if (!lmo || !m_control)
        return;
    ignoringErrors("LonmarkObject", [&] { rebuildRow(); });
}

void cActChannel::rebuildRow()
{
    m_control->SetObjectComboItemByItemData(QString::number(m_lmo->Index()));
    m_control->ClearTypeCombo();
    for (const QString &s : SupportedFpts()) {
        const QString text = FptText(s);
        if (!text.isEmpty() && fitsChannel(s))
            m_control->AddTypeComboItem(text, s);
    }
    const QString current = FptStringOfLmo(*m_lmo);
    QString unfit = unknownSwitchEvent(*m_lmo);
    if (unfit.isEmpty() && m_lmo->FptIndex()->Value() == FptKeys::Switch && m_context.deviceTemplate &&
        !cLmo::SwitchEventsHaveOutputType(*m_context.deviceTemplate,
                                          M_SwitchObject::SwitchEventsOfLmo(*m_lmo)))
        unfit = QStringLiteral(": its events share no output NV type");
    if (unfit.isEmpty() && m_neighboursTaken)
        unfit = QStringLiteral(": a channel it needs is held by another object");
    if (unfit.isEmpty() && fitsChannel(current) && FptSupported(current)) {
        m_control->SetTypeComboItemByItemData(current);
        m_control->setTypeComboEnabled(true);
        const int n = usedChannels(current);
        for (int k = 1; k < n; ++k) {
            if (cActChannel *next = sibling(k)) {
                next->setLonmarkObject(nullptr);
                next->LockChannel();
            }
        }
        m_control->setTypeComboValid(true);
        return;
    }
    // A function this channel cannot take (read from the device, or left by
    // a change of module type): shown, in red, until the user picks another.
    const QString text = FptText(current);
    if (!text.isEmpty())
        m_control->AddTypeComboItem(text, current);
    m_control->SetTypeComboItemByItemData(current);
    m_control->setTypeComboEnabled(true);
    m_control->setTypeComboValid(false);
    m_lmo->setHvacDefaultsPending(true);
    PlugInGlobals::Trace(
        QStringLiteral("[cActChannel] Object %1 (\"%2\") on channel %3 of slot %4: function %5 "
                       "does not fit the channel%6")
            .arg(QString::number(m_lmo->Index()), m_lmo->Name(), QString::number(m_channelNo),
                 QString::number(m_moduleNumber), current, unfit));
}

// --- the row's events ---------------------------------------------------------

void cActChannel::mChannelControl_ObjectChanged(const QString &, const QString &itemData)
{
    m_neighboursTaken = false;
    try {
        cLmo *picked = nullptr;
        const int index = itemData.toInt();
        if (index != 0 && m_context.lmos) {
            picked = m_context.lmos->Item(index);
            // The list offers only free objects; one that another channel
            // holds and arrives anyway stays where it is.
            if (picked->ActChannel() && picked->ActChannel() != this) {
                m_control->SetObjectComboItemByItemData(m_lmo ? QString::number(m_lmo->Index())
                                                              : NotUsedData);
                if (m_lmo)
                    rebuildRow();
                return;
            }
        }
        if (m_lmo) {
            // The channels the old function occupied are free again.
            const int n = usedChannels(FptStringOfLmo(*m_lmo));
            for (int k = 1; k < n; ++k) {
                if (cActChannel *next = sibling(k); next && next->ChannelControl())
                    next->ChannelControl()->setObjectComboEnabled(true);
            }
        }
        if (!picked) {
            m_control->SetTypeComboItem(-1);
            m_control->setTypeComboEnabled(false);
            m_control->setTypeComboValid(true);
            setLonmarkObject(nullptr);
        } else {
            applyFpt(*picked, DefaultFpt());
            setLonmarkObject(picked);
        }
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActChannel"),
                                QStringLiteral("mChannelControl_ObjectChanged"));
    }
    if (m_context.valueChanged)
        m_context.valueChanged();
}

void cActChannel::mChannelControl_TypeChanged(const QString &, const QString &itemData)
{
    m_neighboursTaken = false;
    try {
        if (m_lmo && fitsChannel(itemData) && FptSupported(itemData)) {
            const int nNew = usedChannels(itemData);
            for (int k = 1; k < nNew; ++k) {
                if (cActChannel *next = sibling(k)) {
                    next->setLonmarkObject(nullptr);
                    next->LockChannel();
                }
            }
            const int nOld = usedChannels(FptStringOfLmo(*m_lmo));
            for (int k = nNew; k < nOld; ++k) {
                if (cActChannel *next = sibling(k); next && next->ChannelControl())
                    next->ChannelControl()->setObjectComboEnabled(true);
            }
            applyFpt(*m_lmo, itemData);
        }
        if (m_lmo && m_control && !m_control->TypeComboValid())
            setLonmarkObject(m_lmo);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActChannel"),
                                QStringLiteral("mChannelControl_TypeChanged"));
    }
    if (m_context.valueChanged)
        m_context.valueChanged();
}

void cActChannel::mChannelControl_ObjectComboDropDown(QStringList &list)
{
    list.append(ResourceStrings::LoadResString(NotUsedTextId, 1) + QLatin1Char(':') + NotUsedData);
    if (!m_context.lmos)
        return;
    for (const auto &lmo : m_context.lmos->Items()) {
        if (lmo.get() == m_lmo || !lmo->ActChannel())
            list.append(listText(lmo->Name()) + QLatin1Char(':') + QString::number(lmo->Index()));
    }
}

void cActChannel::mChannelControl_TypeComboDropDown(QStringList &list)
{
    if (m_control && !m_control->TypeComboValid())
        list.append(m_control->GetCurrentTypeComboItemText() + QLatin1Char(':') +
                    m_control->GetCurrentTypeComboItemData());
    for (const QString &s : SupportedFpts()) {
        if (!fitsChannel(s))
            continue;
        const int n = usedChannels(s);
        bool free = true;
        for (int k = 1; k < n && free; ++k) {
            const cActChannel *next = sibling(k);
            free = next && next->Available();
        }
        const QString text = FptText(s);
        if (free && !text.isEmpty())
            list.append(text + QLatin1Char(':') + s);
    }
}
