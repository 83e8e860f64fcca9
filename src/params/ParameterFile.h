#pragma once

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
// by kind. Windows-1252 text with CR LF line ends.
//
// Loading takes a value only when the parameter can hold it (a 1-byte value
// of 300, a text-box value outside the CP field's range, an option value
// that is no RAW text are refused): the parameter keeps its value and the
// refusal is listed in Rejected(). Loading never writes to LNS.
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

    // "Name = value" of every value the last load refused.
    const QStringList &Rejected() const { return m_rejected; }

private:
    eLoadFromFileErrors checkHeader(const ParameterFileReader &file, const UtilityComponent *plugInIniFile,
                                    const Header &expected) const;
    void loadList(const ParameterFileReader &file, const QList<cParamBase *> &list);

    cParams &m_params;
    QStringList m_rejected;
};
