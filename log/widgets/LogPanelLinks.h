#pragma once
// What the QSO entry panel needs of two neighbours that live elsewhere: the callbook client and
// the two small views it opens (the callbook info window and the spot dialog).  The program
// connects its own; tests use doubles.  Both are QObjects so that the panel notices when one
// goes away before it does.

#include "core/RCTypes.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Outcome of a callbook login or lookup, with the message to show.
using TCallbookEvent = std::function<void(bool Success, const QString& AMessage)>;

// The callbook client as the entry panel drives it: one session, one lookup at a time, and
// the answer of the last lookup.
class TCallbookLink : public QObject {
public:
    using QObject::QObject;

    // The service's domain name ("qrz.com"); the panel shows it in capitals.
    virtual QString DomainName() const = 0;
    virtual bool UseQRZ() const = 0;
    virtual bool ImmediateLookup() const = 0;
    virtual bool SessionStarted() const = 0;
    // The call to look up; the client drops portable prefixes and suffixes here.
    virtual QString CallsignRequest() const = 0;
    virtual void SetCallsignRequest(const QString& call) = 0;
    // Login (answers through OnSession), lookup of CallsignRequest (answers through OnRequest).
    virtual void Open() = 0;
    virtual void Request() = 0;

    // The answer of the last lookup.
    virtual QString Call() const = 0;
    virtual QString Grid() const = 0;
    virtual int32_t DXCC() const = 0;
    virtual QString State() const = 0;
    virtual bool LoTW() const = 0;
    virtual QString RangeAndBearing() const = 0;
    virtual QString Qslmgr() const = 0;
    // The first name as it is shown (short forms applied).
    virtual QString FirstName() const = 0;

    // Single-handler events; the panel that takes the link becomes their receiver.
    TCallbookEvent OnRequest;
    TCallbookEvent OnSession;
    TSwitchEvent OnUseQRZ;
};

// The views the entry panel opens.
class TLogPanelViews : public QObject {
public:
    using QObject::QObject;

    // Shows the proposed spot line in the modal spot dialog; the line the operator confirmed,
    // or nothing when the dialog was cancelled.
    virtual std::optional<QString> EditSpot(const QString& line) = 0;
    // Shows the callbook window (made on first use) with the callbook's current answer.
    virtual void ShowCallbookInfo(TCallbookLink& callbook) = 0;
    // A lookup answered: the callbook window, when it exists, shows the new answer (success)
    // or is cleared.
    virtual void CallbookAnswered(bool success) = 0;
};
