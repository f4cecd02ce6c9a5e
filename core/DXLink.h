#pragma once
// What the remote control client needs of the DX cluster module: its entry for QSOs logged
// by WSJT-X at the server.  The DX module implements it; the program's start-up hands it to
// the remote client module.

#include <QString>

class TDXModuleLink {
public:
    virtual ~TDXModuleLink() = default;
    // Builds a log record from the ADIF text of one QSO and logs it when complete.
    virtual void AddWSJTQSO(const QString& AQSOLine) = 0;
};
