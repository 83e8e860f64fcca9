#include "ui/RestoreCommands.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "params/LogService.h"
#include "platform/services/MessageBox.h"
#include "ui/RestoreDialog.h"
#include "workflows/WriteHistory.h"
#include "workflows/cConfiguration.h"

namespace {
constexpr int CommandTexts = 1984;
} // namespace

bool RestoreCommands::RestoreEarlierSet(cConfiguration &configuration, const QString &caption, QWidget *owner)
{
    LogService &log = LogService::instance();
    if (log.ParametersChanged() &&
        MessageBox::show(ResourceStrings::LoadResString(CommandTexts, 1), caption, MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo, MessageBox::Button::No) != MessageBox::Button::Yes)
        return false;
    const LnsRef<LnsAppDevice> device = configuration.Device();
    if (!device)
        return false;
    QList<LnsHistoryEntry> entries;
    try {
        entries = WriteHistory::entries(*device);
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, QStringLiteral("RestoreCommands"),
                                QStringLiteral("RestoreEarlierSet"));
        return false;
    }
    const auto readSet = [device](int number, ConfigurationSet &set) {
        return WriteHistory::setBefore(*device, number, set);
    };
    RestoreDialog dialog(caption, entries, readSet, configuration.TakeSet(), owner);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenNumber() == 0)
        return false;
    PutEarlierSet(configuration, dialog.chosenSet(), dialog.chosenNumber());
    return true;
}

void RestoreCommands::PutEarlierSet(cConfiguration &configuration, const ConfigurationSet &set, int number)
{
    configuration.PutSet(set);
    configuration.PutNames(set);
    LogService &log = LogService::instance();
    log.setParametersChanged(true);
    log.setApplyEnabled(true);
    log.setStatusText(ResourceStrings::LoadResString(CommandTexts, 2, {QString::number(number)}));
}
