#pragma once
// Pieces the QSL dialogs share: the "yyyy-mm-dd" date field and the export dates, their font,
// and the hook by which a dialog listens to one of the logbook's events while it is open.

#include "controls/widgets/BusyCursor.h"

#include <QDate>
#include <QString>
#include <optional>
#include <utility>

class QLineEdit;
class QWidget;

namespace vx::qsldialogs {

inline const QString DateHint = QStringLiteral("yyyy-mm-dd");
inline const QString DateRefused = QStringLiteral("Date must be yyyy-mm-dd");

// A masked field for one date, "____-__-__" while empty.
QLineEdit* NewDateEdit(QWidget* parent);
void SetDate(QLineEdit* edit, const QDate& date);
// Nothing typed.
bool DateBlank(const QLineEdit* edit);
// The typed date; null when it is incomplete or no date.
QDate TypedDate(const QLineEdit* edit);
// The since-date an export dialog offers: the date of the last export (lastExport, its
// "yyyymmdd" text, read as lastDate), or 1 January of the current year when there was none.
QDate OfferedDate(const QString& lastExport, const QDate& lastDate);
// The first date of an export as "yyyymmdd": "19450101" for all QSOs, else the typed date;
// nullopt when that is no date.
std::optional<QString> ExportFrom(bool all, const QLineEdit* edit);


// Puts a handler on an event (one std::function) and the previous handler back when released
// or destroyed.
template <typename F>
class THandlerHook {
public:
    THandlerHook() = default;
    ~THandlerHook() { Release(); }
    THandlerHook(const THandlerHook&) = delete;
    THandlerHook& operator=(const THandlerHook&) = delete;

    void Attach(F& event, F handler)
    {
        Release();
        FEvent = &event;
        FPrevious = std::exchange(event, std::move(handler));
    }
    void Release()
    {
        if (FEvent)
            *FEvent = std::exchange(FPrevious, nullptr);
        FEvent = nullptr;
    }
    bool Attached() const { return FEvent != nullptr; }
    // The handler the event had before.
    const F& Previous() const { return FPrevious; }

private:
    F* FEvent = nullptr;
    F FPrevious;
};

} // namespace vx::qsldialogs
