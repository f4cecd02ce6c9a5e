#pragma once
// TQRZInterface: callsign lookups in the QRZ XML callbook.  It logs in once per session and
// keeps the session key, answers a lookup of the callsign being entered by filling one
// TQRZRecord, and fetches the station's picture.
//
// Requests are event-driven on the GUI thread over verified HTTPS; answers are read by a
// plain element search.  Only the answer to the latest login and to the latest lookup counts:
// an older one that arrives later is dropped, so a slow answer never overwrites a newer one.
// Answers larger than 1 MiB and pictures larger than 5 MiB fail, and a picture is fetched
// over https only.  Messages never carry the password.

#include "core/RCTypes.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QNetworkAccessManager;

using TQRZEvent = std::function<void(bool Success, const QString& AMessage)>;
// Distance and bearing text from the own station to a locator (the spot engine's
// GetRangeAndPathText).
using TRangeAndPathText = std::function<QString(const QString& ALocator)>;

// One callbook entry: the result of the last lookup.
class TQRZRecord {
public:
    TQRZRecord();

    // Empties every field from Call to ITUZone, RangeAndBearing and ImageStream; DXCC 0, LoTW
    // and Success false.  CallsignRequest and Count stay.
    void Clear();

    QString CallsignRequest() const { return FCallsignRequest; }
    // Takes the home call of a portable or mobile call: of "A/B" the shorter part; of two
    // parts of equal length the one after "/", unless that begins with "VP".
    void SetCallsignRequest(const QString& v);
    uint16_t Count() const { return FCount; }
    void SetCount(uint16_t v) { FCount = v; }
    QString Call() const { return FCall; }
    void SetCall(const QString& v) { FCall = v; }
    QString Aliases() const { return FAliases; }
    void SetAliases(const QString& v) { FAliases = v; }
    int32_t DXCC() const { return FDXCC; }
    void SetDXCC(int32_t v) { FDXCC = v; }
    // The first word of the stored name, capitalised, with the usual short form of a few
    // names ("William" reads "Bill").
    QString FirstName() const;
    // The first name as received.
    QString StoredFirstName() const { return FFirstName; }
    void SetFirstName(const QString& v) { FFirstName = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    QString Addr1() const { return FAddr1; }
    void SetAddr1(const QString& v) { FAddr1 = v; }
    QString Addr2() const { return FAddr2; }
    void SetAddr2(const QString& v) { FAddr2 = v; }
    QString State() const { return FState; }
    void SetState(const QString& v) { FState = v; }
    QString Zip() const { return FZip; }
    void SetZip(const QString& v) { FZip = v; }
    QString Country() const { return FCountry; }
    void SetCountry(const QString& v) { FCountry = v; }
    QString Grid() const { return FGrid; }
    void SetGrid(const QString& v) { FGrid = v; }
    QString County() const { return FCounty; }
    void SetCounty(const QString& v) { FCounty = v; }
    QString Qslmgr() const { return FQslmgr; }
    void SetQslmgr(const QString& v) { FQslmgr = v; }
    QString EMail() const { return FEMail; }
    void SetEMail(const QString& v) { FEMail = v; }
    QString URL() const { return FURL; }
    void SetURL(const QString& v) { FURL = v; }
    QString Image() const { return FImage; }
    void SetImage(const QString& v) { FImage = v; }
    QString Imageinfo() const { return FImageinfo; }
    void SetImageinfo(const QString& v) { FImageinfo = v; }
    QString MQSL() const { return FMQSL; }
    void SetMQSL(const QString& v) { FMQSL = v; }
    // Zones have two digits: "5" is stored as "05"; empty and longer texts stay as they are.
    QString CQZone() const { return FCQZone; }
    void SetCQZone(const QString& v);
    QString ITUZone() const { return FITUZone; }
    void SetITUZone(const QString& v);
    bool LoTW() const { return FLoTW; }
    void SetLoTW(bool v) { FLoTW = v; }
    QString RangeAndBearing() const { return FRangeAndBearing; }
    void SetRangeAndBearing(const QString& v) { FRangeAndBearing = v; }
    // The downloaded picture.
    const QByteArray& ImageStream() const { return FImageStream; }
    void SetImageStream(const QByteArray& v) { FImageStream = v; }
    bool Success() const { return FSuccess; }
    void SetSuccess(bool v) { FSuccess = v; }

    // The address block, lines separated by CR LF.
    QString AllInfo() const;
    // The QSL manager's callsign named in Qslmgr; empty when it names none.
    QString QSLInfo() const;

private:
    QString FCallsignRequest;
    uint16_t FCount = 0;
    QString FCall;
    QString FAliases;
    int32_t FDXCC = 0;
    QString FFirstName;
    QString FName;
    QString FAddr1;
    QString FAddr2;
    QString FState;
    QString FZip;
    QString FCountry;
    QString FGrid;
    QString FCounty;
    QString FQslmgr;
    QString FEMail;
    QString FURL;
    QString FImage;
    QString FImageinfo;
    QString FMQSL;
    QString FCQZone;
    QString FITUZone;
    bool FLoTW = false;
    QString FRangeAndBearing;
    QByteArray FImageStream;
    bool FSuccess = false;
};

class TQRZInterface : public QObject {
    Q_OBJECT
public:
    static constexpr const char* DefaultHost = "https://xmldata.qrz.com";
    static constexpr const char* XMLPath = "/xml/current/";
    static constexpr const char* DomainName = "QRZ.COM";
    static constexpr const char* Agent = "Brindlex";
    static constexpr qint64 MaxAnswer = 1024 * 1024;
    static constexpr qint64 MaxImage = 5 * 1024 * 1024;

    explicit TQRZInterface(QObject* parent = nullptr);
    ~TQRZInterface() override;

    // Starts a login when UseQRZ is set; the outcome comes through OnSession (and, for the
    // settings dialog, OnTestButton).
    virtual void Open();
    // Looks up CallsignRequest of QRZRecord; the outcome comes through OnRequest and
    // OnInfoAvailable.  The callsign the record holds already is not asked for again.
    virtual void Request();
    // Fetches the picture of the current record; OnImage follows when it arrived.
    virtual void DownloadImage();

    bool UseQRZ() const { return FUseQRZ; }
    // Raises OnUseQRZ when the value changes.
    void SetUseQRZ(bool v);
    QString MyUsername() const { return FMyUsername; }
    void SetMyUsername(const QString& v) { FMyUsername = v; }
    QString MyPassword() const { return FMyPassword; }
    void SetMyPassword(const QString& v) { FMyPassword = v; }
    bool ImmediateLookup() const { return FImmediateLookup; }
    void SetImmediateLookup(bool v) { FImmediateLookup = v; }
    bool ImageDownload() const { return FImageDownload; }
    void SetImageDownload(bool v) { FImageDownload = v; }
    // Stands in for the spot engine: the main window hands in its GetRangeAndPathText.
    TRangeAndPathText DXSpots() const { return FDXSpots; }
    void SetDXSpots(TRangeAndPathText v) { FDXSpots = std::move(v); }
    TQRZRecord* QRZRecord() { return &FQRZRecord; }
    const TQRZRecord* QRZRecord() const { return &FQRZRecord; }
    bool Active() const { return FActive; }
    bool SessionStarted() const { return FSessionStarted; }
    bool RequestSuccess() const { return FRequestSuccess; }
    // Null when the login named no readable date.
    QDate SubscriptionExpires() const { return FSubscriptionExpires; }

    // The server; tests point it at a local one.
    QString Host() const { return FHost; }
    void SetHost(const QString& v) { FHost = v; }

    // The text between the first "<name>" and the first "</name>" after it; empty when either
    // is missing.
    static QString Element(const QString& answer, const QString& name);
    // The date of a SubExp text such as "Tue Jan 9 10:11:12 2024"; null when it is none.
    static QDate ExpiryDate(const QString& subExp);

    TQRZEvent OnSession;
    TQRZEvent OnTestButton;
    TQRZEvent OnRequest;
    TQRZEvent OnDebug;
    TSwitchEvent OnInfoAvailable;
    TSwitchEvent OnImage;
    TSwitchEvent OnUseQRZ;

private:
    // Sends a request to the callbook; done gets the answer text with CR LF line ends, or the
    // failure.
    void Fetch(const QString& encodedQuery, std::function<void(bool ok, const QString& answer)> done);
    void LoginAnswer(bool ok, const QString& answer);
    void LookupAnswer(bool ok, const QString& answer);
    void LoginFailed(const QString& error);

    bool FUseQRZ = false;
    QString FMyUsername;
    QString FMyPassword;
    bool FImmediateLookup = false;
    bool FImageDownload = false;
    TRangeAndPathText FDXSpots;
    TQRZRecord FQRZRecord;
    bool FActive = false;
    bool FSessionStarted = false;
    bool FRequestSuccess = false;
    QDate FSubscriptionExpires;
    QString FSessionKey;

    QString FHost = QLatin1String(DefaultHost);
    QNetworkAccessManager* FManager = nullptr;
    // Numbers of the latest login, lookup and picture request: older answers are dropped.
    uint64_t FLogin = 0;
    uint64_t FLookup = 0;
    uint64_t FPicture = 0;
};
