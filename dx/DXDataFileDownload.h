#pragma once
// TDXDataFileDownload: fetches newer copies of cty.dat and dxccentity.dat from the download
// server over HTTPS.  A run asks the server (HEAD) for each file's last-modification time and
// length, and fetches (GET) the files whose download flag is set.
//
// Requests are event-driven on the GUI thread; the result arrives as OnCheck (a run without
// downloads) or OnDownload, always after the call that started the run has returned.  TLS 1.2
// or newer, the server's certificate verified against the trusted CA certificates of the
// default TLS configuration (the system's store), 30 s without progress ends a request.
//
// Nothing installed changes until every requested file has arrived whole and looks like what
// it should be; then the files are replaced together.  A failed run leaves both as they were.

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace vx {
class Timer;
} // namespace vx

class TDXDataFileDownload : public QObject {
    Q_OBJECT
public:
    // The result of a run: Response is empty on success and says what went wrong otherwise.
    using TDownloadEvent = std::function<void(bool Success, const QString& Response)>;

    static constexpr qint64 MaxFileSize = 10 * 1024 * 1024;
    static constexpr int TransferTimeout = 30000;
    static constexpr const char* FilesPath = "/vornix/files/";
    static constexpr const char* CTYFileName = "cty.dat";
    static constexpr const char* DXCCFileName = "dxccentity.dat";
    // Where the server's address is kept (empty: no server, nothing is asked).
    static constexpr const char* SettingsSection = "Client\\DataFiles";
    static constexpr const char* SettingsKey = "DownloadServer";

    // Takes the server's address from the settings when the program has a settings store.
    explicit TDXDataFileDownload(QObject* owner = nullptr);
    ~TDXDataFileDownload() override;

    bool DownloadCTY() const { return FDownloadCTY; }
    void SetDownloadCTY(bool value) { FDownloadCTY = value; }
    bool DownloadDXCC() const { return FDownloadDXCC; }
    void SetDownloadDXCC(bool value) { FDownloadDXCC = value; }
    // The file was fetched and installed by the last run.
    bool DownloadedCTY() const { return FDownloadedCTY; }
    bool DownloadedDXCC() const { return FDownloadedDXCC; }
    // The server's last-modification time in local time; invalid when it sent none.
    QDateTime LastModifiedCTY() const { return FLastModifiedCTY; }
    QDateTime LastModifiedDXCC() const { return FLastModifiedDXCC; }

    // "https://host[:port]"; a bare host name is taken as https.
    QString BaseAddress() const { return FBaseAddress; }
    void SetBaseAddress(const QString& value) { FBaseAddress = value.trimmed(); }
    // The address stored in the settings (empty without a settings store).
    static QString DownloadServerSetting();

    // Clears both download flags and asks for the two dates only; the result comes as OnCheck.
    void CheckDataFiles();
    // Asks for the dates and fetches the flagged files; the result comes as OnDownload when a
    // flag is set, else as OnCheck.
    void DownloadDataFiles();
    // Drops a run under way: its requests are aborted and no event is raised.  A run started
    // while another is under way drops that one first.
    void Abort();
    bool Running() const { return FRunning; }

    TDownloadEvent OnCheck;
    TDownloadEvent OnDownload;

private:
    struct TFile {
        const char* Name = nullptr;
        bool (*LooksRight)(const QByteArray&) = nullptr;
        const char* Kind = nullptr;
        QByteArray Body;
        qint64 Announced = -1; // length the HEAD answer gave, -1 for none
        bool Fetched = false;
    };

    void StartRun();
    void Head(int index);
    void Get(int index);
    QNetworkReply* Send(const QByteArray& verb, int index);
    void HeadFinished(int index);
    void GetReadyRead(int index);
    void GetFinished(int index);
    // The reply's failure text, or empty when it succeeded.
    QString ReplyError(int index) const;
    bool Wanted(int index) const { return index == 0 ? FDownloadCTY : FDownloadDXCC; }
    void Next(int index);
    // Installs every fetched file, or none; empty on success.
    QString Install();
    void Finish(bool success, const QString& response);
    void DropReply();

    QNetworkAccessManager* FManager = nullptr;
    QPointer<QNetworkReply> FReply;
    vx::Timer* FTimeout = nullptr;
    std::array<TFile, 2> FFiles;
    // Counts runs, so a result queued for a dropped run is recognised.
    uint64_t FRun = 0;
    bool FRunning = false;

    QString FBaseAddress;
    // The address of the run under way, without a closing "/".
    QString FRunBase;
    bool FDownloadCTY = false;
    bool FDownloadDXCC = false;
    bool FDownloadedCTY = false;
    bool FDownloadedDXCC = false;
    QDateTime FLastModifiedCTY;
    QDateTime FLastModifiedDXCC;
};
