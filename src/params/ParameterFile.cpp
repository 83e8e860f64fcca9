#include "params/ParameterFile.h"

#include "host/ResourceStrings.h"
#include "params/ParameterFileReader.h"
#include "params/Windows1252.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamCheckBox.h"
#include "params/cParamComboBox.h"
#include "params/cParamOptBtn.h"
#include "params/cParamTextBox.h"
#include "params/cParams.h"
#include "platform/services/UtilityComponent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSaveFile>

namespace {
const QString GeneralSection = QStringLiteral("General");
const QString SettingsSection = QStringLiteral("Settings");
const QString PlugInNameKey = QStringLiteral("PlugInName");
const QString ProgramIdKey = QStringLiteral("ProgramId");
const QString DataFileVersionKey = QStringLiteral("DataFileVersion");
const QString LineEnd = QStringLiteral("\r\n");
const QString Separator = QStringLiteral(" = ");
// "äöü" in the code page is E4 F6 FC; F6 and FC never occur in UTF-8.
const QString CodePageNote = QStringLiteral(";  *** Windows-1252: \u00E4\u00F6\u00FC ***");
constexpr int BlockCount = 7;
constexpr int ValueProblemId = 1560;
constexpr int FileProblemId = 1562;
// A value of 100,000 characters has no place in a message box.
constexpr int MaxShownValue = 60;

// One block of the [Settings] section: its title and its parameters.
struct Block
{
    QString title;
    QList<cParamBase *> params;
};

template <class T>
QList<cParamBase *> listOf(int count, T *(cParams::*item)(int) const, const cParams &params)
{
    QList<cParamBase *> list;
    list.reserve(count);
    for (int i = 1; i <= count; ++i)
        list.append((params.*item)(i));
    return list;
}

QList<cParamBase *> oneBytes(const cParams &p)
{
    return listOf(p.Parameter1ByteCount(), &cParams::Parameter1Byte, p);
}
QList<cParamBase *> twoBytes(const cParams &p)
{
    return listOf(p.Parameter2ByteCount(), &cParams::Parameter2Byte, p);
}
QList<cParamBase *> asciis(const cParams &p)
{
    return listOf(p.ParameterAsciiCount(), &cParams::ParameterAscii, p);
}
QList<cParamBase *> checkBoxes(const cParams &p)
{
    return listOf(p.CheckBoxParameterCount(), &cParams::CheckBoxParameter, p);
}
QList<cParamBase *> comboBoxes(const cParams &p)
{
    return listOf(p.ComboBoxParameterCount(), &cParams::ComboBoxParameter, p);
}
QList<cParamBase *> optionButtons(const cParams &p)
{
    return listOf(p.OptionButtonParameterCount(), &cParams::OptionButtonParameter, p);
}
QList<cParamBase *> textBoxes(const cParams &p)
{
    return listOf(p.TextBoxParameterCount(), &cParams::TextBoxParameter, p);
}

bool belongsInFile(const cParamBase &param)
{
    return (param.Available() && !param.DontWriteToFile()) || param.ForceWriteToFile();
}

// A line break inside a name or value would split its line in two; it
// cannot be stored, like any other character the code page lacks.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('?'));
    text.replace(QLatin1Char('\n'), QLatin1Char('?'));
    return text;
}

// The header texts compare without the blanks around them, letter case counting.
bool sameHeaderText(const QString &inFile, const QString &expected)
{
    return inFile.trimmed() == expected.trimmed();
}
} // namespace

QByteArray ParameterFile::contents(const Header &header) const
{
    QString text;
    const auto line = [&text](const QString &content) { text += oneLine(content) + LineEnd; };
    line(QStringLiteral("[General]"));
    line(PlugInNameKey + Separator + header.plugInName);
    line(ProgramIdKey + Separator + header.programId);
    line(DataFileVersionKey + Separator + header.dataFileVersion);
    const qsizetype codePageNoteAt = text.size();
    line(QString());
    line(QStringLiteral("[Settings]"));

    const QList<Block> blocks = {
        {QStringLiteral("Generic 1 Byte"), oneBytes(m_params)},
        {QStringLiteral("Generic 2 Byte"), twoBytes(m_params)},
        {QStringLiteral("Generic ASCII"), asciis(m_params)},
        {QStringLiteral("CheckBox"), checkBoxes(m_params)},
        {QStringLiteral("ComboBox"), comboBoxes(m_params)},
        {QStringLiteral("OptionButton"), optionButtons(m_params)},
        {QStringLiteral("TextBox"), textBoxes(m_params)},
    };
    for (const Block &block : blocks) {
        if (!block.params.isEmpty())
            line(QStringLiteral(";  *** ") + block.title + QStringLiteral(" ***"));
        for (const cParamBase *param : block.params) {
            if (belongsInFile(*param))
                line(param->Name() + Separator + param->FileValueText());
        }
        line(QString());
    }
    // Texts whose code-page bytes happen to be valid UTF-8 ("Ã¼", "ï»¿Hall")
    // would make the whole file read back as UTF-8, as if an editor had saved
    // it. A comment with bytes that UTF-8 never uses keeps such a file in the
    // code page, for the reader here and for editors alike; the Windows tools
    // skip it like any comment.
    if (ParameterFileReader::readsAsUtf8(Windows1252::encode(text)))
        text.insert(codePageNoteAt, CodePageNote + LineEnd);
    return Windows1252::encode(text);
}

bool ParameterFile::write(const QString &fileName, const Header &header) const
{
    if (fileName.isEmpty())
        return false;
    const QByteArray bytes = contents(header);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit(); // only removes the temporary file
        return false;
    }
    return file.commit();
}

eLoadFromFileErrors ParameterFile::load(const QString &fileName, const UtilityComponent *plugInIniFile,
                                        const Header &expected)
{
    return load(ParameterFileReader::fromFile(fileName), plugInIniFile, expected);
}

eLoadFromFileErrors ParameterFile::loadSet(const QString &fileName, const UtilityComponent *plugInIniFile,
                                           const Header &expected, ConfigurationSet &set)
{
    return loadSet(ParameterFileReader::fromFile(fileName), plugInIniFile, expected, set);
}

eLoadFromFileErrors ParameterFile::checkHeader(const ParameterFileReader &file,
                                               const UtilityComponent *plugInIniFile,
                                               const Header &expected) const
{
    if (!sameHeaderText(file.value(GeneralSection, PlugInNameKey), expected.plugInName))
        return LE_WRONG_PLUGIN;
    const QString programId = file.value(GeneralSection, ProgramIdKey).trimmed();
    if (programId.isEmpty())
        return LE_WRONG_DATAFILE_VERSION;
    if (programId != expected.programId.trimmed()) {
        const QStringList compatible =
            plugInIniFile ? plugInIniFile->compatibleProgramIds(expected.programId) : QStringList();
        if (!compatible.contains(programId))
            return LE_WRONG_DEVICE;
    }
    if (!sameHeaderText(file.value(GeneralSection, DataFileVersionKey), expected.dataFileVersion))
        return LE_WRONG_DATAFILE_VERSION;
    return LE_NO_ERROR;
}

eLoadFromFileErrors ParameterFile::loadSet(const ParameterFileReader &file,
                                           const UtilityComponent *plugInIniFile, const Header &expected,
                                           ConfigurationSet &set)
{
    m_problem.clear();
    if (file.encodingProblem() != ParameterFileReader::EncodingProblem::None) {
        const int item = file.encodingProblem() == ParameterFileReader::EncodingProblem::Utf16 ? 3 : 2;
        m_problem = ResourceStrings::LoadResString(
            FileProblemId, item, {file.fileName(), QString::number(file.encodingProblemLine())});
        return LE_INVALID_CONTENT;
    }
    const eLoadFromFileErrors result = checkHeader(file, plugInIniFile, expected);
    if (result != LE_NO_ERROR)
        return result;
    // Each of the seven blocks of settings ends with an empty line; a file
    // with fewer was cut off, and the values it lost would silently stay the
    // device's.
    if (file.emptyLinesIn(SettingsSection) < BlockCount || !file.endsWithLineBreak()) {
        m_problem = ResourceStrings::LoadResString(FileProblemId, 1,
                                                   {file.fileName(), QString::number(file.lineCount())});
        return LE_INVALID_CONTENT;
    }
    // The order the product line's parameter files have always been read in.
    const QList<QList<cParamBase *>> lists = {
        textBoxes(m_params), optionButtons(m_params), comboBoxes(m_params), checkBoxes(m_params),
        twoBytes(m_params),  oneBytes(m_params),      asciis(m_params)};
    // All or nothing: every value is checked before the first is set.
    for (const QList<cParamBase *> &list : lists) {
        for (const cParamBase *param : list) {
            const QString text = loadableText(file, *param);
            if (text.isEmpty())
                continue;
            const QString problem = param->FileTextProblem(text);
            if (!problem.isEmpty()) {
                m_problem = ResourceStrings::LoadResString(
                    ValueProblemId, 1,
                    {file.fileName(), QString::number(file.lineOf(SettingsSection, param->Name())),
                     param->Name(), text.left(MaxShownValue), problem});
                return LE_INVALID_CONTENT;
            }
        }
    }
    set.programId = file.value(GeneralSection, ProgramIdKey).trimmed();
    for (const QList<cParamBase *> &list : lists) {
        for (const cParamBase *param : list) {
            const QString text = loadableText(file, *param);
            if (!text.isEmpty())
                set.values.insert(param->Name(), text);
        }
    }
    return LE_NO_ERROR;
}

eLoadFromFileErrors ParameterFile::load(const ParameterFileReader &file,
                                        const UtilityComponent *plugInIniFile, const Header &expected)
{
    ConfigurationSet set;
    const eLoadFromFileErrors result = loadSet(file, plugInIniFile, expected, set);
    if (result == LE_NO_ERROR)
        set.putInto(m_params);
    return result;
}

QString ParameterFile::loadableText(const ParameterFileReader &file, const cParamBase &param)
{
    if (param.DontWriteToFile())
        return QString();
    return file.value(SettingsSection, param.Name());
}
