#pragma once
// Remembers where a window was: Write stores its placement as one text value, Read restores it.
// The value is ten integers, each followed by one blank: flags, show command (1 normal,
// 2 minimised, 3 maximised), the minimised and maximised positions x and y (-1: none), and the
// normal rectangle left, top, right, bottom in screen pixels.
//
// With UseRegistry the value lives in the settings file named by Root ("Zemro\Vornix\" is the
// program's settings, $XDG_CONFIG_HOME/Zemro/Vornix.ini), otherwise in the ini file
// IniFileName.  Neither operation reports anything: a window placed by default is no error.

#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

class TFormPlace : public QObject {
    Q_OBJECT
public:
    static inline const QString DefaultPlacement = QStringLiteral("0 1 -1 -1 -1 -1 26 26 1086 626");

    // Identifier and Section start as the owner's object name.
    explicit TFormPlace(QWidget* owner);

    QString Identifier() const { return FIdentifier; }
    void SetIdentifier(const QString& value) { FIdentifier = value; }
    QString IniFileName() const { return FIniFileName; }
    void SetIniFileName(const QString& value) { FIniFileName = value; }
    QString Section() const { return FSection; }
    void SetSection(const QString& value) { FSection = value; }
    QString Root() const { return FRoot; }
    void SetRoot(const QString& value) { FRoot = value; }
    bool UseRegistry() const { return FUseRegistry; }
    void SetUseRegistry(bool value) { FUseRegistry = value; }

    // Stores the owner's placement; false when there is no store (no Root, no file name).
    virtual bool Write();
    // Restores the stored placement (the default when none is stored or the stored text is not
    // one); false when nothing was applied.
    virtual bool Read();

    // The placement text of a window.
    static QString PlacementOf(const QWidget& window);
    // The placement a text gives: its show command and normal rectangle.  A text with a token
    // that is not a number gives the default placement; missing tokens take their defaults
    // (0, and 1 for the show command).
    struct TPlacement {
        int ShowCmd = 1;
        // The normal rectangle; right and bottom lie just outside it.
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
        QRect Normal() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    };
    static TPlacement ParsePlacement(const QString& text);

    // The settings file a Root names.
    static QString RootFileName(const QString& root);

private:
    QString StoreFileName() const;

    QWidget* FOwner;
    QString FIdentifier;
    QString FIniFileName;
    QString FSection;
    QString FRoot;
    bool FUseRegistry = false;
};
