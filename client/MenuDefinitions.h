#pragma once
// The menu definition files of the radios' extended (EX) menus: what each menu item is,
// read from "menu_ft2000.dat" (FT-2000, FT-2000D) or "menu_ftdx5000.dat" (FT DX 5000) in the
// common data folder.
//
// File format: a header line, skipped whatever it holds, then one item per line of 13 fields
// separated by ";": group, number (three digits), short name, description, kind of value
// ("INT", "ENUM" or "VALS"), value length, range ("min|max"), step, default value, value
// captions ("a|b|c"), default text, function text and advice.  The advice is the whole rest of
// the line, further ";" included.  A line with fewer fields leaves the missing ones empty; an
// empty number field reads 0.  A field holding only "?" was not found in the radio's published
// documents: a number field marked so reads 0 and is remembered as unknown.

#include "core/FTCATTypes.h"

#include <QString>
#include <QVector>

// Whether a text is one or more decimal digits and nothing else: how the radio writes its
// unsigned menu values (and the menu numbers).
bool IsMenuDigits(QStringView s);

// The marker of a field the sources do not give.
inline constexpr char MenuFieldUnknown[] = "?";

struct TMenuEntry {
    QString Group;
    QString No;
    QString Name;
    QString Description;
    QString DataType;
    int32_t Length = 0;
    int32_t Max = 0;
    int32_t Min = 0;
    QString P2Command;
    int32_t Step = 0;
    int64_t DefVal = 0;
    QString Values;
    QString Default;
    QString Func;
    QString Advice;
    // Marked "?" in the file.
    bool LengthUnknown = false;
    bool StepUnknown = false;
    bool DefValUnknown = false;

    // The menu number when No is three digits, else 0.
    int32_t MenuNo() const;
    // Whether the range field held a minimum and a maximum.
    bool HasRange() const { return P2Command.contains(QLatin1Char('|')); }
    // The captions of Values in order.
    QStringList Captions() const;
};

// Fills an entry from one line.  False when a number field holds something that is not a
// decimal number (the error then says which field and text); the entry is left as far as it
// was read.
bool ParseMenuLine(TMenuEntry& entry, const QString& line, QString* error = nullptr);

struct TMenuDefinitions {
    // The entries in file order, one per item line.
    QVector<TMenuEntry> Entries;
    // The file could be opened and read.
    bool Found = false;
    // 0 when every line was read; otherwise the line (counted from 1, the header included) at
    // which reading stopped, and why.
    int32_t ErrorLine = 0;
    QString Error;
};

// Reads a definition file.  Reading stops at the first line with a bad number field; the
// entries before it are kept.
TMenuDefinitions ReadMenuDefinitions(const QString& path);

// "menu_ft2000.dat" for the FT-2000 and FT-2000D, "menu_ftdx5000.dat" for the FT DX 5000,
// empty for a model without a menu definition file.
QString MenuDefinitionFileName(TTransceiver model);
