#pragma once

#include <QList>
#include <QString>
#include <array>

class cLmo;

// The fifteen named switch types of a switch object (FPT key 21201) and the
// nine CP values each stands for: the events of contact 1 and 2 on push,
// release, hold and release after a hold, and the switch type (single or
// double push-button). Converts both ways and lists an object's events for
// the output type rules of the device template.
namespace M_SwitchObject {

constexpr int SwitchTypeCount = 15;
constexpr int FirstUserDefined = 13; // 13: one contact, 14: two contacts
constexpr int ColumnCount = 9;       // 8 events, then the switch type

using SwitchRow = std::array<qint32, ColumnCount>;

// Fills the table; harmless to call again.
void InitSwitchTable();
// Row code (0 .. 14); the table is filled on first use if need be.
const SwitchRow &SwitchTableRow(int code);

// The first of the rows 0 .. 12 whose eight events equal the object's, else
// 14 when its SwitchType is 1 (double), else 13.
int SwitchTypeOfLmo(const cLmo &lmo);
// Writes row code into the object's eight event parameters and SwitchType,
// in that order. A code outside 0 .. 14 raises AppError before anything is
// written.
void ApplySwitchType(int code, const cLmo &lmo);
// Item code + 1 of the switch type names (resource 1047 / 2047); empty
// outside 0 .. 14.
QString SwitchTypeName(int code);
// The eight event values of the object, in column order.
QList<int> SwitchEventsOfLmo(const cLmo &lmo);

} // namespace M_SwitchObject
