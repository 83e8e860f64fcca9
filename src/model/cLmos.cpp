#include "model/cLmos.h"

#include "host/PlugInGlobals.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cActModules.h"
#include "model/cLmo.h"
#include "platform/AppError.h"

#include <algorithm>

namespace {
constexpr int ChannelProfileKey = 24000;
}

cLmos::cLmos(ModelContext &context) : m_context(context) {}

cLmos::~cLmos() = default;

cLmo *cLmos::Add(const LnsRef<LnsLonMarkObject> &object)
{
    const int next = m_lmos.empty() ? 1 : m_lmos.back()->Index() + 1;
    return Add(object, next);
}

cLmo *cLmos::Add(const LnsRef<LnsLonMarkObject> &object, int index)
{
    if (index < 1 || index > 255 || Find(index))
        throw AppError(457, QStringLiteral("cLmos"),
                       QStringLiteral("This key is already associated with an element of this collection"));
    auto lmo = std::make_unique<cLmo>(m_context);
    lmo->setIndex(static_cast<quint8>(index));
    lmo->setLnsObject(object);
    if (object)
        lmo->setName(object->name());
    cLmo *raw = lmo.get();
    const auto at = std::upper_bound(m_lmos.begin(), m_lmos.end(), index,
                                     [](int i, const std::unique_ptr<cLmo> &l) { return i < l->Index(); });
    m_lmos.insert(at, std::move(lmo));
    return raw;
}

void cLmos::AddChannelObjects(const LnsCollectionRef<LnsLonMarkObject> &objects)
{
    if (!objects)
        return;
    const int count = objects->count();
    for (int position = 2; position <= count; ++position) {
        const LnsRef<LnsLonMarkObject> object = objects->item(position);
        if (object && object->functionalProfileKey() == ChannelProfileKey)
            Add(object, position - 1);
        else if (object)
            PlugInGlobals::Trace(QStringLiteral("[cLmos] LonMark object %1 (\"%2\") is no channel object: "
                                                "functional profile key %3")
                                     .arg(QString::number(position - 1), object->name(),
                                          QString::number(object->functionalProfileKey())));
    }
}

cLmo *cLmos::Find(int index) const
{
    for (const auto &lmo : m_lmos) {
        if (lmo->Index() == index)
            return lmo.get();
    }
    return nullptr;
}

cLmo *cLmos::Item(int index) const
{
    if (cLmo *lmo = Find(index))
        return lmo;
    throw AppError(9, QStringLiteral("cLmos"), QStringLiteral("Subscript out of range"));
}

void cLmos::Clear()
{
    // Channels point to their objects: they let go first, without touching
    // the CPs (the modules are rebuilt whenever the objects are).
    if (m_context.actModules) {
        for (int m = 1; m <= m_context.actModules->Count(); ++m) {
            cActModule *module = m_context.actModules->Item(m);
            for (int c = 1; c <= module->ChannelCount(); ++c)
                module->ChannelByIndex(c)->ForgetLonmarkObject();
        }
    }
    m_lmos.clear();
}
