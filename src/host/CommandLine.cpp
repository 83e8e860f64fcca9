#include "host/CommandLine.h"

#include "host/LeadingNumber.h"
#include "platform/services/TextUtility.h"

namespace {
const QString OptionSeparator = QStringLiteral("/");
const QString ValueSeparator = QStringLiteral(":");
} // namespace

QString CommandLine::keywordOf(const QString &token)
{
    return TextUtility::FieldOf(token, 1, ValueSeparator).trimmed().toUpper();
}

QString CommandLine::valueOf(const QString &token)
{
    return TextUtility::FieldOf(token, 2, ValueSeparator);
}

CommandLineOptions CommandLine::parse(const QString &commandLineText)
{
    using Action = CommandLineOptions::Action;
    CommandLineOptions options;
    // Field 1 is whatever precedes the first "/"; options start at field 2.
    for (int i = 2;; ++i) {
        const QString token = TextUtility::FieldOf(commandLineText, i, OptionSeparator);
        if (token.isEmpty())
            return options;
        const QString keyword = keywordOf(token);
        const QString value = valueOf(token);
        if (keyword == QStringLiteral("REG")) {
            options.action = Action::Reg;
            options.languageOffset = LeadingNumber::of16(value);
            return options;
        }
        if (keyword == QStringLiteral("UNREG")) {
            options.action = Action::Unreg;
            return options;
        }
        if (keyword == QStringLiteral("CLASSID")) {
            options.classId = LeadingNumber::of16(value);
        } else if (keyword == QStringLiteral("COMMANDID")) {
            options.commandId = LeadingNumber::of32(value);
        } else if (keyword == QStringLiteral("REMOTE")) {
            options.remote = true;
        } else if (keyword == QStringLiteral("NI")) {
            options.networkInterfaceName = value;
            options.networkInterfaceGiven = true;
        } else if (keyword == QStringLiteral("OBJECTNAME")) {
            options.objectName = value;
            options.objectNameGiven = true;
        } else if (keyword == QStringLiteral("S")) {
            options.action = Action::Standalone;
            return options;
        } else if (keyword == QStringLiteral("KLAR3904")) {
            options.action = Action::Direct;
            return options;
        } else {
            options.unknownOptions << OptionSeparator + token.trimmed();
        }
    }
}
