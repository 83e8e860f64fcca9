#include "platform/services/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {
struct Installed
{
    std::unique_ptr<QTranslator> translator;
    QLocale::Language language = QLocale::English;
};

Installed &installed()
{
    static Installed state;
    return state;
}
} // namespace

bool QtTranslations::Use(QLocale::Language language)
{
    Installed &state = installed();
    if (!QCoreApplication::instance())
        return false;
    if (language == state.language && (state.translator || language == QLocale::English))
        return true;
    if (state.translator) {
        QCoreApplication::removeTranslator(state.translator.get());
        state.translator.reset();
    }
    state.language = language;
    if (language == QLocale::English)
        return true;
    // qtbase holds the dialogs and buttons; Qt's modules we do not use need no catalogue.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), Folder()))
        return false;
    QCoreApplication::installTranslator(translator.get());
    state.translator = std::move(translator);
    return true;
}

QString QtTranslations::Folder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
