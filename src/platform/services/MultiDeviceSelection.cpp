#include "platform/services/MultiDeviceSelection.h"

#include "platform/services/DialogDeviceSelection.h"

namespace {
std::function<std::unique_ptr<MultiDeviceSelection>()> &factory()
{
    static std::function<std::unique_ptr<MultiDeviceSelection>()> f;
    return f;
}
} // namespace

std::unique_ptr<MultiDeviceSelection> MultiDeviceSelection::create()
{
    if (factory())
        return factory()();
    return std::make_unique<DialogDeviceSelection>();
}

void MultiDeviceSelection::setFactory(std::function<std::unique_ptr<MultiDeviceSelection>()> f)
{
    factory() = std::move(f);
}
