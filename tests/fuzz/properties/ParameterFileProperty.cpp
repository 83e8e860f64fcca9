#include "properties/ParameterFileProperty.h"

#include "FuzzConfigProperty.h"
#include "FuzzFailure.h"
#include "params/ParameterFile.h"
#include "params/ParameterFileReader.h"
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
#include <QRadioButton>

namespace {
const ParameterFile::Header Expected{QStringLiteral("veltoTarvinaRX24"), QStringLiteral("9000A5E018040100"),
                                     QStringLiteral("1")};

std::shared_ptr<FuzzConfigProperty> cp(int length)
{
    QStringList zeros;
    for (int i = 0; i < length; ++i)
        zeros.append(QStringLiteral("0"));
    return std::make_shared<FuzzConfigProperty>(length, QStringList{zeros.join(QLatin1Char('\t'))});
}

// One or two parameters of every kind, as the form creates them.
struct Collection
{
    Collection()
    {
        params.Add1ByteParameter(QStringLiteral("Mode_1"), cp(1), QString())->ConsiderPartOfCpOnly(1);
        cParam1Byte *signedByte = params.Add1ByteParameter(QStringLiteral("Offset_1"), cp(1), QString());
        signedByte->setSignedValue(true);
        signedByte->ConsiderPartOfCpOnly(1);
        params.Add2ByteParameter(QStringLiteral("Delay_1"), cp(2), QString())->ConsiderPartOfCpOnly(1);
        params.AddAsciiParameter(QStringLiteral("Label_1"), cp(8), QString())->ConsiderPartOfCpOnly(1, 8);
        params.AddAsciiParameter(QStringLiteral("Whole_1"), cp(4), QString());
        cParamCheckBox *check =
            params.AddCheckBoxParameter(QStringLiteral("Enable_1"), &box, cp(1), QString());
        check->ConsiderPartOfCpOnly(1, 1);
        check->setValueChecked(5);
        cParamComboBox *combo = params.AddComboBoxParameter(QStringLiteral("Use_1"), &list, cp(1), QString());
        combo->ConsiderPartOfCpOnly(1, 1);
        combo->AddComboBoxItem(QStringLiteral("not used"), -1);
        combo->AddComboBoxItem(QStringLiteral("one"), 1);
        cParamOptBtn *option = params.AddOptionButtonParameter(QStringLiteral("Fpt_1"), cp(2), QString());
        option->AddOptionButton(&first, QStringLiteral("83\t152"));
        option->AddOptionButton(&second, QStringLiteral("255\t255"));
        cParamTextBox *temp = params.AddTextBoxParameter(QStringLiteral("Temp_1"), &edit, cp(2), QString());
        temp->setSnvtType(SNVT_temp_p);
        temp->ConsiderPartOfCpOnly(1, 2);
        temp->setLockMode(LM_UNLOCKED);
        cParamTextBox *plain =
            params.AddTextBoxParameter(QStringLiteral("Count_1"), nullptr, cp(2), QString());
        plain->ConsiderPartOfCpOnly(1, 2);
        plain->setResolution(RES_0_5);
    }

    QStringList values() const
    {
        QStringList texts;
        for (const cParamBase *param : params.AllParameters())
            texts.append(param->FileValueText());
        return texts;
    }

    QCheckBox box;
    QComboBox list;
    QRadioButton first;
    QRadioButton second;
    QLineEdit edit;
    cParams params;
};

const UtilityComponent &description()
{
    static const UtilityComponent utility(QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini"));
    return utility;
}
} // namespace

void ParameterFileProperty::check(QByteArrayView input)
{
    if (input.isEmpty())
        return;
    QByteArray bytes = input.sliced(1).toByteArray();
    if (input.front() & 1) {
        bytes.prepend("[General]\r\nPlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\n"
                      "DataFileVersion = 1\r\n[Settings]\r\n");
    }

    Collection loaded;
    ParameterFile file(loaded.params);
    const eLoadFromFileErrors result =
        file.load(ParameterFileReader::fromBytes(bytes), &description(), Expected);
    FUZZ_CHECK(result == LE_NO_ERROR || result == LE_WRONG_PLUGIN || result == LE_WRONG_DEVICE ||
               result == LE_WRONG_DATAFILE_VERSION || result == LE_INVALID_CONTENT);
    // A refused file changes nothing.
    if (result != LE_NO_ERROR) {
        FUZZ_CHECK(loaded.values() == Collection().values());
        return;
    }

    // What the collection holds now must survive a save and a load.
    const QByteArray saved = file.contents(Expected);
    Collection reloaded;
    ParameterFile again(reloaded.params);
    FUZZ_CHECK(again.load(ParameterFileReader::fromBytes(saved), &description(), Expected) == LE_NO_ERROR);
    FUZZ_CHECK(reloaded.values() == loaded.values());
}
