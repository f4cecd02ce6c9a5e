#pragma once
// A recording stand-in for the program's modules: it keeps every step TDM runs, reads a
// stored role into TDM when the settings module reads its settings, and fails one chosen
// step, by its answer or by throwing.

#include "client/DM.h"

#include <QStringList>
#include <optional>
#include <stdexcept>

namespace clienttest {

class RecordingModules : public TDMModules {
public:
    QString Run(const TDMStep& step) override
    {
        QString name = StepName(step);
        if (step.Operation == TDMOperation::OpenCATRemote)
            name += QStringLiteral(" without port");
        Steps << name;
        if (step == TDMStep{TDMModule::Application, TDMOperation::IniRead} && Role)
            Role->SetApplicationType(StoredRole);
        if (Failing && step == *Failing) {
            if (Throw)
                throw std::runtime_error("the device is gone");
            return QStringLiteral("the device is gone");
        }
        return {};
    }

    QStringList Steps;
    TApplicationRole* Role = nullptr;
    TApplicationType StoredRole = isLocal;
    std::optional<TDMStep> Failing;
    bool Throw = false;
};

} // namespace clienttest
