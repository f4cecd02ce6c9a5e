#pragma once
// TeQSLInterface: posts an ADIF file to eQSL's ADIF upload page and returns the reply as
// plain lines.  The request is event-driven on the caller's thread over verified HTTPS; Upload
// returns at once and the reply follows (never from inside Upload).

#include "core/RCTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QNetworkAccessManager;

using TeQSLEvent = std::function<void(bool Success, const QStringList& Response)>;

class TeQSLInterface : public QObject {
    Q_OBJECT
public:
    static constexpr const char* DefaultHost = "https://www.eqsl.cc";
    static constexpr const char* UploadPath = "/qslcard/ImportADIF.cfm";
    static constexpr const char* DomainName = "eQSL.cc";
    // Replies are short texts.
    static constexpr qint64 MaxReply = 1024 * 1024;

    explicit TeQSLInterface(QObject* parent = nullptr);

    // Posts the file with the login.  The reply lines come through OnUpload when assigned,
    // else through OnUploaded, with Success False: the service's reply is not judged.  When
    // the upload cannot be made (no login, no file, a transport failure, an HTTP error) the
    // lines say why and Success stays False as well.
    void Upload(const QString& eQSLUser, const QString& eQSLPassword, const QString& ADIFFile);
    bool Uploading() const { return FUploading; }

    // The server; tests point it at a local one.
    QString Host() const { return FHost; }
    void SetHost(const QString& v) { FHost = v; }

    // The reply body reduced to its text lines, after the header line and an empty line.
    static QStringList ReduceReply(const QString& body);

    TStringEvent OnUpload;
    TeQSLEvent OnUploaded;

private:
    // Hands the lines to the receivers, after the calling code has returned.
    void Deliver(const QStringList& lines);

    QString FHost = QLatin1String(DefaultHost);
    QNetworkAccessManager* FManager = nullptr;
    bool FUploading = false;
};
