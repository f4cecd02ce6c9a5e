// The About box of both programs: caption, size, its four lines, the link and the picture.
#include "ControlsTestUtils.h"
#include "controls/widgets/AboutForm.h"
#include "controls/widgets/RCPanel.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(AboutForm, CaptionSizeAndLinesOfEachProgram)
{
    const std::pair<TAboutProgram, const char*> programs[] = {
        {TAboutProgram::Server, "Version 3.3, June 2021"}, {TAboutProgram::Client, "Version 3.3, December 2021"}};
    for (auto [program, version] : programs) {
        TAboutForm about(program);
        EXPECT_EQ(about.windowTitle(), "About Vornix");
        EXPECT_EQ(about.size(), QSize(396, 398));
        EXPECT_EQ(about.minimumSize(), about.maximumSize()); // not resizable
        EXPECT_EQ(about.ProductLabel->text(), "Remote and CAT Control for YAESU FT DX 5000, FT-2000 and FT-950 ");
        EXPECT_EQ(about.VersionLabel->text(), version);
        EXPECT_FALSE(about.AuthorLabel->text().isEmpty());
        EXPECT_TRUE(about.LinkLabel->openExternalLinks());
        EXPECT_TRUE(about.LinkLabel->text().contains("href=\"" + TAboutForm::WebAddress + "\""));
        EXPECT_EQ(about.LinkLabel->cursor().shape(), Qt::PointingHandCursor);
        // Each line fits the panel with room to spare.
        for (QLabel* line : {about.ProductLabel, about.VersionLabel, about.AuthorLabel})
            EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()) + 16, about.Panel->width())
                << line->text().toStdString();
    }
}

TEST(AboutForm, OKClosesAndTheBoxRenders)
{
    TAboutForm about(TAboutProgram::Server);
    about.show();
    ASSERT_TRUE(about.isVisible());
    for (qreal dpr : {1.0, 2.0}) {
        const QImage img = Render(about, dpr);
        // The picture is drawn: the panel is not left in one colour.
        const QColor a = Pixel(img, int(40 * dpr), int(40 * dpr));
        const QColor b = Pixel(img, int(300 * dpr), int(180 * dpr));
        EXPECT_NE(a, b);
        EXPECT_TRUE(SaveArtifact(img, QString("about_server@%1x.png").arg(int(dpr))));
    }
    about.OKButton->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
