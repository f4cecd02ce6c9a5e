#pragma once
// Pieces the QSL dialogs share: the "yyyy-mm-dd" date field, the busy cursor, their font.

#include <QDate>
#include <QString>

class QLineEdit;
class QWidget;

namespace vx::qsldialogs {

inline const QString DateHint = QStringLiteral("yyyy-mm-dd");
inline const QString DateRefused = QStringLiteral("Date must be yyyy-mm-dd");

// A masked field for one date, "____-__-__" while empty.
QLineEdit* NewDateEdit(QWidget* parent);
void SetDate(QLineEdit* edit, const QDate& date);
// 1 January of the current year: the since-date offered when there is no other.
QDate NewYear();
// Nothing typed.
bool DateBlank(const QLineEdit* edit);
// The typed date; null when it is incomplete or no date.
QDate TypedDate(const QLineEdit* edit);

// The dialogs' own font.
void SetDialogFont(QWidget* dialog);

// The application's wait cursor, shown at most once per owner and taken back with it.
class TBusyCursor {
public:
    TBusyCursor() = default;
    ~TBusyCursor() { Set(false); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    void Set(bool busy);
    bool Busy() const { return FBusy; }

private:
    bool FBusy = false;
};

} // namespace vx::qsldialogs
