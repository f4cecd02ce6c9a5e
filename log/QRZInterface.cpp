#include "log/QRZInterface.h"

#include "log/WebRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

const QString Domain = QLatin1String(TQRZInterface::DomainName);

struct TShortName {
    const char* Name;
    const char* Short;
};
constexpr TShortName ShortNames[] = {
    {"David", "Dave"}, {"James", "Jim"}, {"Leslie", "Les"}, {"Michael", "Mike"},
    {"Richard", "Dick"}, {"Robert", "Bob"}, {"Thomas", "Tom"}, {"William", "Bill"},
};

QString Zone(const QString& v)
{
    return v.size() == 1 ? QLatin1Char('0') + v : v;
}

bool IsAsciiLetter(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

// ---- TQRZRecord ----------------------------------------------------------------------------

TQRZRecord::TQRZRecord()
{
    Clear();
}

void TQRZRecord::Clear()
{
    FCall.clear();
    FAliases.clear();
    FDXCC = 0;
    FFirstName.clear();
    FName.clear();
    FAddr1.clear();
    FAddr2.clear();
    FState.clear();
    FZip.clear();
    FCountry.clear();
    FGrid.clear();
    FCounty.clear();
    FQslmgr.clear();
    FEMail.clear();
    FURL.clear();
    FImage.clear();
    FImageinfo.clear();
    FMQSL.clear();
    FCQZone.clear();
    FITUZone.clear();
    FLoTW = false;
    FRangeAndBearing.clear();
    FImageStream.clear();
    FSuccess = false;
}

void TQRZRecord::SetCallsignRequest(const QString& v)
{
    const qsizetype slash = v.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        FCallsignRequest = v;
        return;
    }
    const QString a = v.left(slash);
    const QString b = v.mid(slash + 1);
    if (b.size() < a.size())
        FCallsignRequest = a;
    else if (b.size() > a.size())
        FCallsignRequest = b;
    else
        FCallsignRequest = b.startsWith(QLatin1String("VP")) ? a : b;
}

QString TQRZRecord::FirstName() const
{
    const qsizetype blank = FFirstName.indexOf(QLatin1Char(' '));
    QString name = (blank < 0 ? FFirstName : FFirstName.left(blank)).toLower();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    for (const TShortName& s : ShortNames) {
        if (name == QLatin1String(s.Name))
            return QLatin1String(s.Short);
    }
    return name;
}

void TQRZRecord::SetCQZone(const QString& v)
{
    FCQZone = Zone(v);
}

void TQRZRecord::SetITUZone(const QString& v)
{
    FITUZone = Zone(v);
}

QString TQRZRecord::AllInfo() const
{
    QStringList lines{FFirstName + QLatin1Char(' ') + FName};
    if (!FAddr1.isEmpty())
        lines << FAddr1;
    if (!FAddr2.isEmpty())
        lines << FAddr2;
    if (!FState.isEmpty() && !FZip.isEmpty())
        lines << FState + QLatin1Char(' ') + FZip;
    lines << FCountry << QString();
    QString text = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    if (!FQslmgr.isEmpty())
        text += FQslmgr + QLatin1String("\r\n");
    if (!FGrid.isEmpty())
        text += FGrid + QLatin1Char(' ') + FRangeAndBearing;
    return text;
}

QString TQRZRecord::QSLInfo() const
{
    const QStringList words = FQslmgr.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        int letters = 0;
        int digits = 0;
        for (QChar c : word) {
            letters += IsAsciiLetter(c);
            digits += IsAsciiDigit(c);
        }
        if (word.size() < 3 || letters < 2 || digits < 1)
            continue;
        qsizetype end = 0;
        while (end < word.size() && (IsAsciiLetter(word[end]) || IsAsciiDigit(word[end])))
            ++end;
        return word.left(end);
    }
    return {};
}

// ---- TQRZInterface -------------------------------------------------------------------------

TQRZInterface::TQRZInterface(QObject* parent)
    : QObject(parent)
{
}

TQRZInterface::~TQRZInterface() = default;

void TQRZInterface::SetUseQRZ(bool v)
{
    if (v == FUseQRZ)
        return;
    FUseQRZ = v;
    Fire(OnUseQRZ, v);
}

QString TQRZInterface::Element(const QString& answer, const QString& name)
{
    const QString open = QLatin1Char('<') + name + QLatin1Char('>');
    const QString close = QLatin1String("</") + name + QLatin1Char('>');
    const qsizetype start = answer.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype from = start + open.size();
    const qsizetype end = answer.indexOf(close);
    if (end < from)
        return {};
    return answer.mid(from, end - from);
}

QDate TQRZInterface::ExpiryDate(const QString& subExp)
{
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString text = subExp.mid(4);
    bool yearOk = false;
    const int year = subExp.right(4).toInt(&yearOk);
    int month = 1;
    for (int i = 0; i < 12; ++i) {
        if (text.left(3) == QLatin1String(Months[i]))
            month = i + 1;
    }
    text = text.mid(4).trimmed();
    bool dayOk = false;
    const int day = text.left(text.indexOf(QLatin1Char(' '))).toInt(&dayOk);
    const QDate date(year, month, day);
    return yearOk && dayOk && date.isValid() ? date : QDate();
}

void TQRZInterface::Fetch(const QString& encodedQuery, std::function<void(bool ok, const QString& answer)> done)
{
    if (!FManager)
        FManager = new QNetworkAccessManager(this);
    QNetworkReply* reply =
        FManager->get(vx::web::Request(vx::web::ServiceUrl(FHost, QLatin1String(XMLPath), encodedQuery)));
    vx::web::Collect(reply, MaxAnswer, this, [done](const vx::web::TFetchResult& r) {
        if (!r.Ok) {
            done(false, QStringLiteral("Error: ") + r.Error);
            return;
        }
        QString text = QString::fromUtf8(r.Body);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        done(true, text);
    });
}

void TQRZInterface::Open()
{
    FSessionStarted = false;
    if (!FUseQRZ)
        return;
    if (FMyUsername.isEmpty() || FMyPassword.isEmpty()) {
        const QString message = Domain + QLatin1String(" Username and/or Password is empty");
        Fire(OnTestButton, false, message);
        Fire(OnSession, false, message);
        return;
    }
    const uint64_t login = ++FLogin;
    const QString query = QStringLiteral("username=%1;password=%2;agent=%3")
                              .arg(vx::web::QueryValue(FMyUsername), vx::web::QueryValue(FMyPassword),
                                   QLatin1String(Agent));
    Fetch(query, [this, login](bool ok, const QString& answer) {
        if (login == FLogin)
            LoginAnswer(ok, answer);
    });
}

void TQRZInterface::LoginFailed(const QString& error)
{
    const QString message = Domain + QLatin1String(" Error: ") + error;
    Fire(OnTestButton, false, message);
    Fire(OnSession, false, message);
}

void TQRZInterface::LoginAnswer(bool ok, const QString& answer)
{
    FSessionStarted = false;
    FActive = false;
    if (!ok) {
        LoginFailed(answer.mid(int(qstrlen("Error: "))));
        return;
    }
    const QString error = Element(answer, QStringLiteral("Error"));
    if (!error.isEmpty()) {
        LoginFailed(error);
        Fire(OnDebug, FSessionStarted, answer);
        return;
    }
    const QString key = Element(answer, QStringLiteral("Key"));
    if (key.isEmpty()) {
        // A cut-off or foreign answer started no session: no success is reported for it.
        LoginFailed(QStringLiteral("the answer holds no session key"));
        Fire(OnDebug, FSessionStarted, answer);
        return;
    }
    FSessionKey = key;
    FSessionStarted = true;
    const QString subExp = Element(answer, QStringLiteral("SubExp"));
    QString expires = subExp;
    if (!subExp.isEmpty()) {
        FSubscriptionExpires = ExpiryDate(subExp);
        if (FSubscriptionExpires.isValid())
            expires = FSubscriptionExpires.toString(QStringLiteral("yyyy-MM-dd"));
    }
    bool countOk = false;
    int count = Element(answer, QStringLiteral("Count")).toInt(&countOk);
    if (!countOk)
        count = 0;
    if (OnTestButton) {
        OnTestButton(FSessionStarted, Domain + QLatin1String(" Session login successful!"));
        Fire(OnTestButton, FSessionStarted, QStringLiteral("Subscription expires: %1").arg(expires));
        Fire(OnTestButton, FSessionStarted, QStringLiteral("XML Requests: %1").arg(count));
    }
    Fire(OnSession, FSessionStarted, Domain + QLatin1String(" Session started"));
    FActive = FSessionStarted;
}

void TQRZInterface::Request()
{
    if (!FUseQRZ || (FSessionKey.isEmpty() && FQRZRecord.CallsignRequest().isEmpty()))
        return;
    if (FQRZRecord.CallsignRequest() != FQRZRecord.Call()) {
        const uint64_t lookup = ++FLookup;
        const QString query = QStringLiteral("s=%1;callsign=%2")
                                  .arg(vx::web::QueryValue(FSessionKey), vx::web::QueryValue(FQRZRecord.CallsignRequest()));
        Fetch(query, [this, lookup](bool ok, const QString& answer) {
            if (lookup == FLookup)
                LookupAnswer(ok, answer);
        });
        return;
    }
    if (FRequestSuccess)
        Fire(OnRequest, true, QString());
}

void TQRZInterface::LookupAnswer(bool ok, const QString& answer)
{
    FRequestSuccess = false;
    FQRZRecord.Clear();
    // A picture still on its way belongs to the record just cleared.
    ++FPicture;
    const QString error = ok ? Element(answer, QStringLiteral("Error")) : answer.mid(int(qstrlen("Error: ")));
    if (!error.isEmpty()) {
        Fire(OnRequest, false, Domain + QLatin1String(" Error: ") + error);
    } else if (const QString call = Element(answer, QStringLiteral("call")); !call.isEmpty()) {
        FRequestSuccess = true;
        TQRZRecord& r = FQRZRecord;
        const auto e = [&answer](const char* name) { return Element(answer, QLatin1String(name)); };
        bool countOk = false;
        const uint count = e("Count").toUInt(&countOk);
        r.SetCount(countOk && count <= 0xFFFF ? uint16_t(count) : 0);
        r.SetCall(call);
        r.SetAliases(e("aliases"));
        bool dxccOk = false;
        const int dxcc = e("dxcc").toInt(&dxccOk);
        r.SetDXCC(dxccOk ? dxcc : 0);
        r.SetFirstName(e("fname"));
        r.SetName(e("name"));
        r.SetAddr1(e("addr1"));
        r.SetAddr2(e("addr2"));
        r.SetState(e("state"));
        r.SetZip(e("zip"));
        r.SetCountry(e("country"));
        r.SetGrid(e("grid"));
        r.SetCounty(e("county"));
        r.SetQslmgr(e("qslmgr"));
        r.SetEMail(e("email"));
        r.SetURL(e("url"));
        r.SetImage(e("image"));
        r.SetImageinfo(e("imageinfo"));
        r.SetMQSL(e("mqsl"));
        r.SetCQZone(e("cqzone"));
        r.SetITUZone(e("ituzone"));
        r.SetLoTW(e("lotw") == QLatin1String("1"));
        if (FDXSpots && !r.Grid().isEmpty())
            r.SetRangeAndBearing(FDXSpots(r.Grid()));
        r.SetSuccess(true);
        Fire(OnRequest, true, Domain + QLatin1String(" Request OK"));
        Fire(OnDebug, FSessionStarted, answer);
        if (FImageDownload && !r.Image().isEmpty())
            DownloadImage();
    }
    Fire(OnInfoAvailable, FRequestSuccess);
}

void TQRZInterface::DownloadImage()
{
    if (!FUseQRZ || !FRequestSuccess || FQRZRecord.Image().isEmpty())
        return;
    // Pictures come over https only, like everything else.
    const QUrl url(FQRZRecord.Image(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty())
        return;
    if (!FManager)
        FManager = new QNetworkAccessManager(this);
    const uint64_t picture = ++FPicture;
    QNetworkReply* reply = FManager->get(vx::web::Request(url));
    vx::web::Collect(reply, MaxImage, this, [this, picture](const vx::web::TFetchResult& r) {
        if (picture != FPicture || !r.Ok)
            return;
        // A picture fetched again replaces the one there.
        FQRZRecord.SetImageStream(r.Body);
        Fire(OnImage, !FQRZRecord.ImageStream().isEmpty());
    });
}
