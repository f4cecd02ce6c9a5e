#include "client/widgets/MainFormLinks.h"

#include "controls/widgets/DPIForm.h"
#include "core/DMApplication.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

void ShowAboutBox(QWidget* owner)
{
    QDialog box(owner);
    box.setWindowTitle(QStringLiteral("About Vornix"));
    box.setFont(TDPIForm::FormFont());
    auto* layout = new QVBoxLayout(&box);
    for (const QString& line : {QStringLiteral("Remote and CAT Control for YAESU FT DX 5000, FT-2000 and FT-950"),
                                QStringLiteral("Version 3.3, December 2021")}) {
        auto* label = new QLabel(line, &box);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

TMainLogStatisticsPanel* CreateMainLogStatisticsPanel()
{
    return new TLogStatisticsPanelV2;
}
