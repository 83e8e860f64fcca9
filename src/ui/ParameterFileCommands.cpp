#include "ui/ParameterFileCommands.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "params/LogService.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "template/ParamEnums.h"
#include "ui/ParameterFolder.h"
#include "workflows/cConfiguration.h"

bool ParameterFileCommands::SaveParameters(cConfiguration &configuration, const QString &caption)
{
    const QString file =
        FileDialog::getSaveFileName(ResourceStrings::LoadResString(1600, 2),
                                    ResourceStrings::LoadResString(1601), ParameterFolder::Last());
    if (file.isEmpty())
        return false;
    ParameterFolder::Remember(file);
    if (!configuration.SaveSetToFile(file)) {
        MessageBox::show(ResourceStrings::LoadResString(1523), caption, MessageBox::Icon::Critical);
        return false;
    }
    return true;
}

bool ParameterFileCommands::LoadParameters(cConfiguration &configuration, const QString &caption)
{
    LogService &log = LogService::instance();
    if (log.ParametersChanged() &&
        MessageBox::show(ResourceStrings::LoadResString(1428, 2), caption, MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo, MessageBox::Button::No) != MessageBox::Button::Yes)
        return false;
    const QString file =
        FileDialog::getOpenFileName(ResourceStrings::LoadResString(1600, 1),
                                    ResourceStrings::LoadResString(1601), ParameterFolder::Last());
    if (file.isEmpty())
        return false;
    ParameterFolder::Remember(file);
    ConfigurationSet set;
    const qint32 result = configuration.LoadSetFromFile(file, set);
    const QString message = configuration.LoadSetProblem(result);
    if (!message.isEmpty())
        MessageBox::show(message, caption, MessageBox::Icon::Exclamation);
    else
        configuration.PutSet(set);
    log.setParametersChanged(true);
    log.setApplyEnabled(true);
    log.setStatusText(ResourceStrings::LoadResString(1517));
    return true;
}
