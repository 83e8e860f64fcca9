#include "params/ParameterFile.h"

#include "ParamsTestSupport.h"
#include "params/ParameterFileReader.h"
#include "params/Windows1252.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamCheckBox.h"
#include "params/cParamComboBox.h"
#include "params/cParamOptBtn.h"
#include "params/cParamTextBox.h"
#include "platform/services/UtilityComponent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>

namespace {
const QString PlugIn = QStringLiteral("veltoTarvinaRX24");
const QString ProgramId = QStringLiteral("9000A5E018040100");
const QString OlderProgramId = QStringLiteral("9000A5E018040000"); // listed as compatible
const QString Version = QStringLiteral("1");

QByteArray header(const QByteArray &programId = "9000A5E018040100")
{
    return "[General]\r\nPlugInName = veltoTarvinaRX24\r\nProgramId = " + programId +
           "\r\nDataFileVersion = 1\r\n\r\n[Settings]\r\n";
}

// Settings lines as one block, followed by the ends of all seven blocks.
QByteArray settingsBlocks(const QByteArray &lines)
{
    return lines + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
}

std::shared_ptr<FakeConfigProperty> fakeCp(int length, int fill = 0)
{
    return std::make_shared<FakeConfigProperty>(QStringLiteral("cp"), length, 1, QList<int>(length, fill));
}

// One parameter of every kind, each with a CP of its own, bound to controls
// as the form binds them.
struct Collection
{
    Collection()
    {
        oneByte = params.Add1ByteParameter(QStringLiteral("Mode_1"), cps[0], QStringLiteral("Mode"));
        oneByte->ConsiderPartOfCpOnly(1);
        twoByte = params.Add2ByteParameter(QStringLiteral("Delay_1"), cps[1], QStringLiteral("Delay"));
        twoByte->ConsiderPartOfCpOnly(1);
        ascii = params.AddAsciiParameter(QStringLiteral("Label_1"), cps[2], QStringLiteral("Label"));
        ascii->ConsiderPartOfCpOnly(1, 8);
        check =
            params.AddCheckBoxParameter(QStringLiteral("Enable_1"), &box, cps[3], QStringLiteral("Enable"));
        check->ConsiderPartOfCpOnly(1, 1);
        check->setValueChecked(5);
        check->setValueUnchecked(0);
        combo = params.AddComboBoxParameter(QStringLiteral("Use_1"), &list, cps[4], QStringLiteral("Use"));
        combo->ConsiderPartOfCpOnly(1, 1);
        for (int i = 0; i < 3; ++i)
            combo->AddComboBoxItem(QStringLiteral("use %1").arg(i), i);
        option = params.AddOptionButtonParameter(QStringLiteral("Fpt_1"), cps[5], QStringLiteral("Fpt"));
        option->AddOptionButton(&lighting, QStringLiteral("83\t152"));
        option->AddOptionButton(&unused, QStringLiteral("255\t255"));
        text = params.AddTextBoxParameter(QStringLiteral("Temp_1"), &edit, cps[6], QStringLiteral("Temp"));
        text->setSnvtType(SNVT_temp_p);
        text->ConsiderPartOfCpOnly(1, 2);
        text->setLockMode(LM_UNLOCKED);
    }

    void setValues()
    {
        oneByte->setValue(200);
        twoByte->setValue(300);
        ascii->setValue(QStringLiteral("Hall  "));
        check->setValue(5);
        combo->setValue(2);
        option->setValue(QStringLiteral("83\t152"));
        text->setValue(2150);
    }

    void clearChanged()
    {
        for (cParamBase *param : params.AllParameters())
            param->setChanged(false);
    }

    int lnsWrites() const
    {
        int writes = 0;
        for (const auto &cp : cps)
            writes += cp->valueWrites + cp->elementWrites;
        return writes;
    }

    std::shared_ptr<FakeConfigProperty> cps[7] = {fakeCp(1), fakeCp(2), fakeCp(8), fakeCp(1),
                                                  fakeCp(1), fakeCp(2), fakeCp(2)};
    QCheckBox box;
    QComboBox list;
    QRadioButton lighting;
    QRadioButton unused;
    QLineEdit edit;
    cParams params;
    cParam1Byte *oneByte = nullptr;
    cParam2Byte *twoByte = nullptr;
    cParamASCII *ascii = nullptr;
    cParamCheckBox *check = nullptr;
    cParamComboBox *combo = nullptr;
    cParamOptBtn *option = nullptr;
    cParamTextBox *text = nullptr;
};

class ParameterFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("set.dat")) const { return dir.filePath(name); }

    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    qint32 load(cParams &params, const QString &file, const QString &programId = ProgramId)
    {
        return params.LoadFromFile(file, &ini, PlugIn, programId, Version);
    }

    // Loads a file of the header and the given [Settings] lines into a fresh
    // collection whose values were set and whose Changed flags were cleared.
    qint32 loadSettings(Collection &c, const QByteArray &settings, ParameterFile *file = nullptr)
    {
        c.setValues();
        c.clearChanged();
        put(path(), header() + settingsBlocks(settings));
        if (file) {
            const UtilityComponent description(ini.path());
            return file->load(path(), &description, {PlugIn, ProgramId, Version});
        }
        return load(c.params, path());
    }

    QTemporaryDir dir;
    QX_IniFile ini{QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini")};
};
} // namespace

// --- writing -------------------------------------------------------------------

TEST_F(ParameterFileTest, EmptyCollectionReplacesTheFileWithHeaderSettingsAndSevenEmptyLines)
{
    put(path(), QByteArray(10000, 'x'));
    cParams params;
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ParameterFileTest, SmallCollectionGivesTheExactLayout)
{
    cParams params;
    params.Add2ByteParameter(QStringLiteral("Delay_1"), fakeCp(2), QString())->setValue(300);
    params.AddTextBoxParameter(QStringLiteral("Temp_1"), nullptr, fakeCp(2), QString())->setValue(2150);
    params.AddTextBoxParameter(QStringLiteral("Temp_2"), nullptr, fakeCp(2), QString())->setValue(1800);
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + "\r\n"
                                          ";  *** Generic 2 Byte ***\r\n"
                                          "Delay_1 = 1,44\r\n"
                                          "\r\n"
                                          "\r\n\r\n\r\n\r\n"
                                          ";  *** TextBox ***\r\n"
                                          "Temp_1 = 2150\r\n"
                                          "Temp_2 = 1800\r\n"
                                          "\r\n");
}

TEST_F(ParameterFileTest, EveryKindHasItsLineFormatInBlockOrder)
{
    Collection c;
    c.setValues();
    c.text->setValueCalc(-5.5); // the working value is written, not the text "-5.50"
    ASSERT_TRUE(c.params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + ";  *** Generic 1 Byte ***\r\nMode_1 = 200\r\n\r\n"
                                          ";  *** Generic 2 Byte ***\r\nDelay_1 = 1,44\r\n\r\n"
                                          ";  *** Generic ASCII ***\r\nLabel_1 = Hall  ,\r\n\r\n"
                                          ";  *** CheckBox ***\r\nEnable_1 = 5\r\n\r\n"
                                          ";  *** ComboBox ***\r\nUse_1 = 2\r\n\r\n"
                                          ";  *** OptionButton ***\r\nFpt_1 = 83\t152\r\n\r\n"
                                          ";  *** TextBox ***\r\nTemp_1 = -550\r\n\r\n");
}

TEST_F(ParameterFileTest, DontWriteToFileKeepsTheLineOutButNotTheBlockComment)
{
    cParams params;
    params.Add1ByteParameter(QStringLiteral("Hidden"), fakeCp(1), QString())->setDontWriteToFile(true);
    params.Add1ByteParameter(QStringLiteral("NoCp"), nullptr, QString()); // not Available
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + ";  *** Generic 1 Byte ***\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ParameterFileTest, ForceWriteToFileWritesEvenExcludedOrUnavailableParameters)
{
    cParams params;
    cParam1Byte *hidden = params.Add1ByteParameter(QStringLiteral("Hidden"), fakeCp(1), QString());
    hidden->setDontWriteToFile(true);
    hidden->setForceWriteToFile(true);
    hidden->setValue(7);
    params.Add1ByteParameter(QStringLiteral("NoCp"), nullptr, QString())->setForceWriteToFile(true);
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_TRUE(bytesOf(path()).contains("\r\nHidden = 7\r\nNoCp = 0\r\n"));
}

TEST_F(ParameterFileTest, TextIsWindows1252AndLineBreaksInValuesCannotSplitLines)
{
    cParams params;
    cParamASCII *ascii = params.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    ascii->setValue(QString::fromUtf8("Büro\nA\r\xC2\x80"));
    ASSERT_TRUE(params.WriteToFile(path(), QString::fromUtf8("plug€"), ProgramId, Version));
    const QByteArray bytes = bytesOf(path());
    EXPECT_TRUE(bytes.contains("PlugInName = plug\x80\r\n"));
    EXPECT_TRUE(bytes.contains("Label = B\xFCro?A?\x80,\r\n"));
}

// Code-page bytes that happen to be UTF-8 would make the file read back as an
// editor's UTF-8 file; the note in the header keeps it in the code page.
TEST_F(ParameterFileTest, TextWhoseBytesLookLikeUtf8LoadsBackAsSaved)
{
    const QString Note = QString::fromUtf8(";  *** Windows-1252: \u00E4\u00F6\u00FC ***\r\n");
    for (const QString &label :
         {QString::fromUtf8("\u00EF\u00BB\u00BFHall"), QString::fromUtf8("\u00C3\u00BC")}) {
        cParams saved;
        saved.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString())->setValue(label);
        ASSERT_TRUE(saved.WriteToFile(path(), PlugIn, ProgramId, Version));
        EXPECT_TRUE(bytesOf(path()).contains("DataFileVersion = 1\r\n" + Windows1252::encode(Note) + "\r\n"));
        cParams loaded;
        cParamASCII *ascii = loaded.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
        EXPECT_EQ(load(loaded, path()), LE_NO_ERROR);
        EXPECT_EQ(ascii->Value(), label);
    }
}

TEST_F(ParameterFileTest, FailedSaveKeepsTheOldFile)
{
    cParams params;
    EXPECT_FALSE(params.WriteToFile(dir.filePath(QStringLiteral("no/such/folder/set.dat")), PlugIn, ProgramId,
                                    Version));
    EXPECT_FALSE(params.WriteToFile(QString(), PlugIn, ProgramId, Version));
    // The temporary file beside a name of 250 characters gets a name longer
    // than the file system allows: the save fails after the target exists.
    const QString target = path(QString(250, QLatin1Char('p')));
    put(target, "good old content");
    EXPECT_FALSE(params.WriteToFile(target, PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(target), QByteArray("good old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(ParameterFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString folder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/set.dat");
    put(target, "good old content");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    cParams params;
    EXPECT_FALSE(params.WriteToFile(target, PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(target), QByteArray("good old content"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// --- round trip ------------------------------------------------------------------

TEST_F(ParameterFileTest, EveryKindLoadsBackWithTheEffectsOfTyping)
{
    Collection saved;
    saved.setValues();
    ASSERT_TRUE(saved.params.WriteToFile(path(), PlugIn, ProgramId, Version));

    Collection loaded;
    loaded.oneByte->setValue(1);
    loaded.twoByte->setValue(2);
    loaded.ascii->setValue(QStringLiteral("x"));
    loaded.check->setValue(0);
    loaded.combo->setValue(0);
    loaded.option->setValue(QStringLiteral("255\t255"));
    loaded.text->setValue(0);
    loaded.clearChanged();

    EXPECT_EQ(load(loaded.params, path()), LE_NO_ERROR);
    EXPECT_EQ(loaded.oneByte->Value(), 200);
    EXPECT_EQ(loaded.twoByte->Value1(), 1);
    EXPECT_EQ(loaded.twoByte->Value2(), 44);
    EXPECT_EQ(loaded.twoByte->Value(), 300);
    EXPECT_EQ(loaded.ascii->Value(), QStringLiteral("Hall  "));
    EXPECT_EQ(loaded.check->Value(), 5);
    EXPECT_EQ(loaded.combo->Value(), 2);
    EXPECT_EQ(loaded.option->Value(), QStringLiteral("83\t152"));
    EXPECT_EQ(loaded.text->Value(), 2150);
    for (cParamBase *param : loaded.params.AllParameters())
        EXPECT_TRUE(param->Changed()) << param->Name().toStdString();
    // The controls show the loaded values.
    EXPECT_TRUE(loaded.box.isChecked());
    EXPECT_EQ(loaded.list.currentIndex(), 2);
    EXPECT_TRUE(loaded.lighting.isChecked());
    EXPECT_EQ(loaded.edit.text(), QStringLiteral("21.50"));
    // Loading never goes to LNS.
    EXPECT_EQ(loaded.lnsWrites(), 0);
}

TEST_F(ParameterFileTest, AsciiBytesOfTheCodePageSurviveTheRoundTrip)
{
    cParams saved;
    cParamASCII *a = saved.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    const QString bytes = QString(QChar(0x80)) + QChar(0x9F) + QChar(0xE4) + QStringLiteral(" ,x ");
    a->setValue(bytes);
    ASSERT_TRUE(saved.WriteToFile(path(), PlugIn, ProgramId, Version));
    cParams loaded;
    cParamASCII *b = loaded.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    EXPECT_EQ(load(loaded, path()), LE_NO_ERROR);
    EXPECT_EQ(b->Value(), bytes);
}

TEST_F(ParameterFileTest, KeysMatchWithoutLetterCaseTheFirstLineHoldsAndLfEndsLinesToo)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "mode_1=17\r\nMODE_1 = 18\r\nUse_1 = 1.5\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 17);
    EXPECT_EQ(c.combo->Value(), 2); // halves to even
    put(path(), QByteArray(header() + settingsBlocks("Mode_1 = 9\r\n")).replace("\r\n", "\n"));
    EXPECT_EQ(load(c.params, path()), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 9);
}

// --- header checks -------------------------------------------------------------

TEST_F(ParameterFileTest, EachHeaderMismatchHasItsCodeAndLoadsNothing)
{
    struct Case
    {
        QByteArray general;
        qint32 result;
    };
    const QList<Case> cases = {
        // The plug-in name and the version are compared trimmed; an older id listed as compatible loads.
        {"PlugInName =    veltoTarvinaRX24   \r\nProgramId = 9000A5E018040100\r\nDataFileVersion =  1 \r\n",
         LE_NO_ERROR},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040000\r\nDataFileVersion = 1\r\n",
         LE_NO_ERROR},
        {"PlugInName = VeltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n",
         LE_WRONG_PLUGIN},
        {"PlugInName = veltoSorvanKWx\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n",
         LE_WRONG_PLUGIN},
        {"ProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n", LE_WRONG_PLUGIN},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId =\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nDataFileVersion = 1\r\n", LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E0180401FF\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DEVICE},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000a5e018040000\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DEVICE},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 2\r\n",
         LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\n", LE_WRONG_DATAFILE_VERSION},
    };
    for (const Case &test : cases) {
        Collection c;
        c.setValues();
        c.clearChanged();
        put(path(), "[General]\r\n" + test.general + "[Settings]\r\n" +
                        settingsBlocks("Mode_1 = 9\r\nTemp_1 = 100\r\n"));
        EXPECT_EQ(load(c.params, path()), test.result) << test.general.constData();
        const bool loads = test.result == LE_NO_ERROR;
        EXPECT_EQ(c.oneByte->Value(), loads ? 9 : 200);
        EXPECT_EQ(c.text->Value(), loads ? 100 : 2150);
        EXPECT_EQ(c.oneByte->Changed(), loads);
    }
    Collection c;
    EXPECT_EQ(load(c.params, path(QStringLiteral("missing.dat"))), LE_WRONG_PLUGIN);
}

TEST_F(ParameterFileTest, CompatibleProgramIdNeedsTheDescriptionFile)
{
    Collection c;
    put(path(), header(OlderProgramId.toLatin1()) + settingsBlocks("Mode_1 = 9\r\n"));
    // Without a description file only the device's own id fits.
    EXPECT_EQ(c.params.LoadFromFile(path(), nullptr, PlugIn, ProgramId, Version), LE_WRONG_DEVICE);
    // A device the description file knows no compatible ids for.
    EXPECT_EQ(load(c.params, path(), QStringLiteral("9000A5E0180401FF")), LE_WRONG_DEVICE);
}

// --- values ----------------------------------------------------------------------

TEST_F(ParameterFileTest, DontWriteToFileParameterIsNotLoaded)
{
    Collection c;
    c.oneByte->setDontWriteToFile(true);
    c.oneByte->setForceWriteToFile(true); // forces saving only
    EXPECT_EQ(loadSettings(c, "Mode_1 = 9\r\nDelay_1 = 0,9\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_FALSE(c.oneByte->Changed());
    EXPECT_EQ(c.twoByte->Value(), 9);
}

TEST_F(ParameterFileTest, MissingOrEmptyValuesAndUnknownKeysChangeNothing)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "Mode_1 =\r\nDelay_1 = \r\nUnknown_9 = 5\r\n= 5\r\nno equals sign\r\n"),
              LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_EQ(c.twoByte->Value(), 300);
    for (cParamBase *param : c.params.AllParameters())
        EXPECT_FALSE(param->Changed()) << param->Name().toStdString();
}

TEST_F(ParameterFileTest, BytesMayBeGivenSignedOrUnsignedAndAValueOutsideTheTypingRangeIsTakenAndFlagged)
{
    Collection c;
    c.text->setTextBoxRangeMin(15.0f);
    c.text->setTextBoxRangeMax(30.0f);
    EXPECT_EQ(loadSettings(c, "Mode_1 = -1\r\nDelay_1 = 0,-1\r\nTemp_1 = 4000\r\n"), LE_NO_ERROR);
    // The byte as the device reads it back: unsigned here.
    EXPECT_EQ(c.oneByte->Value(), 255);
    EXPECT_EQ(c.twoByte->Value(), -1);
    EXPECT_EQ(c.text->Value(), 4000);
    EXPECT_TRUE(c.params.AnyParameterValueIsInvalid());
    c.oneByte->setSignedValue(true);
    EXPECT_EQ(loadSettings(c, "Mode_1 = 200\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), -56);
}

// A file is taken whole or not at all: one value its field cannot hold keeps
// every parameter as it was, and the message names file, line and key.
TEST_F(ParameterFileTest, OneValueTheFieldCannotHoldRefusesTheWholeFile)
{
    struct Case
    {
        QByteArray line;
        const char *key;
        const char *reason;
    };
    const QList<Case> cases = {
        {"Mode_1 = 256", "Mode_1", "lies outside -128 to 255"},
        {"Mode_1 = -129", "Mode_1", "lies outside -128 to 255"},
        {"Delay_1 = 1", "Delay_1", "needs two numbers"},
        {"Delay_1 = 256,0", "Delay_1", "lies outside -32768 to 65535"},
        {"Label_1 = far too long for eight,", "Label_1", "longer than the 8 characters"},
        {"Label_1 = " + QString::fromUtf8("Ωmega,").toUtf8(), "Label_1", "character its field cannot take"},
        {"Enable_1 = abc", "Enable_1", "is not a number"},
        {"Use_1 = 256", "Use_1", "lies outside -128 to 255"},
        {"Fpt_1 = 83\t256", "Fpt_1", "RAW text"},
        {"Fpt_1 = 83", "Fpt_1", "(2 decimal bytes"},
        {"Fpt_1 = 83 \t152", "Fpt_1", "RAW text"},
        // SNVT_temp_p is signed: 2 bytes hold -32768 .. 32767 hundredths.
        {"Temp_1 = 40000", "Temp_1", "lies outside -32768 to 32767"},
    };
    for (const Case &test : cases) {
        Collection c;
        // A good value before the bad one, and one after it.
        const QByteArray good = test.line.startsWith("Mode_1") ? "Use_1 = 1\r\n" : "Mode_1 = 7\r\n";
        const qint32 result = loadSettings(c, good + test.line + "\r\nTemp_1 = 100\r\n");
        EXPECT_EQ(result, LE_INVALID_CONTENT) << test.line.constData();
        for (cParamBase *param : c.params.AllParameters())
            EXPECT_FALSE(param->Changed()) << test.line.constData() << " " << param->Name().toStdString();
        EXPECT_EQ(c.oneByte->Value(), 200);
        const QString problem = c.params.LoadFromFileProblem();
        EXPECT_TRUE(problem.contains(path())) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QStringLiteral("Line 8, \"%1\"").arg(QLatin1String(test.key))))
            << problem.toStdString();
        EXPECT_TRUE(problem.contains(QLatin1String(test.reason))) << problem.toStdString();
    }
}

// --- damaged files and encodings ------------------------------------------------------

TEST_F(ParameterFileTest, EmptyAndBinaryFilesGiveAResultAndTouchNothing)
{
    QList<QByteArray> contents = {QByteArray(), QByteArray("\0\0\0\r\n[", 6)};
    QRandomGenerator random(24);
    for (int n = 0; n < 20; ++n) {
        QByteArray noise(1 + random.bounded(4000), '\0');
        for (char &byte : noise)
            byte = static_cast<char>(random.bounded(256));
        contents.append(noise);
    }
    for (const QByteArray &bytes : std::as_const(contents)) {
        Collection c;
        c.setValues();
        c.clearChanged();
        put(path(), bytes);
        EXPECT_NE(load(c.params, path()), LE_NO_ERROR);
        for (cParamBase *param : c.params.AllParameters())
            EXPECT_FALSE(param->Changed());
    }
}

TEST_F(ParameterFileTest, AFileCutAnywhereLoadsWholeOrNotAtAll)
{
    Collection saved;
    saved.setValues();
    saved.oneByte->setValue(17);
    saved.twoByte->setValue(1000);
    saved.text->setValue(1999);
    ASSERT_TRUE(saved.params.WriteToFile(path(), PlugIn, ProgramId, Version));
    const QByteArray whole = bytesOf(path());
    const qsizetype settingsStart = whole.indexOf("[Settings]");
    // The last byte is the LF of the final CR LF: without it nothing is lost.
    for (qsizetype cut = 0; cut < whole.size() - 1; ++cut) {
        Collection c;
        c.setValues();
        c.clearChanged();
        put(path(), whole.left(cut));
        const qint32 result = load(c.params, path());
        if (cut > settingsStart)
            EXPECT_EQ(result, LE_INVALID_CONTENT) << cut;
        else
            EXPECT_NE(result, LE_NO_ERROR) << cut;
        for (cParamBase *param : c.params.AllParameters())
            EXPECT_FALSE(param->Changed()) << cut;
    }
    put(path(), whole);
    Collection c;
    EXPECT_EQ(load(c.params, path()), LE_NO_ERROR);
    EXPECT_EQ(c.text->Value(), 1999);
    put(path(), whole.left(whole.size() - 4));
    EXPECT_EQ(load(c.params, path()), LE_INVALID_CONTENT);
    EXPECT_TRUE(
        c.params.LoadFromFileProblem().contains(QStringLiteral("ends in the middle of its settings")));
}

TEST_F(ParameterFileTest, Utf8FilesLoadAsUtf8AndFalseEncodingsAreRefused)
{
    const QByteArray kitchenUtf8 = QString::fromUtf8("Küche").toUtf8();
    struct Case
    {
        QByteArray bytes;
        qint32 result;
        QString label;
    };
    const QByteArray body = header() + settingsBlocks("Label_1 = " + kitchenUtf8 + ",\r\n");
    const QList<Case> cases = {
        {QByteArray(body).replace(kitchenUtf8, "K\xFC"
                                               "che"),
         LE_NO_ERROR, QString::fromUtf8("Küche")},
        {body, LE_NO_ERROR, QString::fromUtf8("Küche")},
        {"\xEF\xBB\xBF" + body, LE_NO_ERROR, QString::fromUtf8("Küche")},
        // Marked as UTF-8 but in the code page: its third line holds the stray byte.
        {"\xEF\xBB\xBF" + QByteArray(body).replace("veltoTarvinaRX24", "velto\xFC"), LE_INVALID_CONTENT,
         QStringLiteral("Hall  ")},
        {QByteArray("\xFF\xFE", 2) + body, LE_INVALID_CONTENT, QStringLiteral("Hall  ")},
    };
    QStringList problems;
    for (const Case &test : cases) {
        Collection c;
        c.setValues();
        put(path(), test.bytes);
        EXPECT_EQ(load(c.params, path()), test.result) << test.bytes.left(40).toHex().constData();
        EXPECT_EQ(c.ascii->Value(), test.label);
        problems.append(c.params.LoadFromFileProblem());
    }
    EXPECT_TRUE(problems.at(3).contains(QStringLiteral("marked as UTF-8, but line 2")))
        << problems.at(3).toStdString();
    EXPECT_TRUE(problems.at(4).contains(QStringLiteral("UTF-16"))) << problems.at(4).toStdString();
}

// --- the pieces ---------------------------------------------------------------------

TEST(Windows1252, DiffersFromLatin1OnlyInTheHighControls)
{
    EXPECT_EQ(Windows1252::decode("\x80\x8A\x9F\xA0\xE4\x81"),
              QString::fromUtf8("€Š\xC5\xB8\xC2\xA0ä") + QChar(0x81));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("€Šä€")), QByteArray("\x80\x8A\xE4\x80"));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("Ω\xF0\x9F\x98\x80!")), QByteArray("?"
                                                                                       "?!"));
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        EXPECT_EQ(Windows1252::encode(Windows1252::decode(one)), one) << byte;
    }
}

TEST(ParameterFileReader, KeepsTheWholeValueRightOfTheSeparator)
{
    const ParameterFileReader reader =
        ParameterFileReader::fromBytes("top = 1\r\n[ General ]\r\n  ; note\r\nA = 1,44\r\nB =  text ,  "
                                       "\r\nC=x\r\n# c = 2\r\n[Other]\r\nA = 9\r\n");
    EXPECT_EQ(reader.value(QStringLiteral("general"), QStringLiteral("a")), QStringLiteral("1,44"));
    EXPECT_EQ(reader.value(QStringLiteral("General"), QStringLiteral("B")), QStringLiteral(" text ,"));
    EXPECT_EQ(reader.value(QStringLiteral("General"), QStringLiteral("C")), QStringLiteral("x"));
    EXPECT_FALSE(reader.hasKey(QStringLiteral("General"), QStringLiteral("# c")));
    EXPECT_EQ(reader.value(QStringLiteral("Other"), QStringLiteral("A")), QStringLiteral("9"));
    EXPECT_EQ(reader.value(QString(), QStringLiteral("top")), QStringLiteral("1"));
    EXPECT_EQ(reader.value(QStringLiteral("Missing"), QStringLiteral("A")), QString());
}

TEST(ParameterFileReader, ALoneCarriageReturnEndsALineToo)
{
    const ParameterFileReader reader = ParameterFileReader::fromBytes("[S]\rA = x ,\rB = 2\n\rC = 3");
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("A")), QStringLiteral("x ,"));
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("B")), QStringLiteral("2"));
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("C")), QStringLiteral("3"));
}
