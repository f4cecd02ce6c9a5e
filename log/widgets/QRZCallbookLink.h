#pragma once
// The log module's callbook client (TQRZInterface) as the entry panel's callbook.  The link
// takes the client's session, lookup and in-use events and passes them on; it lets go of them
// when it goes, and forgets a client that goes first.

#include "log/widgets/LogPanelLinks.h"

#include <QPointer>

class TQRZInterface;

class TQRZCallbookLink : public TCallbookLink {
public:
    explicit TQRZCallbookLink(TQRZInterface* client, QObject* parent = nullptr);
    ~TQRZCallbookLink() override;

    QString DomainName() const override;
    bool UseQRZ() const override;
    bool ImmediateLookup() const override;
    bool SessionStarted() const override;
    QString CallsignRequest() const override;
    void SetCallsignRequest(const QString& call) override;
    void Open() override;
    void Request() override;

    QString Call() const override;
    QString Grid() const override;
    int32_t DXCC() const override;
    QString State() const override;
    bool LoTW() const override;
    QString RangeAndBearing() const override;
    QString Qslmgr() const override;
    QString FirstName() const override;

private:
    QPointer<TQRZInterface> FClient;
};
