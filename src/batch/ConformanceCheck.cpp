#include "batch/ConformanceCheck.h"

#include "batch/BatchError.h"
#include "batch/BatchSession.h"
#include "workflows/cConfiguration.h"

ConformanceCheck::ConformanceCheck(BatchSession &session, QString referenceFile)
    : m_session(session), m_file(std::move(referenceFile)), m_fileProgramId(session.fileProgramId(m_file))
{
}

ConformanceResult ConformanceCheck::check(const BatchDevice &device)
{
    ConformanceResult result;
    result.device = device;
    if (!m_session.serves(device.programId) || !m_session.fits(m_fileProgramId, device.programId)) {
        result.state = BatchTexts::Incompatible;
        result.detail = device.programId;
        return result;
    }
    if (!device.reachable) {
        result.state = BatchTexts::UnreachableState;
        return result;
    }
    QString problem;
    // The values are all a comparison with a parameter file needs.
    const std::unique_ptr<cConfiguration> model = m_session.openModel(device, problem, true);
    if (!model) {
        result.detail = problem;
        return result;
    }
    const QString key = device.programId.toUpper();
    auto reference = m_references.constFind(key);
    if (reference == m_references.constEnd()) {
        try {
            reference = m_references.insert(key, m_session.loadFile(m_file, model.get()));
        } catch (const BatchError &error) {
            result.state = BatchTexts::Incompatible;
            result.detail = error.text();
            return result;
        }
    }
    result.reference = reference.value();
    result.held = model->TakeValues();
    result.differences = static_cast<int>(result.reference.differences(result.held).size());
    result.state = result.differences == 0 ? BatchTexts::Conforms : BatchTexts::Differs;
    return result;
}
