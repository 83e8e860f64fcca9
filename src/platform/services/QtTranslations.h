#pragma once

#include <QLocale>
#include <QString>

// Qt's own texts in the program's language: the standard buttons of the
// message boxes ("Ja", "Nein"), the file dialogs ("Suchen in:",
// "Speichern"), the edit menu of a text field. They come from the
// distribution's Qt translations (Debian: qt6-translations-l10n); without
// them Qt's texts stay English and nothing else changes.
class QtTranslations
{
public:
    // Puts the translations of this language in place of the ones before;
    // English needs none. False when the language's catalogue is missing or
    // there is no application to hold it.
    static bool Use(QLocale::Language language);
    // Where the distribution keeps Qt's catalogues.
    static QString Folder();
};
