#include "batch/SetApplier.h"

#include "batch/BatchError.h"
#include "batch/BatchSession.h"
#include "params/LogService.h"
#include "platform/lns/LnsError.h"
#include "template/ParamEnums.h"
#include "workflows/cConfiguration.h"

namespace {

BatchTexts::Reason writeFailure(const std::optional<AppError> &error)
{
    if (!error)
        return BatchTexts::WriteFailed;
    if (error->number() == LnsErrorCode::DeviceUnreachable)
        return BatchTexts::Unreachable;
    if (error->number() == LnsErrorCode::Busy || error->fault().kind == DatabaseFault::Busy ||
        error->fault().kind == DatabaseFault::Locked)
        return BatchTexts::Busy;
    return BatchTexts::WriteFailed;
}

} // namespace

ApplyResult SetApplier::applyFile(const BatchDevice &device, const QString &file, bool dryRun)
{
    if (file != m_file) {
        m_fileSets.clear();
        m_file = file;
    }
    return run(
        device,
        [this, &file, &device](cConfiguration &model, ConfigurationSet &set, ApplyResult &result) {
            const QString key = device.programId.toUpper();
            const auto known = m_fileSets.constFind(key);
            if (known != m_fileSets.constEnd()) {
                set = known.value();
                return true;
            }
            const qint32 loaded = model.LoadSetFromFile(file, set);
            if (loaded != LE_NO_ERROR) {
                result.reason =
                    loaded == LE_WRONG_DEVICE ? BatchTexts::OtherProgramId : BatchTexts::InvalidSet;
                result.detail = model.LoadSetProblem(loaded);
                return false;
            }
            m_fileSets.insert(key, set);
            return true;
        },
        false, dryRun);
}

ApplyResult SetApplier::applySet(const BatchDevice &device, const ConfigurationSet &set, bool dryRun)
{
    return run(
        device,
        [this, &set, &device](cConfiguration &, ConfigurationSet &into, ApplyResult &result) {
            if (!m_session.fits(set.programId, device.programId)) {
                result.reason = BatchTexts::OtherProgramId;
                return false;
            }
            into = set;
            return true;
        },
        true, dryRun);
}

ApplyResult SetApplier::run(const BatchDevice &device, const Loader &load, bool withNames, bool dryRun)
{
    ApplyResult result;
    result.device = device;
    if (!m_session.serves(device.programId)) {
        result.reason = BatchTexts::OtherProgramId;
        result.detail = device.programId;
        return result;
    }
    if (!device.reachable) {
        result.reason = BatchTexts::Unreachable;
        return result;
    }
    QString problem;
    const std::unique_ptr<cConfiguration> model = m_session.openModel(device, problem);
    if (!model) {
        result.reason = BatchTexts::Unreadable;
        result.detail = problem;
        return result;
    }
    result.before = model->ReadSet();
    ConfigurationSet set;
    if (!load(*model, set, result))
        return result;
    model->PutSet(set);
    if (withNames)
        model->PutNames(set);
    if (!model->checkValues()) {
        result.reason = BatchTexts::InvalidSet;
        result.detail = LogService::instance().RedText();
        return result;
    }
    if (!model->PrepareDefaults()) {
        result.reason = BatchTexts::Unreadable;
        result.detail = LogService::instance().RedText();
        return result;
    }
    result.after = model->TakeSet();
    if (result.after.equals(result.before, withNames)) {
        result.state = BatchTexts::Unchanged;
        return result;
    }
    if (dryRun) {
        result.state = BatchTexts::WouldChange;
        return result;
    }
    if (model->WriteSettings(true)) {
        result.state = BatchTexts::Written;
        return result;
    }
    result.reason =
        model->ChangedSinceRead() ? BatchTexts::ChangedByOther : writeFailure(model->LastWriteError());
    result.detail = LogService::instance().RedText();
    return result;
}
