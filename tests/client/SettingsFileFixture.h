#pragma once
// A settings store and user data folder of each test's own, and a store holding every value
// the settings file carries.

#include "client/ImportExportHelper.h"
#include "core/DMApplication.h"
#include "core/DataFiles.h"
#include "core/IniStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace clienttest {

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// The value every listed store value gets in FillEveryValue, as text; only "MyCall" of
// "Client\General" is left out.
inline QString FilledValue(const TSettingsSection& section, const TSettingsValue& value, int index)
{
    switch (value.Type) {
    case TSettingsValueType::B:
        return index % 3 == 0 ? QStringLiteral("1") : QStringLiteral("0");
    case TSettingsValueType::I:
        return QString::number(index * 37 - 500);
    case TSettingsValueType::S:
        break;
    }
    if (section.Path == QLatin1String("Client\\Cabrillo") && value.Name == QLatin1String("Name"))
        return QStringLiteral("Zoë & <Co> \"QRP\"");
    return section.Path.section(u'\\', -1) + u' ' + value.Name;
}

inline bool Filled(const TSettingsSection& section, const TSettingsValue& value)
{
    if (section.Path == QLatin1String("Client\\General") && value.Name == QLatin1String("MyCall"))
        return false;
    return true;
}

// Calls f(section, value, index) for every listed value of both tables.
template <typename F>
void ForEachListedValue(F f)
{
    int index = 0;
    for (const auto* table : {&TImportExportHelper::ClientSettings(), &TImportExportHelper::ServerSettings()})
        for (const TSettingsSection& section : *table)
            for (const TSettingsValue& value : section.Values)
                f(section, value, index++);
}

inline void FillEveryValue(TIniStore& store)
{
    ForEachListedValue([&store](const TSettingsSection& section, const TSettingsValue& value, int index) {
        if (!Filled(section, value))
            return;
        const QString text = FilledValue(section, value, index);
        switch (value.Type) {
        case TSettingsValueType::S:
            store.WriteString(section.Path, value.Name, text);
            break;
        case TSettingsValueType::B:
            store.WriteBool(section.Path, value.Name, text == QLatin1String("1"));
            break;
        case TSettingsValueType::I:
            store.WriteInteger(section.Path, value.Name, text.toInt());
            break;
        }
    });
}

// Each test gets folders of its own: settings store, user data, the old product's folder and
// the documents folder.
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        FOldHome = qgetenv("HOME");
        ASSERT_TRUE(FHome.isValid());
        qputenv("XDG_CONFIG_HOME", (FHome.path() + "/config").toLocal8Bit());
        qputenv("HOME", (FHome.path() + "/home").toLocal8Bit());
        QDir().mkpath(FHome.path() + "/config");
    }

    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", FOldConfig);
        qputenv("HOME", FOldHome);
    }

    QString StoreFile() const { return TDMApplication::SettingsFileName(); }
    QString Home() const { return FHome.path(); }
    QString WantedDXCC() const { return GetUserDataFileName(QStringLiteral("wanteddxcc.dat")); }
    QString WantedSpots() const { return GetUserDataFileName(QStringLiteral("wantedspots.dat")); }

    void Fill()
    {
        TIniStore store(StoreFile());
        FillEveryValue(store);
        ASSERT_TRUE(store.UpdateFile());
    }

    // One value as the store holds it; nullopt when it holds none.
    std::optional<QString> Stored(const QString& section, const QString& name) const
    {
        TIniStore store(StoreFile());
        if (!store.ValueExists(section, name))
            return std::nullopt;
        return store.ReadString(section, name, QString());
    }

    QTemporaryDir FHome;
    QByteArray FOldConfig;
    QByteArray FOldHome;
};

} // namespace clienttest
