#pragma once
// The About box of both programs: the program picture on a lowered dark panel, the product
// line, the program's version, the author and the project's web address, which opens in the
// browser when clicked.

#include "controls/widgets/DPIForm.h"

class QLabel;
class QPushButton;
class TRCPanel;

// Registers the program picture "ABOUT_PICTURE" (364 x 230) once; later calls do nothing.
void RegisterAboutArt();

enum class TAboutProgram { Client, Server };

class TAboutForm : public TDPIForm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 396;
    static constexpr int ClientHeight = 398;
    static inline const QString ProductLine =
        QStringLiteral("Remote and CAT Control for YAESU FT DX 5000, FT-2000 and FT-950 ");
    static inline const QString ClientVersion = QStringLiteral("Version 3.3, December 2021");
    static inline const QString ServerVersion = QStringLiteral("Version 3.3, June 2021");
    static inline const QString AuthorLine = QStringLiteral("Written by the Vornix developers");
    static inline const QString WebAddress = QStringLiteral("https://vornix.invalid");

    explicit TAboutForm(TAboutProgram program, QWidget* owner = nullptr);

    TRCPanel* Panel;
    QLabel* ProductLabel;
    QLabel* VersionLabel;
    QLabel* AuthorLabel;
    QLabel* LinkLabel;
    QPushButton* OKButton;
};
