#pragma once

#include "params/ConfigurationSet.h"
#include "template/ParamEnums.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class UtilityComponent;
class ParameterFileReader;
class cParamBase;
class cParams;

// The parameter set of a collection as a "*.dat" file: a [General] header
// that names the plug-in, the device's program id and the file version, and a
// [Settings] section with one "Name = value" line per parameter, in blocks
// by kind. Windows-1252 text with CR LF line ends; when the saved text would
// also be valid UTF-8 (labels such as "Ã¼"), a comment line in [General]
// with bytes that UTF-8 never uses makes sure it reads back as saved.
//
// Loading takes the file whole or not at all. Every value is first checked
// against the field of its parameter (a 1-byte value of 300, a text-box value
// beyond its CP field, a 2-byte line of one number, an option value that is
// no RAW text of its CP): one that the field cannot hold refuses the load,
// and so does a file cut off in its settings or one in an encoding that
// cannot be read as written. The refusal names file, line and key in
// Problem(). A value the field holds but the user could not type is taken;
// the range check shows it. Loading never writes to LNS.
class ParameterFile
{
public:
    struct Header
    {
        QString plugInName;
        QString programId;
        QString dataFileVersion;
    };

    explicit ParameterFile(cParams &params) : m_params(params) {}

    // Replaces the file as a whole: the text goes to a temporary file beside
    // it, which takes the file's place only when all was written, so a failed
    // save leaves the previous file as it was. False on any error.
    bool write(const QString &fileName, const Header &header) const;
    // The bytes write() puts into the file.
    QByteArray contents(const Header &header) const;

    // Checks the header against the expected one and sets the values. A
    // program id other than the expected one must be among the ids that the
    // plug-in description file lists as compatible with it (none without
    // one). A file that cannot be read has no header: LE_WRONG_PLUGIN.
    eLoadFromFileErrors load(const QString &fileName, const UtilityComponent *plugInIniFile,
                             const Header &expected);
    eLoadFromFileErrors load(const ParameterFileReader &file, const UtilityComponent *plugInIniFile,
                             const Header &expected);
    // The same checks, but the values go into set (the collection only
    // tells which parameters exist and what each can hold); set stays as it
    // was unless the result is LE_NO_ERROR.
    eLoadFromFileErrors loadSet(const ParameterFileReader &file, const UtilityComponent *plugInIniFile,
                                const Header &expected, ConfigurationSet &set);
    eLoadFromFileErrors loadSet(const QString &fileName, const UtilityComponent *plugInIniFile,
                                const Header &expected, ConfigurationSet &set);

    // Why the last load gave LE_INVALID_CONTENT, in the user's language.
    const QString &Problem() const { return m_problem; }

private:
    eLoadFromFileErrors checkHeader(const ParameterFileReader &file, const UtilityComponent *plugInIniFile,
                                    const Header &expected) const;
    // The text to set for param; empty for none.
    static QString loadableText(const ParameterFileReader &file, const cParamBase &param);

    cParams &m_params;
    QString m_problem;
};
