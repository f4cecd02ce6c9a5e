#pragma once
// TImportExportHelper: the settings file (a fixed list of store values and the two wanted lists
// of the DX cluster as one XML file, written and read back) and the one-time take-over of the
// previous product's settings.  Each operation opens a settings store of its own for as long as
// it runs, so it must not overlap with another on the same store.  GUI thread only.
//
// Reading a settings file is all or nothing: the whole file is parsed and every value converted
// before the first write, so a file with one bad value changes nothing.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// How a value of the settings file is typed in the store and in the file.
enum class TSettingsValueType { S, B, I };

struct TSettingsValue {
    QString Name;
    TSettingsValueType Type = TSettingsValueType::S;
};

// One store section of the settings file ("Client\CWSidetone") with its values in file order.
struct TSettingsSection {
    QString Path;
    QList<TSettingsValue> Values;
    // Values missing from the store get no element at all (the server's user list).
    bool SkipMissing = false;
};

class TImportExportHelper {
public:
    TImportExportHelper() = default;

    // Result lines of the last operation; a successful export leaves it empty.
    const QStringList& Messages() const { return FMessages; }

    // The last exported or imported file, kept in the store.
    QString LastXMLExportFile() const;
    void SetLastXMLExportFile(const QString& value);

    bool ExportSettingsToXML(const QString& AXMLFileName);
    // True when the whole file was taken into the store and the wanted lists.
    bool ImportSettingsFromXML(const QString& AXMLFileName);

    // True when the store holds no client value of its own and the old settings file exists.
    bool CheckInstallation() const;
    // True when the client or the server part was copied.
    bool ImportSettingsFromBrindlex(bool AOverwriteRegistry);

    // Raised once an import file has been read and checked whole, right before its first
    // write; never for a refused file.  The import dialog stops the data modules here, as
    // they would otherwise write their own settings over the imported ones when stopped.
    std::function<void()> OnBeforeImportWrite;

    // The store sections of the settings file, in file order.
    static const QList<TSettingsSection>& ClientSettings();
    static const QList<TSettingsSection>& ServerSettings();
    // $XDG_CONFIG_HOME/Brindlex/Brindlex.ini and the old wanted list beside it.
    static QString BrindlexSettingsFileName();
    static QString BrindlexWantedFileName();

private:
    QStringList FMessages;
};
