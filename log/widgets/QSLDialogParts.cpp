#include "log/widgets/QSLDialogParts.h"

#include "platform/Clock.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace vx::qsldialogs {

QLineEdit* NewDateEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(QStringLiteral("9999-99-99;_"));
    edit->setMaxLength(10);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-000")) + 12);
    return edit;
}

void SetDate(QLineEdit* edit, const QDate& date)
{
    edit->setText(date.toString(QStringLiteral("yyyy-MM-dd")));
}

bool DateBlank(const QLineEdit* edit)
{
    return edit->text().remove(QLatin1Char('-')).trimmed().isEmpty();
}

QDate TypedDate(const QLineEdit* edit)
{
    if (!edit->hasAcceptableInput())
        return {};
    return QDate::fromString(edit->text(), QStringLiteral("yyyy-MM-dd"));
}

QDate OfferedDate(const QString& lastExport, const QDate& lastDate)
{
    // Never exported: the logbook would read today.
    if (!lastExport.isEmpty() && lastDate.isValid())
        return lastDate;
    return QDate(vx::Clock::nowUtc().toLocalTime().date().year(), 1, 1);
}

std::optional<QString> ExportFrom(bool all, const QLineEdit* edit)
{
    if (all)
        return QStringLiteral("19450101");
    const QDate since = TypedDate(edit);
    if (!since.isValid())
        return std::nullopt;
    return since.toString(QStringLiteral("yyyyMMdd"));
}


} // namespace vx::qsldialogs
