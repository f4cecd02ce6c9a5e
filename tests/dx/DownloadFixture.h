#pragma once
// A download server on 127.0.0.1 (HTTPS, a test CA trusted alone) offering a real cty.dat and
// the shipped dxccentity.dat, and other real copies of both installed in a private data
// folder, all dated so a test can make either side the newer one.

#include "DXFixture.h"

#include "dx/DXDataFileDownload.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/HttpsServer.h"
#include "tests/support/Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <ostream>
#include <string>

struct InstalledFile {
    QByteArray Bytes;
    QDateTime Modified;
    bool Exists = false;
    bool operator==(const InstalledFile&) const = default;
};

// Both installed files, and the names in the data folder (so no temporary file is left).
struct DataFolder {
    InstalledFile CTY, DXCC;
    QStringList Names;
    bool operator==(const DataFolder&) const = default;
};

inline void PrintTo(const InstalledFile& f, std::ostream* os)
{
    *os << (f.Exists ? std::to_string(f.Bytes.size()) + " bytes, " + f.Modified.toString(Qt::ISODateWithMs).toStdString()
                     : std::string("missing"));
}

inline void PrintTo(const DataFolder& d, std::ostream* os)
{
    *os << "cty.dat: ";
    PrintTo(d.CTY, os);
    *os << "; dxccentity.dat: ";
    PrintTo(d.DXCC, os);
    *os << "; files: " << d.Names.join(' ').toStdString();
}

class DownloadFixture : public ::testing::Test {
protected:
    static inline const QByteArray CTYPath = "/vornix/files/cty.dat";
    static inline const QByteArray DXCCPath = "/vornix/files/dxccentity.dat";
    static inline const QDateTime Installed{QDate(2024, 3, 1), QTime(12, 0), Qt::UTC};
    static inline const QDateTime Newer{QDate(2024, 4, 2), QTime(8, 30), Qt::UTC};

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        InstallCountryFiles(root);
        certificates = &vxtest::MakeTestCertificates();
        ASSERT_TRUE(certificates->Error.isEmpty()) << certificates->Error.toStdString();
        trust = std::make_unique<vxtest::TrustOnly>(certificates->CA);
        server = std::make_unique<vxtest::HttpsServer>(*certificates);

        // Installed: the big country file and the entity list without its last line; offered:
        // the regular country file and the whole list.
        offeredCTY = ReadFile(DXTestData + "/cty/cty_regular.dat");
        offeredDXCC = ReadFile(ShippedDataFolder() + "/dxccentity.dat");
        ASSERT_FALSE(offeredCTY.isEmpty());
        ASSERT_FALSE(offeredDXCC.isEmpty());
        QByteArray shorter = offeredDXCC;
        shorter.chop(1);
        shorter.truncate(shorter.lastIndexOf('\n') + 1);
        WriteInstalled("dxccentity.dat", shorter);
        SetInstalledTime("cty.dat", Installed);
        SetInstalledTime("dxccentity.dat", Installed);
        Offer(CTYPath, offeredCTY, Installed);
        Offer(DXCCPath, offeredDXCC, Installed);
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QString DataFile(const QString& name) { return GetCommonDataFileName(name); }

    static void WriteInstalled(const QString& name, const QByteArray& bytes)
    {
        QFile f(DataFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    static void SetInstalledTime(const QString& name, const QDateTime& time)
    {
        QFile f(DataFile(name));
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    }

    static InstalledFile State(const QString& name)
    {
        const QFileInfo info(DataFile(name));
        if (!info.exists())
            return {};
        return {ReadFile(info.filePath()), info.lastModified(), true};
    }

    static DataFolder Take()
    {
        return {State("cty.dat"), State("dxccentity.dat"),
                QDir(GetCommonDataFileName("")).entryList(QDir::Files | QDir::Hidden, QDir::Name)};
    }

    void Offer(const QByteArray& path, const QByteArray& body, const QDateTime& modified)
    {
        vxtest::HttpsServer::Response r;
        r.Body = body;
        r.LastModified = modified;
        server->setResponse(path, r);
    }

    // The server reads the requests for the path and answers none.
    void Stall(const QByteArray& path)
    {
        vxtest::HttpsServer::Response r;
        r.Stall = true;
        server->setResponse(path, r);
    }

    QTemporaryDir root;
    const vxtest::TestCertificates* certificates = nullptr;
    std::unique_ptr<vxtest::TrustOnly> trust;
    std::unique_ptr<vxtest::HttpsServer> server;
    QByteArray offeredCTY;
    QByteArray offeredDXCC;
};
