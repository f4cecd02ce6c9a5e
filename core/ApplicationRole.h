#pragma once
// The role of the running program and the two dialog positions that are stored beside it.
// The start-and-stop module keeps them; the settings store reads them into it, and the radio
// module and the CAT command writer read the role from it.

#include "core/RCTypes.h"

#include <QString>
#include <cstdint>

class TApplicationRole {
public:
    virtual ~TApplicationRole() = default;

    TApplicationType ApplicationType() const { return FApplicationType; }
    void SetApplicationType(TApplicationType value) { FApplicationType = value; }
    // The roles that drive the radio for remote clients.
    bool IsServerRole() const { return FApplicationType == isLocalAndRemoteServer || FApplicationType == isRemoteServer; }

    // Last page shown in the settings dialog.
    QString LastSetting() const { return FLastSetting; }
    void SetLastSetting(const QString& value) { FLastSetting = value; }
    // Last radio menu number edited.
    int32_t LastMenuNo() const { return FLastMenuNo; }
    void SetLastMenuNo(int32_t value) { FLastMenuNo = value; }

private:
    TApplicationType FApplicationType = isLocal;
    QString FLastSetting;
    int32_t FLastMenuNo = 0;
};
