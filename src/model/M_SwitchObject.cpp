#include "model/M_SwitchObject.h"

#include "host/ResourceStrings.h"
#include "model/cLmo.h"
#include "params/cParam1Byte.h"
#include "platform/AppError.h"
#include "template/ParamEnums.h"

namespace {
constexpr int SwitchTypeNamesId = 1047;

std::array<M_SwitchObject::SwitchRow, M_SwitchObject::SwitchTypeCount> table;
bool tableFilled = false;

// Columns: push, release, hold and release-late of contact 1, the same of
// contact 2, then the switch type.
void setRow(int code, std::initializer_list<std::pair<int, qint32>> cells)
{
    for (const auto &[column, value] : cells)
        table.at(static_cast<size_t>(code)).at(static_cast<size_t>(column)) = value;
}

QList<cParam1Byte *> switchParameters(const cLmo &lmo)
{
    return {lmo.PushEvent1(),        lmo.ReleaseEvent1(),     lmo.HoldEvent1(),
            lmo.ReleaseLateEvent1(), lmo.PushEvent2(),        lmo.ReleaseEvent2(),
            lmo.HoldEvent2(),        lmo.ReleaseLateEvent2(), lmo.SwitchType()};
}
} // namespace

void M_SwitchObject::InitSwitchTable()
{
    for (SwitchRow &row : table) {
        row.fill(EV_NO_MSG);
        row.at(8) = SWT_SINGLE;
    }
    setRow(0, {{0, EV_TOGGLE}});
    setRow(1, {{0, EV_ON}, {4, EV_OFF}, {8, SWT_DOUBLE}});
    setRow(2, {{0, EV_TOGGLE}, {1, EV_TOGGLE}, {3, EV_TOGGLE}});
    setRow(3, {{0, EV_ON}});
    setRow(4, {{0, EV_OFF}});
    setRow(5, {{0, EV_ON}, {1, EV_OFF}, {3, EV_OFF}});
    setRow(6, {{0, EV_OFF}, {1, EV_ON}, {3, EV_ON}});
    setRow(7, {{1, EV_TOGGLE}, {2, EV_DIMM_TOGGLE}, {3, EV_STOP}});
    setRow(8, {{1, EV_ON},
               {2, EV_DIMM_UP},
               {3, EV_STOP},
               {5, EV_OFF},
               {6, EV_DIMM_DOWN},
               {7, EV_STOP},
               {8, SWT_DOUBLE}});
    setRow(9, {{0, EV_STOP}, {2, EV_SB_TOGGLE}});
    setRow(10, {{0, EV_SLAT_UP}, {2, EV_SB_UP}, {4, EV_SLAT_DOWN}, {6, EV_SB_DOWN}, {8, SWT_DOUBLE}});
    setRow(11, {{1, EV_SCENE_RCL}, {2, EV_SCENE_LRN}});
    // 12 "no function": nothing but EV_NO_MSG.
    setRow(13, {{0, EV_SEND_INVALID}});
    setRow(14, {{0, EV_SEND_INVALID}, {4, EV_SEND_INVALID}, {8, SWT_DOUBLE}});
    tableFilled = true;
}

const M_SwitchObject::SwitchRow &M_SwitchObject::SwitchTableRow(int code)
{
    if (!tableFilled)
        InitSwitchTable();
    if (code < 0 || code >= SwitchTypeCount)
        throw AppError(9, QStringLiteral("M_SwitchObject"), QStringLiteral("Subscript out of range"));
    return table.at(static_cast<size_t>(code));
}

QList<int> M_SwitchObject::SwitchEventsOfLmo(const cLmo &lmo)
{
    const QList<cParam1Byte *> params = switchParameters(lmo);
    QList<int> events;
    for (int i = 0; i < 8; ++i)
        events.append(params.at(i)->Value());
    return events;
}

int M_SwitchObject::SwitchTypeOfLmo(const cLmo &lmo)
{
    const QList<int> events = SwitchEventsOfLmo(lmo);
    for (int code = 0; code < FirstUserDefined; ++code) {
        const SwitchRow &row = SwitchTableRow(code);
        bool match = true;
        for (int i = 0; i < 8 && match; ++i)
            match = events.at(i) == row.at(static_cast<size_t>(i));
        if (match)
            return code;
    }
    return lmo.SwitchType()->Value() == SWT_DOUBLE ? FirstUserDefined + 1 : FirstUserDefined;
}

void M_SwitchObject::ApplySwitchType(int code, const cLmo &lmo)
{
    const SwitchRow &row = SwitchTableRow(code); // raises for a code outside the table
    const QList<cParam1Byte *> params = switchParameters(lmo);
    for (int i = 0; i < ColumnCount; ++i)
        params.at(i)->setValue(row.at(static_cast<size_t>(i)));
}

QString M_SwitchObject::SwitchTypeName(int code)
{
    if (code < 0 || code >= SwitchTypeCount)
        return QString();
    return ResourceStrings::LoadResString(SwitchTypeNamesId, code + 1);
}
