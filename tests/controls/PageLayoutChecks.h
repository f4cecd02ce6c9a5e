#pragma once
// What a page laid out at fixed pixel positions must show whatever the font measures: no label
// running into another control, and none leaving the group box it sits in.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>
#include <string>

namespace vxtest {

// Pixels kept free beside a label, so that its text does not stick to the next control.
constexpr int Clearance = 2;

// Where a label's text is drawn, in its parent's coordinates: the size the text needs, placed
// in the label's box as its alignment places it (past the box where the text would be cut).
inline QRect LabelTextRect(const QLabel& label)
{
    const QSize need = label.wordWrap() ? QSize(label.width(), label.heightForWidth(label.width())) : label.sizeHint();
    return QStyle::alignedRect(label.layoutDirection(), label.alignment(), need, label.geometry());
}

// A label's rectangle: its box, and its text wherever that runs past the box.
inline QRect LabelRect(const QLabel& label)
{
    return label.geometry() | LabelTextRect(label);
}

// The inside of a group box, below its title and within its frame.
inline QRect GroupBoxContents(const QGroupBox& box)
{
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::Alignment(box.alignment());
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (box.isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (!box.title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    option.features = box.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    return box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, &box);
}

inline const QLabel* TextLabel(const QWidget& w)
{
    const auto* label = qobject_cast<const QLabel*>(&w);
    return label && !label->text().isEmpty() ? label : nullptr;
}

inline std::string Describe(const QWidget& w)
{
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(&w))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&w))
        text = button->text();
    const QRect r = w.geometry();
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6")
        .arg(QString::fromLatin1(w.metaObject()->className()), text)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

// Checks every shown label below `page`: its rectangle overlaps no other shown control beside
// it, its text keeps a little room beside them, and it stays inside its group box below the
// title.  `where` names the page.
inline void ExpectLabelsClear(QWidget& page, const std::string& where)
{
    for (QLabel* label : page.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&page) || !TextLabel(*label))
            continue;
        const QRect mine = LabelRect(*label);
        QWidget* parent = label->parentWidget();
        for (QObject* object : parent->children()) {
            auto* other = qobject_cast<QWidget*>(object);
            if (!other || other == label || other->isWindow() || !other->isVisibleTo(&page))
                continue;
            // A label without text draws nothing.
            if (qobject_cast<QLabel*>(other) && !TextLabel(*other))
                continue;
            const QLabel* otherLabel = TextLabel(*other);
            const QRect theirs = otherLabel ? LabelRect(*otherLabel) : other->geometry();
            EXPECT_FALSE(mine.intersects(theirs) ||
                         LabelTextRect(*label).adjusted(-Clearance, 0, Clearance, 0).intersects(theirs))
                << where << ": " << Describe(*label) << " runs into " << Describe(*other);
        }
        if (auto* box = qobject_cast<QGroupBox*>(parent)) {
            const QRect inside = GroupBoxContents(*box);
            EXPECT_TRUE(inside.contains(mine))
                << where << ": " << Describe(*label) << " leaves its group box \"" << box->title().toStdString()
                << "\" " << QStringLiteral("(inside %1,%2 %3x%4)").arg(inside.x()).arg(inside.y()).arg(inside.width()).arg(inside.height()).toStdString();
        } else {
            EXPECT_TRUE(parent->rect().contains(mine)) << where << ": " << Describe(*label) << " leaves its parent";
        }
    }
}

} // namespace vxtest
